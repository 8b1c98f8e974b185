// Routes made at random between openings: simple, inside, of the asked
// length and twist, repeatable, and a complete drawn path the mazes keep as
// their only route.

#include "board_edit.h"
#include "maze_board.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "path_editor.h"
#include "route_maker.h"
#include "shape_presets.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <queue>
#include <random>
#include <set>
#include <tuple>

using namespace testing_support;

namespace {

// Inside cells on the shortest way between two outside cells, found apart
// from the maker: a breadth-first search from the goal's inside neighbours.
int shortestWay(const RouteMaker& m, RouteCell from, RouteCell to)
{
    std::vector<int> dist(static_cast<std::size_t>(m.width() * m.height()), 0);
    auto at = [&](RouteCell c) -> int& { return dist[static_cast<std::size_t>(c.y * m.width() + c.x)]; };
    auto around = [](RouteCell c) {
        return std::vector<RouteCell>{{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}};
    };
    std::queue<std::pair<RouteCell, int>> todo;
    todo.push({to, 0});
    for (; !todo.empty(); todo.pop())
        for (const RouteCell n : around(todo.front().first))
            if (m.isInside(n.x, n.y) && at(n) == 0)
                todo.push({n, at(n) = todo.front().second + 1});
    int best = 0;
    for (const RouteCell n : around(from))
        if (m.isInside(n.x, n.y) && at(n) > 0 && (best == 0 || at(n) < best))
            best = at(n);
    return best;
}

void expectSimpleRoute(const RouteMaker& m, const Route& r, const RouteSettings& s)
{
    ASSERT_EQ(r.problem, RouteProblem::None);
    ASSERT_GE(r.cells.size(), 3u);
    ASSERT_EQ(r.length, static_cast<int>(r.cells.size()) - 2);
    const auto starts = m.openings(s.from);
    const auto goals = m.openings(s.to);
    EXPECT_NE(std::find(starts.begin(), starts.end(), r.cells.front()), starts.end()) << "start of the asked side";
    EXPECT_NE(std::find(goals.begin(), goals.end(), r.cells.back()), goals.end()) << "goal of the asked side";
    EXPECT_NE(r.cells.front(), r.cells.back());
    std::set<std::pair<int, int>> seen;
    for (std::size_t i = 0; i < r.cells.size(); ++i) {
        const RouteCell c = r.cells[i];
        if (i > 0) {
            ASSERT_EQ(std::abs(c.x - r.cells[i - 1].x) + std::abs(c.y - r.cells[i - 1].y), 1) << "step " << i;
        }
        if (i > 0 && i + 1 < r.cells.size()) {
            ASSERT_TRUE(m.isInside(c.x, c.y)) << c.x << "," << c.y;
            ASSERT_TRUE(seen.insert({c.x, c.y}).second) << "cell twice: " << c.x << "," << c.y;
        }
    }
    EXPECT_EQ(r.shortest, shortestWay(m, r.cells.front(), r.cells.back()));
}

RouteSettings randomSettings(const RouteMaker& m, std::mt19937& rng)
{
    RouteSettings s;
    const auto& preset = RoutePresets[rng() % std::size(RoutePresets)];
    s.from.side = preset.from;
    s.to.side = preset.to;
    if (rng() % 3 == 0) { // any two sides, now and then a chosen opening
        s.from.side = static_cast<RouteSide>(rng() % 10);
        s.to.side = static_cast<RouteSide>(rng() % 10);
        const auto any = m.openings({RouteSide::Outside, {}});
        if (rng() % 2)
            s.to = {RouteSide::Chosen, any[rng() % any.size()]};
    }
    s.lengthPercent = RouteSettings::MinPercent + static_cast<int>(rng() % 56);
    s.twist = static_cast<int>(rng() % 101);
    return s;
}

// A whole grid, a ready-made shape with or without a room in the middle,
// or a random blob with holes.
MazeShape randomShape(int W, int H, std::mt19937& rng)
{
    const int room = std::min(W, H) >= 14 && rng() % 2 ? 2 + static_cast<int>(rng() % 3) : 0;
    switch (rng() % 3) {
    case 0: return MazeShape(W, H);
    case 1: return presetShape(AllShapePresets[rng() % std::size(AllShapePresets)], W, H, room);
    default: return randomBlob(W, H, rng);
    }
}

TEST(RouteTest, RandomRoutesAreSimpleInsideOfTheAskedLengthAndRepeatable)
{
    std::mt19937 rng(2024);
    int feasible = 0;
    int inBand = 0;
    for (int board = 0; board < 80; ++board) {
        const int W = 5 + static_cast<int>(rng() % 36);
        const int H = 5 + static_cast<int>(rng() % 36);
        const MazeShape shape = randomShape(W, H, rng);
        if (!shape.isOneRegion())
            continue;
        RouteMaker m(W, H, shape.cellBytes());
        EXPECT_EQ(m.insideCount(), shape.insideCount());
        const auto holes = shape.holeCells();
        EXPECT_EQ(m.hasCentre(), std::find(holes.begin(), holes.end(), 1) != holes.end());
        for (int t = 0; t < 10; ++t) {
            const RouteSettings s = randomSettings(m, rng);
            SCOPED_TRACE(testing::Message() << W << "x" << H << " inside " << shape.insideCount() << " "
                                            << routeSideName(s.from.side) << " -> " << routeSideName(s.to.side)
                                            << " " << s.lengthPercent << "% twist " << s.twist);
            const std::uint32_t seed = static_cast<std::uint32_t>(rng());
            RandomSource one = RandomSource::fromState(seed);
            RandomSource two = RandomSource::fromState(seed);
            const Route r = m.make(s, one);
            const RouteProblem problem = m.check(s);
            EXPECT_EQ(r.problem, problem);
            const bool centre = s.from.side == RouteSide::Centre || s.to.side == RouteSide::Centre;
            EXPECT_EQ(problem == RouteProblem::NoOpening, centre && !m.hasCentre());
            if (problem != RouteProblem::None) {
                EXPECT_TRUE(r.cells.empty());
                continue;
            }
            expectSimpleRoute(m, r, s);
            EXPECT_EQ(r.target, std::max(1, (m.insideCount() * s.lengthPercent + 50) / 100));
            const Route again = m.make(s, two);
            EXPECT_EQ(again.cells, r.cells) << "the same state gives the same route";
            EXPECT_EQ(one.state(), two.state());
            if (5 * r.shortest > 6 * r.target) {
                EXPECT_EQ(r.length, r.shortest) << "too long a way at its shortest is made no longer";
                continue;
            }
            ++feasible;
            inBand += r.withinBand();
        }
    }
    EXPECT_GE(feasible, 350);
    EXPECT_GE(inBand * 100, feasible * 95) << inBand << " of " << feasible << " within a fifth of the target";
}

TEST(RouteTest, TwistMovesTheShareOfTurningCells)
{
    for (const auto& [W, H, circle] : {std::tuple{30, 30, false}, {40, 20, false}, {36, 36, true}}) {
        RouteMaker m(W, H, circle ? presetShape(ShapePreset::Circle, W, H).cellBytes() : std::vector<std::uint8_t>());
        for (const int percent : {10, 45}) {
            double share[3] = {};
            for (int k = 0; k < 3; ++k) {
                RandomSource random;
                RouteSettings s;
                s.lengthPercent = percent;
                s.twist = 50 * k;
                for (int i = 0; i < 20; ++i) {
                    const Route r = m.make(s, random);
                    share[k] += double(r.turns()) / r.length / 20;
                }
            }
            SCOPED_TRACE(testing::Message() << W << "x" << H << " " << percent << "%: " << share[0] << " "
                                            << share[1] << " " << share[2]);
            EXPECT_LT(share[0] + 0.2, share[1]);
            EXPECT_LT(share[1] + 0.03, share[2]);
        }
    }
}

TEST(RouteTest, ProblemsWithTheEndsAndUnreachableLengths)
{
    RouteMaker whole(12, 8);
    std::vector<std::uint8_t> split(12 * 8, 1);
    for (int y = 0; y < 8; ++y)
        split[static_cast<std::size_t>(y * 12 + 6)] = 0; // a column left out cuts the grid in two
    RouteMaker halves(12, 8, split);
    auto ends = [](RouteEnd from, RouteEnd to) { return RouteSettings{.from = from, .to = to}; };
    const RouteEnd left{RouteSide::Left, {}};
    const struct {
        RouteMaker& maker;
        RouteSettings settings;
        RouteProblem problem;
    } table[] = {
        {whole, ends({RouteSide::Outside, {}}, {RouteSide::Centre, {}}), RouteProblem::NoOpening},
        {whole, ends({RouteSide::Chosen, {-1, -1}}, left), RouteProblem::NotAnOpening},
        {whole, ends({RouteSide::Chosen, {3, 3}}, left), RouteProblem::NotAnOpening},
        {whole, ends({RouteSide::Chosen, {13, 3}}, left), RouteProblem::NotAnOpening},
        {whole, ends({RouteSide::Chosen, {-1, 3}}, {RouteSide::Chosen, {-1, 3}}), RouteProblem::SameOpening},
        {whole, ends({RouteSide::Chosen, {-1, 3}}, {RouteSide::Chosen, {-1, 4}}), RouteProblem::None},
        {halves, ends(left, {RouteSide::Right, {}}), RouteProblem::NoWay},
        {halves, ends(left, {RouteSide::Chosen, {6, 2}}), RouteProblem::None}, // the cut is outside too
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.maker.check(row.settings), row.problem) << routeSideName(row.settings.from.side);
        RandomSource random;
        EXPECT_EQ(row.maker.make(row.settings, random).problem, row.problem);
    }

