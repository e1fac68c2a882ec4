#!/usr/bin/env bash
# Builds both Windows programs, 64-bit and 32-bit, with MinGW-w64 (installing what is missing),
# and prints where they are.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${windows_packages[@]}"
python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target ontopview
done
echo "64-bit: $(pwd)/build/win64/src/platform/win32/ontopview.exe"
echo "32-bit: $(pwd)/build/win32/src/platform/win32/ontopview.exe"
