#pragma once

#include "window/pair_entry.h"

namespace karsobel::web {

// The main window as a web page. The page builds the controls from the form description and
// hands the input box's changes and key edits and the button's clicks to the pair entry, which
// the window owns; what the pair entry asks of the window, the page does.
class Form1 final : private PairEntryWindow {
public:
    Form1() noexcept = default;

    [[nodiscard]] PairEntry& pairEntry() noexcept { return pairEntry_; }

private:
    void clearInput() override;
    void appendToOutput(char16_t letter) override;
    void clearOutput() override;
    void focusInput() override;

    PairEntry pairEntry_{*this};
};

} // namespace karsobel::web
