#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

struct BoardTest : ::testing::Test {
    RandomSource random;
    MazeBoard board{random};
};

TEST_F(BoardTest, NewBoardIs40By40WithCellSize10)
{
    EXPECT_EQ(board.getWidth(), 40);
    EXPECT_EQ(board.getHeight(), 40);
    EXPECT_EQ(board.getGridSize(), 10);
    EXPECT_EQ(board.getMarginX(), 10);
    EXPECT_EQ(board.getMarginY(), 10);
    int w = 0, h = 0;
    board.getImageSize(w, h);
    EXPECT_EQ(w, 420);
    EXPECT_EQ(h, 420);
    EXPECT_EQ(board.startX, -1);
    EXPECT_EQ(board.startY, 0);
    EXPECT_EQ(board.curX, -1);
    EXPECT_EQ(board.curY, 0);
    EXPECT_TRUE(board.showAnswer);
    EXPECT_FALSE(board.transparentMode);
    EXPECT_EQ(board.startColor, 0x0000FFu);
    EXPECT_EQ(board.cursorColor, 0xFF0000u);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x <= 40; ++x)
            ASSERT_EQ(board.getMazeV(x, y) | board.getPathV(x, y), 0);
}

TEST_F(BoardTest, GridSizeIsClampedAndMarginsFollow)
{
    const std::pair<int, int> cases[] = {{2, 3}, {3, 3}, {11, 11}, {20, 20}, {21, 20}, {-5, 3}};
    for (const auto& [asked, got] : cases) {
        board.setGridSize(asked);
        EXPECT_EQ(board.getGridSize(), got) << asked;
        EXPECT_EQ(board.getMarginX(), got) << asked;
        EXPECT_EQ(board.getMarginY(), got) << asked;
    }
    board.setGridSize(7);
    ASSERT_TRUE(board.resize(5, 30));
    int w = 0, h = 0;
    board.getImageSize(w, h);
    EXPECT_EQ(w, 5 * 7 + 14);
    EXPECT_EQ(h, 30 * 7 + 14);
}

// Every cell size a file may hold: a zoom step goes one pixel within the
// zoom range, enters it from outside only the way it goes, and never goes
// the other way.
TEST(ZoomTest, StepsNeverGoTheWrongWay)
{
    for (int size = 1; size <= MazeBoard::MaxFileGridSize; ++size) {
        for (const int step : {1, -1}) {
            const int next = MazeBoard::zoomedGridSize(size, step);
            const bool inRange = size >= MazeBoard::MinGridSize && size <= MazeBoard::MaxGridSize;
            if (inRange)
                EXPECT_EQ(next, std::clamp(size + step, MazeBoard::MinGridSize, MazeBoard::MaxGridSize)) << size;
            else if ((step > 0) == (size < MazeBoard::MinGridSize))
                EXPECT_EQ(next, step > 0 ? MazeBoard::MinGridSize : MazeBoard::MaxGridSize) << size;
            else
                EXPECT_EQ(next, size) << size << " " << step;
        }
    }
}

