// Compiled once per instruction set by Highway's foreach_target; the choice among them is made
// once, at the end, from what the processor says it supports.
#include "pairs/vector_pairing.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

// AVX-512 without its byte compress and SSE4 add little here over AVX2 and SSSE3; SVE's vectors
// may be longer than a block.
#define HWY_DISABLED_TARGETS                                                                   \
    (HWY_AVX3 | HWY_SSE4 | HWY_SVE | HWY_SVE2 | HWY_SVE_256 | HWY_SVE2_128)
// Wanted for its byte compress, which closes up a block in one step.
#define HWY_WANT_AVX3_DL
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "pairs/vector_pairing.cpp"
#include <hwy/foreach_target.h>

#include <hwy/highway.h>

// Single lanes cannot be paired two to a wider lane; the scalar path does that work.
#if HWY_TARGET != HWY_SCALAR
HWY_BEFORE_NAMESPACE();
namespace karsobel::vector_pairing::HWY_NAMESPACE {

namespace hn = hwy::HWY_NAMESPACE;

using Bytes = hn::ScalableTag<std::uint8_t>;
using Pairs = hn::RepartitionToWide<Bytes>;

constexpr std::size_t blockSize = 64;

// For each set of 8 bits, the positions of the bits set, in order, then zeros: the shuffle that
// closes up the bytes that the bits pick out of 8. Highway's own keeps its table on the stack and
// fills it at each call.
using CloseUpTable = std::array<std::array<std::uint8_t, 8>, 256>;
constexpr CloseUpTable closeUpTable = [] {
    CloseUpTable table{};
    for (std::size_t bits = 0; bits < table.size(); ++bits) {
        std::size_t count = 0;
        for (std::uint8_t i = 0; i < 8; ++i) {
            if ((bits >> i & 1) != 0) {
                table[bits][count++] = i;
            }
        }
    }
    return table;
}();

// Writes the bytes of `bytes` whose bit is set in `bits` (one byte of bits for each 8 lanes, the
// lowest bit first) to `out`, closed up; returns how many. Writes up to 8 bytes of scratch past
// them.
template <class D>
std::size_t closeUp(D d, hn::Vec<D> bytes, const std::uint8_t* bits, std::uint8_t* out) {
#if HWY_TARGET == HWY_AVX3_DL
    // The byte compress in a register, then a whole store: the compress straight to memory is
    // slow on some processors.
    const auto mask = hn::LoadMaskBits(d, bits);
    hn::StoreU(hn::Compress(bytes, mask), d, out);
    return hn::CountTrue(d, mask);
#else
    const hn::CappedTag<std::uint8_t, 8> d8;
    std::uint8_t lanes[hn::MaxLanes(d)];
    hn::StoreU(bytes, d, lanes);
    std::uint8_t* const start = out;
    for (std::size_t i = 0; i < hn::Lanes(d); i += 8) {
        const std::uint8_t group = bits[i / 8];
        const auto shuffle = hn::LoadU(d8, closeUpTable[group].data());
        hn::StoreU(hn::TableLookupBytes(hn::LoadU(d8, lanes + i), shuffle), d8, out);
        out += std::popcount(group);
    }
    return static_cast<std::size_t>(out - start);
#endif
}

// The letter value of each byte, 1 to 26 for an ASCII letter of either case, else 0.
hn::Vec<Bytes> letterValues(hn::Vec<Bytes> bytes) {
    const Bytes d;
    const auto fromA = hn::Sub(hn::Or(bytes, hn::Set(d, 0x20)), hn::Set(d, 0x60));
    // fromA - 1 below 26, unsigned: only 'a' to 'z' once folded to lower case.
    const auto offset = hn::Sub(fromA, hn::Set(d, 1));
    return hn::IfThenElseZero(hn::Eq(hn::Min(offset, hn::Set(d, 25)), offset), fromA);
}

// The letters of the pairs in two vectors of characters, each given as one byte as Run::pending
// describes: 1 to 26, or 0 for a pair that gives none.
hn::Vec<Bytes> pairSums(hn::Vec<Bytes> low, hn::Vec<Bytes> high) {
    const Bytes d;
    const Pairs dp;
    // Each wide lane adds its high byte to its low one; the high bytes are left out after.
    const auto addHalves = [&](hn::Vec<Bytes> characters) {
        const auto values = hn::BitCast(dp, letterValues(characters));
        return hn::BitCast(d, hn::Add(values, hn::ShiftRight<8>(values)));
    };
    const auto sums = hn::ConcatEven(d, addHalves(high), addHalves(low));
    const auto pastZ = hn::SaturatedSub(sums, hn::Set(d, 26));
    return hn::IfThenElse(hn::Eq(pastZ, hn::Zero(d)), sums, pastZ);
}

// Writes the letters of `pairs` pairs of characters, each given as one byte as Run::pending
// describes, and returns the end of what it wrote. May write up to 8 bytes of scratch past that
// end and reads whole vectors from `characters`.
char* pairCharacters(const std::uint8_t* characters, std::size_t pairs, char* letters) {
    const Bytes d;
    const std::size_t pairsPerStep = hn::Lanes(d);
    auto* out = reinterpret_cast<std::uint8_t*>(letters);
    for (std::size_t done = 0; done < pairs; done += pairsPerStep) {
        const std::uint8_t* from = characters + 2 * done;
        const auto sums = pairSums(hn::LoadU(d, from), hn::LoadU(d, from + hn::Lanes(d)));
        const auto letter = hn::Add(sums, hn::Set(d, 'A' - 1));
        const auto given = hn::Ne(sums, hn::Zero(d));
        const std::size_t left = pairs - done;
        if (left >= pairsPerStep && hn::AllTrue(d, given)) {
            hn::StoreU(letter, d, out);
            out += pairsPerStep;
        } else {
            std::uint8_t bits[hn::MaxLanes(d) / 8] = {};
            // FirstN counts in the lanes' own type: a count past 127 would wrap.
            const std::size_t inStep = left < pairsPerStep ? left : pairsPerStep;
            hn::StoreMaskBits(d, hn::And(given, hn::FirstN(d, inStep)), bits);
            out += closeUp(d, letter, bits, out);
        }
    }
    return reinterpret_cast<char*>(out);
}

// Whether the bytes from `at` to `at` + 64 fail the rules of UTF-8 given the three before them:
// each byte is judged with the three that precede it, from their high and low halves (the
// lookup tables of Keiser and Lemire's validation).
bool breaksUtf8(const std::uint8_t* at) {
    constexpr std::uint8_t tooShort = 1 << 0;   // a lead, then no continuation
    constexpr std::uint8_t tooLong = 1 << 1;    // a continuation after an ASCII byte
    constexpr std::uint8_t overlong3 = 1 << 2;  // E0 80..9F
    constexpr std::uint8_t tooLarge = 1 << 3;   // F4 90.. and above
    constexpr std::uint8_t surrogate = 1 << 4;  // ED A0..BF
    constexpr std::uint8_t overlong2 = 1 << 5;  // C0, C1
    constexpr std::uint8_t tooLarge1000 = 1 << 6;
    constexpr std::uint8_t overlong4 = 1 << 6;  // F0 80..8F
    constexpr std::uint8_t twoContinuations = 1 << 7;
    constexpr std::uint8_t carry = tooShort | tooLong | twoContinuations;
    alignas(16) static constexpr std::uint8_t firstHigh[16] = {
        tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong,
        twoContinuations, twoContinuations, twoContinuations, twoContinuations,
        tooShort | overlong2, tooShort, tooShort | overlong3 | surrogate,
        tooShort | tooLarge | tooLarge1000 | overlong4};
    alignas(16) static constexpr std::uint8_t firstLow[16] = {
        carry | overlong3 | overlong2 | overlong4, carry | overlong2, carry, carry,
        carry | tooLarge, carry | tooLarge | tooLarge1000, carry | tooLarge | tooLarge1000,
        carry | tooLarge | tooLarge1000, carry | tooLarge | tooLarge1000,
        carry | tooLarge | tooLarge1000, carry | tooLarge | tooLarge1000,
        carry | tooLarge | tooLarge1000, carry | tooLarge | tooLarge1000,
        carry | tooLarge | tooLarge1000 | surrogate, carry | tooLarge | tooLarge1000,
        carry | tooLarge | tooLarge1000};
    constexpr std::uint8_t continuation8 =
        tooLong | overlong2 | twoContinuations | overlong3 | tooLarge1000 | overlong4;
    constexpr std::uint8_t continuation9 =
        tooLong | overlong2 | twoContinuations | overlong3 | tooLarge;
    constexpr std::uint8_t continuationAB =
        tooLong | overlong2 | twoContinuations | surrogate | tooLarge;
    alignas(16) static constexpr std::uint8_t secondHigh[16] = {
        tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort,
        continuation8, continuation9, continuationAB, continuationAB,
        tooShort, tooShort, tooShort, tooShort};

    const Bytes d;
    const auto firstHighTable = hn::LoadDup128(d, firstHigh);
    const auto firstLowTable = hn::LoadDup128(d, firstLow);
    const auto secondHighTable = hn::LoadDup128(d, secondHigh);
    const auto lowHalf = hn::Set(d, 0x0F);
    auto errors = hn::Zero(d);
    for (std::size_t i = 0; i < blockSize; i += hn::Lanes(d)) {
        const auto bytes = hn::LoadU(d, at + i);
        const auto before1 = hn::LoadU(d, at + i - 1);
        const auto special =
            hn::And(hn::And(hn::TableLookupBytes(firstHighTable, hn::ShiftRight<4>(before1)),
                            hn::TableLookupBytes(firstLowTable, hn::And(before1, lowHalf))),
                    hn::TableLookupBytes(secondHighTable, hn::ShiftRight<4>(bytes)));
        // A third or fourth byte of a sequence must be a second continuation, and only there.
        const auto third = hn::Set(d, 0xE0);
        const auto fourth = hn::Set(d, 0xF0);
        const auto mustContinue =
            hn::Or(hn::Eq(hn::And(hn::LoadU(d, at + i - 2), third), third),
                   hn::Eq(hn::And(hn::LoadU(d, at + i - 3), fourth), fourth));
        errors = hn::Or(errors, hn::Xor(special, hn::IfThenElseZero(mustContinue,
                                                                    hn::Set(d, 0x80))));
    }
    return !hn::AllTrue(d, hn::Eq(errors, hn::Zero(d)));
}

// Whether the 64 bytes from `at` and the three before them are all ASCII.
bool isAscii(const std::uint8_t* at) {
    const Bytes d;
    auto all = hn::Zero(d);
    for (std::size_t i = 0; i < blockSize; i += hn::Lanes(d)) {
        all = hn::Or(all, hn::LoadU(d, at + i));
    }
    const auto highBit = hn::Set(d, 0x80);
    return hn::AllTrue(d, hn::Eq(hn::And(all, highBit), hn::Zero(d))) &&
           ((at[-1] | at[-2] | at[-3]) & 0x80) == 0;
}

bool blockIsValid(const std::uint8_t* at) {
    return isAscii(at) || !breaksUtf8(at);
}

// One bit for each of the 64 bytes from `at`, set where the byte is left out of the pairing: a
// line break, a tab or a continuation byte.
std::uint64_t droppedOf(const std::uint8_t* at) {
    const Bytes d;
    const hn::RebindToSigned<Bytes> dSigned;
    // Looked up by a byte's low half, gives the byte itself only for '\t', '\n' and '\r'.
    alignas(16) static constexpr std::uint8_t skippedByLowHalf[16] = {
        0xFF, 0, 0, 0, 0, 0, 0, 0, 0, '\t', '\n', 0, 0, '\r', 0, 0};
    const auto skippedTable = hn::LoadDup128(d, skippedByLowHalf);
    std::uint8_t bits[blockSize / 8] = {};
    for (std::size_t i = 0; i < blockSize; i += hn::Lanes(d)) {
        const auto bytes = hn::LoadU(d, at + i);
        const auto skipped =
            hn::Eq(hn::TableLookupBytes(skippedTable, hn::And(bytes, hn::Set(d, 0x0F))), bytes);
        // 0x80 to 0xBF, the bytes below 0xC0 when read as signed.
        const auto continuation = hn::RebindMask(
            d, hn::Lt(hn::BitCast(dSigned, bytes), hn::Set(dSigned, static_cast<std::int8_t>(-64))));
        hn::StoreMaskBits(d, hn::Or(skipped, continuation), bits + i / 8);
    }
    std::uint64_t mask = 0;
    std::memcpy(&mask, bits, sizeof mask);
    return mask; // little-endian on every target built here: bit i is byte i
}

// Copies the 64 bytes from `from` to `to`.
void copyBlock(const std::uint8_t* from, std::uint8_t* to) {
    const Bytes d;
    for (std::size_t i = 0; i < blockSize; i += hn::Lanes(d)) {
        hn::StoreU(hn::LoadU(d, from + i), d, to + i);
    }
}

// Up to this many bytes left out of a block, the bytes after each are moved up by whole-block
// copies, cheaper than closing up the block through the table.
constexpr int fewDropped = 3;

// How many bytes of text are closed up before their characters are paired: enough that the
// pairing reads what was written long before, not so many that it leaves the first-level cache.
constexpr std::size_t stretchSize = 64 * blockSize;

Run pairRun(const unsigned char* next, const unsigned char* end, int pending, char* letters) {
    const Bytes d;
    const auto* at = reinterpret_cast<const std::uint8_t*>(next);
    const auto* const stop = reinterpret_cast<const std::uint8_t*>(end);
    Run run{next, end, letters, nullptr, pending};
    const auto blocksLeft = [&] { return static_cast<std::size_t>(stop - at) / blockSize; };
    if (blocksLeft() < 2) {
        return run;
    }
    // The run starts at a character boundary, whatever comes before it: the first block is
    // judged as if three ASCII bytes came before.
    std::uint8_t fresh[3 + blockSize] = {};
    std::memcpy(fresh + 3, at, blockSize);
    bool valid = blockIsValid(fresh + 3);
    // The characters of a stretch, closed up, after the one waiting; room for a block copied
    // past the end.
    std::uint8_t closed[1 + stretchSize + 2 * blockSize];
    bool started = false;
    bool stopped = false;
    while (!stopped && blocksLeft() >= 2) {
        std::uint8_t* out = closed + 1;
        for (std::size_t block = 0; block < stretchSize / blockSize; ++block) {
            // A block is read only once the next one is known valid too, so that a sequence cut
            // at its end is known to be complete.
            const bool nextValid = valid && blocksLeft() >= 2 && blockIsValid(at + blockSize);
            if (!nextValid) {
                if (blocksLeft() >= 2) {
                    run.scalarUntil = reinterpret_cast<const unsigned char*>(
                        at + (valid ? 2 : 1) * blockSize);
                }
                stopped = true;
                break;
            }
            const std::uint64_t dropped = droppedOf(at);
            const std::uint64_t characters = ~dropped;
            const int droppedCount = std::popcount(dropped);
            if (droppedCount <= fewDropped) {
                // Reads at most 64 bytes into the next block. The bytes after the first dropped
                // one are moved up without a branch on whether there is one: with none, the
                // copy lands past the block, where the next block's bytes go.
                copyBlock(at, out);
                const auto first = static_cast<std::size_t>(std::countr_zero(dropped));
                const std::size_t anyDropped = dropped != 0 ? 1 : 0;
                copyBlock(at + first + anyDropped, out + first);
                std::size_t removed = 1;
                for (std::uint64_t rest = dropped & (dropped - 1); rest != 0; rest &= rest - 1) {
                    const auto position = static_cast<std::size_t>(std::countr_zero(rest));
                    copyBlock(at + position + 1, out + position - removed);
                    ++removed;
                }
                out += blockSize - static_cast<std::size_t>(droppedCount);
            } else {
                const auto* bits = reinterpret_cast<const std::uint8_t*>(&characters);
                for (std::size_t i = 0; i < blockSize; i += hn::Lanes(d)) {
                    out += closeUp(d, hn::LoadU(d, at + i), bits + i / 8, out);
                }
            }
            if (characters != 0) {
                run.lastCharacter = reinterpret_cast<const unsigned char*>(
                    at + (blockSize - 1 - static_cast<std::size_t>(std::countl_zero(characters))));
            }
            started = true;
            at += blockSize;
            valid = nextValid;
        }
        std::uint8_t* first = closed + 1;
        if (pending != noPending) {
            *--first = static_cast<std::uint8_t>(pending);
        }
        const auto count = static_cast<std::size_t>(out - first);
        letters = pairCharacters(first, count / 2, letters);
        pending = count % 2 == 1 ? first[count - 1] : noPending;
    }
    // The continuation bytes of a character begun in the last block read, known valid.
    while (started && (*at & 0xC0) == 0x80) {
        ++at;
    }
    run.next = reinterpret_cast<const unsigned char*>(at);
    run.letters = letters;
    run.pending = pending;
    return run;
}

} // namespace karsobel::vector_pairing::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();
#endif

