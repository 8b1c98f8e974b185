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

    // The positions one step across an outer edge, clockwise from the
    // top-left corner, that the path crosses into: the ring cells where the
    // answer can begin.
    std::vector<Point> outerCrossings() const
    {
        std::vector<Point> out;
        for (int x = 0; x < w_; ++x)
            if (b_.getPathH(x, 0))
                out.push_back({double(x), -1});
        for (int y = 0; y < h_; ++y)
            if (b_.getPathV(w_, y))
                out.push_back({double(w_), double(y)});
        for (int x = w_ - 1; x >= 0; --x)
            if (b_.getPathH(x, h_))
                out.push_back({double(x), double(h_)});
        for (int y = h_ - 1; y >= 0; --y)
            if (b_.getPathV(0, y))
                out.push_back({-1, double(y)});
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

// The ring cell just outside an opening.
Point outside(const MazeOutline::Opening& o, int width, int height)
{
    switch (o.side) {
    case Side::Top: return {double(o.index), -1};
    case Side::Right: return {double(width), double(o.index)};
    case Side::Bottom: return {double(o.index), double(height)};
    case Side::Left: break;
    }
    return {-1, double(o.index)};
}

} // namespace

MazeOutline::Point MazeOutline::Opening::centre(int width, int height) const
{
    switch (side) {
    case Side::Top: return {index + 0.5, 0};
    case Side::Right: return {double(width), index + 0.5};
    case Side::Bottom: return {index + 0.5, double(height)};
    case Side::Left: break;
    }
    return {0, index + 0.5};
}

MazeOutline outlineOf(const MazeBoard& b)
{
    MazeOutline out;
    const int W = b.getWidth();
    const int H = b.getHeight();
    out.width = W;
    out.height = H;
    out.difficulty = measureDifficulty(b);

    for (int y = 0; y <= H; ++y)
        addRuns(out.walls, false, y, W, [&](int x) { return closedH(b, x, y); });
    for (int x = 0; x <= W; ++x)
        addRuns(out.walls, true, x, H, [&](int y) { return closedV(b, x, y); });

    for (int x = 0; x < W; ++x)
        if (!closedH(b, x, 0))
            out.openings.push_back({Side::Top, x});
    for (int y = 0; y < H; ++y)
        if (!closedV(b, W, y))
            out.openings.push_back({Side::Right, y});
    for (int x = W - 1; x >= 0; --x)
        if (!closedH(b, x, H))
            out.openings.push_back({Side::Bottom, x});
    for (int y = H - 1; y >= 0; --y)
        if (!closedV(b, 0, y))
            out.openings.push_back({Side::Left, y});

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
