#pragma once

#include <optional>

namespace karsobel {

// Position in the alphabet of an unaccented ASCII letter, either case: A = 1 ... Z = 26.
// Every other code point, accented and full-width letters included, has no value.
std::optional<int> letterValue(char32_t c) noexcept;

// The capital letter for a pair of characters: their letter values added, a missing value adding
// nothing, and wrapped once past 26. Nothing when neither character has a value.
std::optional<char> pairLetter(char32_t first, char32_t second) noexcept;

} // namespace karsobel
