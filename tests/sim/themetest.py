"""What the theme, contrast and doctor tests share: the engine's key table read
from its header, and small pictures made here."""
import os
import re

from pngprobe import solid_png
from simtest import SimTestCase

REPOSITORY = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SOURCE_FOLDER = "/var/mobile/Library/Preferences/"
WALLPAPERS = {"chatWallpaper": "enableChatWallpaper", "conversationWallpaper": "enableConversationWallpaper"}


def engine_keys():
    """{key: kind} from the engine's own table."""
    with open(os.path.join(REPOSITORY, "engine", "PreferenceKeys.h")) as f:
        text = f.read()
    return dict(re.findall(r'PreferenceKey\{"(\w+)", PreferenceType::(\w+)', text))


def png(width=2, height=1):
    return solid_png(width, height, (0x80, 0x40, 0x20))


def jpeg(body=b"picture"):
    return b"\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00" + body + b"\xff\xd9"


def source_wallpaper(slot):
    return SOURCE_FOLDER + "com.tavq.vantorelprefs-%s.png" % slot


class DeviceCase(SimTestCase):
    def write_bytes(self, device_path, data):
        os.makedirs(os.path.dirname(self.path(device_path)), exist_ok=True)
        with open(self.path(device_path), "wb") as f:
            f.write(data)

    def read_bytes(self, device_path):
        with open(self.path(device_path), "rb") as f:
            return f.read()

    def exists(self, device_path):
        return os.path.exists(self.path(device_path))

    def documents(self):
        registry = self.read_plist("/var/mobile/Library/MobileInstallation/ApplicationRegistry.plist")
        return next(a["DataContainer"] for a in registry["Applications"]
                    if a["BundleIdentifier"] == "com.apple.MobileSMS") + "Documents/"

    def copy_path(self):
        return self.documents() + "com.tavq.vantorelprefs.plist"

    def run_status(self, *args):
        result = self.run_sim(*args)
        self.assertNotIn("runtime error", result.stderr)
        self.assertNotIn("Sanitizer", result.stderr)
        return result
