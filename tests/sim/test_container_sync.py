"""SpringBoard mirroring the settings and wallpapers into the Messages container, across real respings."""
import os
import plistlib
import re
import shutil
import unittest
import uuid

from simtest import PREFS, SimTestCase

REGISTRY = "/var/mobile/Library/MobileInstallation/ApplicationRegistry.plist"
CONTAINERS = "/var/mobile/Containers/Data/Application/"
PREFS_NAME = "com.tavq.vantorelprefs.plist"
WALLPAPERS = ["chatWallpaper", "conversationWallpaper"]
MESSAGES = "com.apple.MobileSMS"


def source_wallpaper(name):
    return "/var/mobile/Library/Preferences/com.tavq.vantorelprefs-%s.png" % name


class SyncCase(SimTestCase):
    def setUp(self):
        super().setUp()
        self.documents = self.container_of(MESSAGES) + "Documents/"
        self.assertTrue(os.path.isdir(self.path(self.documents)))

    # Registry, edited as the platform stores it.
    def applications(self):
        return self.read_plist(REGISTRY)["Applications"]

    def write_applications(self, apps):
        self.write_plist({"Applications": apps}, REGISTRY)

    def container_of(self, identifier):
        return next(a["DataContainer"] for a in self.applications() if a["BundleIdentifier"] == identifier)

    def add_application(self, identifier, app_type=1):
        container = CONTAINERS + str(uuid.uuid4()).upper() + "/"
        os.makedirs(self.path(container + "Documents"))
        self.write_applications(self.applications() + [
            {"BundleIdentifier": identifier, "Type": app_type, "DataContainer": container}])
        return container + "Documents/"

    def respring(self):
        """Resprings and answers the messages SpringBoard logged during it."""
        before = self.log_messages()
        self.sim("respring")
        after = self.log_messages()
        self.assertEqual(after[:len(before)], before, "the log lost lines")
        return after[len(before):]

    def log_messages(self):
        lines = self.sim("log").splitlines()
        messages = []
        for line in lines:
            process, _, message = line.partition("]: ")
            self.assertTrue(message, line)
            # Other stand-ins may log during a respring; the sync's lines are SpringBoard's.
            if re.search(r" SpringBoard\[\d+$", process):
                messages.append(message)
        return messages

    def target(self, documents=None):
        return (documents or self.documents) + PREFS_NAME

    def target_wallpaper(self, name, documents=None):
        return (documents or self.documents) + "com.tavq.vantorelprefs-%s.png" % name

    def exists(self, device_path):
        return os.path.exists(self.path(device_path))

    def write_bytes(self, device_path, data):
        with open(self.path(device_path), "wb") as f:
            f.write(data)

    def read_bytes(self, device_path):
        with open(self.path(device_path), "rb") as f:
            return f.read()

    def colour(self, selector):
        line = self.sim("messages", "colours", selector)
        self.assertEqual(line.split()[0], selector)
        return line.split()[1:]


class FirstAndLaterRespring(SyncCase):
    def test_first_respring_finds_messages_and_later_ones_reuse_the_path(self):
        self.sim("prefs", "set", "accent", "ff2d55")
        self.assertEqual(self.colour("systemBlueColor"), ["000000FF"])

        self.assertEqual(self.respring(), ["no sms path"])
        self.assertEqual(self.read_plist(), {"accent": "ff2d55", "messageDocumentPath": self.documents})
        self.assertTrue(self.documents.endswith("/Documents/"))
        # The remembered path travels into the copy like every other key.
        self.assertEqual(self.read_plist(self.target()), {"accent": "ff2d55", "messageDocumentPath": self.documents})
        self.assertEqual(self.colour("systemBlueColor"), ["FF2D55FF"])

        self.sim("prefs", "set", "accent", "30b0c7")
        self.assertEqual(self.colour("systemBlueColor"), ["FF2D55FF"], "Messages saw the source before a sync")
        self.assertEqual(self.respring(), ["sms path exist", self.target()])
        self.assertEqual(self.colour("systemBlueColor"), ["30B0C7FF"])
        self.assertEqual(self.respring(), ["sms path exist", self.target()])

    def test_a_remembered_none_means_scan_again(self):
        self.write_plist({"messageDocumentPath": "none", "accent": "ff9500"})
        self.assertEqual(self.respring(), ["no sms path"])
        self.assertEqual(self.read_plist()["messageDocumentPath"], self.documents)
        self.assertEqual(self.read_plist(self.target())["accent"], "ff9500")

    def test_an_existing_remembered_folder_is_used_without_a_scan(self):
        elsewhere = self.container_of("com.apple.mobilenotes") + "Documents/"
        self.write_plist({"messageDocumentPath": elsewhere, "accent": "ff9500"})
        self.assertEqual(self.respring(), ["sms path exist", self.target(elsewhere)])
        self.assertEqual(self.read_plist(self.target(elsewhere))["accent"], "ff9500")
        self.assertEqual(self.read_plist()["messageDocumentPath"], elsewhere)
        self.assertFalse(self.exists(self.target()))

    def test_the_master_switch_does_not_stop_the_sync(self):
        self.sim("prefs", "set", "enableVantorel", "no", "--type", "bool")
        self.sim("prefs", "set", "accent", "ff2d55")
        self.assertEqual(self.respring(), ["no sms path"])
        self.assertEqual(self.read_plist(self.target())["enableVantorel"], False)
        self.assertEqual(self.colour("systemBlueColor"), ["007AFFFF"])
        self.sim("prefs", "set", "enableVantorel", "yes", "--type", "bool")
        self.assertEqual(self.respring(), ["sms path exist", self.target()])
        self.assertEqual(self.colour("systemBlueColor"), ["FF2D55FF"])


