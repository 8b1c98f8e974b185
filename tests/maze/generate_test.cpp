#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

using namespace testing_support;

namespace {

TEST(RandomSourceTest, HandsOutTheFixedSequenceFrom130)
{
    RandomSource random;
    const int expected[] = {130, 10982, 1090, 11656, 7117, 17595};
    for (const int value : expected)
        EXPECT_EQ(random.nextRandom(), value);
    EXPECT_EQ(random.drawn(), 6u);

    RandomSource again;
    EXPECT_EQ(again.nextRandom(), 130) << "every source starts the sequence anew";
}

TEST(RandomSourceTest, ProgramSourceIsOneInstance)
{
    EXPECT_EQ(&RandomSource::process(), &RandomSource::process());
}

// The state whose next value is `value`: the generator's step run backwards.
std::uint32_t stateBefore(int value)
{
    const std::uint32_t next = static_cast<std::uint32_t>(value) << 16;
    // The multiplier is odd, so it has an inverse modulo 2^32 (Newton's method).
    std::uint32_t inverse = 22695477u;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - 22695477u * inverse;
    return (next - 1u) * inverse;
}

TEST(RandomSourceTest, ChanceOfOneFifthIsTrueUpTo6553)
{
    for (const auto& [value, expected] : {std::pair{0, true}, {6553, true}, {6554, false}, {32767, false}}) {
        RandomSource source = RandomSource::fromState(stateBefore(value));
        MazeBoard board(source);
        RandomSource probe = RandomSource::fromState(stateBefore(value));
        ASSERT_EQ(probe.nextRandom(), value);
        EXPECT_EQ(board.chance(MazeBoard::JoinProbability), expected) << value;
    }
    RandomSource source = RandomSource::fromState(stateBefore(32767));
    MazeBoard board(source);
    EXPECT_DOUBLE_EQ(board.random01(), 1.0);
}

struct GenerateTest : ::testing::Test {
    RandomSource random;
    MazeBoard board{random};
};

TEST_F(GenerateTest, WorkedFiveByFiveExample)
{
    ASSERT_TRUE(board.resize(5, 5));
    drawKeys(board, -1, 2, "RRRRRR");
    ASSERT_EQ(board.curX, 5);
    board.makeMaze();
    EXPECT_EQ(random.drawn(), 89u);

    const std::set<std::pair<int, int>> openV = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {3, 1}, {0, 2},
        {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {1, 4}, {3, 4}, {4, 4}};
    const std::set<std::pair<int, int>> openH = {
        {0, 1}, {1, 1}, {2, 1}, {0, 2}, {4, 2}, {3, 3}, {1, 4}, {4, 4}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x <= 5; ++x)
            EXPECT_EQ(board.getMazeV(x, y), openV.count({x, y}) ? 1 : 0) << "mazeV " << x << "," << y;
    for (int y = 0; y <= 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(board.getMazeH(x, y), openH.count({x, y}) ? 1 : 0) << "mazeH " << x << "," << y;
    EXPECT_EQ(openInteriorEdges(board), 24);
}

TEST_F(GenerateTest, FirstDrawsOfAStartUpBoard)
{
    // The path keeps away from columns 0 and 1 in rows 0 ... 2, so the first
    // three draws decide the walls right of (0,0), (0,1) and (0,2).
    drawKeys(board, 20, -1, std::string(41, 'D'));
    board.makeMaze();
    EXPECT_EQ(board.getMazeV(1, 0), 1); // drew 130
    EXPECT_EQ(board.getMazeV(1, 2), 1); // drew 1090
    RandomSource fresh;
    MazeBoard firstPassOnly(fresh);
    drawKeys(firstPassOnly, 20, -1, std::string(41, 'D'));
    firstPassOnly.clearMaze();
    firstPassOnly.initCellSets();
    firstPassOnly.randomJoinPass();
    EXPECT_EQ(firstPassOnly.getMazeV(1, 0), 1);
    EXPECT_EQ(firstPassOnly.getMazeV(1, 1), 0); // drew 10982: stays closed in this pass
    EXPECT_EQ(firstPassOnly.getMazeV(1, 2), 1);
}

// The generator exactly as the algorithm reads: plain parent chasing, every
// pair of every pass visited, the final pass over all rows and then columns.
// On a shape a pair with a cell left out is passed over before anything is
// drawn for it. The board's faster union-find must make byte-identical mazes.
struct ReferenceGenerator {
    MazeBoard& b;
    RandomSource& random;
    std::vector<int> set;

    int root(int x, int y)
    {
        int k = y * b.getWidth() + x;
        while (set[static_cast<std::size_t>(k)] != k)
            k = set[static_cast<std::size_t>(k)];
        return k;
    }
    void join(int x1, int y1, int x2, int y2)
    {
        const int e = root(x1, y1), f = root(x2, y2);
        set[static_cast<std::size_t>(e < f ? f : e)] = e < f ? e : f;
    }
    bool chance() { return random.nextRandom() * (1.0 / 32767) < 0.2; }
    // Both cells of the pair belong to the maze.
    bool inside(int x1, int y1, int x2, int y2) const { return b.isInside(x1, y1) && b.isInside(x2, y2); }

    void make()
    {
        const int W = b.getWidth(), H = b.getHeight();
        for (int y = 0; y < H; ++y)
            for (int x = 0; x <= W; ++x)
                b.setMazeV(x, y, b.getPathV(x, y) != 0);
        for (int y = 0; y <= H; ++y)
            for (int x = 0; x < W; ++x)
                b.setMazeH(x, y, b.getPathH(x, y) != 0);
        set.resize(static_cast<std::size_t>(W * H));
        for (int k = 0; k < W * H; ++k)
            set[static_cast<std::size_t>(k)] = k;
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y) {
                if (x != W - 1 && b.getMazeV(x + 1, y)) join(x, y, x + 1, y);
                if (y != H - 1 && b.getMazeH(x, y + 1)) join(x, y, x, y + 1);
            }
        for (int pass = 0; pass < 10; ++pass) {
            for (int x = 0; x < W - 1; ++x)
                for (int y = 0; y < H; ++y)
                    if (inside(x, y, x + 1, y) && root(x, y) != root(x + 1, y) && chance()) {
                        b.setMazeV(x + 1, y, 1);
                        join(x, y, x + 1, y);
                    }
            for (int x = 0; x < W; ++x)
                for (int y = 0; y < H - 1; ++y)
                    if (inside(x, y, x, y + 1) && root(x, y) != root(x, y + 1) && chance()) {
                        join(x, y, x, y + 1);
                        b.setMazeH(x, y + 1, 1);
                    }
        }
        for (int x = 0; x < W - 1; ++x)
            for (int y = 0; y < H; ++y)
                if (inside(x, y, x + 1, y) && root(x, y) != root(x + 1, y)) {
                    join(x, y, x + 1, y);
                    b.setMazeV(x + 1, y, 1);
                }
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H - 1; ++y)
                if (inside(x, y, x, y + 1) && root(x, y) != root(x, y + 1)) {
                    join(x, y, x, y + 1);
                    b.setMazeH(x, y + 1, 1);
                }
    }
};

