#!/usr/bin/python3
"""Drives vantorel-sim as a hostile or unlucky user would and counts what went
wrong: hostile files under every verb, concurrent writers, killed writers,
planted links, ill-formed input, read-only folders.

    probe.py SIM [--short]      prints the table; exit 1 unless all but the first column are 0

Python's plistlib is the independent judge of what a file holds.
"""
import datetime
import glob
import struct
import zlib
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
NOBODY = 65534
KEPT_LINE = b"kept the old file as "
RAW_CONTROLS = [b"\x1b", b"\x07", "\u202e".encode()]


def png_header(width, height):
    """A PNG whose header claims this size, with no image data worth the name."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"")) + chunk(b"IEND", b""))


def jpeg_header(width, height, components):
    """A JPEG start, a frame header claiming this size and colour model, and its end."""
    frame = struct.pack(">BHHB", 8, height, width, components) + b"".join(
        bytes([i + 1, 0x11, 0]) for i in range(components))
    return b"\xff\xd8\xff\xc0" + struct.pack(">H", len(frame) + 2) + frame + b"\xff\xd9"


class Tally:
    columns = ["inputs tried", "crashes", "hangs", "data lost", "wrong success reports",
               "writes outside the device", "unclear messages"]

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

    def run(self, root, *args, timeout=TIMEOUT, unprivileged=False):
        self.tally.add("inputs tried")
        command = [self.sim_path, "--device", root, *args]
        if unprivileged and os.geteuid() == 0:
            # Root ignores folder permissions: the case runs as a plain user, as on a phone.
            subprocess.run(["chown", "-R", f"{NOBODY}:{NOBODY}", root], check=True)
            os.chmod(self.base, 0o755)
            command = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", *command]
        try:
            result = subprocess.run(command, capture_output=True, timeout=timeout)
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

    def check_kept_reported(self, folder, result, what):
        """Every file kept aside is named on stderr, in one line."""
        for kept in glob.glob(os.path.join(folder, f"{DOMAIN}.plist.unreadable-*")):
            if not any(kept.encode() in line and KEPT_LINE in line for line in result.stderr.splitlines()):
                self.tally.add("unclear messages", f"{what}: {os.path.basename(kept)} kept silently")

    @staticmethod
    def inexact_files():
        """Files whose values libplist does not read as written: a rewrite must keep them or say so."""
        def xml(body):
            return (b'<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>'
                    b"<key>keep</key><string>k</string>" + body + b"</dict></plist>")
        return [
            ("2^70", xml(b"<key>v</key><integer>1180591620717411303424</integer>")),
            ("below -2^64", xml(b"<key>v</key><integer>-99999999999999999999</integer>")),
            ("12abc", xml(b"<key>v</key><integer>12abc</integer>")),
            ("not a date", xml(b"<key>v</key><date>not-a-date</date>")),
            ("year 99999", xml(b"<key>v</key><date>99999-06-01T00:00:00Z</date>")),
            ("lone surrogate", xml(b"<key>v</key><string>&#xD800;</string>")),
            ("binary NUL", plistlib.dumps({"keep": "k", "v": "a\0b"}, fmt=plistlib.FMT_BINARY)),
        ]

    @staticmethod
    def unwritable_but_valid_files():
        """Valid files a writer cannot hold as they are: a save must still succeed."""
        def xml(body, encoding=b"UTF-8"):
            return (b'<?xml version="1.0" encoding="' + encoding + b'"?>\n<plist version="1.0"><dict>'
                    b"<key>keep</key><string>k</string>" + body + b"</dict></plist>")
        return [
            ("latin-1", xml(b"<key>v</key><string>caf\xe9</string>", b"ISO-8859-1")),
            ("infinity", xml(b"<key>v</key><real>inf</real>")),
            ("ESC in a key", xml(b"<key>k&#27;</key><true/>")),
        ]

    def run_on_file(self, root, prefs, data, verb):
        """The settings file (and nothing kept beside it) holds `data`; then `verb` runs."""
        for stale in glob.glob(os.path.join(os.path.dirname(prefs), f"{DOMAIN}.plist*")):
            os.remove(stale)
        with open(prefs, "wb") as f:
            f.write(data)
        return self.run(root, *verb)

    def values_a_writer_cannot_carry(self):
        root = self.device("inexact")
        prefs = os.path.join(root, PREFS)
        folder = os.path.dirname(prefs)
        verbs = [("prefs", "set", "added", "1"), ("settings", "set", "enableVantorel", "on"), ("respring",)]
        if self.short:
            verbs = verbs[:1]
        for name, data in self.inexact_files() + self.unwritable_but_valid_files():
            for verb in verbs:
                result = self.run_on_file(root, prefs, data, verb)
                if result is None:
                    continue
                with open(prefs, "rb") as f:
                    now = f.read()
                kept = any(open(p, "rb").read() == data
                           for p in glob.glob(os.path.join(folder, f"{DOMAIN}.plist.unreadable-*")))
                if now != data and not kept and name in dict(self.inexact_files()):
                    self.tally.add("data lost", f"{name}: rewritten by {' '.join(verb)}, nothing kept")
                if result.returncode != 0:
                    self.tally.add("unclear messages", f"{name}: {' '.join(verb)} refused a valid file: "
                                   f"{result.stderr.decode(errors='replace').strip()[-120:]}")
                self.check_kept_reported(folder, result, f"{name} after {' '.join(verb)}")

    def first_sync_without_a_copy(self):
        """respring must not report success when Messages got no copy."""
        cases = [("read-only Preferences", None),
                 ("Latin-1 file", b'<?xml version="1.0" encoding="ISO-8859-1"?>\n<plist version="1.0"><dict>'
                                  b"<key>v</key><string>caf\xe9</string></dict></plist>")]
        for index, (name, data) in enumerate(cases):
            root = self.device(f"firstsync{index}")
            prefs = os.path.join(root, PREFS)
            folder = os.path.dirname(prefs)
            if data is None:
                with open(prefs, "wb") as f:
                    plistlib.dump({"v": "1"}, f)
                os.chmod(folder, 0o555)
            else:
                with open(prefs, "wb") as f:
                    f.write(data)
            try:
                result = self.run(root, "respring", unprivileged=data is None)
            finally:
                os.chmod(folder, 0o755)
            if result is None:
                continue
            copies = glob.glob(os.path.join(root, "var/mobile/Containers/Data/Application/*/Documents",
                                            f"{DOMAIN}.plist"))
            if result.returncode == 0 and not copies:
                self.tally.add("wrong success reports", f"first sync, {name}: respring exit 0, no copy")

    def copy_that_cannot_be_written(self):
        """respring and settings apply --yes fail when the Messages copy cannot match."""
        root = self.device("copy")
        self.run(root, "prefs", "set", "keep", "1")
        self.run(root, "respring")
        copies = glob.glob(os.path.join(root, "var/mobile/Containers/Data/Application/*/Documents",
                                        f"{DOMAIN}.plist"))
        if not copies:
            return
        copy = copies[0]
        for name in ["directory", "fifo"]:
            os.remove(copy) if os.path.isfile(copy) or os.path.exists(copy) and not os.path.isdir(copy) \
                else (os.rmdir(copy) if os.path.isdir(copy) else None)
            os.mkdir(copy) if name == "directory" else os.mkfifo(copy)
            self.run(root, "prefs", "set", "keep", name)
            for verb in [("respring",), ("settings", "apply", "--yes")]:
                result = self.run(root, *verb)
                if result is not None and result.returncode == 0:
                    self.tally.add("wrong success reports", f"copy is a {name}: {' '.join(verb)} exit 0")
            doctor = self.run(root, "doctor")
            if doctor is not None and b"fix: vantorel-sim respring" in doctor.stdout and b"copy" in doctor.stdout \
                    and b"not a file" not in doctor.stdout:
                self.tally.add("unclear messages", f"doctor suggests respring for a copy that is a {name}")
        os.rmdir(copy) if os.path.isdir(copy) else os.remove(copy)

    def hard_linked_log(self):
        root = self.device("hardlink")
        victim = os.path.join(self.outside, "hardlink-victim")
        with open(victim, "wb") as f:
            f.write(b"outside\n")
        log = os.path.join(root, "var/log/syslog")
        if os.path.exists(log):
            os.remove(log)
        os.link(victim, log)
        before = self.outside_snapshot()
        self.run(root, "respring")
        if self.outside_snapshot() != before:
            self.tally.add("writes outside the device", "var/log/syslog hard-linked out, respring")

    def printed_text(self):
        """Text from files and users reaches the terminal escaped."""
        root = self.device("printed")
        theme = os.path.join(self.base, "evil-theme.plist")
        cases = [
            ({"FormatVersion": 1, "Name": "\x1b]0;owned\x07\u202eevil", "Values": {"accent": "FF0000"}}, "Name"),
            ({"FormatVersion": 1, "Name": "x", "Values": {"accent": "\x1b[2J"}}, "colour"),
            ({"FormatVersion": 1, "Name": "x", "Values": {"\x1b[31mkey": "FF0000"}}, "key"),
        ]
        for content, what in cases:
            with open(theme, "wb") as f:
                plistlib.dump(content, f, fmt=plistlib.FMT_BINARY)
            result = self.run(root, "theme", "import", theme)
            if result is None:
                continue
            if any(raw in result.stdout + result.stderr for raw in RAW_CONTROLS):
                self.tally.add("unclear messages", f"theme import echoed a raw control character ({what})")

    def messages_that_mislead(self):
        root = self.device("messages")
        theme = os.path.join(self.base, "messages-theme.plist")

        def theme_said(content=None, path=theme, raw=None):
            if raw is not None:
                with open(theme, "wb") as f:
                    f.write(raw)
            elif content is not None:
                with open(theme, "wb") as f:
                    plistlib.dump(content, f)
            result = self.run(root, "theme", "import", path)
            return b"" if result is None else result.stderr

        said = theme_said({"FormatVersion": "1", "Name": "x", "Values": {}})
        if b"reads version 1" in said and b"FormatVersion 1 " in said:
            self.tally.add("unclear messages", "FormatVersion \"1\" called unsupported version 1")
        fifo = os.path.join(self.base, "theme-fifo")
        if not os.path.exists(fifo):
            os.mkfifo(fifo)
        for path in [self.base, fifo, "/dev/zero"]:
            if b"no such theme file" in theme_said(path=path):
                self.tally.add("unclear messages", f"{path} called \"no such theme file\"")
        blur = plistlib.dumps({"FormatVersion": 1, "Name": "x", "Values": {"chatBlurStyle": 7}}).replace(
            b"<integer>7</integer>", b"<integer>18446744073709551615</integer>")
        if b"-1 is not" in theme_said(raw=blur):
            self.tally.add("unclear messages", "blur style 2^64-1 shown as -1")
        pictures = [("cmyk", jpeg_header(64, 64, 4)), ("8000 square", png_header(8000, 8000)),
                    ("60000 square", png_header(60000, 60000)), ("65500 JPEG", jpeg_header(65500, 65500, 3))]
        for name, data in pictures:
            picture = os.path.join(self.base, f"picture-{name.replace(' ', '-')}")
            with open(picture, "wb") as f:
                f.write(data)
            result = self.run(root, "photos", "add", picture)
            if result is not None and b"not a JPEG or PNG picture" in result.stderr:
                self.tally.add("unclear messages", f"{name} picture called \"not a JPEG or PNG picture\"")
            # The doctor must not call a picture Messages cannot decode "in place".
            source = os.path.join(root, f"var/mobile/Library/Preferences/{DOMAIN}-chatWallpaper.png")
            with open(source, "wb") as f:
                f.write(data)
            self.run(root, "respring")
            doctor = self.run(root, "doctor")
            if doctor is not None and any(b"chatWallpaper" in line and b"in place" in line
                                          for line in doctor.stdout.splitlines()):
                self.tally.add("unclear messages", f"doctor: {name} wallpaper \"in place\"")
            os.remove(source)

    def loose_ends(self):
        root = self.device("loose")
        for args, what in [(("prefs", "set", "", "v"), "prefs set with an empty key"),
                           (("init", "--conversations", ""), "init --conversations ''"),
                           (("prefs", "get", "c", "--as", "colour", "--default", "notacolour"),
                            "a default that is not a colour")]:
            result = self.run(root, *args)
            if result is not None and result.returncode == 0:
                self.tally.add("wrong success reports", f"{what} accepted")
        bad = os.path.join(self.base, "conversations.plist")
        with open(bad, "wb") as f:
            plistlib.dump({"conversations": [{"name": 5, "messages": "none"}]}, f)
        result = self.run(root, "init", "--conversations", bad)
        if result is not None and result.returncode == 0:
            self.tally.add("wrong success reports", "init --conversations took entries of the wrong type")
            self.run(root, "init", "--conversations", os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                                   "../../sim/conversations/sample.plist"))
        # Two inits at once.
        for trial in range(2 if self.short else 10):
            device = os.path.join(self.base, f"twoinits{trial}")
            runs = [subprocess.Popen([self.sim_path, "--device", device, "init"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL) for _ in range(2)]
            for run in runs:
                self.tally.add("inputs tried")
                try:
                    run.wait(timeout=TIMEOUT)
                except subprocess.TimeoutExpired:
                    run.kill()
                    self.tally.add("hangs", "two inits at once")
            try:
                with open(os.path.join(device, "var/mobile/Library/MobileInstallation/ApplicationRegistry.plist"),
                          "rb") as f:
                    named = {a["DataContainer"].rstrip("/").rsplit("/", 1)[-1]
                             for a in plistlib.load(f)["Applications"] if a.get("DataContainer")}
                made = set(os.listdir(os.path.join(device, "var/mobile/Containers/Data/Application")))
            except Exception:
                continue
            if made != named:
                self.tally.add("data lost", f"two inits at once: {len(made - named)} orphan containers")

    def respring_beside_writers(self):
        """A concurrent writer is waited for, never reported as a broken container."""
        root = self.device("beside")
        self.run(root, "prefs", "set", "keep", "1")
        self.run(root, "respring")
        for round_ in range(2 if self.short else 12):
            writers = [subprocess.Popen([self.sim_path, "--device", root, "prefs", "set", f"w{i}", str(round_)],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) for i in range(3)]
            result = self.run(root, "respring")
            for writer in writers:
                writer.wait(timeout=TIMEOUT)
            if result is not None and result.returncode != 0:
                self.tally.add("unclear messages", f"respring beside writers: "
                               f"{result.stderr.decode(errors='replace').strip()[-120:]}")

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
                result = self.run_on_file(root, prefs, data, verb)
                if result is None:
                    continue
                if expected is not None and not self.kept_somewhere(folder, data, expected):
                    self.tally.add("data lost", f"{name} after {' '.join(verb)}")
                self.check_kept_reported(folder, result, f"{name} after {' '.join(verb)}")
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
        root = self.device("readonly")
        folder = os.path.dirname(os.path.join(root, PREFS))
        subprocess.run([self.sim_path, "--device", root, "prefs", "set", "keep", "1"], capture_output=True)
        os.chmod(folder, 0o555)
        try:
            for verb in [("prefs", "set", "keep", "2"), ("prefs", "set", "new", "x"),
                         ("settings", "set", "enableVantorel", "on"),
                         ("settings", "set", "enableVantorel", "off")]:
                result = self.run(root, *verb, unprivileged=True)
                if result is not None and result.returncode == 0:
                    self.tally.add("wrong success reports", f"read-only: {' '.join(verb)} reported success")
        finally:
            os.chmod(folder, 0o755)

    def all(self):
        try:
            for step in [self.hostile_files_under_every_verb, self.concurrent_writers, self.killed_writers,
                         self.respring_races, self.planted_links, self.ill_formed_input, self.read_only,
                         self.values_a_writer_cannot_carry, self.first_sync_without_a_copy,
                         self.copy_that_cannot_be_written, self.hard_linked_log, self.printed_text,
                         self.messages_that_mislead, self.loose_ends, self.respring_beside_writers]:
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
    for note in tally.notes[:60]:
        print("  " + note)
    bad = sum(v for k, v in tally.counts.items() if k != "inputs tried")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
