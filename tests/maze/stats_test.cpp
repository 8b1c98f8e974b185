// The figures of a made maze, against a count that walks the maze itself:
// the answer as the route between the two openings, dead ends and branch
// points from each cell's open neighbours.

#include "maze_board.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace testing_support;

namespace {

int outerOpenings(const MazeBoard& b, Cell c)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    return (c.x == 0 && b.getMazeV(0, c.y) == 1) + (c.x == W - 1 && b.getMazeV(W, c.y) == 1)
        + (c.y == 0 && b.getMazeH(c.x, 0) == 1) + (c.y == H - 1 && b.getMazeH(c.x, H) == 1);
}

MazeStats countByWalking(const MazeBoard& b)
{
    MazeStats stats;
    std::vector<Cell> ends;
    auto degree = [&](Cell c) { return static_cast<int>(openNeighbours(b, c).size()) + outerOpenings(b, c); };
    for (int y = 0; y < b.getHeight(); ++y)
        for (int x = 0; x < b.getWidth(); ++x) {
            stats.deadEnds += degree({x, y}) == 1;
            for (int i = 0; i < outerOpenings(b, {x, y}); ++i)
                ends.push_back({x, y});
        }
    const auto answer = ends.size() == 2 ? route(b, ends[0], ends[1]) : std::nullopt;
    if (answer) {
        for (const Cell c : *answer) {
            ++stats.answerLength;
            stats.decisionPoints += degree(c) > 2;
        }
    }
    return stats;
}

TEST(StatsTest, FiguresMatchAWalkThroughTheMazeInEveryStyle)
{
    RandomSource random;
    MazeBoard board(random);
    std::mt19937 rng(99);
    int checked = 0;
    for (const MazeStyle style : AllMazeStyles) {
        board.setStyle(style);
        for (int round = 0; round < 60; ++round, ++checked) {
            const int W = 1 + static_cast<int>(rng() % 9);
            const int H = 1 + static_cast<int>(rng() % 9);
            ASSERT_TRUE(board.resize(W, H));
            drawRandomPath(board, rng);
            board.makeMaze();
            const MazeStats walked = countByWalking(board);
            const MazeStats measured = measureMaze(board);
            ASSERT_EQ(measured, walked) << std::string(styleName(style)) << " " << W << " x " << H << ": answer "
                                        << measured.answerLength << "/" << walked.answerLength << ", dead ends "
                                        << measured.deadEnds << "/" << walked.deadEnds << ", decisions "
                                        << measured.decisionPoints << "/" << walked.decisionPoints;
        }
    }
    EXPECT_EQ(checked, 240);
}

TEST(StatsTest, HandMadeBoards)
{
    RandomSource random;
    MazeBoard board(random);
    ASSERT_TRUE(board.resize(4, 3));
    EXPECT_EQ(measureMaze(board), MazeStats{}) << "no path, no maze";

    // Along the top row with one branch down from (1, 0) that ends at (1, 2),
    // and a passage (3, 1)-(3, 2) on its own. A maze byte of 2, as a file may
    // hold, is a wall in the picture and here; a path byte of 5 is a crossing.
    drawKeys(board, -1, 0, "RRRRR");
    board.setPathV(2, 0, 5);
    board.clearMaze();
    board.setMazeH(1, 1, 1);
    board.setMazeH(1, 2, 1);
    board.setMazeH(3, 2, 1);
    board.setMazeH(0, 1, 2);
    const MazeStats stats = measureMaze(board);
    EXPECT_EQ(stats.answerLength, 4);
    EXPECT_EQ(stats.decisionPoints, 1);
    EXPECT_EQ(stats.deadEnds, 3); // (1, 2), (3, 1), (3, 2)
}

} // namespace
