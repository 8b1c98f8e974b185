#pragma once

#include "maze_board.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What one editing action changed on a board, kept so that the action can be
// taken back and done again exactly: the single path bytes it wrote, the start,
// the head and showAnswer before and after it, for a new maze the walls it
// replaced, and for a change of shape the shape it replaced. A path step keeps
// two bytes; a new maze keeps one copy of the walls, exchanged with the
// board's on every undo and redo, so that the maze comes back without drawing
// a random value; a shape is kept and exchanged the same way.
class BoardEdit {
public:
    enum class Array : std::uint8_t { PathV, PathH, PathCell };
    struct Change {
        std::int16_t x;
        std::int16_t y;
        Array array;
        std::uint8_t before;
        std::uint8_t after;
    };
    struct Marks {
        int startX;
        int startY;
        int curX;
        int curY;
        bool showAnswer;
        bool operator==(const Marks&) const = default;
    };

    // Starts an edit of `board`: its marks now are the state to go back to.
    explicit BoardEdit(const MazeBoard& board);

    // One path byte written; writes that change nothing are not kept.
    void record(Array array, int x, int y, std::uint8_t before, std::uint8_t after);
    // Every non-zero path byte, as clearPath is about to erase them.
    void recordClearPath(const MazeBoard& board);
    // The walls, as a new maze is about to replace them.
    void keepMaze(const MazeBoard& board);
    // The shape, as it is about to change (a painting stroke, a preset, a
    // picture): call before the first change. If the shape is the same again
    // when the edit finishes, nothing of it is kept.
    void keepShape(const MazeBoard& board);
    // Ends the edit: the board's marks now are the state to redo.
    void finish(const MazeBoard& board);

    void undo(MazeBoard& board);
    void redo(MazeBoard& board);

    bool changesNothing() const;
    // The edit moved the head by one cell and touched nothing outside the
    // two cells: those two cells are all that a repaint needs.
    bool isSingleStep() const;
    const Marks& before() const { return before_; }
    const Marks& after() const { return after_; }
    bool keepsMaze() const { return keepsMaze_; }
    bool keepsShape() const { return keepsShape_; }
    // Heap and object bytes this edit holds.
    std::size_t bytes() const;

private:
    void apply(MazeBoard& board, const Change& change, bool undo) const;
    void put(MazeBoard& board, const Marks& marks) const;
    void exchangeMaze(MazeBoard& board);
    void exchangeShape(MazeBoard& board);

    Marks before_;
    Marks after_;
    std::vector<Change> changes_;
    std::vector<std::uint8_t> mazeV_;
    std::vector<std::uint8_t> mazeH_;
    bool keepsMaze_ = false;
    MazeShape shape_;
    bool keepsShape_ = false;
};

static_assert(MazeBoard::MaxSide < 32767, "a path position fits a BoardEdit::Change");
