#!/usr/bin/env bash
# Opening 1, 10 and 100 MiB files end to end, from Return in the open dialog to the text shown,
# in the Linux program or (--windows) the 64-bit Windows program under Wine, each on a virtual
# display of its own. Prints medians per file and the program's memory after the open.
#   bench/open_e2e.sh [--windows] [--runs N] [--sizes 1,10,100] [--files run64k,run2m,run16m,...]
set -euo pipefail
cd "$(dirname "$0")/.."

windows=false
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --windows) windows=true; args+=(--windows); shift ;;
        --runs|--sizes|--files) args+=("$1" "$2"); shift 2 ;;
        *) echo "usage: bench/open_e2e.sh [--windows] [--runs N] [--sizes 1,10,100] [--files NAMES]" >&2
           exit 2 ;;
    esac
done

source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${display_packages[@]}" "${bench_packages[@]}"
cmake --preset linux >/dev/null
if ! cmake --build build/linux -j2 --target open_probe; then
    echo "open_probe was not built: it needs the XCB and XTest headers (libxcb1-dev libxcb-xtest0-dev)." >&2
    exit 1
fi
if $windows; then
    scripts/install-deps.sh "${windows_packages[@]}" "${wine_packages[@]}"
    python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
    cmake --preset win64 >/dev/null
    cmake --build build/win64 -j2 --target ontopview
    program=build/win64/src/platform/win32/ontopview.exe
else
    cmake --build build/linux -j2 --target ontopview
    program=build/linux/src/platform/qt/ontopview
fi
exec python3 bench/open_e2e.py "$program" --probe build/linux/bench/open_probe "${args[@]}"
