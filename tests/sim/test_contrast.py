"""The contrast check against an independent WCAG 2 computation."""
import colorsys
import random
import re
import unittest

from themetest import DeviceCase

LINE = re.compile(r"^(\w+) on (\w+) +(\d+\.\d\d)  (AAA|AA|large|fail)"
                  r"(?: +nearest passing: ([0-9A-F]{8}) \((\d+\.\d\d)(, opaque)?\))?$")

# Bottom layer first, over the window's black; (key, switch that makes it clear).
TRANSCRIPT = [("primaryBackground", None), ("chatBackground", None)]
LIST = [("primaryBackground", None), ("conversationBackground", None)]
CELL = LIST + [("conversationCellBackground", "enableTransparentConversationCell")]
ENTRY = TRANSCRIPT + [("entryfieldbackground", None), ("entryfield", None)]
MENU = TRANSCRIPT + [("contextMenuBackground", None)]
STACKS = {
    ("imessagetext", "imessagebubblegradient1"): TRANSCRIPT + [("imessagebubblegradient1", None)],
    ("imessagetext", "imessagebubblegradient2"): TRANSCRIPT + [("imessagebubblegradient2", None)],
    ("smstext", "outgoingbubblegradient1"): TRANSCRIPT + [("outgoingbubblegradient1", None)],
    ("smstext", "outgoingbubblegradient2"): TRANSCRIPT + [("outgoingbubblegradient2", None)],
    ("incomingtext", "incomingbubblegradient1"): TRANSCRIPT + [("incomingbubblegradient1", None)],
    ("incomingtext", "incomingbubblegradient2"): TRANSCRIPT + [("incomingbubblegradient2", None)],
    ("conversationName", "conversationCellBackground"): CELL,
    ("conversationSummary", "conversationCellBackground"): CELL,
    ("conversationPinnedChatName", "conversationBackground"): LIST,
    ("chatTitleName", "navbarbackground"): TRANSCRIPT + [("navbarbackground", None)],
    ("chatDateAndStatus", "chatBackground"): TRANSCRIPT,
    ("chatEntryFieldText", "entryfield"): ENTRY,
    ("chatEntryFieldTextPlaceholder", "entryfield"): ENTRY,
    ("searchbarPlaceholder", "searchbarBackground"): LIST + [("navbarbackground", None),
                                                             ("searchbarBackground", None)],
    ("contextMenuTitle", "contextMenuBackground"): MENU,
    ("contextMenuSubtitle", "contextMenuBackground"): MENU,
}


def rgba(hex8):
    return tuple(int(hex8[i:i + 2], 16) / 255 for i in range(0, 8, 2))


def luminance(c):
    def lin(v):
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    return 0.2126 * lin(c[0]) + 0.7152 * lin(c[1]) + 0.0722 * lin(c[2])


