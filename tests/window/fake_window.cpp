#include "tests/window/fake_window.h"

void FakeWindow::backspace() {
    if (input.empty()) {
        return;
    }
    std::u16string shorter = input;
    const bool lowSurrogate = shorter.back() >= 0xDC00 && shorter.back() <= 0xDFFF;
    shorter.pop_back();
    if (lowSurrogate && !shorter.empty() && shorter.back() >= 0xD800 && shorter.back() <= 0xDBFF) {
        shorter.pop_back();
    }
    setInput(std::move(shorter));
}

void FakeWindow::clickClear() {
    focus = Focus::Button;
    entry.onClearClicked();
}

void FakeWindow::setInput(std::u16string text) {
    if (text == input) {
        return;
    }
    input = std::move(text);
    entry.onInputChanged(input);
}
