#pragma once

#include "window/pair_entry.h"

#include <string>
#include <string_view>

namespace karsobel::web {

// The main window as a web page. The page builds the controls from the form description and
// hands the input box's changes and key edits and the button's clicks to the pair entry, which
// the window owns; what the pair entry asks of the window, the page does.
class Form1 final : private PairEntryWindow {
public:
    Form1() noexcept = default;

    [[nodiscard]] PairEntry& pairEntry() noexcept { return pairEntry_; }

    // A change of the input box, with its text after it, which the window keeps.
    void onInputChanged(std::u16string_view text);
    // A key's edit of the input box, whose text is the one the last change left: the page need
    // not copy ten million characters again for a key after a paste.
    bool onKeyEdit(const KeyEdit& edit);

private:
    void clearInput() override;
    void appendToOutput(char16_t letter) override;
    void clearOutput() override;
    void focusInput() override;

    PairEntry pairEntry_{*this};
    std::u16string inputText_;
};

} // namespace karsobel::web
