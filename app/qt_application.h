#pragma once

#include <QApplication>

#include <memory>

namespace karsobel::qt {

// The application object, connected to the display. Where no display can be reached, Qt would
// abort; instead this says so in one line on standard error and ends the program with status 1.
// Qt's messages while it connects are held back, and passed on once it has.
std::unique_ptr<QApplication> connectedApplication(int& argc, char* argv[]);

} // namespace karsobel::qt
