"""The doctor on a healthy device and on devices broken in each way it knows."""
import os
import plistlib
import shutil
import unittest

from simtest import PREFS
from themetest import DeviceCase, jpeg, source_wallpaper

ENGINE = "/Library/MobileSubstrate/DynamicLibraries/"
REGISTRY = "/var/mobile/Library/MobileInstallation/ApplicationRegistry.plist"


class DoctorCase(DeviceCase):
    def setUp(self):
        super().setUp()
        self.sim("theme", "apply", "dark")
        self.sim("respring")
        self.sim("respring")

    def doctor(self, status):
        result = self.run_status("doctor")
        self.assertEqual(result.returncode, status, result.stdout + result.stderr)
        lines = result.stdout.splitlines()
        for line in lines:
            verdict = line.split()[0]
            self.assertIn(verdict, ("ok", "warning", "problem"), line)
            self.assertEqual(verdict != "ok", "; fix: " in line, line)
        return lines

    def assertFinds(self, verdict, *words):
        lines = self.doctor(1 if verdict == "problem" else 0)
        found = [line for line in lines if line.startswith(verdict) and all(w in line for w in words)]
        self.assertEqual(len(found), 1, "\n".join(lines))
        return found[0]


class Healthy(DoctorCase):
    def test_a_themed_and_synced_device_is_all_ok(self):
        lines = self.doctor(0)
        self.assertTrue(all(line.startswith("ok") for line in lines), "\n".join(lines))
        self.assertTrue(any(line.startswith("ok       last sync:") and "sms path exist" in line
                            and line.endswith("com.tavq.vantorelprefs.plist") for line in lines), lines)

    def test_a_fresh_device_has_warnings_but_no_problem(self):
        super(DoctorCase, self).setUp()  # a new device, nothing set
        lines = self.doctor(0)
        self.assertTrue(any("no preference file" in line for line in lines))
        self.assertTrue(any("has not synced" in line for line in lines))


class Engine(DoctorCase):
    def test_engine_missing(self):
        os.remove(self.path(ENGINE + "Vantorel.dylib"))
        self.assertFinds("problem", "engine is not installed", "init")

    def test_filter_without_messages_or_springboard(self):
        for bundles, words in ((["com.apple.springboard"], "does not name Messages"),
                               (["com.apple.MobileSMS"], "does not name SpringBoard")):
            self.write_plist({"Filter": {"Bundles": bundles}}, ENGINE + "Vantorel.plist")
            self.assertFinds("problem", words)

    def test_filter_unreadable(self):
        self.write_bytes(ENGINE + "Vantorel.plist", b"garbage")
        self.assertFinds("problem", "loader filter cannot be read")


class PreferenceFile(DoctorCase):
    def test_each_refusal_is_named(self):
        cases = [
            (b"<?xml version='1.0'?><plist><dict><key>a</key><string>" + b"x" * (9 << 20)
             + b"</string></dict></plist>", "too large"),
            (b"<plist>" + b"<array>" * 300 + b"</array>" * 300 + b"</plist>", "nested too deeply"),
            (plistlib.dumps(["not", "a", "dictionary"]), "not a dictionary"),
            (b"\x00\x01\x02 junk", "unreadable"),
        ]
        for content, words in cases:
            with self.subTest(words):
                self.write_bytes(PREFS, content)
                self.assertFinds("problem", "preference file is refused, " + words)

    def test_a_folder_in_the_files_place(self):
        os.remove(self.path(PREFS))
        os.mkdir(self.path(PREFS))
        self.assertFinds("problem", "refused, unreadable", "not a regular file")

    def test_keys_of_the_wrong_kind(self):
        self.sim("prefs", "set", "chatBlurStyle", "5", "--type", "int")
        self.sim("prefs", "set", "accent", "7", "--type", "int")
        self.sim("prefs", "set", "someoneElses", "7", "--type", "int")  # not the engine's: not judged
        line = self.assertFinds("problem", "2 keys hold")
        self.assertIn("chatBlurStyle: 5 is not a blur style", line)
        self.assertIn("accent: an integer is not a colour", line)

    def test_a_switch_stored_as_a_number_reads_as_meant(self):
        self.sim("prefs", "set", "enableChatBlur", "1", "--type", "int")
        self.sim("respring")
        self.assertIn("(read as true)", self.assertFinds("warning", "1 key holds", "enableChatBlur: an integer"))

    def test_master_switch_off(self):
        self.sim("prefs", "set", "enableVantorel", "no", "--type", "bool")
        self.sim("respring")
        self.assertFinds("problem", "enableVantorel is off")


