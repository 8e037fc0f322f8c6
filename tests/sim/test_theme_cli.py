"""Theme files: export, the validator that guards import, import, diff and the presets."""
import os
import plistlib
import tempfile
import unittest

from simtest import PREFS, SimTestCase
from themetest import DeviceCase, WALLPAPERS, engine_keys, jpeg, png, source_wallpaper

KEYS = engine_keys()


def valid_theme(**values):
    theme = {"FormatVersion": 1, "Name": "Test", "Values": {"accent": "FF9500FF", "enableChatBlur": True,
                                                             "chatBlurStyle": 2}}
    theme["Values"].update(values)
    return theme


class ThemeCase(DeviceCase):
    def theme_file(self, content, raw=None):
        handle, path = tempfile.mkstemp(suffix=".plist", dir=self.root)
        with os.fdopen(handle, "wb") as f:
            f.write(raw if raw is not None else plistlib.dumps(content))
        return path

    def engine_dump(self):
        return [line for line in self.sim("prefs", "dump").splitlines() if line.split(" = ")[0] in KEYS]


class ExportImport(ThemeCase):
    def test_round_trip_to_a_fresh_device_keeps_every_engine_key_and_both_wallpapers(self):
        # Values as the pane writes them: eight-digit hex, booleans, integers.
        for index, (key, kind) in enumerate(sorted(KEYS.items())):
            if kind == "colour":
                self.sim("prefs", "set", key, "%02X%02X%02X%02X" % (index * 3, 255 - index, index, 255 - index))
            elif kind == "boolean":
                self.sim("prefs", "set", key, "yes" if index % 2 else "no", "--type", "bool")
            else:
                self.sim("prefs", "set", key, str(index % 3), "--type", "int")
        self.sim("prefs", "set", "messageDocumentPath", "/somewhere/")
        self.sim("prefs", "set", "paneOnly", "x")
        pictures = {"chatWallpaper": jpeg(os.urandom(3000)), "conversationWallpaper": png(3, 2)}
        for slot, data in pictures.items():
            self.write_bytes(source_wallpaper(slot), data)
        exported = os.path.join(self.root, "mine.plist")
        out = self.sim("theme", "export", exported, "--with-wallpapers", "--author", "Me", "--note", "hello")
        self.assertIn("%d keys, 2 wallpapers" % len(KEYS), out)
        with open(exported, "rb") as f:
            file = plistlib.load(f)
        self.assertEqual(file["FormatVersion"], 1)
        self.assertEqual((file["Name"], file["Author"], file["Note"]), ("mine", "Me", "hello"))
        self.assertIn("Created", file)
        self.assertEqual(set(file["Values"]), set(KEYS))  # device keys and pane keys stay home
        self.assertEqual(file["Wallpapers"], pictures)

        dump = self.engine_dump()
        self.setUp()  # a fresh device
        self.assertEqual(self.engine_dump(), [])
        out = self.sim("theme", "import", exported)
        self.assertIn("respring", out)
        self.assertEqual(self.engine_dump(), dump)
        for slot, data in pictures.items():
            self.assertEqual(self.read_bytes(source_wallpaper(slot)), data)
        self.assertNotIn("messageDocumentPath", self.read_plist())

    def test_export_normalises_what_the_engine_reads_and_leaves_out_what_it_would_misread(self):
        self.sim("prefs", "set", "accent", "#f00")
        self.sim("prefs", "set", "link", "abcdef")
        self.sim("prefs", "set", "red", "orange")             # names stay names: they follow the device
        self.sim("prefs", "set", "enableChatBlur", "1", "--type", "int")
        self.sim("prefs", "set", "chatBlurStyle", "2.0", "--type", "float")
        self.sim("prefs", "set", "green", "0xff0000")         # the codec reads a transparent green
        self.sim("prefs", "set", "conversationBlurStyle", "9", "--type", "int")
        path = os.path.join(self.root, "t.plist")
        result = self.run_sim("theme", "export", path)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("left out: green", result.stderr)
        self.assertIn("left out: conversationBlurStyle", result.stderr)
        with open(path, "rb") as f:
            values = plistlib.load(f)["Values"]
        self.assertEqual(values, {"accent": "FF0000FF", "link": "ABCDEFFF", "red": "orange",
                                  "enableChatBlur": True, "chatBlurStyle": 2})
        # What it wrote is a theme the validator accepts.
        self.sim("theme", "import", path)

    def test_export_refuses_a_file_too_large_to_read_back(self):
        self.write_bytes(source_wallpaper("chatWallpaper"), jpeg(b"\x01" * 5_000_000))
        self.write_bytes(source_wallpaper("conversationWallpaper"), jpeg(b"\x02" * 5_000_000))
        path = os.path.join(self.root, "big.plist")
        self.assertIn("leave the wallpapers out", self.sim_fails("theme", "export", path, "--with-wallpapers"))
        self.assertFalse(os.path.exists(path))
        self.sim("theme", "export", path)

    def test_merge_keeps_other_keys_and_replace_clears_only_the_engines(self):
        self.sim("prefs", "set", "link", "00FF00FF")
        self.sim("prefs", "set", "paneOnly", "kept")
        self.sim("respring")
        self.sim("respring")  # the second respring copies into the remembered container
        self.assertEqual(self.read_plist(self.copy_path())["link"], "00FF00FF")
        theme = self.theme_file(valid_theme())
        self.sim("theme", "import", theme)
        stored = self.read_plist()
        self.assertEqual(stored["link"], "00FF00FF")
        self.assertEqual(stored["accent"], "FF9500FF")

        out = self.sim("theme", "import", theme, "--replace")
        stored = self.read_plist()
        self.assertNotIn("link", stored)
        self.assertEqual(stored["paneOnly"], "kept")
        self.assertIn("messageDocumentPath", stored)
        self.assertEqual({k: stored[k] for k in ("accent", "enableChatBlur", "chatBlurStyle")},
                         valid_theme()["Values"])
        # The sync only adds: the cleared key leaves Messages' copy here.
        self.assertIn("removed from Messages' copy too", out)
        self.assertNotIn("link", self.read_plist(self.copy_path()))
        self.assertIn("1 removed", out)

    def test_import_refuses_to_overwrite_a_preference_file_it_cannot_read(self):
        with open(self.path(PREFS), "wb") as f:
            f.write(b"bplist00 not really")
        before = self.read_bytes(PREFS)
        self.assertIn("cannot be read", self.sim_fails("theme", "import", self.theme_file(valid_theme())))
        self.assertEqual(self.read_bytes(PREFS), before)

    def test_a_theme_that_switches_a_wallpaper_on_without_one_says_so(self):
        out = self.sim("theme", "import", self.theme_file(valid_theme(enableChatWallpaper=True)))
        self.assertIn("enableChatWallpaper on but carries no picture", out)


