#pragma once

#include "window/win32/dpi_scaling.h"
#include "window/win32/win32_support.h"

#include <windows.h>

namespace karsobel::win32 {

// A window's large and small icons, loaded from the program's icon resource at the window's DPI.
// Owns the icons it has set and destroys them when it replaces them or goes.
class WindowIcons {
public:
    // Gives `window` the icons at `dpi`, their sizes from `scaling`. A program without the icon
    // keeps the window's class icon.
    void apply(HWND window, UINT dpi, const DpiScaling& scaling);

private:
    Icon large_;
    Icon small_;
};

} // namespace karsobel::win32
