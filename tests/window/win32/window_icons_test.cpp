#include "window/win32/form1.h"

#include <gtest/gtest.h>

namespace {

using karsobel::win32::Form1;

// The side in pixels of the icon the window holds as `which`, ICON_BIG or ICON_SMALL.
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

TEST(WindowIconsTest, TheProgramsIconAtEachDpiTheWindowMovesTo) {
    Form1 form(GetModuleHandleW(nullptr));
    for (const UINT dpi : {96U, 144U, 192U, 96U}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        RECT place{};
        GetWindowRect(form.handle(), &place);
        SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&place));
        EXPECT_EQ(iconSide(form.handle(), ICON_BIG), GetSystemMetricsForDpi(SM_CXICON, dpi));
        EXPECT_EQ(iconSide(form.handle(), ICON_SMALL), GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    }
}

} // namespace
