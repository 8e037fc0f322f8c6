"""The pane's own cells through vantorel-sim: colours picked, menus chosen, info alerts read."""
import json
import os
import unittest

from simtest import SimTestCase

NOTIFICATIONS = "/var/log/notifications"


def walk(node):
    yield node
    for child in node["subviews"]:
        yield from walk(child)


class PickColour(SimTestCase):
    def test_each_pick_is_stored_the_last_holds_and_other_keys_stay(self):
        self.write_plist({"link": "112233FF", "enableChatBlur": True})
        out = self.sim("settings", "pick-colour", "accent", "ff0000", "#00f", "orange").splitlines()
        self.assertEqual(out, ["picked FF0000FF", "picked 0000FFFF", "picked FF9500FF",
                               "SystemColour: Accent (accent) = FF9500FF"])
        self.assertEqual(self.read_plist(), {"link": "112233FF", "enableChatBlur": True, "accent": "FF9500FF"})
        self.assertFalse(os.path.exists(self.path(NOTIFICATIONS)))  # colour rows post nothing

    def test_opacity_is_kept_only_by_rows_that_offer_it_and_only_when_asked(self):
        self.sim("settings", "pick-colour", "accent", "--alpha", "FF000080")
        self.sim("settings", "pick-colour", "primaryBackground", "--alpha", "FF000080")
        self.assertEqual(self.read_plist(), {"accent": "FF0000FF", "primaryBackground": "FF000080"})
        # Without --alpha the picker's opacity stays where it was: the stored one.
        self.sim("settings", "pick-colour", "primaryBackground", "00FF00FF")
        self.assertEqual(self.read_plist()["primaryBackground"], "00FF0080")

    def test_rows_that_are_no_colour_rows_and_unreadable_colours_are_refused(self):
        self.write_plist({"chatBlurStyle": 1})
        self.assertIn("not a colour row", self.sim_fails("settings", "pick-colour", "chatBlurStyle", "ff0000"))
        self.assertIn("not a colour row", self.sim_fails("settings", "pick-colour", "enableChatBlur", "ff0000"))
        self.assertIn("not a colour", self.sim_fails("settings", "pick-colour", "accent", "ff0000", "nope"))
        self.assertIn("no row", self.sim_fails("settings", "pick-colour", "nothing", "ff0000"))
        self.assertEqual(self.read_plist(), {"chatBlurStyle": 1})

    def test_set_reports_a_colour_through_the_picker(self):
        self.assertIn("= 00FF00FF", self.sim("settings", "set", "accent", "#0f0"))
        self.assertEqual(self.read_plist(), {"accent": "00FF00FF"})
        self.assertIn("is a colour", self.sim_fails("settings", "set", "accent", "grass"))


class Menus(SimTestCase):
    def test_the_menu_shows_the_stored_choice_else_the_default_and_choosing_moves_the_checkmark(self):
        self.assertEqual(self.sim("settings", "menu", "chatBlurStyle").splitlines(),
                         ["Blur Style Look of the blur over the wallpaper",
                          "  Light", "\u2713 Dark", "  System Material"])
        self.assertEqual(self.sim("settings", "choose", "chatBlurStyle", "2").strip(),
                         "Chat: Blur Style (chatBlurStyle) = System Material (2)")
        self.assertEqual(self.read_plist(), {"chatBlurStyle": 2})
        self.assertEqual(self.sim("settings", "menu", "chatBlurStyle").splitlines()[1:],
                         ["  Light", "  Dark", "\u2713 System Material"])
        self.sim("settings", "choose", "chatBlurStyle", "light")
        self.sim("settings", "set", "conversationBlurStyle", "Dark")
        self.assertEqual(self.read_plist(), {"chatBlurStyle": 0, "conversationBlurStyle": 1})
        self.assertFalse(os.path.exists(self.path(NOTIFICATIONS)))

    def test_a_stored_index_outside_the_list_shows_nothing_and_is_kept(self):
        self.write_plist({"chatBlurStyle": 9})
        self.assertEqual(self.sim("settings", "menu", "chatBlurStyle").splitlines()[1:],
                         ["  Light", "  Dark", "  System Material"])
        self.assertEqual(self.read_plist(), {"chatBlurStyle": 9})

    def test_unknown_entries_and_rows_without_menu_are_refused(self):
        self.assertIn("one of: Light, Dark", self.sim_fails("settings", "choose", "chatBlurStyle", "Frosted"))
        self.assertIn("no menu", self.sim_fails("settings", "menu", "accent"))
        self.assertIn("no menu", self.sim_fails("settings", "choose", "enableChatBlur", "0"))
        self.assertFalse(os.path.exists(self.path("var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist")))


class Info(SimTestCase):
    def test_the_info_button_shows_the_rows_title_and_message_with_one_ok(self):
        self.assertEqual(self.sim("settings", "info", "enableVantorel").splitlines(),
                         ["title: Enable Vantorel",
                          "message: Turns the whole theme on or off in Messages.",
                          "actions: OK"])
        self.assertIn("no info button", self.sim_fails("settings", "info", "accent"))


class Drawn(SimTestCase):
    def tree(self, page):
        return json.loads(self.sim("settings", "views", page, "--json"))

    def test_swatches_show_stored_colours_and_menus_their_choice_in_the_accent(self):
        self.write_plist({"accent": "FF0000FF"})
        rows = {line.split()[-2]: line.split()[-1]
                for line in self.sim("settings", "show", "SystemColour").splitlines()[1:] if "PQ" in line}
        self.assertEqual(rows["accent"], "FF0000FF")
        self.assertEqual(rows["link"], "000000FF")  # unset: the fallback
        nodes = list(walk(self.tree("SystemColour")))
        swatches = [n for n in nodes if n["cornerRadius"] == 14.5]
        self.assertEqual(swatches[0]["backgroundColor"], "FF0000FF")
        self.assertTrue(all(n["frame"][2:] == [29, 29] for n in swatches))
        chat = list(walk(self.tree("Chat")))
        self.assertIn({"text": "Dark", "colour": "FF9500FF"},
                      [{"text": n.get("text"), "colour": n.get("textColor")} for n in chat])

    def test_the_root_page_opens_with_the_banner(self):
        root = self.tree("Root")
        header = root["subviews"][0]
        self.assertEqual(header["class"], "PQHeaderView")
        x, y, width, height = header["frame"]
        self.assertEqual((x, width, height), (0, 390, 160))
        banner = header["subviews"][0]
        self.assertEqual(banner["frame"], [15, y + 10, 360, 150])
        self.assertEqual(banner["cornerRadius"], 13)
        self.assertTrue(banner["masksToBounds"])
        self.assertTrue(os.path.exists(self.path("/Library/PreferenceBundles/VantorelPrefs.bundle/banner.png")))


if __name__ == "__main__":
    unittest.main()
