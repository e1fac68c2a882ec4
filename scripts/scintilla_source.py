#!/usr/bin/env python3
"""Fetches Scintilla's pinned source (third_party/scintilla/source.txt) into a cache folder and
prints the folder holding its src/, win32/ and include/.

    python3 scripts/scintilla_source.py [--cache DIR]

The tarball comes from the pool of the Debian mirrors apt uses (on Debian), then from
deb.debian.org, and is taken only with the pinned SHA-256; where no mirror answers, apt-get
source downloads it where a deb-src entry allows. apt's configuration is only read. A good
cached tarball is kept and used offline; a new one replaces it only once it has passed the check.
The cache defaults to build/scintilla-cache, which CMake (cmake/scintilla_source.cmake) reads
too, and ONTOP_SCINTILLA_CACHE moves it.
"""

import argparse
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import urllib.request
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PIN = ROOT / "third_party" / "scintilla" / "source.txt"
DEFAULT_CACHE = ROOT / "build" / "scintilla-cache"
DEBIAN = "http://deb.debian.org/debian"  # the tarball's hash is the trust, not the transport
TIMEOUT = 60


class SourceError(Exception):
    pass


def read_pin(path=PIN) -> dict:
    pin = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            key, _, value = line.partition("=")
            pin[key.strip()] = value.strip()
    return pin


# Where Debian's archive is: the system's own mirrors first.
def os_release(root: Path) -> dict:
    for path in (root / "etc" / "os-release", root / "usr" / "lib" / "os-release"):
        if path.is_file():
            fields = {}
            for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
                key, sep, value = line.partition("=")
                if sep:
                    fields[key.strip()] = value.strip().strip("\"'")
            return fields
    return {}


def apt_entries(root: Path):
    """(types, uri, suites, enabled) for every entry of apt's sources, one-line or deb822."""
    folder = root / "etc" / "apt"
    one_line = [folder / "sources.list"] + sorted((folder / "sources.list.d").glob("*.list"))
    for path in one_line:
        if not path.is_file():
            continue
        for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
            line = re.sub(r"\[[^\]]*\]", " ", line.split("#", 1)[0])  # comments and options
            words = line.split()
            if len(words) >= 3 and words[0] in ("deb", "deb-src"):
                yield [words[0]], words[1], [words[2]], True
    for path in sorted((folder / "sources.list.d").glob("*.sources")):
        if not path.is_file():
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for stanza in re.split(r"\n\s*\n", text):
            fields, key = {}, None
            for line in stanza.splitlines():
                if line.startswith("#"):
                    continue
                if line[:1].isspace() and key:  # a continuation line
                    fields[key] += " " + line.strip()
                    continue
                key, sep, value = line.partition(":")
                if sep:
                    key = key.strip().lower()
                    fields[key] = value.strip()
                else:
                    key = None
            if "uris" in fields:
                enabled = fields.get("enabled", "yes").lower() != "no"
                for uri in fields["uris"].split():
                    yield (fields.get("types", "").split(), uri, fields.get("suites", "").split(),
                           enabled)


def debian_mirrors(root: Path = Path("/")) -> list:
    """The archive URLs to try, best first: on Debian, the mirrors of apt's enabled entries
    (not the security archive, which holds no scite), then deb.debian.org. Other systems' archives
    (Ubuntu's) hold other packages, so only deb.debian.org serves them."""
    mirrors = []
    if os_release(root).get("ID") == "debian":
        for types, uri, suites, enabled in apt_entries(root):
            if not enabled or not {"deb", "deb-src"} & set(types):
                continue
            if not uri.startswith(("http://", "https://")):
                continue
            if any(suite.endswith(("-security", "/updates")) for suite in suites):
                continue
            uri = uri.rstrip("/")
            if uri not in mirrors:
                mirrors.append(uri)
    if DEBIAN not in mirrors:
        mirrors.append(DEBIAN)
    return mirrors


