#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// What karsobel-pairs needs that differs between Linux and Windows.
namespace karsobel::cli {

// Makes standard input give the bytes as they are, with no line-ending translation.
void useBinaryStandardInput();

// Opens a file, named in UTF-8, to read its bytes; null, with errno set, when it cannot.
std::FILE* openForReading(const std::string& path);

// Why a write to standard output failed.
struct OutputError {
    int error; // an errno value, for the message
    bool readerHasGone; // the reader of the output has gone, as when a pipe is closed
};

// Writes the bytes to standard output as they are, past the C library's buffer and its text mode;
// the error, read from the system at once, when it cannot write them all.
std::optional<OutputError> writeOutput(std::string_view bytes);

// How a line of text ends on this system.
extern const std::string_view lineEnd;

// Writes a line of UTF-8 text to standard error so that a console shows it.
void writeErrorLine(std::string_view line);

} // namespace karsobel::cli
