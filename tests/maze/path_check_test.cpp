#include "path_check.h"

#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace testing_support;

namespace {

// The crafted files a maze must not be made from, each beside the one path
// it may be made from.
TEST(PathCheck, OnlyOneSimplePathBetweenTwoRingCrossingsIsAPath)
{
    const struct {
        const char* name;
        std::function<void(MazeBoard&)> draw;
        PathShape shape;
    } cases[] = {
        {"a path from the left to the bottom", [](MazeBoard& b) { drawKeys(b, -1, 1, "RRDDDRDD"); }, PathShape::OnePath},
        {"a path through the corner cell", [](MazeBoard& b) { drawKeys(b, -1, 0, "RU"); }, PathShape::OnePath},
        {"no path", [](MazeBoard&) {}, PathShape::Empty},
        {"a path that stops inside", [](MazeBoard& b) { drawKeys(b, -1, 1, "RRD"); }, PathShape::Unfinished},
        {"a loop that never crosses the ring",
         [](MazeBoard& b) { drawKeys(b, 1, 1, "RDLU"); b.startX = -1; }, PathShape::Unfinished},
        {"a path and a piece beside it",
         [](MazeBoard& b) { drawKeys(b, -1, 0, "RRRRRRR"); b.setPathH(2, 3, 1); }, PathShape::Unfinished},
        {"a branch to a third opening",
         [](MazeBoard& b) { drawKeys(b, -1, 2, "RRRRRRR"); b.setPathH(3, 0, 1), b.setPathH(3, 1, 1), b.setPathH(3, 2, 1); },
         PathShape::Branched},
        {"a path and a loop beside it",
         [](MazeBoard& b) {
             drawKeys(b, -1, 0, "RRRRRRR");
             b.setPathV(3, 2, 1), b.setPathV(3, 3, 1), b.setPathH(2, 3, 1), b.setPathH(3, 3, 1);
         },
         PathShape::Loop},
        {"every edge", [](MazeBoard& b) {
             for (int y = 0; y < 6; ++y)
                 for (int x = 0; x <= 6; ++x)
                     b.setPathV(x, y, 1), b.setPathH(y, x, 1);
         },
         PathShape::Branched},
    };
    for (const auto& c : cases) {
        RandomSource random;
        MazeBoard board(random);
        ASSERT_TRUE(board.resize(6, 6));
        c.draw(board);
        EXPECT_EQ(pathShape(board), c.shape) << c.name;
    }
}

// A board saved before Make Maze has every wall closed; a made maze joins
// every cell.
TEST(PathCheck, OnlyAMadeMazeHasAMaze)
{
    RandomSource random;
    MazeBoard board(random);
    ASSERT_TRUE(board.resize(7, 5));
    drawKeys(board, -1, 2, "RRRRRRRR");
    EXPECT_FALSE(hasMaze(board));
    board.makeMaze();
    EXPECT_TRUE(hasMaze(board));
    board.setMazeV(3, 0, 0), board.setMazeV(4, 0, 0), board.setMazeH(3, 0, 0), board.setMazeH(3, 1, 0);
    EXPECT_FALSE(hasMaze(board)) << "a cell walled in";
}

} // namespace
