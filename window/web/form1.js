// The page's side of the window, appended to the core's loader: once the core is ready, it hands
// the input box's changes and key edits and the Clear button's clicks to the core's pair entry,
// those made before first (page_input.js), puts pastes into the input box itself, and does what
// the pair entry asks of the window. The form itself is in the page.

// Calls `use(pointer, length)` with `text` as UTF-16 units in the core's memory.
function karsobelWithUnits(text, use) {
  if (text.length === 0) {
    return use(0, 0);
  }
  const pointer = _malloc(text.length * 2);
  try {
    const first = pointer >> 1;
    for (let at = 0; at < text.length; ++at) {
      HEAPU16[first + at] = text.charCodeAt(at);
    }
    return use(pointer, text.length);
  } finally {
    _free(pointer);
  }
}

// Whether the core takes an edit of the input box, [start, end) made `typed`, as one that completes
// a pair, which it then makes. Only the text's first two characters go into a pair, and a pair
// empties the box, so of a paste however long only its first four units are copied to the core.
function karsobelKeyEditTaken(start, end, typed) {
  return karsobelWithUnits(typed.slice(0, 4), (units, length) =>
    _karsobel_key_edit(start, end, units, length));
}

// The pastes the page makes into `box` itself, past the browser's editing command, which takes
// seconds over ten million characters before the box lays them out, and the other edits it makes
// (an input method's characters, those typed before the core was ready); and their undo and redo,
// which the browser's history does not know. `reportChange` hands a change of the box to the core.
function karsobelOwnPastes(box, reportChange) {
  // The paste while it is the box's last change, and the one undone while its undo is: each as
  // the text before it, the selection it replaced and the text it put in.
  let done = null;
  let undone = null;
  const put = (start, end, typed) => {
    done = { text: box.value, start, end, typed };
    undone = null;
    box.setRangeText(typed, start, end, "end");
    // The caret into view, as the browser's paste brings it: it ends the text, since a box that
    // holds text pairs at its next change.
    box.scrollLeft = box.scrollWidth;
    reportChange();
  };
  return {
    paste: put,
    undo() {
      if (done === null) {
        return false;
      }
      const paste = done;
      done = null;
      box.value = paste.text;
      box.setSelectionRange(paste.start, paste.end);
      reportChange();
      // Kept only now: the pair this change makes empties the box, and that forgets the pastes.
      undone = paste;
      return true;
    },
    redo() {
      if (undone === null) {
        return false;
      }
      put(undone.start, undone.end, undone.typed);
      return true;
    },
    // Another change of the box.
    forget() {
      done = null;
      undone = null;
    },
  };
}

function karsobelRgb(colour) {
  return "rgb(" + colour.join(",") + ")";
}

// A colour as one number, 0xRRGGBB, as the core takes and gives colours.
function karsobelPacked(colour) {
  return (colour[0] << 16) | (colour[1] << 8) | colour[2];
}

function karsobelUnpacked(packed) {
  return [(packed >> 16) & 255, (packed >> 8) & 255, packed & 255];
}

// A colour as CSS writes it, "rgb(R, G, B)", as [red, green, blue].
function karsobelColour(css) {
  return css.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number);
}

// A system colour's value in the page's present colour scheme.
function karsobelSystemColour(name) {
  const probe = document.createElement("span");
  probe.style.color = name;
  document.body.appendChild(probe);
  const value = karsobelColour(getComputedStyle(probe).color);
  probe.remove();
  return value;
}

function karsobelTakeForm() {
  const controls = Array.from(document.getElementById("Form1").children);
  const byName = (name) => document.getElementById(name);
  const input = byName("Text1");
  const output = byName("Text2");
  const announcement = document.getElementById("announcement");

  const showReadableText = () => {
    controls.forEach((element) => {
      const background = karsobelColour(element.style.getPropertyValue("--background"));
      const platform = karsobelSystemColour(
        element.className === "PushButton" ? "ButtonText" : "FieldText");
      const text = _karsobel_readable_text(karsobelPacked(background), karsobelPacked(platform));
      element.style.setProperty("--text", karsobelRgb(karsobelUnpacked(text)));
    });
  };
  showReadableText();
  matchMedia("(prefers-color-scheme: dark)").addEventListener("change", showReadableText);

  const reportChange = () => karsobelWithUnits(input.value, _karsobel_input_changed);
  const pastes = karsobelOwnPastes(input, reportChange);
  // Text typed at the caret as one change, paired at once where it completes a pair.
  const type = (typed) => {
    const start = input.selectionStart;
    const end = input.selectionEnd;
    if (!karsobelKeyEditTaken(start, end, typed)) {
      pastes.paste(start, end, typed);
    }
  };
  const compositions = karsobelEarly.compositions;
  compositions.type = type;

  Module["form"] = {
    // Emptying the box is a change like any other, reported before this returns.
    clearInput() {
      pastes.forget();
      input.value = "";
      reportChange();
    },
    appendToOutput(letter) {
      const character = String.fromCharCode(letter);
      output.value += character;
      output.scrollLeft = output.scrollWidth;
      announcement.textContent = character;
    },
    clearOutput() {
      output.value = "";
    },
    focusInput() {
      input.focus();
    },
  };

  input.addEventListener("beforeinput", (event) => {
    if (compositions.hold(event)) {
      event.preventDefault();
      return;
    }
    if ((event.inputType === "historyUndo" && pastes.undo()) ||
        (event.inputType === "historyRedo" && pastes.redo())) {
      event.preventDefault();
      return;
    }
    const edit = karsobelKeyEdit(input, event);
    if (edit === null) {
      return;
    }
    if (karsobelKeyEditTaken(edit.start, edit.end, edit.typed)) {
      event.preventDefault();
    } else if (event.inputType === "insertFromPaste") {
      event.preventDefault();
      pastes.paste(edit.start, edit.end, edit.typed);
    }
  });
  // With no edit of its own to undo or redo, the browser's keys for them do nothing, not even
  // beforeinput.
  input.addEventListener("keydown", (event) => {
    if (event.isComposing) {
      return;
    }
    const command = (event.ctrlKey || event.metaKey) && !event.altKey;
    const key = event.key.toLowerCase();
    const undo = command && !event.shiftKey && key === "z";
    const redo = command && (event.shiftKey ? key === "z" : key === "y");
    if ((undo && pastes.undo()) || (redo && pastes.redo())) {
      event.preventDefault();
    }
  });
  input.addEventListener("input", (event) => {
    if (compositions.composes(event)) {
      return;
    }
    pastes.forget();
    reportChange();
  });
  byName("Command1").addEventListener("click", () => _karsobel_clear_clicked());

  // What the user did before the core was ready, done again now on the box as it was then. Where
  // a pair has emptied the box since, an edit lands as far from the text's end as it was made.
  const early = karsobelEarly.take();
  if (early.length > 0) {
    input.value = input.defaultValue;
  }
  early.forEach((each) => {
    if (each.clear) {
      _karsobel_clear_clicked();
      return;
    }
    const shift = each.length - input.value.length;
    const at = (position) => Math.min(Math.max(position - shift, 0), input.value.length);
    const start = at(each.start);
    const end = at(each.end);
    if (start !== end || each.typed) {
      input.setSelectionRange(start, end);
      type(each.typed);
    }
  });
}

Module["onRuntimeInitialized"] = karsobelTakeForm;
