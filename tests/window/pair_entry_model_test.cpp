#include "fake_window.h"
#include "pair_entry_model.h"

#include <gtest/gtest.h>

namespace {

void apply(FakeWindow& window, const UserAction& action) {
    switch (action.kind) {
    case UserAction::Type:
    case UserAction::Paste: window.type(utf16(action.text)); break;
    case UserAction::Backspace: window.backspace(); break;
    case UserAction::Clear: window.clickClear(); break;
    }
}

TEST(PairEntryModel, RandomSessionsMatchTheModel) {
    constexpr std::uint32_t sessions = 3000;
    constexpr int stepsPerSession = 60;
    for (std::uint32_t seed = 1; seed <= sessions; ++seed) {
        RandomUser user(seed);
        FakeWindow window;
        Model model;
        for (int step = 0; step < stepsPerSession; ++step) {
            const auto action = user.next();
            apply(window, action);
            apply(model, action);
            ASSERT_EQ(window.output, model.output) << "seed " << seed << ", step " << step;
            ASSERT_EQ(window.input, utf16(model.input)) << "seed " << seed << ", step " << step;
        }
    }
}

} // namespace
