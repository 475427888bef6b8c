// Every vector core against the scalar path: the same letters, invalid-byte count and waiting
// character, whatever the text and wherever it is cut.
//
// The input: a byte that says how the text is made and fed, a byte that says how many cuts, two
// bytes for each cut, then the text. Random bytes seldom make the 128 valid bytes in a row that a
// vector core needs, so the text may instead be made from pieces that the rest of the input picks:
// characters of every length, line breaks, and now and then a piece of invalid UTF-8.
#include "pairs/pair_stream.h"
#include "tests/pairs/pair_in_pieces.h"
#include "tests/tools/fuzz_bytes.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace vector_pairing = karsobel::vector_pairing;

// The first `validPieces` are valid UTF-8, the first `plainPieces` of them ASCII.
constexpr std::string_view pieces[] = {
    "a", "Z", "q", "m", " ", "7", "hi", "\n", "\r\n", "\t",
    "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF",
    "\xE2\x82", "\xF0\x9F\x98", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
    "\xF4\x90\x80\x80", "\xF5", "\xFF", "\x80", "\xBF\xBF", std::string_view("\0", 1),
};
constexpr std::size_t plainPieces = 10;
constexpr std::size_t validPieces = 15;
// Longer texts add nothing that a few of a vector core's stretches do not show, only time.
constexpr std::size_t longestText = 16 * 1024;
constexpr std::size_t longestFedByteByByte = 2 * 1024;

// The text as the mode asks: the bytes as they are, or pieces picked by them from the plain
// ones, the valid ones, or all, the invalid ones seldom.
std::string makeText(std::uint8_t mode, std::string_view bytes) {
    if (mode == 0) {
        return std::string(bytes);
    }
    const std::size_t kinds[] = {plainPieces, validPieces, std::size(pieces)};
    const std::size_t kind = kinds[mode - 1];
    std::string text;
    for (const char byte : bytes) {
        const auto choice = static_cast<std::uint8_t>(byte);
        // One pick in sixteen may be any piece at all.
        const std::size_t range = (choice & 0xF0) == 0xF0 ? std::size(pieces) : kind;
        text += pieces[(choice & 0x0F) % range];
        // The rest of the byte repeats the piece, making long runs of one kind.
        for (int i = 0; i < (choice >> 4 & 0x7) && (choice & 0xF0) != 0xF0; ++i) {
            text += pieces[(choice & 0x0F) % range];
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    const std::uint8_t how = input.take();
    const std::size_t cutCount = input.take() % 8;
    std::vector<std::size_t> choices(cutCount);
    for (std::size_t& choice : choices) {
        choice = input.takeBelow(0x10000);
    }
    const std::string text = makeText(how % 4, input.rest()).substr(0, longestText);
    std::vector<std::size_t> cuts;
    for (const std::size_t choice : choices) {
        cuts.push_back(choice % (text.size() + 1));
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(text.size());
    std::vector<std::size_t> everyByte;
    if ((how & 0x04) != 0 && text.size() <= longestFedByteByByte) {
        for (std::size_t cut = 1; cut <= text.size(); ++cut) {
            everyByte.push_back(cut);
        }
    }

    const Outcome expected = pairInPieces(nullptr, text, {text.size()});
    fuzzCheck(pairInPieces(nullptr, text, cuts) == expected, "the scalar path, cut");
    for (const vector_pairing::Target& target : vector_pairing::supportedTargets()) {
        fuzzCheck(pairInPieces(target.core, text, {text.size()}) == expected, target.name.data());
        fuzzCheck(pairInPieces(target.core, text, cuts) == expected, target.name.data());
        if (!everyByte.empty()) {
            fuzzCheck(pairInPieces(target.core, text, everyByte) == expected, target.name.data());
        }
    }
    return 0;
}
