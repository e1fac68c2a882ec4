#!/usr/bin/env bash
# Start-up time (exec to the Form1 window viewable with its text) and idle memory beside the
# floor, on a virtual display (Xvfb + openbox). Prints medians and ratios; targets: both ratios
# at most 1.10.
#   Linux program beside a minimal Qt program with one QPlainTextEdit (the default);
#   --windows: the 64-bit Windows program under Wine beside a minimal Win32 window with one EDIT
#   (and, for reference, the same window with the rich edit control the program had before).
# The program is also started with a file of ordinary Japanese and English lines on its command
# line (10 MiB unless --file-mib says otherwise, 0 for none), timed until its caption names the
# file and the text shows: that costs start-up plus the file's open (bench/open_e2e.sh).
#   bench/startup_bench.sh [--windows] [--runs N] [--build-dir DIR] [--program PATH] [--file-mib N]
# (defaults: 15 runs, build/linux, the ontopview built there or in build/win64).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=15
build=build/linux
program=""
windows=false
file_mib=10
while [ $# -gt 0 ]; do
    case "$1" in
        --windows) windows=true; shift ;;
        --runs) runs="$2"; shift 2 ;;
        --build-dir) build="$2"; shift 2 ;;
        --program) program="$2"; shift 2 ;;
        --file-mib) file_mib="$2"; shift 2 ;;
        *) echo "usage: bench/startup_bench.sh [--windows] [--runs N] [--build-dir DIR] [--program PATH] [--file-mib N]" >&2
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

# The file given on the command line, and the caption it gives the window: the path, which under
# Wine is the same file on its drive Z:.
with_file=()
if [ "$file_mib" != 0 ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    file="$work/起動ベンチ ${file_mib}MiB.txt"
    python3 - "$file" "$file_mib" <<'PY'
import sys
sys.path.insert(0, "bench")
from open_e2e import MIB, ordinary_lines
with open(sys.argv[1], "wb") as out:
    out.write(ordinary_lines(int(sys.argv[2]) * MIB))
PY
    caption="$file"
    if $windows; then caption="Z:${file//\//\\}"; file="$caption"; fi
    with_file=(--file "$file" "$caption")
fi

# Under Wine, a prefix of its own, and Wine's server and background processes kept running
# between the starts, as they are on a desktop where Wine is in use.
# Wine hands a program non-ASCII arguments intact only under a UTF-8 locale.
desktop=()
if $windows; then desktop=(--wine); export LC_ALL=C.UTF-8; fi
# Memory is read one second after the text shows.
python3 scripts/virtual_desktop.py run "${desktop[@]}" -- \
    "$build/bench/startup_probe" "$runs" 1000 "${via[@]}" "${with_file[@]}" "$program" "${floor[@]}"
