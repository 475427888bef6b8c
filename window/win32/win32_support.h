#pragma once

#include "window/form_description.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

// The form description turned into Windows GDI objects and units, and failed calls into exceptions.
namespace karsobel::win32 {

// The identifier dialog templates give static controls that nothing refers to.
inline constexpr INT_PTR unreferencedControlId = -1;

// Throws std::system_error for the calling thread's last error.
[[noreturn]] void throwLastError(const char* call);

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

COLORREF colour(form::Rgb rgb) noexcept;
Brush solidBrush(form::Rgb rgb);
// The font at `dpi`: its height in pixels follows from its size in points.
Font createFont(const form::Font& font, UINT dpi);
RECT pixelRect(const form::TwipsRect& twips, UINT dpi) noexcept;
std::wstring wide(std::u16string_view text);
// A wide string seen as the UTF-16 it holds on Windows.
std::u16string_view asUtf16(const std::wstring& text) noexcept;
// The whole text of a window or control.
std::wstring windowText(HWND window);

// The selected part of an edit control's text, [start, end); both are the caret's place when
// nothing is selected.
struct Selection {
    DWORD start = 0;
    DWORD end = 0;
};
Selection selection(HWND edit);

} // namespace karsobel::win32
