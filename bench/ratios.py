#!/usr/bin/env python3
"""Prints rsw32's benchmarks against their baselines from one run's JSON output.

Usage: ratios.py RUN.json [PAIRS]   (PAIRS defaults to ratios.txt beside this script)

A ratio is rsw32's cost per unit of work over its baseline's, both measured in the same
run: the baseline's rate (bytes or items per CPU second) over rsw32's, or the ratio of CPU
times where the two report no common rate. With repetitions each side is its fastest
repetition: on a shared machine other work only ever slows a repetition down (in phases
of about a second a loop can run at half speed), and the fastest ones agree from run to
run far better than the medians do. Lower is better; the aim is the ratio held as the goal. Pairs whose benchmark
or baseline is not in the run (filtered out, or pixman not installed) are skipped. A
benchmark that failed its check is listed, and the exit status is then 1.
"""
import fnmatch
import json
import os
import sys

RATES = ("bytes_per_second", "items_per_second")
NS_PER_UNIT = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def read_pairs(path):
    """Rows of (benchmark glob, baseline template, aim), in file order."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            fields = line.split("#", 1)[0].split()
            if not fields:
                continue
            if len(fields) != 3:
                sys.exit(f"{path}:{number}: expected benchmark, baseline and aim")
            rows.append((fields[0], fields[1], float(fields[2])))
    return rows


def read_run(path):
    """Per run name: its figures (from its fastest repetition); the failed runs' messages;
    the load averages when the run started."""
    with open(path, encoding="utf-8") as f:
        run = json.load(f)
    entries = run["benchmarks"]
    runs, errors, order = {}, {}, {}
    for e in entries:
        name = e.get("run_name", e["name"])
        order[name] = (e.get("family_index", 0), e.get("per_family_instance_index", 0))
        if e.get("error_occurred"):
            errors[name] = e.get("error_message", "error")
        elif e.get("run_type", "iteration") == "iteration":
            runs.setdefault(name, []).append(e)
    figures = {}
    for name, reps in sorted(runs.items(), key=lambda item: order[item[0]]):
        fig = {"cpu_ns": min(r["cpu_time"] * NS_PER_UNIT[r["time_unit"]] for r in reps)}
        for rate in RATES:
            if all(rate in r for r in reps):
                fig[rate] = max(r[rate] for r in reps)
        figures[name] = fig
    return figures, errors, run.get("context", {}).get("load_avg", [])


def arguments(name):
    """{'bits': '8', 'radius': '10'} for 'FilledCircle/bits:8/radius:10'."""
    args = {}
    for part in name.split("/")[1:]:
        key, _, value = part.partition(":")
        args[key] = value
    return args


def ratio(mine, base):
    for rate in RATES:
        if rate in mine and rate in base and mine[rate] > 0:
            return base[rate] / mine[rate]
    return mine["cpu_ns"] / base["cpu_ns"]


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    pairs_path = argv[2] if len(argv) == 3 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "ratios.txt")
    rows = read_pairs(pairs_path)
    figures, errors, load = read_run(argv[1])

    # Lines in the order of the rows, each row's runs in the order they were registered; a
    # run gets one line per baseline, from the first row that pairs them.
    lines, seen = [], set()
    for glob, template, aim in rows:
        for name in figures:
            if not fnmatch.fnmatchcase(name, glob):
                continue
            try:
                base = template.format(**arguments(name))
            except KeyError:
                continue
            if (name, base) in seen or base not in figures:
                continue
            seen.add((name, base))
            lines.append((name, base, ratio(figures[name], figures[base]), aim))

    if lines:
        w1 = max(len("benchmark"), *(len(l[0]) for l in lines))
        w2 = max(len("baseline"), *(len(l[1]) for l in lines))
        print()
        print("rsw32 over its baseline in this run: cost per byte, item or call, fastest repetitions (lower is better)")
        if load:
            print("load average at the start: " + ", ".join(f"{x:.2f}" for x in load))
        print(f"{'benchmark':<{w1}}  {'baseline':<{w2}}  {'ratio':>7}  {'aim':>6}")
        for name, base, r, aim in lines:
            print(f"{name:<{w1}}  {base:<{w2}}  {r:7.2f}  {aim:6.2f}{'  over' if r > aim else ''}")
    if errors:
        print()
        print("benchmarks that failed their check (no figure):")
        for name, message in errors.items():
            print(f"  {name}: {message}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
