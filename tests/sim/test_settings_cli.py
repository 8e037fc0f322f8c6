"""The settings pane, driven through the simulated Settings app by vantorel-sim."""
import datetime
import os
import re
import stat
import unittest

from simtest import PREFS, SimTestCase

REGISTRY = "/var/mobile/Library/MobileInstallation/ApplicationRegistry.plist"
NOTIFICATIONS = "/var/log/notifications"
PAGES = ["Root", "ConversationList", "Chat", "ChatBubble", "Navigation", "SystemColour",
         "BackgroundColour", "CellColour", "LabelColour", "MenuColour", "Misc"]


class SettingsCase(SimTestCase):
    def rows(self, page):
        """The rows of a page as {key: (title, cell, value)}, from the table `settings show` prints."""
        lines = self.sim("settings", "show", page).splitlines()
        self.assertEqual(re.split(r"\s{2,}", lines[0]), ["TITLE", "CELL", "KEY", "VALUE"])
        rows = {}
        for line in lines[1:]:
            title, cell, key, value = re.split(r"\s{2,}", line)
            if key != "-":
                self.assertNotIn(key, rows, "a key shows once per page")
                rows[key] = (title, cell, value)
        return rows

    def read_text(self, device_path):
        try:
            with open(self.path(device_path)) as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def fake_killall(self):
        """Puts a killall on the device that only records its arguments."""
        killall = self.path("/usr/bin/killall")
        os.remove(killall)
        with open(killall, "w") as f:
            f.write('#!/bin/sh\necho "$*" >> "$SIMDEVICE_ROOT/var/log/killall-runs"\n')
        os.chmod(killall, stat.S_IRWXU)


class Pages(SettingsCase):
    def test_the_root_and_ten_pages_are_listed(self):
        lines = self.sim("settings", "pages").splitlines()[1:]
        self.assertEqual(sorted(re.split(r"\s{2,}", line)[0] for line in lines), sorted(PAGES))
        self.assertIn("VRSChatBubbleController", self.sim("settings", "pages"))

    def test_pages_show_their_rows_with_stored_values_and_defaults(self):
        self.write_plist({"enableChatBlur": True, "chatBackground": "FF0000FF", "chatBlurStyle": 2})
        chat = self.rows("Chat")
        self.assertEqual(chat["enableChatBlur"][2], "on")
        self.assertEqual(chat["enableChatWallpaper"][2], "off")  # its "default"
        self.assertEqual(chat["chatBackground"][2], "FF0000FF")
        self.assertEqual(chat["chatDateAndStatus"][2], "000000FF")  # the swatch shows the fallback
        self.assertEqual(chat["chatBlurStyle"][2], "System Material (2)")
        self.assertEqual(chat["chatWallpaper"][2], "none")
        self.assertIn("PQColorPickerCell", chat["chatBackground"][1])
        self.assertEqual(self.rows("Root")["enableVantorel"][2], "on")  # the master switch defaults on
        self.assertEqual(self.rows("conversation list")["conversationBlurStyle"][2], "Dark (1)")
        # Every page opens, and each key lives on one page only.
        seen = {}
        for page in PAGES:
            for key in self.rows(page):
                self.assertNotIn(key, seen, f"{key} on {page} and {seen.get(key)}")
                seen[key] = page

    def test_values_of_the_wrong_kind_show_what_the_engine_uses(self):
        # The engine reads these as not stored; the pane shows the same defaults.
        self.write_plist({"enableVantorel": {"on": False}, "chatBlurStyle": [1], "enableChatBlur": "yes"})
        self.assertEqual(self.rows("Root")["enableVantorel"][2], "on")
        chat = self.rows("Chat")
        self.assertEqual(chat["chatBlurStyle"][2], self.default_blur_style())
        self.assertEqual(chat["enableChatBlur"][2], "on")
        self.assertEqual(self.sim("prefs", "get", "enableVantorel", "--as", "bool", "--default", "yes"), "true\n")

    def default_blur_style(self):
        os.remove(self.path(PREFS))
        shown = self.rows("Chat")["chatBlurStyle"][2]
        self.write_plist({"enableVantorel": {"on": False}, "chatBlurStyle": [1], "enableChatBlur": "yes"})
        return shown

    def test_unknown_pages_are_refused(self):
        self.assertIn("no page", self.sim_fails("settings", "show", "Nowhere"))


