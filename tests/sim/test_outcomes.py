"""What a verb reports is what happened: exit statuses, kept-aside files,
escaped text and messages that name the real fault."""
import glob
import os
import plistlib
import stat
import struct
import subprocess
import unittest
import zlib

from simtest import PREFS, SIM, SimTestCase

NAME = "com.tavq.vantorelprefs.plist"
REGISTRY = "var/mobile/Library/MobileInstallation/ApplicationRegistry.plist"


def xml(body):
    return (b'<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>'
            b"<key>keep</key><string>k</string>" + body + b"</dict></plist>\n")


def png_header(width, height):
    """A PNG signature and header chunk claiming this size, with an empty image and its end."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"")) + chunk(b"IEND", b""))


class OutcomeCase(SimTestCase):
    def messages_documents(self):
        with open(self.path(REGISTRY), "rb") as f:
            apps = plistlib.load(f)["Applications"]
        container = next(a["DataContainer"] for a in apps if a["BundleIdentifier"] == "com.apple.MobileSMS")
        return self.path(container + "Documents/")

    def kept_files(self):
        return glob.glob(self.path(PREFS) + ".unreadable-*")

    def write_raw(self, data, device_path=PREFS):
        with open(self.path(device_path), "wb") as f:
            f.write(data)


class ExitStatusTests(OutcomeCase):
    def test_a_first_sync_that_cannot_record_the_container_is_not_success(self):
        self.sim("prefs", "set", "keep", "1")
        folder = os.path.dirname(self.path(PREFS))
        os.chmod(folder, 0o555)
        try:
            result = self.run_sim_unprivileged("respring")
        finally:
            os.chmod(folder, 0o755)
        self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
        self.assertNotIn("respring finished", result.stdout)
        self.assertIn("not writable", result.stderr)

    def test_a_copy_that_cannot_be_written_fails_respring_and_apply(self):
        self.sim("prefs", "set", "keep", "1")
        self.sim("respring")
        copy = os.path.join(self.messages_documents(), NAME)
        for make in (os.mkdir, os.mkfifo):
            os.remove(copy) if os.path.isfile(copy) or stat.S_ISFIFO(os.lstat(copy).st_mode) else os.rmdir(copy)
            make(copy)
            self.sim("prefs", "set", "keep", make.__name__)
            for verb in (("respring",), ("settings", "apply", "--yes")):
                result = self.run_sim(*verb)
                self.assertEqual(result.returncode, 1, f"{make.__name__} {verb}: {result.stderr}")
                self.assertIn("not a regular file", result.stderr)
            doctor = self.run_sim("doctor")
            self.assertIn("fix: remove " + copy, doctor.stdout)
        os.rmdir(copy) if os.path.isdir(copy) else os.remove(copy)
        self.assertEqual(self.run_sim("settings", "apply", "--yes").returncode, 0)

    def test_a_latin1_file_is_read_as_declared_and_synced(self):
        self.write_raw(b'<?xml version="1.0" encoding="ISO-8859-1"?>\n<plist version="1.0"><dict>'
                       b"<key>note</key><string>caf\xe9</string></dict></plist>")
        self.assertEqual(self.sim("prefs", "get", "note"), "caf\u00e9\n")
        self.sim("respring")
        with open(os.path.join(self.messages_documents(), NAME), "rb") as f:
            self.assertEqual(plistlib.load(f)["note"], "caf\u00e9")
        self.sim("prefs", "set", "other", "1")
        self.assertEqual(self.read_plist()["note"], "caf\u00e9")
        self.assertEqual(self.kept_files(), [])


class NoSilentChangeTests(OutcomeCase):
    INEXACT = {
        "2^70": b"<key>n</key><integer>1180591620717411303424</integer>",
        "huge negative": b"<key>n</key><integer>-99999999999999999999</integer>",
        "trailing text": b"<key>n</key><integer>12abc</integer>",
        "not a date": b"<key>d</key><date>not-a-date</date>",
        "year 99999": b"<key>d</key><date>99999-01-01T00:00:00Z</date>",
        "lone surrogate": b"<key>s</key><string>&#xD800;</string>",
    }

    def assert_kept_and_told(self, original, stderr, what):
        kept = self.kept_files()
        self.assertEqual(len(kept), 1, what)
        with open(kept[0], "rb") as f:
            self.assertEqual(f.read(), original, what)
        lines = [line for line in stderr.splitlines() if "kept the old file as" in line]
        self.assertEqual(len(lines), 1, f"{what}: {stderr}")
        self.assertIn(kept[0], lines[0])

    def test_every_writer_keeps_aside_values_it_would_change(self):
        binary_nul = plistlib.dumps({"keep": "k", "s": "a\0b"}, fmt=plistlib.FMT_BINARY)
        cases = [(name, xml(body)) for name, body in self.INEXACT.items()] + [("binary NUL", binary_nul)]
        verbs = [("prefs", "set", "added", "1"), ("settings", "set", "enableVantorel", "on"), ("respring",)]
        for index, (name, original) in enumerate(cases):
            verb = verbs[index % len(verbs)]
            for old in self.kept_files():
                os.remove(old)
            self.write_raw(original)
            result = self.run_sim(*verb)
            self.assertEqual(result.returncode, 0, f"{name} {verb}: {result.stderr}")
            self.assert_kept_and_told(original, result.stderr, f"{name} {verb}")
            self.assertEqual(self.read_plist()["keep"], "k")

    def test_values_no_file_can_hold_do_not_block_saves(self):
        for name, body in [("infinity", b"<key>r</key><real>inf</real>"),
                           ("escape in a key", b"<key>k&#27;</key><true/>")]:
            for old in self.kept_files():
                os.remove(old)
            original = xml(body)
            self.write_raw(original)
            result = self.run_sim("prefs", "set", "added", "1")
            self.assertEqual(result.returncode, 0, f"{name}: {result.stderr}")
            self.assertEqual(self.read_plist()["added"], "1")
            self.assertNotIn("\x1b", result.stderr)
        self.assert_kept_and_told(original, result.stderr, "escape in a key")

    def test_an_unreadable_file_is_reported_and_kept_aside(self):
        self.write_raw(b"not a property list")
        result = self.run_sim("respring")
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertIn("Messages keeps its last copy", result.stderr)
        result = self.run_sim("settings", "set", "enableVantorel", "on")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assert_kept_and_told(b"not a property list", result.stderr, "junk")


class PrintedTextTests(OutcomeCase):
    def test_theme_text_and_error_lines_are_escaped(self):
        theme = os.path.join(self.root, "evil.plist")
        # Binary: XML cannot hold these characters.
        with open(theme, "wb") as f:
            plistlib.dump({"FormatVersion": 1, "Name": "\x1b[31mred\x07\u202eevil", "Values": {"accent": "FF0000"}},
                          f, fmt=plistlib.FMT_BINARY)
        result = self.run_sim("theme", "import", theme)
        self.assertEqual(result.returncode, 0, result.stderr)
        for raw in ("\x1b", "\x07", "\u202e"):
            self.assertNotIn(raw, result.stdout)
        self.assertIn("\\e[31mred\\x07\\u{202E}evil", result.stdout)
        with open(theme, "wb") as f:
            plistlib.dump({"FormatVersion": 1, "Name": "x", "Values": {"accent": "\x1b[2J"}}, f,
                          fmt=plistlib.FMT_BINARY)
        result = self.run_sim("theme", "import", theme)
        self.assertEqual(result.returncode, 2)
        self.assertNotIn("\x1b", result.stderr)


class MessageTests(OutcomeCase):
    def test_messages_name_the_real_fault(self):
        theme = os.path.join(self.root, "theme.plist")
        with open(theme, "wb") as f:
            plistlib.dump({"FormatVersion": "1", "Name": "x", "Values": {}}, f)
        said = self.run_sim("theme", "import", theme).stderr
        self.assertIn("must be the integer 1, not the text '1'", said)
        os.mkfifo(os.path.join(self.root, "fifo"))
        for path, expected in [(self.root, "is a folder"), (os.path.join(self.root, "fifo"), "not a regular file"),
                               ("/dev/zero", "not a regular file"), (os.path.join(self.root, "none"), "no such")]:
            self.assertIn(expected, self.sim_fails("theme", "import", path), path)
        with open(theme, "wb") as f:
            f.write(plistlib.dumps({"FormatVersion": 1, "Name": "x", "Values": {"chatBlurStyle": 1}})
                    .replace(b"<integer>1</integer>\n\t</dict>", b"<integer>18446744073709551615</integer>\n\t</dict>"))
        said = self.run_sim("theme", "import", theme).stderr
        self.assertIn("18446744073709551615 is not a blur style", said)
        self.assertNotIn("-1 is not", said)

    def test_ill_formed_arguments_are_refused(self):
        self.sim_fails("prefs", "set", "", "v")
        self.sim_fails("init", "--conversations", "")
        self.sim_fails("prefs", "get", "c", "--as", "colour", "--default", "notacolour")
        self.assertEqual(self.sim("prefs", "get", "c", "--as", "colour", "--default", "FF0000"), "FF0000FF\n")
        bad = os.path.join(self.root, "conversations.plist")
        with open(bad, "wb") as f:
            plistlib.dump({"conversations": [{"name": 5, "messages": "none"}]}, f)
        self.sim_fails("init", "--conversations", bad)

    def test_pictures_messages_cannot_decode_are_named(self):
        self.sim("prefs", "set", "keep", "1")
        self.sim("respring")
        for width, height, expected in [(60000, 60000, "over what Messages decodes"),
                                        (8000, 8000, "over what Messages decodes"),
                                        (40, 40, "cannot be decoded")]:
            data = png_header(width, height)
            source = "var/mobile/Library/Preferences/com.tavq.vantorelprefs-chatWallpaper.png"
            self.write_raw(data, source)
            self.sim("respring")
            doctor = self.run_sim("doctor").stdout
            line = next(l for l in doctor.splitlines() if "chatWallpaper" in l)
            self.assertNotIn("in place", line)
            self.assertIn(expected, line)
            picture = os.path.join(self.root, "big.png")
            with open(picture, "wb") as f:
                f.write(data)
            self.assertIn(expected, self.sim_fails("photos", "add", picture))


class ConcurrentInitTests(unittest.TestCase):
    def test_two_inits_at_once_leave_no_orphan_container(self):
        import shutil
        import tempfile
        root = tempfile.mkdtemp(prefix="vantorel-sim-test-")
        self.addCleanup(shutil.rmtree, root, ignore_errors=True)
        for trial in range(3):
            device = os.path.join(root, str(trial))
            runs = [subprocess.Popen([SIM, "--device", device, "init"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.PIPE) for _ in range(2)]
            for run in runs:
                _, err = run.communicate(timeout=120)
                self.assertEqual(run.returncode, 0, err)
            with open(os.path.join(device, REGISTRY), "rb") as f:
                named = {a["DataContainer"].rstrip("/").rsplit("/", 1)[-1]
                         for a in plistlib.load(f)["Applications"] if a.get("DataContainer")}
            made = set(os.listdir(os.path.join(device, "var/mobile/Containers/Data/Application")))
            self.assertEqual(made, named, trial)


if __name__ == "__main__":
    unittest.main()
