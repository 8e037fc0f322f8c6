"""`messages views` and `messages screenshot`: Messages' screens laid out by real Messages processes,
stock and themed."""
import json
import os
import plistlib
import unittest

from pngprobe import Png, solid_png
from simtest import SimTestCase

REGISTRY = "var/mobile/Library/MobileInstallation/ApplicationRegistry.plist"
CONVERSATIONS = "var/mobile/Library/SMS/conversations.plist"
BLACK = "000000FF"


def walk(node):
    yield node
    for child in node["subviews"]:
        yield from walk(child)


def of_class(tree, name):
    return [node for node in walk(tree) if node["class"] == name]


def only(tree, name):
    found = of_class(tree, name)
    assert len(found) == 1, f"{len(found)} {name}"
    return found[0]


def rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) for i in (0, 2, 4))


class MessagesScreensCase(SimTestCase):
    def setUp(self):
        super().setUp()
        with open(self.path(REGISTRY), "rb") as f:
            apps = plistlib.load(f)["Applications"]
        container = next(a["DataContainer"] for a in apps if a["BundleIdentifier"] == "com.apple.MobileSMS")
        self.target = container + "Documents/com.tavq.vantorelprefs.plist"

    def theme(self, values):
        """What Messages reads: its container's copy of the settings."""
        self.write_plist(values, self.target)

    def tree(self, screen, *options):
        return json.loads(self.sim("messages", "views", "--screen", screen, "--json", *options))


