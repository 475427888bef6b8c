#pragma once

#include "window/pair_entry.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace karsobel::qt {

// The main window on Qt Widgets: input box, Clear button and output box in one row.
class Form1 final : public QWidget, private PairEntryWindow {
public:
    explicit Form1(QWidget* parent = nullptr);

private:
    std::u16string_view inputStart(std::size_t units) override;
    void emptyInput() override;
    void appendToOutput(char16_t letter) override;
    void emptyOutput() override;
    void focusInput() override;

    QLineEdit* Text1;
    QPushButton* Command1;
    QLineEdit* Text2;
    PairEntry pairEntry{*this};
    // Keeps the input text read by inputStart alive for the view handed out.
    QString inputRead;
};

} // namespace karsobel::qt
