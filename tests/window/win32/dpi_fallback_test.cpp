#include "window/win32/dpi_scaling.h"
#include "window/win32/form1.h"

#include "tests/window/win32/form1_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

using karsobel::win32::DpiFunctions;
using karsobel::win32::DpiScaling;
using karsobel::win32::Form1;
using karsobel::win32::systemDpiFunctions;
namespace form = karsobel::form;

SIZE sizeOf(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

testing::AssertionResult sameSize(const SIZE& actual, const SIZE& expected) {
    if (actual.cx == expected.cx && actual.cy == expected.cy) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << actual.cx << "x" << actual.cy << ", not " << expected.cx << "x" << expected.cy;
}

// The window as shown at the screen's DPI, laid out with the DPI functions `functions` offers:
// its controls, its size with the frame and its icons, and the DPI Windows gives the window.
struct Geometry {
    Layout layout;
    SIZE window;
    int largeIcon;
    int smallIcon;
    UINT windowDpi;
};

Geometry shownWith(const DpiFunctions& functions, UINT dpi) {
    Form1 form(GetModuleHandleW(nullptr), DpiScaling{functions});
    form.show(SW_SHOWNORMAL);
    RECT window{};
    RECT client{};
    GetWindowRect(form.handle(), &window);
    GetClientRect(form.handle(), &client);
    return {{dpi, sizeOf(client), placeInParent(form.control(form::text1)),
             placeInParent(form.control(form::command1)), placeInParent(form.control(form::text2)),
             fontHeight(form.control(form::text1)), fontHeight(form.control(form::command1))},
            sizeOf(window),
            iconSide(form.handle(), ICON_BIG),
            iconSide(form.handle(), ICON_SMALL),
            GetDpiForWindow(form.handle())};
}

UINT screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// The resolution the screen was set to, where the test is told it in KARSOBEL_SCREEN_DPI; 0 where
// it is not. A program that saw another, a DPI-unaware one at 96 dpi among them, would check the
// layout at that DPI instead and pass.
UINT expectedScreenDpi() {
    const char* const dpi = std::getenv("KARSOBEL_SCREEN_DPI");
    return dpi != nullptr ? static_cast<UINT>(std::stoul(dpi)) : 0U;
}

// Windows before 10 version 1607 lacks all three functions; each is also taken away alone, so
// that every fallback is seen to stand in for its function by itself.
TEST(DpiFallbackTest, TheWindowLooksTheSameWithoutWindows10sDpiFunctions) {
    const DpiFunctions windows10 = systemDpiFunctions();
    ASSERT_NE(windows10.getDpiForWindow, nullptr);
    ASSERT_NE(windows10.adjustWindowRectExForDpi, nullptr);
    ASSERT_NE(windows10.getSystemMetricsForDpi, nullptr);

    const UINT dpi = screenDpi();
    const UINT expected = expectedScreenDpi();
    if (expected != 0) {
        ASSERT_EQ(dpi, expected) << "the screen's resolution as the program sees it";
    }
    const auto* const layout =
        std::find_if(std::begin(layouts), std::end(layouts),
                     [dpi](const Layout& known) { return known.dpi == dpi; });
    ASSERT_NE(layout, std::end(layouts)) << "no layout known at " << dpi << " dpi";
    const Geometry reference = shownWith(windows10, dpi);
    if (expected != 0) {
        EXPECT_EQ(reference.windowDpi, expected) << "the window's resolution";
    }
    // The icons Windows 10 chooses at this DPI.
    EXPECT_EQ(reference.largeIcon, windows10.getSystemMetricsForDpi(SM_CXICON, dpi));
    EXPECT_EQ(reference.smallIcon, windows10.getSystemMetricsForDpi(SM_CXSMICON, dpi));

    DpiFunctions withoutDpiForWindow = windows10;
    withoutDpiForWindow.getDpiForWindow = nullptr;
    DpiFunctions withoutAdjustWindowRect = windows10;
    withoutAdjustWindowRect.adjustWindowRectExForDpi = nullptr;
    DpiFunctions withoutSystemMetrics = windows10;
    withoutSystemMetrics.getSystemMetricsForDpi = nullptr;
    const struct {
        const char* name;
        DpiFunctions functions;
    } cases[] = {
        {"Windows 10 version 1607 and later", windows10},
        {"Windows 7 SP1 to Windows 10 version 1511", {nullptr, nullptr, nullptr}},
        {"without GetDpiForWindow", withoutDpiForWindow},
        {"without AdjustWindowRectExForDpi", withoutAdjustWindowRect},
        {"without GetSystemMetricsForDpi", withoutSystemMetrics},
    };
    for (const auto& [name, functions] : cases) {
        SCOPED_TRACE(testing::Message() << name << ", at " << dpi << " dpi");
        const Geometry shown = shownWith(functions, dpi);
        EXPECT_TRUE(sameSize(shown.layout.client, layout->client)) << "client area";
        EXPECT_TRUE(EqualRect(&shown.layout.text1, &layout->text1));
        EXPECT_TRUE(EqualRect(&shown.layout.command1, &layout->command1));
        EXPECT_TRUE(EqualRect(&shown.layout.text2, &layout->text2));
        EXPECT_EQ(shown.layout.boxFontHeight, layout->boxFontHeight);
        EXPECT_EQ(shown.layout.buttonFontHeight, layout->buttonFontHeight);
        EXPECT_TRUE(sameSize(shown.window, reference.window)) << "window with its frame";
        EXPECT_EQ(shown.largeIcon, reference.largeIcon);
        EXPECT_EQ(shown.smallIcon, reference.smallIcon);
    }
}

} // namespace
