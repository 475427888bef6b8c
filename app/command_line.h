#pragma once

#include <optional>

namespace karsobel::qt {

// Answers what the command line asks of the program itself, before any window system is touched,
// so that it answers where no display can be reached too: --help and --version on standard output
// with status 0, an unknown option or an argument on standard error with status 2. Qt's own
// options (-platform, -display, -style, ...) are let through for QApplication to take.
// Gives the exit status once answered, or nothing when the window is to open.
std::optional<int> answerCommandLine(int argc, const char* const argv[]);

} // namespace karsobel::qt
