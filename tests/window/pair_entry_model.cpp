#include "tests/window/pair_entry_model.h"

#include <string_view>

namespace {

int alphabetPosition(char32_t c) {
    const std::u32string_view alphabets[] = {U"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                             U"abcdefghijklmnopqrstuvwxyz"};
    for (const auto alphabet : alphabets) {
        if (const auto at = alphabet.find(c); at != std::u32string_view::npos) {
            return static_cast<int>(at) + 1;
        }
    }
    return 0;
}

constexpr std::u32string_view typeable = U"abcxyzABCXYZ0189 .,!?-éÉßçÆΩЖ€Ａｚ\U0001F600\U0001D400";

} // namespace

void Model::change(std::u32string newInput) {
    if (newInput == input) {
        return;
    }
    input = std::move(newInput);
    if (++changes < 2) {
        return;
    }
    const int x = input.size() > 0 ? alphabetPosition(input[0]) : 0;
    const int y = input.size() > 1 ? alphabetPosition(input[1]) : 0;
    if (x > 0 && y > 0) {
        output += static_cast<char16_t>(u'A' + (x + y - 1) % 26);
    } else if (x + y > 0) {
        output += static_cast<char16_t>(u'A' + x + y - 1);
    }
    input.clear();
    changes = 0;
}

UserAction RandomUser::next() {
    switch (pick(10)) {
    case 0:
    case 1: return {UserAction::Backspace, {}};
    case 2: return {UserAction::Paste, characters(2 + pick(6))};
    case 3: return {UserAction::Clear, {}};
    default: return {UserAction::Type, characters(1)};
    }
}

std::size_t RandomUser::pick(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
}

std::u32string RandomUser::characters(std::size_t count) {
    std::u32string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += typeable[pick(typeable.size())];
    }
    return text;
}

void apply(Model& model, const UserAction& action) {
    switch (action.kind) {
    case UserAction::Type:
    case UserAction::Paste: model.change(model.input + action.text); break;
    case UserAction::Backspace:
        if (!model.input.empty()) {
            model.change(model.input.substr(0, model.input.size() - 1));
        }
        break;
    case UserAction::Clear: model.output.clear(); break;
    }
}

std::u16string utf16(const std::u32string& text) {
    std::u16string units;
    for (const char32_t c : text) {
        if (c < 0x10000) {
            units += static_cast<char16_t>(c);
        } else {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return units;
}
