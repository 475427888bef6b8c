#pragma once

#include <cstddef>
#include <string>

namespace karsobel::utf8 {

// What the bytes at the start of a UTF-8 text hold.
struct Decoded {
    enum class Kind {
        character,  // a well-formed character of `size` bytes
        invalid,    // the first byte starts no well-formed character
        incomplete, // the bytes so far start a well-formed character, but it goes on past the end
    };
    Kind kind;
    char32_t character = 0;
    std::size_t size = 0;
};

// Decodes the first character from `bytes` up to `end` (not empty), by the rules of well-formed
// UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
Decoded decodeFirst(const unsigned char* bytes, const unsigned char* end) noexcept;

// Appends the UTF-8 form of a code point (at most U+10FFFF) to `text`.
void append(std::string& text, char32_t character);

} // namespace karsobel::utf8
