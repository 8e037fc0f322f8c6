"""The preference store and the colour codec, seen from outside through vantorel-sim."""
import datetime
import os
import plistlib
import unittest

from simtest import PREFS, SimTestCase


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
