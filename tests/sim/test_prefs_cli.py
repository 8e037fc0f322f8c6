"""The preference store and the colour codec, seen from outside through vantorel-sim."""
import datetime
import os
import plistlib
import shutil
import subprocess
import tempfile
import unittest

from simtest import PREFS, SIM, SimTestCase


class PrefsVerbs(SimTestCase):
    def test_typed_values_are_written_as_plistlib_reads_them(self):
        self.sim("prefs", "set", "accent", "ff9500")
        self.sim("prefs", "set", "enableVantorel", "no", "--type", "bool")
        self.sim("prefs", "set", "chatBlurStyle", "-3", "--type", "int")
        self.sim("prefs", "set", "big", "9000000000", "--type", "integer")
        self.sim("prefs", "set", "ratio", "0.5", "--type", "float")
        self.assertEqual(self.read_plist(), {
            "accent": "ff9500", "enableVantorel": False, "chatBlurStyle": -3,
            "big": 9000000000, "ratio": 0.5})

    def test_getters_read_what_plistlib_wrote_in_either_format(self):
        for fmt in (plistlib.FMT_XML, plistlib.FMT_BINARY):
            self.write_plist({
                "wrapped": 2**32 + 1, "allOnes": 2**32 - 1, "negative": -5, "real": 2.7,
                "zero": 0.0, "off": False, "name": "Ünïcode ✓", "colour": "#0f0",
                "when": datetime.datetime(2020, 1, 2, 3, 4, 5), "blob": b"\x00\x01",
                "nested": {"list": [1, "two", 3.0]}}, fmt=fmt)
            self.assertEqual(self.sim("prefs", "get", "wrapped", "--as", "integer"), "1\n")
            self.assertEqual(self.sim("prefs", "get", "allOnes", "--as", "integer"), "-1\n")
            self.assertEqual(self.sim("prefs", "get", "negative", "--as", "int"), "-5\n")
            self.assertEqual(self.sim("prefs", "get", "real", "--as", "int"), "2\n")
            self.assertEqual(self.sim("prefs", "get", "zero", "--as", "float", "--default", "4.5"), "4.5\n")
            self.assertEqual(self.sim("prefs", "get", "off", "--as", "bool", "--default", "yes"), "false\n")
            self.assertEqual(self.sim("prefs", "get", "name"), "Ünïcode ✓\n")
            self.assertEqual(self.sim("prefs", "get", "colour", "--as", "colour"), "00FF00FF\n")
            self.assertEqual(self.sim("prefs", "get", "missing", "--as", "colour"), "000000FF\n")
            self.assertEqual(self.sim("prefs", "get", "missing"), "(null)\n")
            # A write keeps every other key, whatever plistlib put there.
            self.sim("prefs", "set", "added", "x")
            after = self.read_plist()
            self.assertEqual(after["when"], datetime.datetime(2020, 1, 2, 3, 4, 5))
            self.assertEqual(after["blob"], b"\x00\x01")
            self.assertEqual(after["nested"], {"list": [1, "two", 3.0]})
            self.assertEqual(after["wrapped"], 2**32 + 1)

    def test_remove_and_dump(self):
        self.sim("prefs", "set", "a", "1")
        self.sim("prefs", "set", "b", "true", "--type", "bool")
        self.sim("prefs", "remove", "a")
        self.sim("prefs", "remove", "never-there")
        self.assertEqual(self.read_plist(), {"b": True})
        self.assertEqual(self.sim("prefs", "dump"), "b = true\n")

    def test_hostile_files_read_as_empty(self):
        with open(self.path(PREFS), "w") as f:
            f.write("<plist>" + "<array>" * 200000)
        self.assertEqual(self.sim("prefs", "get", "enableVantorel", "--as", "bool", "--default", "yes"), "true\n")
        with open(self.path(PREFS), "wb") as f:
            f.write(b"bplist00" + os.urandom(300))
        self.assertEqual(self.sim("prefs", "get", "x", "--as", "int", "--default", "7"), "7\n")

    def test_bad_input_gets_one_line_and_status_2(self):
        self.sim_fails("prefs", "set", "k", "maybe", "--type", "bool")
        self.sim_fails("prefs", "set", "k", "4294967296", "--type", "int")
        self.sim_fails("prefs", "set", "k", "1e999", "--type", "float")
        self.sim_fails("prefs", "get", "k", "--as", "shape")
        self.sim_fails("prefs", "frobnicate")
        self.assertIn("unknown verb", self.sim_fails("frobnicate"))
        self.sim_fails("prefs", "get", "k", "--as", "int", "--default", "x")
        missing = os.path.join(self.root, "nowhere")
        result = self.run_sim("--device", missing, "prefs", "get", "k", device=False)
        self.assertEqual(result.returncode, 2)
        self.assertIn("no simulated device", result.stderr)


