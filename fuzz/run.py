#!/usr/bin/env python3
"""Runs the fuzz targets the way `ctest --preset fuzz` does, for longer, and
prints one line of figures per target (behind scripts/fuzz).

    run.py [SECONDS [TARGET...]]

The commands come from CTest (the tests labelled fuzz), with their time
limit replaced.  Exit status 1 when any target found a crash or a broken
invariant.
"""
import json
import os
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LOGS = os.path.join(ROOT, "build", "fuzz", "logs")


def fuzz_tests():
    listing = subprocess.run(["ctest", "--preset", "fuzz", "--show-only=json-v1"], cwd=ROOT,
                             check=True, capture_output=True, text=True).stdout
    for test in json.loads(listing)["tests"]:
        yield test["name"].split("/", 1)[1], test["command"]


def figures(log):
    """Executions, executions per second, coverage, features, corpus size."""
    def last(pattern, default="?"):
        found = re.findall(pattern, log)
        return found[-1] if found else default
    return {
        "runs": last(r"stat::number_of_executed_units: (\d+)"),
        "per_second": "?",
        "cov": last(r"cov: (\d+)"),
        "ft": last(r"ft: (\d+)"),
        "corpus": last(r"corp: (\d+)"),
    }


def main():
    seconds = int(sys.argv[1]) if len(sys.argv) > 1 else 300
    wanted = set(sys.argv[2:])
    os.makedirs(LOGS, exist_ok=True)
    rows, failed = [], False
    for name, command in fuzz_tests():
        if wanted and name not in wanted:
            continue
        command = [f"-max_total_time={seconds}" if part.startswith("-max_total_time=") else part
                   for part in command]
        print(f"fuzz: {name} for {seconds} s ...", file=sys.stderr, flush=True)
        start = time.monotonic()
        result = subprocess.run(command, cwd=ROOT, capture_output=True, text=True,
                                errors="replace")
        took = time.monotonic() - start
        log = result.stdout + result.stderr
        with open(os.path.join(LOGS, name + ".log"), "w") as f:
            f.write(log)
        row = figures(log)
        row["name"] = name
        row["time"] = f"{took:.0f}"
        if row["runs"].isdigit():
            row["per_second"] = f"{int(row['runs']) / max(took, 1):.0f}"
        row["result"] = "ok" if result.returncode == 0 else f"FOUND (exit {result.returncode})"
        failed |= result.returncode != 0
        rows.append(row)

    header = {"name": "target", "time": "s", "runs": "executions", "per_second": "exec/s",
              "cov": "coverage", "ft": "features", "corpus": "corpus", "result": "result"}
    keys = list(header)
    widths = {k: max(len(str(r[k])) for r in rows + [header]) for k in keys}
    for row in [header] + rows:
        print("  ".join(str(row[k]).ljust(widths[k]) if k in ("name", "result")
                        else str(row[k]).rjust(widths[k]) for k in keys))
    print("\ncoverage: edges of the instrumented code reached (libFuzzer's cov); "
          f"logs in {os.path.relpath(LOGS, ROOT)}/")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
