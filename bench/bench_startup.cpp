// The editor's start to its first paint on a sample skin, beside a minimal dialog program
// started the same way: each iteration spawns the program and waits for it to end, which it
// does right after its first paint. Run under a display (xvfb-run) or QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

void RunToExit(benchmark::State& state, std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        int nStatus = 0;
        waitpid(pid, &nStatus, 0);
        if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
            state.SkipWithError("the program failed");
            return;
        }
    }
}

void BM_MinimalDialogStart(benchmark::State& state)
{
    RunToExit(state, {TAVELO_FLOOR_PROGRAM});
}

void BM_EditorStart(benchmark::State& state)
{
    RunToExit(state, {TAVELO_EDITOR_PROGRAM, "--exit-after-first-paint", TAVELO_SAMPLE_SKIN});
}

} // namespace

BENCHMARK(BM_MinimalDialogStart)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EditorStart)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
