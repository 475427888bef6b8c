// The page's side of the window, appended to the core's loader: it builds the form from the
// description the core gives, hands the input box's changes and key edits and the Clear button's
// clicks to the core's pair entry, puts pastes into the input box itself, and does what the pair
// entry asks of the window.

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

// The pastes the page makes into `box` itself, past the browser's editing command, which takes
// seconds over ten million characters before the box lays them out; and their undo and redo, which
// the browser's history does not know. `reportChange` hands a change of the box to the core.
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

// The input types of an input method's composition: the text the box shows while it composes,
// which the box does not hold until the input method commits it.
const karsobelCompositionTypes = new Set(["insertCompositionText", "deleteCompositionText",
                                          "insertFromComposition", "deleteByComposition"]);

// An input method's compositions in `box`. While one lasts, the box shows what the input method
// composes, which is no change of the box. The committed text then counts as that many typed
// characters, each handed to `type(text)`, typed at the caret over the selection the composition
// began on, as Windows hands an input method's result to an edit control. Text typed or pasted
// past the input method while it composes is held until then, and follows the commit as one change.
function karsobelCompositions(box, type) {
  // The box's text and selection when the composition began, and the texts held since.
  let before = null;
  let held = [];
  box.addEventListener("compositionstart", () => {
    before = { text: box.value, start: box.selectionStart, end: box.selectionEnd };
    held = [];
  });
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
    texts.forEach((text) => type(text));
  });
  return {
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

// A system colour's value in the page's present colour scheme, as [red, green, blue].
function karsobelSystemColour(name) {
  const probe = document.createElement("span");
  probe.style.color = name;
  document.body.appendChild(probe);
  const value = getComputedStyle(probe).color.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number);
  probe.remove();
  return value;
}

// `formWidth` the form's width in the description.
function karsobelControl(description, formWidth) {
  const element = document.createElement(
    description.kind === "PushButton" ? "button" : "input");
  if (description.kind === "PushButton") {
    element.type = "button";
    element.textContent = description.caption;
  } else {
    element.type = "text";
    element.value = description.caption;
    element.readOnly = description.readOnly;
    element.autocomplete = "off";
    element.spellcheck = false;
  }
  element.id = description.name;
  element.className = description.kind;
  element.setAttribute("aria-label", description.accessibleName);
  const style = element.style;
  style.left = description.left + "px";
  style.top = description.top + "px";
  style.width = description.width + "px";
  if (description.narrows) {
    // On a screen narrower than the form, as the form narrows, keeping its margin on the right.
    style.maxWidth = "calc(100% - " + (formWidth - description.width) + "px)";
  }
  style.height = description.height + "px";
  // The named family where the device has it, the nearest bold sans-serif otherwise.
  style.fontFamily = JSON.stringify(description.font.family) + ", sans-serif";
  style.fontSize = description.font.points + "pt";
  style.fontWeight = String(description.font.weight);
  style.setProperty("--background", karsobelRgb(description.background));
  return element;
}

function karsobelBuildForm() {
  const description = JSON.parse(UTF8ToString(_karsobel_form_json()));
  document.title = description.caption;
  const form = document.getElementById("Form1");
  form.style.width = description.width + "px";
  form.style.height = description.height + "px";
  form.style.setProperty("--background", karsobelRgb(description.background));

  const controls = description.controls.map((each) => {
    const element = karsobelControl(each, description.width);
    form.appendChild(element);
    return { description: each, element };
  });
  const byName = (name) => document.getElementById(name);
  const input = byName("Text1");
  const output = byName("Text2");
  const announcement = document.getElementById("announcement");

  const showReadableText = () => {
    // The emscripten optimiser here cannot take a destructuring for-of.
    controls.forEach(({ description: each, element }) => {
      const platform = karsobelSystemColour(each.kind === "PushButton" ? "ButtonText" : "FieldText");
      const text = _karsobel_readable_text(karsobelPacked(each.background), karsobelPacked(platform));
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
    if (!karsobelWithUnits(typed, (units, length) => _karsobel_key_edit(start, end, units, length))) {
      pastes.paste(start, end, typed);
    }
  };
  const compositions = karsobelCompositions(input, type);

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
    const taken = karsobelWithUnits(edit.typed, (typed, typedLength) =>
      _karsobel_key_edit(edit.start, edit.end, typed, typedLength));
    if (taken) {
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
  input.focus();
}

Module["onRuntimeInitialized"] = karsobelBuildForm;
