#!/usr/bin/env python3
"""Prints the benchmark tables (behind scripts/bench): for each benchmark, the
time and the instructions of the plug-in's way ("ours") and of what a
developer would otherwise use ("alternative"), on the PC and on the
recorder's processor (MIPS, under qemu), their ratios, and what of the
instructions the program's own code took and what the host firmware's calls.

    report.py <folder>...

Each folder holds one benchmark program's results:
- times.json        Google Benchmark's JSON output; benchmarks are named
                    "<ours name>/<case>" and "<alternative name>/<case>";
- instructions.txt  what the program printed in --instructions mode:
                    "repeats N", "benchmark <title> <ours name> <alternative
                    name>", one "case <label>" per case, and optionally
                    "children <side> <n>": the processes that the program
                    started belong to that side and case, and "per <N>":
                    each operation handles N items (pixels), and the
                    figures are given per item;
- callgrind.*       callgrind's files: the program's dumps, triggered by
                    CALLGRIND_DUMP_STATS_AT("<side> <n>"), and, with
                    --trace-children=yes, one file per process it started;
- mips.txt          optional: the qemu plugin's lines for the box-flavour
                    build, "dump <side> <n> <program> <firmware>
                    <composition>" with side 0 for ours, 1 for the
                    alternative (bench/qemu/insncount.cpp).

The firmware's share is what the calls into libtap.so took, everything they
called included; the composition's is TAP_Osd_Sync's part of it.  On the PC
they come from callgrind's call graph (the inclusive cost of every call from
outside libtap.so into it), under qemu from the plugin.
"""
import glob
import json
import os
import re
import sys

SIDES = ("ours", "alternative")
FIRMWARE_OBJECT = "/libtap.so"
COMPOSITION = "TAP_Osd_Sync"


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
    info = {"repeats": 1, "per": 1, "cases": [], "children": None}
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("repeats "):
                info["repeats"] = int(line.split()[1])
            elif line.startswith("per "):
                info["per"] = int(line.split()[1])
            elif line.startswith("benchmark "):
                info["title"], info["ours"], info["alternative"] = line.split()[1:4]
            elif line.startswith("case "):
                info["cases"].append(line[5:])
            elif line.startswith("children "):
                side, n = line.split()[1:3]
                info["children"] = (side, int(n))
    return info


