"""The program installed as desktop software: the tree `cmake --install` lays out, and the Debian
package `make package` builds, both checked with the desktop's own validators."""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

BUILD_DIR = os.path.abspath(os.environ.get("RUMO_BUILD_DIR", "build"))
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
MANUALS = ["share/man/man1/rumo.1.gz", "share/man/man1/rumo-settings.1.gz",
           "share/man/ja/man1/rumo.1.gz", "share/man/ja/man1/rumo-settings.1.gz"]
# What Debian's policy asks of every package: compressed manuals, a change log and a copyright.
INSTALLED = ["bin/rumo", "bin/rumo-settings", "share/applications/rumo.desktop",
             "share/metainfo/jp.zelkar.rumo.metainfo.xml", "share/doc/rumo/Rumo.html", "share/doc/rumo/Rumo.en.html",
             "share/doc/rumo/changelog.gz", "share/doc/rumo/copyright",
             "share/icons/hicolor/scalable/apps/rumo.svg"] + MANUALS + \
            [f"share/icons/hicolor/{n}x{n}/apps/rumo.png" for n in ICON_SIZES]


def run(argv, **kwargs):
    result = subprocess.run(argv, capture_output=True, text=True, timeout=600, **kwargs)
    if result.returncode != 0:
        raise AssertionError(f"{argv} ended with {result.returncode}:\n{result.stdout}"
                             f"{result.stderr}")
    return result


def project_version():
    with open(os.path.join(BUILD_DIR, "CMakeCache.txt"), encoding="utf-8") as cache:
        return re.search(r"^CMAKE_PROJECT_VERSION:\w+=(.+)$", cache.read(), re.M).group(1)


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    assert header[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", header[16:24])


class Scratch(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="rumo-install-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)


class InstallTreeTest(Scratch):
    def test_every_file_in_place_and_accepted_by_the_desktops_tools(self):
        prefix = os.path.join(self.root, "prefix")
        run(["cmake", "--install", BUILD_DIR, "--prefix", prefix])
        for path in INSTALLED:
            self.assertTrue(os.path.isfile(os.path.join(prefix, path)), path)
        for n in ICON_SIZES:
            self.assertEqual(png_size(f"{prefix}/share/icons/hicolor/{n}x{n}/apps/rumo.png"),
                             (n, n))

        run(["desktop-file-validate", f"{prefix}/share/applications/rumo.desktop"])
        run(["appstreamcli", "validate", "--no-net",
             f"{prefix}/share/metainfo/jp.zelkar.rumo.metainfo.xml"])
        pages = [run(["man", "--warnings", "-l", f"{prefix}/{manual}"],
                     env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8", MAN_KEEP_STDERR="1"))
                 for manual in MANUALS]
        self.assertEqual([page.stderr for page in pages], [""] * len(MANUALS))
        self.assertIn("--autostart", pages[0].stdout)
        self.assertIn("set-int SECTION KEY NUMBER", pages[1].stdout)
        self.assertIn("--lang ja|en", pages[2].stdout)
        self.assertIn("設定を一つずつ読み書きする", pages[3].stdout)

        # The log-in entry the installed program writes is a valid entry starting it.
        rumo = os.path.join(prefix, "bin", "rumo")
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.root, "config"),
                   HOME=os.path.join(self.root, "home"))
        run([rumo, "--autostart", "on"], env=env)
        entry = os.path.join(self.root, "config", "autostart", "rumo.desktop")
        run(["desktop-file-validate", entry])
        with open(entry, encoding="utf-8") as f:
            self.assertIn(f"\nExec={rumo}\n", f.read())
        run([rumo, "--autostart", "off"], env=env)
        self.assertFalse(os.path.exists(entry))


class PackageTest(Scratch):
    def test_the_package_holds_the_install_and_its_program_runs(self):
        version = project_version()
        arch = run(["dpkg", "--print-architecture"]).stdout.strip()
        run(["cpack", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", self.root])
        deb = os.path.join(self.root, f"rumo_{version}_{arch}.deb")
        self.assertTrue(os.path.isfile(deb), os.listdir(self.root))

        control = run(["dpkg-deb", "-f", deb]).stdout
        self.assertIn("Package: rumo\n", control)
        self.assertIn(f"Version: {version}\n", control)
        self.assertIn(f"Architecture: {arch}\n", control)
        depends = re.search(r"^Depends: (.*)$", control, re.M).group(1)
        # Computed from the binaries, beside what they load at run time.
        for package in ("libqt6widgets6", "libqt6svg6", "libc6", "qt6-qpa-plugins"):
            self.assertIn(package, depends)

        listed = set(line.split()[-1] for line in run(["dpkg-deb", "-c", deb]).stdout.splitlines())
        for path in INSTALLED:
            self.assertIn(f"./usr/{path}", listed)

        scratch = os.path.join(self.root, "root")
        run(["dpkg-deb", "-x", deb, scratch])
        self.assertEqual(run([f"{scratch}/usr/bin/rumo", "--version"]).stdout,
                         f"rumo {version}\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
