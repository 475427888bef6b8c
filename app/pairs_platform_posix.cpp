#include "app/pairs_platform.h"

#include <cerrno>
#include <unistd.h>

namespace karsobel::cli {

void useBinaryStandardInput() {}

std::FILE* openForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

std::optional<OutputError> writeOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return OutputError{errno, errno == EPIPE};
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

const std::string_view lineEnd = "\n";

void writeErrorLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace karsobel::cli
