#pragma once

#include "window/pair_entry.h"

#include <string>

// A window that behaves as a real toolkit does: a write of a different text to the input box
// raises its change from inside the write; a write of the same text raises nothing.
class FakeWindow final : public karsobel::PairEntryWindow {
public:
    enum class Focus { Input, Output, Button };

    karsobel::PairEntry entry{*this};
    std::u16string input;
    std::u16string output;
    Focus focus = Focus::Input;

    // A keystroke at the end of the box, or over input[start, end): offered to the entry before
    // the box takes it, as the windows do. One change however many characters it adds.
    void type(std::u16string_view text) { typeOver(input.size(), input.size(), text); }
    void typeOver(std::size_t start, std::size_t end, std::u16string_view typed);
    // A paste at the end of the box: one change, straight into the box.
    void paste(std::u16string_view text) { setInput(input + std::u16string(text)); }
    // Backspace at the end of the box: removes one character, a surrogate pair whole.
    void backspace();
    void clickClear();

    void clearInput() override { setInput(u""); }
    void appendToOutput(char16_t letter) override { output.push_back(letter); }
    void clearOutput() override { output.clear(); }
    void focusInput() override { focus = Focus::Input; }

private:
    void setInput(std::u16string text);
};
