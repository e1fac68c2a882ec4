#!/usr/bin/env bash
# Builds both Windows programs and zips them with the licences: build/ontopview-<version>-windows.zip
# holding x64/ontopview.exe and x86/ontopview.exe, the program's licence and Scintilla's, whose
# text box is linked into both.
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
PY
echo "$zip"
