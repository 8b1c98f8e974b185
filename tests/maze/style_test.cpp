// The maze styles: every style keeps the promises of a maze around a drawn
// path, makes the same maze from the same source state, and the styles really
// make mazes of different character.

#include "maze_board.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>

using namespace testing_support;

namespace {

constexpr MazeStyle GrownStyles[] = {MazeStyle::LongCorridors, MazeStyle::ShortDeadEnds, MazeStyle::Uniform};

std::string nameOf(MazeStyle style)
{
    return std::string(styleName(style));
}

// The maze's open edges as one string, to compare and to count mazes.
std::string mazeKey(const MazeBoard& b)
{
    std::string key;
    for (int y = 0; y < b.getHeight(); ++y)
        for (int x = 0; x <= b.getWidth(); ++x)
            key += char('0' + b.getMazeV(x, y));
    for (int y = 0; y <= b.getHeight(); ++y)
        for (int x = 0; x < b.getWidth(); ++x)
            key += char('0' + b.getMazeH(x, y));
    return key;
}

// What every made maze must be, checked on the result alone: each drawn
// crossing open, the outer wall open only there, every maze byte 0 or 1,
// one tree over all cells.
void expectSoundMaze(const MazeBoard& b)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    for (int y = 0; y < H; ++y)
        for (int x = 0; x <= W; ++x) {
            ASSERT_LE(b.getMazeV(x, y), 1);
            if (b.getPathV(x, y)) {
                ASSERT_EQ(b.getMazeV(x, y), 1) << "path edge V " << x << "," << y;
            }
        }
    for (int y = 0; y <= H; ++y)
        for (int x = 0; x < W; ++x) {
            ASSERT_LE(b.getMazeH(x, y), 1);
            if (b.getPathH(x, y)) {
                ASSERT_EQ(b.getMazeH(x, y), 1) << "path edge H " << x << "," << y;
            }
        }
    for (int y = 0; y < H; ++y) {
        ASSERT_EQ(b.getMazeV(0, y), b.getPathV(0, y) != 0);
        ASSERT_EQ(b.getMazeV(W, y), b.getPathV(W, y) != 0);
    }
    for (int x = 0; x < W; ++x) {
        ASSERT_EQ(b.getMazeH(x, 0), b.getPathH(x, 0) != 0);
        ASSERT_EQ(b.getMazeH(x, H), b.getPathH(x, H) != 0);
    }
    ASSERT_EQ(openInteriorEdges(b), W * H - 1);
    ASSERT_EQ(reachableCount(b, {0, 0}), W * H);
}

struct StyleTest : ::testing::Test {
    RandomSource random;
    MazeBoard board{random};
};

TEST_F(StyleTest, NamesReadBackAndUnknownNamesAreRefused)
{
    std::string names;
    for (const MazeStyle style : AllMazeStyles) {
        EXPECT_EQ(styleFromName(styleName(style)), style);
        names += nameOf(style) + " ";
    }
    EXPECT_EQ(names, "standard corridors deadends uniform ");
    for (const char* bad : {"", "Standard", "uniform ", "dead-ends"})
        EXPECT_FALSE(styleFromName(bad).has_value()) << bad;
    EXPECT_EQ(board.getStyle(), MazeStyle::Standard);
}

TEST_F(StyleTest, EveryStyleKeepsThePromisesOnManyBoardsAndPaths)
{
    std::mt19937 rng(1812);
    int mazes = 0;
    for (const MazeStyle style : GrownStyles) {
        board.setStyle(style);
        for (const auto& [W, H] : {std::pair{1, 1}, {1, 9}, {8, 1}, {2, 2}, {2, 5}, {5, 5}, {7, 3}, {12, 30},
                 {40, 40}, {100, 60}}) {
            const int rounds = W * H > 2000 ? 3 : 20;
            for (int round = 0; round < rounds; ++round, ++mazes) {
                SCOPED_TRACE(testing::Message() << nameOf(style) << " " << W << " x " << H << " round " << round);
                ASSERT_TRUE(board.resize(W, H));
                const std::vector<Cell> path = drawRandomPath(board, rng);
                const auto before = board.toFileBytes();
                board.makeMaze();
                expectSoundMaze(board);
                // In a tree the route between the entrance and exit cells is
                // unique: it must be the drawn path.
                const std::vector<Cell> inner(path.begin() + 1, path.end() - 1);
                ASSERT_EQ(route(board, inner.front(), inner.back()), inner);
                // Only the maze arrays change.
                const auto after = board.toFileBytes();
                const auto mazeBytes = static_cast<long>((W + 1) * H + W * (H + 1));
                ASSERT_TRUE(std::equal(after.begin(), after.begin() + 32, before.begin()));
                ASSERT_TRUE(std::equal(after.begin() + 32 + mazeBytes, after.end(), before.begin() + 32 + mazeBytes));
            }
            // No path: a closed outer wall around a spanning tree.
            ASSERT_TRUE(board.resize(W, H));
            board.makeMaze();
            expectSoundMaze(board);
        }
    }
    EXPECT_GT(mazes, 400);
}

