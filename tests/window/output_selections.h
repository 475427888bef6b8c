#pragma once

// Ways the user may have left the output box before one more pair is typed, for checking on each
// front end that the new letter is then in view.
struct OutputSelection {
    const char* name;
    int start;
    int end;
    // Tab through the output box (which selects all of it) and on round to the input box.
    bool tabThrough;
};

inline constexpr OutputSelection outputSelections[] = {
    {"all of it, by tabbing through the box and back", 0, 0, true},
    {"part of it", 10, 20, false},
    {"a bare caret near the start", 5, 5, false},
};

// Far wider than the output box.
inline constexpr int longOutputLength = 400;