class NoSourceFile(SyncCase):
    def test_respring_without_settings_does_nothing(self):
        for name in WALLPAPERS:
            self.write_bytes(source_wallpaper(name), os.urandom(64))
        self.assertFalse(self.exists(PREFS))
        self.assertEqual(self.respring(), [])
        self.assertFalse(self.exists(PREFS), "a scan stored a path without settings")
        self.assertEqual(os.listdir(self.path(self.documents)), [])
        # SpringBoard did launch: the launch hook ran and found nothing to do.
        with open(self.path("/var/log/launches")) as f:
            self.assertIn("SpringBoard launched", f.read().splitlines())


class Merge(SyncCase):
    def test_keys_are_added_and_overwritten_never_removed(self):
        self.write_plist({"accent": "ff2d55", "red": "00ff00", "chatBlurStyle": 2})
        self.respring()
        self.sim("prefs", "--target", "set", "onlyInMessages", "kept")
        self.sim("prefs", "remove", "red")
        self.sim("prefs", "set", "accent", "5856d6")
        self.sim("prefs", "set", "chatBlurStyle", "-1", "--type", "int")
        self.assertEqual(self.respring(), ["sms path exist", self.target()])
        self.assertEqual(self.read_plist(self.target()), {
            "accent": "5856d6", "red": "00ff00", "chatBlurStyle": -1, "onlyInMessages": "kept",
            "messageDocumentPath": self.documents})
        self.assertEqual(self.colour("systemRedColor"), ["00FF00FF"])

    def test_binary_source_and_target_are_read(self):
        self.write_plist({"accent": "ff2d55", "messageDocumentPath": self.documents}, fmt=plistlib.FMT_BINARY)
        self.write_plist({"old": True}, self.target(), fmt=plistlib.FMT_BINARY)
        self.respring()
        self.assertEqual(self.read_plist(self.target()),
                         {"accent": "ff2d55", "messageDocumentPath": self.documents, "old": True})


class Wallpapers(SyncCase):
    def test_wallpapers_arrive_byte_for_byte_on_the_first_and_later_respring(self):
        self.sim("prefs", "set", "accent", "ff2d55")
        images = {name: os.urandom(4096 + i) for i, name in enumerate(WALLPAPERS)}
        for name, data in images.items():
            self.write_bytes(source_wallpaper(name), data)
        self.respring()
        for name, data in images.items():
            self.assertEqual(self.read_bytes(self.target_wallpaper(name)), data, name)

        images = {name: os.urandom(100) for name in WALLPAPERS}  # smaller than before: no stale tail
        for name, data in images.items():
            self.write_bytes(source_wallpaper(name), data)
        self.respring()
        for name, data in images.items():
            self.assertEqual(self.read_bytes(self.target_wallpaper(name)), data, name)
        # Nothing left beside the copies.
        self.assertEqual(sorted(n for n in os.listdir(self.path(self.documents)) if not n.endswith(".lock")),
                         sorted([PREFS_NAME] + [os.path.basename(self.target_wallpaper(n)) for n in WALLPAPERS]))

    def test_a_missing_source_wallpaper_leaves_the_target_untouched(self):
        self.write_plist({"accent": "ff2d55", "messageDocumentPath": self.documents})
        kept = os.urandom(300)
        self.write_bytes(self.target_wallpaper("chatWallpaper"), kept)
        fresh = os.urandom(200)
        self.write_bytes(source_wallpaper("conversationWallpaper"), fresh)
        self.respring()
        self.assertEqual(self.read_bytes(self.target_wallpaper("chatWallpaper")), kept)
        self.assertEqual(self.read_bytes(self.target_wallpaper("conversationWallpaper")), fresh)
        # Deleting a source wallpaper later does not delete its copy either.
        os.remove(self.path(source_wallpaper("conversationWallpaper")))
        self.respring()
        self.assertEqual(self.read_bytes(self.target_wallpaper("conversationWallpaper")), fresh)


