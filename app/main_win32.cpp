#include "window/win32/form1.h"
#include "window/win32/message_loop.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    karsobel::win32::Form1 form1(instance);
    form1.show(showCommand);
    return karsobel::win32::runMessageLoop(form1.handle());
}