def read_callgrind(path):
    """A callgrind file's description and counts: (trigger, command, total,
    firmware, composition)."""
    names = {"ob": {}, "fn": {}}
    trigger = command = None
    total = firmware = composition = 0
    positions, event = 1, 0
    caller_object = callee_object = callee = None
    cost_of_call = False

    def name(kind, text):
        match = re.match(r"\((\d+)\)(?: (.*))?$", text)
        if not match:
            return text
        if match.group(2) is not None:
            names[kind][match.group(1)] = match.group(2)
        return names[kind].get(match.group(1), "")

    with open(path, errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if cost_of_call:
                # The inclusive cost of the calls just named.
                cost_of_call = False
                values = line.split()[positions:]
                cost = int(values[event]) if len(values) > event else 0
                into = callee_object if callee_object is not None else caller_object
                if FIRMWARE_OBJECT in (into or "") and FIRMWARE_OBJECT not in (caller_object or ""):
                    firmware += cost
                    if callee == COMPOSITION:
                        composition += cost
                callee_object = callee = None
            elif line.startswith("ob="):
                caller_object = name("ob", line[3:])
            elif line.startswith("cob="):
                callee_object = name("ob", line[4:])
            elif line.startswith("fn="):
                name("fn", line[3:])
            elif line.startswith("cfn="):
                callee = name("fn", line[4:])
            elif line.startswith("calls="):
                cost_of_call = True
            elif line.startswith("positions:"):
                positions = len(line.split()[1:])
            elif line.startswith("events:"):
                event = line.split()[1:].index("Ir")
            elif line.startswith("desc: Trigger: "):
                trigger = line[len("desc: Trigger: "):]
            elif line.startswith("cmd: "):
                command = line[5:]
            elif re.match(r"(summary|totals): \d+", line):
                total = int(line.split()[1])
    return trigger, command, total, firmware, composition


def read_host_instructions(folder, info):
    """Per (side, case): [total, firmware, composition] per operation."""
    counts, children = {}, 0
    for dump in glob.glob(os.path.join(folder, "callgrind.*")):
        trigger, command, total, firmware, composition = read_callgrind(dump)
        if not total or not trigger:
            continue
        request = re.match(r"Client Request: (\w+) (\d+)$", trigger)
        if request:
            key = (request.group(1), int(request.group(2)))
            old = counts.get(key, [0, 0, 0])
            counts[key] = [old[0] + total, old[1] + firmware, old[2] + composition]
        elif trigger.startswith("Program termination") and not re.search(r"_bench", command or ""):
            children += total
    if info["children"]:
        counts.setdefault(info["children"], [0, 0, 0])[0] += children
    return {key: [v / info["repeats"] / info["per"] for v in value] for key, value in counts.items()}


def read_mips_instructions(folder, info):
    """Per (side, case): [total, firmware, composition] per operation, from
    the qemu plugin; empty when the benchmark was not run on MIPS."""
    counts = {}
    path = os.path.join(folder, "mips.txt")
    if not os.path.exists(path):
        return counts
    with open(path) as f:
        for line in f:
            fields = line.split()
            if len(fields) != 6 or fields[0] != "dump":
                continue
            side, case, program, firmware, composition = (int(v) for v in fields[1:])
            counts[(SIDES[side], case)] = [v / info["repeats"] / info["per"] for v in (
                program + firmware + composition, firmware + composition, composition)]
    return counts


def figure(value):
    if value is None:
        return "-"
    if value >= 1e6:
        return f"{value / 1e6:.2f} M"
    if value >= 1e4:
        return f"{value / 1e3:.1f} k"
    if value >= 100 or value == 0:
        return f"{value:.0f}"
    return f"{value:.2f}"


def ratio(a, b):
    return "-" if a is None or b is None or not b else f"{a / b:.2f}"


def table(header, rows, left=2):
    widths = [max(len(str(row[i])) for row in [header] + rows) for i in range(len(header))]
    lines = []
    for row in [header] + rows:
        lines.append("  ".join(str(cell).ljust(widths[i]) if i < left else str(cell).rjust(widths[i])
                               for i, cell in enumerate(row)).rstrip())
    return "\n".join(lines)


def mean(values):
    return None if any(v is None for v in values) else sum(values) / len(values)


def main():
    summary, details, shares = [], [], []
    for folder in sys.argv[1:]:
        info = read_info(os.path.join(folder, "instructions.txt"))
        times = {name: time / info["per"]
                 for name, time in read_times(os.path.join(folder, "times.json")).items()}
        host = read_host_instructions(folder, info)
        mips = read_mips_instructions(folder, info)
        cases = info["cases"]
        if info["per"] > 1:
            cases_shown = [f"{case} (a pixel)" for case in cases]
        else:
            cases_shown = cases
        if any((side, n) not in host for side in SIDES for n in range(len(cases))) or \
                any(f"{info[side]}/{case}" not in times for side in SIDES for case in cases):
            print(f"report: figures for {info['title']} are missing", file=sys.stderr)
            return 1
        if mips and any((side, n) not in mips for side in SIDES for n in range(len(cases))):
            print(f"report: MIPS figures for {info['title']} are missing", file=sys.stderr)
            return 1

        def values(n):
            return [times[f"{info['ours']}/{cases[n]}"], times[f"{info['alternative']}/{cases[n]}"],
                    host[("ours", n)][0], host[("alternative", n)][0],
                    mips[("ours", n)][0] if mips else None,
                    mips[("alternative", n)][0] if mips else None]

        def share_row(label, side, counts):
            row = []
            for source in counts:
                if source is None:
                    row += [None] * 3
                else:
                    total, firmware, composition = source
                    row += [total - firmware, firmware - composition, composition]
            return [info["title"], label, side] + [figure(v) for v in row]

        def line(label, v):
            return (info["title"], label, info["ours"], info["alternative"], figure(v[0]), figure(v[1]), ratio(v[0], v[1]),
                    figure(v[2]), figure(v[3]), ratio(v[2], v[3]),
                    figure(v[4]), figure(v[5]), ratio(v[4], v[5]))

        rows = [values(n) for n in range(len(cases))]
        # Many small cases make one line of means; a few different ones
        # (full redraw, idle pass) a line each.
        many = len(cases) > 4
        if many:
            summary.append(line(f"mean of {len(cases)} cases", [mean(c) for c in zip(*rows)]))
            details.extend(line(case, rows[n]) for n, case in enumerate(cases_shown))
        else:
            summary.extend(line(case, rows[n]) for n, case in enumerate(cases_shown))
        if any(host[key][1] for key in host):
            for side in SIDES:
                def averaged(counts):
                    if not counts:
                        return None
                    return [mean([counts[(side, n)][i] for n in range(len(cases))]) for i in range(3)]
                if many:
                    shares.append(share_row(f"mean of {len(cases)} cases", info[side],
                                            [averaged(host), averaged(mips)]))
                else:
                    shares.extend(share_row(case, info[side],
                                            [host[(side, n)], mips.get((side, n)) if mips else None])
                                  for n, case in enumerate(cases_shown))

    header = ("benchmark", "case", "ours", "alternative", "ours ns", "alt ns", "ratio", "PC ours", "PC alt", "ratio",
              "MIPS ours", "MIPS alt", "ratio")
    print(table(header, summary, left=4))
    if details:
        print()
        print(table(header, details, left=4))
    if shares:
        print()
        print(table(("benchmark", "case", "side", "PC own", "PC firmware", "PC Sync", "MIPS own",
                     "MIPS firmware", "MIPS Sync"), shares, left=3))
    print("\nns: median CPU time of one operation (wall time for the login), Google Benchmark, "
          "5 repetitions, on the PC;\n"
          "PC, MIPS: instructions of one operation, on the PC (callgrind, child processes included) "
          "and on the\nrecorder's processor (the box build under qemu-mipsel, our plugin; "
          "- where not run there);\n"
          "ratio = ours / alternative (below 1: ours is cheaper);\n"
          "own: the program's own code; firmware: its calls into the host firmware (libtap.so) "
          "but TAP_Osd_Sync;\nSync: its TAP_Osd_Sync calls")
    return 0


if __name__ == "__main__":
    sys.exit(main())
