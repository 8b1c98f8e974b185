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
    // The ways from `at` it takes (not back, not seen at a glance to end),
    // each with whether the exit lies that way.
    std::vector<std::pair<Cell, bool>> ways(Cell at, Cell from) const
    {
        std::vector<std::pair<Cell, bool>> out;
        for (const Cell n : openNeighbours(board, at)) {
            if (n == from || std::find(outside.begin(), outside.end(), n) != outside.end())
                continue;
            const auto cells = beyond(at, n);
            const bool out_ = std::any_of(cells.begin(), cells.end(), [&](auto& c) { return c.first == exit; });
            if (out_ || std::any_of(cells.begin(), cells.end(), [&](auto& c) { return c.second > glance; }))
                out.push_back({n, out_});
        }
        return out;
    }
    // Cells stepped on from stepping onto `w` until back on `from`, after
    // walking the dead passage until every end is in sight.
    long explore(Cell w, Cell from) const
    {
        long steps = 2;
        for (const auto& [n, out] : ways(w, from))
            steps += explore(n, w);
        return steps;
    }
    // Expected cells stepped on from `at` until the exit cell is reached.
    double solve(Cell at, Cell from) const
    {
        if (at == exit)
            return 0;
        for (const Cell n : openNeighbours(board, at))
            for (const auto& [c, steps] : beyond(at, n))
                if (c == exit && steps <= glance)
                    return steps; // in sight: straight out
        const auto options = ways(at, from);
        std::vector<double> cost;
        std::size_t right = options.size();
        for (std::size_t i = 0; i < options.size(); ++i) {
            if (options[i].second)
                right = i;
            cost.push_back(options[i].second ? 1 + solve(options[i].first, at) : explore(options[i].first, at));
        }
        if (right == options.size())
            return -1e9; // no way on: the figure would be wrong
        // Every order of the ways, equally likely, until the right one.
        std::vector<std::size_t> order(options.size());
        std::iota(order.begin(), order.end(), 0);
        double sum = 0;
        int orders = 0;
        do {
            for (std::size_t k = 0; k < order.size() && (k == 0 || order[k - 1] != right); ++k)
                sum += cost[order[k]];
            ++orders;
        } while (std::next_permutation(order.begin(), order.end()));
        return sum / orders;
    }
};

// The mean of the walks from either end, halves rounded up.
double searchersFigure(const MazeBoard& board, int glance, Cell a, Cell b, std::vector<Cell> outside = {})
{
    const double fromA = 1 + Searcher{board, glance, b, outside}.solve(a, {-9, -9});
    const double fromB = 1 + Searcher{board, glance, a, outside}.solve(b, {-9, -9});
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
        for (int round = 0; round < 40; ++round) {
            const int W = 1 + static_cast<int>(rng() % 6);
            const int H = 1 + static_cast<int>(rng() % 6);
            ASSERT_TRUE(board.resize(W, H));
            const std::vector<Cell> path = drawRandomPath(board, rng);
            board.makeMaze();
            const Cell entrance = path[1];
            const Cell exit = path[path.size() - 2];
            for (int glance = 0; glance <= 5; ++glance, ++compared) {
                SCOPED_TRACE(testing::Message() << styleName(style) << " " << W << " x " << H << " round " << round
                                                << " glance " << glance);
                const auto measured = measureDifficulty(board, glance);
                ASSERT_TRUE(measured.has_value());
                EXPECT_EQ(double(measured->figure), searchersFigure(board, glance, entrance, exit));
                EXPECT_EQ(measured->answerLength, static_cast<int>(path.size()) - 2);
                EXPECT_EQ(measured->cells, reachableCount(board, entrance));
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
    EXPECT_EQ(compared, 4 * 40 * 6);
}

TEST(DifficultyTest, OnlyTheMazeReachableFromTheEntranceCounts)
{
    // A start on a cell of the grid that the maze leaves out, as a shape's
    // inner room: its walls closed but for the path's first crossing, which
    // closes off the cells the generator had hung on it.
    RandomSource random;
    MazeBoard board(random);
    for (const MazeStyle style : AllMazeStyles) {
        board.setStyle(style);
        for (int round = 0; round < 10; ++round) {
            SCOPED_TRACE(testing::Message() << styleName(style) << " round " << round);
            ASSERT_TRUE(board.resize(7, 6));
            drawKeys(board, 3, 2, "RRRR");
            board.makeMaze();
            board.setMazeV(3, 2, 0);
            board.setMazeH(3, 2, 0);
            board.setMazeH(3, 3, 0);
            const auto measured = measureDifficulty(board, 2);
            ASSERT_TRUE(measured.has_value());
            EXPECT_EQ(double(measured->figure), searchersFigure(board, 2, {4, 2}, {6, 2}, {{3, 2}}));
            EXPECT_EQ(measured->answerLength, 3);
            EXPECT_EQ(measured->cells, static_cast<int>(Searcher{board, 2, {6, 2}, {}}.beyond({3, 2}, {4, 2}).size()));
        }
    }
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

TEST(DifficultyTest, GradesAndTheirNames)
{
    for (const auto& [figure, grade] : {std::pair{1, DifficultyGrade::Easy}, {EasyBelow - 1, DifficultyGrade::Easy},
             {EasyBelow, DifficultyGrade::Medium}, {HardFrom - 1, DifficultyGrade::Medium},
             {HardFrom, DifficultyGrade::Hard}, {160000, DifficultyGrade::Hard}})
        EXPECT_EQ(gradeOf(figure), grade) << figure;
    std::string names;
    for (const DifficultyGrade grade : {DifficultyGrade::Easy, DifficultyGrade::Medium, DifficultyGrade::Hard}) {
        EXPECT_EQ(gradeFromName(gradeName(grade)), grade);
        names += std::string(gradeName(grade)) + " ";
    }
    EXPECT_EQ(names, "easy medium hard ");
    for (const char* bad : {"", "Easy", "hard ", "difficult"})
        EXPECT_FALSE(gradeFromName(bad)) << bad;
}

} // namespace
