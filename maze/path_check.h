#pragma once

#include <vector>

class MazeBoard;

// What the drawn path of a board is, read from its path marks alone. A maze
// is made around one simple path that goes in from outside the grid and
// out again: every cell on it has exactly two path sides, and it crosses
// between the grid and the outside exactly twice, at its two ends.
// "Outside" is any position that is not a cell of the grid: the grey
// border ring.
enum class PathShape {
    OnePath,    // the path a maze is made around
    Empty,      // no path marks at all
    Unfinished, // fewer than two crossings, or a piece that stops inside the grid
    Branched,   // a cell with three or four path sides, more than two crossings,
                // or a mark between two outside positions
    Loop,       // the path, and besides it a closed ring of marks
};

PathShape pathShape(const MazeBoard& board);

// The outside positions where the path marks cross between the grid and the
// outside, one for each crossing, in the order the marks are stored
// (vertical marks row by row, then horizontal ones).
struct PathEnd {
    int x;
    int y;
    bool operator==(const PathEnd&) const = default;
};
std::vector<PathEnd> pathCrossings(const MazeBoard& board);

// Whether the walls of the board are a maze that was made: some side is
// open (a maze byte of 1, as the picture shows it), and every cell can be
// reached from every other through open sides. A board saved before Make
// Maze has every wall closed.
bool hasMaze(const MazeBoard& board);
