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
    """{key: kind} from the key table the product shares."""
    with open(os.path.join(REPOSITORY, "common", "PreferenceKeys.h")) as f:
        text = f.read()
    return dict(re.findall(r'PreferenceKey\{"(\w+)", PreferenceType::(\w+)', text))


# A real 2 by 2 JPEG (TurboJPEG, quality 90): pictures must decode as Messages decodes them.
TINY_JPEG = bytes.fromhex(
    "ffd8ffe000104a46494600010100000100010000ffdb0043000302020302020303030304030304050805050404050a07"
    "0706080c0a0c0c0b0a0b0b0d0e12100d0e110e0b0b1016101113141515150c0f171816141812141514ffdb0043010304"
    "0405040509050509140d0b0d141414141414141414141414141414141414141414141414141414141414141414141414"
    "1414141414141414141414141414ffc00011080002000203011100021101031101ffc4001f0000010501010101010100"
    "000000000000000102030405060708090a0bffc400b5100002010303020403050504040000017d010203000411051221"
    "31410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25262728292a3435363738393a"
    "434445464748494a535455565758595a636465666768696a737475767778797a838485868788898a9293949596979899"
    "9aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1"
    "f2f3f4f5f6f7f8f9faffc4001f0100030101010101010101010000000000000102030405060708090a0bffc400b51100"
    "020102040403040705040400010277000102031104052131061241510761711322328108144291a1b1c109233352f015"
    "6272d10a162434e125f11718191a262728292a35363738393a434445464748494a535455565758595a63646566676869"
    "6a737475767778797a82838485868788898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4"
    "c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6e7e8e9eaf2f3f4f5f6f7f8f9faffda000c03010002110311003f00f9"
    "f2bf373f5d3fffd9"
)


def png(width=2, height=1):
    return solid_png(width, height, (0x80, 0x40, 0x20))


def jpeg(body=b"picture"):
    """The tiny JPEG with `body` in comment segments, so that pictures differ and may be large."""
    comments = b"".join(b"\xff\xfe" + (len(chunk) + 2).to_bytes(2, "big") + chunk
                        for chunk in (body[i:i + 65533] for i in range(0, len(body), 65533)))
    return TINY_JPEG[:2] + comments + TINY_JPEG[2:]


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
