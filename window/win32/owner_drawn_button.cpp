#include "window/win32/owner_drawn_button.h"

#include "window/win32/win32_support.h"

#include <string>

namespace karsobel::win32 {

namespace {
constexpr int focusInset = 3;
} // namespace

void drawButton(const DRAWITEMSTRUCT& item, HBRUSH face, COLORREF text) {
    const HDC dc = item.hDC;
    RECT bounds = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;

    FillRect(dc, &bounds, face);
    DrawEdge(dc, &bounds, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring caption = windowText(item.hwndItem);
    RECT textBounds = bounds;
    if (pressed) {
        OffsetRect(&textBounds, 1, 1);
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textBounds,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previousFont);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        InflateRect(&bounds, -focusInset, -focusInset);
        DrawFocusRect(dc, &bounds);
    }
}

} // namespace karsobel::win32