TEST_F(BoardTest, PathCellsOutsideTheGridReadZeroAndIgnoreWrites)
{
    ASSERT_TRUE(board.resize(6, 8));
    board.setPathCell(-1, 5, 1);
    board.setPathCell(6, 0, 1);
    board.setPathCell(0, 8, 1);
    board.setPathCell(0, -1, 1);
    EXPECT_EQ(board.getPathCell(-1, 0), 0);
    EXPECT_EQ(board.getPathCell(-1, 5), 0);
    EXPECT_EQ(board.getPathCell(6, 3), 0);
    EXPECT_EQ(board.getPathCell(2, 8), 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(board.getPathCell(x, y), 0);
    board.setPathCell(5, 7, 1);
    EXPECT_EQ(board.getPathCell(5, 7), 1);
}

TEST_F(BoardTest, ResizeAllocatesClearedArraysAndResetsStartAndHead)
{
    board.setGridSize(13);
    drawKeys(board, -1, 3, "RRRD");
    board.showAnswer = false;
    ASSERT_TRUE(board.resize(5, 7));
    EXPECT_EQ(board.getWidth(), 5);
    EXPECT_EQ(board.getHeight(), 7);
    EXPECT_EQ(board.getGridSize(), 13);
    EXPECT_EQ(board.startX, -1);
    EXPECT_EQ(board.startY, 0);
    EXPECT_EQ(board.curX, -1);
    EXPECT_EQ(board.curY, 0);
    EXPECT_TRUE(board.showAnswer);
    // 42 vertical and 40 horizontal edges in each pair of arrays.
    EXPECT_EQ(board.toFileBytes().size(), 32u + 2 * 42 + 2 * 40);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(board.getPathCell(x, y), 0);
}

TEST_F(BoardTest, ResizeRefusesSidesOutside1To400AndChangesNothing)
{
    ASSERT_TRUE(board.resize(12, 9));
    drawKeys(board, -1, 2, "RRRDDR");
    board.makeMaze();
    const BoardSnapshot before(board);
    for (const auto& [w, h] : {std::pair{0, 9}, {12, 0}, {-1, 5}, {401, 5}, {5, 401}, {1 << 30, 1 << 30}}) {
        EXPECT_FALSE(board.resize(w, h)) << w << " x " << h;
        EXPECT_EQ(BoardSnapshot(board), before) << w << " x " << h;
        EXPECT_EQ(board.curX, 3);
        EXPECT_EQ(board.curY, 4);
    }
    EXPECT_TRUE(board.resize(1, 1));
    EXPECT_TRUE(board.resize(400, 400));
    EXPECT_EQ(board.toFileBytes().size(), 32u + 2 * (2u * 400 * 400 + 800));
}

TEST_F(BoardTest, ClearPathErasesThePathAndTurnsTheAnswerBackOn)
{
    ASSERT_TRUE(board.resize(6, 6));
    drawKeys(board, 2, -1, "DDR");
    EXPECT_EQ(board.curX, 3);
    EXPECT_EQ(board.curY, 1);
    EXPECT_EQ(board.getPathV(3, 1), 1);
    board.showAnswer = false;
    board.clearPath();
    EXPECT_TRUE(board.showAnswer);
    EXPECT_EQ(board.curX, 2);
    EXPECT_EQ(board.curY, -1);
    EXPECT_EQ(board.startX, 2);
    EXPECT_EQ(board.getPathH(2, 0), 0);
    EXPECT_EQ(board.getPathH(2, 1), 0);
    EXPECT_EQ(board.getPathV(3, 1), 0);
    EXPECT_EQ(board.getPathCell(2, 0), 0);
}

TEST_F(BoardTest, ClearMazeLeavesOnlyThePathOpen)
{
    ASSERT_TRUE(board.resize(8, 8));
    drawKeys(board, -1, 4, "RRRRUURRRRR");
    board.makeMaze();
    EXPECT_GT(openInteriorEdges(board), 20);
    board.clearMaze();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x <= 8; ++x)
            ASSERT_EQ(board.getMazeV(x, y), board.getPathV(x, y)) << x << "," << y;
    for (int y = 0; y <= 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(board.getMazeH(x, y), board.getPathH(x, y)) << x << "," << y;
    EXPECT_EQ(board.getMazeV(0, 4), 1); // entrance in the outer left wall
    EXPECT_EQ(board.getMazeV(8, 2), 1); // exit in the outer right wall
    EXPECT_EQ(board.getPathV(8, 2), 1);
}

TEST_F(BoardTest, AnyNonZeroPathByteOpensThePassage)
{
    // A file may hold 2 for a crossing; the maze still gets an open passage
    // that the maze picture draws as open.
    ASSERT_TRUE(board.resize(3, 1));
    for (int x = 0; x <= 3; ++x)
        board.setPathV(x, 0, 2);
    board.clearMaze();
    for (int x = 0; x <= 3; ++x)
        EXPECT_EQ(board.getMazeV(x, 0), 1);
    EXPECT_EQ(board.getPathV(1, 0), 2);
}

} // namespace