#if HWY_ONCE
#if HWY_ARCH_X86 && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#endif

namespace karsobel::vector_pairing {

namespace {

#if HWY_ARCH_X86 && (defined(__GNUC__) || defined(__clang__))
// Read from the processor itself: Clang before 15 knows neither name in __builtin_cpu_supports.
bool hasVaesAndVpclmulqdq() noexcept {
    constexpr unsigned vaes = 1u << 9;
    constexpr unsigned vpclmulqdq = 1u << 10;
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    return __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) != 0 &&
           (ecx & (vaes | vpclmulqdq)) == (vaes | vpclmulqdq);
}

std::span<const Target> findTargets() noexcept {
    static constexpr Target all[] = {
        {"AVX3_DL", N_AVX3_DL::pairRun}, {"AVX2", N_AVX2::pairRun}, {"SSSE3", N_SSSE3::pairRun}};
    __builtin_cpu_init();
    // Every extension the compiler may use for each target, as Highway itself looks for them.
    const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2") &&
                      __builtin_cpu_supports("fma");
    const bool avx3dl = avx2 && __builtin_cpu_supports("avx512f") &&
                        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq") &&
                        __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
                        __builtin_cpu_supports("avx512vbmi2") &&
                        __builtin_cpu_supports("avx512vnni") &&
                        __builtin_cpu_supports("avx512bitalg") &&
                        __builtin_cpu_supports("avx512vpopcntdq") && hasVaesAndVpclmulqdq();
    if (avx3dl) {
        return all;
    }
    if (avx2) {
        return std::span(all).subspan(1);
    }
    return __builtin_cpu_supports("ssse3") ? std::span(all).subspan(2)
                                           : std::span<const Target>();
}
#elif HWY_STATIC_TARGET != HWY_SCALAR && HWY_STATIC_TARGET != HWY_EMU128
// Elsewhere the instruction set the program is built for, NEON on arm64.
std::span<const Target> findTargets() noexcept {
    static const Target all[] = {{hwy::TargetName(HWY_STATIC_TARGET),
                                      HWY_STATIC_DISPATCH(pairRun)}};
    return all;
}
#else
std::span<const Target> findTargets() noexcept {
    return {};
}
#endif

} // namespace

std::span<const Target> supportedTargets() noexcept {
    static const std::span<const Target> targets = findTargets();
    return targets;
}

Core fastestCore() noexcept {
    const std::span<const Target> targets = supportedTargets();
    return targets.empty() ? nullptr : targets.front().core;
}

} // namespace karsobel::vector_pairing
#endif
