#!/usr/bin/env bash
# Takes a picture of the program's window after a search on the demo site:
# builds vellumix-demo, starts it on a virtual X display, presses Search,
# waits for the rows and their MP3 addresses and saves the window as PNG.
# Usage: scripts/screenshot.sh [picture.png]   (default: build/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."

picture="${1:-build/screenshot.png}"
mkdir -p "$(dirname "$picture")"
picture="$(cd "$(dirname "$picture")" && pwd)/$(basename "$picture")"

scripts/install-deps.sh screenshot
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_BUILD_TESTS=OFF -DVX_BUILD_BENCH=OFF
cmake --build build/demo -j "$(nproc)" --target vellumix-demo

work="$(mktemp -d)"
xvfb_pid=""
demo_pid=""

stop_process() {
    local pid="$1"
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    stop_process "$demo_pid"
    stop_process "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
echo "Virtual display $DISPLAY"

build/demo/demo/vellumix-demo >"$work/demo.log" 2>&1 &
demo_pid=$!

window="$(timeout 60 xdotool search --sync --onlyvisible --name '^Vellumix' | head -n1 || true)"
if [ -z "$window" ]; then
    echo "The window did not appear; the program said:" >&2
    cat "$work/demo.log" >&2
    exit 1
fi
sleep 1

# Without a window manager the window has no frame: its geometry is the client
# area. The Search button sits at 341,0 in it, 46 x 23 pixels.
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "Window $window at $X,$Y, $WIDTH x $HEIGHT"
xdotool mousemove "$((X + 341 + 23))" "$((Y + 11))" click 1

# The search fills the rows, then the resolve worker writes the MP3 addresses.
sleep 5

import -window "$window" "$picture"
echo "Saved $picture"
