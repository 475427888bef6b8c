#include "window/win32/window_icons.h"

#include "window/win32/resource_ids.h"

#include <initializer_list>

namespace karsobel::win32 {

namespace {

// The program's icon, drawn at the size the system metric `sizeMetric` gives at `dpi`.
HICON loadIcon(int sizeMetric, UINT dpi) {
    const int size = GetSystemMetricsForDpi(sizeMetric, dpi);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(KARSOBEL_ICON_ID), IMAGE_ICON, size,
                                         size, LR_DEFAULTCOLOR));
}

// Sets one of `window`'s icons and destroys the one it replaces, if it is `owned`.
void replace(HWND window, WPARAM which, HICON icon, HICON& owned) {
    if (icon == nullptr) {
        return;
    }
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    if (owned != nullptr) {
        DestroyIcon(owned);
    }
    owned = icon;
}

} // namespace

WindowIcons::~WindowIcons() {
    for (const HICON icon : {large_, small_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void WindowIcons::apply(HWND window, UINT dpi) {
    replace(window, ICON_BIG, loadIcon(SM_CXICON, dpi), large_);
    replace(window, ICON_SMALL, loadIcon(SM_CXSMICON, dpi), small_);
}

} // namespace karsobel::win32
