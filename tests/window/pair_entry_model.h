#pragma once

#include <cstdint>
#include <random>
#include <string>

// A straightforward account of what the user should see: every second change pairs the first two
// characters of the input box, then the box is emptied without that counting as a change.
class Model {
public:
    std::u32string input;
    std::u16string output;

    void change(std::u32string newInput);

private:
    int changes = 0;
};

// One thing a user does to the window.
struct UserAction {
    enum Kind { Type, Paste, Backspace, Clear } kind;
    std::u32string text;
};

// Draws user actions from a seeded generator: typing letters, digits, punctuation, accented and
// astral characters, pasting a few at once, deleting, and clicking Clear.
class RandomUser {
public:
    explicit RandomUser(std::uint32_t seed) : random(seed) {}

    UserAction next();

private:
    std::size_t pick(std::size_t bound);
    std::u32string characters(std::size_t count);

    std::mt19937 random;
};

// Applies an action to the model, as the window should see it.
void apply(Model& model, const UserAction& action);

std::u16string utf16(const std::u32string& text);
