#!/usr/bin/env python3
"""Prints the putstring_bench table: time and instructions per text for
FMUC_PutString and for FreeType with its cache, and their ratios.

    report.py <times.json> <instructions.txt> <callgrind dump>...

times.json is Google Benchmark's JSON output, instructions.txt what
putstring_bench --instructions printed, and each callgrind dump one file
written at a CALLGRIND_DUMP_STATS_AT("<renderer> <n>") of that run.
"""
import json
import re
import sys


def main():
    times_file, info_file, dumps = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(times_file) as f:
        runs = json.load(f)["benchmarks"]
    # Median of the repetitions when there are several, else the one run.
    times = {}
    for run in runs:
        name = run["run_name"] if "run_name" in run else run["name"]
        if run.get("aggregate_name") == "median" or (
                "aggregate_name" not in run and name not in times):
            unit = {"ns": 1, "us": 1e3, "ms": 1e6}[run["time_unit"]]
            times[name] = run["cpu_time"] * unit

    repeats, labels = 1, []
    with open(info_file) as f:
        for line in f:
            if line.startswith("repeats "):
                repeats = int(line.split()[1])
            elif line.startswith("text "):
                labels.append(line[5:].rstrip("\n"))

    instructions = {}
    for dump in dumps:
        with open(dump) as f:
            content = f.read()
        trigger = re.search(r"^desc: Trigger: Client Request: (\w+) (\d+)$", content, re.M)
        total = re.search(r"^(?:summary|totals): (\d+)", content, re.M)
        if trigger and total:
            instructions[(trigger.group(1), int(trigger.group(2)))] = int(total.group(1)) / repeats

    header = ("text", "FMUC ns", "FreeType ns", "ratio", "FMUC instr", "FreeType instr", "ratio")
    rows = []
    sums = [0.0, 0.0, 0.0, 0.0]
    for n, label in enumerate(labels):
        fm_ns = times.get("FMUC_PutString/" + label)
        ft_ns = times.get("FreeType/" + label)
        fm_ir = instructions.get(("fmuc", n))
        ft_ir = instructions.get(("freetype", n))
        if None in (fm_ns, ft_ns, fm_ir, ft_ir):
            print(f"report: figures for '{label}' are missing", file=sys.stderr)
            return 1
        for i, value in enumerate((fm_ns, ft_ns, fm_ir, ft_ir)):
            sums[i] += value
        rows.append((label, f"{fm_ns:.0f}", f"{ft_ns:.0f}", f"{fm_ns / ft_ns:.2f}",
                     f"{fm_ir:.0f}", f"{ft_ir:.0f}", f"{fm_ir / ft_ir:.2f}"))
    count = len(labels)
    rows.append(("mean", f"{sums[0] / count:.0f}", f"{sums[1] / count:.0f}",
                 f"{sums[0] / sums[1]:.2f}", f"{sums[2] / count:.0f}", f"{sums[3] / count:.0f}",
                 f"{sums[2] / sums[3]:.2f}"))
    widths = [max(len(str(row[i])) for row in [header] + rows) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(str(cell).ljust(widths[0]) if i == 0 else str(cell).rjust(widths[i])
                        for i, cell in enumerate(row)))
    print("\nratio = FMUC_PutString / FreeType (below 1: FMUC_PutString is faster)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
