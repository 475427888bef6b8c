#pragma once

#include "tests/window/pair_entry_model.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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
