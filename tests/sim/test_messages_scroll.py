"""Long lists and transcripts: only the cells in view exist, and `--scroll` moves through them."""
import json
import os
import plistlib
import unittest

from pngprobe import Png
from simtest import SimTestCase
from test_messages_screens import MessagesScreensCase, of_class, only, walk

ROW = 76


def conversations(count, messages=()):
    return {"conversations": [{"name": f"Person {i}", "summary": f"Summary {i}", "date": "Now",
                               "messages": list(messages) if i == 0 else []} for i in range(count)]}


class ScrollCase(MessagesScreensCase):
    def setUp(self):
        super().setUp()
        self.theme({"enableVantorel": False})

    def use(self, content):
        path = os.path.join(self.root, "talk.plist")
        with open(path, "wb") as f:
            plistlib.dump(content, f)
        self.sim("init", "--conversations", path)

    def names(self, tree):
        """The names of the conversation cells in view, top to bottom, with their frames."""
        cells = of_class(tree, "CKConversationListCollectionViewConversationCell")
        return [(next(v["text"] for v in walk(c) if v.get("text", "").startswith("Person")), c["frame"])
                for c in cells]


class ListScrolling(ScrollCase):
    def test_only_the_cells_in_view_exist_however_long_the_list(self):
        counts = {}
        for total in (50, 5000):
            self.use(conversations(total))
            tree = self.tree("list")
            list_view = only(tree, "UICollectionView")
            _, top, _, height = list_view["frame"]
            names = self.names(tree)
            counts[total] = len(names)
            for _, (_, y, _, h) in names:  # each meets the list's bounds, give or take a small margin
                self.assertLess(y, top + height + 80)
                self.assertGreater(y + h, top - 80)
            self.assertEqual(names[0][0], "Person 0")
        self.assertEqual(counts[50], counts[5000])
        self.assertLess(counts[5000], 844 // ROW + 3)

    def test_scroll_positions_first_middle_end_and_past_the_end(self):
        self.use(conversations(500))
        first = self.names(self.tree("list", "--scroll", "0"))
        self.assertEqual(first[0][0], "Person 0")
        middle = self.names(self.tree("list", "--scroll", str(250 * ROW)))
        self.assertIn("Person 250", [name for name, _ in middle])
        self.assertNotIn("Person 0", [name for name, _ in middle])

        end = self.tree("list", "--scroll", "1000000")
        list_view = only(end, "UICollectionView")
        names = self.names(end)
        self.assertEqual(names[-1][0], "Person 499")
        _, y, _, h = names[-1][1]
        self.assertAlmostEqual(y + h, list_view["frame"][1] + list_view["frame"][3], places=3)
        # Past the end rests where the end does.
        exact_end = self.tree("list", "--scroll", str(float(names[-1][1][1] - names[0][1][1])))
        self.assertEqual(self.names(self.tree("list", "--scroll", "99999999")), names)
        self.assertNotEqual(self.names(exact_end), first)

    def test_search_results_scroll_too(self):
        self.use(conversations(300))
        results = of_class(self.tree("search", "--scroll", "100000"), "CKConversationListEmbeddedStandardTableViewCell")
        self.assertLess(len(results), 844 // ROW + 3)
        self.assertIn("Person 299", [v.get("text") for r in results for v in walk(r)])

    def test_offsets_that_are_no_number_of_points_are_refused(self):
        for bad in ("-1", "abc", "nan", "inf", "", " 5", "1e999"):
            self.assertIn("--scroll", self.sim_fails("messages", "views", "--screen", "list", "--scroll", bad))
        self.sim_fails("messages", "views", "--screen", "swipe", "--scroll", "10")
        out = os.path.join(self.root, "x.png")
        self.sim_fails("messages", "screenshot", "--screen", "menu", "--scroll", "10", "-o", out)
        self.sim_fails("messages", "screenshot", "--screen", "list", "--scroll", "-5", "-o", out)
        self.assertFalse(os.path.exists(out))


class TranscriptScrolling(ScrollCase):
    MESSAGES = [{"kind": ["imessage", "incoming"][i % 2], "text": f"Message {i}"} for i in range(1000)]

    def texts(self, tree):
        return [v["text"] for b in of_class(tree, "CKColoredBalloonView") for v in walk(b) if "text" in v]

    def test_the_transcript_opens_at_its_latest_message_and_scrolls_from_the_top(self):
        self.use(conversations(3, self.MESSAGES))
        latest = self.tree("chat")
        self.assertEqual(self.texts(latest)[-1], "Message 999")
        self.assertLess(len(of_class(latest, "CKTranscriptMessageCell")), 30)
        top = self.texts(self.tree("chat", "--scroll", "0"))
        self.assertEqual(top[0], "Message 0")
        self.assertNotIn("Message 999", top)
        self.assertEqual(self.texts(self.tree("chat", "--scroll", "10000000")), self.texts(latest))

    def test_balloon_colour_changes_as_it_scrolls(self):
        self.use(conversations(1, [{"kind": "imessage", "text": f"Note {i}"} for i in range(40)]))
        self.theme({"imessagebubblegradient1": "FF0000", "imessagebubblegradient2": "0000FF"})
        seen = {}
        for scroll in ("0", "120"):
            tree = self.tree("chat", "--scroll", scroll)
            balloon = next(b for b in of_class(tree, "CKColoredBalloonView")
                           if any(v.get("text") == "Note 5" for v in walk(b)))
            shot = os.path.join(self.root, f"chat-{scroll}.png")
            self.sim("messages", "screenshot", "--screen", "chat", "-o", shot, "--scale", "1", "--scroll", scroll)
            x, y, width, height = balloon["frame"]
            seen[scroll] = (y, Png(shot).pixel(int(x + width / 2), int(y + height / 2)))
        (y_top, at_top), (y_scrolled, scrolled) = seen["0"], seen["120"]
        self.assertAlmostEqual(y_top - y_scrolled, 120, delta=1)
        # Higher on the screen, the same balloon is redder and less blue.
        self.assertGreater(scrolled[0], at_top[0] + 20)
        self.assertLess(scrolled[2], at_top[2] - 20)


if __name__ == "__main__":
    unittest.main()
