// The input box's edits as the page sees them, written into the page so that they are taken from
// the first key, before the core has loaded. Until it has, every change of the box and every click
// of Clear is kept, for form1.js to hand to the core in order once it is ready, as if it had been
// ready all along.

// Pasted text as a one-line box takes it: line breaks at its end dropped, every other line break
// (CR LF, CR or LF) a space.
function karsobelOneLine(text) {
  let end = text.length;
  while (end > 0 && (text[end - 1] === "\n" || text[end - 1] === "\r")) {
    --end;
  }
  return text.slice(0, end).replace(/\r\n|\r|\n/g, " ");
}

// The edit an input event is about to make to `box`, where the browser is known to make it this
// way: text typed or pasted over the selection or at the caret, Backspace over the selection or
// on a character that nothing combines with, Delete over the selection. Null for any other edit,
// which the box makes itself and then reports as a change.
function karsobelKeyEdit(box, event) {
  if (event.isComposing) {
    return null;
  }
  const start = box.selectionStart;
  const end = box.selectionEnd;
  switch (event.inputType) {
    case "insertText":
      return event.data ? { start, end, typed: event.data } : null;
    case "insertFromPaste":
      return event.data ? { start, end, typed: karsobelOneLine(event.data) } : null;
    case "deleteContentBackward":
      if (start !== end) {
        return { start, end, typed: "" };
      }
      // Below U+0300 (the combining marks) a character is one unit that Backspace takes alone.
      return start > 0 && box.value.charCodeAt(start - 1) < 0x300
        ? { start: start - 1, end: start, typed: "" }
        : null;
    case "deleteContentForward":
      return start !== end ? { start, end, typed: "" } : null;
    default:
      return null;
  }
}

// The input types of an input method's composition: the text the box shows while it composes,
// which the box does not hold until the input method commits it.
const karsobelCompositionTypes = new Set(["insertCompositionText", "deleteCompositionText",
                                          "insertFromComposition", "deleteByComposition"]);

// An input method's compositions in `box`. While one lasts, the box shows what the input method
// composes, which is no change of the box. The committed text then counts as that many typed
// characters, each handed to the returned object's `type(text)` to be typed at the caret, over the
// selection the composition began on, as Windows hands an input method's result to an edit
// control. Text typed or pasted past the input method while it composes is held until then, and
// follows the commit as one change.
function karsobelCompositions(box) {
  // The box's text and selection when the composition began, and the texts held since.
  let before = null;
  let held = [];
  box.addEventListener("compositionstart", () => {
    before = { text: box.value, start: box.selectionStart, end: box.selectionEnd };
    held = [];
  });
  const compositions = {
    type: null,
    // Whether an input event is the input method's, which reports no change.
    composes: (event) => event.isComposing || karsobelCompositionTypes.has(event.inputType),
    // Holds the edit a beforeinput event makes past the input method while it composes: true if
    // the box must not make it now.
    hold(event) {
      if (before === null || karsobelCompositionTypes.has(event.inputType)) {
        return false;
      }
      const edit = karsobelKeyEdit(box, { inputType: event.inputType, data: event.data });
      if (edit !== null && edit.typed) {
        held.push(edit.typed);
      }
      return true;
    },
  };
  box.addEventListener("compositionend", (event) => {
    if (before === null) {
      return;
    }
    const began = before;
    const texts = Array.from(event.data || "").concat(held);
    before = null;
    held = [];
    if (box.value !== began.text) {
      box.value = began.text;
    }
    box.setSelectionRange(began.start, began.end);
    texts.forEach((text) => compositions.type(text));
  });
  return compositions;
}

// The edit that made `after` of `before`: [start, end) of `before` became `typed`.
function karsobelDifference(before, after) {
  const shorter = Math.min(before.length, after.length);
  let start = 0;
  while (start < shorter && before[start] === after[start]) {
    ++start;
  }
  let kept = 0;
  while (kept < shorter - start &&
         before[before.length - 1 - kept] === after[after.length - 1 - kept]) {
    ++kept;
  }
  return { start, end: before.length - kept, typed: after.slice(start, after.length - kept) };
}

// Says, in the one line below the form, why the boxes are text boxes only.
function karsobelCannotPair(why) {
  const status = document.getElementById("status");
  status.textContent = why;
  status.hidden = false;
}

// What the user does before the core is ready: the box's edits in order, each with the length of
// the text it was made on, and Clear's clicks. The box makes them as the user sees them; a paste
// goes in as one line, as it will once the core is ready.
const karsobelEarly = (() => {
  const input = document.getElementById("Text1");
  const kept = [];
  let taken = false;
  let seen = input.value;
  const keep = (edit) => {
    kept.push({ ...edit, length: seen.length });
    seen = input.value;
  };
  const type = (typed) => {
    const start = input.selectionStart;
    const end = input.selectionEnd;
    input.setRangeText(typed, start, end, "end");
    keep({ start, end, typed });
  };
  const compositions = karsobelCompositions(input);
  compositions.type = type;
  input.addEventListener("beforeinput", (event) => {
    if (taken) {
      return;
    }
    if (compositions.hold(event)) {
      event.preventDefault();
    } else if (event.inputType === "insertFromPaste" && event.data) {
      // As the browser's own edit, which its undo takes back.
      event.preventDefault();
      document.execCommand("insertText", false, karsobelOneLine(event.data));
    }
  });
  input.addEventListener("input", (event) => {
    if (!taken && !compositions.composes(event)) {
      keep(karsobelDifference(seen, input.value));
    }
  });
  document.getElementById("Command1").addEventListener("click", () => {
    if (!taken) {
      kept.push({ clear: true });
      input.focus();
    }
  });
  // Once the page is parsed without its core, it came without it: a reload brings it.
  document.addEventListener("DOMContentLoaded", () => {
    if (typeof karsobelCore === "undefined") {
      karsobelCannotPair("Pairing is not ready: the page did not arrive whole. Reload it to pair.");
    }
  });
  // The focus starts in the input box. The box's autofocus alone would give it only at the next
  // rendering update; from here it takes keys at once, kept until the core is ready.
  input.focus();
  return {
    compositions,
    // What was kept, once; from then on the core takes each edit and click itself.
    take() {
      taken = true;
      return kept;
    },
  };
})();
