#pragma once

class BoardEdit;
class MazeBoard;

// The rules of drawing the answer path on a board. The path starts on the
// grey border ring, runs through the grid and is complete when it reaches the
// ring again. A step goes to one of the four neighbours of the head; the step
// back along the path's last step takes that step back; a step into a cell
// the path already uses, along the ring or out of it is refused.
//
// The editor holds no state of its own: it works on the board it is given and
// is cheap to make for each use. When it is given a BoardEdit, every change
// it makes is recorded there as well, so that it can be undone.
class PathEditor {
public:
    struct Direction {
        int dx;
        int dy;
    };
    // Direction numbers: 0 down, 1 up, 2 left, 3 right.
    static constexpr Direction Directions[4] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};

    struct Cell {
        int x;
        int y;
        bool operator==(const Cell&) const = default;
    };

    // What a step in one direction would do.
    enum class Move { Forward, Back, Refused };
    // What a step did: a forward step inside the grid, one back along the
    // last step, nothing, or a forward step that reached the ring.
    enum class Outcome { Stepped, TookBack, Refused, Completed };
    struct Step {
        Outcome outcome;
        Cell from;
        Cell to;
    };

    // Where a press on the picture lands: the top-left corner of the ring
    // (nothing happens there), a grid cell, another ring cell (a start), or
    // right of or below the ring, where there is no cell.
    enum class Place { Corner, Grid, Ring, Beyond };

    explicit PathEditor(MazeBoard& board, BoardEdit* record = nullptr);

    Move check(int direction) const;
    // A forward step or a step back, as check() says; a refused step changes
    // nothing.
    Step step(int direction);
    Step stepForward(int direction);
    Step takeBack(int direction);

    Cell head() const;
    bool onRing(Cell cell) const;
    // The path has at least one step.
    bool hasSteps() const;

    // The cell under pixel (x, y) of the picture; left of and above the grid
    // lies column and row -1.
    Cell cellAt(int x, int y) const;
    Place placeOf(Cell cell) const;
    // The ring cell becomes the start; the path is erased.
    void chooseStart(Cell cell);
    void clearPath();

    // The direction of the next step on the way of a fast mouse move from
    // the cell `from` to the cell `to` (held within the ring), or -1 once the
    // head is there: the 4-connected cells nearest the straight line between
    // them fill in what the move skipped. From the ring the step into the
    // grid is taken where the line would run along the ring.
    int nextToward(Cell from, Cell to) const;

private:
    void setSegment(int direction, Cell from, int value);
    int segment(int direction, Cell from) const;
    void setCell(Cell cell, int value);

    MazeBoard& board_;
    BoardEdit* record_;
};
