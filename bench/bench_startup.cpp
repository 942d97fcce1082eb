// The editor's start to its first paint on a sample skin and on skins with 1024 x 1024 and
// 4096 x 4096 main images, beside a minimal dialog program started the same way: each iteration
// spawns the program and waits for it to end, which it does right after its first paint. Run
// under a display (xvfb-run) or QT_QPA_PLATFORM=offscreen.
#include "benchskin.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

void RunToExit(benchmark::State& state, std::vector<std::string> args, char** env = environ)
{
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    for ([[maybe_unused]] auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), env) != 0) {
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

// The same in German: both catalogues, ours and Qt's, are found and loaded at start.
void BM_EditorStartGerman(benchmark::State& state)
{
    std::vector<std::string> variables{"LANGUAGE=de"};
    for (char** pVariable = environ; *pVariable != nullptr; ++pVariable) {
        if (std::string_view(*pVariable).substr(0, 9) != "LANGUAGE=") {
            variables.emplace_back(*pVariable);
        }
    }
    std::vector<char*> env;
    for (std::string& variable : variables) {
        env.push_back(variable.data());
    }
    env.push_back(nullptr);
    RunToExit(state, {TAVELO_EDITOR_PROGRAM, "--exit-after-first-paint", TAVELO_SAMPLE_SKIN},
              env.data());
}

void BM_EditorStartOnSide(benchmark::State& state)
{
    static const bench::CTempFolder folder("tavelo-bench-startup-");
    const auto nSide = static_cast<std::uint32_t>(state.range(0));
    const std::filesystem::path skin =
        folder.GetPath() / ("skin-" + std::to_string(nSide) + ".skn");
    if (!std::filesystem::exists(skin)) {
        bench::WriteSkin(skin, nSide);
    }
    RunToExit(state, {TAVELO_EDITOR_PROGRAM, "--exit-after-first-paint", skin.string()});
}

} // namespace

BENCHMARK(BM_MinimalDialogStart)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EditorStart)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EditorStartGerman)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EditorStartOnSide)
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

BENCHMARK_MAIN();