class StockScreens(MessagesScreensCase):
    def setUp(self):
        super().setUp()
        self.theme({"enableVantorel": False})

    def test_the_list_as_messages_lays_it_out(self):
        tree = self.tree("list")
        self.assertEqual(tree["frame"], [0, 0, 390, 844])
        bar = only(tree, "UINavigationBar")
        self.assertEqual(bar["frame"], [0, 47, 390, 96])
        background = bar["subviews"][0]
        self.assertEqual(background["class"], "_UIBarBackground")
        self.assertEqual(background["frame"], [0, 0, 390, 143])  # up under the status bar
        self.assertEqual([v["class"] for v in background["subviews"]], ["UIImageView"])

        field = only(tree, "UISearchTextField")
        self.assertEqual(field["subviews"][0]["class"], "_UISearchBarSearchFieldBackgroundView")
        self.assertEqual(field["placeholderColor"], None)
        self.assertIn("Search", [v.get("text") for v in walk(field)])
        self.assertIn("magnifyingglass", [v.get("image") for v in walk(field)])

        pinned = of_class(tree, "CKPinnedConversationView")
        self.assertEqual([p["subviews"][1]["text"] for p in pinned], ["Mum", "Jonas Weber", "Climbing Crew"])
        cells = of_class(tree, "CKConversationListCollectionViewConversationCell")
        self.assertEqual(len(cells), 6)
        standard = of_class(tree, "CKConversationListStandardCell")
        self.assertEqual(standard[0]["ivars"], ["_unreadIndicatorImageView", "_chevronImageView"])
        self.assertEqual(standard[0]["subviews"][-1]["image"], "circle.fill")
        unread = [not c["subviews"][-1]["hidden"] for c in standard]
        self.assertEqual(unread, [True, False, False, True, False, False])
        self.assertEqual(len(of_class(tree, "_UICollectionViewListSeparatorView")), len(cells) - 1)
        for upper, lower in zip(cells, cells[1:]):
            self.assertEqual(upper["frame"][1] + 76, lower["frame"][1])
        self.assertEqual(len(of_class(tree, "_UIScrollViewScrollIndicator")), 1)
        toolbar = only(tree, "UIToolbar")
        self.assertTrue(toolbar["hidden"])
        self.assertIsNone(toolbar["barTintColor"])

    def test_the_transcript_its_entry_field_and_keyboard(self):
        # It opens at its latest message; the date line is above, in view from the top.
        latest_tree = self.tree("chat")
        latest = of_class(latest_tree, "CKTranscriptLabelCell")
        self.assertEqual([c["subviews"][0]["text"] for c in latest], ["Delivered"])
        tree = self.tree("chat", "--scroll", "0")
        transcript = only(tree, "CKTranscriptCollectionView")
        labels = of_class(tree, "CKTranscriptLabelCell")
        self.assertEqual([c["subviews"][0]["text"] for c in labels], ["Today 9:12 AM"])
        self.assertEqual(labels[0]["ivars"], ["_label"])
        colours = {b["backgroundColor"] for t in (tree, latest_tree) for b in of_class(t, "CKColoredBalloonView")}
        self.assertEqual(colours, {"0A84FFFF", "34C759FF", "E9E9EBFF"})  # iMessage, SMS, incoming
        self.assertEqual(len(of_class(latest_tree, "CKAttachmentBalloonView")), 1)
        self.assertEqual(len(of_class(latest_tree, "CKTranscriptPluginBalloonView")), 1)
        # Sent balloons end 12 points from the trailing edge, received ones start 12 from the leading one.
        for balloon in of_class(tree, "CKColoredBalloonView"):
            x, _, width, _ = balloon["frame"]
            self.assertTrue(x == 12 or abs(x + width - 378) < 1e-3, balloon["frame"])

        entry = only(tree, "CKMessageEntryView")
        self.assertEqual(entry["frame"][2], 390)
        keyboard = only(tree, "UIKBVisualEffectView")
        self.assertEqual(keyboard["frame"], [0, 844 - 291, 390, 291])
        self.assertAlmostEqual(entry["frame"][1] + entry["frame"][3], keyboard["frame"][1])
        self.assertLessEqual(transcript["frame"][1] + transcript["frame"][3], entry["frame"][1] + 1e-3)
        field = only(entry, "UITextField")
        self.assertEqual(field["placeholderColor"], "3C3C434D")  # the platform's placeholder colour
        self.assertIn("iMessage", [v.get("text") for v in walk(field)])
        self.assertEqual(len(of_class(entry, "CKBrowserSwitcherFooterView")), 1)
        self.assertEqual([v["blurStyle"] for v in of_class(entry, "UIVisualEffectView")], [10, 10])

    def test_the_menu_swipe_and_search_screens(self):
        menu = self.tree("menu")
        rows = of_class(menu, "_UIContextMenuActionView") + of_class(menu, "_UIContextMenuCellContentView")
        titles = {row["subviews"][0]["text"]: len(row["subviews"]) for row in rows}
        self.assertEqual(titles, {"Reply": 2, "Copy": 2, "Translate": 3, "More…": 2})  # one subtitle
        lists = of_class(menu, "_UIContextMenuListView")
        self.assertEqual(len(lists), 1)
        for name in ("_UIContextMenuListView", "_UIContextMenuActionsListView"):
            level = only(menu, name)
            for _ in range(4):  # the background two levels down, the backdrop two below it
                level = level["subviews"][0]

        swipe = self.tree("swipe")
        pull = only(swipe, "UISwipeActionPullView")
        self.assertEqual([b["class"] for b in pull["subviews"]], ["UISwipeActionStandardButton"] * 3)
        self.assertEqual(pull["cornerRadius"], 0)
        self.assertEqual(pull["frame"][2], 3 * 74)

        search = self.tree("search")
        self.assertEqual(len(of_class(search, "CKConversationListEmbeddedStandardTableViewCell")), 9)


