#include "tests/window/output_selections.h"
#include "tests/tools/shown_form.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(Form1Geometry, ControlsSitAtTheirPlacesInDeviceIndependentPixels) {
    ShownForm shown;
    EXPECT_EQ(shown.form.size(), QSize(546, 41));
    EXPECT_EQ(shown.form.minimumSize(), shown.form.maximumSize());
    const struct {
        QWidget* control;
        QRect place;
    } cases[] = {
        {shown.Text1, {16, 8, 41, 25}},
        {shown.Command1, {64, 8, 41, 25}},
        {shown.Text2, {112, 8, 417, 27}},
    };
    for (const auto& [control, place] : cases) {
        EXPECT_EQ(control->geometry(), place) << control->objectName().toStdString();
    }
    // At any scale the window's pixels follow: 546 x 41 at scale 1, 1092 x 82 at scale 2.
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    EXPECT_EQ(shown.form.grab().size(), QSize(546, 41) * scale);
}

TEST(Form1Look, CaptionColoursAndFonts) {
    ShownForm shown;
    EXPECT_EQ(shown.form.windowTitle(), "Karsobel");
    EXPECT_EQ(shown.Command1->text(), "Clear");
    EXPECT_EQ(shown.form.palette().color(QPalette::Window), QColor(0, 0, 128));
    const struct {
        QWidget* control;
        QColor background;
        double points;
    } cases[] = {
        {shown.Text1, {0, 192, 192}, 12.0},
        {shown.Command1, {128, 128, 255}, 8.25},
        {shown.Text2, {0, 192, 192}, 12.0},
    };
    for (const auto& [control, background, points] : cases) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->palette().color(control->backgroundRole()), background);
        const QFontInfo font(control->font());
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), points);
        EXPECT_TRUE(font.bold());
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    }
}

// Each control's text under a palette whose text colours are `text`: kept where they read on the
// control, black or white where not; the backgrounds stay the form's. A change of palette while
// the window is open takes effect at once.
TEST(Form1Look, TextStaysReadableUnderAnyPalette) {
    const QPalette original = QApplication::palette();
    ShownForm shown;
    const struct {
        QColor text;
        QColor readable;
    } cases[] = {
        {Qt::black, Qt::black},              // the light default
        {Qt::white, Qt::black},              // a dark palette: white would read at 2.26:1 on teal
        {QColor(0, 0, 96), QColor(0, 0, 96)}, // dark blue reads on both backgrounds: kept
        {QColor(0, 0, 255), Qt::black},
    };
    for (const auto& [text, readable] : cases) {
        SCOPED_TRACE(text.name().toStdString());
        QPalette palette = original;
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::Base, Qt::black);
        palette.setColor(QPalette::Button, Qt::black);
        QApplication::setPalette(palette);
        EXPECT_EQ(shown.form.palette().color(QPalette::Window), QColor(0, 0, 128));
        for (QWidget* const control : {static_cast<QWidget*>(shown.Text1),
                                       static_cast<QWidget*>(shown.Command1),
                                       static_cast<QWidget*>(shown.Text2)}) {
            EXPECT_EQ(control->palette().color(control->foregroundRole()), readable)
                << control->objectName().toStdString();
        }
        EXPECT_EQ(shown.Text1->palette().color(QPalette::Base), QColor(0, 192, 192));
        EXPECT_EQ(shown.Command1->palette().color(QPalette::Button), QColor(128, 128, 255));
    }
    QApplication::setPalette(original);
}

TEST(Form1Accessibility, WindowAndControlsHaveNamesAndRoles) {
    ShownForm shown;
    const struct {
        QWidget* control;
        const char* name;
        QAccessible::Role role;
    } cases[] = {
        {shown.Text1, "Input", QAccessible::EditableText},
        {shown.Command1, "Clear", QAccessible::Button},
        {shown.Text2, "Output", QAccessible::EditableText},
        {&shown.form, "Karsobel", QAccessible::Window},
    };
    for (const auto& [control, name, role] : cases) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
        EXPECT_EQ(accessible->role(), role);
    }
}

TEST(Form1Focus, StartsInTheInputAndTabsToOutputThenClear) {
    ShownForm shown;
    QWidget* const order[] = {shown.Text1, shown.Text2, shown.Command1, shown.Text1};
    EXPECT_EQ(QApplication::focusWidget(), order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << i << " Tab";
    }
}

TEST(Form1Output, KeepsMoreThan32767LettersWhole) {
    ShownForm shown;
    const QString longOutput(40000, QLatin1Char('Q'));
    shown.Text2->setText(longOutput);
    QTest::keyClicks(shown.Text1, "hiab");
    EXPECT_EQ(shown.Text2->text(), longOutput + "QC");
}

TEST(Form1Output, TheNewLetterIsInViewWhateverWasSelected) {
    ShownForm shown;
    const QString longOutput(longOutputLength, QLatin1Char('K'));
    for (const auto& [selection, start, end, tabThrough] : outputSelections) {
        SCOPED_TRACE(selection);
        shown.Text2->setText(longOutput);
        if (tabThrough) {
            for (int control = 0; control < 3; ++control) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        } else {
            shown.Text2->setSelection(start, end - start);
        }
        QTest::keyClicks(shown.Text1, "ab");
        ASSERT_EQ(shown.Text2->text(), longOutput + "C");
        EXPECT_FALSE(shown.Text2->hasSelectedText());
        EXPECT_EQ(shown.Text2->cursorPosition(), longOutput.size() + 1);
        shown.Text2->repaint();
        const QRect caret = shown.Text2->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        EXPECT_TRUE(shown.Text2->rect().contains(caret.center())) << "caret at x = " << caret.x();
    }
}

TEST(Form1Output, IsReadOnlyToTheKeyboardButCopyable) {
    ShownForm shown;
    QTest::keyClicks(shown.Text1, "hi");
    shown.Text2->setFocus();
    QTest::keyClicks(shown.Text2, "xy");
    QTest::keyClick(shown.Text2, Qt::Key_Backspace);
    EXPECT_EQ(shown.Text2->text(), "Q");
    QApplication::clipboard()->clear();
    QTest::keyClick(shown.Text2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(shown.Text2, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Q");
}

} // namespace
