#include "tests/tools/shown_form.h"
#include "tests/window/input_selections.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QStyleHints>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Form1Input, TakesAPasteOfAnyLengthAndStillPairs) {
    ShownForm shown;
    QApplication::clipboard()->setText("hi" + QString(99'998, QLatin1Char('x')));
    QTest::keyClick(shown.Text1, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(shown.Text1->text().size(), 100'000);
    QTest::keyClicks(shown.Text1, "cd");
    EXPECT_EQ(shown.Text2->text(), "Q");
    EXPECT_EQ(shown.Text1->text(), "d");
}

TEST(Form1Input, TheKeyThatCompletesAPairCountsWhereTheCaretIs) {
    for (const auto& [name, start, end, key, letter] : inputSelections) {
        SCOPED_TRACE(name);
        ShownForm shown;
        QApplication::clipboard()->setText(QString::fromUtf16(pastedInput));
        QTest::keyClick(shown.Text1, Qt::Key_V, Qt::ControlModifier);
        if (start == end) {
            shown.Text1->setCursorPosition(start);
        } else {
            shown.Text1->setSelection(start, end - start);
        }
        if (key == backspaceKey || key == deleteKey) {
            QTest::keyClick(shown.Text1, key == backspaceKey ? Qt::Key_Backspace : Qt::Key_Delete);
        } else {
            QTest::keyClick(shown.Text1, key);
        }
        EXPECT_EQ(shown.Text2->text(), letter ? QString(QLatin1Char(letter)) : "");
        EXPECT_EQ(shown.Text1->text(), letter ? "" : QString::fromUtf16(pastedInput));
    }
}

// Each repaint of a long text takes long, and a blinking caret asks for one twice a second.
TEST(Form1Input, TheCaretHoldsStillWhileTheInputBoxHoldsALongText) {
    const int blinkPeriod = QGuiApplication::styleHints()->cursorFlashTime();
    ASSERT_GT(blinkPeriod, 0);
    {
        ShownForm shown;
        QApplication::clipboard()->setText(QString(200'000, QLatin1Char('x')));
        QTest::keyClick(shown.Text1, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), 0);
        QTest::keyClick(shown.Text1, Qt::Key_C);
        EXPECT_EQ(shown.Text1->text(), "");
        EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), blinkPeriod);
        QTest::keyClick(shown.Text1, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), blinkPeriod);
}

// Whether undo would bring anything back, asked of a box that may be read-only.
bool holdsUndo(QLineEdit* box) {
    const bool readOnly = box->isReadOnly();
    box->setReadOnly(false);
    const bool available = box->isUndoAvailable();
    box->setReadOnly(readOnly);
    return available;
}

TEST(Form1Input, UndoBringsBackNothingThePairingOrClearRemoved) {
    ShownForm shown;
    QTest::keyClicks(shown.Text1, "hito");
    EXPECT_FALSE(holdsUndo(shown.Text1));
    EXPECT_FALSE(holdsUndo(shown.Text2));
    for (int undo = 0; undo < 3; ++undo) {
        QTest::keyClick(shown.Text1, Qt::Key_Z, Qt::ControlModifier);
    }
    QTest::keyClicks(shown.Text1, "ab");
    EXPECT_EQ(shown.Text2->text(), "QIC");
    QTest::mouseClick(shown.Command1, Qt::LeftButton);
    EXPECT_FALSE(holdsUndo(shown.Text2));
}

TEST(Form1Input, SpaceAndEnterClickTheFocusedButton) {
    ShownForm shown;
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClicks(shown.Text1, "ab");
        ASSERT_EQ(shown.Text2->text(), "C");
        shown.Command1->setFocus();
        QTest::keyClick(shown.Command1, key);
        EXPECT_EQ(shown.Text2->text(), "") << "key " << key;
        EXPECT_EQ(QApplication::focusWidget(), shown.Text1) << "key " << key;
    }
}

// What an input method sends the box: text it composes, or `commit`s, ending the composition.
struct Composing {
    QString preedit;
    QString commit;
};

void send(QLineEdit* box, const Composing& step) {
    QInputMethodEvent event(step.preedit, {});
    event.setCommitString(step.commit);
    QApplication::sendEvent(box, &event);
}

TEST(Form1Input, AnInputMethodsCommitCountsAsThatManyTypedCharacters) {
    struct Case {
        const char* name;
        QString typedBefore;
        std::vector<Composing> steps;
        QString typedAfter;
        QString output;
    };
    const QString dead = QString(QChar(0x00B4));
    const QString accented = QString(QChar(0x00E9));
    const Case cases[] = {
        {"word by word", "", {{"h", ""}, {"hi", ""}, {"", "hi"}, {"t", ""}, {"to", ""}, {"", "to"}},
         "", "QI"},
        {"several words at once, with the next word's pre-edit", "",
         {{"hit", ""}, {"o", "hit"}, {"", "o"}}, "", "QI"},
        {"cancelled", "h", {{"x", ""}, {"", ""}}, "i", "Q"},
        {"a dead key's accented letter", "", {{dead, ""}, {"", accented}}, "e", "E"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        ShownForm shown;
        QTest::keyClicks(shown.Text1, each.typedBefore);
        for (const Composing& step : each.steps) {
            send(shown.Text1, step);
        }
        QTest::keyClicks(shown.Text1, each.typedAfter);
        EXPECT_EQ(shown.Text2->text(), each.output);
        EXPECT_EQ(shown.Text1->text(), "");
    }
}

} // namespace
