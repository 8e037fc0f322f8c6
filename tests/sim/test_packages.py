"""The product as a Debian package: its contents, and dpkg installing,
upgrading and removing it (and refusing bad packages) on a device."""
import fcntl
import hashlib
import io
import os
import plistlib
import re
import shutil
import subprocess
import tarfile
import tempfile
import unittest

from simtest import PREFS, SIM, SimTestCase

SOURCE = os.path.join(os.path.dirname(__file__), "..", "..")
BUILD = os.path.dirname(os.path.dirname(os.path.abspath(SIM)))
NAME = "com.tavq.vantorel"
CHAT_WALLPAPER = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs-chatWallpaper.png"
ENGINE = "Library/MobileSubstrate/DynamicLibraries/"
BUNDLE = "Library/PreferenceBundles/VantorelPrefs.bundle/"
LAYOUTS = ["Root", "ConversationList", "Chat", "ChatBubble", "Navigation", "SystemColour",
           "BackgroundColour", "CellColour", "LabelColour", "MenuColour", "Misc"]
FOLDERS = ["", "Library/", "Library/MobileSubstrate/", ENGINE, "Library/PreferenceBundles/", BUNDLE,
           "Library/PreferenceLoader/", "Library/PreferenceLoader/Preferences/"]
PROGRAMS = [ENGINE + "Vantorel.dylib", BUNDLE + "VantorelPrefs"]
DATA = ([ENGINE + "Vantorel.plist", BUNDLE + "Info.plist", BUNDLE + "banner.png", BUNDLE + "icon.png",
         BUNDLE + "icon@2x.png", BUNDLE + "icon@3x.png", "Library/PreferenceLoader/Preferences/VantorelPrefs.plist"]
        + [BUNDLE + layout + ".plist" for layout in LAYOUTS])


def project_version():
    with open(os.path.join(SOURCE, "CMakeLists.txt")) as f:
        return re.search(r"project\(Vantorel VERSION ([0-9.]+)", f.read()).group(1)


def architecture():
    return subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True,
                          check=True).stdout.strip()


PRODUCT = os.path.join(BUILD, "packages", f"{NAME}_{project_version()}_{architecture()}.deb")


def dpkg_deb(*args):
    return subprocess.run(["dpkg-deb"] + list(args), capture_output=True, text=True, check=True).stdout


def build_deb(folder, files, control, scratch, name):
    """A package made by dpkg-deb from `files` (path -> bytes) and control fields."""
    stage = os.path.join(scratch, folder)
    os.makedirs(os.path.join(stage, "DEBIAN"))
    for path, data in files.items():
        os.makedirs(os.path.dirname(os.path.join(stage, path)), exist_ok=True)
        with open(os.path.join(stage, path), "wb") as f:
            f.write(data)
    fields = {"Version": "1.0", "Architecture": architecture(), "Maintainer": "Test <test@localhost>",
              "Description": "a test package\n a package the tests make"}
    fields.update(control)
    with open(os.path.join(stage, "DEBIAN", "control"), "w") as f:
        f.write("".join(f"{key}: {value}\n" for key, value in fields.items()))
    out = os.path.join(scratch, name)
    subprocess.run(["dpkg-deb", "--root-owner-group", "--build", stage, out], check=True,
                   capture_output=True)
    return out


def handmade_deb(path, data_members):
    """A package put together by hand, as dpkg-deb would refuse to build it."""
    def tarball(members):
        buffer = io.BytesIO()
        with tarfile.open(fileobj=buffer, mode="w:gz") as tar:
            for name, data in members:
                info = tarfile.TarInfo(name)
                if data is None:
                    info.type, info.mode = tarfile.DIRTYPE, 0o755
                    tar.addfile(info)
                else:
                    info.size, info.mode = len(data), 0o644
                    tar.addfile(info, io.BytesIO(data))
        return buffer.getvalue()
    control = (f"Package: sneaky\nVersion: 1\nArchitecture: {architecture()}\n"
               "Maintainer: x <x@localhost>\nDescription: x\n x\n").encode()
    parts = [("debian-binary", b"2.0\n"), ("control.tar.gz", tarball([("./", None), ("./control", control)])),
             ("data.tar.gz", tarball(data_members))]
    with open(path, "wb") as f:
        f.write(b"!<arch>\n")
        for name, data in parts:
            f.write(f"{name + '/':<16}{0:<12}{0:<6}{0:<6}{'100644':<8}{len(data):<10}`\n".encode())
            f.write(data + (b"\n" if len(data) % 2 else b""))
    return path


