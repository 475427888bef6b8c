#pragma once

namespace karsobel::qt {

// Makes accessibility clients see every Form1 as a window, named by its caption. Qt reports a
// plain top-level QWidget as a client area ("filler" in AT-SPI), so a screen reader's "read the
// window title" command would find no window. Nothing on screen changes. Safe to call repeatedly.
void reportForm1AsWindow();

} // namespace karsobel::qt