class SafeFiles(SimTestCase):
    def test_unreadable_files_are_explained_and_kept_before_a_write(self):
        junk = b"<plist><dict><key>a</key><string>cut"
        with open(self.path(PREFS), "wb") as f:
            f.write(junk)
        result = self.run_sim("prefs", "get", "a")
        self.assertEqual((result.returncode, result.stdout), (0, "(null)\n"))
        self.assertIn("cannot read", result.stderr)
        self.sim("prefs", "set", "b", "1")
        self.assertEqual(self.read_plist(), {"b": "1"})
        folder = os.path.dirname(self.path(PREFS))
        kept = [n for n in os.listdir(folder) if ".unreadable-" in n]
        self.assertEqual(len(kept), 1)
        with open(os.path.join(folder, kept[0]), "rb") as f:
            self.assertEqual(f.read(), junk)

    def test_text_a_file_cannot_hold_is_refused(self):
        self.sim("prefs", "set", "keep", "1")
        for value in ["a\x01b", "\x1b[31m", "cr\rlf"]:
            self.assertIn("control character", self.sim_fails("prefs", "set", "note", value))
        result = self.run_sim("prefs", "set", "note", b"a\xffb")
        self.assertEqual(result.returncode, 2)
        self.assertIn("not valid UTF-8", result.stderr)
        self.sim_fails("prefs", "set", "k\x07", "x")
        self.assertEqual(self.read_plist(), {"keep": "1"})
        self.sim("prefs", "set", "tabbed", "a\tb")

    def test_concurrent_writers_lose_nothing(self):
        processes = [subprocess.Popen([SIM, "--device", self.root, "prefs", "set", f"k{i}", str(i)],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) for i in range(12)]
        self.assertEqual([p.wait() for p in processes], [0] * 12)
        self.assertEqual(self.read_plist(), {f"k{i}": str(i) for i in range(12)})

    def test_links_planted_in_the_device_never_lead_out(self):
        outside = tempfile.mkdtemp(prefix="vantorel-outside-")
        self.addCleanup(shutil.rmtree, outside, ignore_errors=True)
        victim = os.path.join(outside, "victim")
        with open(victim, "wb") as f:
            f.write(b"outside")
        library = self.path("Library/MobileSubstrate/DynamicLibraries/Vantorel.dylib")
        for planted in (self.path(PREFS), library, self.path("var/log/syslog")):
            if os.path.lexists(planted):
                os.remove(planted)
            os.symlink(victim, planted)
        # The link resolves inside the device, where its folder does not exist.
        self.assertIn(self.run_sim("prefs", "set", "x", "1").returncode, (0, 2))
        self.sim("init")
        self.sim("respring")
        with open(victim, "rb") as f:
            self.assertEqual(f.read(), b"outside")
        self.assertFalse(os.path.islink(library))
        killall = self.path("usr/bin/killall")
        self.assertFalse(os.path.islink(killall))
        self.assertTrue(os.access(killall, os.X_OK))

    def test_an_empty_or_root_device_is_refused(self):
        for root in ("", "/"):
            result = self.run_sim("--device", root, "prefs", "get", "x", device=False)
            self.assertEqual(result.returncode, 2, root)


class ColourVerb(SimTestCase):
    def parse(self, text, variant="engine"):
        return self.sim("colour", "parse", text, "--variant", variant).split()

    def test_four_channel_and_six_digit_parses(self):
        self.assertEqual(self.parse("0xFF0000")[4], "00FF0000")
        self.assertEqual(self.parse("#fff")[4], "FFFFFFFF")
        self.assertEqual(self.parse("ff000080")[:4], ["1.000000", "0.000000", "0.000000", "0.501961"])
        self.assertEqual(self.parse("blue")[4], "0A85FFFF")
        self.assertEqual(self.parse("blue", "pane")[4], "007AFFFF")
        self.assertEqual(self.parse("#FF0000", "link")[4], "808080FF")
        self.assertEqual(self.parse(" ff0000 ", "link")[4], "FF0000FF")

    def test_bad_variant(self):
        self.sim_fails("colour", "parse", "fff", "--variant", "mauve")


if __name__ == "__main__":
    unittest.main()
