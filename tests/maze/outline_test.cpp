#include "maze_board.h"
#include "maze_outline.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

using namespace testing_support;

namespace {

using Point = MazeOutline::Point;
using Side = MazeOutline::Side;

// Which unit edges the runs cover, as counts per edge.
struct Coverage {
    std::vector<int> v, h;
    int w;
    Coverage(const MazeBoard& b, const MazeOutline& o)
        : v(static_cast<std::size_t>((b.getWidth() + 1) * b.getHeight()), 0)
        , h(static_cast<std::size_t>(b.getWidth() * (b.getHeight() + 1)), 0)
        , w(b.getWidth())
    {
        for (const auto& r : o.walls)
            for (int i = r.from; i < r.to; ++i) {
                if (r.vertical)
                    ++v[static_cast<std::size_t>(i * (w + 1) + r.line)];
                else
                    ++h[static_cast<std::size_t>(r.line * w + i)];
            }
    }
};

// Every cell centre a polyline passes, one cell at a time.
std::vector<Point> cellsOf(const std::vector<Point>& line)
{
    std::vector<Point> out{line.front()};
    for (std::size_t i = 1; i < line.size(); ++i) {
        const Point b = line[i];
        EXPECT_TRUE(out.back().x == b.x || out.back().y == b.y) << "diagonal answer segment";
        while (!(out.back() == b)) {
            Point a = out.back();
            a.x += b.x > a.x ? 1 : b.x < a.x ? -1 : 0;
            a.y += b.y > a.y ? 1 : b.y < a.y ? -1 : 0;
            out.push_back(a);
        }
    }
    return out;
}

// The edges a polyline crosses, as (vertical, x, y).
std::vector<std::tuple<bool, int, int>> stepsOf(const std::vector<Point>& line)
{
    const std::vector<Point> cells = cellsOf(line);
    std::vector<std::tuple<bool, int, int>> out;
    for (std::size_t i = 1; i < cells.size(); ++i) {
        const Point a = cells[i - 1], b = cells[i];
        const int x = static_cast<int>(std::max(a.x, b.x) - 0.5), y = static_cast<int>(std::max(a.y, b.y) - 0.5);
        out.emplace_back(a.y == b.y, a.y == b.y ? x : static_cast<int>(a.x - 0.5), a.y == b.y ? static_cast<int>(a.y - 0.5) : y);
    }
    return out;
}

// The outer edges that are open, clockwise from the top-left corner.
std::vector<MazeOutline::Opening> openOuterEdges(const MazeBoard& b)
{
    const int W = b.getWidth(), H = b.getHeight();
    std::vector<MazeOutline::Opening> out;
    for (int x = 0; x < W; ++x) if (b.getMazeH(x, 0) == 1) out.push_back({Side::Top, x});
    for (int y = 0; y < H; ++y) if (b.getMazeV(W, y) == 1) out.push_back({Side::Right, y});
    for (int x = W - 1; x >= 0; --x) if (b.getMazeH(x, H) == 1) out.push_back({Side::Bottom, x});
    for (int y = H - 1; y >= 0; --y) if (b.getMazeV(0, y) == 1) out.push_back({Side::Left, y});
    return out;
}

// Every closed edge with a cell of the maze on a side (on the full
// rectangle: every closed edge) is covered once, no other edge at all.
void expectWallsExact(const MazeBoard& b, const MazeOutline& o)
{
    const Coverage c(b, o);
    for (int y = 0; y < b.getHeight(); ++y)
        for (int x = 0; x <= b.getWidth(); ++x)
            ASSERT_EQ(c.v[static_cast<std::size_t>(y * (b.getWidth() + 1) + x)],
                      b.getMazeV(x, y) != 1 && (b.isInside(x - 1, y) || b.isInside(x, y)) ? 1 : 0)
                << "vertical edge " << x << "," << y;
    for (int y = 0; y <= b.getHeight(); ++y)
        for (int x = 0; x < b.getWidth(); ++x)
            ASSERT_EQ(c.h[static_cast<std::size_t>(y * b.getWidth() + x)],
                      b.getMazeH(x, y) != 1 && (b.isInside(x, y - 1) || b.isInside(x, y)) ? 1 : 0)
                << "horizontal edge " << x << "," << y;
    // Maximal: on one line, a run never ends where the next begins.
    std::map<std::pair<bool, int>, std::vector<MazeOutline::WallRun>> byLine;
    for (const auto& r : o.walls) {
        ASSERT_LT(r.from, r.to);
        byLine[{r.vertical, r.line}].push_back(r);
    }
    for (auto& [line, runs] : byLine) {
        std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.from < b.from; });
        for (std::size_t i = 1; i < runs.size(); ++i)
            ASSERT_LT(runs[i - 1].to, runs[i].from) << "two runs could be one on line " << line.second;
    }
}

