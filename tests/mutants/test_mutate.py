"""The mutator's own checks: which edits it makes, and that a mutated file always comes back."""
import json
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
from unittest import mock

MUTANTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "mutants")
sys.path.insert(0, MUTANTS)
import generator  # noqa: E402
import mutate  # noqa: E402

ROOT = os.path.abspath(os.path.join(MUTANTS, "..", ".."))


def edits(text, kinds=generator.KINDS):
    return [(m.kind, m.description) for m in generator.mutants("engine/X.h", text, kinds)]


class GeneratorTest(unittest.TestCase):
    def test_strings_comments_and_directives_are_not_code(self):
        text = ('#include "Header.h"\n'
                '#define LIMIT 4\n'
                '// a YES and 10.0 in a comment\n'
                '/* x == 2 */ int a = f("say \\"3\\" now", \'1\');\n')
        self.assertEqual(edits(text, ("number", "bool", "compare")), [])
        self.assertEqual(edits(text, ("key",)), [])  # a sentence and an include path name nothing

    def test_a_name_is_one_letter_off_and_keeps_its_length(self):
        text = 'colour("navbarbackground"); rt::sel<"setBarTintColor:">(); path("x.png"); z("zeta");'
        found = generator.mutants("engine/X.h", text, ("key",))
        self.assertEqual([m.description for m in found], [
            '"navbarbackground" -> "oavbarbackground"',
            '"setBarTintColor:" -> "tetBarTintColor:"',
            '"x.png" -> "y.png"',
            '"zeta" -> "aeta"',
        ])
        for m in found:
            changed = m.apply(text)
            self.assertEqual(len(changed), len(text))
            self.assertEqual(sum(a != b for a, b in zip(text, changed)), 1)

    def test_the_same_slip_twice_on_a_line_is_numbered_in_text_order(self):
        text = 'row<&never<"CKView">>("CKView", "canUseOpaqueMask"),'
        found = generator.mutants("engine/X.h", text, ("key",))
        self.assertEqual([m.description for m in found], [
            '"CKView" -> "DKView"', '"CKView" -> "DKView" [2]', '"canUseOpaqueMask" -> "danUseOpaqueMask"'])
        self.assertEqual(found[1].apply(text), 'row<&never<"CKView">>("DKView", "canUseOpaqueMask"),')

    def test_numbers_change_value_and_keep_their_form(self):
        text = ("f(10.0); g(0.0); h(1.0); i(0); j(1); k(41); l(0.25); m(0xFF);\n"
                "bg1Color(); UTF8; x.y2;\n")
        self.assertEqual([d for _, d in edits(text, ("number",))], [
            "10.0 -> 11.0", "0.0 -> 1.0", "1.0 -> 0.0", "0 -> 1", "1 -> 0", "41 -> 42", "0.25 -> 1.25",
            "0xFF -> 0x100"])

    def test_a_negative_padding_loses_its_sign_and_a_subtraction_does_not(self):
        text = "pad(-8.0); top(a, -2); return -1; n = width - 4;"
        found = generator.mutants("engine/X.h", text, ("number",))
        self.assertEqual([m.description for m in found], ["-8.0 -> 8.0", "-2 -> 2", "-1 -> 1", "4 -> 5"])
        self.assertEqual(found[0].apply(text), "pad(8.0); top(a, -2); return -1; n = width - 4;")

    def test_booleans_flip_and_comparisons_invert_but_templates_stay(self):
        text = "if (a == b && c < d) return YES; std::vector<int> v; x = false; if (p >= q) f(NO);"
        self.assertEqual(edits(text, ("bool", "compare")), [
            ("bool", "YES -> NO"), ("bool", "false -> true"), ("bool", "NO -> YES"),
            ("compare", "== -> !="), ("compare", "< -> >="), ("compare", ">= -> <")])

    def test_the_previous_call_is_removed_or_moved_past_the_own_work(self):
        text = ("void f(id self, SEL cmd) {\n"
                "    Hook<&f>::previous(self, cmd);\n"
                "    paint(self);\n"
                "}\n"
                "void g(id self, SEL cmd, id w) {\n"
                "    paint(self);\n"
                "    Hook<&g<A>>::previous(self, cmd,\n"
                "                          w);\n"
                "}\n"
                "void h(id self, SEL cmd) {\n"
                "    rt::sendSuper<void()>(self, cls, cmd);\n"
                "}\n")
        found = generator.mutants("engine/X.h", text, ("call",))
        self.assertEqual([(m.line, m.description) for m in found], [
            (2, "previous call removed"), (2, "previous call moved last"),
            (7, "previous call removed"), (7, "previous call moved first"),
            (11, "previous call removed")])
        self.assertEqual(found[1].apply(text).splitlines()[1:3], ["    paint(self);", "    Hook<&f>::previous(self, cmd);"])
        moved_first = found[3].apply(text).splitlines()[4:9]
        self.assertEqual(moved_first, ["void g(id self, SEL cmd, id w) {", "    Hook<&g<A>>::previous(self, cmd,",
                                       "                          w);", "    paint(self);", "}"])
        self.assertEqual(found[0].apply(text).splitlines()[1], "    if (false) Hook<&f>::previous(self, cmd);")
        self.assertIn("if (false) rt::sendSuper", found[4].apply(text))

    def test_every_mutant_of_the_deliverables_changes_its_file(self):
        files = mutate.deliverable_files(ROOT)
        self.assertIn("engine/HookTable.cpp", files)
        self.assertFalse([f for f in files if "Artwork" in f or not f.endswith((".cpp", ".h"))])
        for relative in files:
            with open(os.path.join(ROOT, relative), encoding="utf-8") as f:
                text = f.read()
            for m in generator.mutants(relative, text):
                self.assertNotEqual(m.apply(text), text, f"{relative}:{m.line} {m.description}")
                self.assertIn(m.code, text)

    def test_the_sample_is_the_seeds_own(self):
        population = list(range(100))
        first = mutate.select(population, 7, 10)
        self.assertEqual(first, mutate.select(population, 7, 10))
        self.assertNotEqual(first, mutate.select(population, 8, 10))
        self.assertEqual(first, sorted(first))
        self.assertEqual(len(set(first)), 10)
        self.assertEqual(mutate.select(population, 7, 500), population)


class RestoreTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.original = b"int f() {\r\n    return 1; // \xc3\xa9\n}\n"
        os.makedirs(os.path.join(self.folder.name, "engine"))
        self.file = os.path.join(self.folder.name, "engine", "F.cpp")
        with open(self.file, "wb") as f:
            f.write(self.original)
        self.journal = os.path.join(self.folder.name, "journal.json")

    def contents(self):
        with open(self.file, "rb") as f:
            return f.read()

    def test_the_file_comes_back_byte_for_byte_whatever_the_run_does(self):
        mutant = generator.mutants("engine/F.cpp", self.original.decode(), ("number",))[0]
        for outcome in (0, 1, None, KeyboardInterrupt(), OSError("disk")):
            source = mutate.SourceFile(self.folder.name, "engine/F.cpp", self.journal)
            seen = []

            def run(command, limit, cwd=None, outcome=outcome):
                seen.append(self.contents())
                if isinstance(outcome, BaseException):
                    raise outcome
                return outcome

            coverage = {"engine/": [["t", "*"]]}
            with mock.patch.object(mutate, "run_limited", run):
                try:
                    mutate.judge(mutant, source, "build", coverage, 5, 1)
                except (KeyboardInterrupt, OSError):
                    pass
            self.assertIn(b"return 0;", seen[0])
            self.assertEqual(self.contents(), self.original)
            self.assertFalse(os.path.exists(self.journal))

    def test_results_follow_the_build_and_the_tests(self):
        mutant = generator.mutants("engine/F.cpp", self.original.decode(), ("number",))[0]
        coverage = {"engine/": [["t", "*"]]}
        for build, tests, expected in ((1, 0, "invalid"), (0, 0, "survived"), (0, 8, "killed"), (0, None, "timeout")):
            answers = iter((build, tests))
            with mock.patch.object(mutate, "run_limited", lambda *a, **k: next(answers)):
                source = mutate.SourceFile(self.folder.name, "engine/F.cpp", self.journal)
                self.assertEqual(mutate.judge(mutant, source, "build", coverage, 5, 1), expected)

    def test_the_first_failing_run_ends_the_mutant_before_the_next_program_is_built(self):
        mutant = generator.mutants("engine/F.cpp", self.original.decode(), ("number",))[0]
        coverage = {"engine/": [["a", "Near.*"], ["b", "*"], ["a", "*"]]}
        for answers, expected, commands in (
                ((0, 1), "killed", ["build a", "a Near.*"]),
                ((0, 0, 0, 3), "killed", ["build a", "a Near.*", "build b", "b *"]),
                ((0, 0, 0, 0, 0), "survived", ["build a", "a Near.*", "build b", "b *", "a *-Near.*"]),
                ((0, 0, 1), "invalid", ["build a", "a Near.*", "build b"])):
            seen = []

            def run(command, limit, cwd=None, answers=iter(answers)):
                if command[0] == "cmake":
                    seen.append("build " + command[-1])
                else:
                    seen.append(os.path.basename(command[0]) + " " + command[1].split("=", 1)[1])
                    self.assertEqual(cwd, os.path.join("build", "tests"))
                    self.assertIn("--gtest_fail_fast", command)
                return next(answers)

            with mock.patch.object(mutate, "run_limited", run):
                source = mutate.SourceFile(self.folder.name, "engine/F.cpp", self.journal)
                self.assertEqual(mutate.judge(mutant, source, "build", coverage, 5, 1), expected)
            self.assertEqual(seen, commands)
            self.assertEqual(self.contents(), self.original)

    def test_a_run_that_fails_without_a_mutant_stops_the_whole_run(self):
        coverage = {"engine/": [["a", "*"]], "common/": [["a", "*"], ["b", "X.*"]]}
        with mock.patch.object(mutate, "run_limited", lambda command, *a, **k: 0):
            self.assertIsNone(mutate.check_unmutated(["engine/F.cpp", "common/G.cpp"], "build", coverage, 5, 1))
        ran = []

        def run(command, limit, cwd=None):
            ran.append(command[-1] if command[0] == "cmake" else command[1])
            return 1 if command[1:2] == ["--gtest_filter=X.*"] else 0

        with mock.patch.object(mutate, "run_limited", run):
            failed = mutate.check_unmutated(["engine/F.cpp", "common/G.cpp"], "build", coverage, 5, 1)
        self.assertIn("fails without a mutant", failed)
        self.assertIn("X.*", failed)
        self.assertEqual(ran.count("--gtest_filter=*"), 1, "a run two files share runs once")

    def test_a_killed_run_is_repaired_from_its_journal(self):
        source = mutate.SourceFile(self.folder.name, "engine/F.cpp", self.journal)
        source.write("int f() { return 2; }\n")  # and the run dies here
        self.assertNotEqual(self.contents(), self.original)
        self.assertEqual(mutate.repair_from_journal(self.journal), self.file)
        self.assertEqual(self.contents(), self.original)
        self.assertIsNone(mutate.repair_from_journal(self.journal))

    def test_a_timed_out_command_is_stopped_with_its_children(self):
        started = time.monotonic()
        self.assertIsNone(mutate.run_limited(["sh", "-c", "sleep 30 & sleep 30"], 0.5))
        self.assertLess(time.monotonic() - started, 10)
        self.assertEqual(mutate.run_limited(["sh", "-c", "exit 3"], 5), 3)

    def test_a_child_left_behind_by_a_finished_command_is_stopped(self):
        with tempfile.TemporaryDirectory() as folder:
            pid_file = os.path.join(folder, "pid")
            self.assertEqual(mutate.run_limited(["sh", "-c", f"sleep 30 & echo $! > {pid_file}; exit 1"], 5), 1)
            with open(pid_file) as f:
                pid = int(f.read())
        for _ in range(100):
            try:
                with open(f"/proc/{pid}/stat") as f:
                    state = f.read().rsplit(")", 1)[1].split()[0]
            except FileNotFoundError:
                break
            if state == "Z":  # stopped, waiting for its new parent to reap it
                break
            time.sleep(0.05)
        else:
            self.fail(f"the child {pid} still runs")


