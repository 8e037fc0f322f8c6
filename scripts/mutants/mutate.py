#!/usr/bin/env python3
"""Mutation run: changes the deliverables' source one small slip at a time and
counts how many slips the tests notice.

Each mutant is written into the source tree, the test programs that cover it
are rebuilt in a build tree of its own and run under a time limit, fastest and
closest cases first, until one fails; then the file is put back byte for byte
before the next one (also on Ctrl-C or an error; a run killed outright is
repaired by the next run from its journal)."""
import argparse
import json
import os
import random
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generator  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
FOLDERS = ("engine/", "common/", "VantorelPrefs/")
SOURCE_SUFFIXES = (".cpp", ".h")
# Files that are tests of their own or build-machine tools, not the deliverables.
SKIPPED_PARTS = ("/Artwork/",)


class SourceFile:
    """One file under mutation; `restore` puts its original bytes back.

    The original is also journalled beside the build tree, so a run that dies
    without unwinding (SIGKILL, power) is repaired by the next one. The restored
    file keeps a fresh modification time: the objects built from the mutant are
    newer than the old stamp, and the next build must not take them as current."""

    def __init__(self, root, relative, journal):
        self.path = os.path.join(root, relative)
        self.journal = journal
        with open(self.path, "rb") as f:
            self.original = f.read()

    def write(self, text):
        with open(self.journal, "w") as f:
            json.dump({"path": self.path, "original": self.original.decode("latin-1")}, f)
        with open(self.path, "wb") as f:
            f.write(text.encode("utf-8"))

    def restore(self):
        with open(self.path, "wb") as f:
            f.write(self.original)
        if os.path.exists(self.journal):
            os.unlink(self.journal)


def repair_from_journal(journal):
    """Puts back a file a killed run left mutated; answers its path or None."""
    if not os.path.exists(journal):
        return None
    with open(journal) as f:
        entry = json.load(f)
    with open(entry["path"], "wb") as f:
        f.write(entry["original"].encode("latin-1"))
    os.unlink(journal)
    return entry["path"]


def deliverable_files(root, only=None):
    if only:
        chosen = []
        for name in only:
            relative = os.path.relpath(os.path.abspath(name), root)
            if not relative.startswith(FOLDERS) or not os.path.isfile(os.path.join(root, relative)):
                raise SystemExit(f"mutate: {name} is not a source file of engine/, common/ or VantorelPrefs/")
            chosen.append(relative)
        return chosen
    found = []
    for folder in FOLDERS:
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                relative = os.path.relpath(os.path.join(dirpath, name), root)
                if name.endswith(SOURCE_SUFFIXES) and not any(p in "/" + relative for p in SKIPPED_PARTS):
                    found.append(relative)
    return sorted(found)


def coverage_for(relative, coverage):
    """The runs that cover a file: its own entry, else its folder's (the longest prefix wins)."""
    matches = [prefix for prefix in coverage if relative.startswith(prefix)]
    if not matches:
        raise KeyError(relative)
    return coverage[max(matches, key=len)]


def test_commands(runs, build):
    """(target, command) per run, in order. A run names a test program and a gtest filter; cases an
    earlier run of the same program ran are left out of its later runs, so none runs twice."""
    commands = []
    ran = {}
    for target, positive in runs:
        if "-" in positive:
            raise ValueError(f"{target}: {positive}: name the cases a run takes; later runs leave them out")
        earlier = ran.setdefault(target, [])
        selected = positive + ("-" + ":".join(earlier) if earlier else "")
        earlier.append(positive)
        commands.append((target, [os.path.join(build, "tests", target), f"--gtest_filter={selected}",
                                  "--gtest_fail_fast", "--gtest_brief=1"]))
    return commands


def load_equivalent(path):
    """(file, mutation, code) triples listed as equivalent, with their reasons."""
    listed = {}
    if not os.path.exists(path):
        return listed
    with open(path) as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            # A source line may itself hold " | ": file and mutation come from
            # the left, the reason from the right, and the code is what is between.
            head = line.split(" | ", 2)
            code, separator, reason = head[-1].rpartition(" | ")
            if len(head) != 3 or not separator:
                raise SystemExit(f"mutate: {path}: expected 'file | mutation | code | reason': {line}")
            listed[(head[0].strip(), head[1].strip(), code.strip())] = reason.strip()
    return listed


def select(all_mutants, seed, sample):
    if sample is None or sample >= len(all_mutants):
        return list(all_mutants)
    chosen = random.Random(seed).sample(range(len(all_mutants)), sample)
    return [all_mutants[i] for i in sorted(chosen)]


def rows_to_rerun(table):
    """(file, line, mutation) of every row a printed table shows as survived or timeout."""
    rows = set()
    for line in table.splitlines():
        fields = line.split()
        if len(fields) >= 4 and fields[-1] in ("survived", "timeout") and fields[1].isdigit():
            mutation = line.split(None, 2)[2].rsplit(None, 1)[0].strip()
            rows.add((fields[0], int(fields[1]), mutation))
    return rows