TEST_F(GenerateTest, MazesAreCorrectOnManyBoardsAndPaths)
{
    std::mt19937 rng(20261208);
    RandomSource referenceRandom;
    RandomSource probeRandom;
    MazeBoard reference(referenceRandom);
    MazeBoard rootProbe(probeRandom);
    int boards = 0;
    for (const auto& [W, H] : {std::pair{1, 1}, {1, 7}, {9, 1}, {2, 2}, {5, 5}, {7, 3}, {12, 30},
             {40, 40}, {33, 17}, {100, 100}}) {
        const int rounds = W * H > 2000 ? 3 : 25;
        for (int round = 0; round < rounds; ++round, ++boards) {
            ASSERT_TRUE(board.resize(W, H));
            const std::vector<Cell> path = drawRandomPath(board, rng);
            const auto pathBefore = board.toFileBytes();
            board.makeMaze();
            SCOPED_TRACE(testing::Message() << W << " x " << H << " round " << round);

            // Byte-identical to the plain algorithm, from the same point of the sequence.
            ASSERT_TRUE(reference.resize(W, H));
            drawKeys(reference, board.startX, board.startY, "");
            for (std::size_t i = 1; i < path.size(); ++i) {
                const Cell a = path[i - 1], c = path[i];
                stepHead(reference, c.x > a.x ? 'R' : c.x < a.x ? 'L' : c.y > a.y ? 'D' : 'U');
            }
            ReferenceGenerator{reference, referenceRandom, {}}.make();
            ASSERT_EQ(reference.toFileBytes(), board.toFileBytes());
            ASSERT_EQ(referenceRandom.drawn(), random.drawn());

            // The path arrays and positions stay as drawn.
            const auto after = board.toFileBytes();
            const std::size_t mazeBytes = static_cast<std::size_t>((W + 1) * H + W * (H + 1));
            ASSERT_TRUE(std::equal(after.begin(), after.begin() + 32, pathBefore.begin()));
            ASSERT_TRUE(std::equal(after.begin() + 32 + static_cast<long>(mazeBytes), after.end(),
                                   pathBefore.begin() + 32 + static_cast<long>(mazeBytes)));

            // Every drawn crossing is open.
            for (int y = 0; y < H; ++y)
                for (int x = 0; x <= W; ++x)
                    if (board.getPathV(x, y)) {
                        ASSERT_EQ(board.getMazeV(x, y), 1);
                    }
            for (int y = 0; y <= H; ++y)
                for (int x = 0; x < W; ++x)
                    if (board.getPathH(x, y)) {
                        ASSERT_EQ(board.getMazeH(x, y), 1);
                    }

            // The outer wall opens exactly at the path's two crossings.
            int outerOpenings = 0;
            for (int y = 0; y < H; ++y) {
                ASSERT_EQ(board.getMazeV(0, y), board.getPathV(0, y));
                ASSERT_EQ(board.getMazeV(W, y), board.getPathV(W, y));
                outerOpenings += board.getMazeV(0, y) + board.getMazeV(W, y);
            }
            for (int x = 0; x < W; ++x) {
                ASSERT_EQ(board.getMazeH(x, 0), board.getPathH(x, 0));
                ASSERT_EQ(board.getMazeH(x, H), board.getPathH(x, H));
                outerOpenings += board.getMazeH(x, 0) + board.getMazeH(x, H);
            }
            ASSERT_EQ(outerOpenings, 2);

            // One tree over all cells: W*H - 1 passages and every cell reachable.
            ASSERT_EQ(openInteriorEdges(board), W * H - 1);
            ASSERT_EQ(reachableCount(board, {0, 0}), W * H);

            // In a tree the route between entrance and exit cells is unique;
            // it must be the drawn path.
            const std::vector<Cell> inner(path.begin() + 1, path.end() - 1);
            const auto found = route(board, inner.front(), inner.back());
            ASSERT_TRUE(found.has_value());
            ASSERT_EQ(*found, inner);

            // Every set's root is its smallest index.
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    ASSERT_EQ(board.findRoot(x, y), 0);
        }
    }
    EXPECT_GT(boards, 200);
}

