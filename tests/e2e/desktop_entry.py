#!/usr/bin/env python3
"""The desktop entry as installed validates, takes one file (%f), and once the MIME cache is built
from it, as desktop-file-utils' trigger builds it when the package is installed, offers the
program under "Open with" for plain text, logs, CSV, Markdown and C sources.
Usage: desktop_entry.py BUILD_DIR"""

import subprocess
import sys
import tempfile
from pathlib import Path

with tempfile.TemporaryDirectory() as prefix:
    subprocess.run(["cmake", "--install", sys.argv[1], "--prefix", prefix], check=True,
                   stdout=subprocess.DEVNULL)
    applications = Path(prefix) / "share" / "applications"
    entry = applications / "ontopview.desktop"
    subprocess.run(["desktop-file-validate", str(entry)], check=True)
    subprocess.run(["update-desktop-database", str(applications)], check=True)
    takes_a_file = "\nExec=ontopview %f\n" in entry.read_text(encoding="utf-8")
    cache = (applications / "mimeinfo.cache").read_text(encoding="utf-8").splitlines()
    offered = {line.split("=")[0] for line in cache if "ontopview.desktop" in line}
    missing = {"text/plain", "text/x-log", "text/csv", "text/markdown", "text/x-csrc"} - offered
    print("Exec takes a file:", takes_a_file, "- not offered for:", sorted(missing) or "none")
    sys.exit(0 if takes_a_file and not missing else 1)
