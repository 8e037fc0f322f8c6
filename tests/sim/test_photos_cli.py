"""The photo library and the wallpaper rows' image picker, through vantorel-sim."""
import json
import os
import re
import resource
import signal
import subprocess

from pngprobe import Png, solid_png
from simtest import SIM, SimTestCase

LIBRARY = "/var/mobile/Media/DCIM/100APPLE/"
FOLDER = "/var/mobile/Library/Preferences/"
CHAT_WALLPAPER = FOLDER + "com.tavq.vantorelprefs-chatWallpaper.png"
LIST_WALLPAPER = FOLDER + "com.tavq.vantorelprefs-conversationWallpaper.png"


def quantisers(jpeg):
    """The values of the JPEG's first quantisation table (8-bit tables)."""
    at = jpeg.index(b"\xff\xdb")
    assert jpeg[at + 4] >> 4 == 0, "8-bit table"
    return list(jpeg[at + 5:at + 5 + 64])


class PhotoCase(SimTestCase):
    def photos(self):
        lines = self.sim("photos", "list").splitlines()
        self.assertEqual(lines[0].split(), ["PHOTO", "FORMAT", "PIXELS", "BYTES"])
        return {name: (fmt, pixels, int(size)) for name, fmt, pixels, size in map(str.split, lines[1:])}

    def read_bytes(self, device_path):
        with open(self.path(device_path), "rb") as f:
            return f.read()

    def host_file(self, name, data):
        path = os.path.join(self.root, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def pick(self, *choice, key="chatWallpaper"):
        return self.sim("settings", "pick-image", key, *choice)


class Library(PhotoCase):
    def test_init_draws_jpeg_and_png_photos_standing_and_lying_and_keeps_them(self):
        photos = self.photos()
        kinds = set()
        for name, (fmt, pixels, size) in photos.items():
            width, height = map(int, pixels.split("x"))
            kinds.add((fmt, width > height))
            data = self.read_bytes(LIBRARY + name)
            self.assertEqual(len(data), size)
            self.assertTrue(data.startswith(b"\xff\xd8\xff" if fmt == "JPEG" else b"\x89PNG"), name)
            self.assertTrue(name.endswith(".JPG" if fmt == "JPEG" else ".PNG"), name)
        self.assertEqual(kinds, {("JPEG", True), ("JPEG", False), ("PNG", True), ("PNG", False)})

        # A second init leaves a library with photos alone.
        os.remove(self.path(LIBRARY + "IMG_0001.JPG"))
        self.sim("init")
        self.assertEqual(set(self.photos()), set(photos) - {"IMG_0001.JPG"})

    def test_add_numbers_pictures_on_and_names_them_by_content(self):
        red = solid_png(30, 20, (255, 0, 0))
        path = self.host_file("holiday.jpeg", red)  # a PNG, whatever its name says
        self.assertEqual(self.sim("photos", "add", path, self.path(LIBRARY + "IMG_0002.JPG")),
                         "added IMG_0005.PNG\nadded IMG_0006.JPG\n")
        self.assertEqual(self.read_bytes(LIBRARY + "IMG_0005.PNG"), red)
        self.assertEqual(self.photos()["IMG_0005.PNG"], ("PNG", "30x20", len(red)))

    def test_add_refuses_what_is_no_picture_and_then_adds_nothing(self):
        good = self.host_file("good.png", solid_png(2, 2, (0, 0, 255)))
        fifo = os.path.join(self.root, "pipe.png")
        os.mkfifo(fifo)
        cases = {
            "missing": (os.path.join(self.root, "none.png"), "No such file"),
            "fifo": (fifo, "not a regular file"),
            "folder": (self.root, "not a regular file"),
            "text": (self.host_file("notes.png", b"not a picture"), "neither JPEG nor PNG data"),
            "cut short": (self.host_file("cut.png", solid_png(40, 40, (1, 2, 3))[:60]), "cut short"),
        }
        before = self.photos()
        for case, (path, message) in cases.items():
            with self.subTest(case):
                self.assertIn(message, self.sim_fails("photos", "add", good, path))
                self.assertEqual(self.photos(), before)

    def test_a_file_in_the_library_that_is_no_picture_is_listed_unreadable(self):
        with open(self.path(LIBRARY + "IMG_0009.JPG"), "wb") as f:
            f.write(b"\xff\xd8\xff broken")
        self.assertEqual(self.photos()["IMG_0009.JPG"][:2], ("JPEG", "unreadable"))
        self.assertIn("no photo \"IMG_0009.JPG\"", self.sim_fails("settings", "pick-image", "chatWallpaper",
                                                                 "IMG_0009.JPG"))


class PickImage(PhotoCase):
    def test_a_pick_writes_strongest_compression_jpeg_under_the_rows_png_name(self):
        before = set(os.listdir(self.path(FOLDER)))
        out = self.pick("IMG_0002.JPG")
        self.assertIn("picked IMG_0002.JPG\nthe picker closed\n", out)
        self.assertRegex(out, r"wrote %s \(JPEG, 640x480, \d+ bytes\)\n$" % re.escape(CHAT_WALLPAPER))
        self.assertEqual(set(os.listdir(self.path(FOLDER))) - before, {os.path.basename(CHAT_WALLPAPER)})
        self.assertFalse(os.path.exists(self.path(FOLDER + "com.tavq.vantorelprefs.plist")))

        written = self.read_bytes(CHAT_WALLPAPER)
        self.assertTrue(written.startswith(b"\xff\xd8\xff"))
        # Quality 0.0 is the coarsest quantisation there is; 1.0 would be all ones.
        self.assertEqual(set(quantisers(written)), {255})
        self.assertLess(len(written), len(self.read_bytes(LIBRARY + "IMG_0002.JPG")))
        self.assertEqual(self.rows_value("chatWallpaper"), "picture 640x480")

        # The list's row writes its own file.
        self.pick("IMG_0003.PNG", key="conversationWallpaper")
        self.assertTrue(self.read_bytes(LIST_WALLPAPER).startswith(b"\xff\xd8\xff"))
        self.assertEqual(self.read_bytes(CHAT_WALLPAPER), written)

    def rows_value(self, key, page="Chat"):
        for line in self.sim("settings", "show", page).splitlines():
            fields = re.split(r"\s{2,}", line)
            if fields[2] == key:
                return fields[3]
        self.fail(key)

    def test_a_second_pick_replaces_the_first_and_cancel_keeps_it(self):
        self.assertEqual(self.rows_value("chatWallpaper"), "none")
        self.pick("IMG_0001.JPG")
        first = self.read_bytes(CHAT_WALLPAPER)
        self.pick("--file", self.host_file("wide.png", solid_png(64, 16, (0, 200, 0))))
        second = self.read_bytes(CHAT_WALLPAPER)
        self.assertNotEqual(second, first)
        self.assertEqual(self.rows_value("chatWallpaper"), "picture 64x16")

        out = self.pick("--cancel")
        self.assertTrue(out.endswith("cancelled\nthe picker closed\nnothing written\n"), out)
        self.assertEqual(self.read_bytes(CHAT_WALLPAPER), second)

    def test_a_failed_write_keeps_the_previous_wallpaper(self):
        self.pick("IMG_0001.JPG")
        previous = self.read_bytes(CHAT_WALLPAPER)

        # A file size limit stops the write even for root, who ignores folder modes.
        def limit():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (256, resource.RLIM_INFINITY))
        result = subprocess.run([SIM, "--device", self.root, "settings", "pick-image", "chatWallpaper",
                                 "IMG_0002.JPG"], capture_output=True, text=True, timeout=120,
                                preexec_fn=limit)
        self.assertEqual(result.returncode, 2, result.stdout + result.stderr)
        self.assertIn("was not saved", result.stderr)
        self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
        self.assertEqual(self.read_bytes(CHAT_WALLPAPER), previous)
        self.assertEqual(self.rows_value("chatWallpaper"), "picture 480x640")

    def test_wrong_choices_are_refused_in_one_line_and_write_nothing(self):
        fifo = os.path.join(self.root, "pipe.jpg")
        os.mkfifo(fifo)
        cases = [
            (("chatWallpaper", "IMG_0042.JPG"), "no photo \"IMG_0042.JPG\" in the library (photos: IMG_0001.JPG"),
            (("chatWallpaper", "../100APPLE/IMG_0001.JPG"), "no photo"),
            (("chatWallpaper", "--file", fifo), "not a regular file"),
            (("chatWallpaper", "--file", self.host_file("x.png", b"text")), "neither JPEG nor PNG data"),
            (("chatBackground", "IMG_0001.JPG"), "chatBackground holds no picture"),
            (("noSuchKey", "IMG_0001.JPG"), "no row stores the key"),
            (("chatWallpaper",), "name a PHOTO"),
            (("chatWallpaper", "IMG_0001.JPG", "--cancel"), "excludes"),
        ]
        for arguments, message in cases:
            with self.subTest(arguments):
                self.assertIn(message, self.sim_fails("settings", "pick-image", *arguments))
        self.assertIn("takes no value", self.sim_fails("settings", "set", "chatWallpaper", "IMG_0001.JPG"))
        self.assertFalse(os.path.exists(self.path(CHAT_WALLPAPER)))
        self.assertFalse(os.path.exists(self.path(FOLDER + "com.tavq.vantorelprefs.plist")))

    def test_the_rows_preview_draws_the_picked_picture(self):
        def preview_frame():
            tree = json.loads(self.sim("settings", "views", "Chat", "--json"))
            stack = [tree]
            while stack:
                node = stack.pop()
                if node["class"] == "PQImagePickerCell":
                    return next(v["frame"] for v in node["subviews"] if v["class"] == "UIImageView")
                stack.extend(node["subviews"])
            self.fail("no picture row")

        def centre_pixel():
            shot = os.path.join(self.root, "chat.png")
            self.sim("settings", "screenshot", "Chat", "-o", shot, "--scale", "1")
            x, y, width, height = preview_frame()
            self.assertEqual((width, height), (29, 29))
            return Png(shot).pixel(int(x + width / 2), int(y + height / 2))

        self.assertTrue(all(c > 240 for c in centre_pixel()))  # an empty preview on the white row
        self.sim("photos", "add", self.host_file("red.png", solid_png(48, 48, (220, 20, 30))))
        self.pick("IMG_0005.PNG")
        r, g, b = centre_pixel()
        self.assertGreater(r, 180)
        self.assertLess(g, 70)
        self.assertLess(b, 80)
