// Start-up to a shown window, and the resident memory then, of Form1 beside a bare Qt window of
// the same size. Each iteration starts a fresh process: this program again, as the child that
// shows one of the two windows, reports its resident memory and ends.
#include "bench/window/resident_memory.h"
#include "tests/tools/qt_headless.h"
#include "window/qt/form1.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

extern char** environ;

namespace {

constexpr const char* childFlag = "--show-window";

int showWindow(int argc, char* argv[], bool form) {
    QApplication application(argc, argv);
    std::unique_ptr<QWidget> window;
    if (form) {
        window = std::make_unique<karsobel::qt::Form1>();
    } else {
        window = std::make_unique<QWidget>();
        window->setFixedSize(546, 41);
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return 1;
    }
    std::printf("%ld\n", residentKib());
    return 0;
}

// Starts the child and waits for it; gives its resident memory in KiB, or -1 on failure.
long runChild(const char* kind) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
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
    const int spawned = posix_spawn(&child, self, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    char reply[64] = {};
    const ssize_t length = spawned == 0 ? read(pipeEnds[0], reply, sizeof reply - 1) : -1;
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || status != 0 || length <= 0) {
        return -1;
    }
    return std::atol(reply);
}

void startupToShownWindow(benchmark::State& state, const char* kind) {
    long residentTotal = 0;
    for (auto _ : state) {
        const long resident = runChild(kind);
        if (resident < 0) {
            state.SkipWithError("the child did not show its window");
            return;
        }
        residentTotal += resident;
    }
    state.counters["resident_KiB"] =
        static_cast<double>(residentTotal) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(startupToShownWindow, bare_qt_window, "bare")
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(startupToShownWindow, form1, "form")
    ->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::strcmp(argv[1], childFlag) == 0) {
        return showWindow(argc, argv, std::strcmp(argv[2], "form") == 0);
    }
    useOffscreenUnlessPlatformSet();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
