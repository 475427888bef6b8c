#include "app/pairs_platform.h"

#include <algorithm>
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

// A closed pipe reads as ERROR_NO_DATA on Windows, ERROR_PIPE_NOT_CONNECTED under Wine.
OutputError outputError(DWORD systemError) {
    switch (systemError) {
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
    case ERROR_PIPE_NOT_CONNECTED:
        return {EPIPE, true};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {ENOSPC, false};
    case ERROR_ACCESS_DENIED:
        return {EACCES, false};
    case ERROR_INVALID_HANDLE:
        return {EBADF, false};
    default:
        return {EIO, false};
    }
}

} // namespace

void useBinaryStandardInput() {
    _setmode(_fileno(stdin), _O_BINARY);
}

std::FILE* openForReading(const std::string& path) {
    return _wfopen(toUtf16(path).c_str(), L"rb");
}

std::optional<OutputError> writeOutput(std::string_view bytes) {
    // WriteFile itself, as the C library's text mode crawls and its error numbers lose which
    // system error it was.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    while (!bytes.empty()) {
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
        DWORD written = 0;
        if (!WriteFile(output, bytes.data(), size, &written, nullptr)) {
            return outputError(GetLastError());
        }
        bytes.remove_prefix(written);
    }
    return std::nullopt;
}

const std::string_view lineEnd = "\r\n";

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
