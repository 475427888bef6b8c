#pragma once

#include "pairs/vector_pairing.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace karsobel {

// Turns a text, given as UTF-8 in pieces of any size, into the letters of its character pairs, as
// if the text were typed into the input box one character at a time: first with second, third
// with fourth, and so on. Line breaks and tabs are skipped, as Enter and Tab never change a
// single-line box. Each byte that is not part of valid UTF-8 counts as one character with no
// letter value. A character or a partial UTF-8 sequence left at the end of one piece carries over
// to the next. No I/O, no allocation. Valid UTF-8 goes through a vector core where the processor
// has one; the scalar path, which gives the same letters, takes the rest.
class PairStream {
public:
    // `core` null pairs on the scalar path alone.
    explicit PairStream(vector_pairing::Core core = vector_pairing::fastestCore()) noexcept
        : core_(core) {}

    // The most letters that one call to feed can give for `size` bytes (finish gives at most
    // maxLetters(0)).
    static constexpr std::size_t maxLetters(std::size_t size) noexcept { return size / 2 + 2; }

    // Reads the next piece of the text and writes the letters of the pairs it completes to
    // `letters`, which has room for maxLetters(bytes.size()); returns how many it wrote.
    std::size_t feed(std::string_view bytes, char* letters) noexcept;

    // Ends the text: a partial UTF-8 sequence still waiting counts as invalid bytes. Writes the
    // letters that gives, like feed, and returns how many.
    std::size_t finish(char* letters) noexcept;

    // How many bytes so far were not valid UTF-8.
    std::uint64_t invalidBytes() const noexcept { return invalidBytes_; }

    // The character still waiting for a partner, if any (U+FFFD for an invalid byte).
    std::optional<char32_t> unpairedCharacter() const noexcept;

private:
    void take(char32_t character, char*& letters) noexcept;
    // Pairs character by character from `next` until `until` is reached or passed, decoding up to
    // `end`; returns where it stopped.
    const unsigned char* pairScalar(const unsigned char* next, const unsigned char* until,
                                    const unsigned char* end, char*& letters) noexcept;
    const unsigned char* pairVector(const unsigned char* next, const unsigned char* end,
                                    const unsigned char*& scalarUntil, char*& letters) noexcept;
    // Pairs the ASCII characters from `next` on; returns where the first other byte is, or `end`.
    const unsigned char* pairAscii(const unsigned char* next, const unsigned char* end,
                                   char*& letters) noexcept;
    void takeInvalid(char*& letters) noexcept;
    void takePartialAsInvalid(char*& letters) noexcept;
    const unsigned char* completePartial(const unsigned char* next, const unsigned char* end,
                                         char*& letters) noexcept;

    static constexpr char32_t noCharacter = 0xFFFF'FFFF;
    vector_pairing::Core core_;
    char32_t pending_ = noCharacter;
    // The start of a UTF-8 sequence cut off at the end of a piece, at most three bytes, and room
    // for the byte tried after them.
    unsigned char partial_[4] = {};
    std::size_t partialSize_ = 0;
    std::uint64_t invalidBytes_ = 0;
};

} // namespace karsobel