// On a shape: the same mazes as the plain algorithm that skips the pairs
// with a cell left out, from the same values; so no value is drawn for them.
TEST_F(GenerateTest, OnAShapeThePassesSkipPairsWithACellLeftOut)
{
    std::mt19937 rng(2511);
    RandomSource referenceRandom;
    MazeBoard reference(referenceRandom);
    for (int round = 0; round < 60; ++round) {
        const int W = std::uniform_int_distribution<int>(2, 45)(rng);
        const int H = std::uniform_int_distribution<int>(2, 45)(rng);
        SCOPED_TRACE(testing::Message() << W << " x " << H << " round " << round);
        const MazeShape shape = randomBlob(W, H, rng);
        ASSERT_TRUE(board.resize(W, H));
        ASSERT_TRUE(board.setShape(shape));
        // Some rounds without a path, and two mazes on one path.
        if (round % 5 != 0)
            drawRandomShapePath(board, rng);
        // The same shape and path, through the file.
        const Bytes bytes = board.toFileBytes();
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        ASSERT_TRUE(reference.readFrom(in));
        ASSERT_EQ(reference.shape(), shape);
        for (int maze = 0; maze < 2; ++maze) {
            referenceRandom.setState(random.state());
            const std::uint64_t drawn = random.drawn(), referenceDrawn = referenceRandom.drawn();
            board.makeMaze();
            ReferenceGenerator{reference, referenceRandom, {}}.make();
            ASSERT_EQ(reference.mazeVArray(), board.mazeVArray());
            ASSERT_EQ(reference.mazeHArray(), board.mazeHArray());
            ASSERT_EQ(random.drawn() - drawn, referenceRandom.drawn() - referenceDrawn);
        }
    }
}

