#pragma once

#include "maze_difficulty.h"

#include <optional>
#include <vector>

class MazeBoard;

// A finished maze as lines to print, in cell units: the grid's top-left
// corner is (0, 0) and cell (x, y) covers x ... x+1 by y ... y+1, so the
// border ring's cells lie at -1 and at width or height. Every printed form of
// a maze (page, PDF, SVG, PNG, printer) draws from this one description. On
// a shaped board it holds only the shape: nothing is drawn outside it.
struct MazeOutline {
    // One unbroken stretch of wall on one grid line. A horizontal run lies on
    // line y = `line` from x = `from` to x = `to`; a vertical run on line
    // x = `line` from y = `from` to y = `to`. Always from < to.
    struct WallRun {
        bool vertical;
        int line;
        int from;
        int to;
        bool operator==(const WallRun&) const = default;
    };

    struct Point {
        double x;
        double y;
        bool operator==(const Point&) const = default;
    };

    enum class Side { Top, Right, Bottom, Left };

    // A gap in the edge of the maze: on the top or bottom side `index` is
    // the column, on the left or right side the row. `side` is the side of
    // the cell of the maze the gap lies on, so the gap leads out that way.
    // `inset` is how many cells in from the outer wall that side lies: 0 on
    // the outer wall, more on a shaped board (a gap into a room of the
    // shape, or on a side of the shape away from the outer wall). The cell
    // of the maze at the gap is then, for Top, (index, inset); Bottom,
    // (index, height-1-inset); Left, (inset, index); Right, (width-1-inset,
    // index).
    struct Opening {
        Side side;
        int index;
        int inset = 0;

        // The middle of the gap, on the wall it opens.
        Point centre(int width, int height) const;
        // The unit step pointing out of the maze.
        int dx() const { return side == Side::Right ? 1 : side == Side::Left ? -1 : 0; }
        int dy() const { return side == Side::Bottom ? 1 : side == Side::Top ? -1 : 0; }
        bool operator==(const Opening&) const = default;
    };

    int width = 0;
    int height = 0;
    // Horizontal runs line by line from the top, then vertical runs from the
    // left; within a line in order along it. No two runs touch end to end.
    // On a shaped board only the walls of the shape: those with a cell of the
    // maze on at least one side.
    std::vector<WallRun> walls;
    // Clockwise round the outer wall from the top-left corner; on a shaped
    // board then the gaps away from the outer wall, row by row from the top
    // and along each row, the gaps of one cell in the order top, right,
    // bottom, left.
    std::vector<Opening> openings;
    // Indices into `openings`, or -1. The start is the opening where the
    // board's start lies; failing that, the first opening clockwise. The goal
    // is where the answer leaves, or else the next other opening clockwise.
    int start = -1;
    int goal = -1;
    // The answer as polylines through cell centres, corners only. A complete
    // path is one polyline from the ring cell outside the entrance to the
    // ring cell outside the exit. Path marks that do not join up (a damaged
    // file, a path still being drawn) come out as further pieces, so nothing
    // the board holds is dropped.
    std::vector<std::vector<Point>> answer;
    // How hard the maze is, for an answer page that prints it; nothing when
    // it has no way through.
    std::optional<MazeDifficulty> difficulty;
};

MazeOutline outlineOf(const MazeBoard& board);
