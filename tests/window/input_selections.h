#pragma once

// Where the caret or selection may be in the input box, after a paste of `pastedInput`, when the
// key that completes the pair is typed; and the letter of the text the box would then hold.
struct InputSelection {
    const char* name;
    int start;
    int end;
    char key;
    char letter;
};

inline constexpr char16_t pastedInput[] = u"ello";

inline constexpr InputSelection inputSelections[] = {
    {"caret at the start: hello", 0, 0, 'h', 'M'},
    {"caret after the first character: eallo", 1, 1, 'a', 'F'},
    {"caret at the end: ellox", 4, 4, 'x', 'Q'},
    {"the first two selected: hlo", 0, 2, 'h', 'T'},
};
