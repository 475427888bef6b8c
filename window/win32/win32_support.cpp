#include "window/win32/win32_support.h"

#include <cmath>
#include <cstddef>
#include <system_error>

namespace karsobel::win32 {

namespace {
constexpr double pointsPerInch = 72.0;
} // namespace

void throwLastError(const char* call) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), call);
}

COLORREF colour(form::Rgb rgb) noexcept {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

Brush solidBrush(form::Rgb rgb) {
    Brush brush(CreateSolidBrush(colour(rgb)));
    if (!brush) {
        throwLastError("CreateSolidBrush");
    }
    return brush;
}

Font createFont(const form::Font& font, UINT dpi) {
    LOGFONTW description{};
    // A negative height asks for the character height, without the internal leading.
    description.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi / pointsPerInch));
    description.lfWeight = font.weight;
    description.lfCharSet = static_cast<BYTE>(font.charset);
    // The face name, cut to fit with its terminating null.
    for (std::size_t at = 0; at < font.family.size() && at + 1 < LF_FACESIZE; ++at) {
        description.lfFaceName[at] = static_cast<wchar_t>(font.family[at]);
    }
    Font created(CreateFontIndirectW(&description));
    if (!created) {
        throwLastError("CreateFontIndirectW");
    }
    return created;
}

RECT pixelRect(const form::TwipsRect& twips, UINT dpi) noexcept {
    const int perInch = static_cast<int>(dpi);
    const int left = form::pixels(twips.left, perInch);
    const int top = form::pixels(twips.top, perInch);
    return {left, top, left + form::pixels(twips.width, perInch),
            top + form::pixels(twips.height, perInch)};
}

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

std::u16string_view asUtf16(const std::wstring& text) noexcept {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

Selection selection(HWND edit) {
    Selection selected;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selected.start),
                 reinterpret_cast<LPARAM>(&selected.end));
    return selected;
}

} // namespace karsobel::win32