def run_limited(command, limit, cwd=None):
    """Runs a command in its own process group; answers its exit code, or None on timeout.

    The group is stopped whatever the outcome: a test that stops at its first
    failure can leave a child it forked (a writer process) spinning under the
    mutant, and it would eat the machine for the rest of the run."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return process.wait(timeout=limit)
    except subprocess.TimeoutExpired:
        return None
    finally:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()


def build_command(build, target, jobs):
    return ["cmake", "--build", build, "-j", str(jobs), "--target", target]


def judge(mutant, source, build, coverage, limit, jobs):
    """killed, survived, timeout or invalid (the mutant does not build).

    A program is built only when its turn comes, and the first failing run
    ends the mutant: most are killed by the first, fastest run, and never
    pay for linking or running the rest."""
    source.write(mutant.apply(source.original.decode("utf-8")))
    try:
        built = set()
        for target, command in test_commands(coverage_for(mutant.path, coverage), build):
            if target not in built:
                if run_limited(build_command(build, target, jobs), 1800) != 0:
                    return "invalid"
                built.add(target)
            ran = run_limited(command, limit, cwd=os.path.join(build, "tests"))
            if ran is None:
                return "timeout"
            if ran != 0:
                return "killed"
        return "survived"
    finally:
        source.restore()


def check_unmutated(files, build, coverage, limit, jobs):
    """Every run the chosen files need passes on the untouched source, else a kill would mean nothing.
    Answers None, or what failed."""
    seen = set()
    for relative in files:
        for target, command in test_commands(coverage_for(relative, coverage), build):
            key = (target, tuple(command))
            if key in seen:
                continue
            seen.add(key)
            if run_limited(build_command(build, target, jobs), 1800) != 0:
                return f"{target} does not build"
            if run_limited(command, limit, cwd=os.path.join(build, "tests")) != 0:
                return " ".join(command[:2]) + " fails without a mutant"
    return None


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", action="append", help="mutate this file only (repeatable)")
    parser.add_argument("--seed", type=int, default=0, help="seed of the sample (default 0)")
    parser.add_argument("--sample", type=int, help="run this many mutants, drawn with the seed")
    parser.add_argument("--kinds", default=",".join(generator.KINDS), help="comma-separated mutation kinds")
    parser.add_argument("--build", default="build-mutants", help="the build tree (configured already)")
    parser.add_argument("--timeout", type=int, default=300, help="seconds of tests per mutant")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="print the mutants, run nothing")
    parser.add_argument("--rerun", metavar="TABLE",
                        help="run only the mutants a previous run's table lists as survived or timeout")
    args = parser.parse_args(argv)

    root = os.path.abspath(os.path.join(HERE, "..", ".."))
    kinds = tuple(k for k in args.kinds.split(",") if k)
    unknown = set(kinds) - set(generator.KINDS)
    if unknown:
        parser.error(f"unknown kind {sorted(unknown)[0]} (kinds: {', '.join(generator.KINDS)})")
    with open(os.path.join(HERE, "coverage.json")) as f:
        coverage = {k: v for k, v in json.load(f).items() if not k.startswith("_")}
    equivalent = load_equivalent(os.path.join(HERE, "equivalent.txt"))
    build = os.path.abspath(args.build)
    journal = os.path.join(build, "mutant-journal.json")
    if not args.list:
        if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
            raise SystemExit(f"mutate: {build} is no configured build tree")
        repaired = repair_from_journal(journal)
        if repaired:
            print(f"mutate: restored {repaired} left mutated by an interrupted run", file=sys.stderr)

    everything = []
    for relative in deliverable_files(root, args.only):
        with open(os.path.join(root, relative), encoding="utf-8") as f:
            everything.extend(generator.mutants(relative, f.read(), kinds))
    if args.rerun:
        with open(args.rerun) as f:
            wanted = rows_to_rerun(f.read())
        everything = [m for m in everything if (m.path, m.line, f"{m.kind} {m.description}") in wanted]
    chosen = select(everything, args.seed, args.sample)
    if not args.list:
        failed = check_unmutated(sorted({m.path for m in chosen}), build, coverage, args.timeout, args.jobs)
        if failed:
            raise SystemExit(f"mutate: {failed}; fix that before judging mutants")

    print(f"{'file':40} {'line':>5}  {'mutation':56} result", flush=True)
    counts = {"killed": 0, "survived": 0, "timeout": 0, "invalid": 0, "equivalent": 0}
    started = time.monotonic()
    for mutant in chosen:
        reason = equivalent.get((mutant.path, f"{mutant.kind} {mutant.description}", mutant.code))
        if args.list:
            result = "equivalent" if reason else "-"
        elif reason:
            result = "equivalent"
        else:
            source = SourceFile(root, mutant.path, journal)
            result = judge(mutant, source, build, coverage, args.timeout, args.jobs)
        if result in counts:
            counts[result] += 1
        print(f"{mutant.path:40} {mutant.line:5}  {mutant.kind + ' ' + mutant.description:56} {result}", flush=True)
    if args.list:
        print(f"{len(chosen)} mutants")
        return 0
    scored = counts["killed"] + counts["survived"] + counts["timeout"]
    print(f"{counts['timeout']} timeout, {counts['invalid']} did not build, {counts['equivalent']} listed as "
          f"equivalent, {time.monotonic() - started:.0f} s")
    print(f"{counts['killed']} killed of {scored}")
    return 0


def stop(signum, frame):
    raise KeyboardInterrupt  # unwinds through judge, which puts the file back


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)
    try:
        sys.exit(main())
    except KeyboardInterrupt:  # the file is back already; say so and stop
        print("mutate: interrupted; the source is restored", file=sys.stderr)
        sys.exit(130)
