"""Shared set-up for the tests that drive vantorel-sim from outside."""
import atexit
import os
import plistlib
import shutil
import subprocess
import tempfile
import unittest

SIM = os.environ.get("VANTOREL_SIM", "vantorel-sim")
PREFS = "var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist"
NOBODY = 65534

_template = None


def device_template():
    """A device laid out by `init` once per test process; every test starts from a copy.

    Under the sanitizers `init` (dpkg included) costs seconds, a copy a few
    milliseconds; tests of `init` itself still run it on their own device."""
    global _template
    if _template is None:
        folder = tempfile.mkdtemp(prefix="vantorel-sim-template-")
        atexit.register(shutil.rmtree, folder, ignore_errors=True)
        made = subprocess.run([SIM, "--device", folder, "init"], capture_output=True, text=True, timeout=120)
        if made.returncode != 0:
            raise RuntimeError(f"init of the device template failed: {made.stderr}")
        _template = folder
    return _template


class SimTestCase(unittest.TestCase):
    """Each test gets a fresh simulated device in a temporary folder."""

    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="vantorel-sim-test-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        shutil.copytree(device_template(), self.root, symlinks=True, dirs_exist_ok=True)

    def run_sim(self, *args, device=True):
        command = [SIM] + (["--device", self.root] if device else []) + list(args)
        return subprocess.run(command, capture_output=True, text=True, timeout=120)

    def run_sim_unprivileged(self, *args):
        """The CLI as a plain user, so that folder permissions hold when the tests run as root (as CI does)."""
        command = [SIM, "--device", self.root, *args]
        if os.geteuid() == 0:
            subprocess.run(["chown", "-R", f"{NOBODY}:{NOBODY}", self.root], check=True)
            os.chmod(self.root, 0o755)
            command = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", *command]
        return subprocess.run(command, capture_output=True, text=True, timeout=120)

    def sim(self, *args, **kwargs):
        result = self.run_sim(*args, **kwargs)
        self.assertEqual(result.returncode, 0, f"{args}: {result.stderr}")
        return result.stdout

    def sim_fails(self, *args, **kwargs):
        result = self.run_sim(*args, **kwargs)
        self.assertEqual(result.returncode, 2, f"{args} should fail: {result.stdout}{result.stderr}")
        self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
        self.assertNotIn("Traceback", result.stderr)
        return result.stderr

    def path(self, device_path):
        return os.path.join(self.root, device_path.lstrip("/"))

    def read_plist(self, device_path=PREFS):
        with open(self.path(device_path), "rb") as f:
            return plistlib.load(f)

    def write_plist(self, value, device_path=PREFS, fmt=plistlib.FMT_XML):
        with open(self.path(device_path), "wb") as f:
            plistlib.dump(value, f, fmt=fmt)
