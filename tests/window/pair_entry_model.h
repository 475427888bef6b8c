#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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

// A window as its user sees it: actions in, the two boxes' texts out.
class UserWindow {
public:
    virtual ~UserWindow() = default;
    virtual void apply(const UserAction& action) = 0;
    [[nodiscard]] virtual std::u16string input() const = 0;
    [[nodiscard]] virtual std::u16string output() const = 0;
};

// Plays `sessions` seeded random sessions of `steps` actions, each on a new window and a new
// model, and fails the running test at the first difference, naming the seed and the step.
void expectRandomSessionsMatchModel(std::uint32_t sessions, int steps,
                                    const std::function<std::unique_ptr<UserWindow>()>& newWindow);

std::u16string utf16(const std::u32string& text);