    // 5 x 5 corner to corner is at least 9 cells: short (3) cannot be had.
    RouteMaker tiny(5, 5);
    RouteSettings s;
    s.lengthPercent = RouteSettings::ShortPercent;
    RandomSource random;
    const Route r = tiny.make(s, random);
    EXPECT_EQ(r.target, 3);
    EXPECT_EQ(r.length, 9);
    EXPECT_EQ(r.shortest, 9);
    EXPECT_FALSE(r.withinBand());
}

TEST(RouteTest, ValuesOfTheCommandLine)
{
    for (const auto& [text, expected] : {std::pair{"short", std::optional<int>(10)}, {"medium", 25}, {"long", 45},
             {"5%", 5}, {"60%", 60}, {"33%", 33}, {"4%", std::nullopt}, {"61%", std::nullopt},
             {"30", std::nullopt}, {"%", std::nullopt}, {"Long", std::nullopt}, {"-5%", std::nullopt}})
        EXPECT_EQ(parseRouteLength(text), expected) << text;
    for (const auto& [text, expected] : {std::pair{"0", std::optional<int>(0)}, {"100", 100}, {"101", std::nullopt},
             {"", std::nullopt}, {"5x", std::nullopt}})
        EXPECT_EQ(parseTwist(text), expected) << text;
    for (const RouteSide side : {RouteSide::TopLeft, RouteSide::BottomRight, RouteSide::Left, RouteSide::Bottom,
             RouteSide::Outside, RouteSide::Centre})
        EXPECT_EQ(routeSideFromName(routeSideName(side)), side);
    EXPECT_EQ(routeSideFromName("center"), RouteSide::Centre);
    EXPECT_EQ(routeSideFromName("middle"), std::nullopt);
}

