"""The device's host programs name the kind of failure in their exit status
(platform/hosts/support/HostExitStatus.h); the CLI maps the status, not the text."""
import os
import subprocess

from simtest import NOBODY, SimTestCase

BIN = os.path.dirname(os.path.abspath(os.environ.get("VANTOREL_SIM", "vantorel-sim")))
REFUSED, UNREADABLE_FILE = 2, 3


class HostStatuses(SimTestCase):
    def host(self, program, *args, unprivileged=False):
        command = [os.path.join(BIN, program), *args]
        if unprivileged and os.geteuid() == 0:
            subprocess.run(["chown", "-R", f"{NOBODY}:{NOBODY}", self.root], check=True)
            os.chmod(self.root, 0o755)
            command = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", *command]
        env = dict(os.environ, SIMDEVICE_ROOT=self.root)
        return subprocess.run(command, capture_output=True, text=True, timeout=120, env=env)

    def settings(self, *args, **kwargs):
        return self.host("Preferences", "--pane", "VantorelPrefs", *args, **kwargs)

    def test_the_settings_app_refuses_unknown_pages_keys_and_verbs_with_status_2(self):
        for args, says in [(("show", "Nowhere"), "no page"),
                           (("menu", "noSuchKey"), "no row stores the key"),
                           (("set", "enableVantorel", "maybe"), "is a switch"),
                           (("pick-image", "chatWallpaper"), "--photo NAME, --file FILE or --cancel"),
                           (("screenshot", "Root", "x.png", "0"), ""),
                           (("dance",), "")]:
            result = self.settings(*args)
            self.assertEqual(result.returncode, REFUSED, f"{args}: {result.stderr}")
            self.assertIn(says, result.stderr, args)

    def test_a_missing_pane_or_picture_is_an_unreadable_file(self):
        result = self.host("Preferences", "--pane", "Missing", "pages")
        self.assertEqual(result.returncode, UNREADABLE_FILE, result.stderr)
        self.assertIn('no settings pane "Missing" is installed', result.stderr)
        result = self.settings("pick-image", "chatWallpaper", "--file", os.path.join(self.root, "none.png"))
        self.assertEqual(result.returncode, UNREADABLE_FILE, result.stderr)

    def test_a_change_the_file_does_not_keep_is_an_unreadable_file_not_a_refusal(self):
        os.chmod(self.path("var/mobile/Library/Preferences"), 0o555)
        result = self.settings("set", "enableVantorel", "off", unprivileged=True)
        if os.geteuid() != 0 and os.access(self.path("var/mobile/Library/Preferences"), os.W_OK):
            self.skipTest("the folder stays writable for this user")
        self.assertEqual(result.returncode, UNREADABLE_FILE, result.stderr)
        self.assertIn("was not saved", result.stderr)
        # The CLI turns the status into its own one-line error.
        error = self.run_sim_unprivileged("settings", "set", "enableVantorel", "off")
        self.assertEqual(error.returncode, 2, error.stderr)
        self.assertEqual(error.stderr.strip().splitlines(),
                         ["vantorel-sim: the change of enableVantorel was not saved (is the preference file writable?)"])

    def test_values_that_look_like_options_stay_values(self):
        # The CLI passes values after "--": a value starting with "-" reaches the row.
        self.assertIn("chatBlurStyle is one of", self.sim_fails("settings", "choose", "chatBlurStyle", "--", "-1"))
        result = self.settings("set", "--", "primarylabel", "-FF")
        self.assertEqual(result.returncode, REFUSED, result.stderr)
        self.assertIn("primarylabel is a colour", result.stderr)

    def test_messages_names_an_unknown_screen_and_an_unreadable_conversations_file(self):
        result = self.host("MobileSMS", "views", "--screen", "nowhere")
        self.assertEqual(result.returncode, REFUSED, result.stderr)
        with open(self.path("var/mobile/Library/SMS/conversations.plist"), "w") as f:
            f.write("not a property list")
        result = self.host("MobileSMS", "views", "--screen", "list")
        self.assertEqual(result.returncode, UNREADABLE_FILE, result.stderr)
        self.assertIn("the conversations cannot be shown", result.stderr)
