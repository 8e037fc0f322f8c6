"""The engine's colour overrides, as a real Messages process loaded by the tweak loader answers them."""
import os
import plistlib
import subprocess
import unittest

from simtest import SIM, SimTestCase

FILTER = "Library/MobileSubstrate/DynamicLibraries/Vantorel.plist"
LIBRARY = "Library/MobileSubstrate/DynamicLibraries/Vantorel.dylib"
REGISTRY = "var/mobile/Library/MobileInstallation/ApplicationRegistry.plist"
TARGET_NAME = "com.tavq.vantorelprefs.plist"

# Selector -> preference key, as Messages asks for them (single colours).
UICOLOR_KEYS = {
    "labelColor": "primarylabel",
    "secondaryLabelColor": "secondarylabel",
    "tertiaryLabelColor": "tertiarylabel",
    "quaternaryLabelColor": "quaternarylabel",
    "linkColor": "link",
    "separatorColor": "separator",
    "systemBlueColor": "accent",
    "systemYellowColor": "yellow",
    "systemRedColor": "red",
    "systemIndigoColor": "indigo",
    "systemGreenColor": "green",
    "systemBackgroundColor": "primaryBackground",
    "systemGroupedBackgroundColor": "primaryBackground",
    "groupTableViewBackgroundColor": "primaryBackground",
    "secondarySystemBackgroundColor": "secondaryBackground",
    "tertiarySystemBackgroundColor": "tertiaryBackground",
    "secondarySystemGroupedBackgroundColor": "cell",
    "tableCellPlainBackgroundColor": "cell",
    "tableCellGroupedBackgroundColor": "cell",
}
THEME_KEYS = {
    "primaryLabelColor": "chatTitleName",
    "conversationListBackgroundColor": "conversationBackground",
    "conversationListCellColor": "conversationCellBackground",
    "grayTextColor": "conversationSummary",
    "conversationListSenderColor": "conversationName",
    "green_sendButtonColor": "smssendbutton",
    "blue_sendButtonColor": "imessagesendbutton",
    "blue_balloonTextColor": "imessagetext",
    "green_balloonTextColor": "smstext",
    "gray_balloonTextColor": "incomingtext",
    "entryFieldTextColor": "chatEntryFieldText",
    "messageAcknowledgmentPickerBackgroundColor": "menuReactionBackground",
    "messageAcknowledgmentGrayColor": "menuReactionIcon",
    "entryFieldPlaceholderTextColor": "chatEntryFieldTextPlaceholder",
}
BALLOON_KEYS = {
    "blue_balloonColors": ("imessagebubblegradient1", "imessagebubblegradient2"),
    "gray_balloonColors": ("incomingbubblegradient1", "incomingbubblegradient2"),
    "green_balloonColors": ("outgoingbubblegradient1", "outgoingbubblegradient2"),
}
ALL_SELECTORS = list(UICOLOR_KEYS) + list(THEME_KEYS) + list(BALLOON_KEYS)

# What Messages shows with the engine out of the way (light appearance).
STOCK = {
    "labelColor": ["000000FF"],
    "systemBlueColor": ["007AFFFF"],
    "systemRedColor": ["FF3B30FF"],
    "systemBackgroundColor": ["FFFFFFFF"],
    "primaryLabelColor": ["000000FF"],
    "blue_balloonColors": ["0A84FFFF", "007AFFFF"],
}

BACKGROUNDS = ["systemBackgroundColor", "systemGroupedBackgroundColor", "groupTableViewBackgroundColor"]
CELLS = ["secondarySystemGroupedBackgroundColor", "tableCellPlainBackgroundColor", "tableCellGroupedBackgroundColor"]


class MessagesColoursCase(SimTestCase):
    def setUp(self):
        super().setUp()
        with open(self.path(REGISTRY), "rb") as f:
            apps = plistlib.load(f)["Applications"]
        container = next(a["DataContainer"] for a in apps if a["BundleIdentifier"] == "com.apple.MobileSMS")
        self.target = container + "Documents/" + TARGET_NAME

    def colours(self, *args):
        """Runs `messages colours` and answers {selector: [RRGGBBAA, ...]}, keeping the printed order."""
        answers = {}
        for line in self.sim("messages", "colours", *args).splitlines():
            selector, *values = line.split()
            self.assertNotIn(selector, answers, "a selector answered twice")
            answers[selector] = values
        return answers

    def write_target(self, values):
        self.write_plist(values, self.target)


