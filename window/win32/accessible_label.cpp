#include "window/win32/accessible_label.h"

#include "window/win32/win32_support.h"

#include <string>

namespace karsobel::win32 {

void createAccessibleLabel(HWND parent, const form::Control& description, HINSTANCE instance) {
    if (description.kind != form::Kind::TextBox || description.accessibleName.empty()) {
        return;
    }
    const std::wstring name = wide(description.accessibleName);
    if (CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                        parent, reinterpret_cast<HMENU>(unreferencedControlId), instance,
                        nullptr) == nullptr) {
        throwLastError("CreateWindowExW");
    }
}

} // namespace karsobel::win32
