#include "window/win32/form1.h"

#include "tests/window/input_selections.h"
#include "tests/window/output_selections.h"
#include "tests/window/win32/form1_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

using karsobel::win32::Form1;
namespace form = karsobel::form;
using karsobel::win32::wide;
using karsobel::win32::windowText;

class Form1Test : public testing::Test {
protected:
    Form1Test() { form.show(SW_SHOWNORMAL); }

    HWND text1() const { return form.control(form::text1); }
    HWND text2() const { return form.control(form::text2); }
    HWND command1() const { return form.control(form::command1); }

    // Characters typed into the input box, one change each.
    void type(std::wstring_view characters) const {
        for (const wchar_t character : characters) {
            SendMessageW(text1(), WM_CHAR, character, 1);
        }
    }
    void click() const {
        SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(command1()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(command1()));
    }
    // A key pressed and released on the focused control, through the dialog keys.
    void press(WPARAM key) const {
        for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
            MSG keyMessage{GetFocus(), message, key, 1, 0, {}};
            if (!IsDialogMessageW(form.handle(), &keyMessage)) {
                TranslateMessage(&keyMessage);
                DispatchMessageW(&keyMessage);
            }
        }
    }

    Form1 form{GetModuleHandleW(nullptr)};
};

TEST_F(Form1Test, StartsEmptyWithTheFocusInTheInputBox) {
    EXPECT_EQ(windowText(text1()), L"");
    EXPECT_EQ(windowText(text2()), L"");
    EXPECT_EQ(GetFocus(), text1());
    EXPECT_EQ(windowText(form.handle()), L"Karsobel");
    EXPECT_EQ(windowText(command1()), L"Clear");
}

TEST_F(Form1Test, ClientAreaAtStandardDpi) {
    ASSERT_EQ(GetDpiForWindow(form.handle()), 96U);
    RECT client{};
    GetClientRect(form.handle(), &client);
    EXPECT_EQ(client.right - client.left, layouts[0].client.cx);
    EXPECT_EQ(client.bottom - client.top, layouts[0].client.cy);
}

// The window's frame stays at the DPI of the screen here, so only the controls are checked at
// other resolutions; the end-to-end tests check the client area at 144 dpi.
TEST_F(Form1Test, LaysOutItsControlsAtTheDpiItIsGiven) {
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << layout.dpi << " dpi");
        RECT suggested{};
        GetWindowRect(form.handle(), &suggested);
        SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(layout.dpi, layout.dpi),
                     reinterpret_cast<LPARAM>(&suggested));

        const struct {
            const char* name;
            HWND control;
            RECT place;
            LONG fontHeight;
        } controls[] = {
            {"Text1", text1(), layout.text1, layout.boxFontHeight},
            {"Command1", command1(), layout.command1, layout.buttonFontHeight},
            {"Text2", text2(), layout.text2, layout.boxFontHeight},
        };
        for (const auto& [name, control, place, height] : controls) {
            SCOPED_TRACE(name);
            const RECT actual = placeInParent(control);
            EXPECT_TRUE(EqualRect(&actual, &place))
                << "at " << actual.left << "," << actual.top << ", " << actual.right - actual.left
                << "x" << actual.bottom - actual.top;
            EXPECT_EQ(fontHeight(control), height);
        }
    }
}

TEST_F(Form1Test, FontsAreBoldMsSansSerif) {
    for (const HWND control : {text1(), text2(), command1()}) {
        SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(control));
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        LOGFONTW description{};
        ASSERT_EQ(GetObjectW(font, sizeof description, &description), int{sizeof description});
        EXPECT_EQ(description.lfWeight, FW_BOLD);
        EXPECT_EQ(description.lfCharSet, 0);
        EXPECT_FALSE(description.lfItalic || description.lfUnderline || description.lfStrikeOut);

        // The face actually used, not only the one asked for.
        const HDC dc = GetDC(control);
        const HGDIOBJ previous = SelectObject(dc, font);
        wchar_t face[LF_FACESIZE]{};
        GetTextFaceW(dc, LF_FACESIZE, face);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        EXPECT_STREQ(face, L"MS Sans Serif");
    }
}

