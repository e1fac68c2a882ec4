#!/usr/bin/env python3
"""The desktop entry as installed puts the program under "Open with" for text files.

Installs the build into a temporary prefix, validates the entry with desktop-file-validate, and
builds the MIME cache from it with update-desktop-database, as the Debian package's trigger does
on install: plain text, logs, CSV and Markdown must then name the program, which must take the
file as its argument (%f).
Usage: desktop_entry.py BUILD_DIR
"""

import configparser
import subprocess
import sys
import tempfile
from pathlib import Path

OFFERED_FOR = ["text/plain", "text/x-log", "text/csv", "text/markdown", "text/x-csrc"]


def main() -> int:
    build = Path(sys.argv[1])
    failures = []
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run(["cmake", "--install", str(build), "--prefix", prefix],
                       check=True, stdout=subprocess.DEVNULL)
        applications = Path(prefix) / "share" / "applications"
        entry = applications / "ontopview.desktop"
        validation = subprocess.run(["desktop-file-validate", str(entry)],
                                    capture_output=True, text=True)
        if validation.returncode != 0:
            failures.append(f"desktop-file-validate: {validation.stdout}{validation.stderr}")
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str
        parser.read(entry, encoding="utf-8")
        exec_line = parser["Desktop Entry"].get("Exec", "")
        if exec_line.split()[1:] != ["%f"]:
            failures.append(f"Exec does not take one file: {exec_line!r}")
        subprocess.run(["update-desktop-database", str(applications)], check=True)
        cache = (applications / "mimeinfo.cache").read_text(encoding="utf-8")
        offered = {line.split("=", 1)[0] for line in cache.splitlines()
                   if "=" in line and "ontopview.desktop" in line.split("=", 1)[1]}
        missing = [mime for mime in OFFERED_FOR if mime not in offered]
        if missing:
            failures.append(f"not offered under Open with for {missing}")
    for failure in failures:
        print("FAIL", failure)
    print("desktop entry:", "ok" if not failures else f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