TEST_F(GenerateTest, NeighbouringPathCellsNotConsecutiveKeepTheirWall)
{
    ASSERT_TRUE(board.resize(6, 6));
    // Along row 1, down, back along row 2: cells (x,1) and (x,2) are
    // neighbours on the path but not consecutive.
    drawKeys(board, -1, 1, "RRRRDLLLL");
    board.makeMaze();
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(board.getMazeH(x, 2), 0) << x;
    EXPECT_EQ(board.getMazeH(3, 2), 1);
}

TEST_F(GenerateTest, MakingTwiceDiscardsTheFirstMazeAndContinuesTheSequence)
{
    ASSERT_TRUE(board.resize(20, 20));
    drawKeys(board, -1, 10, std::string(21, 'R'));
    board.makeMaze();
    const auto first = board.toFileBytes();
    const std::uint64_t firstDraws = random.drawn();
    board.makeMaze();
    const auto second = board.toFileBytes();
    EXPECT_NE(first, second);

    // The second maze is what a fresh source gives once the first maze's
    // draws are spent.
    RandomSource source;
    for (std::uint64_t i = 0; i < firstDraws; ++i)
        source.nextRandom();
    MazeBoard other(source);
    ASSERT_TRUE(other.resize(20, 20));
    drawKeys(other, -1, 10, std::string(21, 'R'));
    other.makeMaze();
    EXPECT_EQ(other.toFileBytes(), second);
}

TEST_F(GenerateTest, NoPathGivesAClosedOuterWall)
{
    ASSERT_TRUE(board.resize(10, 10));
    board.makeMaze();
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(board.getMazeV(0, y) + board.getMazeV(10, y), 0);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(board.getMazeH(x, 0) + board.getMazeH(x, 10), 0);
    EXPECT_EQ(openInteriorEdges(board), 99);
}

TEST_F(GenerateTest, BottomRowIsNeverSealedOff)
{
    // Straight paths across 40 x 40 boards left about one maze in twelve with
    // a bottom-row cell that no pass had joined to anything.
    for (int round = 0; round < 60; ++round) {
        ASSERT_TRUE(board.resize(40, 40));
        drawKeys(board, -1, round % 40, std::string(41, 'R'));
        board.makeMaze();
        ASSERT_EQ(reachableCount(board, {0, 39}), 1600) << round;
    }
}

void reportToStderr(const char* message)
{
    std::fprintf(stderr, "guard: %s\n", message);
}

TEST(GenerateDeathTest, FindRootGuardsColumnAndRow)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    RandomSource random;
    MazeBoard board(random);
    ASSERT_TRUE(board.resize(4, 3));
    EXPECT_EXIT(board.findRoot(4, 0), ::testing::ExitedWithCode(1), "^Error LX");
    EXPECT_EXIT(board.findRoot(0, 3), ::testing::ExitedWithCode(1), "^Error LY");
    EXPECT_EXIT(board.findRoot(9, 9), ::testing::ExitedWithCode(1), "^Error LX");
    EXPECT_EXIT(
        {
            MazeBoard::setGuardHandler(reportToStderr);
            board.joinCells(0, 0, 0, 3);
        },
        ::testing::ExitedWithCode(1), "guard: Error LY");
    EXPECT_EQ(board.findRoot(3, 2), 11);
}

} // namespace