// The drawn path, start and head of a board.
std::vector<int> pathOf(const MazeBoard& b)
{
    std::vector<int> out{b.startX, b.startY, b.curX, b.curY};
    for (int y = 0; y < b.getHeight(); ++y)
        for (int x = 0; x <= b.getWidth(); ++x)
            out.push_back(b.getPathV(x, y));
    for (int y = 0; y <= b.getHeight(); ++y)
        for (int x = 0; x < b.getWidth(); ++x)
            out.push_back(b.getPathH(x, y) + 2 * b.getPathCell(x, y));
    return out;
}

// Keys R, L, U, D of the route's steps.
std::string keysOf(const Route& r)
{
    std::string keys;
    for (std::size_t i = 1; i < r.cells.size(); ++i) {
        const int dx = r.cells[i].x - r.cells[i - 1].x;
        const int dy = r.cells[i].y - r.cells[i - 1].y;
        keys += dx == 1 ? 'R' : dx == -1 ? 'L' : dy == 1 ? 'D' : 'U';
    }
    return keys;
}

// The made maze on the board's shape: one tree over the inside cells, open
// to the outside only at the route's two ends, the route its only way.
void expectOnlyRoute(const MazeBoard& b, const Route& r)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    int tree = 0;
    int crossings = 0;
    auto edge = [&](std::uint8_t open, Cell a, Cell c) {
        const int in = b.isInside(a.x, a.y) + b.isInside(c.x, c.y);
        tree += open == 1 && in == 2;
        crossings += open == 1 && in == 1;
    };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x <= W; ++x)
            edge(b.getMazeV(x, y), {x - 1, y}, {x, y});
    for (int y = 0; y <= H; ++y)
        for (int x = 0; x < W; ++x)
            edge(b.getMazeH(x, y), {x, y - 1}, {x, y});
    std::vector<Cell> inner;
    for (std::size_t i = 1; i + 1 < r.cells.size(); ++i)
        inner.push_back({r.cells[i].x, r.cells[i].y});
    EXPECT_EQ(crossings, 2);
    EXPECT_EQ(tree, b.insideCount() - 1);
    EXPECT_EQ(reachableCount(b, inner.front()), b.insideCount());
    EXPECT_EQ(route(b, inner.front(), inner.back()), inner);
}