def ratio(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


def over(top, below):
    a = top[3] + below[3] * (1 - top[3])
    return tuple((t * top[3] + b * below[3] * (1 - top[3])) / a for t, b in zip(top[:3], below[:3])) + (a,)


def expected_ratio(values, text, stack):
    background = (0.0, 0.0, 0.0, 1.0)
    for key, clear in stack:
        if clear and values.get(clear):
            continue
        background = over(rgba(values.get(key, "000000FF")), background)
    return ratio(over(rgba(values.get(text, "000000FF")), background), background), background


class ContrastCase(DeviceCase):
    def store(self, values):
        for key, value in values.items():
            if isinstance(value, bool):
                self.sim("prefs", "set", key, "yes" if value else "no", "--type", "bool")
            else:
                self.sim("prefs", "set", key, value)

    def lines(self, *args):
        result = self.run_status("contrast", *args)
        self.assertEqual(result.returncode, 0, result.stderr)
        parsed = {}
        for line in result.stdout.splitlines():
            if line.startswith("not checked"):
                continue
            match = LINE.match(line)
            self.assertTrue(match, line)
            parsed[match.group(1), match.group(2)] = match.groups()[2:]
        return parsed

    def ratio_of(self, text, background):
        return float(self.lines()[text, background][0])


class KnownPairs(ContrastCase):
    def test_black_on_white_and_the_grey_at_the_aa_edge(self):
        self.store({"chatBackground": "FFFFFFFF", "chatDateAndStatus": "000000FF"})
        self.assertEqual(self.lines()["chatDateAndStatus", "chatBackground"][:2], ("21.00", "AAA"))
        self.store({"chatDateAndStatus": "#767676"})
        self.assertEqual(self.lines()["chatDateAndStatus", "chatBackground"][:2], ("4.54", "AA"))
        # 2.995: shown cut, not rounded, so the figure never claims a level it misses.
        self.store({"chatDateAndStatus": "959595FF"})
        self.assertEqual(self.lines()["chatDateAndStatus", "chatBackground"][:2], ("2.99", "fail"))
        self.store({"chatDateAndStatus": "949494FF"})  # 3.03
        self.assertEqual(self.lines()["chatDateAndStatus", "chatBackground"][:2], ("3.03", "large"))
        self.store({"chatDateAndStatus": "595959FF"})  # 7.00
        self.assertEqual(self.lines()["chatDateAndStatus", "chatBackground"][1], "AAA")

    def test_every_pair_matches_the_independent_figures_with_translucent_layers(self):
        generator = random.Random(15)
        keys = {key for stack in STACKS.values() for key, _ in stack} | {text for text, _ in STACKS}
        for round_ in range(3):
            values = {key: "%02X%02X%02X%02X" % (generator.randrange(256), generator.randrange(256),
                                                 generator.randrange(256), generator.choice([255, 200, 128, 40]))
                      for key in sorted(keys)}
            values["enableTransparentConversationCell"] = round_ == 1
            self.store(values)
            lines = self.lines()
            for (text, background), stack in STACKS.items():
                shown = "conversationBackground" if round_ == 1 and stack is CELL else background
                with self.subTest(round=round_, text=text, background=shown):
                    figure, level, suggestion, suggested_ratio, opaque = lines[text, shown]
                    want, behind = expected_ratio(values, text, stack)
                    self.assertAlmostEqual(float(figure), want, delta=0.0101)
                    self.assertLessEqual(float(figure), want + 1e-9)
                    self.assertEqual(level, "AAA" if want >= 7 else "AA" if want >= 4.5 else
                                     "large" if want >= 3 else "fail")
                    self.assertEqual(suggestion is None, want >= 4.5)
                    if suggestion:
                        self.check_suggestion(values[text], behind, suggestion, float(suggested_ratio), opaque)

    def check_suggestion(self, original, behind, suggestion, shown_ratio, opaque):
        """Same hue and saturation, passes, and no nearer lightness does."""
        before, after = rgba(original), rgba(suggestion)
        alpha = 1.0 if opaque else before[3]
        self.assertAlmostEqual(after[3], alpha, delta=1 / 255)
        reached = ratio(over(after, behind), behind)
        self.assertGreaterEqual(reached, 4.5)
        self.assertAlmostEqual(reached, shown_ratio, delta=0.0101)
        h0, l0, s0 = colorsys.rgb_to_hls(*before[:3])
        h1, l1, s1 = colorsys.rgb_to_hls(*after[:3])
        if 0.02 < l1 < 0.98 and s0 > 0.1 and s1 > 0.1:
            self.assertLess(min(abs(h1 - h0), 1 - abs(h1 - h0)), 0.02)
        if abs(l1 - l0) > 0.02:
            nearer = l1 - 0.01 if l1 > l0 else l1 + 0.01
            rgb = tuple(round(v * 255) / 255 for v in colorsys.hls_to_rgb(h0, nearer, s0))
            self.assertLess(ratio(over(rgb + (alpha,), behind), behind), 4.5)


class Behaviour(ContrastCase):
    def test_strict_fails_only_under_aa(self):
        texts = {text: "FFFFFFFF" for text, _ in STACKS}  # white on the default black everywhere
        self.store(texts)
        dark = ("--appearance", "dark")  # where the status bar's text is white too
        self.assertEqual(self.run_status(*dark, "contrast", "--strict").returncode, 0)
        self.store({"chatTitleName": "808080FF"})  # 5.32 on black: AA passes
        self.assertEqual(self.run_status(*dark, "contrast", "--strict").returncode, 0)
        self.store({"chatTitleName": "6A6A6AFF"})  # 3.8: large text only
        result = self.run_status(*dark, "contrast", "--strict")
        self.assertEqual(result.returncode, 1, result.stdout)
        self.assertIn("1 pair under 4.5", result.stdout)
        self.assertEqual(self.run_status("contrast").returncode, 0)

    def test_the_status_bar_text_keeps_the_looks_colour_on_the_themed_bar(self):
        self.store({"navbarbackground": "102030FF", "chatTitleName": "FFFFFFFF"})
        light = self.lines()["statusBarText", "navbarbackground"]
        self.assertEqual(light[:2], ("%.2f" % (int(ratio((0, 0, 0), rgba("102030FF")) * 100) / 100), "fail"))
        self.assertIsNone(light[2])  # the text is not the user's to change: no suggestion
        result = self.run_status("--appearance", "dark", "contrast")
        dark = next(line for line in result.stdout.splitlines() if line.startswith("statusBarText on"))
        self.assertEqual(LINE.match(dark).group(4), "AAA")
        self.store({"navbarbackground": "F2F2F7FF"})
        self.assertEqual(self.lines()["statusBarText", "navbarbackground"][1], "AAA")

    def test_transparent_cells_put_the_text_on_the_list(self):
        self.store({"conversationBackground": "000000FF", "conversationCellBackground": "FFFFFFFF",
                    "conversationName": "FFFFFFFF"})
        self.assertEqual(self.ratio_of("conversationName", "conversationCellBackground"), 1.0)
        self.store({"enableTransparentConversationCell": True})
        self.assertEqual(self.ratio_of("conversationName", "conversationBackground"), 21.0)

    def test_names_answer_through_the_users_own_keys(self):
        self.store({"conversationName": "default", "primarylabel": "FFFFFFFF"})
        self.assertEqual(self.ratio_of("conversationName", "conversationCellBackground"), 21.0)
        self.store({"primarylabel": "tertiary", "tertiarylabel": "default"})  # a loop ends, it does not hang
        self.ratio_of("conversationName", "conversationCellBackground")

    def test_wallpaper_screens_are_named_as_unchecked(self):
        self.store({"enableChatWallpaper": True})
        out = self.sim("contrast")
        self.assertIn("not checked: text over the chat wallpaper", out)
        self.assertNotIn("conversation list wallpaper", out)


if __name__ == "__main__":
    unittest.main()
