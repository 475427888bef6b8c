// The pair entry, driven through a window that behaves as a toolkit does by any sequence of
// typed keys, keys typed over a selection, pastes, Backspace and Clear, against the plain model
// of what the user should see.
#include "tests/tools/fuzz_bytes.h"
#include "tests/window/fake_window.h"
#include "tests/window/pair_entry_model.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::u32string_view beyondAscii = U"éÉßçÆΩЖ€Ａｚ\U0001F600\U0001D400";

// An ASCII character as it is, one of a few others, or any character of the first plane that is
// not a surrogate.
char32_t takeCharacter(FuzzBytes& input) {
    const std::uint8_t byte = input.take();
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xF0) {
        return beyondAscii[byte % beyondAscii.size()];
    }
    const auto character = static_cast<char32_t>(input.takeBelow(0x10000));
    return character >= 0xD800 && character < 0xE000 ? U'?' : character;
}

std::u32string takeCharacters(FuzzBytes& input, std::size_t count) {
    std::u32string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += takeCharacter(input);
    }
    return text;
}

// Where the character `at` starts in `text` written in UTF-16.
std::size_t unitsBefore(const std::u32string& text, std::size_t at) {
    return utf16(text.substr(0, at)).size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    FakeWindow window;
    Model model;
    while (!input.empty()) {
        const std::uint8_t action = input.take();
        switch (action % 5) {
        case 0: {
            const std::u32string typed = takeCharacters(input, 1);
            window.type(utf16(typed));
            apply(model, {UserAction::Type, typed});
            break;
        }
        case 1: {
            const std::size_t start = input.takeBelow(model.input.size() + 1);
            const std::size_t end = start + input.takeBelow(model.input.size() - start + 1);
            const std::u32string typed = takeCharacters(input, action / 5 % 4);
            // Typing over a selection the same characters it holds is left out: whether a box
            // counts that as a change is its toolkit's own.
            if (model.input.compare(start, end - start, typed) == 0) {
                break;
            }
            window.typeOver(unitsBefore(model.input, start), unitsBefore(model.input, end),
                            utf16(typed));
            model.change(model.input.substr(0, start) + typed + model.input.substr(end));
            break;
        }
        case 2: {
            const std::u32string pasted = takeCharacters(input, 1 + action / 5 % 8);
            window.paste(utf16(pasted));
            apply(model, {UserAction::Paste, pasted});
            break;
        }
        case 3:
            window.backspace();
            apply(model, {UserAction::Backspace, {}});
            break;
        case 4:
            window.clickClear();
            apply(model, {UserAction::Clear, {}});
            break;
        }
        fuzzCheck(window.input == utf16(model.input), "the input box");
        fuzzCheck(window.output == model.output, "the output box");
        fuzzCheck(window.entry.changeCount() >= 0 && window.entry.changeCount() < 2,
                  "the change count between two changes");
        fuzzCheck(window.focus == FakeWindow::Focus::Input, "the focus back in the input box");
    }
    return 0;
}
