"""The preview page in a real browser (headless Chromium through Selenium): what a user does on the
page reaches Messages, and the pictures show it."""
import hashlib
import os
import shutil
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

from pngprobe import Png, solid_png
from previewtest import Preview

WAIT = 300  # seconds: every change is a pane, a respring and five Messages processes


def browser():
    options = webdriver.ChromeOptions()
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--window-size=1400,1600"):
        options.add_argument(flag)
    profile = tempfile.mkdtemp(prefix="vantorel-chromium-")
    options.add_argument("--user-data-dir=" + profile)
    options.binary_location = "/usr/bin/chromium"
    driver = webdriver.Chrome(service=Service(executable_path="/usr/bin/chromedriver"),
                              options=options)
    return driver, profile


class PreviewPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.preview = Preview()
        cls.driver, cls.profile = browser()  # one browser for every case: each start costs seconds
        cls.driver.get(cls.preview.address)
        cls.settled()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.profile, ignore_errors=True)
        cls.preview.stop()

    @classmethod
    def settled(cls, after=None):
        """Waits until the page shows a version other than `after` with every picture drawn for it."""
        def ready(driver):
            return driver.execute_script("""
                const v = document.body.dataset.version;
                if (!v || v === arguments[0]) return null;
                const shots = [...document.querySelectorAll('img[data-screen]')];
                return shots.every(img => img.dataset.version && img.dataset.version.startsWith(v + '/')) ? v : null;
            """, after)
        return WebDriverWait(cls.driver, WAIT).until(ready)

    def chat_png(self, appearance="light"):
        status, _, data = self.preview.request("GET", f"/api/screens/chat.png?appearance={appearance}&scale=2")
        self.assertEqual(status, 200)
        path = os.path.join(self.preview.root, "served.png")
        with open(path, "wb") as f:
            f.write(data)
        return data, Png(path)

    def set_colour(self, key, hex6):
        """As a user does: the colour input takes a value and reports it."""
        before = self.driver.execute_script("return document.body.dataset.version")
        field = self.driver.find_element(By.CSS_SELECTOR, f'input[type=color][data-key="{key}"]')
        self.driver.execute_script("""
            arguments[0].value = arguments[1];
            arguments[0].dispatchEvent(new Event('input', {bubbles: true}));
            arguments[0].dispatchEvent(new Event('change', {bubbles: true}));
        """, field, "#" + hex6.lower())
        return self.settled(before)

    def status_line(self):
        return self.driver.find_element(By.ID, "status")

    def test_1_the_page_lists_the_panes_eleven_pages(self):
        names = [s.get_attribute("data-page") for s in self.driver.find_elements(By.CSS_SELECTOR, "section.page")]
        self.assertEqual(len(names), 11)
        self.assertEqual(names[:3], ["Root", "ConversationList", "Chat"])
        toggles = self.driver.find_elements(By.CSS_SELECTOR, 'input.toggle[data-key="enableVantorel"]')
        self.assertEqual(len(toggles), 1)
        self.assertTrue(toggles[0].is_selected())

    def test_2_a_colour_input_redraws_the_chat_with_that_colour(self):
        before, _ = self.chat_png()
        self.set_colour("chatBackground", "2E8B57")
        after, image = self.chat_png()
        self.assertNotEqual(before, after)
        # The transcript's background, below the bar and left of every balloon.
        self.assertEqual(image.pixel(20, 400), (0x2E, 0x8B, 0x57))
        shown = self.driver.find_element(By.CSS_SELECTOR, 'img[data-screen="chat"]').get_attribute("src")
        self.assertIn("appearance=light", shown)

    def test_3_a_refused_value_shows_its_reason_and_changes_nothing(self):
        before = self.preview.prefs_bytes()
        version = self.driver.execute_script("return document.body.dataset.version")
        # A menu entry the pane does not have, as a tampered page would send it.
        self.driver.execute_script("""
            const menu = document.querySelector('select[data-key="chatBlurStyle"]');
            menu.append(new Option('Plaid', 'Plaid'));
            menu.value = 'Plaid';
            menu.dispatchEvent(new Event('change', {bubbles: true}));
        """)
        WebDriverWait(self.driver, WAIT).until(lambda d: "error" in self.status_line().get_attribute("class"))
        reason = self.status_line().text
        self.assertIn("chatBlurStyle is one of", reason)
        self.assertEqual(len(reason.splitlines()), 1)
        self.assertEqual(self.preview.prefs_bytes(), before)
        self.assertEqual(self.driver.execute_script("return document.body.dataset.version"), version)

    def test_5_a_preset_changes_several_surfaces(self):
        _, plain = self.chat_png()
        before = self.driver.execute_script("return document.body.dataset.version")
        Select(self.driver.find_element(By.ID, "preset")).select_by_value("paper")
        self.driver.find_element(By.ID, "preset-apply").click()
        self.settled(before)
        _, themed = self.chat_png()
        points = [(20, 400), (600, 60), (772, 958), (400, 1670)]  # transcript, bar, entry bar, keyboard
        changed = [point for point in points if plain.pixel(*point) != themed.pixel(*point)]
        self.assertGreaterEqual(len(changed), 3, [(p, plain.pixel(*p), themed.pixel(*p)) for p in points])

    def test_6_an_uploaded_wallpaper_shows_behind_the_transcript(self):
        picture = os.path.join(self.preview.root, "magenta.png")
        with open(picture, "wb") as f:
            f.write(solid_png(300, 600, (220, 0, 220)))
        before = self.driver.execute_script("return document.body.dataset.version")
        self.driver.find_element(By.CSS_SELECTOR, 'input[type=file][data-upload="chatWallpaper"]').send_keys(picture)
        before = self.settled(before)
        toggle = self.driver.find_element(By.CSS_SELECTOR, 'input.toggle[data-key="enableChatWallpaper"]')
        self.assertFalse(toggle.is_selected())
        toggle.click()
        self.settled(before)
        _, image = self.chat_png()
        red, green, blue = image.pixel(20, 400)
        self.assertTrue(red > 150 and green < 90 and blue > 150, image.pixel(20, 400))

    def test_4_dark_switches_the_pictures(self):
        light = self.driver.find_element(By.CSS_SELECTOR, 'img[data-screen="list"]').get_attribute("src")
        self.driver.find_element(By.ID, "dark").click()
        WebDriverWait(self.driver, WAIT).until(lambda d: all(
            img.get_attribute("data-version").endswith("/dark")
            for img in d.find_elements(By.CSS_SELECTOR, "img[data-screen]")))
        dark = self.driver.find_element(By.CSS_SELECTOR, 'img[data-screen="list"]').get_attribute("src")
        self.assertIn("appearance=dark", dark)
        # Before a preset sets every colour, the keyboard still follows the look.
        self.assertNotEqual(hashlib.sha256(self.chat_png("light")[0]).hexdigest(),
                            hashlib.sha256(self.chat_png("dark")[0]).hexdigest())
        self.driver.find_element(By.CSS_SELECTOR, 'input[name=appearance][value=light]').click()
        self.assertNotEqual(light, dark)

    def test_7_a_second_tab_follows_a_change(self):
        self.driver.switch_to.new_window("tab")
        try:
            self.driver.get(self.preview.address)
            version = self.settled()
            status, _ = self.preview.post("/api/set", {"key": "accent", "value": "FF2D55"})
            self.assertEqual(status, 200)
            self.settled(version)
            swatch = self.driver.find_element(By.CSS_SELECTOR, 'input[type=color][data-key="accent"]')
            self.assertEqual(swatch.get_attribute("value"), "#ff2d55")
        finally:
            self.driver.close()
            self.driver.switch_to.window(self.driver.window_handles[0])


if __name__ == "__main__":
    unittest.main()
