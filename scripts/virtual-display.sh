#!/usr/bin/env bash
# Runs a program on a fresh Xvfb display with openbox, waits for its window, saves a
# screenshot (optionally with the command menu opened by Shift + right-click), then stops it.
set -euo pipefail

screenshot=build/screenshot.png
with_menu=0
while [ $# -gt 0 ]; do
    case "$1" in
        --screenshot) screenshot="$2"; shift 2 ;;
        --menu) with_menu=1; shift ;;
        *) break ;;
    esac
done
[ $# -ge 1 ] || { echo "usage: virtual-display.sh [--screenshot FILE] [--menu] PROGRAM [ARGS]" >&2; exit 2; }

display_number=$((90 + RANDOM % 100))
export DISPLAY=":$display_number"
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$runtime"
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

"$@" &
program=$!
pids=("$program" "${pids[@]}")
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "The window did not appear." >&2; exit 1; }
sleep 0.5

if [ "$with_menu" -eq 1 ]; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 120)) $((Y + 90)) keydown shift click 3 keyup shift
    sleep 0.5
fi

mkdir -p "$(dirname "$screenshot")"
# The window with a margin, wide enough for the menu opened inside it.
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "$((WIDTH + 60))x$((HEIGHT + 60))+$((X - 30))+$((Y - 45))" +repage \
    "$screenshot"
echo "Screenshot saved: $screenshot"
echo "Window state: $(xprop -id "$window" _NET_WM_STATE)"
