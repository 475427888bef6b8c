#pragma once

#include <windows.h>

namespace karsobel::win32 {

// A window's large and small icons, loaded from the program's icon resource at the window's DPI.
// Owns the icons it has set and destroys them when it replaces them or goes.
class WindowIcons {
public:
    WindowIcons() = default;
    ~WindowIcons();
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;

    // Gives `window` the icons at `dpi`. A program without the icon keeps the window's class icon.
    void apply(HWND window, UINT dpi);

private:
    HICON large_ = nullptr;
    HICON small_ = nullptr;
};

} // namespace karsobel::win32
