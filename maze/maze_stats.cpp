#include "maze_stats.h"

#include "maze_board.h"

MazeStats measureMaze(const MazeBoard& board)
{
    const int W = board.getWidth();
    const int H = board.getHeight();
    MazeStats stats;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            // A cell left out of the shape is no part of the maze, even
            // where the path starts or ends in it.
            if (!board.isInside(x, y))
                continue;
            // The four sides: left, right, top, bottom.
            const bool open[4] = {board.getMazeV(x, y) == 1, board.getMazeV(x + 1, y) == 1,
                                  board.getMazeH(x, y) == 1, board.getMazeH(x, y + 1) == 1};
            const bool path[4] = {board.getPathV(x, y) != 0, board.getPathV(x + 1, y) != 0,
                                  board.getPathH(x, y) != 0, board.getPathH(x, y + 1) != 0};
            stats.deadEnds += open[0] + open[1] + open[2] + open[3] == 1;
            if (path[0] || path[1] || path[2] || path[3]) {
                ++stats.answerLength;
                stats.decisionPoints += (open[0] && !path[0]) || (open[1] && !path[1]) || (open[2] && !path[2])
                    || (open[3] && !path[3]);
            }
        }
    }
    return stats;
}
