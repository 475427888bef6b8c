#include "letters/letters.h"

#include <string_view>

namespace karsobel {

namespace {
constexpr int alphabetLength = 26;
constexpr std::string_view outputLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
} // namespace

std::optional<int> letterValue(char32_t c) noexcept {
    if (c >= U'A' && c <= U'Z') {
        return static_cast<int>(c - U'A') + 1;
    }
    if (c >= U'a' && c <= U'z') {
        return static_cast<int>(c - U'a') + 1;
    }
    return std::nullopt;
}

std::optional<char> pairLetter(char32_t first, char32_t second) noexcept {
    int sum = letterValue(first).value_or(0) + letterValue(second).value_or(0);
    if (sum > alphabetLength) {
        sum -= alphabetLength;
    }
    if (sum == 0) {
        return std::nullopt;
    }
    return outputLetters[static_cast<std::size_t>(sum - 1)];
}

} // namespace karsobel
