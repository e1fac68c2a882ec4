#!/usr/bin/env python3
"""The set-up scripts' decisions for each system the two commands serve (Debian 12 and 13,
Ubuntu 22.04 and 24.04), made from the files and tools they read, laid out in a temporary folder:
apt's sources in each format and os-release for where Scintilla's source is fetched from, the
archive's package names for what is installed, and the fetch's cache kept through failures."""

import hashlib
import io
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest
from unittest import mock
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "scripts"))
import scintilla_source  # noqa: E402

DEBIAN = scintilla_source.DEBIAN

DEBIAN_12_SOURCES = """\
Types: deb
# http://snapshot.debian.org/archive/debian/20250520T000000Z
URIs: http://ftp.jp.debian.org/debian/
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
"""

DEBIAN_13_SOURCES = """\
Types: deb deb-src
URIs: https://mirror.example.org/debian
 http://deb.debian.org/debian
Suites: trixie trixie-updates
Components: main

Types: deb
Enabled: no
URIs: http://disabled.example.org/debian
Suites: trixie
Components: main

Types: deb
URIs: http://security.debian.org/debian-security
Suites: trixie-security
Components: main
"""

UBUNTU_24_SOURCES = """\
Types: deb
URIs: http://archive.ubuntu.com/ubuntu/
Suites: noble noble-updates noble-backports
Components: main restricted universe multiverse
Signed-By: /usr/share/keyrings/ubuntu-archive-keyring.gpg
"""

UBUNTU_22_LIST = """\
# deb cdrom:[Ubuntu 22.04 LTS]/ jammy main restricted
deb http://archive.ubuntu.com/ubuntu/ jammy main restricted
deb http://security.ubuntu.com/ubuntu/ jammy-security main restricted
"""

DEBIAN_ONE_LINE_LIST = """\
deb cdrom:[Debian GNU/Linux 12]/ bookworm main
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://ftp.de.debian.org/debian bookworm main
deb http://security.debian.org/debian-security bookworm-security main
deb-src http://ftp.de.debian.org/debian/ bookworm main # the same mirror again
"""


def os_release(system_id, version):
    return f'PRETTY_NAME="{system_id} {version}"\nID={system_id}\nVERSION_ID="{version}"\n'


def lay_out(folder: Path, files: dict):
    for name, text in files.items():
        path = folder / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


class DebianMirrorsTest(unittest.TestCase):
    """Scintilla's tarball comes first from the Debian mirrors apt uses, never from another
    distribution's archive or the security archive, and from deb.debian.org last."""

    CASES = [
        ("Debian 12, deb822", {"etc/os-release": os_release("debian", "12"),
                               "etc/apt/sources.list.d/debian.sources": DEBIAN_12_SOURCES},
         ["http://ftp.jp.debian.org/debian", DEBIAN]),
        ("Debian 13, deb822 with continued and disabled entries",
         {"usr/lib/os-release": os_release("debian", "13"),
          "etc/apt/sources.list.d/debian.sources": DEBIAN_13_SOURCES},
         ["https://mirror.example.org/debian", DEBIAN]),
        ("Debian, one-line lists with options and a CD", {
            "etc/os-release": os_release("debian", "12"),
            "etc/apt/sources.list": DEBIAN_ONE_LINE_LIST},
         ["http://ftp.de.debian.org/debian", DEBIAN]),
        ("Ubuntu 24.04, deb822", {"etc/os-release": os_release("ubuntu", "24.04"),
                                  "etc/apt/sources.list.d/ubuntu.sources": UBUNTU_24_SOURCES},
         [DEBIAN]),
        ("Ubuntu 22.04, sources.list", {"etc/os-release": os_release("ubuntu", "22.04"),
                                        "etc/apt/sources.list": UBUNTU_22_LIST},
         [DEBIAN]),
        ("no os-release, no apt", {}, [DEBIAN]),
    ]

    def test_mirrors_for_each_system(self):
        for label, files, expected in self.CASES:
            with self.subTest(label), tempfile.TemporaryDirectory() as folder:
                lay_out(Path(folder), files)
                self.assertEqual(scintilla_source.debian_mirrors(Path(folder)), expected)


def tarball_bytes(members: dict, links=()) -> bytes:
    """A .tar.gz of the named files, and of symbolic links (name, target)."""
    buffer = io.BytesIO()
    with tarfile.open(fileobj=buffer, mode="w:gz") as archive:
        for name, text in members.items():
            data = text.encode()
            info = tarfile.TarInfo(name)
            info.size = len(data)
            archive.addfile(info, io.BytesIO(data))
        for name, target in links:
            info = tarfile.TarInfo(name)
            info.type = tarfile.SYMTYPE
            info.linkname = target
            archive.addfile(info)
    return buffer.getvalue()


