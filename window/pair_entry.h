#pragma once

#include <cstddef>
#include <string_view>

namespace karsobel {

// What the pair entry needs of a window: its input box, its output box and the keyboard focus.
// Texts are UTF-16. Clearing the input box must raise the box's change notification
// synchronously, from inside the call, as real toolkits do.
class PairEntryWindow {
public:
    virtual ~PairEntryWindow() = default;

    virtual void clearInput() = 0;
    // Appends `letter` at the output's end and brings that end into view.
    virtual void appendToOutput(char16_t letter) = 0;
    virtual void clearOutput() = 0;
    virtual void focusInput() = 0;
};

// The behaviour behind the window's controls: every second change of the input box turns its
// first two characters into one letter appended to the output box, then clears the input box;
// the Clear button clears the output box.
class PairEntry {
public:
    explicit PairEntry(PairEntryWindow& window) noexcept;

    // Change of the input box `Text1`, with its text after the change. Safe to enter again from
    // inside the window's clearing of the input box.
    void onInputChanged(std::u16string_view text);
    // Characters about to be typed into the input box, before the box takes them: `typed` is to
    // replace [selectionStart, selectionEnd) of the box's `text`. When that change completes a
    // pair, the pair is made from the text the box would hold, the box is emptied, and true says
    // the box must drop the typing. The box then never lays out again a text, however long, that
    // is only to be emptied. Otherwise nothing happens and the box takes the typing as usual.
    bool onTyping(std::u16string_view text, std::size_t selectionStart, std::size_t selectionEnd,
                  std::u16string_view typed);
    // Click of the Clear button `Command1`.
    void onClearClicked();

    [[nodiscard]] int changeCount() const noexcept { return changeCount_; }

private:
    void pairingStep(std::u16string_view text);

    PairEntryWindow& window_;
    int changeCount_ = 0;
};

} // namespace karsobel
