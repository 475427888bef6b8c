#include "tests/window/win32/form1_geometry.h"

int iconSide(HWND window, WPARAM which) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

RECT placeInParent(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

LONG fontHeight(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    return description.lfHeight;
}
