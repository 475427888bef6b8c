#include "app/pairs_platform.h"

#include <cerrno>

namespace karsobel::cli {

void useBinaryStandardInput() {}

std::FILE* openForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

bool readerHasGone(int error) {
    return error == EPIPE;
}

void writeErrorLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace karsobel::cli