int brightness(COLORREF colour) {
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

// The text colour each control draws in once the user's colours have changed to `text` on
// `window` and on the button face.
struct SchemeCase {
    COLORREF window;
    COLORREF text;
    COLORREF boxText;
    COLORREF captionText;
};

class Form1SchemeTest : public Form1Test {
protected:
    ~Form1SchemeTest() override { setSystemColours(saved_); }

    static void setSystemColours(const std::array<COLORREF, 4>& colours) {
        SetSysColors(static_cast<int>(elements.size()), elements.data(), colours.data());
    }

    // The caption's colour: of the pixels inside the button's edge, the one farthest from the face.
    COLORREF captionColour() const {
        RECT bounds{};
        GetClientRect(command1(), &bounds);
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, bounds.right, bounds.bottom);
        ReleaseDC(nullptr, screen);
        const HGDIOBJ previous = SelectObject(dc, bitmap);
        const auto id = static_cast<UINT>(GetDlgCtrlID(command1()));
        DRAWITEMSTRUCT item{ODT_BUTTON, id, 0, ODA_DRAWENTIRE, 0, command1(), dc, bounds, 0};
        SendMessageW(form.handle(), WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
        const COLORREF face = GetPixel(dc, bounds.right / 2, bounds.bottom - 3);
        COLORREF farthest = face;
        int distance = 0;
        for (int y = 4; y < bounds.bottom - 4; ++y) {
            for (int x = 4; x < bounds.right - 4; ++x) {
                const COLORREF pixel = GetPixel(dc, x, y);
                const int away = std::abs(brightness(pixel) - brightness(face));
                if (away > distance) {
                    distance = away;
                    farthest = pixel;
                }
            }
        }
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return farthest;
    }

    static constexpr std::array<int, 4> elements{COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                                 COLOR_BTNTEXT};
    std::array<COLORREF, 4> saved_{GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
                                   GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
};

TEST_F(Form1SchemeTest, TextStaysReadableOnTheFormsColoursUnderAnyScheme) {
    constexpr COLORREF black = RGB(0, 0, 0);
    constexpr COLORREF white = RGB(255, 255, 255);
    const SchemeCase cases[] = {
        {white, black, black, black},                        // the light default
        {black, white, black, black},                        // dark: white would read at 2.26:1
        {white, RGB(0, 0, 96), RGB(0, 0, 96), RGB(0, 0, 96)}, // dark blue reads on teal: kept
        {white, RGB(0, 0, 255), black, black},               // blue does not: black reads better
    };
    for (const auto& [window, text, boxText, captionText] : cases) {
        SCOPED_TRACE(testing::Message() << "text " << std::hex << text);
        setSystemColours({window, text, window, text});
        for (const HWND box : {text1(), text2()}) {
            const HDC dc = GetDC(box);
            const UINT message = box == text2() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
            const auto brush = reinterpret_cast<HBRUSH>(
                SendMessageW(form.handle(), message, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(box)));
            EXPECT_EQ(GetBkColor(dc), RGB(0, 192, 192));
            EXPECT_EQ(GetTextColor(dc), boxText);
            ReleaseDC(box, dc);
            LOGBRUSH description{};
            ASSERT_EQ(GetObjectW(brush, sizeof description, &description),
                      int{sizeof description});
            EXPECT_EQ(description.lbColor, RGB(0, 192, 192));
        }
        EXPECT_EQ(captionColour(), captionText);
    }
}

TEST_F(Form1Test, ButtonShowsItsFaceFocusAndPressedStates) {
    RECT bounds{};
    GetClientRect(command1(), &bounds);
    const int width = bounds.right;
    const int height = bounds.bottom;
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(dc, bitmap);

    const struct {
        UINT state;
        bool focused;
        bool pressed;
    } cases[] = {{0, false, false},
                 {ODS_FOCUS, true, false},
                 {ODS_SELECTED, false, true},
                 {ODS_SELECTED | ODS_FOCUS, true, true}};
    for (const auto& [state, focused, pressed] : cases) {
        SCOPED_TRACE(testing::Message() << "state " << state);
        const auto id = static_cast<UINT>(GetDlgCtrlID(command1()));
        DRAWITEMSTRUCT item{ODT_BUTTON, id, 0, ODA_DRAWENTIRE, state, command1(), dc, bounds, 0};
        SendMessageW(form.handle(), WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));

        // Below the caption and clear of the edge and of the focus rectangle: the face.
        EXPECT_EQ(GetPixel(dc, width / 2, height - 3), RGB(128, 128, 255));
        // The focus rectangle runs along the fourth row, between the edge and the caption.
        int dots = 0;
        for (int x = 4; x < width - 4; ++x) {
            dots += GetPixel(dc, x, 3) != RGB(128, 128, 255) ? 1 : 0;
        }
        EXPECT_EQ(dots > 0, focused) << dots << " pixels of the fourth row are not the face";
        // A raised edge is light at the top left and dark at the bottom right; a sunken one the
        // other way round.
        const bool sunken =
            brightness(GetPixel(dc, 0, 0)) < brightness(GetPixel(dc, width - 1, height - 1));
        EXPECT_EQ(sunken, pressed);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(Form1Test, PairsTypedCharactersIntoTheOutput) {
    type(L"hito");
    EXPECT_EQ(windowText(text2()), L"QI");
    EXPECT_EQ(windowText(text1()), L"");
    EXPECT_EQ(GetFocus(), text1());
}

TEST_F(Form1Test, ClearMidPairKeepsThePendingCharacter) {
    type(L"abh");
    SetFocus(command1());
    click();
    EXPECT_EQ(windowText(text2()), L"");
    EXPECT_EQ(windowText(text1()), L"h");
    EXPECT_EQ(GetFocus(), text1());
    type(L"i");
    EXPECT_EQ(windowText(text2()), L"Q");
}

TEST_F(Form1Test, TabFollowsTheTabOrder) {
    const struct {
        const char* name;
        HWND control;
    } order[] = {{"Text2", text2()}, {"Command1", command1()}, {"Text1", text1()}};
    for (const auto& [name, control] : order) {
        press(VK_TAB);
        EXPECT_EQ(GetFocus(), control) << "Tab should reach " << name;
    }
}

TEST_F(Form1Test, SpaceAndEnterClickTheFocusedButton) {
    for (const WPARAM key : {VK_SPACE, VK_RETURN}) {
        type(L"ab");
        ASSERT_EQ(windowText(text2()), L"C");
        SetFocus(command1());
        press(key);
        EXPECT_EQ(windowText(text2()), L"") << "key " << key;
        EXPECT_EQ(GetFocus(), text1()) << "key " << key;
    }
}

TEST_F(Form1Test, EnterInTheInputBoxDoesNotClear) {
    type(L"ab");
    press(VK_RETURN);
    EXPECT_EQ(windowText(text2()), L"C");
}

TEST_F(Form1Test, OutputIsReadOnlyToTheKeyboard) {
    type(L"ab");
    SendMessageW(text2(), WM_CHAR, L'x', 1);
    EXPECT_EQ(windowText(text2()), L"C");
}

TEST_F(Form1Test, TheNewLetterIsInViewWhateverWasSelectedInTheOutput) {
    const std::wstring longOutput(longOutputLength, L'K');
    for (const auto& [selection, start, end, tabThrough] : outputSelections) {
        SCOPED_TRACE(selection);
        SetWindowTextW(text2(), longOutput.c_str());
        if (tabThrough) {
            for (int control = 0; control < 3; ++control) {
                press(VK_TAB);
            }
        } else {
            SendMessageW(text2(), EM_SETSEL, static_cast<WPARAM>(start), end);
        }
        type(L"ab");
        const std::wstring output = windowText(text2());
        ASSERT_EQ(output, longOutput + L"C");
        const auto [caretStart, caretEnd] = karsobel::win32::selection(text2());
        EXPECT_EQ(caretStart, output.size());
        EXPECT_EQ(caretEnd, output.size());
        const LRESULT lastLetter = SendMessageW(text2(), EM_POSFROMCHAR, output.size() - 1, 0);
        const auto left = static_cast<short>(LOWORD(lastLetter));
        RECT box{};
        GetClientRect(text2(), &box);
        EXPECT_TRUE(left >= 0 && left < box.right) << "the last letter is at x = " << left;
    }
}

// Puts `text` on the clipboard, as Unicode text.
void setClipboard(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    CloseClipboard();
}

TEST_F(Form1Test, TakesAPasteOfAnyLengthAndStillPairs) {
    ASSERT_NO_FATAL_FAILURE(setClipboard(L"hi" + std::wstring(99'998, L'x')));
    SendMessageW(text1(), WM_PASTE, 0, 0);
    ASSERT_EQ(windowText(text1()).size(), 100'000U);
    type(L"cd");
    EXPECT_EQ(windowText(text2()), L"Q");
    EXPECT_EQ(windowText(text1()), L"d");
}

TEST_F(Form1Test, TheKeyThatCompletesAPairCountsWhereTheCaretIs) {
    for (const auto& [name, start, end, key, letter] : inputSelections) {
        SCOPED_TRACE(name);
        click();
        SetWindowTextW(text1(), L"");
        ASSERT_NO_FATAL_FAILURE(setClipboard(wide(pastedInput)));
        SendMessageW(text1(), WM_PASTE, 0, 0);
        SendMessageW(text1(), EM_SETSEL, static_cast<WPARAM>(start), end);
        if (key == deleteKey) {
            press(VK_DELETE);
        } else {
            type(std::wstring(1, key));
        }
        EXPECT_EQ(windowText(text2()), letter ? std::wstring(1, letter) : L"");
        EXPECT_EQ(windowText(text1()), letter ? L"" : wide(pastedInput));
    }
}

TEST_F(Form1Test, UndoBringsBackNothingThePairingOrClearRemoved) {
    type(L"hito");
    EXPECT_FALSE(SendMessageW(text1(), EM_CANUNDO, 0, 0));
    EXPECT_FALSE(SendMessageW(text2(), EM_CANUNDO, 0, 0));
    for (int undo = 0; undo < 3; ++undo) {
        SendMessageW(text1(), WM_UNDO, 0, 0);
    }
    type(L"ab");
    EXPECT_EQ(windowText(text2()), L"QIC");
    click();
    EXPECT_FALSE(SendMessageW(text2(), EM_CANUNDO, 0, 0));
}

TEST_F(Form1Test, ACharacterTypedInTwoHalvesIsOneChange) {
    // "a", then U+1F600 as the keyboard sends it, high surrogate first, then "b".
    type(L"a\xD83D\xDE00"
         L"b");
    EXPECT_EQ(windowText(text2()), L"A");
    EXPECT_EQ(windowText(text1()), L"b");
}

TEST_F(Form1Test, OutputPastTheDefaultEditLimitIsKeptWhole) {
    // An edit control takes 32767 characters unless told otherwise. The output starts just short
    // of that (a whole-text write is not held to the limit), then pairs typed one by one take it
    // past; each append costs a pass over the whole line under Wine, so the pairs are few.
    constexpr std::size_t start = 32'717;
    constexpr std::size_t pairs = 100;
    std::wstring expected(start, L'K');
    SetWindowTextW(text2(), expected.c_str());
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        // The pair's first letter walks through the alphabet; "a" adds one more.
        const wchar_t typed[] = {static_cast<wchar_t>(L'a' + pair % 26), L'a', L'\0'};
        type(typed);
        expected += static_cast<wchar_t>(L'A' + (pair + 1) % 26);
    }
    const std::wstring output = windowText(text2());
    ASSERT_EQ(output.size(), start + pairs);
    EXPECT_TRUE(output == expected)
        << "first difference at "
        << std::mismatch(output.begin(), output.end(), expected.begin()).first - output.begin();
}

} // namespace
