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

bool PathEditor::isOutside(Cell cell) const
{
    return !board_.isInside(cell.x, cell.y);
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
    // Only cells of the maze are marked: the board ignores ring positions,
    // and a start or end left out of the shape stays unmarked as well.
    if (isOutside(cell))
        return;
    if (record_)
        record_->record(BoardEdit::Array::PathCell, cell.x, cell.y, board_.getPathCell(cell.x, cell.y),
                        static_cast<std::uint8_t>(value));
    board_.setPathCell(cell.x, cell.y, static_cast<std::uint8_t>(value));
}

PathEditor::Move PathEditor::check(int d) const
{
    const Cell from = head();
    const Cell to{from.x + Directions[d].dx, from.y + Directions[d].dy};

    // From an outside cell (the ring, or a cell left out of the shape) only
    // a step into the maze passes; the head never moves along the ring or
    // out of it. On the full rectangle that is the one step straight in.
    if (isOutside(from) && !board_.isInside(to.x, to.y))
        return Move::Refused;
    // The only marked segment at the head is the path's last step.
    if (segment(d, from) != 0)
        return Move::Back;
    // A path that has come out again is complete: only its last step can be
    // taken back (an end in a room of the shape may have more ways in).
    if (isOutside(from) && hasSteps())
        return Move::Refused;
    // Stepping out passes anywhere but back onto the start, which on the
    // ring only the first step touches, but in a room several cells may.
    if (isOutside(to))
        return to == Cell{board_.startX, board_.startY} ? Move::Refused : Move::Forward;
    return board_.getPathCell(to.x, to.y) == 0 ? Move::Forward : Move::Refused;
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
    return {isOutside(head()) ? Outcome::Completed : Outcome::Stepped, from, head()};
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
    if (board_.isInside(cell.x, cell.y))
        return Place::Grid;
    // On a shape, an outside cell with no way into the maze is no start.
    if (board_.isShaped() && !leadsIn(cell))
        return Place::Corner;
    return Place::Ring;
}

bool PathEditor::leadsIn(Cell cell) const
{
    for (const Direction d : Directions)
        if (board_.isInside(cell.x + d.dx, cell.y + d.dy))
            return true;
    return false;
}

bool PathEditor::touchesPath(Cell cell) const
{
    if (cell == Cell{board_.startX, board_.startY} || cell == head() || board_.getPathCell(cell.x, cell.y))
        return true;
    const int W = board_.getWidth();
    const int H = board_.getHeight();
    if (cell.x < 0 || cell.y < 0 || cell.x >= W || cell.y >= H)
        return false;
    // The crossings on its four sides: a path read from a file has no
    // marked cells, only its crossings.
    return board_.getPathV(cell.x, cell.y) || board_.getPathV(cell.x + 1, cell.y) || board_.getPathH(cell.x, cell.y)
        || board_.getPathH(cell.x, cell.y + 1);
}

bool PathEditor::fitsShape(const MazeShape& shape) const
{
    const int W = board_.getWidth();
    const int H = board_.getHeight();
    const MazeShape& now = board_.shape();
    if (!(shape.width() == W && shape.height() == H) && !(shape.width() == 0 && shape.height() == 0))
        return false;
    auto insideThen = [&](int x, int y) { return shape.width() == 0 ? true : shape.isInside(x, y); };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (insideThen(x, y) != now.isInside(x, y) && touchesPath({x, y}))
                return false;
    return true;
}

void PathEditor::makeRoomFor(const MazeShape& shape)
{
    clearPath();
    if (!fitsShape(shape))
        chooseStart({-1, 0});
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
    if (isOutside(at) && check(preferred) == Move::Refused && check(other) != Move::Refused)
        return other;
    return preferred;
}
