// UTF-8 decoding against a plain reference decoder written from the table of well-formed byte
// sequences, at every offset of the input; each character decoded is encoded back to its bytes.
#include "pairs/utf8.h"
#include "tests/tools/fuzz_bytes.h"

#include <cstdint>
#include <string>

namespace {

using karsobel::utf8::Decoded;

// The well-formed sequences by their lead byte: how many bytes, and the range of the second.
struct Form {
    unsigned char firstLead;
    unsigned char lastLead;
    std::size_t size;
    unsigned char secondLow;
    unsigned char secondHigh;
};
constexpr Form forms[] = {
    {0x00, 0x7F, 1, 0, 0},       {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

Decoded referenceDecode(const unsigned char* bytes, std::size_t available) {
    for (const Form& form : forms) {
        if (bytes[0] < form.firstLead || bytes[0] > form.lastLead) {
            continue;
        }
        constexpr unsigned char leadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
        char32_t character = bytes[0] & leadBits[form.size];
        for (std::size_t i = 1; i < form.size; ++i) {
            if (i == available) {
                return {Decoded::Kind::incomplete};
            }
            const unsigned char low = i == 1 ? form.secondLow : 0x80;
            const unsigned char high = i == 1 ? form.secondHigh : 0xBF;
            if (bytes[i] < low || bytes[i] > high) {
                return {Decoded::Kind::invalid};
            }
            character = character << 6 | (bytes[i] & 0x3F);
        }
        return {Decoded::Kind::character, character, form.size};
    }
    return {Decoded::Kind::invalid};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at < size; ++at) {
        const Decoded decoded = karsobel::utf8::decodeFirst(data + at, data + size);
        const Decoded expected = referenceDecode(data + at, size - at);
        fuzzCheck(decoded.kind == expected.kind, "the kind of what was decoded");
        if (decoded.kind != Decoded::Kind::character) {
            continue;
        }
        fuzzCheck(decoded.character == expected.character && decoded.size == expected.size,
                  "the character and its size");
        std::string encoded;
        karsobel::utf8::append(encoded, decoded.character);
        fuzzCheck(encoded == std::string(reinterpret_cast<const char*>(data + at), decoded.size),
                  "the character encoded again");
    }
    return 0;
}
