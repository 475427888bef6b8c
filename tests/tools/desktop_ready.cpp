// Says whether Wine's desktop can hold windows yet: makes a hidden top-level window and ends with
// status 0 if it could, 1 if not. The Wine launchers run it before the program under test.
#include <windows.h>

int main() {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        return 1;
    }
    DestroyWindow(window);
    return 0;
}
