// The difficulty figure: against a searcher that walks the maze as the
// figure's definition tells it, averaged exactly over every order in which it
// may try its ways; and what the figure must tell apart: styles, sizes and
// mazes around one path.

#include "maze_board.h"
#include "maze_difficulty.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <set>
#include <sstream>

using namespace testing_support;

namespace {

// The searcher itself, step by step, on the passages between grid cells;
// the path's own start and end cells (outside the maze) are never entered.
struct Searcher {
    const MazeBoard& board;
    int glance;
    Cell exit;
    std::vector<Cell> outside;

    // The cells reached from `first` without passing `at`, with their steps
    // from `at` (first being one step away).
    std::vector<std::pair<Cell, int>> beyond(Cell at, Cell first) const
    {
        std::vector<std::pair<Cell, int>> found{{first, 1}};
        std::vector<Cell> seen = outside;
        seen.insert(seen.end(), {at, first});
        for (std::size_t i = 0; i < found.size(); ++i)
            for (const Cell n : openNeighbours(board, found[i].first))
                if (std::find(seen.begin(), seen.end(), n) == seen.end()) {
                    seen.push_back(n);
                    found.push_back({n, found[i].second + 1});
                }
        return found;
    }
    // The ways from `at` it tries (not back, not seen at a glance to end),
    // with the cost of each: a dead one walked in and back until all its
    // ends are in sight, the way out walked on to the exit; and which is
    // the way out. Steps count the cells stepped on.
    double walk(Cell at, Cell from, bool dead) const
    {
        if (at == exit)
            return 0;
        std::vector<double> cost;
        std::size_t out = 0;
        for (const Cell n : openNeighbours(board, at)) {
            const auto cells = beyond(at, n);
            const auto exitThere = std::find_if(cells.begin(), cells.end(), [&](auto& c) { return c.first == exit; });
            if (exitThere != cells.end() && exitThere->second <= glance)
                return exitThere->second; // in sight: straight out
            if (n == from || std::find(outside.begin(), outside.end(), n) != outside.end()
                || (exitThere == cells.end()
                    && std::none_of(cells.begin(), cells.end(), [&](auto& c) { return c.second > glance; })))
                continue;
            if (exitThere != cells.end())
                out = cost.size();
            cost.push_back(exitThere != cells.end() ? 1 + walk(n, at, false) : 2 + walk(n, at, true));
        }
        if (dead) // every way of a dead passage is walked
            return std::accumulate(cost.begin(), cost.end(), 0.0);
        // Every order of the ways, equally likely, until the way out.
        std::vector<std::size_t> order(cost.size());
        std::iota(order.begin(), order.end(), 0);
        double sum = 0;
        int orders = 0;
        do {
            for (std::size_t k = 0; k < order.size() && (k == 0 || order[k - 1] != out); ++k)
                sum += cost[order[k]];
            ++orders;
        } while (std::next_permutation(order.begin(), order.end()));
        return sum / orders;
    }
};

// The mean of the walks from either end, halves rounded up.
double searchersFigure(const MazeBoard& board, int glance, Cell a, Cell b, std::vector<Cell> outside = {})
{
    const double fromA = 1 + Searcher{board, glance, b, outside}.walk(a, {-9, -9}, false);
    const double fromB = 1 + Searcher{board, glance, a, outside}.walk(b, {-9, -9}, false);
    return std::floor((fromA + fromB) / 2 + 0.5);
}

TEST(DifficultyTest, FigureIsTheSearchersExpectedWalkOnSmallMazes)
{
    RandomSource random;
    MazeBoard board(random);
    std::mt19937 rng(27);
    int compared = 0;
    for (const MazeStyle style : AllMazeStyles) {
        board.setStyle(style);
        for (int round = 0; round < 44; ++round) {
            std::vector<Cell> path;
            std::vector<Cell> outside;
            if (round < 40) {
                ASSERT_TRUE(board.resize(1 + static_cast<int>(rng() % 6), 1 + static_cast<int>(rng() % 6)));
                path = drawRandomPath(board, rng);
                board.makeMaze();
            } else {
                // A start on a cell that the maze leaves out, as a shape's
                // inner room: its walls closed but for the path's first
                // crossing, which closes off the cells hung on it.
                ASSERT_TRUE(board.resize(7, 6));
                drawKeys(board, 3, 2, "RRRR");
                board.makeMaze();
                board.setMazeV(3, 2, 0);
                board.setMazeH(3, 2, 0);
                board.setMazeH(3, 3, 0);
                path = {{3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}};
                outside = {{3, 2}};
            }
            const Cell entrance = path[1];
            const Cell exit = path[path.size() - 2];
            for (int glance = 0; glance <= 5; ++glance, ++compared) {
                SCOPED_TRACE(testing::Message() << styleName(style) << " " << board.getWidth() << " x "
                                                << board.getHeight() << " round " << round << " glance " << glance);
                const auto measured = measureDifficulty(board, glance);
                ASSERT_TRUE(measured.has_value());
                EXPECT_EQ(double(measured->figure), searchersFigure(board, glance, entrance, exit, outside));
                EXPECT_EQ(measured->answerLength, static_cast<int>(path.size()) - 2);
                EXPECT_EQ(measured->cells,
                          static_cast<int>(Searcher{board, glance, exit, outside}.beyond(path[0], entrance).size()));
                EXPECT_EQ(measured->grade, gradeOf(measured->figure));
            }
            // A read maze starts its path anew at (-1, 0): the same figure.
            RandomSource other;
            MazeBoard read(other);
            const Bytes bytes = board.toFileBytes();
            std::istringstream in(std::string(bytes.begin(), bytes.end()));
            ASSERT_TRUE(read.readFrom(in));
            EXPECT_EQ(measureDifficulty(read), measureDifficulty(board));
        }
    }
    EXPECT_EQ(compared, 4 * 44 * 6);
}

TEST(DifficultyTest, MazesWithoutAWayThroughHaveNoFigure)
{
    RandomSource random;
    MazeBoard board(random);
    const struct {
        const char* what;
        const char* keys;
        void (*spoil)(MazeBoard&);
        bool figure;
    } table[] = {
        {"no path", "", nullptr, false},
        // Its head a cell of the maze with more than the one way in.
        {"a path not yet finished", "RRRDD", [](MazeBoard& b) { b.setMazeV(3, 4, 1); }, false},
        {"the entrance walled up", "RRRRRRR", [](MazeBoard& b) { b.setMazeV(0, 2, 0); }, false},
        {"the path cut inside", "RRRRRRR", [](MazeBoard& b) { b.setMazeV(3, 2, 0); }, false},
        {"a finished path", "RRRRRRR", nullptr, true},
        {"a loop opened by hand", "RRRRRRR", [](MazeBoard& b) {
             for (int x = 1; x < 6; ++x)
                 b.setMazeH(x, 2, 1);
         }, true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(board.resize(6, 5));
        drawKeys(board, -1, 2, row.keys);
        board.makeMaze();
        if (row.spoil)
            row.spoil(board);
        const auto measured = measureDifficulty(board);
        ASSERT_EQ(measured.has_value(), row.figure);
        if (measured) {
            EXPECT_EQ(measured->answerLength, static_cast<int>(route(board, {0, 2}, {5, 2})->size()));
            EXPECT_GE(measured->figure, measured->answerLength);
            EXPECT_LE(measured->figure, measured->cells);
        }
    }
}

TEST(DifficultyTest, StylesSizesAndMazesAroundOnePathDiffer)
{
    // 200 mazes of 40 x 40 around one path. Measured means of the figure
    // over 20 runs of 200 from other source states: short dead ends 498 ... 502,
    // standard 615 ... 622, uniform 639 ... 651, long corridors 1137 ... 1151.
    RandomSource random;
    MazeBoard board(random);
    ASSERT_TRUE(board.resize(40, 40));
    drawKeys(board, -1, 5, std::string(20, 'R') + std::string(25, 'D') + std::string(12, 'L') + std::string(9, 'D')
                               + std::string(33, 'R'));
    const MazeStyle easyToHard[] = {MazeStyle::ShortDeadEnds, MazeStyle::Standard, MazeStyle::Uniform,
                                    MazeStyle::LongCorridors};
    std::vector<double> means;
    for (const MazeStyle style : easyToHard) {
        board.setStyle(style);
        double sum = 0;
        std::set<int> figures;
        for (int i = 0; i < 200; ++i) {
            board.makeMaze();
            const int figure = measureDifficulty(board)->figure;
            sum += figure;
            figures.insert(figure);
        }
        means.push_back(sum / 200);
        std::printf("%-10s %.1f, %zu different figures\n", std::string(styleName(style)).c_str(), means.back(),
                    figures.size());
        EXPECT_GT(figures.size(), 40u) << styleName(style) << ": the figure follows the maze, not the path";
    }
    for (std::size_t i = 1; i < means.size(); ++i)
        EXPECT_GT(means[i], means[i - 1] + 10) << styleName(easyToHard[i]);

    // Within a style, a bigger board scores higher: 200 mazes around random
    // paths at least as long as the board is wide, per size.
    std::mt19937 rng(40);
    for (const MazeStyle style : AllMazeStyles) {
        board.setStyle(style);
        double previous = 0;
        for (const int side : {10, 20, 30}) {
            ASSERT_TRUE(board.resize(side, side));
            double sum = 0;
            for (int i = 0; i < 200; ++i) {
                while (drawRandomPath(board, rng).size() < std::size_t(side) + 2) {
                }
                board.makeMaze();
                sum += measureDifficulty(board)->figure;
            }
            EXPECT_GT(sum / 200, 1.5 * previous) << styleName(style) << " " << side;
            previous = sum / 200;
        }
    }
}

} // namespace
