#pragma once

#include <windows.h>

namespace karsobel::win32 {

// The DPI functions user32.dll has only from Windows 10 version 1607 on. The program calls them
// through these pointers, looked up at run time, so that it still loads on Windows 7 SP1 and 8.1;
// a null pointer is a function this Windows lacks.
struct DpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND);
    BOOL(WINAPI* adjustWindowRectExForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT);
    int(WINAPI* getSystemMetricsForDpi)(int, UINT);
};

// The functions of the Windows the program runs on, looked up once.
const DpiFunctions& systemDpiFunctions() noexcept;

// What a window needs at a DPI: through the functions where they exist, and where they do not,
// through their older equivalents, which work at the system DPI.
class DpiScaling {
public:
    explicit DpiScaling(const DpiFunctions& functions = systemDpiFunctions()) noexcept;

    // The DPI `window` is shown at.
    [[nodiscard]] UINT ofWindow(HWND window) const noexcept;
    // The window rectangle around a client area of `client`, for a window of these styles.
    [[nodiscard]] RECT frameAround(RECT client, DWORD style, DWORD exStyle,
                                   UINT dpi) const noexcept;
    // The system metric `index` (SM_CXICON, ...) at `dpi`.
    [[nodiscard]] int systemMetric(int index, UINT dpi) const noexcept;

private:
    DpiFunctions functions_;
};

} // namespace karsobel::win32
