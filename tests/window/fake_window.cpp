#include "tests/window/fake_window.h"

#include "window/utf16.h"

void FakeWindow::backspace() {
    if (input.empty()) {
        return;
    }
    std::u16string shorter = input;
    const bool lowSurrogate = karsobel::utf16::isLowSurrogate(shorter.back());
    shorter.pop_back();
    if (lowSurrogate && !shorter.empty() && karsobel::utf16::isHighSurrogate(shorter.back())) {
        shorter.pop_back();
    }
    setInput(std::move(shorter));
}

void FakeWindow::typeOver(std::size_t start, std::size_t end, std::u16string_view typed) {
    if (!entry.onKeyEdit(input, {start, end, std::u16string(typed)})) {
        setInput(input.substr(0, start) + std::u16string(typed) + input.substr(end));
    }
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
