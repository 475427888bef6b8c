#include "pairs/pair_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using karsobel::PairStream;

struct Outcome {
    std::string letters;
    std::uint64_t invalidBytes = 0;
    std::optional<char32_t> unpaired;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << '"' << outcome.letters << "\", " << outcome.invalidBytes << " invalid, unpaired "
         << (outcome.unpaired ? std::to_string(*outcome.unpaired) : "none");
}

// Feeds `text` cut at `cuts`, each piece with exactly the room feed asks for.
Outcome pairInPieces(std::string_view text, const std::vector<std::size_t>& cuts) {
    PairStream stream;
    Outcome outcome;
    std::size_t start = 0;
    for (const std::size_t cut : cuts) {
        const std::string_view piece = text.substr(start, cut - start);
        std::vector<char> letters(PairStream::maxLetters(piece.size()));
        outcome.letters.append(letters.data(), stream.feed(piece, letters.data()));
        start = cut;
    }
    std::vector<char> letters(PairStream::maxLetters(0));
    outcome.letters.append(letters.data(), stream.finish(letters.data()));
    outcome.invalidBytes = stream.invalidBytes();
    outcome.unpaired = stream.unpairedCharacter();
    return outcome;
}

struct Case {
    std::string_view text;
    Outcome expected;
};

constexpr char32_t invalid = U'\uFFFD';
constexpr std::optional<char32_t> none;

// A text whose hex escapes are followed by letters is written in two parts, kept on one line.
// clang-format off
const Case cases[] = {
    {"", {"", 0, none}},
    {"hito", {"QI", 0, none}},
    {"ab", {"C", 0, none}},
    {"zz", {"Z", 0, none}},
    {"12", {"", 0, none}},
    {"mnYa 7", {"AZ", 0, none}},
    {"hit", {"Q", 0, U't'}},
    // Line breaks and tabs are never typed into the box: skipped wherever they fall.
    {"h\ni\tt\r\no\n", {"QI", 0, none}},
    {"\nab\r\ncd\te", {"CG", 0, U'e'}},
    // Two, three and four bytes: one character each, with no letter value.
    {"a\xC3\xA9" "b", {"A", 0, U'b'}},
    {"\xE2\x82\xAC" "a", {"A", 0, none}},
    {"a\xF0\x9D\x90\x80" "bc", {"AE", 0, none}},
    {"\xF0\x9F\x98\x80", {"", 0, U'\U0001F600'}},
    // Every byte that is not well-formed UTF-8 is one character with no value.
    {"a\xFF" "b\xFE", {"AB", 2, none}},
    {"\xE2\x82" "ab", {"C", 2, none}},
    {"a\xE2\x82", {"A", 2, invalid}},
    {"\xC0\xAFzz", {"Z", 2, none}},
    {"\xED\xA0\x80" "a", {"A", 3, none}},
    {"\xF4\x90\x80\x80" "ab", {"C", 4, none}},
    {"\x80" "a\xC3", {"A", 2, invalid}},
};
// clang-format on

TEST(PairStream, GivesTheSameLettersWhereverTheTextIsCut) {
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(pairInPieces(c.text, {c.text.size()}), c.expected) << "in one piece";
        std::vector<std::size_t> everyByte;
        for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
            EXPECT_EQ(pairInPieces(c.text, {cut, c.text.size()}), c.expected) << "cut at " << cut;
            everyByte.push_back(cut);
        }
        EXPECT_EQ(pairInPieces(c.text, everyByte), c.expected) << "a byte at a time";
    }
}

// A long run goes through the whole-pair loop, which a line break puts out of step.
TEST(PairStream, KeepsPairingAcrossLongLines) {
    const std::string line = std::string(1001, 'a') + "\n";
    std::string text;
    for (int i = 0; i < 3; ++i) {
        text += line;
    }
    // 3003 a's: 1501 pairs of "B" and one a left over.
    EXPECT_EQ(pairInPieces(text, {text.size()}), (Outcome{std::string(1501, 'B'), 0, U'a'}));
}

} // namespace
