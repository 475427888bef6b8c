#pragma once

#include "window/form_description.h"
#include "window/pair_entry.h"

#include <QWidget>

#include <array>

class QInputMethodEvent;
class QLineEdit;

namespace karsobel::qt {

class Announcement;

// The main window on Qt Widgets, built from the form description: input box, Clear button and
// output box in one row. The input box's key presses and textChanged, and the button's clicked,
// drive the pair entry, which the window owns.
class Form1 final : public QWidget, private PairEntryWindow {
public:
    explicit Form1(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearInput() override;
    void appendToOutput(char16_t letter) override;
    void clearOutput() override;
    void focusInput() override;

    [[nodiscard]] QLineEdit* textBox(const form::Control& description) const;
    // An input method's commit into the input box, typed one character at a time.
    bool typeCommit(QLineEdit& input, const QInputMethodEvent& event);
    // The form's colours, with the platform's text colours where they read on them and black or
    // white where they do not.
    void applyColours();

    // The controls, in the form description's order.
    std::array<QWidget*, form::controls.size()> controls_{};
    // Speaks each new letter to a screen reader while the focus stays in the input box.
    Announcement* announcement_ = nullptr;
    PairEntry pairEntry_{*this};
};

} // namespace karsobel::qt
