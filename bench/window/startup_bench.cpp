// Start-up to a shown window, and the resident memory then, of Form1 beside two bare Qt windows of
// the same size: an empty one, and one showing a single bold label, the least any window that
// draws text pays. Each iteration starts a fresh process: this program again, as the child that
// shows one of the three windows and, once it is exposed (mapped, on X11), reports its resident
// memory and the processor time it has used. The time taken runs from starting the child to that
// report; its ending is not counted. The processor time, unlike the time taken, hardly depends on
// what else the machine is busy with.
#include "bench/window/resident_memory.h"
#include "tests/tools/qt_headless.h"
#include "window/qt/form1.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

constexpr const char* childFlag = "--show-window";

double processorMilliseconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) * 1e3 + static_cast<double>(used.tv_nsec) / 1e6;
}

// Quits an event loop on the window's Expose event.
class ExposeWatch final : public QObject {
public:
    explicit ExposeWatch(QEventLoop& loop) : loop(loop) {}

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            loop.quit();
        }
        return false;
    }

private:
    QEventLoop& loop;
};

// Runs the event loop until the window is exposed, woken by the event itself rather than by
// polling, which would add up to a polling interval to every start.
bool waitUntilExposed(QWindow& window) {
    QEventLoop loop;
    ExposeWatch watch(loop);
    window.installEventFilter(&watch);
    bool timedOut = false;
    QTimer::singleShot(10'000, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    while (!window.isExposed() && !timedOut) {
        loop.exec();
    }
    return window.isExposed();
}

std::unique_ptr<QWidget> bareWindow() {
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(546, 41);
    return window;
}

std::unique_ptr<QWidget> labelWindow() {
    auto window = bareWindow();
    auto* label = new QLabel(QStringLiteral("Clear"), window.get());
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return window;
}

int showWindow(int argc, char* argv[], std::string_view kind) {
    QApplication application(argc, argv);
    std::unique_ptr<QWidget> window;
    if (kind == "form") {
        window = std::make_unique<karsobel::qt::Form1>();
    } else if (kind == "label") {
        window = labelWindow();
    } else {
        window = bareWindow();
    }
    window->show();
    if (!waitUntilExposed(*window->windowHandle())) {
        return 1;
    }
    std::printf("%ld %f\n", residentKib(), processorMilliseconds());
    return 0;
}

struct ChildReport {
    double seconds;
    long residentKib;
    double processorMilliseconds;
};

// Starts the child and waits for it; gives the time to its report and what it reported, its
// resident memory in KiB being -1 on failure.
ChildReport runChild(const char* kind) {
    constexpr ChildReport failed{0.0, -1, 0.0};
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return failed;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char self[] = "/proc/self/exe";
    std::string flag = childFlag;
    std::string kindArgument = kind;
    char* arguments[] = {self, flag.data(), kindArgument.data(), nullptr};
    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&child, self, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    char reply[64] = {};
    const ssize_t length = spawned == 0 ? read(pipeEnds[0], reply, sizeof reply - 1) : -1;
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || status != 0 || length <= 0) {
        return failed;
    }
    ChildReport report{taken.count(), -1, 0.0};
    if (std::sscanf(reply, "%ld %lf", &report.residentKib, &report.processorMilliseconds) != 2) {
        return failed;
    }
    return report;
}

void startupToShownWindow(benchmark::State& state, const char* kind) {
    long residentTotal = 0;
    double processorTotal = 0.0;
    for (auto _ : state) {
        const ChildReport report = runChild(kind);
        if (report.residentKib < 0) {
            state.SkipWithError("the child did not show its window");
            return;
        }
        state.SetIterationTime(report.seconds);
        residentTotal += report.residentKib;
        processorTotal += report.processorMilliseconds;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = processorTotal / iterations;
    state.counters["resident_KiB"] = static_cast<double>(residentTotal) / iterations;
}
// Over repetitions, the least is the measure least touched by whatever else the machine runs.
double least(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

BENCHMARK_CAPTURE(startupToShownWindow, bare_qt_window, "bare")
    ->Unit(benchmark::kMillisecond)->UseManualTime()->ComputeStatistics("min", least);
BENCHMARK_CAPTURE(startupToShownWindow, label_qt_window, "label")
    ->Unit(benchmark::kMillisecond)->UseManualTime()->ComputeStatistics("min", least);
BENCHMARK_CAPTURE(startupToShownWindow, form1, "form")
    ->Unit(benchmark::kMillisecond)->UseManualTime()->ComputeStatistics("min", least);

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::strcmp(argv[1], childFlag) == 0) {
        return showWindow(argc, argv, argv[2]);
    }
    useOffscreenUnlessPlatformSet();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
