#!/usr/bin/env bash
# Start-up time (exec to the Form1 window viewable with its text) and idle memory beside the
# floor, on a virtual display (Xvfb + openbox). Prints medians and ratios; targets: both ratios
# at most 1.10.
#   Linux program beside a minimal Qt program with one QPlainTextEdit (the default);
#   --windows: the 64-bit Windows program under Wine beside a minimal Win32 window with one EDIT
#   (and, for reference, the same window with the rich edit control the program had before).
#   bench/startup_bench.sh [--windows] [--runs N] [--build-dir DIR] [--program PATH]
# (defaults: 15 runs, build/linux, the ontopview built there or in build/win64).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=15
build=build/linux
program=""
windows=false
while [ $# -gt 0 ]; do
    case "$1" in
        --windows) windows=true; shift ;;
        --runs) runs="$2"; shift 2 ;;
        --build-dir) build="$2"; shift 2 ;;
        --program) program="$2"; shift 2 ;;
        *) echo "usage: bench/startup_bench.sh [--windows] [--runs N] [--build-dir DIR] [--program PATH]" >&2
           exit 2 ;;
    esac
done

source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${display_packages[@]}" "${bench_packages[@]}"
if [ "$build" = build/linux ]; then
    cmake --preset linux >/dev/null
else
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
if ! cmake --build "$build" -j2 --target startup_probe; then
    echo "startup_probe was not built: it needs the XCB headers (libxcb1-dev)." >&2
    exit 1
fi
if $windows; then
    scripts/install-deps.sh "${windows_packages[@]}" "${wine_packages[@]}"
    python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
    cmake --preset win64 >/dev/null
    cmake --build build/win64 -j2 --target ontopview win32_floor win32_rich_floor
    program="${program:-build/win64/src/platform/win32/ontopview.exe}"
    # The rich edit floor is timed too, beside the text box the program had before.
    floor=(build/win64/bench/win32_rich_floor.exe build/win64/bench/win32_floor.exe)
    via=(--via wine)
else
    cmake --build "$build" -j2 --target ontopview qt_floor
    program="${program:-$build/src/platform/qt/ontopview}"
    floor=("$build/bench/qt_floor")
    via=()
fi

# Under Wine, a prefix of its own, and Wine's server and background processes kept running
# between the starts, as they are on a desktop where Wine is in use.
desktop=()
if $windows; then desktop=(--wine); fi
# Memory is read one second after the text shows.
exec python3 scripts/virtual_desktop.py run "${desktop[@]}" -- \
    "$build/bench/startup_probe" "$runs" 1000 "${via[@]}" "$program" "${floor[@]}"
