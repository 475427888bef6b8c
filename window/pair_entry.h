#pragma once

#include <cstddef>
#include <string>
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

// What a key press is about to do to the input box: [start, end) of its text becomes `typed`,
// the characters typed over the selection or at the caret, or nothing for Backspace or Delete.
struct KeyEdit {
    std::size_t start;
    std::size_t end;
    std::u16string typed;
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
    // A key's edit of the input box, before the box makes it, with the box's `text` before it.
    // When that change completes a pair, the pair is made from the text the box would hold, the
    // box is emptied, and true says the box must drop the key: it then never lays out again a
    // text, however long, that is only to be emptied. Otherwise nothing happens and the box
    // takes the key as usual.
    bool onKeyEdit(std::u16string_view text, const KeyEdit& edit);
    // Click of the Clear button `Command1`.
    void onClearClicked();

    [[nodiscard]] int changeCount() const noexcept { return changeCount_; }

private:
    void pairingStep(std::u16string_view text);

    PairEntryWindow& window_;
    int changeCount_ = 0;
};

} // namespace karsobel