class Container(DoctorCase):
    def registry(self):
        return self.read_plist(REGISTRY)

    def test_messages_missing_from_the_registry(self):
        registry = self.registry()
        registry["Applications"] = [a for a in registry["Applications"]
                                    if a["BundleIdentifier"] != "com.apple.MobileSMS"]
        self.write_plist(registry, REGISTRY)
        self.assertFinds("problem", "Messages is not in the application registry")

    def test_container_folder_missing(self):
        shutil.rmtree(self.path(self.documents()))
        self.assertFinds("problem", "no data container")

    def test_remembered_path_is_another_applications(self):
        registry = self.registry()
        other = next(a["DataContainer"] for a in registry["Applications"]
                     if a["BundleIdentifier"] == "com.apple.mobilenotes")
        self.sim("prefs", "set", "messageDocumentPath", other + "Documents/")
        self.assertFinds("problem", "messageDocumentPath is", "prefs remove messageDocumentPath")

    def test_remembered_path_gone_or_never_found(self):
        self.sim("prefs", "set", "messageDocumentPath", "/var/mobile/Containers/Data/Application/GONE/Documents/")
        self.assertFinds("warning", "is gone")
        self.sim("prefs", "remove", "messageDocumentPath")
        self.assertFinds("warning", "not remembered yet")

    def test_copy_behind_the_settings(self):
        self.sim("prefs", "set", "accent", "123456FF")
        self.sim("prefs", "set", "link", "123456FF")
        self.assertFinds("problem", "copy is behind", "2 keys differ", "accent", "link", "respring")
        self.sim("respring")
        self.doctor(0)

    def test_copy_keeps_a_removed_key(self):
        self.sim("prefs", "remove", "link")
        self.sim("respring")
        self.assertFinds("warning", "keeps keys removed", "link", "--target")

    def test_copy_unreadable(self):
        self.write_bytes(self.copy_path(), b"junk")
        self.assertFinds("problem", "copy of the settings cannot be read")


class Wallpaper(DoctorCase):
    def test_switched_on_without_a_picture(self):
        self.sim("prefs", "set", "enableChatWallpaper", "yes", "--type", "bool")
        self.sim("respring")
        self.assertFinds("problem", "chatWallpaper is switched on without a picture")

    def test_in_one_place_only(self):
        self.sim("prefs", "set", "enableConversationWallpaper", "yes", "--type", "bool")
        self.sim("respring")
        self.write_bytes(source_wallpaper("conversationWallpaper"), jpeg())
        self.assertFinds("problem", "conversationWallpaper is not in Messages' container yet")
        self.sim("respring")
        self.doctor(0)
        os.remove(self.path(source_wallpaper("conversationWallpaper")))
        self.assertFinds("warning", "conversationWallpaper is gone from the settings")

    def test_not_a_picture(self):
        self.sim("prefs", "set", "enableChatWallpaper", "yes", "--type", "bool")
        self.write_bytes(source_wallpaper("chatWallpaper"), b"not a picture")
        self.sim("respring")
        self.assertFinds("problem", "chatWallpaper is not a picture")


class Log(DoctorCase):
    def test_no_sync_in_the_log(self):
        os.remove(self.path("/var/log/syslog"))
        self.assertFinds("warning", "has not synced")


if __name__ == "__main__":
    unittest.main()
