// Reads karsobel.exe's window as a screen reader does on Windows, through Active Accessibility:
//     win32_accessibility.exe PROGRAM
// starts PROGRAM, finds its window, reads each control's name, role, state and value with
// AccessibleObjectFromWindow(OBJID_CLIENT), types a pair and presses Tab through the keyboard
// input queue, and ends the program. Prints one line per check; exits 1 when any fails.

#include <windows.h>

#include <oleacc.h>

#include <array>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

int failures = 0;

void expect(bool condition, const std::wstring& what) {
    std::wprintf(L"%ls %ls\n", condition ? L"ok:  " : L"FAIL:", what.c_str());
    std::fflush(stdout);
    failures += condition ? 0 : 1;
}

// A control as Active Accessibility reports it.
struct Reading {
    std::wstring name;
    long role = 0;
    long state = 0;
    std::optional<std::wstring> value;
};

std::wstring taken(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

std::optional<Reading> read(HWND control) {
    IAccessible* accessible = nullptr;
    // __uuidof, since mingw-w64's import library resolves IID_IAccessible to a code thunk.
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return std::nullopt;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Reading reading;
    BSTR text = nullptr;
    if (accessible->get_accName(self, &text) == S_OK) {
        reading.name = taken(text);
    }
    VARIANT result{};
    if (accessible->get_accRole(self, &result) == S_OK && result.vt == VT_I4) {
        reading.role = result.lVal;
    }
    VariantClear(&result);
    if (accessible->get_accState(self, &result) == S_OK && result.vt == VT_I4) {
        reading.state = result.lVal;
    }
    VariantClear(&result);
    text = nullptr;
    if (accessible->get_accValue(self, &text) == S_OK) {
        reading.value = taken(text);
    }
    accessible->Release();
    return reading;
}

std::wstring roleText(long role) {
    std::array<wchar_t, 64> text{};
    GetRoleTextW(static_cast<DWORD>(role), text.data(), static_cast<UINT>(text.size()));
    return text.data();
}

std::wstring describe(const Reading& reading) {
    std::wstring states;
    const std::array<std::pair<long, const wchar_t*>, 5> named{{
        {STATE_SYSTEM_FOCUSABLE, L" focusable"},
        {STATE_SYSTEM_FOCUSED, L" focused"},
        {STATE_SYSTEM_READONLY, L" read-only"},
        {STATE_SYSTEM_INVISIBLE, L" invisible"},
        {STATE_SYSTEM_UNAVAILABLE, L" unavailable"},
    }};
    for (const auto& [flag, word] : named) {
        states += (reading.state & flag) != 0 ? word : L"";
    }
    return roleText(reading.role) + L" '" + reading.name + L"' [" + states + L" ]" +
           (reading.value ? L" value '" + *reading.value + L"'" : L"");
}

// The form's child windows in z-order, which for the form's controls is also the tab order.
std::vector<HWND> children(HWND form) {
    std::vector<HWND> result;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        result.push_back(child);
    }
    return result;
}

void press(std::vector<INPUT> keys) {
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    Sleep(500);
}

void type(const std::wstring& text) {
    std::vector<INPUT> keys;
    for (const wchar_t character : text) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = character;
            key.ki.dwFlags = KEYEVENTF_UNICODE | up;
            keys.push_back(key);
        }
    }
    press(std::move(keys));
}

void tab() {
    std::vector<INPUT> keys(2);
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_TAB;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    press(std::move(keys));
}

// What the controls must read as, in tab order. Windows reports the owner-drawn button as a push
// button; Wine's oleacc has no proxy for buttons and reports it as a plain client area.
struct Expected {
    const wchar_t* name;
    std::array<long, 2> roles;
    bool readOnly;
    // After the pair "hi" is typed; none where the control has no value.
    std::optional<std::wstring> value;
};

const std::array<Expected, 3> expectedControls{{
    {L"Input", {ROLE_SYSTEM_TEXT, ROLE_SYSTEM_TEXT}, false, L""},
    {L"Output", {ROLE_SYSTEM_TEXT, ROLE_SYSTEM_TEXT}, true, L"Q"},
    {L"Clear", {ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_CLIENT}, false, std::nullopt},
}};

bool focused(HWND control) {
    const std::optional<Reading> reading = read(control);
    return reading && (reading->state & STATE_SYSTEM_FOCUSED) != 0;
}

void check(HWND form) {
    std::vector<HWND> controls;
    for (const HWND child : children(form)) {
        const std::optional<Reading> reading = read(child);
        if (IsWindowVisible(child)) {
            controls.push_back(child);
        } else {
            // Hidden children (the edit boxes' labels) are skipped by screen readers.
            expect(reading && (reading->state & STATE_SYSTEM_INVISIBLE) != 0,
                   L"hidden: " + (reading ? describe(*reading) : L"no accessible object"));
        }
    }
    // The controls, then the live region that announces each new letter, made after them.
    if (controls.size() != expectedControls.size() + 1) {
        expect(false, L"three visible controls and a live region, found " +
                          std::to_wstring(controls.size()));
        return;
    }
    const HWND liveRegion = controls.back();
    controls.pop_back();
    expect(focused(controls[0]), L"the focus starts in the first control");

    type(L"hi");
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const Expected& expected = expectedControls[index];
        const std::optional<Reading> reading = read(controls[index]);
        expect(reading && reading->name == expected.name &&
                   (reading->role == expected.roles[0] || reading->role == expected.roles[1]) &&
                   (reading->state & STATE_SYSTEM_FOCUSABLE) != 0 &&
                   ((reading->state & STATE_SYSTEM_READONLY) != 0) == expected.readOnly &&
                   (!expected.value || reading->value == expected.value),
               L"control " + std::to_wstring(index) + L" after typing 'hi': " +
                   (reading ? describe(*reading) : L"no accessible object"));
    }
    const std::optional<Reading> announced = read(liveRegion);
    // Wine's oleacc has no proxy for a STATIC either: a client area, which it calls focusable.
    expect(announced && announced->name.starts_with(L"Q") &&
               (announced->role == ROLE_SYSTEM_STATICTEXT || announced->role == ROLE_SYSTEM_CLIENT),
           L"the live region after typing 'hi': " +
               (announced ? describe(*announced) : L"no accessible object"));
    expect(focused(controls[0]), L"the input keeps the focus after the pair");
    tab();
    expect(focused(controls[1]), L"Tab moves the focus from Input to Output");
    tab();
    expect(focused(controls[2]), L"Tab moves the focus from Output to Clear");
}

HWND findWindow(const PROCESS_INFORMATION& program) {
    for (int attempt = 0; attempt < 300; ++attempt) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, nullptr, L"Karsobel")) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == program.dwProcessId && IsWindowVisible(window)) {
                return window;
            }
        }
        if (WaitForSingleObject(program.hProcess, 100) == WAIT_OBJECT_0) {
            return nullptr;
        }
    }
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: win32_accessibility PROGRAM\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &program)) {
        std::fwprintf(stderr, L"cannot start %ls: error %lu\n", argv[1], GetLastError());
        return 2;
    }
    const HWND form = findWindow(program);
    expect(form != nullptr, L"the program shows a window named 'Karsobel'");
    if (form != nullptr) {
        SetForegroundWindow(form);
        Sleep(500);
        check(form);
        PostMessageW(form, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(program.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(program.hProcess, 1);
        WaitForSingleObject(program.hProcess, INFINITE);
    }
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    CoUninitialize();
    std::wprintf(L"%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