class WithoutAFile(MessagesColoursCase):
    def test_every_override_answers_opaque_black(self):
        self.assertFalse(os.path.exists(self.path(self.target)))
        answers = self.colours()
        self.assertEqual(list(answers), ALL_SELECTORS)
        for selector, values in answers.items():
            expected = 2 if selector in BALLOON_KEYS else 1
            self.assertEqual(values, ["000000FF"] * expected, selector)
        # The engine changed what the platform would have answered.
        self.assertEqual(self.colours("systemRedColor", "systemBackgroundColor"),
                         {"systemRedColor": ["000000FF"], "systemBackgroundColor": ["000000FF"]})

    def test_colours_outside_the_table_keep_the_platform_values(self):
        self.assertEqual(self.colours("systemOrangeColor"), {"systemOrangeColor": ["FF9500FF"]})

    def test_the_appearance_reaches_every_process_and_is_light_by_default(self):
        def background(*options, environment=None):
            command = [SIM, "--device", self.root, *options, "messages", "colours", "systemBackgroundColor",
                       "systemOrangeColor", "--bundle-id", "com.example.notes"]
            result = subprocess.run(command, capture_output=True, text=True, timeout=120,
                                    env={**os.environ, **(environment or {})})
            self.assertEqual(result.returncode, 0, result.stderr)
            return result.stdout.split()
        light = ["systemBackgroundColor", "FFFFFFFF", "systemOrangeColor", "FF9500FF"]
        self.assertEqual(background(), light)
        self.assertEqual(background("--appearance", "light"), light)
        self.assertEqual(background("--appearance", "dark"),
                         ["systemBackgroundColor", "000000FF", "systemOrangeColor", "FF9F0AFF"])
        # The caller's environment does not leak in: the option decides.
        self.assertEqual(background(environment={"SIMDEVICE_APPEARANCE": "dark"}), light)
        self.assertEqual(self.sim_fails("--appearance", "sepia", "messages", "colours").count("appearance"), 1)

    def test_an_unknown_selector_fails_the_command(self):
        self.sim_fails("messages", "colours", "labelColor", "mauveColor")


class EveryKey(MessagesColoursCase):
    def test_each_selector_reads_its_own_key(self):
        keys = sorted(set(UICOLOR_KEYS.values()) | set(THEME_KEYS.values())
                      | {k for pair in BALLOON_KEYS.values() for k in pair})
        # A distinct colour per key, so a selector wired to the wrong key shows.
        stored = {key: "%02X%02X%02X" % (16 + i, 200 - i, 3 * i) for i, key in enumerate(keys)}
        self.write_target(stored)
        answers = self.colours()
        self.assertEqual(list(answers), ALL_SELECTORS)
        for selector, key in {**UICOLOR_KEYS, **THEME_KEYS}.items():
            self.assertEqual(answers[selector], [stored[key] + "FF"], selector)
        for selector, (first, second) in BALLOON_KEYS.items():
            self.assertEqual(answers[selector], [stored[first] + "FF", stored[second] + "FF"], selector)

    def test_shared_keys_answer_alike(self):
        for background, cell in [("123456", "abcdef"), ("orange", "#0f0"), ("fff0", "blue")]:
            self.write_target({"primaryBackground": background, "cell": cell})
            answers = self.colours(*BACKGROUNDS, *CELLS)
            self.assertEqual(len({answers[s][0] for s in BACKGROUNDS}), 1, answers)
            self.assertEqual(len({answers[s][0] for s in CELLS}), 1, answers)
            self.assertNotEqual(answers[BACKGROUNDS[0]], answers[CELLS[0]])
        # Only the last pair's answers are pinned down; the loop above checks agreement.
        self.assertEqual(answers[BACKGROUNDS[0]], ["0000FFF0"])
        self.assertEqual(answers[CELLS[0]], ["0A85FFFF"])

    def test_balloon_with_one_gradient_key(self):
        self.write_target({"imessagebubblegradient1": "ff2d55", "incomingbubblegradient2": "5ac8fa"})
        answers = self.colours(*BALLOON_KEYS)
        self.assertEqual(answers["blue_balloonColors"], ["FF2D55FF", "000000FF"])
        self.assertEqual(answers["gray_balloonColors"], ["000000FF", "5AC8FAFF"])
        self.assertEqual(answers["green_balloonColors"], ["000000FF", "000000FF"])