class Validator(ThemeCase):
    REFUSALS = [
        ("version 2", lambda t: t.update(FormatVersion=2), "FormatVersion 2 is not supported"),
        ("version as text", lambda t: t.update(FormatVersion="1"), "FormatVersion must be the integer 1, not the text '1'"),
        ("no version", lambda t: t.pop("FormatVersion"), "no FormatVersion"),
        ("no name", lambda t: t.pop("Name"), "no Name"),
        ("empty name", lambda t: t.update(Name=""), "no Name"),
        ("author not text", lambda t: t.update(Author=3), "Author is not text"),
        ("created not a date", lambda t: t.update(Created="yesterday"), "Created is not a date"),
        ("unknown field", lambda t: t.update(Colours={}), "unknown field 'Colours'"),
        ("no values", lambda t: t.pop("Values"), "no Values"),
        ("values not a dictionary", lambda t: t.update(Values=["accent"]), "Values is not a dictionary"),
        ("unknown key", lambda t: t["Values"].update(acent="FF0000FF"), "unknown key 'acent'"),
        ("device key", lambda t: t["Values"].update(messageDocumentPath="/x/"), "unknown key 'messageDocumentPath'"),
        ("colour as number", lambda t: t["Values"].update(link=16711935), "link: an integer is not a colour"),
        ("colour prefixed 0x", lambda t: t["Values"].update(link="0xff0000"), "'0xff0000' is not a colour"),
        ("colour of five digits", lambda t: t["Values"].update(link="12345"), "'12345' is not a colour"),
        ("colour not hex", lambda t: t["Values"].update(link="ggg"), "'ggg' is not a colour"),
        ("colour name in capitals", lambda t: t["Values"].update(link="Red"), "'Red' is not a colour"),
        ("switch as text", lambda t: t["Values"].update(enableChatBlur="yes"), "enableChatBlur: the text 'yes'"),
        ("switch as integer", lambda t: t["Values"].update(enableChatBlur=1), "enableChatBlur: an integer"),
        ("blur style 3", lambda t: t["Values"].update(chatBlurStyle=3), "chatBlurStyle: 3 is not a blur style"),
        ("blur style -1", lambda t: t["Values"].update(chatBlurStyle=-1), "chatBlurStyle: -1 is not a blur style"),
        ("blur style real", lambda t: t["Values"].update(chatBlurStyle=1.0), "chatBlurStyle: a real number"),
        ("wallpapers not a dictionary", lambda t: t.update(Wallpapers=b"x"), "Wallpapers is not a dictionary"),
        ("unknown wallpaper", lambda t: t.update(Wallpapers={"lockWallpaper": jpeg()}), "unknown wallpaper"),
        ("wallpaper not data", lambda t: t.update(Wallpapers={"chatWallpaper": "x"}), "chatWallpaper is not data"),
        ("jpeg cut short", lambda t: t.update(Wallpapers={"chatWallpaper": jpeg()[:-2]}), "end marker"),
        ("png cut short", lambda t: t.update(Wallpapers={"chatWallpaper": png()[:-12]}), "end chunk"),
        ("png without header", lambda t: t.update(Wallpapers={"chatWallpaper": png()[:8] + png()[33:]}),
         "header chunk"),
        ("png of no pixels", lambda t: t.update(Wallpapers={"conversationWallpaper": png(0, 1)}), "no pixels"),
        ("not a picture", lambda t: t.update(Wallpapers={"chatWallpaper": b"GIF89a" + bytes(40)}),
         "neither JPEG nor PNG"),
        ("empty picture", lambda t: t.update(Wallpapers={"chatWallpaper": b""}), "empty"),
    ]

    def setUp(self):
        super().setUp()
        self.sim("prefs", "set", "accent", "123456FF")
        self.write_bytes(source_wallpaper("chatWallpaper"), jpeg(b"old"))
        self.before = (self.read_bytes(PREFS), self.read_bytes(source_wallpaper("chatWallpaper")))

    def assertRefused(self, path, *expected):
        for verb in (["import", path], ["import", path, "--replace"], ["diff", path]):
            result = self.run_status("theme", *verb)
            self.assertEqual(result.returncode, 2, (verb, result.stdout, result.stderr))
            lines = result.stderr.splitlines()
            for text in expected:
                self.assertEqual(len([line for line in lines if text in line]), 1, (text, lines))
            self.assertIn("nothing written", lines[-1])
            self.assertEqual((self.read_bytes(PREFS), self.read_bytes(source_wallpaper("chatWallpaper"))),
                             self.before)

    def test_each_refusal_names_its_problem_and_writes_nothing(self):
        for name, change, expected in self.REFUSALS:
            with self.subTest(name):
                theme = valid_theme()
                theme["Wallpapers"] = {"conversationWallpaper": png()}
                change(theme)
                self.assertRefused(self.theme_file(theme), expected)

    def test_every_problem_of_one_file_gets_its_own_line(self):
        theme = valid_theme(acent="1", link=5, chatBlurStyle=3)
        theme["FormatVersion"] = 7
        theme["Wallpapers"] = {"chatWallpaper": b"junk"}
        self.assertRefused(self.theme_file(theme), "FormatVersion 7", "unknown key 'acent'", "link: an integer",
                           "chatBlurStyle: 3", "chatWallpaper is not a picture")
        result = self.run_status("theme", "import", self.theme_file(theme))
        self.assertIn("5 problems", result.stderr)

    def test_files_that_are_no_theme_at_all(self):
        self.assertRefused(self.theme_file(None, raw=b"just some words"), "not a property list")
        self.assertRefused(self.theme_file(None, raw=plistlib.dumps(["a"])), "does not hold a dictionary")
        self.assertIn("no such theme file", self.sim_fails("theme", "import", os.path.join(self.root, "none")))

    def test_every_accepted_spelling_imports(self):
        values = {"accent": "#abc", "link": "a1b2c3", "red": "default", "yellow": "#FFCC00#", "green": "00ff0080",
                  "enableChatBlur": False, "chatBlurStyle": 0, "conversationBlurStyle": 2}
        self.sim("theme", "import", self.theme_file(valid_theme(**values)))
        stored = self.read_plist()
        self.assertEqual({k: stored[k] for k in values}, values)


