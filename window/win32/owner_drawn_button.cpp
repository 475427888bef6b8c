#include "owner_drawn_button.h"

#include <string>

namespace karsobel::win32 {

namespace {
constexpr int focusInset = 3;
} // namespace

void drawButton(const DRAWITEMSTRUCT& item, HBRUSH face) {
    const HDC dc = item.hDC;
    RECT bounds = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;

    FillRect(dc, &bounds, face);
    DrawEdge(dc, &bounds, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(
        GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
    RECT textBounds = bounds;
    if (pressed) {
        OffsetRect(&textBounds, 1, 1);
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textBounds,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previousFont);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        InflateRect(&bounds, -focusInset, -focusInset);
        DrawFocusRect(dc, &bounds);
    }
}

} // namespace karsobel::win32
