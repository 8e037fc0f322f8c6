"""The preview server over plain HTTP: what it refuses, and that a change through it ends where the
command line's does."""
import json
import os
import subprocess
import tempfile
import threading
import unittest

from previewtest import Preview, SIM


class PreviewServer(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.preview = Preview()

    @classmethod
    def tearDownClass(cls):
        status, out, _ = cls.preview.stop()
        assert status == 0 and "preview stopped" in out, (status, out)

    def refused(self, status, data, expected):
        self.assertEqual(status, expected, data)
        answer = data if isinstance(data, dict) else json.loads(data)
        self.assertEqual(len(answer["error"].splitlines()), 1, answer)
        return answer["error"]

    def test_requests_from_elsewhere_are_refused_and_change_nothing(self):
        p = self.preview
        before = p.prefs_bytes()
        change = {"key": "accent", "value": "FF0000"}
        body = json.dumps(change).encode()
        json_type = {"Content-Type": "application/json"}
        # No token, a wrong one, a GET where a POST belongs.
        self.refused(*p.request("POST", "/api/set", body, json_type)[::2], 403)
        self.refused(*p.request("POST", "/api/set", body, {**json_type, "X-Vantorel-Token": "0" * 32})[::2], 403)
        self.assertNotEqual(p.request("GET", "/api/set")[0], 200)
        # DNS rebinding: the right address under another name, or another port.
        for host in ("evil.example:%d" % p.port, "127.0.0.1:1", "localhost"):
            status, _, data = p.request("GET", "/api/pages", headers={"Host": host})
            self.refused(status, data, 403)
        # Another site's page, even holding the token.
        for origin in ("http://evil.example", "http://127.0.0.1:1", "null"):
            status, _, data = p.request("POST", "/api/set", body, {**json_type, "Origin": origin}, token=True)
            self.refused(status, data, 403)
        self.assertEqual(p.prefs_bytes(), before)
        # Our own names for it are welcome.
        self.assertEqual(p.request("GET", "/api/version", headers={"Host": "localhost:%d" % p.port})[0], 200)
        self.assertEqual(p.request("GET", "/api/version", headers={"Origin": p.address.rstrip("/")})[0], 200)

    def test_bad_bodies_get_one_line_and_change_nothing(self):
        p = self.preview
        before = p.prefs_bytes()
        big = b"{" + b" " * (64 * 1024) + b"}"
        self.refused(*p.request("POST", "/api/set", big, token=True)[::2], 413)
        # Pictures may be larger, up to 20 MB; the limit is read from the header, before the body.
        status, _, data = p.request("POST", "/api/pick-image?key=chatWallpaper", b"x",
                                    {"Content-Length": str(20 * 1024 * 1024 + 1)}, token=True)
        self.refused(status, data, 413)
        for malformed in (b"{\"key\": ", b"[1, 2]", b"\xff\xfe", b""):
            self.refused(*p.request("POST", "/api/set", malformed, token=True)[::2], 400)
        for wrong in ({"key": 5, "value": "on"}, {"value": "on"}, {"key": "accent", "value": [1]}):
            self.refused(*p.post("/api/set", wrong), 400)
        for photo in ("../../../etc/passwd", "/etc/passwd", "..", ".hidden", "a\\b", "IMG_9999.JPG"):
            status, answer = p.post("/api/pick-image", {"key": "chatWallpaper", "photo": photo})
            self.assertEqual(status, 400, (photo, answer))
        status, answer = p.post("/api/pick-image?key=chatWallpaper", b"not a picture",
                                headers={"Content-Type": "image/png"})
        self.assertEqual(status, 400, answer)
        # The pane's own checks: a value its row cannot take.
        status, answer = p.post("/api/set", {"key": "accent", "value": "not-a-colour"})
        self.assertEqual(status, 400)
        self.assertIn("accent", answer["error"])
        status, answer = p.post("/api/choose", {"key": "chatBlurStyle", "entry": "Plaid"})
        self.assertEqual(status, 400, answer)
        self.assertEqual(p.prefs_bytes(), before)

    def test_every_answer_forbids_other_sources_and_caching(self):
        p = self.preview
        for path in ("/", "/app.js", "/api/version", "/api/nothing-here"):
            _, headers, _ = p.request("GET", path)
            self.assertEqual(headers.get("Content-Security-Policy"), "default-src 'self'", path)
            self.assertEqual(headers.get("Cache-Control"), "no-store", path)

    def test_pages_are_the_panes_rows(self):
        pages = self.preview.get_json("/api/pages")["pages"]
        self.assertEqual(len(pages), 11)
        chat = next(page for page in pages if page["name"] == "Chat")
        table = self.preview.sim("settings", "show", "Chat").splitlines()
        column = table[0].index("KEY")
        rows = [r for r in chat["rows"] if "group" not in r]
        self.assertEqual([r["key"] for r in rows],
                         [line[column:].split()[0] for line in table[1:] if "PSGroupCell" not in line])
        blur = next(r for r in rows if r["key"] == "chatBlurStyle")
        self.assertEqual(blur["menu"]["entries"], ["Light", "Dark", "System Material"])
        self.assertTrue(next(r for r in rows if r["key"] == "chatBackground")["opacity"])
        self.assertNotIn("opacity", next(r for r in rows if r["key"] == "chatDateAndStatus"))
        info = self.preview.get_json("/api/info?key=enableChatBlur")
        self.assertEqual(info["message"], "Covers the wallpaper with a blur.")

    def test_a_change_draws_what_the_command_line_draws(self):
        p = self.preview
        status, answer = p.post("/api/set", {"key": "chatBackground", "value": "123456"})
        self.assertEqual((status, answer), (200, {"key": "chatBackground", "value": "123456FF"}))
        status, answer = p.post("/api/pick-colour", {"key": "navbarbackground", "colour": "204060"})
        self.assertEqual(status, 200, answer)
        status, headers, served = p.request("GET", "/api/screens/chat.png?appearance=dark&scale=2")
        self.assertEqual(status, 200)
        self.assertGreater(float(headers["X-Redraw-Milliseconds"]), 0)
        # The same steps on a second device, through the verbs.
        with tempfile.TemporaryDirectory() as other:
            def sim(*args):
                result = subprocess.run([SIM, "--device", other] + list(args), capture_output=True, text=True)
                self.assertEqual(result.returncode, 0, result.stderr)
            sim("init")
            sim("settings", "set", "chatBackground", "123456")
            sim("settings", "pick-colour", "navbarbackground", "204060")
            sim("respring")
            shot = os.path.join(other, "chat.png")
            sim("--appearance", "dark", "messages", "screenshot", "--screen", "chat", "--scale", "2", "-o", shot)
            with open(shot, "rb") as f:
                self.assertEqual(served, f.read())

    def test_four_clients_lose_no_update(self):
        p = self.preview
        keys = ["red", "yellow", "green", "indigo", "primarylabel", "secondarylabel", "tertiarylabel",
                "quaternarylabel"]
        failures = []

        def client(mine):
            for i, key in enumerate(mine):
                status, answer = p.post("/api/set", {"key": key, "value": "%02X%02X%02X" % (16 * i, 40, 200)})
                if status != 200:
                    failures.append(answer)
                p.request("GET", "/api/screens/list.png?scale=1")
        threads = [threading.Thread(target=client, args=(keys[n::4],)) for n in range(4)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        self.assertEqual(failures, [])
        stored = p.sim("prefs", "dump")
        for n in range(4):
            for i, key in enumerate(keys[n::4]):
                self.assertIn("%s = %02X%02X%02XFF" % (key, 16 * i, 40, 200), stored)


if __name__ == "__main__":
    unittest.main()
