#include "tests/window/random_sessions.h"
#include "tests/tools/shown_form.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Acts as a user at the keyboard and mouse: keys go wherever the focus is.
class KeyboardUser final : public UserWindow {
public:
    void apply(const UserAction& action) override {
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
    std::u16string input() const override { return shown.Text1->text().toStdU16String(); }
    std::u16string output() const override { return shown.Text2->text().toStdU16String(); }

private:
    ShownForm shown;
};

TEST(Form1Model, RandomSessionsThroughKeysAndClicksMatchTheModel) {
    expectRandomSessionsMatchModel(150, 40, [] { return std::make_unique<KeyboardUser>(); });
}

} // namespace
