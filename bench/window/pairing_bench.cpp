#include "tests/tools/qt_headless.h"
#include "window/qt/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// One pair typed into the real input box, with the output already holding `range(0)` letters,
// including the repaint that follows.
void pairingStep(benchmark::State& state) {
    karsobel::qt::Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    auto* const input = form.findChild<QLineEdit*>("Text1");
    auto* const output = form.findChild<QLineEdit*>("Text2");
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

} // namespace

int main(int argc, char* argv[]) {
    useOffscreenUnlessPlatformSet();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
