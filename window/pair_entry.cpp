#include "window/pair_entry.h"

#include "letters/letters.h"
#include "window/utf16.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace karsobel {

namespace {

using utf16::isHighSurrogate;
using utf16::isLowSurrogate;

// The first two characters of `text` as code points. A surrogate pair is one character, a lone
// surrogate stands for itself, and a missing character reads as U+0000, which has no value.
std::array<char32_t, 2> firstTwoCharacters(std::u16string_view text) {
    std::array<char32_t, 2> characters{};
    std::size_t at = 0;
    for (char32_t& character : characters) {
        if (at == text.size()) {
            break;
        }
        const char16_t unit = text[at++];
        if (isHighSurrogate(unit) && at < text.size() && isLowSurrogate(text[at])) {
            character = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[at++]} - 0xDC00);
        } else {
            character = unit;
        }
    }
    return characters;
}

// The start of `text` once `edit` is made: four units, enough for two characters.
std::u16string textStartAfter(std::u16string_view text, const KeyEdit& edit) {
    constexpr std::size_t enough = 4;
    const std::size_t start = std::min(edit.start, text.size());
    const std::size_t end = std::clamp(edit.end, start, text.size());
    std::u16string result(text.substr(0, std::min(start, enough)));
    result += std::u16string_view(edit.typed).substr(0, enough - result.size());
    result += text.substr(end, enough - result.size());
    return result;
}

} // namespace

PairEntry::PairEntry(PairEntryWindow& window) noexcept : window_(window) {}

void PairEntry::onInputChanged(std::u16string_view text) {
    ++changeCount_;
    if (changeCount_ == 2) {
        pairingStep(text);
    }
}

bool PairEntry::onKeyEdit(std::u16string_view text, const KeyEdit& edit) {
    // Deleting nothing changes nothing, and does not count.
    if (changeCount_ != 1 || (edit.typed.empty() && edit.start >= edit.end)) {
        return false;
    }
    onInputChanged(textStartAfter(text, edit));
    return true;
}

void PairEntry::onClearClicked() {
    window_.clearOutput();
    window_.focusInput();
}

void PairEntry::pairingStep(std::u16string_view text) {
    const auto [first, second] = firstTwoCharacters(text);
    if (const auto letter = pairLetter(first, second)) {
        window_.appendToOutput(static_cast<char16_t>(*letter));
    }
    // Clearing the box raises a nested change that takes the count from 2 to 3; resetting only
    // afterwards keeps that change from counting toward the next pair.
    window_.clearInput();
    changeCount_ = 0;
    window_.focusInput();
}

} // namespace karsobel
