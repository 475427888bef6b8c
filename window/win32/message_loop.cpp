#include "window/win32/message_loop.h"

namespace karsobel::win32 {

int runMessageLoop(HWND window) {
    MSG message{};
    BOOL received = FALSE;
    while ((received = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (received == -1) {
            return 1;
        }
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace karsobel::win32
