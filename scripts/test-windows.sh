#!/usr/bin/env bash
# Builds the Windows programs and runs their tests: the 64-bit build's all under wine64 on a
# virtual display, the 32-bit build's checks that need no Windows (running it would need a
# 32-bit Wine). Installs what is missing; exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${windows_packages[@]}" "${wine_packages[@]}"
scripts/scintilla-source.sh >/dev/null  # the text box's sources, fetched once

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

work=$(mktemp -d)
pids=()
cleanup() {
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# A display nobody else uses, with a window manager as a desktop has.
display_number=90
while [ -e "/tmp/.X${display_number}-lock" ] || [ -e "/tmp/.X11-unix/X${display_number}" ]; do
    display_number=$((display_number + 1))
done
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }
openbox >/dev/null 2>&1 &
pids+=($!)

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scripts/wine-prefix.sh
# Wine's own background processes (services, the desktop) start with the first program and
# inherit its output: started by one whose output goes nowhere, they hold none of ctest's pipes
# open. A console waiting on its input keeps them running until this script ends.
mkfifo "$work/console"
wine cmd.exe <"$work/console" >/dev/null 2>&1 &
pids+=($!)
exec 9>"$work/console"
wine build/win64/src/host/win32/win32_tests.exe --gtest_filter='Form1Creation.*' >/dev/null 2>&1

status=0
summary() { grep -E '^[0-9]+% tests passed' "$1" | tail -n 1; }
ctest --preset win64 2>&1 | tee "$work/win64.log" || status=1
ctest --preset win32 2>&1 | tee "$work/win32.log" || status=1

# The window tests again at 144 and 192 dpi, in copies of the prefix set to those DPIs: sizes in
# twips, the rectangle kept over toggles and font sizes in points must hold at any DPI.
dpi_tests='ProgramTest.RunsAtTheDpi*:ProgramTest.ClassCaption*:ProgramTest.Metrics*'
dpi_tests+=':ProgramTest.Topmost*:ProgramTest.Text1Fills*:ProgramTest.FontProperties*'
dpi_summary=""
for dpi in 144 192; do
    prefix="$work/prefix-$dpi"
    cp -a "$WINEPREFIX" "$prefix"
    # The first program of a prefix starts its background processes; their output goes nowhere.
    WINEPREFIX="$prefix" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$dpi" /f >/dev/null 2>&1
    if WINEPREFIX="$prefix" ONTOP_EXPECTED_DPI="$dpi" wine \
        build/win64/src/host/win32/win32_tests.exe --gtest_filter="$dpi_tests" \
        >"$work/dpi-$dpi.log" 2>&1; then
        dpi_summary+=" $dpi dpi: $(grep -E '^\[  PASSED  \]' "$work/dpi-$dpi.log")"
    else
        status=1
        cat "$work/dpi-$dpi.log"
        dpi_summary+=" $dpi dpi: FAILED"
    fi
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
done

# End to end: the 64-bit program under Wine driven from outside, on a desktop of its own, and
# Japanese typed into it through an input method.
scripts/install-deps.sh "${display_packages[@]}" "${ime_packages[@]}"
python3 tests/e2e/e2e.py --windows --screenshots build/e2e build/win64/src/host/win32/ontopview.exe \
    2>&1 | tee "$work/e2e.log" || status=1

echo "Windows zip: $(scripts/package-windows.sh | tail -n 1)"
echo "win64: $(summary "$work/win64.log")"
echo "win32: $(summary "$work/win32.log")"
echo "window tests at other DPIs:$dpi_summary"
echo "Windows end to end: $(tail -n 1 "$work/e2e.log")"
exit $status
