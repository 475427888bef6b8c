#pragma once

#include <windows.h>

// Where the window's controls lie and how large their fonts are at one DPI, as the window has
// always been laid out.
struct Layout {
    UINT dpi;
    SIZE client;
    RECT text1;
    RECT command1;
    RECT text2;
    LONG boxFontHeight;
    LONG buttonFontHeight;
};

inline constexpr Layout layouts[] = {
    {96,
     {546, 41},
     {16, 8, 16 + 41, 8 + 25},
     {64, 8, 64 + 41, 8 + 25},
     {112, 8, 112 + 417, 8 + 27},
     -16,
     -11},
    {144,
     {819, 62},
     {24, 12, 24 + 62, 12 + 38},
     {96, 12, 96 + 62, 12 + 38},
     {168, 12, 168 + 626, 12 + 41},
     -24,
     -17},
};

// The side in pixels of the icon `window` holds as `which`, ICON_BIG or ICON_SMALL; 0 for none.
int iconSide(HWND window, WPARAM which);
// `control`'s place in its parent's client area.
RECT placeInParent(HWND control);
// The height of the font `control` draws with.
LONG fontHeight(HWND control);
