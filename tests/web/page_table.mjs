// What the page's tests in every engine expect: the form's places, fonts and colours, and the
// table of key sequences with the output each leaves.

// Places in CSS pixels (twips at 96 dpi), font sizes (12 and 8.25 points) and colours.
export const NAVY = [0, 0, 128];
export const BOX = [0, 192, 192];
export const BUTTON = [128, 128, 255];
export const CLIENT = { width: 546, height: 41 };
export const CONTROLS = [
  { id: "Text1", role: "textbox", name: "Input", rect: [16, 8, 41, 25], font: "16px", colour: BOX },
  { id: "Text2", role: "textbox", name: "Output", rect: [112, 8, 417, 27], font: "16px", colour: BOX },
  { id: "Command1", role: "button", name: "Clear", rect: [64, 8, 41, 25], font: "11px", colour: BUTTON },
];

// Each: what it shows, its steps, and the output it leaves, with the input box empty and the focus
// in it. A step is text typed key by key, { press } a key, { paste } text through the clipboard
// and Ctrl+V, { click } the Clear button, an input method's { compose } text (an empty one cancels
// it) or its { commit }, or { shows } the boxes' texts, input and output, at that point.
export const sequences = [
  ["typed pairs", ["hito"], "QI"],
  ["capitals and small letters alike, wrapping past 26", ["ab", "AA", "Ab", "hI", "Ya", "mn", "zz"],
   "CBCQZAZ"],
  ["a character without a value adds nothing", ["a7", " c", "12"], "AC"],
  ["a character outside the basic plane is one character", ["\u{1F600}a"], "A"],
  ["a paste is one change, and the next pairs the box's first two", [{ paste: "hello" }, "x"], "M"],
  ["a paste completes a pending pair; the rest goes", ["a", { paste: "bcdefgh" }, "hi"], "CQ"],
  ["a paste's last line breaks go, the others become spaces", [{ paste: "\nbc\r\n\n" }, "x"], "B"],
  ["Backspace is a change", ["a", { press: "Backspace" }, "hi"], "Q"],
  ["Backspace over a selection is a change", ["x", { press: "Shift+Home" }, { press: "Backspace" },
   "hi"], "Q"],
  ["Backspace in an empty box changes nothing", [{ press: "Backspace" }, "hi"], "Q"],
  ["undo is a change", ["a", { press: "Control+Z" }, "hi"], "Q"],
  ["undo of a paste is a change", [{ paste: "hello" }, { press: "Control+Z" }, "hi"], "Q"],
  ["Clear empties the output and keeps the pending character", ["hi", "a", { click: "Clear" }, "b"],
   "C"],
  ["composed word by word, the box neither paired nor emptied while composing",
   [{ compose: "h" }, { compose: "hi" }, { shows: ["hi", ""] }, { commit: "hi" }, { compose: "t" },
    { compose: "to" }, { shows: ["to", "Q"] }, { commit: "to" }], "QI"],
  ["a commit of several words counts each character", [{ compose: "hito" }, { commit: "hito" }],
   "QI"],
  ["a composition cancelled with Escape changes nothing",
   ["h", { compose: "x" }, { press: "Escape" }, { compose: "" }, { shows: ["h", ""] }, "i"], "Q"],
  ["a composition that commits nothing changes nothing",
   ["h", { compose: "x" }, { commit: "" }, { shows: ["h", ""] }, "i"], "Q"],
  ["a dead key's accented letter is one character", [{ compose: "\u00b4" }, { commit: "\u00e9" }, "e"],
   "E"],
  ["a paste while composing follows the commit, one change",
   ["a", { compose: "h" }, { paste: "bc" }, { commit: "h" }, { shows: ["bc", "I"] }, "x"], "IE"],
];