// Made mazes around random paths: the walls exactly, the openings, and the
// answer visiting the drawn cells in order from the entrance.
TEST(MazeOutlineTest, MadeMazesOnRandomBoards)
{
    std::mt19937 rng(1309);
    RandomSource random;
    for (int round = 0; round < 150; ++round) {
        MazeBoard b(random);
        const int W = std::uniform_int_distribution<int>(1, 30)(rng);
        const int H = std::uniform_int_distribution<int>(1, 30)(rng);
        ASSERT_TRUE(b.resize(W, H));
        const std::vector<Cell> cells = drawRandomPath(b, rng);
        b.makeMaze();
        const MazeOutline o = outlineOf(b);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(W) + " x " + std::to_string(H));

        expectWallsExact(b, o);
        ASSERT_EQ(o.openings, openOuterEdges(b));
        ASSERT_EQ(o.openings.size(), 2u);

        ASSERT_EQ(o.answer.size(), 1u);
        const auto& line = o.answer.front();
        const std::vector<Point> visited = cellsOf(line);
        ASSERT_EQ(visited.size(), cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            ASSERT_EQ(visited[i], (Point{cells[i].x + 0.5, cells[i].y + 0.5})) << "cell " << i;

        // The entrance is the opening beside the board's start, the goal the other.
        const auto& start = o.openings[static_cast<std::size_t>(o.start)];
        const Point gap = start.centre(W, H);
        EXPECT_EQ((Point{gap.x + 0.5 * start.dx(), gap.y + 0.5 * start.dy()}), line.front());
        EXPECT_EQ((Point{b.startX + 0.5, b.startY + 0.5}), line.front());
        EXPECT_EQ(o.goal, 1 - o.start);
        const auto& goal = o.openings[static_cast<std::size_t>(o.goal)];
        const Point exit = goal.centre(W, H);
        EXPECT_EQ((Point{exit.x + 0.5 * goal.dx(), exit.y + 0.5 * goal.dy()}), line.back());
    }
}

// On shapes, with starts and ends in rooms and on left-out cells: only the
// shape's walls, the two crossings of its edge as the openings, and the
// answer from the start's outside cell to the end's.
TEST(MazeOutlineTest, ShapedMazes)
{
    std::mt19937 rng(2512);
    RandomSource random;
    int inner = 0;
    for (int round = 0; round < 80; ++round) {
        MazeBoard b(random);
        const int W = std::uniform_int_distribution<int>(3, 30)(rng);
        const int H = std::uniform_int_distribution<int>(3, 30)(rng);
        ASSERT_TRUE(b.resize(W, H));
        ASSERT_TRUE(b.setShape(randomBlob(W, H, rng)));
        const std::vector<Cell> cells = drawRandomShapePath(b, rng);
        ASSERT_FALSE(cells.empty());
        b.makeMaze();
        const MazeOutline o = outlineOf(b);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(W) + " x " + std::to_string(H));
        expectWallsExact(b, o);
        ASSERT_EQ(o.openings.size(), 2u);
        ASSERT_GE(o.start, 0);
        ASSERT_EQ(o.goal, 1 - o.start);
        for (const auto& [index, end] : {std::pair{o.start, cells.front()}, {o.goal, cells.back()}}) {
            const MazeOutline::Opening& gap = o.openings[static_cast<std::size_t>(index)];
            const Point c = gap.centre(W, H);
            EXPECT_EQ((Point{c.x + 0.5 * gap.dx(), c.y + 0.5 * gap.dy()}), (Point{end.x + 0.5, end.y + 0.5}));
            inner += gap.inset > 0;
        }
        ASSERT_EQ(o.answer.size(), 1u);
        const std::vector<Point> visited = cellsOf(o.answer.front());
        ASSERT_EQ(visited.size(), cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            ASSERT_EQ(visited[i], (Point{cells[i].x + 0.5, cells[i].y + 0.5})) << "cell " << i;
    }
    EXPECT_GT(inner, 40);
}

