#pragma once

// An operation and its floor timed in turns within one benchmark: one of each per iteration, each
// going first every other time. Whatever slows the machine for a moment slows both alike, so their
// ratio holds from run to run where two benchmarks run one after the other drift apart.
//
// The benchmark's own time is the operation's (register it with UseManualTime). Its counters are
// "floor", the floor's time per iteration in seconds, and "ratio", the operation's time over the
// floor's. scripts/benchtable.py reads the floor as "<name>@floor".

#include <benchmark/benchmark.h>

#include <chrono>

namespace bench {

// operation and floor return false after calling state.SkipWithError.
template <class Operation, class Floor>
void TimeAgainstFloor(benchmark::State& state, Operation operation, Floor floor)
{
    using Seconds = std::chrono::duration<double>;
    const auto timed = [](auto& step, Seconds& spent) {
        const auto start = std::chrono::steady_clock::now();
        const bool bDone = step();
        spent = std::chrono::steady_clock::now() - start;
        return bDone;
    };
    Seconds operationTotal{0};
    Seconds floorTotal{0};
    bool bFloorFirst = true;
    for ([[maybe_unused]] auto _ : state) {
        Seconds operationTime{0};
        Seconds floorTime{0};
        const bool bDone = bFloorFirst ? timed(floor, floorTime) && timed(operation, operationTime)
                                       : timed(operation, operationTime) && timed(floor, floorTime);
        if (!bDone) {
            return;
        }
        bFloorFirst = !bFloorFirst;
        state.SetIterationTime(operationTime.count());
        operationTotal += operationTime;
        floorTotal += floorTime;
    }
    state.counters["floor"] =
        benchmark::Counter(floorTotal.count(), benchmark::Counter::kAvgIterations);
    if (floorTotal.count() > 0) {
        state.counters["ratio"] = operationTotal / floorTotal;
    }
}

} // namespace bench
