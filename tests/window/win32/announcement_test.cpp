#include "window/win32/form1.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

namespace {

using karsobel::win32::Form1;
namespace form = karsobel::form;

// The names of the objects that raised EVENT_OBJECT_LIVEREGIONCHANGED, as a screen reader reads
// them: through the event's object, not through the window that raised it.
std::vector<std::wstring> announced;

void CALLBACK onLiveRegionChanged(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                  DWORD, DWORD) {
    IAccessible* accessible = nullptr;
    VARIANT item{};
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                         static_cast<DWORD>(child), &accessible, &item))) {
        announced.emplace_back(L"<no object>");
        return;
    }
    BSTR name = nullptr;
    const bool named = SUCCEEDED(accessible->get_accName(item, &name)) && name != nullptr;
    announced.emplace_back(named ? name : L"<no name>");
    SysFreeString(name);
    VariantClear(&item);
    accessible->Release();
}

// Events raised out of context reach the hook through this thread's messages.
void deliverEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// The letter as heard: a trailing zero-width space, which tells repeats apart, says nothing.
std::wstring heard(std::wstring name) {
    if (!name.empty() && name.back() == L'\x200B') {
        name.pop_back();
    }
    return name;
}

class AnnouncementTest : public testing::Test {
protected:
    AnnouncementTest() {
        form.show(SW_SHOWNORMAL);
        announced.clear();
        hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED,
                               nullptr, onLiveRegionChanged, GetCurrentProcessId(), 0,
                               WINEVENT_OUTOFCONTEXT);
    }
    ~AnnouncementTest() override { UnhookWinEvent(hook); }

    Form1 form{GetModuleHandleW(nullptr)};
    HWINEVENTHOOK hook = nullptr;
};

TEST_F(AnnouncementTest, EachNewLetterIsAnnouncedOnceWhileTheFocusStaysInTheInputBox) {
    ASSERT_NE(hook, nullptr);
    const HWND input = form.control(form::text1);
    const HWND clear = form.control(form::command1);
    const struct {
        const wchar_t* typed;
        bool thenClear;
        std::vector<std::wstring> letters;
    } cases[] = {
        {L"hihi", false, {L"Q", L"Q"}},
        {L"hito", false, {L"Q", L"I"}},
        {L"12", false, {}},
        {L"", true, {}},
        {L"ab", true, {L"C"}},
    };
    for (const auto& [typed, thenClear, letters] : cases) {
        SCOPED_TRACE(testing::Message() << "typed '" << std::string(typed, typed + wcslen(typed))
                                        << "'" << (thenClear ? ", then Clear" : ""));
        announced.clear();
        // A screen reader reads each event's object soon after the event, before the next key.
        for (const wchar_t* character = typed; *character != L'\0'; ++character) {
            SendMessageW(input, WM_CHAR, *character, 1);
            deliverEvents();
        }
        if (thenClear) {
            SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(clear), BN_CLICKED),
                         reinterpret_cast<LPARAM>(clear));
        }
        deliverEvents();
        ASSERT_EQ(announced.size(), letters.size());
        for (std::size_t index = 0; index < letters.size(); ++index) {
            EXPECT_EQ(heard(announced[index]), letters[index]) << "announcement " << index;
        }
        if (announced.size() == 2) {
            EXPECT_NE(announced[0], announced[1]) << "a repeat would be skipped";
        }
        EXPECT_EQ(GetFocus(), input);
        SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(clear), BN_CLICKED),
                     reinterpret_cast<LPARAM>(clear));
        deliverEvents();
    }
}

} // namespace
