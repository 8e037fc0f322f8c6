"""`settings views`: the pane's pages as the Settings app lays them out on a 390-point screen."""
import json
import re
import unittest

from simtest import SimTestCase

KEYS = ["class", "frame", "alpha", "hidden", "backgroundColor", "tintColor", "cornerRadius",
        "masksToBounds", "subviews"]
COLOUR = re.compile(r"^[0-9A-F]{8}$")


def walk(node, depth=0):
    yield node, depth
    for child in node["subviews"]:
        yield from walk(child, depth + 1)


class SettingsViews(SimTestCase):
    def tree(self, page):
        return json.loads(self.sim("settings", "views", page, "--json"))

    def test_root_rows_sit_in_inset_cards_of_a_390_point_window(self):
        root = self.tree("Root")
        self.assertEqual(root["class"], "UITableView")
        x, y, width, height = root["frame"]
        self.assertEqual((x, width), (0, 390))
        self.assertGreater(y, 0)  # below the navigation bar
        self.assertAlmostEqual(y + height, 844)

        rows = root["subviews"]
        cells = [row for row in rows if row["class"].endswith("Cell")]
        self.assertGreaterEqual(len(cells), 5)
        bottom = y
        for row in rows:  # stacked from the top, nothing overlapping
            self.assertGreaterEqual(row["frame"][1] + 1e-3, bottom, row)
            bottom = row["frame"][1] + row["frame"][3]
        for cell in cells:
            self.assertEqual(cell["frame"][0], 20)
            self.assertEqual(cell["frame"][2:], [350, 44])
            self.assertEqual(cell["backgroundColor"], "FFFFFFFF")

        # A card's first and last rows round their corners, the rows between do not.
        runs, current = [], []
        for row in rows:
            if row["class"].endswith("Cell"):
                current.append(row)
            elif current:
                runs.append(current)
                current = []
        runs.append(current)
        for run in filter(None, runs):
            for index, cell in enumerate(run):
                edge = index in (0, len(run) - 1)
                self.assertEqual(cell["cornerRadius"], 10 if edge else 0)
                self.assertEqual(cell["masksToBounds"], edge)
            for upper, lower in zip(run, run[1:]):
                self.assertAlmostEqual(upper["frame"][1] + 44, lower["frame"][1])

        # Section titles are labels in capitals inside the card's margins.
        titles = [row for row in rows if row["class"] == "UILabel" and row["text"].isupper()]
        self.assertIn("MESSAGES", [title["text"] for title in titles])
        for title in titles:
            self.assertGreaterEqual(title["frame"][0], 36)
            self.assertLessEqual(title["frame"][0] + title["frame"][2], 354)

        # The master switch: right-aligned in its row, centred on it.
        switch = next(node for node, _ in walk(root) if node["class"] == "UISwitch")
        owner = next(cell for cell in cells if switch in cell["subviews"])
        self.assertEqual(switch["frame"][2:], [51, 31])
        self.assertEqual(switch["frame"][0] + 51, owner["frame"][0] + 350 - 16)
        self.assertAlmostEqual(switch["frame"][1] + 15.5, owner["frame"][1] + 22, places=2)

    def test_every_node_carries_every_key_and_colours_are_hex_or_null(self):
        for page in ["Chat", "Misc"]:
            for node, _ in walk(self.tree(page)):
                self.assertEqual([key for key in node if key in KEYS], KEYS, node["class"])
                for key in ("backgroundColor", "tintColor"):
                    self.assertTrue(node[key] is None or COLOUR.match(node[key]), node[key])
                self.assertEqual(len(node["frame"]), 4)
                self.assertEqual("text" in node, node["class"] == "UILabel")
                if "text" in node:
                    self.assertTrue(COLOUR.match(node["textColor"]))
                self.assertTrue(0 <= node["frame"][0] and node["frame"][0] + node["frame"][2] <= 390, node)

    def test_the_text_form_has_one_line_per_view_indented_by_depth(self):
        tree = self.tree("Chat")  # the page, then the status bar and home indicator over it
        nodes = list(walk(tree)) + [node for system in tree["systemViews"] for node in walk(system)]
        lines = self.sim("settings", "views", "Chat").splitlines()
        self.assertEqual(len(lines), len(nodes))
        for line, (node, depth) in zip(lines, nodes):
            self.assertTrue(line.startswith("  " * depth + node["class"] + " ("), line)

    def test_the_status_bar_and_home_indicator_follow_the_look_not_the_page(self):
        for look, ink in (("light", "000000FF"), ("dark", "FFFFFFFF")):
            result = self.run_sim("--appearance", look, "settings", "views", "Root", "--json")
            self.assertEqual(result.returncode, 0, result.stderr)
            bar, indicator = json.loads(result.stdout)["systemViews"]
            self.assertEqual((bar["class"], bar["frame"]), ("UIStatusBar", [0, 0, 390, 47]))
            self.assertEqual([(v["text"], v["textColor"]) for v, _ in walk(bar) if "text" in v], [("9:41", ink)])
            self.assertEqual((indicator["class"], indicator["backgroundColor"]), ("UIHomeIndicatorView", ink))

    def test_an_unknown_page_is_named(self):
        self.assertIn("no page", self.sim_fails("settings", "views", "Nowhere"))


if __name__ == "__main__":
    unittest.main()
