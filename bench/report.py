#!/usr/bin/env python3
"""Prints the benchmark table (behind scripts/bench): for each benchmark, the
time and the instructions of the plug-in's way ("ours") and of what a
developer would otherwise use ("alternative"), and their ratios.

    report.py <folder>...

Each folder holds one benchmark program's results:
- times.json        Google Benchmark's JSON output; benchmarks are named
                    "<ours name>/<case>" and "<alternative name>/<case>";
- instructions.txt  what the program printed in --instructions mode:
                    "repeats N", "benchmark <title> <ours name> <alternative
                    name>", one "case <label>" per case, and optionally
                    "children <side> <n>": the processes that the program
                    started belong to that side and case;
- callgrind.*       callgrind's files: the program's dumps, triggered by
                    CALLGRIND_DUMP_STATS_AT("<side> <n>"), and, with
                    --trace-children=yes, one file per process it started.
"""
import glob
import json
import os
import re
import sys


def read_times(path):
    """Median time in ns per benchmark name: CPU time, or wall time for the
    ones registered with UseRealTime (those that wait for other processes)."""
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    times = {}
    for run in runs:
        name = run.get("run_name", run["name"])
        if run.get("aggregate_name") == "median" or ("aggregate_name" not in run and name not in times):
            unit = {"ns": 1, "us": 1e3, "ms": 1e6}[run["time_unit"]]
            wall = name.endswith("/real_time")
            times[name[:-len("/real_time")] if wall else name] = \
                run["real_time" if wall else "cpu_time"] * unit
    return times


def read_info(path):
    info = {"repeats": 1, "cases": [], "children": None}
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("repeats "):
                info["repeats"] = int(line.split()[1])
            elif line.startswith("benchmark "):
                info["title"], info["ours"], info["alternative"] = line.split()[1:4]
            elif line.startswith("case "):
                info["cases"].append(line[5:])
            elif line.startswith("children "):
                side, n = line.split()[1:3]
                info["children"] = (side, int(n))
    return info


def read_instructions(folder, info):
    counts, children = {}, 0
    for dump in glob.glob(os.path.join(folder, "callgrind.*")):
        with open(dump, errors="replace") as f:
            content = f.read()
        total = re.search(r"^(?:summary|totals): (\d+)", content, re.M)
        if not total:
            continue
        trigger = re.search(r"^desc: Trigger: Client Request: (\w+) (\d+)$", content, re.M)
        if trigger:
            key = (trigger.group(1), int(trigger.group(2)))
            counts[key] = counts.get(key, 0) + int(total.group(1))
        elif re.search(r"^desc: Trigger: Program termination", content, re.M) and \
                not re.search(r"^cmd: .*_bench", content, re.M):
            children += int(total.group(1))
    if info["children"]:
        counts[info["children"]] = counts.get(info["children"], 0) + children
    return {key: value / info["repeats"] for key, value in counts.items()}


def figure(value):
    if value >= 1e6:
        return f"{value / 1e6:.2f} M"
    if value >= 1e4:
        return f"{value / 1e3:.1f} k"
    return f"{value:.0f}"


def table(header, rows):
    widths = [max(len(str(row[i])) for row in [header] + rows) for i in range(len(header))]
    lines = []
    for row in [header] + rows:
        lines.append("  ".join(str(cell).ljust(widths[i]) if i < 2 else str(cell).rjust(widths[i])
                               for i, cell in enumerate(row)))
    return "\n".join(lines)


def main():
    summary, details = [], []
    for folder in sys.argv[1:]:
        info = read_info(os.path.join(folder, "instructions.txt"))
        times = read_times(os.path.join(folder, "times.json"))
        instructions = read_instructions(folder, info)
        sums = [0.0, 0.0, 0.0, 0.0]
        rows = []
        for n, case in enumerate(info["cases"]):
            values = (times.get(f"{info['ours']}/{case}"), times.get(f"{info['alternative']}/{case}"),
                      instructions.get(("ours", n)), instructions.get(("alternative", n)))
            if None in values:
                print(f"report: figures for {info['title']} '{case}' are missing", file=sys.stderr)
                return 1
            for i, value in enumerate(values):
                sums[i] += value
            rows.append((info["title"], case, figure(values[0]), figure(values[1]),
                         f"{values[0] / values[1]:.2f}", figure(values[2]), figure(values[3]),
                         f"{values[2] / values[3]:.2f}"))
        count = len(info["cases"])
        what = info["cases"][0] if count == 1 else f"mean of {count} cases"
        summary.append((info["title"], what, f"{info['ours']}", f"{info['alternative']}",
                        figure(sums[0] / count), figure(sums[1] / count), f"{sums[0] / sums[1]:.2f}",
                        figure(sums[2] / count), figure(sums[3] / count), f"{sums[2] / sums[3]:.2f}"))
        if count > 1:
            details.extend(rows)

    print(table(("benchmark", "case", "ours", "alternative", "ours ns", "alt ns", "ratio",
                 "ours instr", "alt instr", "ratio"), summary))
    if details:
        print()
        print(table(("benchmark", "case", "ours ns", "alt ns", "ratio", "ours instr",
                     "alt instr", "ratio"), details))
    print("\nns: median CPU time of one operation (wall time for the login), Google Benchmark, "
          "5 repetitions; instr: "
          "instructions of one operation (callgrind, child processes included);\n"
          "ratio = ours / alternative (below 1: ours is cheaper)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