# The tarball.
def sha256(path: Path) -> str:
    digest = hashlib.sha256()
    with open(path, "rb") as handle:
        for block in iter(lambda: handle.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def is_good(path: Path, pin: dict) -> bool:
    return path.is_file() and sha256(path) == pin["sha256"]


def download(url: str, target: Path, pin: dict) -> bool:
    """The file at `url` replaces `target` if it has the pinned hash; `target` is untouched
    otherwise."""
    part = target.with_name(target.name + ".part")
    try:
        with urllib.request.urlopen(url, timeout=TIMEOUT) as response, open(part, "wb") as out:
            shutil.copyfileobj(response, out)
    except OSError as error:  # URLError, timeouts and HTTP errors are OSErrors
        print(f"scintilla source: {url}: {error}", file=sys.stderr)
        part.unlink(missing_ok=True)
        return False
    if not is_good(part, pin):
        print(f"scintilla source: {url} does not have the pinned SHA-256; not used",
              file=sys.stderr)
        part.unlink()
        return False
    os.replace(part, target)
    return True


def from_apt(target: Path, pin: dict) -> bool:
    """apt-get source's copy, where apt has a deb-src entry for scite and it is the pinned one."""
    if shutil.which("apt-get") is None:
        return False
    name = pin["pool_path"].rsplit("/", 1)[1]
    with tempfile.TemporaryDirectory() as folder:
        try:
            subprocess.run(["apt-get", "source", "--download-only", "-qq", "scite"], cwd=folder,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600,
                           check=True)
        except (subprocess.SubprocessError, OSError):
            return False
        fetched = Path(folder) / name
        if not is_good(fetched, pin):
            return False
        shutil.copyfile(fetched, target.with_name(target.name + ".part"))
        os.replace(target.with_name(target.name + ".part"), target)
        return True


def fetch_tarball(cache: Path, pin: dict, mirrors) -> Path:
    name = pin["pool_path"].rsplit("/", 1)[1]
    tarball = cache / name
    if is_good(tarball, pin):
        return tarball
    cache.mkdir(parents=True, exist_ok=True)
    for mirror in mirrors:
        if download(f"{mirror}/{pin['pool_path']}", tarball, pin):
            return tarball
    if from_apt(tarball, pin):
        return tarball
    raise SourceError(f"Scintilla's source could not be fetched: download "
                      f"{DEBIAN}/{pin['pool_path']} (SHA-256 {pin['sha256']}) into {cache}/, "
                      f"or set ONTOP_SCINTILLA_SOURCE to an unpacked Scintilla "
                      f"{pin['version']} folder.")


def unpack(tarball: Path, cache: Path, pin: dict) -> Path:
    """The tarball's scintilla/ folder as cache/scintilla-VERSION, unpacked again only when it
    came from another tarball or is incomplete."""
    folder = cache / f"scintilla-{pin['version']}"
    marker = folder / ".unpacked-from-sha256"
    if marker.is_file() and marker.read_text().strip() == pin["sha256"]:
        return folder
    with tempfile.TemporaryDirectory(dir=cache) as work:
        with tarfile.open(tarball) as archive:
            members = []
            for member in archive.getmembers():
                parts = Path(member.name).parts
                if not parts or parts[0] != "scintilla":
                    continue
                if member.name.startswith("/") or ".." in parts or not (
                        member.isfile() or member.isdir()):
                    continue  # nothing outside the folder, no links or devices
                members.append(member)
            # The data filter (Python 3.12, and updates of older ones) also keeps the
            # archive's owners off the files when run as root.
            extra = {"filter": "data"} if hasattr(tarfile, "data_filter") else {}
            archive.extractall(work, members=members, **extra)
        unpacked = Path(work) / "scintilla"
        version = (unpacked / "version.txt").read_text().strip()
        if version != pin["version_txt"]:
            raise SourceError(f"{tarball} holds Scintilla {version}, not {pin['version']}")
        (unpacked / marker.name).write_text(pin["sha256"] + "\n")
        shutil.rmtree(folder, ignore_errors=True)
        os.replace(unpacked, folder)
    return folder


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cache", type=Path,
                        default=Path(os.environ.get("ONTOP_SCINTILLA_CACHE") or DEFAULT_CACHE))
    args = parser.parse_args()
    pin = read_pin()
    try:
        tarball = fetch_tarball(args.cache.resolve(), pin, debian_mirrors())
        print(unpack(tarball, args.cache.resolve(), pin))
    except (SourceError, OSError, tarfile.TarError) as error:
        print(error, file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
