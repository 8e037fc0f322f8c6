#!/usr/bin/python3
"""kiwisolver on the pages of bench/SolverBench.cpp, beside this solver.

    /usr/bin/python3 bench/solver_oracle_bench.py [build-bench/bin/vantorel-bench]

Times kiwisolver's solve only: the constraints are built once, before the
clock starts, as the C++ benchmark does. With the path of vantorel-bench it
runs the solver benchmarks too and prints both side by side. Figures are CPU
time per operation, the median of several runs, since the machine is shared.
"""
import json
import statistics
import subprocess
import sys
import time

import kiwisolver as kiwi

SIZES = (10, 300, 1000)
COLUMNS = 3
WINDOW_STRENGTH = 900


def page(count):
    window = kiwi.Variable("window")
    views = []
    constraints = []
    for i in range(count):
        x, y, width, height = (kiwi.Variable("%s%d" % (name, i)) for name in "xywh")
        views.append((x, y, width, height))
        column = i % COLUMNS
        if column == 0:
            constraints.append(x == 16)
            if i == 0:
                constraints.append(y == 20)
            else:
                above = views[i - COLUMNS]
                constraints.append(y == above[1] + above[3] + 8)
        else:
            before = views[i - 1]
            constraints.append(x == before[0] + before[2] + 8)
            constraints.append(y == views[i - column][1])
        constraints.append(width >= 44)
        # Strengths are weights: 750 on the platform's scale is 750 here.
        constraints.append((3 * width == window - 48) | 750)
        constraints.append(height == 44 + (i % 5) * 4)
        if column == COLUMNS - 1:
            constraints.append(x + width <= window - 16)
    return window, views, constraints


def build(window, constraints):
    solver = kiwi.Solver()
    solver.addEditVariable(window, WINDOW_STRENGTH)
    solver.suggestValue(window, 390)
    for constraint in constraints:
        solver.addConstraint(constraint)
    solver.updateVariables()
    return solver


def per_call(action, repeats, rounds=7):
    """Median CPU seconds of one call over several rounds."""
    samples = []
    for _ in range(rounds):
        start = time.process_time()
        for _ in range(repeats):
            action()
        samples.append((time.process_time() - start) / repeats)
    return statistics.median(samples)


def kiwi_figures(count):
    window, views, constraints = page(count)
    build_time = per_call(lambda: build(window, constraints), max(2, 6000 // count))

    solver = build(window, constraints)
    widths = [414, 390]
    turn = [0]

    def edit():
        turn[0] ^= 1
        solver.suggestValue(window, widths[turn[0]])
        solver.updateVariables()

    edit_time = per_call(edit, max(200, 1500000 // count))
    last_width = views[-1][2].value()
    if abs(last_width - (widths[turn[0]] - 48) / 3) > 1e-9:
        raise SystemExit("kiwisolver gave %r for the last width" % last_width)
    return {"build": build_time, "edit": edit_time, "constraints": len(constraints)}


def ours(bench):
    run = subprocess.run([bench, "--benchmark_filter=Solver", "--benchmark_format=json",
                          "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
                         capture_output=True, text=True, check=True)
    figures = {}
    for entry in json.loads(run.stdout)["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        unit = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9}[entry["time_unit"]]
        key = "build" if "Build" in entry["run_name"] else "edit"
        count = int(entry["run_name"].rsplit("/", 1)[1])
        figures.setdefault(count, {})[key] = entry["cpu_time"] * unit
    return figures


def main():
    rows = [("build the page", "build", 1e3, "ms"), ("edit window width", "edit", 1e6, "us")]
    mine = ours(sys.argv[1]) if len(sys.argv) > 1 else None
    for count in SIZES:
        theirs = kiwi_figures(count)
        print("page: %d views, %d constraints" % (count, theirs["constraints"]))
        if mine:
            print("%-20s %14s %14s %8s" % ("", "this solver", "kiwisolver", "ratio"))
            for label, key, scale, unit in rows:
                print("%-20s %11.3f %s %11.3f %s %7.2fx" % (label, mine[count][key] * scale, unit,
                                                         theirs[key] * scale, unit, theirs[key] / mine[count][key]))
        else:
            for label, key, scale, unit in rows:
                print("%-20s kiwisolver %.3f %s" % (label, theirs[key] * scale, unit))


if __name__ == "__main__":
    main()
