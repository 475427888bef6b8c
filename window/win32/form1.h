#pragma once

#include "window/form_description.h"
#include "window/pair_entry.h"
#include "window/win32/announcement.h"
#include "window/win32/dpi_scaling.h"
#include "window/win32/win32_support.h"
#include "window/win32/window_icons.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace karsobel::win32 {

// The main window on Windows, built from the form description and laid out at the window's own
// DPI, which `scaling` gives. The input box's typed characters and EN_CHANGE, and the Clear
// button's BN_CLICKED, drive the pair entry, which the window owns.
class Form1 final : private PairEntryWindow {
public:
    explicit Form1(HINSTANCE instance, const DpiScaling& scaling = DpiScaling{});
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Shows the window and puts the focus in the input box.
    void show(int showCommand);

    // The top-level window; null once it has been destroyed.
    [[nodiscard]] HWND handle() const noexcept { return form1_; }
    // The control built from `description`, one of the form's controls.
    [[nodiscard]] HWND control(const form::Control& description) const noexcept;

private:
    // A control as built: its description, its window, the colours and the GDI objects it is
    // drawn with.
    struct ControlWindow {
        const form::Control* description;
        HWND handle;
        COLORREF backgroundColour;
        Brush background;
        COLORREF textColour;
        Font font;
    };

    void clearInput() override;
    void appendToOutput(char16_t letter) override;
    void clearOutput() override;
    void focusInput() override;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The input box's own procedure, which sees keys before the edit control does.
    static LRESULT CALLBACK inputProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls(HINSTANCE instance);
    // Icons, fonts, control places and the window's size at `dpi`.
    void layout(UINT dpi);
    // The form's colours, or the High Contrast scheme's, with text readable on them; again
    // whenever the user changes colours.
    void applyColours();
    void onCommand(WORD id, WORD code, HWND control);
    // A key message on its way to the input box; true when the pair entry has taken it.
    bool onInputKey(UINT message, WPARAM key);
    [[nodiscard]] const ControlWindow* find(HWND handle) const noexcept;

    DpiScaling scaling_;
    HWND form1_ = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
    // In the form description's order.
    std::array<ControlWindow, form::controls.size()> controls_{};
    // Made with the controls, after them.
    std::optional<Announcement> announcement_;
    Brush background_;
    WindowIcons icons_;
    // The input box's text as last handed to the pair entry.
    std::wstring inputText_;
    PairEntry entry_{*this};
};

} // namespace karsobel::win32
