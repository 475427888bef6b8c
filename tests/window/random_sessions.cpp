#include "tests/window/random_sessions.h"

#include <gtest/gtest.h>

void expectRandomSessionsMatchModel(std::uint32_t sessions, int steps,
                                    const std::function<std::unique_ptr<UserWindow>()>& newWindow) {
    for (std::uint32_t seed = 1; seed <= sessions; ++seed) {
        RandomUser user(seed);
        Model model;
        const auto window = newWindow();
        for (int step = 0; step < steps; ++step) {
            const auto action = user.next();
            window->apply(action);
            apply(model, action);
            ASSERT_EQ(window->output(), model.output) << "seed " << seed << ", step " << step;
            ASSERT_EQ(window->input(), utf16(model.input)) << "seed " << seed << ", step " << step;
        }
    }
}
