#pragma once

// Where the caret or selection may be in the input box, after a paste of `pastedInput`, when the
// key that completes the pair is pressed; and the letter of the text the box would then hold.
struct InputSelection {
    const char* name;
    int start;
    int end;
    // A character to type, or `backspaceKey` or `deleteKey`.
    char key;
    // No letter: the key changes nothing, so the pair is still to come and the box keeps its text.
    char letter;
};

inline constexpr char backspaceKey = '\b';
inline constexpr char deleteKey = '\x7F';

inline constexpr char16_t pastedInput[] = u"ello";

inline constexpr InputSelection inputSelections[] = {
    {"caret at the start: hello", 0, 0, 'h', 'M'},
    {"caret after the first character: eallo", 1, 1, 'a', 'F'},
    {"caret at the end: ellox", 4, 4, 'x', 'Q'},
    {"the first two selected: hlo", 0, 2, 'h', 'T'},
    {"Backspace after the first character: llo", 1, 1, backspaceKey, 'X'},
    {"Backspace over the first two: lo", 0, 2, backspaceKey, 'A'},
    {"Delete over the middle two: eo", 1, 3, deleteKey, 'T'},
    {"Backspace at the start: nothing", 0, 0, backspaceKey, '\0'},
};
