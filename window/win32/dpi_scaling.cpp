#include "window/win32/dpi_scaling.h"

namespace karsobel::win32 {

namespace {

// A function of user32.dll by name, or null where this Windows lacks it.
template <typename Function> Function user32Function(const char* name) noexcept {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    // Through void (*)(), which converts to any function pointer type without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

// The DPI of the whole screen, which is every window's before Windows 10 version 1607.
UINT systemDpi() noexcept {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

} // namespace

const DpiFunctions& systemDpiFunctions() noexcept {
    static const DpiFunctions functions{
        user32Function<decltype(DpiFunctions::getDpiForWindow)>("GetDpiForWindow"),
        user32Function<decltype(DpiFunctions::adjustWindowRectExForDpi)>(
            "AdjustWindowRectExForDpi"),
        user32Function<decltype(DpiFunctions::getSystemMetricsForDpi)>("GetSystemMetricsForDpi"),
    };
    return functions;
}

DpiScaling::DpiScaling(const DpiFunctions& functions) noexcept : functions_(functions) {}

UINT DpiScaling::ofWindow(HWND window) const noexcept {
    return functions_.getDpiForWindow != nullptr ? functions_.getDpiForWindow(window) : systemDpi();
}

RECT DpiScaling::frameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi) const noexcept {
    if (functions_.adjustWindowRectExForDpi != nullptr) {
        functions_.adjustWindowRectExForDpi(&client, style, FALSE, exStyle, dpi);
    } else {
        // Before Windows 10 version 1607 the frame is drawn at the system DPI on every screen.
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    }
    return client;
}

int DpiScaling::systemMetric(int index, UINT dpi) const noexcept {
    if (functions_.getSystemMetricsForDpi != nullptr) {
        return functions_.getSystemMetricsForDpi(index, dpi);
    }
    // Windows 8.1 moves a window to a screen of another DPI; the metric scales with it.
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

} // namespace karsobel::win32
