#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// What karsobel-pairs needs that differs between Linux and Windows.
namespace karsobel::cli {

// Makes standard input give the bytes as they are, with no line-ending translation.
void useBinaryStandardInput();

// Opens a file, named in UTF-8, to read its bytes; null, with errno set, when it cannot.
std::FILE* openForReading(const std::string& path);

// Whether a write that failed with `error` failed because the reader of the output has gone, as
// when a pipe is closed; asked at once, before anything else can change what the system says.
bool readerHasGone(int error);

// Writes a line of UTF-8 text to standard error so that a console shows it.
void writeErrorLine(std::string_view line);

} // namespace karsobel::cli