TEST(RouteTest, DrawnRouteIsTheCompletePathAndTheOnlyRouteOfEveryStyle)
{
    std::mt19937 rng(26);
    RandomSource random;
    MazeBoard board(random);
    for (int kind = 0; kind < 3; ++kind) {
        const int W = 23 + 4 * kind;
        const int H = 17 + 2 * kind;
        ASSERT_TRUE(board.resize(W, H));
        ASSERT_TRUE(board.setShape(kind == 0 ? MazeShape() : kind == 1 ? presetShape(ShapePreset::Circle, W, H, 5)
                                                                       : randomBlob(W, H, rng)));
        RouteMaker m(board);
        for (const RoutePreset& preset : RoutePresets) {
            RouteSettings s;
            s.from.side = preset.from;
            s.to.side = preset.to;
            s.lengthPercent = RouteSettings::LongPercent;
            if (m.check(s) != RouteProblem::None) {
                EXPECT_TRUE(kind == 0 && preset.to == RouteSide::Centre);
                continue;
            }
            const Route r = m.make(s, random);
            SCOPED_TRACE(testing::Message() << "board " << kind << " " << routeSideName(preset.from) << " -> "
                                            << routeSideName(preset.to) << ": " << r.length << " of " << r.target);
            EXPECT_TRUE(r.withinBand());

            // Over a path drawn before, as one undoable edit.
            board.startX = -1;
            board.startY = 0;
            board.clearPath();
            const std::vector<int> before = pathOf(board);
            BoardEdit edit(board);
            ASSERT_TRUE(drawRoute(board, r, &edit));
            edit.finish(board);
            const std::vector<int> drawn = pathOf(board);
            PathEditor editor(board);
            EXPECT_TRUE(editor.isOutside(editor.head()) && editor.hasSteps());
            EXPECT_EQ(measureMaze(board).answerLength, r.length);
            if (kind == 0) {
                MazeBoard keyed(random);
                ASSERT_TRUE(keyed.resize(W, H));
                drawKeys(keyed, r.cells.front().x, r.cells.front().y, keysOf(r));
                EXPECT_EQ(pathOf(keyed), drawn) << "as the keys leave it";
            }
            edit.undo(board);
            EXPECT_EQ(pathOf(board), before);
            edit.redo(board);
            EXPECT_EQ(pathOf(board), drawn);

            for (const MazeStyle style : AllMazeStyles) {
                SCOPED_TRACE(styleName(style));
                board.setStyle(style);
                board.makeMaze();
                expectOnlyRoute(board, r);
            }
        }
    }
}

} // namespace
