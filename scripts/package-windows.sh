#!/usr/bin/env bash
# Builds both Windows programs and zips them with the licences: build/ontopview-<version>-windows.zip
# holding x64/ontopview.exe and x86/ontopview.exe, the program's licence and Scintilla's, whose
# text box is linked into both, and a README on the ways to open a file (the menu, a drop on the
# window or on the .exe, "Open with", the command line).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh >/dev/null
version=$(sed -n 's/^project(OnTopView VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip="build/ontopview-${version}-windows.zip"
python3 - "$zip" <<'PY'
import sys
import zipfile

with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as archive:
    archive.write("build/win64/src/platform/win32/ontopview.exe", "ontopview/x64/ontopview.exe")
    archive.write("build/win32/src/platform/win32/ontopview.exe", "ontopview/x86/ontopview.exe")
    archive.write("LICENSE", "ontopview/LICENSE.txt")
    archive.write("build/win64/scintilla/License.txt", "ontopview/Scintilla-License.txt")
    # CR LF and a byte-order mark: every Notepad back to Windows 7's reads it as UTF-8.
    readme = open("packaging/windows/README.txt", encoding="utf-8").read()
    archive.writestr("ontopview/README.txt",
                     ("\ufeff" + readme.replace("\n", "\r\n")).encode("utf-8"))
PY
echo "$zip"