class Diff(ThemeCase):
    def test_shows_each_change_key_by_key(self):
        self.sim("prefs", "set", "accent", "ff9500")
        self.sim("prefs", "set", "link", "00FF00FF")
        self.sim("prefs", "set", "chatBlurStyle", "1", "--type", "int")
        self.write_bytes(source_wallpaper("chatWallpaper"), jpeg(b"old"))
        theme = valid_theme(red="FF0000FF")
        theme["Wallpapers"] = {"chatWallpaper": jpeg(b"newer")}
        path = self.theme_file(theme)
        before = self.read_bytes(PREFS)
        lines = self.sim("theme", "diff", path).splitlines()
        self.assertEqual(sorted(lines), sorted([
            "enableChatBlur: (not set) -> true",
            "chatBlurStyle: 1 -> 2",
            "accent: ff9500 -> FF9500FF (same value, other spelling)",
            "red: (not set) -> FF0000FF",
            "chatWallpaper: %d bytes -> %d bytes" % (len(jpeg(b"old")), len(jpeg(b"newer"))),
        ]))
        self.assertIn("link: 00FF00FF -> (not set)", self.sim("theme", "diff", path, "--replace"))
        self.assertEqual(self.read_bytes(PREFS), before)  # diff writes nothing
        self.sim("theme", "import", path)
        self.assertEqual(self.sim("theme", "diff", path), "no change\n")


