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

# A maze file: a straight path across row 200 and walls of a random tree.
python3 - "$work/large.maz" <<'PY'
import random, struct, sys
W = H = 400
random.seed(17)
mazeV = bytearray((W + 1) * H)
mazeH = bytearray(W * (H + 1))
pathV = bytearray((W + 1) * H)
pathH = bytearray(W * (H + 1))
for y in range(H):
    for x in range(W):
        if y > 0 and (x == 0 or random.random() < 0.5):
            mazeH[y * W + x] = 1
        elif x > 0:
            mazeV[y * (W + 1) + x] = 1
for x in range(W + 1):
    pathV[200 * (W + 1) + x] = 1
    mazeV[200 * (W + 1) + x] = 1
with open(sys.argv[1], "wb") as f:
    f.write(b"MAZE" + struct.pack("<7i", W, H, -1, 200, W, 200, 20))
    f.write(mazeV + mazeH + pathV + pathH)
PY

timing=${ZUBELO_WINDOW_TIMING:-}
if [ -z "$timing" ]; then
    timing=$work/window_timing
    g++ -std=c++20 -O2 -o "$timing" scripts/window_timing.cpp -lX11 /usr/lib/x86_64-linux-gnu/libXtst.so.6
fi
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$timing" "$work/large.maz" "$program"