TEST_F(StyleTest, PathsFromFilesWithOddBytesOrInPiecesStillGiveOneTree)
{
    for (const MazeStyle style : GrownStyles) {
        SCOPED_TRACE(nameOf(style));
        board.setStyle(style);
        // A path whose bytes are not 1 makes the same maze as the same path
        // drawn with 1s.
        ASSERT_TRUE(board.resize(9, 7));
        drawKeys(board, -1, 3, "RRRRDDRRRRRUUUUR");
        const std::uint32_t state = random.state();
        board.makeMaze();
        const std::string drawn = mazeKey(board);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x <= 9; ++x)
                if (board.getPathV(x, y))
                    board.setPathV(x, y, 0xC7);
        random.setState(state);
        board.makeMaze();
        EXPECT_EQ(mazeKey(board), drawn);
        expectSoundMaze(board);

        // An unfinished path, two pieces of path and a one-cell piece that
        // touches only the outer wall, as a hand-made file may hold.
        ASSERT_TRUE(board.resize(12, 9));
        drawKeys(board, -1, 1, "RRRRDDDR");
        board.setPathH(8, 4, 1);
        board.setPathH(8, 5, 2);
        board.setPathV(9, 5, 9);
        board.setPathH(3, 9, 1);
        for (int round = 0; round < 30; ++round) {
            board.makeMaze();
            expectSoundMaze(board);
        }
    }
}

TEST_F(StyleTest, TheSameSourceStateGivesTheSameMaze)
{
    ASSERT_TRUE(board.resize(30, 20));
    std::mt19937 rng(7);
    drawRandomPath(board, rng);
    for (const MazeStyle style : GrownStyles) {
        SCOPED_TRACE(nameOf(style));
        board.setStyle(style);
        const std::uint32_t state = random.state();
        board.makeMaze();
        const std::string first = mazeKey(board);
        const std::uint32_t after = random.state();
        board.makeMaze();
        EXPECT_NE(mazeKey(board), first) << "the next maze comes from the values that follow";

        // A board with a source of its own set to the same state, holding the
        // same path: the same maze, and the source ends in the same state.
        RandomSource other = RandomSource::fromState(state);
        MazeBoard copy(other);
        const Bytes bytes = board.toFileBytes();
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        ASSERT_TRUE(copy.readFrom(in));
        copy.setStyle(style);
        const std::uint32_t processState = RandomSource::process().state();
        copy.makeMaze();
        EXPECT_EQ(mazeKey(copy), first);
        EXPECT_EQ(other.state(), after);
        EXPECT_EQ(RandomSource::process().state(), processState) << "nothing else is drawn from";
    }
}

TEST_F(StyleTest, StandardAfterAnotherStyleIsTheStandardMaze)
{
    RandomSource plainRandom;
    MazeBoard plain(plainRandom);
    for (MazeBoard* b : {&board, &plain}) {
        ASSERT_TRUE(b->resize(25, 25));
        drawKeys(*b, 3, -1, "DDDDDDDDDDRRRRRRRRRRDDDDDDDDDDDDDDDD");
    }
    board.setStyle(MazeStyle::Uniform);
    board.makeMaze();
    board.setStyle(MazeStyle::Standard);
    plainRandom.setState(random.state());
    board.makeMaze();
    plain.makeMaze();
    EXPECT_EQ(board.toFileBytes(), plain.toFileBytes());
    EXPECT_EQ(random.state(), plainRandom.state());
}

TEST_F(StyleTest, StylesDifferInTheirShareOfDeadEnds)
{
    // 200 mazes of 40 x 40 around one path. Measured means: long corridors
    // 0.100, uniform 0.292, standard 0.303, short dead ends 0.358; each mean
    // varies by less than 0.002 from one run of 200 to the next.
    ASSERT_TRUE(board.resize(40, 40));
    drawKeys(board, -1, 5, std::string(20, 'R') + std::string(25, 'D') + std::string(12, 'L') + std::string(9, 'D')
                               + std::string(33, 'R'));
    ASSERT_EQ(board.curX, 40);
    ASSERT_EQ(board.curY, 39);
    std::map<MazeStyle, double> share;
    for (const MazeStyle style : AllMazeStyles) {
        board.setStyle(style);
        double deadEnds = 0;
        for (int i = 0; i < 200; ++i) {
            board.makeMaze();
            deadEnds += measureMaze(board).deadEnds;
        }
        share[style] = deadEnds / (200.0 * 1600.0);
        std::printf("%-10s %.4f\n", nameOf(style).c_str(), share[style]);
    }
    EXPECT_LT(share[MazeStyle::LongCorridors], 0.15);
    for (const MazeStyle middle : {MazeStyle::Standard, MazeStyle::Uniform}) {
        EXPECT_GT(share[middle], 0.25) << nameOf(middle);
        EXPECT_LT(share[middle], 0.325) << nameOf(middle);
    }
    EXPECT_GT(share[MazeStyle::ShortDeadEnds], 0.34);
}

TEST_F(StyleTest, UniformMakesEveryTreeEquallyOften)
{
    // A 3 x 2 board without a path has 15 spanning trees. With the path
    // along its top row, the row is one piece that the three bottom cells
    // join: 8 trees.
    board.setStyle(MazeStyle::Uniform);
    for (const bool withPath : {false, true}) {
        SCOPED_TRACE(withPath ? "path along the top row" : "no path");
        ASSERT_TRUE(board.resize(3, 2));
        if (withPath)
            drawKeys(board, -1, 0, "RRRR");
        std::map<std::string, int> count;
        const int samples = 15000;
        for (int i = 0; i < samples; ++i) {
            board.makeMaze();
            ++count[mazeKey(board)];
        }
        const int trees = withPath ? 8 : 15;
        ASSERT_EQ(count.size(), static_cast<std::size_t>(trees));
        const double expected = double(samples) / trees;
        for (const auto& [key, n] : count)
            EXPECT_NEAR(n, expected, 5 * std::sqrt(expected)) << key;
    }
}

} // namespace
