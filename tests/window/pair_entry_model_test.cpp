#include "tests/window/fake_window.h"
#include "tests/window/random_sessions.h"

#include <gtest/gtest.h>

namespace {

class FakeUserWindow final : public UserWindow {
public:
    void apply(const UserAction& action) override {
        switch (action.kind) {
        case UserAction::Type: window.type(utf16(action.text)); break;
        case UserAction::Paste: window.paste(utf16(action.text)); break;
        case UserAction::Backspace: window.backspace(); break;
        case UserAction::Clear: window.clickClear(); break;
        }
    }
    std::u16string input() const override { return window.input; }
    std::u16string output() const override { return window.output; }

private:
    FakeWindow window;
};

TEST(PairEntryModel, RandomSessionsMatchTheModel) {
    expectRandomSessionsMatchModel(3000, 60, [] { return std::make_unique<FakeUserWindow>(); });
}

} // namespace
