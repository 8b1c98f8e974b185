#include "maze_outline.h"

#include "maze_board.h"

#include <cstddef>
#include <cstdint>

namespace {

using Point = MazeOutline::Point;
using Side = MazeOutline::Side;

// The drawing treats every value but 1 as a wall; so does the outline.
bool closedV(const MazeBoard& b, int x, int y) { return b.getMazeV(x, y) != 1; }
bool closedH(const MazeBoard& b, int x, int y) { return b.getMazeH(x, y) != 1; }

// An edge of the shape: between a cell of the maze and an outside cell (on
// the ring or left out), named by the cell inside and the side it lies on.
struct ShapeEdge {
    int x;
    int y;
    Side side;
};

// Every edge of the shape in the order of the outline's openings: clockwise
// round the outer wall, then the edges on left-out cells row by row.
template <typename Visit>
void forEachShapeEdge(const MazeBoard& b, const Visit& visit)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    for (int x = 0; x < W; ++x)
        if (b.isInside(x, 0))
            visit(ShapeEdge{x, 0, Side::Top});
    for (int y = 0; y < H; ++y)
        if (b.isInside(W - 1, y))
            visit(ShapeEdge{W - 1, y, Side::Right});
    for (int x = W - 1; x >= 0; --x)
        if (b.isInside(x, H - 1))
            visit(ShapeEdge{x, H - 1, Side::Bottom});
    for (int y = H - 1; y >= 0; --y)
        if (b.isInside(0, y))
            visit(ShapeEdge{0, y, Side::Left});
    if (!b.isShaped())
        return;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!b.isInside(x, y))
                continue;
            if (y > 0 && !b.isInside(x, y - 1))
                visit(ShapeEdge{x, y, Side::Top});
            if (x + 1 < W && !b.isInside(x + 1, y))
                visit(ShapeEdge{x, y, Side::Right});
            if (y + 1 < H && !b.isInside(x, y + 1))
                visit(ShapeEdge{x, y, Side::Bottom});
            if (x > 0 && !b.isInside(x - 1, y))
                visit(ShapeEdge{x, y, Side::Left});
        }
}

// The maze byte and the path byte of a shape edge.
std::uint8_t mazeOf(const MazeBoard& b, const ShapeEdge& e)
{
    switch (e.side) {
    case Side::Top: return b.getMazeH(e.x, e.y);
    case Side::Bottom: return b.getMazeH(e.x, e.y + 1);
    case Side::Left: return b.getMazeV(e.x, e.y);
    case Side::Right: break;
    }
    return b.getMazeV(e.x + 1, e.y);
}

std::uint8_t pathOf(const MazeBoard& b, const ShapeEdge& e)
{
    switch (e.side) {
    case Side::Top: return b.getPathH(e.x, e.y);
    case Side::Bottom: return b.getPathH(e.x, e.y + 1);
    case Side::Left: return b.getPathV(e.x, e.y);
    case Side::Right: break;
    }
    return b.getPathV(e.x + 1, e.y);
}

MazeOutline::Opening openingOf(const ShapeEdge& e, int width, int height)
{
    switch (e.side) {
    case Side::Top: return {Side::Top, e.x, e.y};
    case Side::Bottom: return {Side::Bottom, e.x, height - 1 - e.y};
    case Side::Left: return {Side::Left, e.y, e.x};
    case Side::Right: break;
    }
    return {Side::Right, e.y, width - 1 - e.x};
}

// The outside cell just beyond an opening: on the ring, or left out.
Point outside(const MazeOutline::Opening& o, int width, int height)
{
    switch (o.side) {
    case Side::Top: return {double(o.index), double(o.inset - 1)};
    case Side::Right: return {double(width - o.inset), double(o.index)};
    case Side::Bottom: return {double(o.index), double(height - o.inset)};
    case Side::Left: break;
    }
    return {double(o.inset - 1), double(o.index)};
}

void addRuns(std::vector<MazeOutline::WallRun>& runs, bool vertical, int line, int length,
             const auto& isClosed)
{
    int from = -1;
    for (int i = 0; i <= length; ++i) {
        const bool closed = i < length && isClosed(i);
        if (closed && from < 0)
            from = i;
        else if (!closed && from >= 0) {
            runs.push_back({vertical, line, from, i});
            from = -1;
        }
    }
}

// The answer path as a graph over the cells and the ring around them, walked
// edge by edge; each path edge is used once.
class PathWalker {
public:
    explicit PathWalker(const MazeBoard& b)
        : b_(b)
        , w_(b.getWidth())
        , h_(b.getHeight())
        , usedV_(static_cast<std::size_t>((w_ + 1) * h_), 0)
        , usedH_(static_cast<std::size_t>(w_ * (h_ + 1)), 0)
    {
    }

    // The outside cells one step across an edge of the shape that the path
    // crosses, in the order of the openings: where the answer can begin.
    std::vector<Point> outerCrossings() const
    {
        std::vector<Point> out;
        forEachShapeEdge(b_, [&](const ShapeEdge& e) {
            if (pathOf(b_, e))
                out.push_back(outside(openingOf(e, w_, h_), w_, h_));
        });
        return out;
    }

    int unusedDegree(int x, int y)
    {
        int n = 0;
        for (int d = 0; d < 4; ++d)
            n += edge(x, y, d) != nullptr;
        return n;
    }

