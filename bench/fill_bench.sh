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
scripts/scintilla-source.sh >/dev/null  # the text box's sources, fetched once
cmake --preset win64 >/dev/null
cmake --build build/win64 -j2 --target win32_fill_bench

work=$(mktemp -d)
pids=()
cleanup() {
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

display_number=$((300 + RANDOM % 100))
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY." >&2; exit 1; }
openbox >/dev/null 2>&1 &
pids+=($!)

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scripts/wine-prefix.sh
# Wine's background processes get no share of this script's output (see test-windows.sh).
mkfifo "$work/console"
wine cmd.exe <"$work/console" >/dev/null 2>&1 &
pids+=($!)
exec 9>"$work/console"

wine build/win64/bench/win32_fill_bench.exe "$@"
