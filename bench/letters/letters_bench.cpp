#include "letters/letters.h"

#include <benchmark/benchmark.h>

namespace {

// Every pair of single-byte codes once per iteration.
void pairLetterAllSingleBytePairs(benchmark::State& state) {
    for (auto _ : state) {
        for (char32_t first = 0; first < 256; ++first) {
            for (char32_t second = 0; second < 256; ++second) {
                benchmark::DoNotOptimize(karsobel::pairLetter(first, second));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(pairLetterAllSingleBytePairs);

} // namespace
