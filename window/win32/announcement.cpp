#include "window/win32/announcement.h"

#include "window/win32/accessibility_declarations.h"
#include "window/win32/win32_support.h"

#include <string>

namespace karsobel::win32 {

namespace {
constexpr wchar_t zeroWidthSpace = L'\x200B';
} // namespace

Announcement::Announcement(HWND parent, HINSTANCE instance) {
    // Visible to screen readers, but of no size, so nobody sees it.
    region_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                              0, 0, 0, parent, reinterpret_cast<HMENU>(unreferencedControlId),
                              instance, nullptr);
    if (region_ == nullptr) {
        throwLastError("CreateWindowExW");
    }
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(started);
    IAccPropServices* properties = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&properties)))) {
        properties_.reset(properties);
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = liveSettingPolite;
        // Wine answers E_NOTIMPL; the region is then an ordinary STATIC, and the event is
        // raised all the same.
        properties_->SetHwndProp(region_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 liveSettingProperty, polite);
    }
}

Announcement::~Announcement() {
    if (properties_) {
        MSAAPROPID property = liveSettingProperty;
        properties_->ClearHwndProps(region_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    &property, 1);
        properties_.reset();
    }
    if (comStarted_) {
        CoUninitialize();
    }
}

void Announcement::announce(char16_t letter) {
    std::wstring text(1, static_cast<wchar_t>(letter));
    if (marked_) {
        text += zeroWidthSpace;
    }
    marked_ = !marked_;
    SetWindowTextW(region_, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, region_, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace karsobel::win32