class FindingMessages(SyncCase):
    def assert_nothing_stored_or_copied(self, *documents):
        self.assertEqual(self.respring(), ["no sms path"])
        self.assertEqual(self.read_plist(), {"accent": "ff2d55"})
        for folder in documents:
            self.assertEqual(os.listdir(self.path(folder)), [], folder)
        # And the next respring scans again.
        self.assertEqual(self.respring(), ["no sms path"])

    def test_the_compose_service_is_no_second_match(self):
        compose = [a for a in self.applications() if a["BundleIdentifier"] == "com.apple.mobilesms.compose"]
        self.assertEqual(len(compose), 1)
        self.assertEqual(compose[0]["Type"], 1)
        self.assertIn("DataContainer", compose[0])
        # Applications of another type are not scanned at all.
        self.add_application("com.apple.MobileSMS.helper", app_type=0)
        self.sim("prefs", "set", "accent", "ff2d55")
        self.assertEqual(self.respring(), ["no sms path"])
        self.assertEqual(self.read_plist()["messageDocumentPath"], self.documents)

    def test_a_registry_container_outside_the_device_is_refused(self):
        apps = self.applications() + [
            {"BundleIdentifier": "com.example.escape", "Type": 0, "DataContainer": "/../../../escape-proof/"}]
        self.write_applications(apps)
        self.assertIn("outside the device", self.sim_fails("init"))
        self.assertFalse(os.path.exists(os.path.join(os.path.dirname(self.root), "escape-proof")))

    def test_two_matches_store_nothing(self):
        extra = self.add_application("com.apple.mobilesms.extra")
        self.sim("prefs", "set", "accent", "ff2d55")
        for name in WALLPAPERS:
            self.write_bytes(source_wallpaper(name), os.urandom(64))
        self.assert_nothing_stored_or_copied(self.documents, extra)

    def test_no_match_stores_nothing(self):
        self.write_applications([a for a in self.applications() if a["BundleIdentifier"] != MESSAGES])
        self.sim("prefs", "set", "accent", "ff2d55")
        for name in WALLPAPERS:
            self.write_bytes(source_wallpaper(name), os.urandom(64))
        self.assert_nothing_stored_or_copied(self.documents)

    def test_a_moved_container_is_found_again(self):
        self.sim("prefs", "set", "accent", "ff2d55")
        self.respring()
        old = self.documents
        self.assertEqual(self.read_plist()["messageDocumentPath"], old)

        # Messages reinstalled: a new container, the old one gone.
        new_container = CONTAINERS + str(uuid.uuid4()).upper() + "/"
        os.makedirs(self.path(new_container + "Documents"))
        apps = self.applications()
        for app in apps:
            if app["BundleIdentifier"] == MESSAGES:
                app["DataContainer"] = new_container
        self.write_applications(apps)
        shutil.rmtree(self.path(old[:-len("Documents/")]))
        new = new_container + "Documents/"

        self.sim("prefs", "set", "accent", "5856d6")
        self.assertEqual(self.respring(), ["no sms path"])
        self.assertEqual(self.read_plist()["messageDocumentPath"], new)
        self.assertEqual(self.read_plist(self.target(new))["accent"], "5856d6")
        self.assertFalse(self.exists(old), "the sync created a folder")
        self.assertEqual(self.colour("systemBlueColor"), ["5856D6FF"])
        self.assertEqual(self.respring(), ["sms path exist", self.target(new)])


if __name__ == "__main__":
    unittest.main()
