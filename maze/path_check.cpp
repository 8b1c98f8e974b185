#include "path_check.h"

#include "maze_board.h"

#include <cstddef>
#include <cstdint>

namespace {

// A cell of the maze: on the grid and inside the board's shape. A left-out
// cell is outside, like the ring.
bool isGridCell(const MazeBoard& b, int x, int y)
{
    return b.isInside(x, y);
}

// One path mark: the two positions it joins.
struct Mark {
    PathEnd a;
    PathEnd b;
};

std::vector<Mark> pathMarks(const MazeBoard& b)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    std::vector<Mark> marks;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x <= W; ++x)
            if (b.getPathV(x, y) != 0)
                marks.push_back({{x - 1, y}, {x, y}});
    for (int y = 0; y <= H; ++y)
        for (int x = 0; x < W; ++x)
            if (b.getPathH(x, y) != 0)
                marks.push_back({{x, y - 1}, {x, y}});
    return marks;
}

} // namespace

std::vector<PathEnd> pathCrossings(const MazeBoard& board)
{
    std::vector<PathEnd> ends;
    for (const Mark& m : pathMarks(board)) {
        const bool aIn = isGridCell(board, m.a.x, m.a.y);
        const bool bIn = isGridCell(board, m.b.x, m.b.y);
        if (aIn != bIn)
            ends.push_back(aIn ? m.b : m.a);
    }
    return ends;
}

PathShape pathShape(const MazeBoard& board)
{
    const std::vector<Mark> marks = pathMarks(board);
    if (marks.empty())
        return PathShape::Empty;
    const int W = board.getWidth();
    const auto index = [W](PathEnd p) { return static_cast<std::size_t>(p.y) * std::size_t(W) + std::size_t(p.x); };

    // Path sides per grid cell, and the grid cells where the path crosses.
    std::vector<std::uint8_t> sides(static_cast<std::size_t>(W) * std::size_t(board.getHeight()), 0);
    std::vector<PathEnd> entries;
    for (const Mark& m : marks) {
        const bool aIn = isGridCell(board, m.a.x, m.a.y);
        const bool bIn = isGridCell(board, m.b.x, m.b.y);
        if (!aIn && !bIn)
            return PathShape::Branched;
        if (aIn)
            ++sides[index(m.a)];
        if (bIn)
            ++sides[index(m.b)];
        if (aIn != bIn)
            entries.push_back(aIn ? m.a : m.b);
    }
    bool stops = false;
    for (const std::uint8_t n : sides) {
        if (n > 2)
            return PathShape::Branched;
        stops = stops || n == 1;
    }
    if (entries.size() > 2)
        return PathShape::Branched;
    if (entries.size() < 2 || stops)
        return PathShape::Unfinished;

    // Every cell has two sides or none: the marks are the path from one
    // entry to the other and, if any are left over, closed rings.
    std::size_t walked = 1; // the crossing at the first entry
    PathEnd at = entries[0];
    PathEnd from{-2, -2};
    for (;;) {
        PathEnd next = at;
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
            const PathEnd n{at.x + dx, at.y + dy};
            const bool marked = dx != 0 ? board.getPathV(at.x + (dx > 0 ? 1 : 0), at.y) != 0
                                        : board.getPathH(at.x, at.y + (dy > 0 ? 1 : 0)) != 0;
            if (marked && n != from && isGridCell(board, n.x, n.y)) {
                next = n;
                break;
            }
        }
        if (next == at)
            break; // only the crossing is left: the other entry
        ++walked;
        from = at;
        at = next;
    }
    ++walked; // the crossing at the end
    return walked == marks.size() ? PathShape::OnePath : PathShape::Loop;
}

bool hasMaze(const MazeBoard& board)
{
    const int W = board.getWidth();
    const int H = board.getHeight();
    bool anyOpen = false;
    for (int y = 0; y < H && !anyOpen; ++y)
        for (int x = 0; x <= W && !anyOpen; ++x)
            anyOpen = board.getMazeV(x, y) == 1;
    for (int y = 0; y <= H && !anyOpen; ++y)
        for (int x = 0; x < W && !anyOpen; ++x)
            anyOpen = board.getMazeH(x, y) == 1;
    if (!anyOpen)
        return false;
    // Every inside cell must be reached from the first one; on a shape the
    // left-out cells are no part of the maze.
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(W) * std::size_t(H), 0);
    PathEnd first{0, 0};
    while (first.y < H && !board.isInside(first.x, first.y))
        if (++first.x == W) {
            first.x = 0;
            ++first.y;
        }
    if (first.y == H)
        return false;
    std::vector<PathEnd> todo{first};
    seen[std::size_t(first.y) * std::size_t(W) + std::size_t(first.x)] = 1;
    std::size_t reached = 1;
    while (!todo.empty()) {
        const PathEnd c = todo.back();
        todo.pop_back();
        const PathEnd next[] = {{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}};
        const bool open[] = {c.x + 1 < W && board.getMazeV(c.x + 1, c.y) == 1, c.x > 0 && board.getMazeV(c.x, c.y) == 1,
                             c.y + 1 < H && board.getMazeH(c.x, c.y + 1) == 1, c.y > 0 && board.getMazeH(c.x, c.y) == 1};
        for (int i = 0; i < 4; ++i) {
            std::uint8_t& mark = seen[std::size_t(next[i].y) * std::size_t(W) + std::size_t(next[i].x)];
            if (open[i] && !mark && board.isInside(next[i].x, next[i].y)) {
                mark = 1;
                ++reached;
                todo.push_back(next[i]);
            }
        }
    }
    return reached == std::size_t(board.insideCount());
}
