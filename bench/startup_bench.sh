#!/usr/bin/env bash
# Start-up time (exec to the Form1 window viewable with its text) and idle memory of the Linux
# program beside the toolkit's floor, a minimal Qt program with the same two lines, on a virtual
# display (Xvfb + openbox). Prints medians and ratios; targets: both ratios at most 1.10.
#   bench/startup_bench.sh [--runs N] [--build-dir DIR] [--program PATH]
# (defaults: 15 runs, build/linux, the ontopview built there).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=15
build=build/linux
program=""
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --build-dir) build="$2"; shift 2 ;;
        --program) program="$2"; shift 2 ;;
        *) echo "usage: bench/startup_bench.sh [--runs N] [--build-dir DIR] [--program PATH]" >&2
           exit 2 ;;
    esac
done
program="${program:-$build/src/host/qt/ontopview}"

source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${display_packages[@]}" "${bench_packages[@]}"
if [ "$build" = build/linux ]; then
    cmake --preset linux >/dev/null
else
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target ontopview qt_floor
if ! cmake --build "$build" -j2 --target startup_probe; then
    echo "startup_probe was not built: it needs the XCB headers (libxcb1-dev)." >&2
    exit 1
fi

display_number=$((200 + RANDOM % 100))
export DISPLAY=":$display_number"
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$runtime"
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY." >&2; exit 1; }
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# Memory is read one second after the text shows.
"$build/bench/startup_probe" "$runs" 1000 "$program" "$build/bench/qt_floor"