class NamedColours(MessagesColoursCase):
    def test_accent_drives_system_blue(self):
        self.write_target({"accent": "ff9500"})
        self.assertEqual(self.colours("systemBlueColor"), {"systemBlueColor": ["FF9500FF"]})
        # "blue" is the engine's own fixed blue, not the (overridden) system blue.
        self.write_target({"accent": "blue", "link": "blue"})
        self.assertEqual(self.colours("systemBlueColor", "linkColor"),
                         {"systemBlueColor": ["0A85FFFF"], "linkColor": ["0A85FFFF"]})

    def run_with_deadline(self, *args):
        result = subprocess.run([SIM, "--device", self.root, "messages", "colours", *args],
                                capture_output=True, text=True, timeout=20)
        self.assertEqual(result.returncode, 0, result.stderr)
        return dict(line.split(None, 1) for line in result.stdout.splitlines())

    def test_a_name_stored_under_its_own_key_terminates(self):
        self.write_target({"red": "red", "tertiarylabel": "tertiary", "primarylabel": "default"})
        answers = self.run_with_deadline("systemRedColor", "tertiaryLabelColor", "labelColor")
        self.assertEqual(answers, {"systemRedColor": "FF3B30FF", "tertiaryLabelColor": "3C3C434D",
                                   "labelColor": "000000FF"})
        # A loop through two keys stops too; which platform colour wins is the engine's choice.
        self.write_target({"red": "yellow", "yellow": "red"})
        answers = self.run_with_deadline("systemRedColor", "systemYellowColor")
        for selector in ("systemRedColor", "systemYellowColor"):
            self.assertIn(answers[selector], {"FF3B30FF", "FFCC00FF"}, selector)

    def test_named_colours_follow_other_overrides_and_the_platform(self):
        self.write_target({
            "accent": "red", "red": "00ff00",          # through an override to a hex value
            "link": "orange",                          # the platform's own orange
            "primarylabel": "#0f0", "secondarylabel": "ff000080",
        })
        answers = self.colours("systemBlueColor", "systemRedColor", "linkColor", "labelColor",
                               "secondaryLabelColor")
        self.assertEqual(answers["systemBlueColor"], ["00FF00FF"])
        self.assertEqual(answers["systemRedColor"], ["00FF00FF"])
        self.assertEqual(answers["linkColor"], ["FF9500FF"])
        self.assertEqual(answers["labelColor"], ["00FF00FF"])
        self.assertEqual(answers["secondaryLabelColor"], ["FF000080"])


class MasterSwitchAndHost(MessagesColoursCase):
    def assert_stock(self, answers):
        for selector, values in STOCK.items():
            self.assertEqual(answers[selector], values, selector)

    def themed(self):
        return {"primarylabel": "ff2d55", "accent": "5856d6", "red": "00ff00", "primaryBackground": "111111",
                "chatTitleName": "abcdef", "imessagebubblegradient1": "222222"}

    def test_switch_off_in_the_container_copy_gives_stock_colours(self):
        self.write_target({**self.themed(), "enableVantorel": False})
        stock = self.colours()
        self.assertEqual(list(stock), ALL_SELECTORS)
        self.assert_stock(stock)
        # Explicitly on, the same file themes Messages.
        self.write_target({**self.themed(), "enableVantorel": True})
        self.assertEqual(self.colours("labelColor", "primaryLabelColor"),
                         {"labelColor": ["FF2D55FF"], "primaryLabelColor": ["ABCDEFFF"]})

    def test_switch_in_the_source_file_alone_changes_nothing(self):
        # Messages reads its own copy; the source only matters after a sync.
        self.write_plist({"enableVantorel": False})
        self.write_target(self.themed())
        self.assertEqual(self.colours("labelColor"), {"labelColor": ["FF2D55FF"]})

    def test_only_the_exact_messages_identifier_is_themed(self):
        self.write_target(self.themed())
        stock_when_off = None
        with open(self.path(FILTER), "rb") as f:
            filt = plistlib.load(f)
        for identifier in ("com.apple.mobilesms", "COM.APPLE.MOBILESMS", "com.apple.MobileSMS.extra"):
            # Let the loader map the engine there, so the engine itself must say no.
            filt["Filter"]["Bundles"].append(identifier)
            self.write_plist(filt, FILTER)
            answers = self.colours("--bundle-id", identifier)
            self.assertEqual(list(answers), ALL_SELECTORS, identifier)
            self.assert_stock(answers)
            if stock_when_off is None:
                self.write_target({**self.themed(), "enableVantorel": False})
                stock_when_off = self.colours()
                self.write_target(self.themed())
            self.assertEqual(answers, stock_when_off, identifier)
        self.assertEqual(self.colours("labelColor", "--bundle-id", "com.apple.MobileSMS"),
                         {"labelColor": ["FF2D55FF"]})

    def test_colours_come_from_the_library_the_loader_maps(self):
        self.write_target(self.themed())
        self.assertEqual(self.colours("labelColor"), {"labelColor": ["FF2D55FF"]})
        os.remove(self.path(LIBRARY))
        self.assert_stock(self.colours())


