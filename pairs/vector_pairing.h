#pragma once

#include <span>
#include <string_view>

namespace karsobel::vector_pairing {

// Where a vector run stopped and what it left behind.
struct Run {
    // The first byte not read, always at a character boundary.
    const unsigned char* next;
    // The scalar path takes over up to here (or the end), past the bytes the run could not vouch
    // for, before a new run is tried.
    const unsigned char* scalarUntil;
    char* letters;
    // The first byte of the last character read, or null when the run read none.
    const unsigned char* lastCharacter;
    // The character waiting for a partner, as one byte (any byte from 0x80 up stands for a
    // character without a value), or noPending.
    int pending;
};

constexpr int noPending = -1;

// Pairs the text from `next`, a character boundary, 64 bytes at a time while they are valid
// UTF-8 and at least 128 bytes remain before `end`. Line breaks, tabs and the continuation bytes
// of multi-byte characters are dropped before pairing. `letters` needs the room that
// PairStream::feed's caller gives it.
using Core = Run (*)(const unsigned char* next, const unsigned char* end, int pending,
                     char* letters);

struct Target {
    std::string_view name;
    Core core;
};

// The vector cores built in that this processor can run, fastest first; empty where none is.
std::span<const Target> supportedTargets() noexcept;

// The first of supportedTargets(), or null for the scalar path alone.
Core fastestCore() noexcept;

} // namespace karsobel::vector_pairing
