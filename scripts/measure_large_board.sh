#!/usr/bin/env bash
# Measures the real program on the largest board a file may hold (400 x 400
# cells of 20 pixels) in a virtual X display: start to titled and painted
# window, resident memory, Make Maze, zoom steps, bursts of zoom keys, a path
# step and a window enlarged far beyond the screen.
#   scripts/measure_large_board.sh [program]      (default: build/app/zubelo)
# Needs xvfb, the X11 headers and libXtst (installed with xdotool).
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/app/zubelo}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Settings and recovery copies of its own: nothing the user left asks first.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

# A maze file: a straight path across row 200 and walls of a random tree.
python3 scripts/large_maze.py "$work/large.maz"

timing=${ZUBELO_WINDOW_TIMING:-}
if [ -z "$timing" ]; then
    timing=$work/window_timing
    g++ -std=c++20 -O2 -o "$timing" scripts/window_timing.cpp -lX11 /usr/lib/x86_64-linux-gnu/libXtst.so.6
fi
QT_QPA_PLATFORM=xcb scripts/with_xvfb.sh 1280x1024x24 "$timing" "$work/large.maz" "$program"
