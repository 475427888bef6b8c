#pragma once

#include <windows.h>

namespace karsobel::win32 {

// Runs the calling thread's messages, with the dialog keys (Tab, Enter, Space) of `window`, until
// the thread is asked to quit; gives the exit status that came with the request.
int runMessageLoop(HWND window);

} // namespace karsobel::win32
