"""A preview server started from a test, on a free loopback port, and plain HTTP to it."""
import http.client
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import tempfile

SIM = os.environ.get("VANTOREL_SIM", "vantorel-sim")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Preview:
    """One device and its preview server; stop() ends both."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="vantorel-preview-test-")
        self.sim("init")
        self.port = free_port()
        self.process = subprocess.Popen([SIM, "--device", self.root, "preview", "--port", str(self.port)],
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()
        assert self.address == f"http://127.0.0.1:{self.port}/", self.address
        page = self.request("GET", "/")[2].decode()
        self.token = re.search(r'<meta name="vantorel-token" content="([0-9a-f]+)">', page).group(1)

    def sim(self, *args):
        result = subprocess.run([SIM, "--device", self.root] + list(args), capture_output=True, text=True,
                                timeout=300)
        assert result.returncode == 0, f"{args}: {result.stderr}"
        return result.stdout

    def stop(self):
        """Ctrl-C, as a user stops it; answers the exit status and what it printed last."""
        self.process.send_signal(signal.SIGINT)
        out, err = self.process.communicate(timeout=60)
        shutil.rmtree(self.root, ignore_errors=True)
        return self.process.returncode, out, err

    def request(self, method, path, body=None, headers=None, token=False):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=300)
        sent = dict(headers or {})
        if token:
            sent["X-Vantorel-Token"] = self.token
        if isinstance(body, (dict, list)):
            body = json.dumps(body).encode()
            sent.setdefault("Content-Type", "application/json")
        connection.request(method, path, body=body, headers=sent)
        response = connection.getresponse()
        data = response.read()
        connection.close()
        return response.status, dict(response.getheaders()), data

    def get_json(self, path):
        status, _, data = self.request("GET", path)
        assert status == 200, (path, status, data)
        return json.loads(data)

    def post(self, path, body, **kwargs):
        """(status, answer as JSON)"""
        status, _, data = self.request("POST", path, body, token=True, **kwargs)
        return status, json.loads(data)

    def prefs_bytes(self):
        path = os.path.join(self.root, "var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist")
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()