    // Walks from cell (x, y) along unused path edges until none is left;
    // the polyline keeps corners and ends only.
    std::vector<Point> walk(int x, int y)
    {
        std::vector<Point> line{centre(x, y)};
        for (;;) {
            int d = 0;
            std::uint8_t* used = nullptr;
            for (; d < 4 && !used; ++d)
                used = edge(x, y, d);
            if (!used)
                break;
            *used = 1;
            --d;
            x += Steps[d][0];
            y += Steps[d][1];
            const Point next = centre(x, y);
            if (line.size() >= 2) {
                const Point& a = line[line.size() - 2];
                const Point& m = line.back();
                if ((a.x == m.x && m.x == next.x) || (a.y == m.y && m.y == next.y)) {
                    line.back() = next;
                    continue;
                }
            }
            line.push_back(next);
        }
        return line;
    }

    // Every path edge not yet walked, as further pieces: chains from their
    // loose ends first, then whatever closed loops remain.
    void walkRest(std::vector<std::vector<Point>>& pieces)
    {
        for (const bool endsOnly : {true, false})
            for (int y = -1; y <= h_; ++y)
                for (int x = -1; x <= w_; ++x)
                    while (unusedDegree(x, y) > 0 && (!endsOnly || unusedDegree(x, y) == 1))
                        pieces.push_back(walk(x, y));
    }

private:
    static constexpr int Steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

    static Point centre(int x, int y) { return {x + 0.5, y + 0.5}; }

    // The mark of the unused path edge leaving (x, y) in direction d, or null.
    std::uint8_t* edge(int x, int y, int d)
    {
        const bool inRows = y >= 0 && y < h_;
        const bool inColumns = x >= 0 && x < w_;
        int ex = 0, ey = 0;
        bool vertical = true;
        switch (d) {
        case 0: // right, across vertical edge (x + 1, y)
            if (!inRows || x < -1 || x > w_ - 1)
                return nullptr;
            ex = x + 1, ey = y;
            break;
        case 1: // left, across vertical edge (x, y)
            if (!inRows || x < 0 || x > w_)
                return nullptr;
            ex = x, ey = y;
            break;
        case 2: // down, across horizontal edge (x, y + 1)
            if (!inColumns || y < -1 || y > h_ - 1)
                return nullptr;
            ex = x, ey = y + 1, vertical = false;
            break;
        default: // up, across horizontal edge (x, y)
            if (!inColumns || y < 0 || y > h_)
                return nullptr;
            ex = x, ey = y, vertical = false;
            break;
        }
        if (vertical) {
            std::uint8_t& used = usedV_[static_cast<std::size_t>(ey * (w_ + 1) + ex)];
            return b_.getPathV(ex, ey) && !used ? &used : nullptr;
        }
        std::uint8_t& used = usedH_[static_cast<std::size_t>(ey * w_ + ex)];
        return b_.getPathH(ex, ey) && !used ? &used : nullptr;
    }

    const MazeBoard& b_;
    int w_;
    int h_;
    std::vector<std::uint8_t> usedV_;
    std::vector<std::uint8_t> usedH_;
};


} // namespace

MazeOutline::Point MazeOutline::Opening::centre(int width, int height) const
{
    switch (side) {
    case Side::Top: return {index + 0.5, double(inset)};
    case Side::Right: return {double(width - inset), index + 0.5};
    case Side::Bottom: return {index + 0.5, double(height - inset)};
    case Side::Left: break;
    }
    return {double(inset), index + 0.5};
}

MazeOutline outlineOf(const MazeBoard& b)
{
    MazeOutline out;
    const int W = b.getWidth();
    const int H = b.getHeight();
    out.width = W;
    out.height = H;
    out.difficulty = measureDifficulty(b);

    // On a shape, walls with no cell of the maze on either side are no part
    // of it.
    const bool shaped = b.isShaped();
    for (int y = 0; y <= H; ++y)
        addRuns(out.walls, false, y, W, [&](int x) {
            return closedH(b, x, y) && (!shaped || b.isInside(x, y - 1) || b.isInside(x, y));
        });
    for (int x = 0; x <= W; ++x)
        addRuns(out.walls, true, x, H, [&](int y) {
            return closedV(b, x, y) && (!shaped || b.isInside(x - 1, y) || b.isInside(x, y));
        });

    forEachShapeEdge(b, [&](const ShapeEdge& e) {
        if (mazeOf(b, e) == 1)
            out.openings.push_back(openingOf(e, W, H));
    });

    auto openingAt = [&](Point ring) {
        for (std::size_t i = 0; i < out.openings.size(); ++i)
            if (outside(out.openings[i], W, H) == ring)
                return static_cast<int>(i);
        return -1;
    };
    out.start = openingAt({double(b.startX), double(b.startY)});
    if (out.start < 0 && !out.openings.empty())
        out.start = 0;

    // The answer begins outside the start when the path crosses there, else
    // at its first crossing of the outer wall clockwise.
    PathWalker walker(b);
    const std::vector<Point> crossings = walker.outerCrossings();
    if (!crossings.empty()) {
        Point first = crossings.front();
        if (out.start >= 0) {
            const Point atStart = outside(out.openings[static_cast<std::size_t>(out.start)], W, H);
            for (const Point& c : crossings)
                if (c == atStart)
                    first = c;
        }
        out.answer.push_back(walker.walk(static_cast<int>(first.x), static_cast<int>(first.y)));
    }
    walker.walkRest(out.answer);

    if (!out.answer.empty() && out.answer.front().size() >= 2) {
        const Point end = out.answer.front().back();
        const int at = openingAt({end.x - 0.5, end.y - 0.5});
        if (at >= 0 && at != out.start)
            out.goal = at;
    }
    if (out.goal < 0 && out.openings.size() >= 2)
        out.goal = static_cast<int>((static_cast<std::size_t>(out.start) + 1) % out.openings.size());
    return out;
}
