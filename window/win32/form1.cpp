#include "window/win32/form1.h"

#include "window/utf16.h"
#include "window/win32/accessible_label.h"
#include "window/win32/key_edit.h"
#include "window/win32/owner_drawn_button.h"
#include "window/win32/system_colours.h"

#include <string>

namespace karsobel::win32 {

namespace {

constexpr wchar_t className[] = L"KarsobelForm1";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD windowExStyle = 0;
// Control identifiers stay clear of IDOK and IDCANCEL, which the dialog keys send.
constexpr WORD firstControlId = 100;

// The window class and styles that make a control of the described kind.
struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(const form::Control& description) {
    switch (description.kind) {
    case form::Kind::TextBox:
        return {L"EDIT",
                static_cast<DWORD>(ES_AUTOHSCROLL | (description.readOnly ? ES_READONLY : 0)),
                WS_EX_CLIENTEDGE};
    case form::Kind::PushButton:
        // Owner-drawn, so that its face shows the form's colour.
        return {L"BUTTON", BS_OWNERDRAW, 0};
    }
    return {};
}

// Empties a text box, and its undo buffer with it, so that nothing the program removed can come
// back through undo.
void clearText(HWND box) {
    SetWindowTextW(box, L"");
    SendMessageW(box, EM_EMPTYUNDOBUFFER, 0, 0);
}

} // namespace

Form1::Form1(HINSTANCE instance, const DpiScaling& scaling) : scaling_(scaling) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, className, &windowClass)) {
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        if (RegisterClassExW(&windowClass) == 0) {
            throwLastError("RegisterClassExW");
        }
    }
    const std::wstring caption = wide(form::caption);
    if (CreateWindowExW(windowExStyle, className, caption.c_str(), windowStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                        this) == nullptr) {
        throwLastError("CreateWindowExW");
    }
    try {
        createControls(instance);
        applyColours();
        layout(scaling_.ofWindow(form1_));
    } catch (...) {
        DestroyWindow(form1_);
        throw;
    }
}

Form1::~Form1() {
    if (form1_ != nullptr) {
        DestroyWindow(form1_);
    }
}

void Form1::show(int showCommand) {
    ShowWindow(form1_, showCommand);
    UpdateWindow(form1_);
    focusInput();
}

HWND Form1::control(const form::Control& description) const noexcept {
    return controls_[form::indexOf(description)].handle;
}

void Form1::clearInput() {
    clearText(control(form::text1));
}

void Form1::appendToOutput(char16_t letter) {
    const HWND output = control(form::text2);
    // The caret goes to the end, in place of any selection, so that the letter lands there and
    // the box scrolls to show it.
    const LRESULT length = SendMessageW(output, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(output, EM_SETSEL, static_cast<WPARAM>(length), length);
    const wchar_t text[] = {static_cast<wchar_t>(letter), L'\0'};
    // FALSE: the letter is not for undo.
    SendMessageW(output, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    SendMessageW(output, EM_SCROLLCARET, 0, 0);
    announcement_->announce(letter);
}

void Form1::clearOutput() {
    clearText(control(form::text2));
}

void Form1::focusInput() {
    SetFocus(control(form::text1));
}

LRESULT CALLBACK Form1::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* const form =
            static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->form1_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* const form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->form1_ = form->lastFocus_ = nullptr;
        for (ControlWindow& control : form->controls_) {
            control.handle = nullptr;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK Form1::inputProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* const form = reinterpret_cast<Form1*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    if (form != nullptr && form->onInputKey(message, wParam)) {
        return 0;
    }
    // The class keeps the edit control's procedure; only this window's was replaced.
    const auto edit = reinterpret_cast<WNDPROC>(GetClassLongPtrW(box, GCLP_WNDPROC));
    return CallWindowProcW(edit, box, message, wParam, lParam);
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (const ControlWindow* const control = find(reinterpret_cast<HWND>(lParam))) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, control->backgroundColour);
            SetTextColor(dc, control->textColour);
            return reinterpret_cast<LRESULT>(control->background.get());
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const ControlWindow* const control = find(item.hwndItem)) {
            drawButton(item, control->background.get(), control->textColour);
            return TRUE;
        }
        break;
    }
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(form1_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
        return TRUE;
    }
    case WM_ACTIVATE:
        // Activation gives the focus to the window itself; it goes on to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE && IsChild(form1_, GetFocus())) {
            lastFocus_ = GetFocus();
        }
        break;
    case WM_SETFOCUS:
        SetFocus(lastFocus_);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        applyColours();
        break;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(form1_, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        layout(HIWORD(wParam));
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(form1_, message, wParam, lParam);
}

