#pragma once

class BoardEdit;
class MazeBoard;
class MazeShape;

// The rules of drawing the answer path on a board. The path starts on an
// outside cell next to the maze, runs through the maze and is complete when
// it steps onto an outside cell again. Outside cells are the grey border ring
// and, on a shaped board, the cells left out of the shape (so the path may
// start or end in a room in the middle). A step goes to one of the four
// neighbours of the head; the step back along the path's last step takes that
// step back; a step into a cell the path already uses, back onto the start,
// along the ring or from one outside cell to another is refused. Only the
// first and the last step cross the edge of the maze.
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
    // What a step did: a forward step inside the maze, one back along the
    // last step, nothing, or a forward step that came out onto an outside
    // cell (the ring, or a cell left out of the shape).
    enum class Outcome { Stepped, TookBack, Refused, Completed };
    struct Step {
        Outcome outcome;
        Cell from;
        Cell to;
    };

    // Where a press on the picture lands: the top-left corner of the ring
    // (nothing happens there), a cell of the maze (Grid), another outside
    // cell (Ring: a start), or right of or below the ring, where there is no
    // cell. On a shaped board Ring is any outside cell with a side on the
    // maze, the ring's or a left-out one; an outside cell without one is a
    // Corner, where nothing happens. On the full rectangle every ring cell
    // but the top-left corner is Ring, as it always was.
    enum class Place { Corner, Grid, Ring, Beyond };

    explicit PathEditor(MazeBoard& board, BoardEdit* record = nullptr);

    Move check(int direction) const;
    // A forward step or a step back, as check() says; a refused step changes
    // nothing.
    Step step(int direction);
    Step stepForward(int direction);
    Step takeBack(int direction);

    Cell head() const;
    // On the grey ring around the grid.
    bool onRing(Cell cell) const;
    // Not a cell of the maze: on the ring, off the grid, or left out of the
    // shape.
    bool isOutside(Cell cell) const;
    // An outside cell from which a first step leads into the maze.
    bool leadsIn(Cell cell) const;
    // The path has at least one step.
    bool hasSteps() const;

    // The cell under pixel (x, y) of the picture; left of and above the grid
    // lies column and row -1.
    Cell cellAt(int x, int y) const;
    Place placeOf(Cell cell) const;
    // The ring cell becomes the start; the path is erased.
    void chooseStart(Cell cell);
    void clearPath();

    // The path uses the cell: its start, its head, a cell it passed or one
    // with a crossing on a side. Such a cell may not change between inside
    // and left out, or the path would no longer keep the rules.
    bool touchesPath(Cell cell) const;
    // The drawn path and its start keep the rules on `shape` (of the
    // board's size, or 0 x 0 for the full rectangle): no cell the path
    // touches changes between inside and left out.
    bool fitsShape(const MazeShape& shape) const;
    // Erases the path, and when its start would come to lie inside `shape`,
    // moves the start to (-1, 0) as a new board has it: afterwards
    // fitsShape(shape) holds. Recorded like clearPath and chooseStart.
    void makeRoomFor(const MazeShape& shape);

    // The direction of the next step on the way of a fast mouse move from
    // the cell `from` to the cell `to` (held within the ring), or -1 once the
    // head is there: the 4-connected cells nearest the straight line between
    // them fill in what the move skipped. From an outside cell the step into
    // the maze is taken where the line would run along the ring.
    int nextToward(Cell from, Cell to) const;

private:
    void setSegment(int direction, Cell from, int value);
    int segment(int direction, Cell from) const;
    void setCell(Cell cell, int value);

    MazeBoard& board_;
    BoardEdit* record_;
};
