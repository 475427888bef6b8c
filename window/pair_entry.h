#pragma once

#include <cstddef>
#include <string_view>

namespace karsobel {

// What a window offers the pair entry: its input box `Text1`, its output box `Text2` and the
// keyboard focus. Texts are UTF-16. A write that changes the input box's text must raise the
// input box's change notification synchronously, from inside the write, as real toolkits do.
class PairEntryWindow {
public:
    virtual ~PairEntryWindow() = default;

    // The first `units` UTF-16 code units of the input box (all of it when it holds fewer),
    // valid until the next call on this window.
    virtual std::u16string_view inputStart(std::size_t units) = 0;
    virtual void emptyInput() = 0;
    virtual void appendToOutput(char16_t letter) = 0;
    virtual void emptyOutput() = 0;
    virtual void focusInput() = 0;
};

// The behaviour behind the window's controls: every second change of the input box turns its
// first two characters into one letter appended to the output box, then empties the input box;
// the Clear button empties the output box.
class PairEntry {
public:
    explicit PairEntry(PairEntryWindow& window) noexcept;

    // Change of `Text1`. Safe to enter again from inside the window's write to the input box.
    void onText1Change();
    // Click of `Command1`.
    void onCommand1Click();

    [[nodiscard]] int changeCount() const noexcept { return changeCount_; }

private:
    void pairingStep();

    PairEntryWindow& window_;
    int changeCount_ = 0;
};

} // namespace karsobel
