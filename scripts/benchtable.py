"""Pairs Google Benchmark results with their floors and goals; prints a Markdown table."""

import json
import sys


def load_goals(path):
    goals = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            if not line.strip() or line.startswith("#"):
                continue
            name, floor, goal, operation = line.rstrip("\n").split("\t")
            goals.append((name, floor, None if goal == "-" else float(goal), operation))
    return goals


def load_medians(paths):
    """Median real time in milliseconds of every benchmark, keyed by its name without _median."""
    units = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    times = {}
    for path in paths:
        with open(path, encoding="utf-8") as results:
            for run in json.load(results)["benchmarks"]:
                if run.get("aggregate_name", "median") != "median":
                    continue
                name = run.get("run_name", run["name"])
                times[name] = (run["real_time"] * units[run["time_unit"]], run.get("label", ""))
                for counter in COUNTERS:
                    if counter in run:
                        times[f"{name}@{counter}"] = (run[counter], run.get("label", ""))
    return times


# Counters a goal may name as benchmark@counter: compared as they are, not as times.
COUNTERS = ("heap_bytes",)


def shown(name, value):
    return f"{value:,.0f} B" if name.endswith("_bytes") else f"{value:.3f} ms"


def main():
    goals = load_goals(sys.argv[1])
    times = load_medians(sys.argv[2:])
    print("| operation | time | floor | floor time | ratio | goal | |")
    print("|---|---:|---|---:|---:|---:|---|")
    for name, floor, goal, operation in goals:
        if name not in times or floor not in times:
            print(f"| {operation} | not measured | {floor} | | | | |")
            continue
        time, label = times[name]
        floor_time, _ = times[floor]
        ratio = time / floor_time
        verdict = "" if goal is None else ("met" if ratio <= goal else "missed")
        goal_text = "" if goal is None else f"≤ {goal:g}×"
        operation_text = operation + (f" ({label})" if label else "")
        ratio_text = f"{ratio:.2f}×" if ratio >= 0.01 else f"{ratio:.2g}×"
        print(f"| {operation_text} | {shown(name, time)} | {floor.split('/')[0]} "
              f"| {shown(floor, floor_time)} | {ratio_text} | {goal_text} | {verdict} |")


if __name__ == "__main__":
    main()
