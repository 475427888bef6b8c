#include "app/pairs_cli.h"

#include <string>
#include <vector>
#include <windows.h>

namespace {

// A command-line argument, as Windows gives it in UTF-16, in UTF-8; an unpaired surrogate becomes
// U+FFFD.
std::string toUtf8(const wchar_t* argument) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, argument, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argument, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating null
    return text;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(toUtf8(argv[i]));
    }
    return karsobel::cli::runPairs(arguments);
}