class Set(SettingsCase):
    def test_a_switch_keeps_every_other_key_and_posts_once_after_the_write(self):
        when = datetime.datetime(2021, 5, 6, 7, 8, 9)
        self.write_plist({"primarylabel": "112233FF", "when": when, "blob": b"\x01\x02", "chatBlurStyle": 0})
        self.assertIn("= on", self.sim("settings", "set", "enableChatBlur", "on"))
        self.assertEqual(self.read_plist(), {"primarylabel": "112233FF", "when": when, "blob": b"\x01\x02",
                                             "chatBlurStyle": 0, "enableChatBlur": True})
        self.assertEqual(self.read_text(NOTIFICATIONS), "com.tavq.vantorelprefs/ReloadPrefs\n")
        self.sim("settings", "set", "enableChatBlur", "off")
        self.assertIs(self.read_plist()["enableChatBlur"], False)
        self.assertEqual(self.read_text(NOTIFICATIONS).count("\n"), 2)

    def test_writing_into_a_missing_file_creates_it_with_just_that_key(self):
        if os.path.exists(self.path(PREFS)):
            os.remove(self.path(PREFS))
        self.sim("settings", "set", "enableHideConversationSeparator", "yes")
        self.assertEqual(self.read_plist(), {"enableHideConversationSeparator": True})

    def test_menus_store_the_index_and_colours_the_picked_hex_without_posting(self):
        self.sim("settings", "set", "conversationBlurStyle", "light")
        self.sim("settings", "set", "chatBlurStyle", "2")
        self.sim("settings", "set", "primarylabel", "#ff8000")
        self.assertEqual(self.read_plist(), {"conversationBlurStyle": 0, "chatBlurStyle": 2,
                                             "primarylabel": "FF8000FF"})
        self.assertEqual(self.read_text(NOTIFICATIONS), "")

    def test_values_a_row_cannot_take_are_refused_and_change_nothing(self):
        self.write_plist({"enableChatBlur": True})
        self.sim_fails("settings", "set", "enableChatBlur", "maybe")
        self.sim_fails("settings", "set", "chatBlurStyle", "Frosted")
        self.sim_fails("settings", "set", "accent", "not-a-colour")
        self.sim_fails("settings", "set", "chatWallpaper", "picture.png")
        self.sim_fails("settings", "set", "messageDocumentPath", "/tmp")
        self.assertEqual(self.read_plist(), {"enableChatBlur": True})

    def test_a_change_that_could_not_be_saved_is_not_reported_as_done(self):
        os.makedirs(self.path(PREFS))  # a folder where the file belongs
        self.assertIn("not saved", self.sim_fails("settings", "set", "enableChatBlur", "on"))
        self.assertIn("not saved", self.sim_fails("settings", "set", "accent", "ff0000"))
        self.sim_fails("prefs", "remove", "accent")

    def test_a_read_only_folder_fails_even_for_the_default_value(self):
        folder = os.path.dirname(self.path(PREFS))
        os.chmod(folder, 0o555)
        self.addCleanup(os.chmod, folder, 0o755)
        for value in ("on", "off"):
            result = self.run_sim_unprivileged("settings", "set", "enableVantorel", value)
            self.assertEqual(result.returncode, 2, result.stdout + result.stderr)
            self.assertIn("not saved", result.stderr)


