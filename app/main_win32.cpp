#include "form1.h"
#include "message_loop.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    karsobel::Form1 form1(instance);
    form1.show(showCommand);
    return karsobel::runMessageLoop(form1.handle());
}