GOOD = tarball_bytes({"scintilla/version.txt": "533\n", "scintilla/src/Editor.cxx": "// editor\n",
                      "scite/src/SciTE.h": "// not Scintilla\n", "../outside.txt": "escaped\n"},
                     links=[("scintilla/src/link", "/etc/passwd")])
PIN = {"pool_path": "pool/main/s/scite/scite_5.3.3.orig.tar.gz",
       "sha256": hashlib.sha256(GOOD).hexdigest(), "version": "5.3.3", "version_txt": "533"}


class FetchTest(unittest.TestCase):
    """The pinned tarball: a good cached copy is used without any network and kept until a
    checked one replaces it; a mirror's wrong file is never taken; apt-get source is the last
    resort; with nothing, one message says what to fetch and where."""

    def setUp(self):
        self.enterContext(mock.patch.dict(os.environ))  # PATH restored after
        self.new_folder()

    def new_folder(self):
        """A folder of the case's own, with a PATH holding no apt-get unless the case puts one
        there."""
        self.folder = Path(self.enterContext(tempfile.TemporaryDirectory()))
        self.cache = self.folder / "cache"
        self.bin = self.folder / "bin"
        self.bin.mkdir()
        os.environ["PATH"] = str(self.bin)

    def mirror(self, name, data: bytes) -> str:
        """A mirror serving `data` at the pinned path (file: URLs go through urllib too)."""
        path = self.folder / name / PIN["pool_path"]
        path.parent.mkdir(parents=True)
        path.write_bytes(data)
        return (self.folder / name).as_uri()

    def fake_apt_get(self, data: bytes):
        served = self.folder / "apt-served"
        served.write_bytes(data)
        script = self.bin / "apt-get"
        script.write_text(f"#!/bin/sh\nexec /bin/cp '{served}' scite_5.3.3.orig.tar.gz\n")
        script.chmod(0o755)

    def test_where_the_tarball_comes_from(self):
        bad = GOOD[:-1] + b"x"
        offline = "http://127.0.0.1:9/debian"  # nothing listens on the discard port
        cases = [  # (label, cached copy, mirrors, apt-get serves, taken from)
            ("a good cached copy, offline", GOOD, [offline], None, "cache"),
            ("a bad mirror, then a good one", None, ["bad", "good"], None, "good"),
            ("a bad cached copy replaced by a good download", bad, ["good"], None, "good"),
            ("no mirror, apt-get source has it", None, [offline], GOOD, "apt"),
            ("no mirror, apt-get source has another version", None, [offline], bad, None),
            ("a bad cached copy, offline", bad, [offline, "bad"], None, None),
        ]
        for label, cached, mirrors, apt_serves, source in cases:
            with self.subTest(label):
                self.new_folder()
                if cached is not None:
                    self.cache.mkdir()
                    (self.cache / "scite_5.3.3.orig.tar.gz").write_bytes(cached)
                urls = [m if m.startswith("http") else
                        self.mirror(m, GOOD if m == "good" else bad) for m in mirrors]
                if apt_serves is not None:
                    self.fake_apt_get(apt_serves)
                if source is None:
                    with self.assertRaises(scintilla_source.SourceError) as failure:
                        scintilla_source.fetch_tarball(self.cache, PIN, urls)
                    message = str(failure.exception)
                    for needed in (f"{DEBIAN}/{PIN['pool_path']}", str(self.cache),
                                   PIN["sha256"], "ONTOP_SCINTILLA_SOURCE"):
                        self.assertIn(needed, message)
                    self.assertNotIn("\n", message, "one line")
                    if cached is not None:  # whatever was there is left for the user
                        self.assertEqual((self.cache / "scite_5.3.3.orig.tar.gz").read_bytes(),
                                         cached)
                else:
                    tarball = scintilla_source.fetch_tarball(self.cache, PIN, urls)
                    self.assertEqual(tarball.read_bytes(), GOOD)
                self.assertEqual(list(self.cache.glob("*.part")), [])

    def test_unpacks_scintilla_alone_and_once(self):
        tarball = self.folder / "good.tar.gz"
        tarball.write_bytes(GOOD)
        folder = scintilla_source.unpack(tarball, self.folder, PIN)
        self.assertEqual(folder, self.folder / "scintilla-5.3.3")
        self.assertEqual((folder / "src" / "Editor.cxx").read_text(), "// editor\n")
        self.assertFalse((folder / "src" / "link").exists(), "no links out of the folder")
        self.assertFalse((self.folder / "outside.txt").exists())
        self.assertFalse((self.folder / "scite").exists())
        # Unpacked from the pinned tarball already: left as it is.
        (folder / "src" / "Editor.cxx").write_text("patched by hand\n")
        scintilla_source.unpack(tarball, self.folder, PIN)
        self.assertEqual((folder / "src" / "Editor.cxx").read_text(), "patched by hand\n")
        # From another tarball: unpacked again.
        (folder / ".unpacked-from-sha256").write_text("0" * 64)
        scintilla_source.unpack(tarball, self.folder, PIN)
        self.assertEqual((folder / "src" / "Editor.cxx").read_text(), "// editor\n")
        # Another version of Scintilla: refused, nothing unpacked.
        shutil.rmtree(folder)
        other = tarball_bytes({"scintilla/version.txt": "540\n"})
        tarball = self.folder / "other.tar.gz"
        tarball.write_bytes(other)
        pin = dict(PIN, sha256=hashlib.sha256(other).hexdigest())
        with self.assertRaisesRegex(scintilla_source.SourceError, "Scintilla 540"):
            scintilla_source.unpack(tarball, self.folder, pin)
        self.assertFalse((self.folder / "scintilla-5.3.3").exists())


