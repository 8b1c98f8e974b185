#include "path_editor.h"

#include "board_edit.h"
#include "maze_board.h"

#include <algorithm>
#include <cstdlib>

PathEditor::PathEditor(MazeBoard& board, BoardEdit* record)
    : board_(board)
    , record_(record)
{
}

PathEditor::Cell PathEditor::head() const
{
    return {board_.curX, board_.curY};
}

bool PathEditor::onRing(Cell cell) const
{
    return cell.x == -1 || cell.y == -1 || cell.x == board_.getWidth() || cell.y == board_.getHeight();
}

bool PathEditor::hasSteps() const
{
    return board_.curX != board_.startX || board_.curY != board_.startY;
}

// The segment a step from `from` crosses: vertical segments lie left of their
// cell, horizontal ones above it.
int PathEditor::segment(int d, Cell from) const
{
    switch (d) {
    case 0: return board_.getPathH(from.x, from.y + 1);
    case 1: return board_.getPathH(from.x, from.y);
    case 2: return board_.getPathV(from.x, from.y);
    default: return board_.getPathV(from.x + 1, from.y);
    }
}

void PathEditor::setSegment(int d, Cell from, int value)
{
    const bool vertical = d >= 2;
    const int x = d == 3 ? from.x + 1 : from.x;
    const int y = d == 0 ? from.y + 1 : from.y;
    const auto v = static_cast<std::uint8_t>(value);
    if (record_)
        record_->record(vertical ? BoardEdit::Array::PathV : BoardEdit::Array::PathH, x, y,
                        vertical ? board_.getPathV(x, y) : board_.getPathH(x, y), v);
    if (vertical)
        board_.setPathV(x, y, v);
    else
        board_.setPathH(x, y, v);
}

void PathEditor::setCell(Cell cell, int value)
{
    // The board ignores ring positions; so does the record.
    if (record_ && !onRing(cell))
        record_->record(BoardEdit::Array::PathCell, cell.x, cell.y, board_.getPathCell(cell.x, cell.y),
                        static_cast<std::uint8_t>(value));
    board_.setPathCell(cell.x, cell.y, static_cast<std::uint8_t>(value));
}

PathEditor::Move PathEditor::check(int d) const
{
    const int x = board_.curX;
    const int y = board_.curY;
    const int W = board_.getWidth();
    const int H = board_.getHeight();

    // From the ring only the step straight into the grid passes; the head
    // never moves along the ring or out of it.
    if ((d == 0 && (y == H || x == -1 || x == W)) || (d == 1 && (y == -1 || x == -1 || x == W))
        || (d == 2 && (x == -1 || y == -1 || y == H)) || (d == 3 && (x == W || y == -1 || y == H)))
        return Move::Refused;
    // The only marked segment at the head is the path's last step.
    if (segment(d, {x, y}) != 0)
        return Move::Back;
    // Ring cells read 0: a step from the grid onto the ring passes.
    return board_.getPathCell(x + Directions[d].dx, y + Directions[d].dy) == 0 ? Move::Forward : Move::Refused;
}

PathEditor::Step PathEditor::step(int d)
{
    switch (check(d)) {
    case Move::Forward: return stepForward(d);
    case Move::Back: return takeBack(d);
    case Move::Refused: break;
    }
    return {Outcome::Refused, head(), head()};
}

PathEditor::Step PathEditor::stepForward(int d)
{
    const Cell from = head();
    // The stored value is turned over; after check() it is always 0 here.
    setSegment(d, from, segment(d, from) == 0 ? 1 : 0);
    setCell(from, 1);
    board_.curX += Directions[d].dx;
    board_.curY += Directions[d].dy;
    return {onRing(head()) ? Outcome::Completed : Outcome::Stepped, from, head()};
}

PathEditor::Step PathEditor::takeBack(int d)
{
    const Cell from = head();
    setSegment(d, from, 0);
    board_.curX += Directions[d].dx;
    board_.curY += Directions[d].dy;
    setCell(head(), 0);
    return {Outcome::TookBack, from, head()};
}

PathEditor::Cell PathEditor::cellAt(int x, int y) const
{
    const int g = board_.getGridSize();
    const int px = x - board_.getMarginX();
    const int py = y - board_.getMarginY();
    return {px < 0 ? -1 : px / g, py < 0 ? -1 : py / g};
}

PathEditor::Place PathEditor::placeOf(Cell cell) const
{
    const int W = board_.getWidth();
    const int H = board_.getHeight();
    if (cell.x < 0 && cell.y < 0)
        return Place::Corner;
    // The picture area can be larger than the picture; there is no cell there.
    if (cell.x > W || cell.y > H)
        return Place::Beyond;
    if (cell.x >= 0 && cell.x < W && cell.y >= 0 && cell.y < H)
        return Place::Grid;
    return Place::Ring;
}

void PathEditor::chooseStart(Cell cell)
{
    board_.startX = cell.x;
    board_.startY = cell.y;
    clearPath();
}

void PathEditor::clearPath()
{
    if (record_)
        record_->recordClearPath(board_);
    board_.clearPath();
}

int PathEditor::nextToward(Cell from, Cell to) const
{
    to.x = std::clamp(to.x, -1, board_.getWidth());
    to.y = std::clamp(to.y, -1, board_.getHeight());
    const Cell at = head();
    const int horizontal = to.x < at.x ? 2 : 3;
    const int vertical = to.y < at.y ? 1 : 0;
    if (at.y == to.y)
        return at.x == to.x ? -1 : horizontal;
    if (at.x == to.x)
        return vertical;
    // Take the step whose next crossing of a cell border comes first along
    // the line: at (2i + 1) / 2n of the way for the i-th of n borders.
    const int nx = std::abs(to.x - from.x);
    const int ny = std::abs(to.y - from.y);
    const int ix = std::abs(at.x - from.x);
    const int iy = std::abs(at.y - from.y);
    const bool alongX = (2 * ix + 1) * ny <= (2 * iy + 1) * nx;
    const int preferred = alongX ? horizontal : vertical;
    const int other = alongX ? vertical : horizontal;
    if (onRing(at) && check(preferred) == Move::Refused && check(other) != Move::Refused)
        return other;
    return preferred;
}
