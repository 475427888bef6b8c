#include "window/form_description.h"
#include "window/win32/form1.h"
#include "window/win32/message_loop.h"
#include "window/win32/win32_support.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <string>

namespace {

// What a Windows user is shown when the window cannot be made: a message box naming the call
// that failed and why, rather than a program that vanishes.
int reportStartFailure(const std::exception& failure) {
    const char* const what = failure.what();
    const int size = MultiByteToWideChar(CP_ACP, 0, what, -1, nullptr, 0);
    std::wstring reason(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, what, -1, reason.data(), size);
    reason.pop_back(); // the terminating null
    const std::wstring caption = karsobel::win32::wide(karsobel::form::caption);
    const std::wstring text = caption + L" could not start.\n\n" + reason;
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    return 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    std::optional<karsobel::win32::Form1> form1;
    try {
        form1.emplace(instance);
    } catch (const std::exception& failure) {
        return reportStartFailure(failure);
    }
    form1->show(showCommand);
    return karsobel::win32::runMessageLoop(form1->handle());
}