class Presets(ThemeCase):
    def test_presets_are_listed_valid_and_readable(self):
        listed = [line.split()[0] for line in self.sim("theme", "presets").splitlines()]
        self.assertGreaterEqual(len(listed), 3)
        for preset in ("dark", "paper", "high-contrast"):
            self.assertIn(preset, listed)
        folder = os.path.join(os.path.dirname(__file__), "..", "..", "sim", "themes")
        for preset in listed:
            with self.subTest(preset):
                self.setUp()
                self.sim("theme", "apply", preset, "--replace")  # checked by the import's validator
                with open(os.path.join(folder, preset + ".plist"), "rb") as f:
                    values = plistlib.load(f)["Values"]
                stored = self.read_plist()
                self.assertEqual({k: stored[k] for k in values}, values)
                # Every colour key is set: a preset does not inherit the user's leftovers.
                self.assertEqual({k for k, kind in KEYS.items() if kind == "colour"} - set(values), set())
                # Each preset is made for one look: there even the status bar's text reads on its bar,
                # which keeps the app's style whatever the theme; in the other look only that pair may fail.
                passed = []
                for look in ("light", "dark"):
                    result = self.run_status("--appearance", look, "contrast", "--strict")
                    passed.append(result.returncode == 0)
                    under = [line.split(" on ")[0] for line in result.stdout.splitlines()
                             if " on " in line and float(line.split()[3]) < 4.5]
                    self.assertIn(under, ([], ["statusBarText"]), result.stdout)
                self.assertTrue(any(passed))

    def test_an_unknown_preset_is_named_with_the_known_ones(self):
        message = self.sim_fails("theme", "apply", "neon")
        self.assertIn("no preset 'neon'", message)
        self.assertIn("dark", message)
        self.assertIn("no preset", self.sim_fails("theme", "apply", "../themes/dark"))


if __name__ == "__main__":
    unittest.main()
