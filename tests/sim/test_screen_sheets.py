"""`messages screenshot --screen all` and `theme preview`: the five screens on one sheet."""
import hashlib
import os
import plistlib

from pngprobe import Png
from themetest import DeviceCase

# Where the sheet puts each screen, in points (it is drawn at --scale pixels per point).
MARGIN, TITLE, CAPTION, BEZEL, GAP = 32, 56, 34, 10, 28
PHONE_WIDTH, PHONE_HEIGHT = 390 + 2 * BEZEL, 844 + 2 * BEZEL
SCREENS = ["list", "search", "swipe", "chat", "menu"]


def screen_origin(screen, row):
    left = MARGIN + SCREENS.index(screen) * (PHONE_WIDTH + GAP) + BEZEL
    top = MARGIN + TITLE + row * (CAPTION + PHONE_HEIGHT + GAP) + CAPTION + BEZEL
    return left, top


def sheet_size(rows):
    return (2 * MARGIN + 5 * PHONE_WIDTH + 4 * GAP,
            MARGIN + TITLE + rows * (CAPTION + PHONE_HEIGHT + GAP) + MARGIN - GAP)


def device_state(root):
    """Every file, link and folder of the device with its bytes or target."""
    state = {}
    for folder, folders, files in os.walk(root):
        for name in folders + files:
            path = os.path.join(folder, name)
            if os.path.islink(path):
                state[os.path.relpath(path, root)] = "link " + os.readlink(path)
            elif os.path.isfile(path):
                with open(path, "rb") as f:
                    state[os.path.relpath(path, root)] = hashlib.sha256(f.read()).hexdigest()
            else:
                state[os.path.relpath(path, root)] = "folder"
    return state


class Sheets(DeviceCase):
    THEME = {"chatBackground": "123456", "navbarbackground": "204060", "imessagebubblegradient1": "FF8000",
             "imessagebubblegradient2": "FF8000", "conversationBackground": "603020"}

    def messages_copy(self, values):
        with open(self.path(self.copy_path()), "wb") as f:
            plistlib.dump(values, f)

    def theme_file(self, values):
        path = os.path.join(self.root, "sunset.plist")
        with open(path, "wb") as f:
            plistlib.dump({"FormatVersion": 1, "Name": "Sunset", "Values": values}, f)
        return path

    def test_both_looks_give_a_light_row_above_a_dark_one(self):
        self.messages_copy({"enableVantorel": False})
        sheet = os.path.join(self.root, "sheet.png")
        result = self.run_status("--appearance", "both", "messages", "screenshot", "--screen", "all",
                                 "-o", sheet, "--scale", "0.5")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.strip(), sheet)
        image = Png(sheet)
        width, height = sheet_size(2)
        self.assertEqual((image.width, image.height), (width // 2, height // 2))
        for screen in SCREENS:  # just under the status bar: the bar, or what dims it
            (x, y), (dx, dy) = screen_origin(screen, 0), screen_origin(screen, 1)
            light, dark = image.pixel((x + 300) // 2, (y + 52) // 2), image.pixel((dx + 300) // 2, (dy + 52) // 2)
            self.assertGreater(sum(light), sum(dark) + 300, screen)
        # Between the phones: the sheet's own ground, not a screen.
        self.assertEqual(image.pixel((MARGIN + PHONE_WIDTH + GAP // 2) // 2, 300), image.pixel(4, 4))

        one = os.path.join(self.root, "one.png")
        self.sim("messages", "screenshot", "--screen", "all", "-o", one, "--scale", "0.25")
        self.assertEqual(Png(one).height, -(-sheet_size(1)[1] // 4))  # whole pixels, rounded up

    def test_the_sheet_refuses_what_it_cannot_draw(self):
        error = self.sim_fails("--appearance", "both", "messages", "screenshot", "--screen", "all", "--scale", "3")
        self.assertIn("use --scale 1.75 or less", error)
        for verb in (("messages", "screenshot", "--screen", "chat"), ("contrast",)):
            self.assertIn("--appearance both", self.sim_fails("--appearance", "both", *verb))
        self.sim_fails("messages", "views", "--screen", "all")

    def test_a_preview_leaves_the_device_as_it_was_and_shows_what_an_import_would(self):
        theme = self.theme_file(self.THEME)
        before = device_state(self.root)
        preview = os.path.join(self.root, "preview.png")
        self.assertEqual(self.sim("theme", "preview", theme, "-o", preview, "--scale", "0.5").strip(), preview)
        after = device_state(self.root)
        after.pop("preview.png")
        self.assertEqual(after, before)
        sheet = Png(preview)
        self.assertEqual((sheet.width, sheet.height), tuple(side // 2 for side in sheet_size(1)))

        # The same device, themed for real: the sheet's screens are its screens.
        self.sim("theme", "import", theme)
        self.sim("respring")
        self.sim("respring")
        points = {"chat": [(200, 200), (300, 10)], "list": [(200, 760), (300, 10)]}
        for screen, spots in points.items():
            shot = os.path.join(self.root, screen + ".png")
            self.sim("messages", "screenshot", "--screen", screen, "-o", shot, "--scale", "0.5")
            direct = Png(shot)
            left, top = screen_origin(screen, 0)
            for x, y in spots:
                with self.subTest(screen=screen, at=(x, y)):
                    self.assertEqual(sheet.pixel((left + x) // 2, (top + y) // 2), direct.pixel(x // 2, y // 2))
        self.assertEqual(direct.pixel(150, 5), (0x20, 0x40, 0x60))  # the theme's bar, under the status bar

    def test_a_preview_refuses_what_an_import_refuses(self):
        bad = self.theme_file({"acent": "1", "chatBackground": "not a colour"})
        before = device_state(self.root)
        preview = os.path.join(self.root, "bad.png")
        refused = self.run_status("theme", "preview", bad, "-o", preview)
        imported = self.run_status("theme", "import", bad)
        self.assertEqual((refused.returncode, imported.returncode), (2, 2))
        self.assertEqual(refused.stderr, imported.stderr)
        self.assertFalse(os.path.exists(preview))
        self.assertEqual(device_state(self.root), before)
        self.assertIn("no such theme file", self.sim_fails("theme", "preview", os.path.join(self.root, "none")))