class PackageFileTest(unittest.TestCase):
    """The build's package, read by dpkg-deb: the exact files, modes and owners."""

    def test_control_fields(self):
        info = dpkg_deb("--info", PRODUCT)
        fields = dict(re.findall(r"^ (\w[\w-]*): (.*)$", info, re.M))
        self.assertEqual(fields["Package"], NAME)
        self.assertEqual(fields["Name"], "Vantorel")
        self.assertEqual(fields["Version"], project_version())
        self.assertEqual(fields["Architecture"], architecture())
        self.assertEqual(fields["Section"], "Tweaks")
        self.assertTrue(fields["Maintainer"])
        depends = [d.strip() for d in fields["Depends"].split(",")]
        self.assertIn("firmware (>= 14.0)", depends)
        self.assertIn("mobilesubstrate", depends)
        self.assertIn("preferenceloader", depends)
        # A short description and a long one below it.
        self.assertRegex(info, r" Description: \S.*\n  \S")
        # The control archive holds the control file alone: no maintainer scripts.
        members = re.findall(r"^\s+\d+ bytes,\s+\d+ lines\s+\*?\s*(\S+)", info, re.M)
        self.assertEqual(members, ["control"])

    def test_contents_are_exactly_the_product(self):
        listing = {}
        for line in dpkg_deb("--contents", PRODUCT).splitlines():
            mode, owner, _size, _date, _time, path = line.split(None, 5)
            listing[path[2:]] = (mode, owner)
        expected = {path: ("drwxr-xr-x", "root/root") for path in FOLDERS}
        expected.update({path: ("-rwxr-xr-x", "root/root") for path in PROGRAMS})
        expected.update({path: ("-rw-r--r--", "root/root") for path in DATA})
        self.assertEqual(listing, expected)

    def test_shipped_files_are_what_the_device_reads(self):
        with tempfile.TemporaryDirectory() as scratch:
            subprocess.run(["dpkg-deb", "--extract", PRODUCT, scratch], check=True)
            with open(os.path.join(scratch, ENGINE, "Vantorel.plist"), "rb") as f:
                self.assertEqual(plistlib.load(f)["Filter"]["Bundles"],
                                 ["com.apple.springboard", "com.apple.MobileSMS"])
            with open(os.path.join(scratch, BUNDLE, "Info.plist"), "rb") as f:
                info = plistlib.load(f)
            self.assertEqual(info["CFBundleExecutable"], "VantorelPrefs")
            self.assertEqual(info["CFBundleVersion"], project_version())
            for icon, side in (("icon.png", 29), ("icon@2x.png", 58), ("icon@3x.png", 87)):
                with open(os.path.join(scratch, BUNDLE, icon), "rb") as f:
                    header = f.read(24)
                self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
                self.assertEqual((int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")),
                                 (side, side))


class PackageCase(SimTestCase):
    def installed(self):
        lines = self.sim("packages").splitlines()
        self.assertEqual(lines[0].split(), ["NAME", "VERSION", "STATE"])
        return {name: (version, state) for name, version, state in map(str.split, lines[1:])}

    def snapshot(self):
        """Every file and folder of the device with its content, but dpkg's
        own backup of its status and the logs."""
        tree = {}
        for folder, dirs, files in os.walk(self.root):
            for name in dirs + files:
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, self.root)
                # Reading a lock file here would drop the lock this process holds on it.
                if (relative == "var/lib/dpkg/status-old" or relative.startswith("var/log/")
                        or name.startswith("lock")):
                    continue
                if os.path.islink(path):
                    tree[relative] = "-> " + os.readlink(path)
                elif os.path.isdir(path):
                    tree[relative] = "dir"
                else:
                    with open(path, "rb") as f:
                        tree[relative] = hashlib.sha256(f.read()).hexdigest()
        return tree

    def accent_in_messages(self):
        return self.sim("messages", "colours", "systemBlueColor").split()[1]

    def scratch(self):
        folder = tempfile.mkdtemp(prefix="vantorel-packages-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        return folder


class InstallRemoveTest(PackageCase):
    def test_init_installs_the_product_with_the_device_packages(self):
        installed = self.installed()
        self.assertEqual(installed[NAME], (project_version(), "installed"))
        for device_package in ("firmware", "mobilesubstrate", "preferenceloader", "killall"):
            self.assertEqual(installed[device_package][1], "installed")
        self.assertTrue(os.path.isfile(self.path(ENGINE + "Vantorel.dylib")))
        self.assertEqual(os.stat(self.path(BUNDLE + "VantorelPrefs")).st_mode & 0o777, 0o755)
        # A second init reinstalls and keeps the database whole.
        self.sim("init")
        self.assertEqual(self.installed()[NAME], (project_version(), "installed"))

    def test_remove_then_reinstall_keeps_the_user(self):
        self.sim("prefs", "set", "accent", "ff9500")
        self.sim("settings", "pick-image", "chatWallpaper", "IMG_0001.JPG")
        self.sim("respring")
        self.assertEqual(self.accent_in_messages(), "FF9500FF")
        with open(self.path(PREFS), "rb") as f:
            settings = f.read()

        self.sim("remove", NAME)
        self.assertNotIn(NAME, self.installed())
        for path in PROGRAMS + DATA:
            self.assertFalse(os.path.exists(self.path(path)), path)
        # The folders the device's own packages bring stay.
        self.assertTrue(os.path.isdir(self.path(ENGINE)))
        self.assertTrue(os.path.isfile(self.path("usr/bin/killall")))
        with open(self.path(PREFS), "rb") as f:
            self.assertEqual(f.read(), settings)
        self.assertTrue(os.path.isfile(self.path(CHAT_WALLPAPER)))
        self.sim("respring")
        self.assertEqual(self.accent_in_messages(), "007AFFFF")  # Messages as it ships
        self.assertIn("not installed", self.sim_fails("settings", "pages"))

        self.assertIn(f"installed {NAME}", self.sim("install", PRODUCT))
        self.sim("respring")
        self.assertEqual(self.accent_in_messages(), "FF9500FF")
        self.assertIn("Root", self.sim("settings", "pages"))

    def test_upgrade_from_an_older_build_keeps_the_user(self):
        scratch = self.scratch()
        tree = os.path.join(scratch, "older")
        subprocess.run(["dpkg-deb", "--raw-extract", PRODUCT, tree], check=True)
        control = os.path.join(tree, "DEBIAN", "control")
        with open(control) as f:
            text = re.sub(r"^Version: .*$", "Version: 0.9.0", f.read(), flags=re.M)
        with open(control, "w") as f:
            f.write(text)
        older = os.path.join(scratch, "older.deb")
        subprocess.run(["dpkg-deb", "--root-owner-group", "-Zxz", "-z1", "--build", tree, older], check=True,
                       capture_output=True)

        self.sim("remove", NAME)
        self.sim("install", older)
        self.assertEqual(self.installed()[NAME], ("0.9.0", "installed"))
        self.sim("prefs", "set", "accent", "34c759")
        self.sim("settings", "pick-image", "chatWallpaper", "IMG_0001.JPG")
        with open(self.path(PREFS), "rb") as f:
            settings = f.read()
        with open(self.path(CHAT_WALLPAPER), "rb") as f:
            wallpaper = f.read()

        self.sim("install", PRODUCT)
        self.assertEqual(self.installed()[NAME], (project_version(), "installed"))
        with open(self.path(PREFS), "rb") as f:
            self.assertEqual(f.read(), settings)
        with open(self.path(CHAT_WALLPAPER), "rb") as f:
            self.assertEqual(f.read(), wallpaper)
        self.sim("respring")
        self.assertEqual(self.accent_in_messages(), "34C759FF")

    def test_purge_and_removing_what_is_not_there(self):
        self.sim("remove", NAME, "--purge")
        self.assertNotIn(NAME, self.installed())
        self.assertIn("not installed", self.sim_fails("remove", NAME))
        self.assertIn("not installed", self.sim_fails("remove", "no.such.package"))


class BadPackageTest(PackageCase):
    """Each bad package is refused in one line, exit 2, with the device and
    dpkg's database as they were."""

    def refused(self, *args):
        before = self.snapshot()
        with open(self.path("var/lib/dpkg/status"), "rb") as f:
            status = f.read()
        message = self.sim_fails(*args)
        with open(self.path("var/lib/dpkg/status"), "rb") as f:
            self.assertEqual(f.read(), status, args)
        self.assertEqual(self.snapshot(), before, args)
        return message

    def test_damaged_files(self):
        scratch = self.scratch()
        with open(PRODUCT, "rb") as f:
            whole = f.read()
        truncated = os.path.join(scratch, "truncated.deb")
        with open(truncated, "wb") as f:
            f.write(whole[:len(whole) * 2 // 3])
        garbage = os.path.join(scratch, "garbage.deb")
        with open(garbage, "wb") as f:
            f.write(b"this is no package\n" * 50)
        self.assertIn("truncated.deb", self.refused("install", truncated))
        self.assertIn("garbage.deb", self.refused("install", garbage))
        self.assertIn("no such file", self.refused("install", os.path.join(scratch, "missing.deb")))
        # One bad file among good ones: nothing is installed.
        self.refused("install", PRODUCT, garbage)

    def test_packages_that_would_write_outside_the_device(self):
        scratch = self.scratch()
        outside = os.path.join(os.path.dirname(self.root), "etc")
        climbing = handmade_deb(os.path.join(scratch, "climb.deb"),
                                [("./", None), ("./../../etc/x", b"owned\n")])
        message = self.refused("install", climbing)
        self.assertIn("outside the device", message)
        self.assertFalse(os.path.exists(os.path.join(outside, "x")))
        # A folder of the device that is a link out of it is not written through.
        target = self.scratch()
        os.symlink(target, self.path("Library/Themes"))
        through = build_deb("through", {"Library/Themes/x": b"owned\n"}, {"Package": "through"}, scratch,
                            "through.deb")
        self.assertIn("through the link", self.refused("install", through))
        self.assertEqual(os.listdir(target), [])

    def test_packages_dpkg_or_the_device_would_refuse(self):
        scratch = self.scratch()
        other_arch = "arm64" if architecture() != "arm64" else "armhf"
        foreign = build_deb("foreign", {"Library/a": b"a"}, {"Package": "foreign", "Architecture": other_arch},
                            scratch, "foreign.deb")
        self.assertIn("does not match", self.refused("install", foreign))

        lacking = build_deb("lacking", {"Library/b": b"b"},
                            {"Package": "lacking", "Depends": "firmware (>= 14.0), no.such.thing | nothing.else"},
                            scratch, "lacking.deb")
        self.assertIn("no.such.thing | nothing.else", self.refused("install", lacking))
        too_new = build_deb("too-new", {"Library/c": b"c"},
                            {"Package": "too-new", "Depends": "firmware (>= 99.0)"}, scratch, "too-new.deb")
        self.assertIn("firmware (>= 99.0), but version 16.0 is installed", self.refused("install", too_new))

        rival = build_deb("rival", {"Library/d": b"d"}, {"Package": "rival", "Conflicts": NAME},
                          scratch, "rival.deb")
        self.assertIn(f"conflicts with {NAME}", self.refused("install", rival))
        thief = build_deb("thief", {"usr/bin/killall": b"#!/bin/sh\n"}, {"Package": "thief"}, scratch,
                          "thief.deb")
        self.assertIn("belongs to the installed package killall", self.refused("install", thief))
        # The product needs the firmware package: dpkg will not take it away.
        self.assertIn("firmware", self.refused("remove", "firmware"))

    def test_a_second_operation_waits_for_the_lock(self):
        scratch = self.scratch()
        extra = build_deb("extra", {"Library/e": b"e"}, {"Package": "extra"}, scratch, "extra.deb")
        for lock in ("lock-frontend", "lock"):  # held by a front end, or by a bare dpkg
            with open(self.path("var/lib/dpkg/" + lock), "r+") as held:
                fcntl.lockf(held, fcntl.LOCK_EX | fcntl.LOCK_NB)
                self.assertIn("lock", self.refused("install", extra))
                self.assertIn("lock", self.refused("remove", NAME))
        self.assertIn("installed extra", self.sim("install", extra))
        self.assertEqual(self.installed()["extra"], ("1.0", "installed"))



class ThemePackageTest(PackageCase):
    """A theme as a package of its own, depending on the product."""

    def theme_file(self, name, values, scratch):
        path = os.path.join(scratch, name)
        with open(path, "wb") as f:
            plistlib.dump({"FormatVersion": 1, "Name": "Sea Glass", "Note": "cool greens",
                           "Values": values}, f)
        return path

    def test_package_install_list_apply_and_keep_the_product(self):
        scratch = self.scratch()
        theme = self.theme_file("sea.plist", {"accent": "2ec4b6ff", "enableVantorel": True}, scratch)
        deb = os.path.join(scratch, "sea.deb")
        self.assertEqual(self.sim("theme", "package", theme, "-o", deb, "--version", "2.1").strip(), deb)
        info = dpkg_deb("--info", deb)
        self.assertIn(" Package: com.tavq.vantorel.theme.sea-glass\n", info)
        self.assertIn(" Architecture: all\n", info)
        self.assertIn(" Depends: com.tavq.vantorel\n", info)
        listing = [line.split(None, 5) for line in dpkg_deb("--contents", deb).splitlines()]
        self.assertEqual([(mode, owner, path) for mode, owner, _s, _d, _t, path in listing],
                         [("drwxr-xr-x", "root/root", "./"), ("drwxr-xr-x", "root/root", "./Library/"),
                          ("drwxr-xr-x", "root/root", "./Library/Vantorel/"),
                          ("drwxr-xr-x", "root/root", "./Library/Vantorel/Themes/"),
                          ("-rw-r--r--", "root/root", "./Library/Vantorel/Themes/sea-glass.plist")])

        self.sim("install", deb)
        presets = self.sim("theme", "presets")
        self.assertRegex(presets, r"paper\s+Paper")  # the built-in ones stay
        self.assertRegex(presets, r"sea-glass\s+Sea Glass: cool greens \(package com.tavq.vantorel.theme.sea-glass\)")
        self.sim("theme", "apply", "sea-glass")
        self.assertEqual(self.read_plist()["accent"].upper(), "2EC4B6FF")

        # The theme needs the product: dpkg keeps it, and the theme goes first.
        self.assertIn("com.tavq.vantorel.theme.sea-glass", self.sim_fails("remove", NAME))
        self.assertEqual(self.installed()[NAME][1], "installed")
        self.sim("remove", "com.tavq.vantorel.theme.sea-glass")
        self.assertNotIn("sea-glass", self.sim("theme", "presets"))
        self.sim("remove", NAME)

        # Without the product the theme is refused.
        self.assertIn("depends on com.tavq.vantorel", self.sim_fails("install", deb))

    def test_a_theme_import_would_refuse_builds_no_package(self):
        scratch = self.scratch()
        theme = self.theme_file("bad.plist", {"accent": "not a colour", "noSuchKey": True}, scratch)
        deb = os.path.join(scratch, "bad.deb")
        result = self.run_sim("theme", "package", theme, "-o", deb)
        self.assertEqual(result.returncode, 2)
        self.assertIn("accent", result.stderr)
        self.assertIn("noSuchKey", result.stderr)
        self.assertIn("no package built", result.stderr.splitlines()[-1])
        self.assertEqual(os.listdir(scratch), ["bad.plist"])

        # Refused as an import refuses: what the file says reaches the terminal escaped,
        # and a folder is named as one.
        hostile = os.path.join(scratch, "hostile.plist")
        with open(hostile, "wb") as f:  # binary: XML cannot hold an escape character
            plistlib.dump({"FormatVersion": 1, "Name": "x", "Values": {"\x1b[31mkey": True}}, f,
                          fmt=plistlib.FMT_BINARY)
        result = self.run_sim("theme", "package", hostile, "-o", deb)
        self.assertEqual(result.returncode, 2)
        self.assertNotIn("\x1b", result.stderr)
        self.assertIn("\\e[31mkey", result.stderr)
        self.assertIn("is a folder", self.sim_fails("theme", "package", scratch, "-o", deb))
        self.assertFalse(os.path.exists(deb))


if __name__ == "__main__":
    unittest.main()
