#!/usr/bin/python3
"""Drives vantorel-sim as a hostile or unlucky user would and counts what went
wrong: hostile files under every verb, concurrent writers, killed writers,
planted links, ill-formed input, read-only folders.

    probe.py SIM [--short]      prints the table; exit 1 unless all but the first column are 0

Python's plistlib is the independent judge of what a file holds.
"""
import datetime
import glob
import os
import plistlib
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DOMAIN = "com.tavq.vantorelprefs"
PREFS = f"var/mobile/Library/Preferences/{DOMAIN}.plist"
TIMEOUT = 60


class Tally:
    columns = ["inputs tried", "crashes", "hangs", "data lost", "wrong success reports",
               "writes outside the device"]

    def __init__(self):
        self.counts = dict.fromkeys(self.columns, 0)
        self.notes = []

    def add(self, column, note=None, count=1):
        self.counts[column] += count
        if note and column != "inputs tried":
            self.notes.append(f"{column}: {note}")

    def table(self):
        width = max(len(c) for c in self.columns)
        lines = [f"{c.ljust(width)}  {self.counts[c]}" for c in self.columns]
        return "\n".join(lines)


class Probe:
    def __init__(self, sim, short):
        self.sim_path = sim
        self.short = short
        self.tally = Tally()
        self.base = tempfile.mkdtemp(prefix="vantorel-probe-")
        self.outside = os.path.join(self.base, "outside")
        os.makedirs(self.outside)

    # --- running the CLI ---------------------------------------------------

    def run(self, root, *args, timeout=TIMEOUT):
        self.tally.add("inputs tried")
        try:
            result = subprocess.run([self.sim_path, "--device", root, *args], capture_output=True,
                                    timeout=timeout)
        except subprocess.TimeoutExpired:
            self.tally.add("hangs", f"{args}")
            return None
        if result.returncode < 0 or result.returncode > 2 or b"Sanitizer" in result.stderr:
            self.tally.add("crashes", f"{args}: status {result.returncode} "
                           f"{result.stderr.decode(errors='replace')[-300:]}")
        return result

    def device(self, name):
        root = os.path.join(self.base, name)
        result = subprocess.run([self.sim_path, "--device", root, "init"], capture_output=True)
        if result.returncode != 0:
            raise SystemExit(f"cannot create a device: {result.stderr.decode()}")
        return root

    def outside_snapshot(self):
        state = {}
        for path in glob.glob(os.path.join(self.outside, "**"), recursive=True):
            if os.path.isfile(path) and not os.path.islink(path):
                with open(path, "rb") as f:
                    state[path] = f.read()
        return state

    # --- hostile but plausible files ----------------------------------------

    @staticmethod
    def plausible_files():
        """(name, bytes, what plistlib reads or None) for files a careful writer must not lose."""
        def xml(body):
            return (b'<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>'
                    + body + b"</dict></plist>")

        files = [
            ("comment", xml(b"<!-- was <dict> once --><key>keep</key><string>a</string>")),
            ("cdata", xml(b"<key>keep</key><string><![CDATA[<array> and <plist>]]></string>")),
            ("attribute", xml(b'<key id="a>b">keep</key><string>x</string>')),
            ("pi", xml(b"<?note <dict> ?><key>keep</key><integer>3</integer>")),
            ("far date", xml(b"<key>keep</key><date>2100-06-01T12:00:00Z</date>")),
            ("old date", xml(b"<key>keep</key><date>1900-01-01T00:00:00Z</date>")),
            ("huge unsigned", xml(b"<key>keep</key><integer>18446744073709551615</integer>")),
            ("top bit", xml(b"<key>keep</key><integer>9223372036854775808</integer>")),
            ("utf-16", '<?xml version="1.0" encoding="UTF-16"?><plist version="1.0"><dict>'
                       '<key>keep</key><string>\u00e9</string></dict></plist>'.encode("utf-16")),
            ("binary", plistlib.dumps({"keep": [1, {"x": b"\x00\x01"}],
                                       "when": datetime.datetime(2001, 1, 1)}, fmt=plistlib.FMT_BINARY)),
            ("binary far date", plistlib.dumps({"keep": datetime.datetime(2200, 1, 1)},
                                               fmt=plistlib.FMT_BINARY)),
        ]
        out = []
        for name, data in files:
            try:
                expected = plistlib.loads(data)
            except Exception:
                expected = None
            out.append((name, data, expected))
        return out

    @staticmethod
    def hostile_files():
        deep = b"<plist><dict><key>k</key>" + b"<array>" * 200000 + b"</array>" * 200000 + b"</dict></plist>"
        return [
            ("deep", deep),
            ("junk", b"\x00\xffjunk"),
            ("empty", b""),
            ("array at top", b"<plist><array/></plist>"),
            ("truncated", b"<plist><dict><key>a</key><string>x"),
        ]

    def kept_somewhere(self, folder, original, expected):
        """The old content is in the file or in a copy kept beside it."""
        for path in glob.glob(os.path.join(folder, f"{DOMAIN}.plist*")):
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    data = f.read()
                if data == original:
                    return True
                try:
                    if expected is not None and path.endswith(".plist"):
                        now = plistlib.loads(data)
                        if all(now.get(k) == v for k, v in expected.items()):
                            return True
                except Exception:
                    pass
        return False

    def hostile_files_under_every_verb(self):
        root = self.device("files")
        prefs = os.path.join(root, PREFS)
        folder = os.path.dirname(prefs)
        verbs = [
            ("prefs", "set", "added", "1"),
            ("prefs", "get", "keep"),
            ("prefs", "dump"),
            ("prefs", "remove", "absent"),
            ("settings", "set", "enableVantorel", "on"),
            ("respring",),
        ]
        if self.short:
            verbs = verbs[:1]
        cases = [(n, d, e) for n, d, e in self.plausible_files()] + \
                [(n, d, None) for n, d in self.hostile_files()]
        for name, data, expected in cases:
            for verb in verbs:
                for stale in glob.glob(os.path.join(folder, f"{DOMAIN}.plist*")):
                    os.remove(stale)
                with open(prefs, "wb") as f:
                    f.write(data)
                result = self.run(root, *verb)
                if result is None:
                    continue
                if expected is not None and not self.kept_somewhere(folder, data, expected):
                    self.tally.add("data lost", f"{name} after {' '.join(verb)}")
                if verb[:2] == ("prefs", "set") and result.returncode == 0:
                    try:
                        with open(prefs, "rb") as f:
                            if plistlib.load(f).get("added") != "1":
                                raise ValueError
                    except Exception:
                        self.tally.add("wrong success reports", f"{name}: set reported success")

    # --- concurrent writers --------------------------------------------------

    def concurrent_writers(self):
        root = self.device("race")
        rounds = 2 if self.short else 10
        writers = 9 if self.short else 27
        for round_ in range(rounds):
            os.remove(os.path.join(root, PREFS)) if os.path.exists(os.path.join(root, PREFS)) else None
            processes = []
            for i in range(writers):
                command = [self.sim_path, "--device", root, "prefs", "set", f"k{i}", f"v{round_}-{i}"]
                processes.append((i, subprocess.Popen(command, stdout=subprocess.DEVNULL,
                                                      stderr=subprocess.PIPE)))
                self.tally.add("inputs tried")
            statuses = {}
            for i, process in processes:
                try:
                    _, err = process.communicate(timeout=TIMEOUT)
                    statuses[i] = (process.returncode, err)
                except subprocess.TimeoutExpired:
                    process.kill()
                    self.tally.add("hangs", f"concurrent set k{i}")
            try:
                with open(os.path.join(root, PREFS), "rb") as f:
                    stored = plistlib.load(f)
            except Exception:
                stored = {}
            for i, (status, err) in statuses.items():
                saved = stored.get(f"k{i}") == f"v{round_}-{i}"
                if not saved:
                    self.tally.add("data lost", f"round {round_}: k{i} lost")
                if (status == 0) != saved:
                    self.tally.add("wrong success reports",
                                   f"round {round_}: k{i} status {status}, saved {saved}")

    # --- killed writers ------------------------------------------------------

    def killed_writers(self):
        root = self.device("kill")
        prefs = os.path.join(root, PREFS)
        with open(prefs, "wb") as f:
            plistlib.dump({"keep": "me", "blob": "x" * 200000}, f)
        for attempt in range(3 if self.short else 40):
            process = subprocess.Popen([self.sim_path, "--device", root, "prefs", "set", "n", str(attempt)],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.tally.add("inputs tried")
            time.sleep(random.uniform(0, 0.05))
            process.send_signal(signal.SIGKILL)
            process.wait()
            try:
                with open(prefs, "rb") as f:
                    if plistlib.load(f).get("keep") != "me":
                        raise ValueError
            except Exception:
                self.tally.add("data lost", f"killed writer {attempt} left a torn file")
        # The next writer clears what the dead ones left.
        self.run(root, "prefs", "set", "after", "1")
        leftovers = [p for p in os.listdir(os.path.dirname(prefs)) if p.startswith(f".{DOMAIN}.plist.")
                     and not p.endswith(".lock")]
        if leftovers:
            self.tally.add("data lost", f"{len(leftovers)} temporary files of killed writers remain")

    # --- respring racing a settings change, and killed ----------------------

    def respring_races(self):
        root = self.device("respring")
        prefs = os.path.join(root, PREFS)
        self.run(root, "prefs", "set", "keep", "1")
        self.run(root, "respring")
        rounds = 1 if self.short else 8
        for round_ in range(rounds):
            value = "on" if round_ % 2 == 0 else "off"
            respring = subprocess.Popen([self.sim_path, "--device", root, "respring"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            change = self.run(root, "settings", "set", "enableChatBlur", value)
            self.tally.add("inputs tried")
            try:
                respring.wait(timeout=TIMEOUT)
            except subprocess.TimeoutExpired:
                respring.kill()
                self.tally.add("hangs", "respring")
            with open(prefs, "rb") as f:
                stored = plistlib.load(f)
            if stored.get("keep") != "1" or "messageDocumentPath" not in stored:
                self.tally.add("data lost", f"respring round {round_}: {sorted(stored)}")
            if change is not None and change.returncode == 0 and stored.get("enableChatBlur") != (value == "on"):
                self.tally.add("wrong success reports", f"settings set during respring round {round_}")
        for attempt in range(2 if self.short else 20):
            process = subprocess.Popen([self.sim_path, "--device", root, "respring"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.tally.add("inputs tried")
            time.sleep(random.uniform(0, 0.3))
            process.send_signal(signal.SIGKILL)
            process.wait()
            try:
                with open(prefs, "rb") as f:
                    if plistlib.load(f).get("keep") != "1":
                        raise ValueError
            except Exception:
                self.tally.add("data lost", f"killed respring {attempt} damaged the settings")

    # --- planted links -------------------------------------------------------

    def planted_links(self):
        cases = [
            (PREFS, ("prefs", "set", "x", "1")),
            (PREFS, ("settings", "set", "enableVantorel", "on")),
            ("Library/MobileSubstrate/DynamicLibraries/Vantorel.dylib", ("init",)),
            ("Library/MobileSubstrate/DynamicLibraries/Vantorel.plist", ("init",)),
            ("var/log/syslog", ("respring",)),
            ("usr/bin/killall", ("init",)),
        ]
        if self.short:
            cases = cases[::2]
        for index, (inside, verb) in enumerate(cases):
            root = self.device(f"link{index}")
            victim = os.path.join(self.outside, f"victim{index}")
            with open(victim, "wb") as f:
                plistlib.dump({"outside": True}, f)
            planted = os.path.join(root, inside)
            if os.path.lexists(planted):
                os.remove(planted)
            os.symlink(victim, planted)
            before = self.outside_snapshot()
            self.run(root, *verb)
            if self.outside_snapshot() != before:
                self.tally.add("writes outside the device", f"{inside} linked out, {' '.join(verb)}")
        # A whole folder linked out of the device.
        for index, folder in enumerate(["var/mobile/Library/Preferences", "var/log"][:1 if self.short else 2]):
            root = self.device(f"folder{index}")
            target = os.path.join(self.outside, f"folder{index}")
            os.makedirs(target)
            shutil.rmtree(os.path.join(root, folder))
            os.symlink(target, os.path.join(root, folder))
            before = set(os.listdir(target))
            self.run(root, "prefs", "set", "x", "1")
            self.run(root, "respring")
            if set(os.listdir(target)) != before:
                self.tally.add("writes outside the device", f"{folder} linked out")
        # An empty device root must not mean "the default device".
        result = self.run("", "prefs", "get", "x")
        if result is not None and result.returncode == 0:
            self.tally.add("wrong success reports", "--device \"\" was accepted")

    # --- ill-formed input and read-only folders ------------------------------

    def ill_formed_input(self):
        root = self.device("input")
        for value in ["a\x01b", "tab\there", "\x1b[31m", "a\udcffb"]:
            try:
                value.encode()
                arg = value
            except UnicodeEncodeError:
                arg = value.encode("utf-8", "surrogateescape")
            result = self.run(root, "prefs", "set", "note", arg)
            if result is None:
                continue
            try:
                with open(os.path.join(root, PREFS), "rb") as f:
                    plistlib.load(f)
            except FileNotFoundError:
                pass
            except Exception:
                self.tally.add("data lost", f"{value!r} made a file plistlib refuses")
                os.remove(os.path.join(root, PREFS))

    def read_only(self):
        if os.geteuid() == 0:
            return
        root = self.device("readonly")
        folder = os.path.dirname(os.path.join(root, PREFS))
        subprocess.run([self.sim_path, "--device", root, "prefs", "set", "keep", "1"], capture_output=True)
        os.chmod(folder, 0o555)
        try:
            for verb in [("prefs", "set", "keep", "2"), ("prefs", "set", "new", "x"),
                         ("settings", "set", "enableVantorel", "on"),
                         ("settings", "set", "enableVantorel", "off")]:
                result = self.run(root, *verb)
                if result is not None and result.returncode == 0:
                    self.tally.add("wrong success reports", f"read-only: {' '.join(verb)} reported success")
        finally:
            os.chmod(folder, 0o755)

    def all(self):
        try:
            for step in [self.hostile_files_under_every_verb, self.concurrent_writers, self.killed_writers,
                         self.respring_races, self.planted_links, self.ill_formed_input, self.read_only]:
                step()
        finally:
            shutil.rmtree(self.base, ignore_errors=True)
        return self.tally


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(args) != 1:
        raise SystemExit(__doc__)
    tally = Probe(os.path.abspath(args[0]), "--short" in sys.argv).all()
    print(tally.table())
    for note in tally.notes[:40]:
        print("  " + note)
    bad = sum(v for k, v in tally.counts.items() if k != "inputs tried")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
