#include "app/pairs_platform.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace karsobel::cli {

namespace {

std::wstring toUtf16(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

} // namespace

void useBinaryStandardInput() {
    _setmode(_fileno(stdin), _O_BINARY);
}

std::FILE* openForReading(const std::string& path) {
    return _wfopen(toUtf16(path).c_str(), L"rb");
}

bool readerHasGone(int error) {
    // The C library does not always translate these into EPIPE: Windows says ERROR_NO_DATA, Wine
    // ERROR_PIPE_NOT_CONNECTED.
    const DWORD systemError = GetLastError();
    return error == EPIPE || systemError == ERROR_BROKEN_PIPE || systemError == ERROR_NO_DATA ||
           systemError == ERROR_PIPE_NOT_CONNECTED;
}

void writeErrorLine(std::string_view line) {
    // A console shows UTF-16 whatever its code page; a file or a pipe gets the UTF-8 bytes.
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode)) {
        const std::wstring wide = toUtf16(line) + L"\r\n";
        DWORD written = 0;
        WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace karsobel::cli
