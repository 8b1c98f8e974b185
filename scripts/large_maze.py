#!/usr/bin/env python3
"""Writes the largest maze a .maz file may hold: 400 x 400 cells of 20 pixels,
a straight path across row 200 and the walls of a random tree around it.
Used to look at and to time the program on a large board:
    scripts/large_maze.py FILE"""
import random
import struct
import sys

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
