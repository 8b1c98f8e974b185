#pragma once

#include "maze_board.h"

// A straight path across the middle row, from the left ring to the right ring.
inline void drawStraightPath(MazeBoard& board)
{
    const int W = board.getWidth();
    const int row = board.getHeight() / 2;
    board.startX = -1;
    board.startY = row;
    board.clearPath();
    for (int x = 0; x <= W; ++x)
        board.setPathV(x, row, 1);
    for (int x = 0; x < W; ++x)
        board.setPathCell(x, row, 1);
    board.curX = W;
}