class CoverageTest(unittest.TestCase):
    def test_a_file_of_its_own_wins_over_its_folder(self):
        coverage = {"engine/": [["e", "*"]], "engine/Table.h": [["e", "T.*"], ["e", "*"]]}
        self.assertEqual(mutate.coverage_for("engine/Table.h", coverage), [["e", "T.*"], ["e", "*"]])
        self.assertEqual(mutate.coverage_for("engine/Table.cpp", coverage), [["e", "*"]])
        with self.assertRaises(KeyError):
            mutate.coverage_for("platform/X.h", coverage)

    def test_later_runs_of_a_program_leave_out_what_it_ran(self):
        commands = mutate.test_commands([["a", "A.*:B.*"], ["b", "*"], ["a", "C.*"], ["a", "*"]], "out")
        self.assertEqual([(t, c[0], c[1]) for t, c in commands], [
            ("a", os.path.join("out", "tests", "a"), "--gtest_filter=A.*:B.*"),
            ("b", os.path.join("out", "tests", "b"), "--gtest_filter=*"),
            ("a", os.path.join("out", "tests", "a"), "--gtest_filter=C.*-A.*:B.*"),
            ("a", os.path.join("out", "tests", "a"), "--gtest_filter=*-A.*:B.*:C.*")])
        with self.assertRaises(ValueError):  # a negative part would end up inside a later one's
            mutate.test_commands([["a", "*-Slow.*"], ["a", "*"]], "out")

    def test_the_map_covers_every_deliverable_with_registered_programs(self):
        with open(os.path.join(MUTANTS, "coverage.json")) as f:
            coverage = {k: v for k, v in json.load(f).items() if not k.startswith("_")}
        with open(os.path.join(ROOT, "tests", "CMakeLists.txt")) as f:
            programs = set(re.findall(r"^vantorel_test\((\w+)", f.read(), re.M))
        for relative in mutate.deliverable_files(ROOT):
            runs = mutate.coverage_for(relative, coverage)
            self.assertTrue(runs, relative)
            mutate.test_commands(runs, "out")
        for prefix, runs in coverage.items():
            self.assertTrue(os.path.exists(os.path.join(ROOT, prefix)), prefix)
            self.assertEqual({t for t, _ in runs} - programs, set(), prefix)
            last = {}
            for target, positive in runs:
                last[target] = positive
            self.assertEqual(set(last.values()), {"*"}, f"{prefix}: every program it names ends with all its cases")


