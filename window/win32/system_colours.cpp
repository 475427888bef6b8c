#include "window/win32/system_colours.h"

#include <windows.h>

namespace karsobel::win32 {

namespace {

form::Rgb systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

} // namespace

form::SystemColours systemColours() {
    return {systemColour(COLOR_WINDOW), systemColour(COLOR_WINDOWTEXT),
            systemColour(COLOR_BTNFACE), systemColour(COLOR_BTNTEXT)};
}

bool highContrastOn() {
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0) &&
           (settings.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace karsobel::win32