class Apply(SettingsCase):
    def test_no_changes_nothing(self):
        self.fake_killall()
        self.write_plist({"enableVantorel": False})
        before = self.read_text(PREFS)
        out = self.sim("settings", "apply", "--no")
        self.assertIn("Respring: Are you sure? [Yes / No]", out)
        self.assertIn("answered No", out)
        self.assertEqual(self.read_text(PREFS), before)
        self.assertEqual(self.read_text("/var/log/killall-runs"), "")

    def test_yes_spawns_exactly_one_killall_of_backboardd(self):
        self.fake_killall()
        self.assertIn("answered Yes", self.sim("settings", "apply", "--yes"))
        self.assertEqual(self.read_text("/var/log/killall-runs"), "backboardd\n")

    def test_yes_restarts_the_interface_and_messages_then_holds_the_new_settings(self):
        self.sim("settings", "set", "enableConversationWallpaper", "on")
        self.sim("settings", "set", "conversationBlurStyle", "System Material")
        self.sim("settings", "apply", "--yes")
        self.assertIn("killall backboardd", self.read_text("/var/log/launches"))
        apps = self.read_plist(REGISTRY)["Applications"]
        container = next(a["DataContainer"] for a in apps if a["BundleIdentifier"] == "com.apple.MobileSMS")
        copied = self.read_plist(container + "Documents/com.tavq.vantorelprefs.plist")
        self.assertIs(copied["enableConversationWallpaper"], True)
        self.assertEqual(copied["conversationBlurStyle"], 2)

    def test_an_answer_is_required(self):
        self.sim_fails("settings", "apply")
        self.sim_fails("settings", "apply", "--yes", "--no")


if __name__ == "__main__":
    unittest.main()


class BrokenLayouts(SettingsCase):
    def test_a_link_to_a_class_that_is_no_page_is_named(self):
        root = "/Library/PreferenceBundles/VantorelPrefs.bundle/Root.plist"
        layout = self.read_plist(root)
        links = [item for item in layout["items"] if item.get("detail") == "VRSMiscController"]
        self.assertEqual(len(links), 1)
        links[0]["detail"] = "PSSpecifier"
        self.write_plist(layout, root)
        page = links[0].get("id") or links[0].get("key") or links[0]["label"]
        error = self.sim_fails("settings", "show", page)
        self.assertIn("PSSpecifier is not a settings page", error)
        self.rows("Chat")  # the other pages still open


class Screenshots(SettingsCase):
    def png_size(self, path):
        with open(path, "rb") as f:
            head = f.read(24)
        self.assertEqual(head[:8], b"\x89PNG\r\n\x1a\n")
        return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")

    def test_a_page_is_drawn_at_the_scale_asked(self):
        out = os.path.join(self.root, "root.png")
        printed = self.sim("settings", "screenshot", "Root", "-o", out, "--scale", "2")
        self.assertEqual(printed.strip(), out)
        self.assertEqual(self.png_size(out), (780, 1688))

    def test_without_a_file_the_picture_is_named_after_the_page_here(self):
        result = subprocess_in(self, self.root, "settings", "screenshot", "Chat", "--scale", "1")
        self.assertEqual(result.strip(), os.path.join(self.root, "settings-Chat.png"))
        self.assertEqual(self.png_size(result.strip()), (390, 844))

    def test_bad_files_are_refused_before_anything_is_drawn(self):
        self.assertIn(".png", self.sim_fails("settings", "screenshot", "Root", "-o",
                                             os.path.join(self.root, "root.jpg")))
        self.assertIn("no folder", self.sim_fails("settings", "screenshot", "Root", "-o",
                                                  os.path.join(self.root, "nowhere", "root.png")))
        self.assertIn("no page", self.sim_fails("settings", "screenshot", "Nowhere", "-o",
                                                os.path.join(self.root, "x.png")))


def subprocess_in(case, folder, *args):
    import subprocess
    from simtest import SIM
    result = subprocess.run([SIM, "--device", case.root] + list(args), capture_output=True, text=True,
                            timeout=120, cwd=folder)
    case.assertEqual(result.returncode, 0, result.stderr)
    return result.stdout
