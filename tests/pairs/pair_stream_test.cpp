#include "pairs/pair_stream.h"
#include "tests/pairs/pair_in_pieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// GoogleTest finds it beside the type it prints.
void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << '"' << outcome.letters << "\", " << outcome.invalidBytes << " invalid, unpaired "
         << (outcome.unpaired ? std::to_string(*outcome.unpaired) : "none");
}

namespace {

namespace vector_pairing = karsobel::vector_pairing;

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

// The scalar path alone, then each vector core this processor runs.
std::vector<vector_pairing::Target> everyCore() {
    std::vector<vector_pairing::Target> cores{{"scalar", nullptr}};
    for (const vector_pairing::Target& target : vector_pairing::supportedTargets()) {
        cores.push_back(target);
    }
    return cores;
}

// Line breaks change nothing, and 160 of them on either side give the vector cores blocks to
// read the case in; "ab" pairs before the case only add C's.
const std::string lineBreaks(160, '\n');
const std::string abs = [] {
    std::string text;
    for (int i = 0; i < 80; ++i) {
        text += "ab";
    }
    return text;
}();

TEST(PairStream, GivesTheSameLettersWhereverTheTextIsCut) {
    for (const vector_pairing::Target& core : everyCore()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(core.name) + " " + testing::PrintToString(std::string(c.text)));
            Outcome afterAbs = c.expected;
            afterAbs.letters.insert(0, std::string(80, 'C'));
            const std::pair<std::string, Outcome> texts[] = {
                {std::string(c.text), c.expected},
                {lineBreaks + std::string(c.text) + lineBreaks, c.expected},
                {abs + std::string(c.text) + lineBreaks, afterAbs},
            };
            for (const auto& [text, expected] : texts) {
                EXPECT_EQ(pairInPieces(core.core, text, {text.size()}), expected) << "in one piece";
                std::vector<std::size_t> everyByte;
                for (std::size_t cut = 0; cut <= text.size(); ++cut) {
                    EXPECT_EQ(pairInPieces(core.core, text, {cut, text.size()}), expected)
                        << "cut at " << cut;
                    everyByte.push_back(cut);
                }
                EXPECT_EQ(pairInPieces(core.core, text, everyByte), expected) << "a byte at a time";
            }
        }
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
    for (const vector_pairing::Target& core : everyCore()) {
        EXPECT_EQ(pairInPieces(core.core, text, {text.size()}),
                  (Outcome{std::string(1501, 'B'), 0, U'a'}))
            << core.name;
    }
}

// Random texts of every kind of byte, in runs long enough for the vector cores, cut at random:
// each core gives what the scalar path gives for the whole text.
TEST(PairStream, VectorCoresAgreeWithTheScalarPath) {
    if (vector_pairing::supportedTargets().empty()) {
        GTEST_SKIP() << "no vector core runs on this processor";
    }
    const std::string_view pieces[] = {
        "a", "Z", "q", "m", " ", "7", ".", "\n", "\r\n", "\t",
        "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF",
        "\xE2\x82", "\xF0\x9F\x98", "\xC3",                       // truncated
        "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\x80", "\xC1\xBF", // overlong
        "\xED\xA0\x80", "\xED\xBF\xBF",                           // surrogates
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\xFE", "\xF8", // above U+10FFFF
        "\x80", "\xBF\xBF",                                       // stray continuations
    };
    constexpr std::size_t plainPieces = 10;
    constexpr std::size_t validPieces = 15;
    std::mt19937 random(19);
    for (int round = 0; round < 300; ++round) {
        // Mostly ASCII, mostly valid, or anything, so that whole blocks of each come up.
        const std::size_t kinds[] = {plainPieces, validPieces, std::size(pieces)};
        const std::size_t kind = kinds[round % 3];
        const std::size_t rare = std::uniform_int_distribution<std::size_t>(0, 200)(random);
        std::string text;
        const std::size_t size = std::uniform_int_distribution<std::size_t>(0, 3000)(random);
        while (text.size() < size) {
            const bool anything = std::uniform_int_distribution<std::size_t>(0, 200)(random) < rare;
            const std::size_t range = anything ? std::size(pieces) : kind;
            text += pieces[std::uniform_int_distribution<std::size_t>(0, range - 1)(random)];
        }
        std::vector<std::size_t> cuts(std::uniform_int_distribution<int>(0, 4)(random));
        for (std::size_t& cut : cuts) {
            cut = std::uniform_int_distribution<std::size_t>(0, text.size())(random);
        }
        std::sort(cuts.begin(), cuts.end());
        cuts.push_back(text.size());
        const Outcome expected = pairInPieces(nullptr, text, {text.size()});
        for (const vector_pairing::Target& target : vector_pairing::supportedTargets()) {
            ASSERT_EQ(pairInPieces(target.core, text, cuts), expected)
                << target.name << ", round " << round << ", " << text.size() << " bytes, cut at " << testing::PrintToString(cuts);
        }
    }
}

} // namespace
