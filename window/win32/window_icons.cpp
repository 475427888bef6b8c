#include "window/win32/window_icons.h"

#include "window/win32/resource_ids.h"

#include <utility>

namespace karsobel::win32 {

namespace {

// The program's icon, drawn at the size the system metric `sizeMetric` gives at `dpi`.
Icon loadIcon(int sizeMetric, UINT dpi, const DpiScaling& scaling) {
    const int size = scaling.systemMetric(sizeMetric, dpi);
    return Icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                              MAKEINTRESOURCEW(KARSOBEL_ICON_ID), IMAGE_ICON, size,
                                              size, LR_DEFAULTCOLOR)));
}

// Sets one of `window`'s icons; the one it replaces, if `owned`, is destroyed.
void replace(HWND window, WPARAM which, Icon icon, Icon& owned) {
    if (!icon) {
        return;
    }
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon.get()));
    owned = std::move(icon);
}

} // namespace

void WindowIcons::apply(HWND window, UINT dpi, const DpiScaling& scaling) {
    replace(window, ICON_BIG, loadIcon(SM_CXICON, dpi, scaling), large_);
    replace(window, ICON_SMALL, loadIcon(SM_CXSMICON, dpi, scaling), small_);
}

} // namespace karsobel::win32