class PackagesTest(unittest.TestCase):
    """install-deps.sh installs, for each name or list of alternatives, nothing when one is
    installed, else the first the system's archive has; the fuzzer's runtime matches clang."""

    # What each system's archive offers of the names that differ between them, its clang, and
    # what is installed there.
    ARCHIVES = {
        "Debian 12": ({"dbus-daemon", "dbus", "wine", "wine64", "libclang-rt-14-dev",
                       "libclang-rt-dev", "clang"}, "14.0.6",
                      "dbus-daemon wine64 libclang-rt-14-dev"),
        "Debian 13": ({"dbus-daemon", "dbus", "wine", "wine64", "libclang-rt-19-dev",
                       "libclang-rt-dev", "clang"}, "19.1.7",
                      "dbus-daemon wine64 libclang-rt-19-dev"),
        "Ubuntu 22.04": ({"dbus", "wine", "wine64", "libclang-common-14-dev", "clang"}, "14.0.0",
                         "dbus wine64 libclang-common-14-dev"),
        "Ubuntu 24.04": ({"dbus-daemon", "dbus", "wine", "libclang-rt-18-dev", "libclang-rt-dev",
                          "clang"}, "18.1.3", "dbus-daemon wine libclang-rt-18-dev"),
    }

    def setUp(self):
        self.bin = Path(self.enterContext(tempfile.TemporaryDirectory()))

    def tools(self, installed=(), available=(), clang_version="", clang_links=False):
        """dpkg-query, apt-cache, clang and clang++ answering from the sets given."""
        scripts = {
            "dpkg-query": "case \" $INSTALLED \" in *\" $3 \"*) echo 'install ok installed';;"
                          " *) exit 1;; esac",
            "apt-cache": "case \" $AVAILABLE \" in *\" $2 \"*) echo '  Candidate: 1.0';;"
                         " *) echo '  Candidate: (none)';; esac",
            "clang": f"echo '{clang_version}'",
            "clang++": "exit 0" if clang_links else "exit 1",
        }
        for name, body in scripts.items():
            path = self.bin / name
            path.write_text(f"#!/bin/sh\n{body}\n")
            path.chmod(0o755)
        return {**os.environ, "PATH": f"{self.bin}:{os.environ['PATH']}",
                "INSTALLED": " ".join(installed), "AVAILABLE": " ".join(available),
                "ONTOP_INSTALL_DRY_RUN": "1"}

    def install(self, env, *packages):
        return subprocess.run([str(ROOT / "scripts" / "install-deps.sh"), *packages], env=env,
                              capture_output=True, text=True)

    def fuzz_runtime(self, env) -> str:
        return subprocess.run(["bash", "-c", "source scripts/packages.sh && fuzz_runtime_package"],
                              cwd=ROOT, env=env, capture_output=True, text=True,
                              check=True).stdout.strip()

    def test_alternatives_on_each_system(self):
        for system, (archive, clang, expected) in self.ARCHIVES.items():
            with self.subTest(system):
                env = self.tools(available=archive, clang_version=f"Debian clang version {clang}")
                result = self.install(env, "dbus-daemon|dbus", "wine64|wine",
                                      self.fuzz_runtime(env))
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stdout.strip(), f"Installing: {expected}")

    def test_nothing_installed_when_there(self):
        env = self.tools(installed=["dbus", "cmake"], available=self.ARCHIVES["Debian 12"][0],
                         clang_links=True)
        result = self.install(env, "dbus-daemon|dbus", "cmake")
        self.assertEqual((result.returncode, result.stdout), (0, ""))
        self.assertEqual(self.fuzz_runtime(env), "", "clang links a fuzzer: no runtime needed")

    def test_a_package_no_archive_has(self):
        env = self.tools(available=self.ARCHIVES["Ubuntu 22.04"][0])
        result = self.install(env, "dbus", "libclang-rt-dev|libclang-rt-14-dev")
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("libclang-rt-dev, libclang-rt-14-dev", result.stderr)


if __name__ == "__main__":
    unittest.main()
