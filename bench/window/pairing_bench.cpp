// Pairing through the real widgets: one pair typed beside outputs of growing length, the resident
// memory over a long typed session, and a big paste followed by one key.
#include "bench/window/resident_memory.h"
#include "tests/tools/qt_headless.h"
#include "tests/tools/shown_form.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// One pair typed into the real input box, with the output already holding `range(0)` letters,
// including the repaint that follows.
void pairingStep(benchmark::State& state) {
    ShownForm shown;
    QLineEdit* const input = shown.Text1;
    QLineEdit* const output = shown.Text2;
    const QString existing(static_cast<qsizetype>(state.range(0)), QLatin1Char('Q'));
    for (auto _ : state) {
        state.PauseTiming();
        output->setText(existing);
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClicks(input, "hi");
        QApplication::processEvents();
    }
    if (output->text().size() != existing.size() + 1) {
        state.SkipWithError("the pair did not reach the output");
    }
}
BENCHMARK(pairingStep)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// Pairs that produce no letter, typed key by key with the window painting after each pair.
void longTypedSession(benchmark::State& state) {
    constexpr int firstReading = 10'000;
    constexpr int lastReading = 200'000;
    for (auto _ : state) {
        ShownForm shown;
        for (int keys = 2; keys <= lastReading; keys += 2) {
            QTest::keyClicks(shown.Text1, "12");
            QApplication::processEvents();
            if (keys == firstReading) {
                state.counters["resident_KiB_after_10k_keys"] = static_cast<double>(residentKib());
            }
        }
        state.counters["resident_KiB_after_200k_keys"] = static_cast<double>(residentKib());
    }
}
BENCHMARK(longTypedSession)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A paste of `range(0)` characters into the input box, then one key, until the pair's letter is
// in the output box and painted; with `timePaste` false only the key is timed.
void pasteThenKey(benchmark::State& state, bool timePaste) {
    ShownForm shown;
    QLineEdit* const input = shown.Text1;
    QLineEdit* const output = shown.Text2;
    QApplication::clipboard()->setText("hi" + QString(state.range(0) - 2, QLatin1Char('x')));
    for (auto _ : state) {
        if (!timePaste) {
            state.PauseTiming();
        }
        QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
        if (!timePaste) {
            state.ResumeTiming();
        }
        QTest::keyClick(input, Qt::Key_C);
        QApplication::processEvents();
    }
    if (output->text() != QString(static_cast<qsizetype>(state.iterations()), QLatin1Char('Q')) ||
        !input->text().isEmpty()) {
        state.SkipWithError("the pasted pair did not reach the output");
    }
}
BENCHMARK_CAPTURE(pasteThenKey, paste_and_key, true)
    ->Arg(10'000'000)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(pasteThenKey, key_after_paste, false)
    ->Arg(10'000'000)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenUnlessPlatformSet();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
