#pragma once

class MazeBoard;

// What a made maze is like, as its status line tells it.
struct MazeStats {
    int answerLength = 0;   // cells of the drawn path inside the grid
    int deadEnds = 0;       // cells with exactly one open side
    int decisionPoints = 0; // path cells with an open side that the path does not cross
    bool operator==(const MazeStats&) const = default;
};

// Open sides are those the maze picture shows open (a maze byte of exactly 1),
// the openings in the outer wall included; path cells are the cells that a
// drawn crossing (any non-zero path byte) touches. Only cells of the maze
// count: on a shaped board, cells left out are not looked at.
MazeStats measureMaze(const MazeBoard& board);
