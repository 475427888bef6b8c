#include "letters/letters.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace {

using karsobel::letterValue;
using karsobel::pairLetter;

struct WorkedPair {
    char32_t first;
    char32_t second;
    std::optional<char> output;
};

TEST(PairLetter, WorkedPairs) {
    const WorkedPair pairs[] = {
        {U'a', U'b', 'C'}, {U'A', U'A', 'B'}, {U'A', U'b', 'C'},  {U'h', U'I', 'Q'},
        {U'Y', U'a', 'Z'}, {U'm', U'n', 'A'}, {U'z', U'z', 'Z'},  {U'a', U'7', 'A'},
        {U' ', U'c', 'C'}, {U'1', U'2', std::nullopt},             {U'e', U'u', 'Z'},
        {U'a', U'z', 'A'}, {U'Z', U'Z', 'Z'}, {U'é', U'b', 'B'},   {U'Ａ', U'Ｂ', std::nullopt},
    };
    for (const auto& [first, second, output] : pairs) {
        EXPECT_EQ(pairLetter(first, second), output)
            << "pair U+" << std::hex << static_cast<unsigned>(first) << ", U+"
            << static_cast<unsigned>(second);
    }
}

TEST(LetterValue, Boundaries) {
    const struct {
        char32_t code;
        std::optional<int> value;
    } cases[] = {
        {64, std::nullopt}, {65, 1}, {90, 26}, {91, std::nullopt},
        {96, std::nullopt}, {97, 1}, {122, 26}, {123, std::nullopt},
    };
    for (const auto& [code, value] : cases) {
        EXPECT_EQ(letterValue(code), value) << "code " << static_cast<unsigned>(code);
    }
}

// The rule restated independently: a value only for the 52 unaccented ASCII letters.
std::optional<int> alphabetPosition(char32_t c) {
    constexpr std::u32string_view capitals = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    constexpr std::u32string_view smalls = U"abcdefghijklmnopqrstuvwxyz";
    for (const auto alphabet : {capitals, smalls}) {
        if (const auto at = alphabet.find(c); at != std::u32string_view::npos) {
            return static_cast<int>(at) + 1;
        }
    }
    return std::nullopt;
}

TEST(LetterValue, EveryCodePointFollowsTheRule) {
    int lettersSeen = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const auto value = letterValue(c);
        if (value != alphabetPosition(c)) {
            FAIL() << "code point U+" << std::hex << static_cast<unsigned>(c);
        }
        lettersSeen += value.has_value();
    }
    EXPECT_EQ(lettersSeen, 52);
}

TEST(PairLetter, EveryPairOfSingleByteCodesFollowsTheRule) {
    for (char32_t first = 0; first < 256; ++first) {
        for (char32_t second = 0; second < 256; ++second) {
            const auto x = alphabetPosition(first);
            const auto y = alphabetPosition(second);
            std::optional<char> expected;
            if (x && y) {
                expected = static_cast<char>('A' + (*x + *y - 1) % 26);
            } else if (x || y) {
                expected = static_cast<char>('A' + x.value_or(0) + y.value_or(0) - 1);
            }
            if (pairLetter(first, second) != expected) {
                FAIL() << "codes " << static_cast<unsigned>(first) << ", "
                       << static_cast<unsigned>(second);
            }
        }
    }
}

} // namespace
