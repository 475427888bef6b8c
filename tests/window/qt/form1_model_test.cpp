#include "pair_entry_model.h"
#include "shown_form.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Acts as a user at the keyboard and mouse: keys go wherever the focus is.
void apply(ShownForm& shown, const UserAction& action) {
    QWidget* const focused = QApplication::focusWidget();
    const QString text = QString::fromStdU16String(utf16(action.text));
    switch (action.kind) {
    case UserAction::Type:
        QTest::sendKeyEvent(QTest::Click, focused, Qt::Key_unknown, text, Qt::NoModifier);
        break;
    case UserAction::Paste:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(focused, Qt::Key_V, Qt::ControlModifier);
        break;
    case UserAction::Backspace: QTest::keyClick(focused, Qt::Key_Backspace); break;
    case UserAction::Clear: QTest::mouseClick(shown.Command1, Qt::LeftButton); break;
    }
}

TEST(Form1Model, RandomSessionsThroughKeysAndClicksMatchTheModel) {
    constexpr std::uint32_t sessions = 150;
    constexpr int stepsPerSession = 40;
    for (std::uint32_t seed = 1; seed <= sessions; ++seed) {
        RandomUser user(seed);
        Model model;
        ShownForm shown;
        for (int step = 0; step < stepsPerSession; ++step) {
            const auto action = user.next();
            apply(shown, action);
            apply(model, action);
            ASSERT_EQ(shown.Text2->text().toStdU16String(), model.output)
                << "seed " << seed << ", step " << step;
            ASSERT_EQ(shown.Text1->text().toStdU16String(), utf16(model.input))
                << "seed " << seed << ", step " << step;
        }
    }
}

} // namespace
