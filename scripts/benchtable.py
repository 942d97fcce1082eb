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
    """The median run of every benchmark, keyed by its name without _median."""
    runs = {}
    for path in paths:
        with open(path, encoding="utf-8") as results:
            for run in json.load(results)["benchmarks"]:
                if run.get("aggregate_name", "median") != "median":
                    continue
                runs[run.get("run_name", run["name"])] = run
    return runs


def measure(runs, column):
    """The value a goal column names, and how to show it: a benchmark's real time in milliseconds, or with
    "<benchmark>@<counter>" one of its counters, given in seconds and shown in milliseconds, or, named *_bytes, in bytes."""
    name, _, counter = column.partition("@")
    if name not in runs:
        return None
    run = runs[name]
    if run.get("error_occurred"):
        return None
    if not counter:
        units = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
        value = run["real_time"] * units[run["time_unit"]]
        return value, f"{value:.3f} ms"
    if counter not in run:
        return None
    value = run[counter]
    if counter.endswith("_bytes"):
        return value, f"{value / 1e6:.1f} MB" if value >= 1e6 else f"{value:,.0f} B"
    return value * 1e3, f"{value * 1e3:.3f} ms"


def short_name(column):
    name, _, counter = column.partition("@")
    return name.split("/")[0] + (f" {counter}" if counter else "")




def main():
    goals = load_goals(sys.argv[1])
    runs = load_medians(sys.argv[2:])
    print("| operation | time | floor | floor time | ratio | goal | |")
    print("|---|---:|---|---:|---:|---:|---|")
    for name, floor, goal, operation in goals:
        measured, floor_measured = measure(runs, name), measure(runs, floor)
        if measured is None or floor_measured is None:
            error = runs.get(name.partition("@")[0], {}).get("error_message", "")
            why = f" ({error})" if error else ""
            print(f"| {operation} | not measured{why} | {short_name(floor)} | | | | |")
            continue
        (value, shown_value), (floor_value, shown_floor) = measured, floor_measured
        ratio = value / floor_value
        run = runs[name.partition("@")[0]]
        if floor == name + "@floor" and "ratio" in run:
            # Timed in turns: the median of the runs' own ratios.
            ratio = run["ratio"]
        verdict = "" if goal is None else ("met" if ratio <= goal else "missed")
        goal_text = "" if goal is None else f"≤ {goal:g}×"
        label = run.get("label", "")
        shown = operation + (f" ({label})" if label else "")
        ratio_text = f"{ratio:.2f}×" if ratio >= 0.01 else f"{ratio:.2g}×"
        print(f"| {shown} | {shown_value} | {short_name(floor)} | {shown_floor} "
              f"| {ratio_text} | {goal_text} | {verdict} |")


if __name__ == "__main__":
    main()
