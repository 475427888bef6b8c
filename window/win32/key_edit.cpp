#include "window/win32/key_edit.h"

#include "window/utf16.h"
#include "window/win32/win32_support.h"

namespace karsobel::win32 {

namespace {

bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

} // namespace

std::optional<KeyEdit> keyEdit(HWND box, std::u16string_view text, UINT message, WPARAM key) {
    const auto [start, end] = selection(box);
    const auto unit = static_cast<char16_t>(key);
    if (message == WM_CHAR && unit >= u' ' && unit != u'\x7F' && !utf16::isSurrogate(unit)) {
        return KeyEdit{start, end, std::u16string(1, unit)};
    }
    // Backspace comes as a character; with Ctrl held it is Ctrl+H, which does nothing.
    if (message == WM_CHAR && key == VK_BACK && !held(VK_CONTROL)) {
        if (start != end) {
            return KeyEdit{start, end, {}};
        }
        // A surrogate pair goes whole, which is left to the box.
        if (start > 0 && start <= text.size() && !utf16::isSurrogate(text[start - 1])) {
            return KeyEdit{start - 1, start, {}};
        }
    }
    if (message == WM_KEYDOWN && key == VK_DELETE && start != end && !held(VK_SHIFT) &&
        !held(VK_CONTROL)) {
        return KeyEdit{start, end, {}};
    }
    return std::nullopt;
}

} // namespace karsobel::win32