class ThemedScreens(MessagesScreensCase):
    def test_an_empty_file_paints_every_surface_opaque_black(self):
        self.theme({})
        tree = self.tree("list")
        bar = only(tree, "UINavigationBar")
        self.assertEqual(bar["barTintColor"], BLACK)
        background = bar["subviews"][0]
        self.assertEqual(background["backgroundColor"], BLACK)
        self.assertEqual(background["subviews"][0]["backgroundColor"], BLACK)  # the hairline too
        field_background = only(tree, "_UISearchBarSearchFieldBackgroundView")
        self.assertEqual((field_background["backgroundColor"], field_background["cornerRadius"]), (BLACK, 10))
        self.assertEqual(only(tree, "UISearchTextField")["placeholderColor"], BLACK)
        for name in ("CKConversationListCollectionViewConversationCell", "_UICollectionViewListSeparatorView",
                     "_UIScrollViewScrollIndicator"):
            self.assertEqual({v["backgroundColor"] for v in of_class(tree, name)}, {BLACK}, name)
        for cell in of_class(tree, "CKConversationListStandardCell"):
            self.assertEqual(cell["subviews"][-2]["tintColor"], BLACK)  # chevron
            self.assertEqual(cell["subviews"][-1]["tintColor"], BLACK)  # unread dot
        self.assertFalse(any(s["hidden"] for s in of_class(tree, "_UICollectionViewListSeparatorView")))

        chat = self.tree("chat")
        self.assertEqual(only(chat, "CKTranscriptCollectionView")["backgroundColor"], BLACK)
        entry = only(chat, "CKMessageEntryView")
        self.assertEqual(entry["backgroundColor"], BLACK)
        self.assertEqual([v["alpha"] for v in of_class(entry, "UIVisualEffectView")], [0, 0])
        self.assertEqual(only(chat, "UIKBVisualEffectView")["backgroundColor"], BLACK)
        self.assertEqual(only(chat, "CKBrowserSwitcherFooterView")["backgroundColor"], BLACK)
        for label in of_class(chat, "CKTranscriptLabelCell"):
            self.assertEqual(label["subviews"][0]["textColor"], BLACK)

    def test_each_surface_takes_its_own_key(self):
        self.theme({"navbarbackground": "102030", "searchbarBackground": "203040", "searchbarIcon": "304050",
                    "searchbarPlaceholder": "405060", "conversationCellBackground": "506070",
                    "conversationSeparator": "607080", "conversationChevron": "708090",
                    "conversationUnreadIndicator": "8090A0", "conversationPinnedChatName": "90A0B0",
                    "scrollBackground": "A0B0C0", "chatBackground": "B0C0D0", "entryfieldbackground": "C0D0E0",
                    "entryfield": "D0E0F0", "drawer": "E0F0FF", "chatDateAndStatus": "F01020",
                    "contextMenuBackground": "112233", "contextMenuTitle": "223344",
                    "contextMenuSubtitle": "334455", "contextMenuIcon": "445566",
                    "conversationSwipeActionIcon": "556677", "enableConversationSwipeActionCorner": True,
                    "toolbar": "667788"})
        tree = self.tree("list")
        self.assertEqual(only(tree, "UINavigationBar")["barTintColor"], "102030FF")
        self.assertEqual(only(tree, "UIToolbar")["barTintColor"], "667788FF")  # though given nil
        self.assertEqual(only(tree, "_UISearchBarSearchFieldBackgroundView")["backgroundColor"], "203040FF")
        field = only(tree, "UISearchTextField")
        self.assertEqual(field["placeholderColor"], "405060FF")
        self.assertEqual([v["tintColor"] for v in walk(field) if v.get("image") == "magnifyingglass"],
                         ["304050FF"])
        self.assertEqual({v["backgroundColor"] for v in of_class(tree, "_UICollectionViewListSeparatorView")},
                         {"607080FF"})
        cell = of_class(tree, "CKConversationListStandardCell")[0]
        self.assertEqual((cell["subviews"][-2]["tintColor"], cell["subviews"][-1]["tintColor"]),
                         ("708090FF", "8090A0FF"))
        self.assertEqual({p["subviews"][1]["textColor"] for p in of_class(tree, "CKPinnedConversationView")},
                         {"90A0B0FF"})

        swipe = only(self.tree("swipe"), "UISwipeActionPullView")
        self.assertEqual((swipe["cornerRadius"], swipe["masksToBounds"]), (13, True))

        menu = self.tree("menu")
        listing = only(menu, "_UIContextMenuListView")
        background = listing["subviews"][0]["subviews"][0]
        backdrop = background["subviews"][0]["subviews"][0]
        self.assertEqual((background["backgroundColor"], backdrop["backgroundColor"], backdrop["alpha"]),
                         ("112233FF", "112233FF", 0))
        translate = next(r for r in of_class(menu, "_UIContextMenuActionView")
                         if r["subviews"][0]["text"] == "Translate")
        self.assertEqual([v.get("textColor", v["tintColor"]) for v in translate["subviews"]],
                         ["223344FF", "334455FF", "445566FF"])

    def test_switches_hide_separators_clear_cells_and_round_the_swipe(self):
        self.theme({"enableHideConversationSeparator": True, "enableTransparentConversationCell": True,
                    "conversationSeparator": "FF0000"})
        tree = self.tree("list")
        separators = of_class(tree, "_UICollectionViewListSeparatorView")
        self.assertTrue(all(s["hidden"] for s in separators))
        # Hidden without taking conversationSeparator: they keep the platform's separator colour.
        self.assertEqual({s["backgroundColor"] for s in separators}, {BLACK})
        self.assertEqual({c["backgroundColor"] for c in of_class(
            tree, "CKConversationListCollectionViewConversationCell")}, {"00000000"})
        self.assertEqual(only(self.tree("swipe"), "UISwipeActionPullView")["cornerRadius"], 0)

    def test_screenshot_pixels_come_from_the_theme(self):
        self.theme({"chatBackground": "123456", "imessagebubblegradient1": "FF8000",
                    "imessagebubblegradient2": "FF8000", "navbarbackground": "204060"})
        tree = self.tree("chat", "--scroll", "0")  # the iMessages come first
        sent = next(b for b in of_class(tree, "CKColoredBalloonView") if b["backgroundColor"] == "FF8000FF")
        shot = os.path.join(self.root, "chat.png")
        self.sim("messages", "screenshot", "--screen", "chat", "-o", shot, "--scale", "1", "--scroll", "0")
        image = Png(shot)
        self.assertEqual((image.width, image.height), (390, 844))
        x, y, width, height = sent["frame"]
        self.assertEqual(image.pixel(int(x + width / 2), int(y + 2)), rgb("FF8000"))
        transcript = only(tree, "CKTranscriptCollectionView")
        self.assertEqual(image.pixel(200, int(transcript["frame"][1] + 4)), rgb("123456"))
        self.assertEqual(image.pixel(300, 10), rgb("204060"))  # the bar's colour under the status bar


