#include "app/pairs_cli.h"

#include "app/pairs_options.h"
#include "app/pairs_platform.h"
#include "pairs/pair_stream.h"
#include "pairs/utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace karsobel::cli {

namespace {

constexpr std::string_view programName = "karsobel-pairs";
constexpr std::size_t chunkSize = 64 * 1024;

constexpr std::string_view helpText = R"(Usage: karsobel-pairs [TEXT]...
       karsobel-pairs [-f FILE | -]...
Adds the characters of a text in pairs, as the Karsobel window does when the text is typed into
its input box one character at a time: the first with the second, the third with the fourth, and
so on. A pair gives one capital letter: the positions of its letters in the alphabet (A = 1 ... Z =
26, either case) added, wrapping past 26. A character that is not a letter from A to Z adds
nothing, and a pair with no letter gives none. The letters are written on one line.

The text is the arguments, joined as if typed one after another. With no argument, or with -, it
is read from standard input; -f FILE reads it from a file; several sources are joined in order.
It is read as UTF-8, a character being a Unicode code point; each byte that is not valid UTF-8
counts as one character without a letter. Line breaks and tabs are skipped, because Enter and Tab
never change the window's single-line input box. An odd last character has no partner and gives
nothing; the program says so on standard error.

  -f, --file FILE  read the text from FILE
  -                read the text from standard input
  --               take every argument after this one as text, even one that starts with -
  -h, --help       show this help and exit
      --version    show the version and exit

Example: karsobel-pairs hito  prints QI
         (h + i = 8 + 9 = 17, Q; t + o = 20 + 15 = 35, past 26: 9, I).

Exit status: 0 when the text was read, 1 when a file cannot be read or the letters cannot be
written, 2 for a wrong command line.
)";

void report(std::string_view message) {
    writeErrorLine(std::string(programName) + ": " + std::string(message));
}

std::string quoted(std::string_view name) {
    std::string text(1, '\'');
    text += name;
    text += '\'';
    return text;
}

// A character as a message names it: itself in quotes when it can be shown, else its code point.
std::string describe(char32_t character) {
    const bool control = character < 0x20 || (character >= 0x7F && character < 0xA0);
    if (control) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
        return code;
    }
    std::string text;
    utf8::append(text, character);
    return quoted(text);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// An input opened before anything is written, so that a file that cannot be read stops the
// program before it prints a letter.
struct OpenSource {
    const TextSource* source;
    File file; // null for an argument and for standard input
};

// A write error that ends the program: a closed pipe quietly, as a reader that has seen enough is
// no fault; anything else with a message.
struct WriteFailed {
    OutputError cause;
};

void writeOut(const char* bytes, std::size_t size) {
    if (const auto error = writeOutput(std::string_view(bytes, size))) {
        throw WriteFailed{*error};
    }
}

class PairWriter {
public:
    PairWriter() : letters_(PairStream::maxLetters(chunkSize)) {}

    void feed(std::string_view bytes) {
        for (std::size_t offset = 0; offset < bytes.size(); offset += chunkSize) {
            const std::string_view chunk = bytes.substr(offset, chunkSize);
            writeOut(letters_.data(), stream_.feed(chunk, letters_.data()));
        }
    }

    void finish() {
        writeOut(letters_.data(), stream_.finish(letters_.data()));
        writeOut(lineEnd.data(), lineEnd.size());
    }

    const PairStream& stream() const noexcept { return stream_; }

private:
    PairStream stream_;
    std::vector<char> letters_;
};

// Streams one file or standard input through the writer; false, with the error reported, when it
// cannot be read to its end.
bool pairFrom(std::FILE* file, std::string_view name, PairWriter& writer) {
    std::vector<char> chunk(chunkSize);
    for (;;) {
        const std::size_t size = std::fread(chunk.data(), 1, chunk.size(), file);
        const int readError = std::ferror(file) ? errno : 0;
        writer.feed(std::string_view(chunk.data(), size));
        if (readError != 0) {
            report("cannot read " + std::string(name) + ": " + std::strerror(readError));
            return false;
        }
        if (size < chunk.size()) {
            return true;
        }
    }
}

bool pairFrom(const OpenSource& input, PairWriter& writer) {
    switch (input.source->kind) {
    case TextSource::Kind::argument:
        writer.feed(input.source->value);
        return true;
    case TextSource::Kind::standardInput:
        return pairFrom(stdin, "standard input", writer);
    case TextSource::Kind::file:
        return pairFrom(input.file.get(), quoted(input.source->value), writer);
    }
    return false;
}

int pairSources(const std::vector<TextSource>& sources) {
    std::vector<OpenSource> opened;
    for (const TextSource& source : sources) {
        File file;
        if (source.kind == TextSource::Kind::file) {
            file.reset(openForReading(source.value));
            if (!file) {
                report("cannot read " + quoted(source.value) + ": " + std::strerror(errno));
                return 1;
            }
        }
        opened.push_back({&source, std::move(file)});
    }
    useBinaryStandardInput();
    PairWriter writer;
    try {
        for (const OpenSource& input : opened) {
            if (!pairFrom(input, writer)) {
                return 1;
            }
        }
        writer.finish();
    } catch (const WriteFailed& failure) {
        if (!failure.cause.readerHasGone) {
            report(std::string("cannot write the letters: ") + std::strerror(failure.cause.error));
        }
        return 1;
    }
    const PairStream& stream = writer.stream();
    if (const auto invalid = stream.invalidBytes(); invalid > 0) {
        report(std::to_string(invalid) + (invalid == 1 ? " byte" : " bytes") +
               " of invalid UTF-8, each taken as one character without a letter");
    }
    if (const auto unpaired = stream.unpairedCharacter()) {
        report("the last character, " + describe(*unpaired) +
               ", has no partner and gives no letter");
    }
    return 0;
}

} // namespace

int runPairs(std::span<const std::string> arguments) {
    const PairsOptions options = parsePairsOptions(arguments);
    if (options.error) {
        report(*options.error);
        writeErrorLine("Try '" + std::string(programName) + " --help' for more information.");
        return 2;
    }
    if (options.help) {
        std::fwrite(helpText.data(), 1, helpText.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (options.version) {
        std::printf("%s (Karsobel) %s\n", programName.data(), KARSOBEL_VERSION);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    return pairSources(options.sources);
}

} // namespace karsobel::cli
