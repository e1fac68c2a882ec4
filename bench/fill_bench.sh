#!/usr/bin/env bash
# Filling the Windows program's text box under Wine, beside the classic EDIT control, with each
# benchmark text (ordinary lines of 1 to 256 MiB, unbroken runs of 64 KiB to 16 MiB, a million
# empty lines), then resizing it, changing its font and pressing Ctrl+End, on a virtual display.
# Prints the time to each and the peak memory per pair; arguments go to the benchmark
# (--candidates a,b --cases x,y --timeout S).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
scripts/install-deps.sh "${windows_packages[@]}" "${wine_packages[@]}"
python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
cmake --preset win64 >/dev/null
cmake --build build/win64 -j2 --target win32_fill_bench

exec python3 scripts/virtual_desktop.py run --wine -- \
    wine build/win64/bench/win32_fill_bench.exe "$@"
