#include "pairs/pair_stream.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t textSize = 8 << 20;
constexpr std::size_t chunkSize = 64 << 10;

// About `textSize` bytes of words drawn from `words` by a fixed pseudo-random sequence, separated
// by blanks, with a line break every dozen words.
std::string makeText(const std::vector<std::string_view>& words) {
    std::string text;
    text.reserve(textSize + 64);
    std::uint32_t seed = 12345;
    for (std::size_t count = 1; text.size() < textSize; ++count) {
        seed = seed * 1664525u + 1013904223u;
        text += words[(seed >> 16) % words.size()];
        text += count % 12 == 0 ? '\n' : ' ';
    }
    return text;
}

// The text fed through one PairStream in chunks the size the program reads, as the program does,
// on the fastest core this processor runs or, with `scalarOnly`, on the scalar path.
void feedText(benchmark::State& state, const std::string& text, bool scalarOnly) {
    const auto targets = karsobel::vector_pairing::supportedTargets();
    const bool vector = !scalarOnly && !targets.empty();
    const karsobel::vector_pairing::Core core = vector ? targets.front().core : nullptr;
    std::vector<char> letters(karsobel::PairStream::maxLetters(chunkSize));
    for (auto _ : state) {
        karsobel::PairStream stream(core);
        for (std::size_t offset = 0; offset < text.size(); offset += chunkSize) {
            const std::string_view chunk = std::string_view(text).substr(offset, chunkSize);
            benchmark::DoNotOptimize(stream.feed(chunk, letters.data()));
        }
        benchmark::DoNotOptimize(stream.finish(letters.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.SetLabel(vector ? std::string(targets.front().name) : "scalar");
}

void asciiText(benchmark::State& state, bool scalarOnly) {
    static const std::string text =
        makeText({"the", "quick", "brown", "fox", "jumps", "over", "a", "lazy", "dog,", "while",
                  "Karsobel", "adds", "letters", "in", "pairs:", "42", "times."});
    feedText(state, text, scalarOnly);
}
BENCHMARK_CAPTURE(asciiText, vector, false);
BENCHMARK_CAPTURE(asciiText, scalar, true);

// French, German, Greek, Japanese and an emoji among the ASCII words: 2, 3 and 4-byte characters.
void mixedText(benchmark::State& state, bool scalarOnly) {
    static const std::string text =
        makeText({"the", "café", "naïve", "Straße", "fox", "λόγος", "日本語", "dog", "😀", "letters",
                  "über", "pairs", "€42"});
    feedText(state, text, scalarOnly);
}
BENCHMARK_CAPTURE(mixedText, vector, false);
BENCHMARK_CAPTURE(mixedText, scalar, true);

} // namespace
