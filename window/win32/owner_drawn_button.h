#pragma once

#include <windows.h>

namespace karsobel::win32 {

// Paints an owner-drawn push button: its face filled with `face`, a raised edge that sinks while
// the button is pressed, its caption in its own font and in `text`, and a focus rectangle while it
// has the focus.
void drawButton(const DRAWITEMSTRUCT& item, HBRUSH face, COLORREF text);

} // namespace karsobel::win32
