#pragma once

namespace karsobel::qt {

// Gives accessibility clients the roles that Qt cannot tell from the widgets' classes: every
// Form1 is a window named by its caption (Qt reports a plain top-level QWidget as a client area,
// "filler" in AT-SPI, so a screen reader's "read the window title" command would find no window),
// and every Announcement a notification. Nothing on screen changes. Safe to call repeatedly.
void installAccessibleRoles();

} // namespace karsobel::qt
