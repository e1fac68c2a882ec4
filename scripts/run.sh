#!/usr/bin/env bash
# Sets everything up and runs the program: installs the missing packages the program's build
# needs, builds the program alone (preset linux-program: no tests, no benchmarks), starts it.
# Without a display it shows the window on a virtual one and saves a screenshot instead
# (to the path given with --screenshot, default build/screenshot.png).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

screenshot=""
while [ $# -gt 0 ]; do
    case "$1" in
        --screenshot) screenshot="$2"; shift 2 ;;
        *) echo "usage: scripts/run.sh [--screenshot FILE]" >&2; exit 2 ;;
    esac
done

build() {
    python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
    cmake --preset linux-program >/dev/null
    cmake --build --preset linux-program --target ontopview
}
program=build/linux-program/src/platform/qt/ontopview

if [ -z "$screenshot" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    scripts/install-deps.sh "${build_packages[@]}" fonts-noto-cjk
    build
    exec "$program"
fi

screenshot="${screenshot:-build/screenshot.png}"
echo "No display here (or a screenshot was asked for): the window is shown on a virtual display"
echo "and saved as $screenshot."
scripts/install-deps.sh "${build_packages[@]}" "${display_packages[@]}"
build
exec python3 scripts/screenshot.py --screenshot "$screenshot" "$program"