class PhonePictures(MessagesScreensCase):
    """What a phone shows beyond the app: balloon gradients, the status bar, the keyboard's look, swipe icons."""

    def shot(self, screen, *looks):
        path = os.path.join(self.root, screen + ".png")
        self.run_checked(*looks, "messages", "screenshot", "--screen", screen, "-o", path, "--scale", "1")
        return Png(path)

    def run_checked(self, *args):
        result = self.run_sim(*args)
        self.assertEqual(result.returncode, 0, result.stderr)
        return result.stdout

    def dark_tree(self, screen):
        return json.loads(self.run_checked("--appearance", "dark", "messages", "views", "--screen", screen, "--json"))

    def test_outgoing_balloons_run_from_the_first_colour_to_the_second_over_the_transcript(self):
        talk = os.path.join(self.root, "talk.plist")
        with open(talk, "wb") as f:
            plistlib.dump({"conversations": [{"name": "Ana", "summary": "Four", "date": "Now", "messages": [
                {"kind": "imessage", "text": "One"}, {"kind": "sms", "text": "Two"},
                {"kind": "incoming", "text": "Three"}, {"kind": "imessage", "text": "Four"},
                {"kind": "picture", "text": ""}]}]}, f)
        self.sim("init", "--conversations", talk)
        self.theme({"chatBackground": "FFFFFF", "imessagebubblegradient1": "FF0000",
                    "imessagebubblegradient2": "0000FF", "outgoingbubblegradient1": "FF0000",
                    "outgoingbubblegradient2": "0000FF", "incomingbubblegradient1": "30C030",
                    "incomingbubblegradient2": "30C030"})
        tree = self.tree("chat")
        transcript = only(tree, "CKTranscriptCollectionView")
        _, span_top, _, span_height = transcript["frame"]
        balloons = of_class(tree, "CKColoredBalloonView")
        sent = [b for b in balloons if b.get("gradientColors") == ["FF0000FF", "0000FFFF"]]
        self.assertEqual(len(sent), 3)  # two iMessages and the SMS
        self.assertTrue(all(b["frame"][1] + b["frame"][3] < span_top + span_height for b in sent))
        image = self.shot("chat")
        tops = []
        for balloon in sent:
            x, y, width, height = balloon["frame"]
            top, bottom = image.pixel(int(x + width / 2), int(y + 2)), image.pixel(int(x + width / 2),
                                                                                  int(y + height - 3))
            self.assertGreater(top[0], bottom[0] + 5, balloon["frame"])  # redder at the top edge
            self.assertLess(top[2], bottom[2] - 5)
            for row, pixel in ((int(y + 2), top), (int(y + height - 3), bottom)):
                share = (row + 0.5 - span_top) / span_height  # how far down the visible transcript
                self.assertAlmostEqual(pixel[0], 255 * (1 - share), delta=4)
                self.assertAlmostEqual(pixel[2], 255 * share, delta=4)
                self.assertLessEqual(pixel[1], 2)
            tops.append(top)
        self.assertGreater(tops[0][0], tops[1][0] + 10)  # balloons further down are bluer
        self.assertGreater(tops[1][0], tops[2][0] + 10)

        # One colour: flat from edge to edge, and no gradient in the tree.
        received = [b for b in balloons if b["backgroundColor"] == "30C030FF"]
        self.assertTrue(received)
        for balloon in received:
            self.assertNotIn("gradientColors", balloon)
            x, y, width, height = balloon["frame"]
            self.assertEqual(image.pixel(int(x + width / 2), int(y + 2)), (0x30, 0xC0, 0x30))
            self.assertEqual(image.pixel(int(x + width / 2), int(y + height - 3)), (0x30, 0xC0, 0x30))
        self.assertEqual(len(of_class(tree, "CKAttachmentBalloonView")), 1)
        self.assertNotIn("gradientColors", only(tree, "CKAttachmentBalloonView"))  # pictures take no tint

    def test_the_status_bar_keeps_the_apps_style_over_any_bar_colour(self):
        self.theme({"navbarbackground": "102030"})  # a dark bar under the light look
        for look, ink in (("light", "000000FF"), ("dark", "FFFFFFFF")):
            with self.subTest(look=look):
                args = ("--appearance", look)
                tree = json.loads(self.run_checked(*args, "messages", "views", "--screen", "list", "--json"))
                bar = only(tree, "UIStatusBar")
                self.assertEqual(bar["frame"], [0, 0, 390, 47])
                time = next(v for v in walk(bar) if v.get("text") == "9:41")
                self.assertEqual(time["textColor"], ink)
                self.assertEqual({v["tintColor"] for v in walk(bar) if "image" in v}, {ink})
                self.assertEqual(sorted(v["image"] for v in walk(bar) if "image" in v),
                                 ["battery.100", "cellularbars", "wifi"])
                indicator = only(tree, "UIHomeIndicatorView")
                self.assertEqual((indicator["frame"], indicator["backgroundColor"]), ([128, 831, 134, 5], ink))
                self.assertIs(tree["subviews"][-1], indicator)  # over everything the app shows

                image = self.shot("list", *args)
                x, y, width, height = time["frame"]
                greens = [image.pixel(px, py)[1] for px in range(int(x), int(x + width))
                          for py in range(int(y), int(y + height))]
                if look == "light":
                    self.assertLess(min(greens), 12)  # black glyphs on the 102030 bar
                else:
                    self.assertGreater(max(greens), 240)
                self.assertEqual(image.pixel(300, 10), rgb("102030"))  # the bar itself around the icons

    def test_dark_keys_and_themed_swipe_icons(self):
        self.theme({"enableVantorel": False})
        dark = self.dark_tree("chat")
        keyboard = only(dark, "UIKBVisualEffectView")
        # Received balloons turn dark grey under their white text, as the phone's do.
        received = [b for b in of_class(dark, "CKColoredBalloonView") if b["frame"][0] == 12]
        self.assertTrue(received)
        for balloon in received:
            self.assertEqual((balloon["backgroundColor"], balloon["subviews"][0]["textColor"]),
                             ("262628FF", "FFFFFFFF"))
        keys = keyboard["subviews"]
        self.assertEqual(len(keys), 10 + 9 + 9 + 3)
        for key in keys:
            self.assertLess(max(rgb(key["backgroundColor"])), 128, key)
            self.assertEqual(key["subviews"][0]["textColor"], "FFFFFFFF")
        self.assertEqual(len({key["backgroundColor"] for key in keys}), 2)  # letters and function keys

        self.theme({"conversationSwipeActionIcon": "556677"})
        tree = self.tree("swipe")
        buttons = of_class(tree, "UISwipeActionStandardButton")
        self.assertEqual(len(buttons), 3)
        icons = [next(v for v in b["subviews"] if v["class"] == "UIImageView") for b in buttons]
        self.assertEqual({icon["tintColor"] for icon in icons}, {"556677FF"})
        pin = next(icon for icon in icons if icon["image"] == "pin.fill")
        x, y, width, height = pin["frame"]
        image = self.shot("swipe")
        self.assertEqual(image.pixel(int(x + width / 2), int(y + height / 3)), rgb("556677"))


