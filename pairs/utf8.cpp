#include "pairs/utf8.h"

namespace karsobel::utf8 {

Decoded decodeFirst(const unsigned char* bytes, const unsigned char* end) noexcept {
    const unsigned char lead = bytes[0];
    if (lead < 0x80) {
        return {Decoded::Kind::character, lead, 1};
    }
    std::size_t size = 0;
    char32_t character = 0;
    // The range allowed for the second byte narrows after some leads, which rules out overlong
    // forms, surrogates and code points past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        character = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        character = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        character = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return {Decoded::Kind::invalid};
    }
    for (std::size_t i = 1; i < size; ++i) {
        if (bytes + i == end) {
            return {Decoded::Kind::incomplete};
        }
        const unsigned char continuation = bytes[i];
        if (continuation < low || continuation > high) {
            return {Decoded::Kind::invalid};
        }
        character = character << 6 | (continuation & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {Decoded::Kind::character, character, size};
}

void append(std::string& text, char32_t character) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (character < 0x80) {
        text += byte(character);
    } else if (character < 0x800) {
        text += byte(0xC0 | character >> 6);
        text += byte(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        text += byte(0xE0 | character >> 12);
        text += byte(0x80 | (character >> 6 & 0x3F));
        text += byte(0x80 | (character & 0x3F));
    } else {
        text += byte(0xF0 | character >> 18);
        text += byte(0x80 | (character >> 12 & 0x3F));
        text += byte(0x80 | (character >> 6 & 0x3F));
        text += byte(0x80 | (character & 0x3F));
    }
}

} // namespace karsobel::utf8
