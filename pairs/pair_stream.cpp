#include "pairs/pair_stream.h"

#include "letters/letters.h"
#include "pairs/utf8.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace karsobel {

namespace {

constexpr char32_t replacementCharacter = U'\uFFFD';
constexpr std::size_t asciiSize = 0x80;

constexpr bool isSkipped(char32_t character) noexcept {
    return character == U'\n' || character == U'\r' || character == U'\t';
}

// pairLetter's answer for every two bytes that are both ASCII characters and not skipped: the
// letter, or '\0' for none; `notPlain` for every other two bytes. Looked up by the loop that most
// text goes through, a whole pair at a time.
constexpr char notPlain = '\x7F';
using BytePairLetters = std::array<std::array<char, 0x100>, 0x100>;

BytePairLetters tabulateBytePairLetters() noexcept {
    BytePairLetters table{};
    for (char32_t first = 0; first < table.size(); ++first) {
        for (char32_t second = 0; second < table.size(); ++second) {
            const bool plain =
                first < asciiSize && second < asciiSize && !isSkipped(first) && !isSkipped(second);
            table[first][second] = plain ? pairLetter(first, second).value_or('\0') : notPlain;
        }
    }
    return table;
}

const BytePairLetters bytePairLetters = tabulateBytePairLetters();

} // namespace

std::size_t PairStream::feed(std::string_view bytes, char* letters) noexcept {
    char* const start = letters;
    const auto* next = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = next + bytes.size();
    if (partialSize_ > 0) {
        next = completePartial(next, end, letters);
    }
    // Each turn reads at least one byte and stays within the piece: `next` only moves forward
    // and never passes `end`.
    while (next != end) {
        assert(next < end);
        const unsigned char* scalarUntil = end;
        if (core_ != nullptr) {
            next = pairVector(next, end, scalarUntil, letters);
        }
        next = pairScalar(next, scalarUntil, end, letters);
        assert(next <= end);
    }
    return static_cast<std::size_t>(letters - start);
}

std::size_t PairStream::finish(char* letters) noexcept {
    char* const start = letters;
    takePartialAsInvalid(letters);
    return static_cast<std::size_t>(letters - start);
}

std::optional<char32_t> PairStream::unpairedCharacter() const noexcept {
    if (pending_ == noCharacter) {
        return std::nullopt;
    }
    return pending_;
}

const unsigned char* PairStream::pairScalar(const unsigned char* next,
                                            const unsigned char* until, const unsigned char* end,
                                            char*& letters) noexcept {
    assert(next <= until && until <= end);
    // The ASCII loop runs only while `next` is short of `until`; a character that lies across
    // `until` is decoded whole, up to `end`, and then ends the stretch.
    while (next < until) {
        next = pairAscii(next, until, letters);
        if (next == until) {
            break;
        }
        const utf8::Decoded decoded = utf8::decodeFirst(next, end);
        switch (decoded.kind) {
        case utf8::Decoded::Kind::character:
            take(decoded.character, letters);
            next += decoded.size;
            break;
        case utf8::Decoded::Kind::invalid:
            takeInvalid(letters);
            ++next;
            break;
        case utf8::Decoded::Kind::incomplete:
            assert(end - next < static_cast<std::ptrdiff_t>(sizeof partial_));
            partialSize_ = static_cast<std::size_t>(end - next);
            std::copy(next, end, partial_);
            next = end;
            break;
        }
    }
    return next;
}

const unsigned char* PairStream::pairVector(const unsigned char* next, const unsigned char* end,
                                            const unsigned char*& scalarUntil,
                                            char*& letters) noexcept {
    // The core knows the waiting character by one byte: itself if ASCII, else any byte without
    // a value.
    int pending = vector_pairing::noPending;
    if (pending_ != noCharacter) {
        pending = pending_ < asciiSize ? static_cast<int>(pending_) : 0x80;
    }
    const vector_pairing::Run run = core_(next, end, pending, letters);
    // The core hands back a character boundary it reached without passing the piece, and a
    // stretch for the scalar path that starts there.
    assert(next <= run.next && run.next <= run.scalarUntil && run.scalarUntil <= end);
    if (run.pending == vector_pairing::noPending) {
        pending_ = noCharacter;
    } else if (run.lastCharacter != nullptr) {
        pending_ = utf8::decodeFirst(run.lastCharacter, end).character;
    }
    letters = run.letters;
    scalarUntil = run.scalarUntil;
    return run.next;
}

void PairStream::take(char32_t character, char*& letters) noexcept {
    if (pending_ == noCharacter) {
        pending_ = character;
        return;
    }
    if (const std::optional<char> letter = pairLetter(pending_, character)) {
        *letters++ = *letter;
    }
    pending_ = noCharacter;
}

const unsigned char* PairStream::pairAscii(const unsigned char* next, const unsigned char* end,
                                           char*& letters) noexcept {
    assert(next <= end);
    // The state in locals: the compiler must otherwise assume that writing a letter may change it.
    char32_t pending = pending_;
    char* written = letters;
    for (;;) {
        if (pending == noCharacter) {
            for (; end - next >= 2; next += 2) {
                const char letter = bytePairLetters[next[0]][next[1]];
                if (letter == notPlain) {
                    break;
                }
                // Written either way, kept only when there is a letter: no branch on the text.
                *written = letter;
                written += letter != '\0';
            }
        }
        // One character at a time up to the next pair of plain ones.
        if (next == end || *next >= asciiSize) {
            break;
        }
        const unsigned char character = *next++;
        if (isSkipped(character)) {
            continue;
        }
        if (pending == noCharacter) {
            pending = character;
            continue;
        }
        const char letter = pending < asciiSize ? bytePairLetters[pending][character]
                                                : pairLetter(pending, character).value_or('\0');
        pending = noCharacter;
        *written = letter;
        written += letter != '\0';
    }
    pending_ = pending;
    letters = written;
    return next;
}

void PairStream::takeInvalid(char*& letters) noexcept {
    ++invalidBytes_;
    take(replacementCharacter, letters);
}

void PairStream::takePartialAsInvalid(char*& letters) noexcept {
    for (std::size_t i = 0; i < partialSize_; ++i) {
        takeInvalid(letters);
    }
    partialSize_ = 0;
}

const unsigned char* PairStream::completePartial(const unsigned char* next,
                                                 const unsigned char* end,
                                                 char*& letters) noexcept {
    for (; next != end; ++next) {
        partial_[partialSize_] = *next;
        const utf8::Decoded decoded = utf8::decodeFirst(partial_, partial_ + partialSize_ + 1);
        if (decoded.kind == utf8::Decoded::Kind::character) {
            take(decoded.character, letters);
            partialSize_ = 0;
            return next + 1;
        }
        if (decoded.kind == utf8::Decoded::Kind::invalid) {
            // The byte does not go on with the sequence: each byte waiting is invalid on its
            // own, and this one is read afresh.
            takePartialAsInvalid(letters);
            return next;
        }
        ++partialSize_;
    }
    return next;
}

} // namespace karsobel