class Wallpapers(MessagesScreensCase):
    """Picked in the pane, mirrored by a respring, shown by Messages."""

    def solid_picture(self, rgb):
        path = os.path.join(self.root, "solid.png")
        with open(path, "wb") as f:
            f.write(solid_png(300, 600, rgb))
        return path

    def test_a_picked_picture_shows_behind_the_transcript_after_a_respring(self):
        self.sim("settings", "pick-image", "chatWallpaper", "--file", self.solid_picture((200, 40, 40)))
        self.sim("prefs", "set", "enableChatWallpaper", "true")
        self.sim("respring")
        tree = self.tree("chat")
        wallpaper = only(tree, "ChatWallpaper")
        transcript = only(tree, "CKTranscriptCollectionView")
        self.assertEqual(transcript["subviews"][0], wallpaper)  # behind every cell
        self.assertEqual(wallpaper["frame"], transcript["frame"])
        self.assertEqual([(v["class"], v.get("image")) for v in wallpaper["subviews"]], [("UIImageView", "file")])

        shot = os.path.join(self.root, "chat.png")
        self.sim("messages", "screenshot", "--screen", "chat", "-o", shot, "--scale", "1")
        image = Png(shot)
        covered = [b["frame"] for b in walk(transcript)
                   if b["class"].endswith("BalloonView") or b["class"] == "CKTranscriptLabelCell"]
        x0, y0, width, height = transcript["frame"]
        free = [(x, y) for x in range(int(x0) + 300, int(x0 + width) - 10, 10)
                for y in range(int(y0) + 30, int(y0 + height), 10)
                if not any(fx <= x <= fx + fw and fy <= y <= fy + fh for fx, fy, fw, fh in covered)]
        self.assertGreater(len(free), 20)
        for x, y in free:  # the strongest JPEG compression moves a flat colour, but it stays red
            red, green, blue = image.pixel(x, y)
            self.assertTrue(red > 150 and green < 90 and blue < 90, (x, y, image.pixel(x, y)))

        # Blurred, in the system material look; switched off, gone.
        self.sim("prefs", "set", "enableChatBlur", "true")
        self.sim("prefs", "set", "chatBlurStyle", "2", "--type", "integer")
        self.sim("respring")
        blurred = only(self.tree("chat"), "ChatWallpaper")
        self.assertEqual([v.get("blurStyle") for v in blurred["subviews"]], [None, 8])
        self.sim("prefs", "set", "enableChatWallpaper", "false")
        self.sim("respring")
        self.assertEqual(of_class(self.tree("chat"), "ChatWallpaper"), [])


