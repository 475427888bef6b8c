#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>

namespace karsobel::win32 {

// Has Windows screen readers speak each new letter while the focus stays where it is: a live
// region, a STATIC of the window's own whose name becomes the letter, marked polite through
// IAccPropServices and raised with EVENT_OBJECT_LIVEREGIONCHANGED.
class Announcement {
public:
    // Made after the window's other controls, so that it labels none of them.
    Announcement(HWND parent, HINSTANCE instance);
    ~Announcement();
    Announcement(const Announcement&) = delete;
    Announcement& operator=(const Announcement&) = delete;

    void announce(char16_t letter);

private:
    struct Releaser {
        void operator()(IUnknown* object) const noexcept { object->Release(); }
    };

    HWND region_ = nullptr;
    bool comStarted_ = false;
    std::unique_ptr<IAccPropServices, Releaser> properties_;
    // Alternates, so that the same letter twice in a row is a new text each time: screen readers
    // skip a text that repeats the one just spoken.
    bool marked_ = false;
};

} // namespace karsobel::win32
