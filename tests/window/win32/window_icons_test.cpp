#include "window/win32/form1.h"

#include "tests/window/win32/form1_geometry.h"

#include <gtest/gtest.h>

namespace {

using karsobel::win32::Form1;

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
