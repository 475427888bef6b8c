#include "fake_window.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A straightforward account of what the user should see: every second change pairs the first two
// characters of the input box, then the box is emptied without that counting as a change.
class Model {
public:
    std::u32string input;
    std::u16string output;

    void change(std::u32string newInput) {
        if (newInput == input) {
            return;
        }
        input = std::move(newInput);
        if (++changes < 2) {
            return;
        }
        const int x = input.size() > 0 ? position(input[0]) : 0;
        const int y = input.size() > 1 ? position(input[1]) : 0;
        if (x > 0 && y > 0) {
            output += static_cast<char16_t>(u'A' + (x + y - 1) % 26);
        } else if (x + y > 0) {
            output += static_cast<char16_t>(u'A' + x + y - 1);
        }
        input.clear();
        changes = 0;
    }

private:
    static int position(char32_t c) {
        const std::u32string_view alphabets[] = {U"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                                 U"abcdefghijklmnopqrstuvwxyz"};
        for (const auto alphabet : alphabets) {
            if (const auto at = alphabet.find(c); at != std::u32string_view::npos) {
                return static_cast<int>(at) + 1;
            }
        }
        return 0;
    }

    int changes = 0;
};

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

constexpr std::u32string_view typeable = U"abcxyzABCXYZ0189 .,!?-éÉßçÆΩЖ€Ａｚ\U0001F600\U0001D400";

class RandomUser {
public:
    explicit RandomUser(std::uint32_t seed) : random(seed) {}

    std::u32string characters(std::size_t count) {
        std::u32string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += typeable[pick(typeable.size())];
        }
        return text;
    }

    std::size_t pick(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
    }

private:
    std::mt19937 random;
};

TEST(PairEntryModel, RandomSessionsMatchTheModel) {
    constexpr std::uint32_t sessions = 3000;
    constexpr int stepsPerSession = 60;
    for (std::uint32_t seed = 1; seed <= sessions; ++seed) {
        RandomUser user(seed);
        FakeWindow window;
        Model model;
        for (int step = 0; step < stepsPerSession; ++step) {
            switch (user.pick(10)) {
            case 0:
            case 1:
                if (!model.input.empty()) {
                    window.backspace();
                    model.change(model.input.substr(0, model.input.size() - 1));
                }
                break;
            case 2: {
                const auto pasted = user.characters(2 + user.pick(6));
                window.type(utf16(pasted));
                model.change(model.input + pasted);
                break;
            }
            case 3:
                window.clickClear();
                model.output.clear();
                break;
            default: {
                const auto typed = user.characters(1);
                window.type(utf16(typed));
                model.change(model.input + typed);
            }
            }
            ASSERT_EQ(window.output, model.output) << "seed " << seed << ", step " << step;
            ASSERT_EQ(window.input, utf16(model.input)) << "seed " << seed << ", step " << step;
        }
    }
}

} // namespace
