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
    return times


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
        shown = operation + (f" ({label})" if label else "")
        print(f"| {shown} | {time:.3f} ms | {floor.split('/')[0]} | {floor_time:.3f} ms "
              f"| {ratio:.2f}× | {goal_text} | {verdict} |")


if __name__ == "__main__":
    main()