// Any bytes a file may hold: the walls still come out exactly, and every
// marked path edge is drawn once, joined up or not.
TEST(MazeOutlineTest, DamagedBoardsLoseNothing)
{
    std::mt19937 rng(77);
    const std::uint8_t values[] = {0, 1, 1, 2, 255};
    for (int round = 0; round < 100; ++round) {
        MazeBoard b;
        const int W = std::uniform_int_distribution<int>(1, 12)(rng);
        const int H = std::uniform_int_distribution<int>(1, 12)(rng);
        ASSERT_TRUE(b.resize(W, H));
        auto any = [&] { return values[std::uniform_int_distribution<int>(0, 4)(rng)]; };
        std::map<std::tuple<bool, int, int>, int> marked;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x <= W; ++x) {
                b.setMazeV(x, y, any());
                b.setPathV(x, y, std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? any() : 0);
                if (b.getPathV(x, y))
                    marked[{true, x, y}] = 0;
            }
        for (int y = 0; y <= H; ++y)
            for (int x = 0; x < W; ++x) {
                b.setMazeH(x, y, any());
                b.setPathH(x, y, std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? any() : 0);
                if (b.getPathH(x, y))
                    marked[{false, x, y}] = 0;
            }
        const MazeOutline o = outlineOf(b);
        SCOPED_TRACE("round " + std::to_string(round));
        expectWallsExact(b, o);
        ASSERT_EQ(o.openings, openOuterEdges(b));
        for (const auto& piece : o.answer) {
            ASSERT_GE(piece.size(), 2u);
            for (const auto& step : stepsOf(piece)) {
                ASSERT_TRUE(marked.count(step)) << "an unmarked edge drawn";
                ++marked[step];
            }
        }
        for (const auto& [edge, times] : marked)
            ASSERT_EQ(times, 1) << "edge " << std::get<1>(edge) << "," << std::get<2>(edge);
    }
}

// Which opening is the start: beside the board's start when it lies at one,
// else (a loaded file keeps no start) the first clockwise from the top-left.
TEST(MazeOutlineTest, StartOpening)
{
    struct Case {
        int startX, startY;
        const char* keys;
        int resetStartX, resetStartY; // the start a loaded board has
        Side start, goal;
        Point first, last;
    };
    const Case cases[] = {
        // Drawn from the bottom up: the start is the bottom opening.
        {2, 5, "UUUUUU", 2, 5, Side::Bottom, Side::Top, {2.5, 5.5}, {2.5, -0.5}},
        // The same maze loaded: no start at an opening, the top comes first.
        {2, 5, "UUUUUU", -1, 0, Side::Top, Side::Bottom, {2.5, -0.5}, {2.5, 5.5}},
        // Loaded, where (-1, 0) is the entrance after all.
        {-1, 0, "RRRDDRRR", -1, 0, Side::Left, Side::Right, {-0.5, 0.5}, {5.5, 2.5}},
        // From the right side leftwards, loaded: the right side is met before the left.
        {5, 3, "LLLLLL", -1, 0, Side::Right, Side::Left, {5.5, 3.5}, {-0.5, 3.5}},
    };
    for (const Case& c : cases) {
        MazeBoard b;
        ASSERT_TRUE(b.resize(5, 5));
        drawKeys(b, c.startX, c.startY, c.keys);
        b.makeMaze();
        b.startX = c.resetStartX;
        b.startY = c.resetStartY;
        const MazeOutline o = outlineOf(b);
        SCOPED_TRACE(c.keys);
        ASSERT_EQ(o.openings.size(), 2u);
        EXPECT_EQ(o.openings[static_cast<std::size_t>(o.start)].side, c.start);
        EXPECT_EQ(o.openings[static_cast<std::size_t>(o.goal)].side, c.goal);
        ASSERT_EQ(o.answer.size(), 1u);
        EXPECT_EQ(o.answer[0].front(), c.first);
        EXPECT_EQ(o.answer[0].back(), c.last);
    }

    // No opening at all (a fresh board): no labels to place, no answer.
    MazeBoard fresh;
    const MazeOutline o = outlineOf(fresh);
    EXPECT_EQ(o.start, -1);
    EXPECT_EQ(o.goal, -1);
    EXPECT_TRUE(o.answer.empty());
    EXPECT_EQ(o.walls.size(), 41u * 2);
}

} // namespace
