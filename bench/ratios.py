#!/usr/bin/env python3
"""Runs benchmark programs and prints each measurement against its baseline.

A benchmark named X is paired with X_Baseline from the same run; the ratio is
X's CPU time over the baseline's. What the library appends to a name after a
slash (arguments, a fixed iteration count) follows the suffix: X/arg pairs with
X_Baseline/arg. Usage: ratios.py PROGRAM [PROGRAM ...]
"""
import json
import subprocess
import sys

SUFFIX = "_Baseline"


def run(program):
    output = subprocess.run(
        [program, "--benchmark_format=json", "--benchmark_repetitions=5",
         "--benchmark_report_aggregates_only=true"],
        check=True, capture_output=True, text=True).stdout
    medians = {}
    for entry in json.loads(output)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            medians[entry["run_name"]] = entry["cpu_time"]
    return medians


def main(programs):
    if not programs:
        sys.exit(__doc__)
    for program in programs:
        medians = run(program)
        for name, time in medians.items():
            stem, slash, rest = name.partition("/")
            baseline_name = stem + SUFFIX + slash + rest
            if stem.endswith(SUFFIX) or baseline_name not in medians:
                continue
            baseline = medians[baseline_name]
            print(f"{name:<32} {time:9.2f} ns  baseline {baseline:9.2f} ns  ratio {time / baseline:5.2f}")


if __name__ == "__main__":
    main(sys.argv[1:])