class BadInput(MessagesScreensCase):
    def test_conversation_files_are_checked_before_they_are_used(self):
        self.assertIn("no such", self.sim_fails("init", "--conversations", "/nonexistent.plist").lower()
                      .replace("not found", "no such").replace("missing", "no such"))
        bad = os.path.join(self.root, "bad.plist")
        with open(bad, "wb") as f:
            plistlib.dump({"threads": []}, f)
        self.assertIn("conversations", self.sim_fails("init", "--conversations", bad))

        # Entries are checked too, before the device's own file is replaced.
        with open(bad, "wb") as f:
            plistlib.dump({"conversations": [{"name": "A", "messages": [{"kind": "fax", "text": "x"}]}]}, f)
        self.assertIn("unknown kind \"fax\"", self.sim_fails("init", "--conversations", bad))
        self.sim("messages", "views", "--screen", "chat")
        self.sim_fails("messages", "views", "--screen", "settings")

    def test_a_file_of_ones_own_replaces_the_sample_and_survives_init(self):
        mine = os.path.join(self.root, "mine.plist")
        with open(mine, "wb") as f:
            plistlib.dump({"conversations": [{"name": "Only One", "summary": "hi", "date": "Now"}]}, f)
        self.sim("init", "--conversations", mine)
        self.sim("init")
        tree = self.tree("list")
        self.assertEqual([c["subviews"][0]["subviews"][1]["text"]
                          for c in of_class(tree, "CKConversationListCollectionViewConversationCell")], ["Only One"])
        os.remove(self.path(CONVERSATIONS))
        empty = self.tree("chat")  # no conversations at all: an empty transcript
        self.assertEqual(of_class(empty, "CKColoredBalloonView"), [])


if __name__ == "__main__":
    unittest.main()
