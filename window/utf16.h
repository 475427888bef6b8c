#pragma once

#include <cstddef>
#include <string_view>

// Surrogate pairs in UTF-16 text: a character outside the basic plane is a high surrogate
// followed by a low one.
namespace karsobel::utf16 {

constexpr bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool isSurrogate(char16_t unit) { return isHighSurrogate(unit) || isLowSurrogate(unit); }

// Whether the unit just before `caret` is a high surrogate with no low one after it: the first
// half of a character typed in two halves, with the second still to come.
bool awaitsLowSurrogate(std::u16string_view text, std::size_t caret) noexcept;

} // namespace karsobel::utf16
