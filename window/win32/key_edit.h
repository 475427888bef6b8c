#pragma once

#include "window/pair_entry.h"

#include <windows.h>

#include <optional>
#include <string_view>

namespace karsobel::win32 {

// The edit a key message is about to make to an edit control's text, when it is one that the
// control is known to make this way: a character typed over the selection or at the caret,
// Backspace over the selection or on a character that is one unit long, and Delete over the
// selection. Nothing for any other message, which the control then handles itself: its commands
// (Ctrl+V, Ctrl+Backspace, Shift+Delete) and each half of a character typed in two.
// `text` is the box's text, which the caller has read.
std::optional<KeyEdit> keyEdit(HWND box, std::u16string_view text, UINT message, WPARAM key);

// Whether a message may be a key's edit, for a caller to read the box's text only then.
constexpr bool mayEdit(UINT message, WPARAM key) {
    return message == WM_CHAR || (message == WM_KEYDOWN && key == VK_DELETE);
}

} // namespace karsobel::win32