class RerunTest(unittest.TestCase):
    def test_only_survivors_and_timeouts_of_a_table_run_again(self):
        key = 'key "primarylabel" -> "qrimarylabel"'
        table = "\n".join([
            f"{'file':40} {'line':>5}  {'mutation':56} result",
            f"{'engine/ListHooks.h':40} {19:5}  {'call previous call moved last':56} survived",
            f"{'engine/ListHooks.h':40} {53:5}  {'number 10.0 -> 11.0':56} killed",
            f"{'engine/HookTable.cpp':40} {18:5}  {key:56} timeout",
            "3 timeout, 0 did not build, 0 listed as equivalent, 9 s",
            "1 killed of 3",
        ])
        self.assertEqual(mutate.rows_to_rerun(table), {
            ("engine/ListHooks.h", 19, "call previous call moved last"),
            ("engine/HookTable.cpp", 18, 'key "primarylabel" -> "qrimarylabel"')})

    def test_a_terminated_run_puts_the_file_back(self):
        # A tree of its own: the mutator's copy and one engine file.
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        scripts = os.path.join(folder.name, "scripts", "mutants")
        os.makedirs(scripts)
        for name in ("mutate.py", "generator.py", "coverage.json"):
            with open(os.path.join(MUTANTS, name), "rb") as src, open(os.path.join(scripts, name), "wb") as dst:
                dst.write(src.read())
        os.makedirs(os.path.join(folder.name, "engine"))
        target = os.path.join(folder.name, "engine", "F.h")
        before = b"inline int f() {\n    return 13;\n}\n"
        with open(target, "wb") as f:
            f.write(before)
        build = os.path.join(folder.name, "build")
        os.makedirs(build)
        open(os.path.join(build, "CMakeCache.txt"), "w").close()
        # Passing tests, and a build that hangs once the mutant is in, so the run is inside judge
        # when it is stopped.
        os.makedirs(os.path.join(build, "tests"))
        with open(os.path.join(build, "tests", "engine_tests"), "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(os.path.join(build, "tests", "engine_tests"), 0o755)
        fake = os.path.join(folder.name, "bin")
        os.makedirs(fake)
        with open(os.path.join(fake, "cmake"), "w") as f:
            f.write(f"#!/bin/sh\ngrep -q 'return 14' '{target}' && sleep 60\nexit 0\n")
        os.chmod(os.path.join(fake, "cmake"), 0o755)
        env = dict(os.environ, PATH=fake + os.pathsep + os.environ["PATH"])
        run = subprocess.Popen([sys.executable, os.path.join(scripts, "mutate.py"), "--build", build,
                                "--only", target], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        journal = os.path.join(build, "mutant-journal.json")
        for _ in range(400):  # the mutant is in place once the journal is
            if os.path.exists(journal):
                break
            time.sleep(0.05)
        with open(target, "rb") as f:
            self.assertIn(b"return 14;", f.read())
        run.terminate()
        run.communicate(timeout=30)
        self.assertEqual(run.returncode, 130)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertFalse(os.path.exists(journal))


class ListTest(unittest.TestCase):
    def run_mutate(self, *args):
        return subprocess.run([sys.executable, os.path.join(MUTANTS, "mutate.py"), *args],
                              capture_output=True, text=True, timeout=60)

    def test_every_listed_equivalent_is_a_mutant_the_run_makes(self):
        listed = mutate.load_equivalent(os.path.join(MUTANTS, "equivalent.txt"))
        made = set()
        for path, _, _ in listed:
            with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                made.update((m.path, f"{m.kind} {m.description}", m.code) for m in generator.mutants(path, f.read()))
        self.assertEqual([key for key in listed if key not in made], [])

    def test_an_equivalent_whose_source_line_holds_the_separator_loads_whole(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "equivalent.txt")
            with open(path, "w") as f:
                f.write("# comment\ncommon/A.cpp | number 1 -> 0 | v = (v << 4) | d; | the cap is clamped after\n")
            self.assertEqual(mutate.load_equivalent(path),
                             {("common/A.cpp", "number 1 -> 0", "v = (v << 4) | d;"): "the cap is clamped after"})
            with open(path, "w") as f:
                f.write("common/A.cpp | number 1 -> 0 | no reason\n")
            with self.assertRaises(SystemExit):
                mutate.load_equivalent(path)

    def test_listed_equivalents_are_marked_and_not_run(self):
        listed = [key for key in mutate.load_equivalent(os.path.join(MUTANTS, "equivalent.txt"))
                  if key[0] == "engine/HookTable.cpp"]
        self.assertTrue(listed)
        result = self.run_mutate("--list", "--only", os.path.join(ROOT, "engine", "HookTable.cpp"))
        marked = [row for row in result.stdout.splitlines() if row.endswith(" equivalent")]
        self.assertEqual(len(marked), len(listed))

    def test_only_names_one_deliverable_file(self):
        result = self.run_mutate("--list", "--only", os.path.join(ROOT, "engine", "ListHooks.h"))
        self.assertEqual(result.returncode, 0, result.stderr)
        rows = result.stdout.splitlines()[1:-1]
        self.assertTrue(rows)
        self.assertTrue(all(row.startswith("engine/ListHooks.h ") for row in rows))
        self.assertTrue(any("13.0 -> 14.0" in row for row in rows))
        outside = self.run_mutate("--list", "--only", os.path.join(ROOT, "platform", "uikit", "UIView.cpp"))
        self.assertNotEqual(outside.returncode, 0)
        self.assertIn("not a source file", outside.stderr)
        self.assertNotEqual(self.run_mutate("--list", "--kinds", "key,typo").returncode, 0)


if __name__ == "__main__":
    unittest.main()