void Form1::createControls(HINSTANCE instance) {
    // Created in tab order, which the dialog keys follow.
    for (std::size_t index = 0; index < form::controls.size(); ++index) {
        const form::Control& description = form::controls[index];
        const auto [name, style, exStyle] = controlClass(description);
        createAccessibleLabel(form1_, description, instance);
        const std::wstring caption = wide(description.caption);
        const HWND handle = CreateWindowExW(
            exStyle, name, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0,
            form1_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + index)),
            instance, nullptr);
        if (handle == nullptr) {
            throwLastError("CreateWindowExW");
        }
        if (description.kind == form::Kind::TextBox) {
            // Zero lifts an edit control's limit of 32767 characters to the largest it allows.
            SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);
        }
        controls_[index] = {&description, handle, {}, {}, {}, {}};
    }
    announcement_.emplace(form1_, instance);
    const HWND input = control(form::text1);
    SetWindowLongPtrW(input, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(input, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inputProcedure));
    lastFocus_ = input;
}

void Form1::layout(UINT dpi) {
    icons_.apply(form1_, dpi, scaling_);
    for (ControlWindow& control : controls_) {
        const RECT place = pixelRect(control.description->geometry, dpi);
        MoveWindow(control.handle, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, TRUE);
        Font font = createFont(control.description->font, dpi);
        SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        control.font = std::move(font);
    }
    const RECT client{0, 0, form::pixels(form::clientWidth, static_cast<int>(dpi)),
                      form::pixels(form::clientHeight, static_cast<int>(dpi))};
    const RECT frame = scaling_.frameAround(client, windowStyle, windowExStyle, dpi);
    SetWindowPos(form1_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::applyColours() {
    const form::SystemColours system = systemColours();
    const bool highContrast = highContrastOn();
    background_ = solidBrush(form::formBackground(system, highContrast));
    for (ControlWindow& control : controls_) {
        const form::Colours colours = form::controlColours(*control.description, system, highContrast);
        control.backgroundColour = colour(colours.background);
        control.background = solidBrush(colours.background);
        control.textColour = colour(colours.text);
    }
    RedrawWindow(form1_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Form1::onCommand(WORD id, WORD code, HWND handle) {
    const HWND clear = control(form::command1);
    if (handle == control(form::text1) && code == EN_CHANGE) {
        // Not every EN_CHANGE is a change: Wine raises one for an undo that restores nothing, and
        // a character typed in two halves changes the box twice, the first time only in part.
        const std::wstring text = windowText(handle);
        if (text != inputText_ &&
            !utf16::awaitsLowSurrogate(asUtf16(text), selection(handle).end)) {
            inputText_ = text;
            // Or the copy would keep the room of the longest text ever pasted.
            inputText_.shrink_to_fit();
            entry_.onInputChanged(asUtf16(text));
        }
    } else if (handle == clear && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        // An owner-drawn button reports the second click of a quick pair as a double click, and
        // no click: the focus would stay on the button and the next keys go nowhere.
        entry_.onClearClicked();
    } else if (id == IDOK && GetFocus() == clear) {
        // Enter comes as IDOK from the dialog keys, since an owner-drawn button is never the
        // default one: on the focused button it is a click.
        entry_.onClearClicked();
    }
}

// A key that completes a pair goes to the pair entry before the edit control sees it. The box is
// emptied at once, so taking the key would only make the control measure its whole line again,
// for a second after a paste of ten million characters, for a change that goes with the rest.
bool Form1::onInputKey(UINT message, WPARAM key) {
    if (!mayEdit(message, key)) {
        return false;
    }
    const HWND input = control(form::text1);
    const std::wstring text = windowText(input);
    const auto edit = keyEdit(input, asUtf16(text), message, key);
    return edit && entry_.onKeyEdit(asUtf16(text), *edit);
}

const Form1::ControlWindow* Form1::find(HWND handle) const noexcept {
    for (const ControlWindow& control : controls_) {
        if (control.handle == handle) {
            return &control;
        }
    }
    return nullptr;
}

} // namespace karsobel::win32
