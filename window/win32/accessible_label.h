#pragma once

#include "window/form_description.h"

#include <windows.h>

namespace karsobel::win32 {

// Gives a text box its accessible name the way dialog templates do: Windows' accessibility proxies
// name an edit control after the static text control just before it in z-order. Created hidden,
// so nothing changes on screen or in the tab order; call it just before creating the text box.
// Does nothing for other kinds of control, which name themselves by their caption.
void createAccessibleLabel(HWND parent, const form::Control& description, HINSTANCE instance);

} // namespace karsobel::win32
