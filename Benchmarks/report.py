#!/usr/bin/env python3
"""Summary of benchmark runs: one table of time and heap allocations per frame, with ratios.

Reads the Google Benchmark JSON files given on the command line (run with repetitions and
--benchmark_report_aggregates_only, so that medians are present; single runs are used as they are),
prints one table, writes it beside the first file as summary.txt, and merges the files into
benchmarks.json there, which Google Benchmark's compare tool reads as one run:

    compare.py benchmarks old/benchmarks.json new/benchmarks.json

Times are CPU time per iteration (one frame, or one update), the median over the repetitions: on a
shared machine CPU time moves less than wall time. Each ratio is taken against a yardstick measured
in the same run, never against a number from another run.
"""

import json
import os
import sys

# Benchmark -> (yardstick in the same run, highest acceptable ratio).
YARDSTICKS = {
    "BM_CelestialUpdate": ("BM_CelestialUpdatePlain", 1.1),
    "BM_DirectorTick/preset:2/entries:64": ("BM_DirectorTick/preset:2/entries:8", None),
    "BM_DirectorTick/preset:2/entries:256": ("BM_DirectorTick/preset:2/entries:64", 4.5),
}

# Benchmark -> most nanoseconds a frame may take.
BUDGETS_NS = {
    "BM_DirectorWorldFrame/preset:2": 1000.0,
}

TIME_UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load(paths):
    context = None
    entries = []
    for path in paths:
        with open(path, encoding="utf-8") as handle:
            data = json.load(handle)
        if context is None:
            context = data.get("context", {})
        entries.extend(data.get("benchmarks", []))
    return context, entries


def summarise(entries):
    """Name -> (ns per iteration, allocations per iteration), medians where there are aggregates."""
    rows = {}
    order = []
    has_median = {e["run_name"] for e in entries if e.get("aggregate_name") == "median"}
    for entry in entries:
        name = entry.get("run_name", entry["name"])
        if name in has_median:
            if entry.get("aggregate_name") != "median":
                continue
        elif entry.get("run_type") == "aggregate":
            continue
        ns = entry["cpu_time"] * TIME_UNIT_NS[entry.get("time_unit", "ns")]
        allocations = entry.get("allocs/iter")
        if name not in rows:
            order.append(name)
        rows[name] = (ns, allocations)
    return order, rows


def format_table(order, rows):
    header = ("benchmark", "ns/frame", "allocs/frame", "yardstick", "ratio", "limit")
    lines = []
    for name in order:
        ns, allocations = rows[name]
        yardstick, ratio, limit = "", "", ""
        if name in YARDSTICKS:
            base_name, highest = YARDSTICKS[name]
            if base_name in rows and rows[base_name][0] > 0:
                value = ns / rows[base_name][0]
                yardstick = base_name
                ratio = f"{value:.2f}x"
                if highest is not None:
                    limit = f"<= {highest}x " + ("ok" if value <= highest else "OVER")
        if name in BUDGETS_NS:
            budget = BUDGETS_NS[name]
            limit = f"<= {budget:.0f} ns " + ("ok" if ns <= budget else "OVER")
        allocations_text = "-" if allocations is None else f"{allocations:.3f}"
        lines.append((name, f"{ns:.1f}", allocations_text, yardstick, ratio, limit))
    widths = [max(len(row[i]) for row in [header] + lines) for i in range(len(header))]
    rule = "  ".join("-" * width for width in widths)

    def render(row):
        cells = [row[0].ljust(widths[0])] + [cell.rjust(width) for cell, width in zip(row[1:3], widths[1:3])]
        cells += [cell.ljust(width) for cell, width in zip(row[3:], widths[3:])]
        return "  ".join(cells).rstrip()

    return "\n".join([render(header), rule] + [render(row) for row in lines])


def main(argv):
    if len(argv) < 2:
        print(f"usage: {argv[0]} RESULT.json...", file=sys.stderr)
        return 2
    paths = argv[1:]
    context, entries = load(paths)
    order, rows = summarise(entries)
    table = format_table(order, rows)
    print(table)

    out_dir = os.path.dirname(os.path.abspath(paths[0]))
    with open(os.path.join(out_dir, "summary.txt"), "w", encoding="utf-8") as handle:
        handle.write(table + "\n")
    with open(os.path.join(out_dir, "benchmarks.json"), "w", encoding="utf-8") as handle:
        json.dump({"context": context, "benchmarks": entries}, handle, indent=2)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
