#!/usr/bin/env bash
# Shows the 64-bit Windows program under Wine on a virtual display with its command menu open
# and saves a screenshot (default docs/windows.png).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
screenshot="${1:-docs/windows.png}"
scripts/install-deps.sh "${windows_packages[@]}" "${wine_packages[@]}" "${display_packages[@]}"
python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target ontopview >/dev/null
exec python3 scripts/screenshot.py --screenshot "$screenshot" --menu --windows \
    build/win64/src/platform/win32/ontopview.exe
