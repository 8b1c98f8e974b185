#include "board_edit.h"

#include <cstdlib>
#include <stdexcept>

namespace {

BoardEdit::Marks marksOf(const MazeBoard& board)
{
    return {board.startX, board.startY, board.curX, board.curY, board.showAnswer};
}

} // namespace

BoardEdit::BoardEdit(const MazeBoard& board)
    : before_(marksOf(board))
    , after_(before_)
{
}

void BoardEdit::record(Array array, int x, int y, std::uint8_t before, std::uint8_t after)
{
    if (before != after)
        changes_.push_back({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), array, before, after});
}

void BoardEdit::recordClearPath(const MazeBoard& board)
{
    const int W = board.getWidth();
    const int H = board.getHeight();
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x <= W; ++x)
            record(Array::PathV, x, y, board.getPathV(x, y), 0);
    }
    for (int y = 0; y <= H; ++y) {
        for (int x = 0; x < W; ++x)
            record(Array::PathH, x, y, board.getPathH(x, y), 0);
    }
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x)
            record(Array::PathCell, x, y, board.getPathCell(x, y), 0);
    }
}

void BoardEdit::keepMaze(const MazeBoard& board)
{
    mazeV_ = board.mazeVArray();
    mazeH_ = board.mazeHArray();
    keepsMaze_ = true;
}

void BoardEdit::keepShape(const MazeBoard& board)
{
    shape_ = board.shape();
    keepsShape_ = true;
}

void BoardEdit::finish(const MazeBoard& board)
{
    after_ = marksOf(board);
    changes_.shrink_to_fit();
    if (keepsShape_ && shape_ == board.shape()) {
        shape_ = MazeShape();
        keepsShape_ = false;
    }
}

void BoardEdit::undo(MazeBoard& board)
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
        apply(board, *change, true);
    exchangeMaze(board);
    exchangeShape(board);
    put(board, before_);
}

void BoardEdit::redo(MazeBoard& board)
{
    for (const Change& change : changes_)
        apply(board, change, false);
    exchangeMaze(board);
    exchangeShape(board);
    put(board, after_);
}

void BoardEdit::apply(MazeBoard& board, const Change& change, bool undo) const
{
    const std::uint8_t value = undo ? change.before : change.after;
    switch (change.array) {
    case Array::PathV: board.setPathV(change.x, change.y, value); break;
    case Array::PathH: board.setPathH(change.x, change.y, value); break;
    case Array::PathCell: board.setPathCell(change.x, change.y, value); break;
    }
}

void BoardEdit::put(MazeBoard& board, const Marks& marks) const
{
    board.startX = marks.startX;
    board.startY = marks.startY;
    board.curX = marks.curX;
    board.curY = marks.curY;
    // Left alone unless this edit turned it, so that the answer shown or
    // hidden since stays as the user set it.
    if (before_.showAnswer != after_.showAnswer)
        board.showAnswer = marks.showAnswer;
}

void BoardEdit::exchangeMaze(MazeBoard& board)
{
    // The kept walls and the board's trade places: undo and redo are the same
    // exchange. The board keeps its size while an edit can be undone.
    if (keepsMaze_ && !board.exchangeMaze(mazeV_, mazeH_))
        throw std::logic_error("a kept maze does not fit the board");
}

void BoardEdit::exchangeShape(MazeBoard& board)
{
    if (!keepsShape_)
        return;
    MazeShape now = board.shape();
    if (!board.setShape(std::move(shape_)))
        throw std::logic_error("a kept shape does not fit the board");
    shape_ = std::move(now);
}

bool BoardEdit::changesNothing() const
{
    return changes_.empty() && !keepsMaze_ && !keepsShape_ && before_ == after_;
}

bool BoardEdit::isSingleStep() const
{
    const int moved = std::abs(after_.curX - before_.curX) + std::abs(after_.curY - before_.curY);
    return moved == 1 && changes_.size() <= 2 && !keepsMaze_ && !keepsShape_ && before_.startX == after_.startX
        && before_.startY == after_.startY && before_.showAnswer == after_.showAnswer;
}

std::size_t BoardEdit::bytes() const
{
    return sizeof(*this) + changes_.capacity() * sizeof(Change) + mazeV_.capacity() + mazeH_.capacity()
        + (shape_.cellData() ? static_cast<std::size_t>(shape_.cellCount()) : 0);
}
