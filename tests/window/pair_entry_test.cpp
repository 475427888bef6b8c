#include "tests/window/fake_window.h"
#include "tests/window/input_selections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Step {
    enum Kind { Type, Backspace, Clear, FocusOutput } kind;
    std::u16string text;
};

Step type(std::u16string text) { return {Step::Type, std::move(text)}; }
const Step backspace{Step::Backspace, {}};
const Step clear{Step::Clear, {}};
const Step focusOutput{Step::FocusOutput, {}};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::u16string output;
    std::u16string input;
    int changeCount;
};

std::string utf8(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += unit < 0x80 ? std::string(1, static_cast<char>(unit))
                             : "\\u" + std::to_string(static_cast<unsigned>(unit));
    }
    return bytes;
}

void run(FakeWindow& window, const Step& step) {
    switch (step.kind) {
    case Step::Type: window.type(step.text); break;
    case Step::Backspace: window.backspace(); break;
    case Step::Clear: window.clickClear(); break;
    case Step::FocusOutput: window.focus = FakeWindow::Focus::Output; break;
    }
}

TEST(PairEntry, Scenarios) {
    const Scenario scenarios[] = {
        {"one pair", {type(u"a"), type(u"b")}, u"C", u"", 0},
        {"first character pending", {type(u"h")}, u"", u"h", 1},
        {"pairs append in order", {type(u"h"), type(u"i"), type(u"t"), type(u"o")}, u"QI", u"", 0},
        {"a paste is one change", {type(u"hello")}, u"", u"hello", 1},
        {"a paste pairs on the next change, the rest discarded",
         {type(u"hello"), type(u"x")}, u"M", u"", 0},
        {"deleting is a change", {type(u"ab"), backspace}, u"A", u"", 0},
        {"Clear mid-pair keeps the pending character",
         {type(u"a"), type(u"b"), type(u"h"), clear}, u"", u"h", 1},
        {"the pending character completes its pair after Clear",
         {type(u"a"), type(u"b"), type(u"h"), clear, type(u"i")}, u"Q", u"", 0},
        {"typed then deleted appends nothing", {type(u"a"), backspace}, u"", u"", 0},
        {"typed then deleted leaves pairing intact",
         {type(u"a"), backspace, type(u"a"), type(u"b")}, u"C", u"", 0},
        {"a pair with no value appends nothing", {type(u"1"), type(u"2")}, u"", u"", 0},
        {"a pair with no value leaves pairing intact",
         {type(u"1"), type(u"?"), type(u"y"), type(u"A")}, u"Z", u"", 0},
        {"an astral character is one character", {type(u"\U0001F600"), type(u"c")}, u"C", u"", 0},
        {"a lone surrogate has no value", {type(u"\xD800"), type(u"d")}, u"D", u"", 0},
        {"accented and full-width letters have no value",
         {type(u"é"), type(u"e"), type(u"Ｅ"), type(u"f")}, u"EF", u"", 0},
    };
    for (const auto& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        FakeWindow window;
        for (const auto& step : scenario.steps) {
            run(window, step);
        }
        EXPECT_EQ(utf8(window.output), utf8(scenario.output));
        EXPECT_EQ(utf8(window.input), utf8(scenario.input));
        EXPECT_EQ(window.entry.changeCount(), scenario.changeCount);
    }
}

TEST(PairEntry, TheKeyThatCompletesAPairCountsWhereTheCaretIs) {
    for (const auto& [name, start, end, key, letter] : inputSelections) {
        SCOPED_TRACE(name);
        FakeWindow window;
        window.paste(pastedInput);
        if (key == backspaceKey || key == deleteKey) {
            // With nothing selected, Backspace takes the character before the caret.
            const bool previous = key == backspaceKey && start == end && start > 0;
            window.typeOver(previous ? start - 1 : start, end, u"");
        } else {
            window.typeOver(start, end, std::u16string(1, key));
        }
        EXPECT_EQ(utf8(window.output), letter ? std::string(1, letter) : "");
        EXPECT_EQ(utf8(window.input), letter ? "" : utf8(pastedInput));
    }
}

TEST(PairEntry, OnlyPairingAndClearMoveTheFocus) {
    const struct {
        std::vector<Step> steps;
        FakeWindow::Focus focus;
    } cases[] = {
        {{focusOutput, type(u"a")}, FakeWindow::Focus::Output},
        {{type(u"a"), focusOutput, type(u"b")}, FakeWindow::Focus::Input},
        {{type(u"a"), focusOutput, clear}, FakeWindow::Focus::Input},
    };
    for (const auto& [steps, focus] : cases) {
        FakeWindow window;
        for (const auto& step : steps) {
            run(window, step);
        }
        EXPECT_EQ(window.focus, focus) << steps.size() << " steps";
    }
}

} // namespace