class PlatformVersions(MessagesColoursCase):
    def test_without_chatkit_theme_the_uicolor_rows_still_answer(self):
        stored = {key: "%02X%02X%02X" % (40 + i, 90, 255 - i) for i, key in enumerate(sorted(set(UICOLOR_KEYS.values())))}
        self.write_target(stored)
        result = self.run_sim("messages", "colours", "--platform-lacks", "CKUITheme")
        self.assertEqual(result.returncode, 0, result.stderr)
        answers = dict(line.split() for line in result.stdout.splitlines())
        self.assertEqual(list(answers), list(UICOLOR_KEYS))
        for selector, key in UICOLOR_KEYS.items():
            self.assertEqual(answers[selector], stored[key] + "FF", selector)

    def test_a_lacking_view_class_leaves_the_colours_alone(self):
        self.write_target({"accent": "ff9500", "imessagebubblegradient2": "34c759"})
        answers = self.colours("--platform-lacks", "CKPinnedConversationView,UIToolbar")
        self.assertEqual(list(answers), ALL_SELECTORS)
        self.assertEqual(answers["systemBlueColor"], ["FF9500FF"])
        self.assertEqual(answers["blue_balloonColors"], ["000000FF", "34C759FF"])


class FileChanges(MessagesColoursCase):
    def test_next_launch_answers_a_changed_copy_without_a_respring(self):
        self.sim("prefs", "--target", "set", "accent", "ff2d55")
        self.assertEqual(self.colours("systemBlueColor"), {"systemBlueColor": ["FF2D55FF"]})
        self.sim("prefs", "--target", "set", "accent", "30b0c7")
        self.assertEqual(self.colours("systemBlueColor"), {"systemBlueColor": ["30B0C7FF"]})
        self.sim("prefs", "--target", "remove", "accent")
        self.assertEqual(self.colours("systemBlueColor"), {"systemBlueColor": ["000000FF"]})
        # Binary property lists are what devices often hold.
        self.write_plist({"accent": "5856d6"}, self.target, fmt=plistlib.FMT_BINARY)
        self.assertEqual(self.colours("systemBlueColor"), {"systemBlueColor": ["5856D6FF"]})
        # The source file is not what Messages reads.
        self.sim("prefs", "set", "accent", "ffffff")
        self.assertEqual(self.colours("systemBlueColor"), {"systemBlueColor": ["5856D6FF"]})

    def test_unreadable_or_mistyped_values_fall_back_to_black(self):
        with open(self.path(self.target), "wb") as f:
            f.write(b"bplist00" + os.urandom(200))
        self.assertEqual(self.colours("labelColor"), {"labelColor": ["000000FF"]})
        self.write_target({"primarylabel": 7, "accent": {"nested": "ff0000"}})
        self.assertEqual(self.colours("labelColor", "systemBlueColor"),
                         {"labelColor": ["000000FF"], "systemBlueColor": ["000000FF"]})


if __name__ == "__main__":
    unittest.main()
