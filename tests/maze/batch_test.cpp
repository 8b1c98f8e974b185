// Many mazes around one path: the values of the command line, the series of
// mazes and the numbered file names.

#include "maze_batch.h"
#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace testing_support;

namespace {

TEST(BatchTest, CountAndSeedAcceptDigitsInRangeOnly)
{
    for (const auto& [text, expected] : {std::pair{"1", std::optional<int>(1)}, {"1000", 1000}, {"007", 7},
             {"0", std::nullopt}, {"1001", std::nullopt}, {"", std::nullopt}, {"+3", std::nullopt},
             {"-1", std::nullopt}, {"3x", std::nullopt}, {" 3", std::nullopt},
             {"99999999999999999999999", std::nullopt}})
        EXPECT_EQ(parseBatchCount(text), expected) << text;
    for (const auto& [text, expected] : {std::pair{"0", std::optional<std::uint32_t>(0)},
             {"4294967295", 4294967295u}, {"4294967296", std::nullopt}, {"", std::nullopt}, {"1e3", std::nullopt}})
        EXPECT_EQ(parseSeed(text), expected) << text;
}

TEST(BatchTest, MazesAroundTheLoadedPathAreSoundDistinctAndRepeatable)
{
    // The input is a finished maze read from its file: its path is used.
    RandomSource random;
    MazeBoard source(random);
    ASSERT_TRUE(source.resize(15, 10));
    drawKeys(source, -1, 4, "RRRRRDDDRRRRRRUUUUUURRRRR");
    source.makeMaze();
    const Bytes file = source.toFileBytes();
    const std::size_t pathStart = 32 + 16 * 10 + 15 * 11; // header, then mazeV and mazeH

    for (const MazeStyle style : AllMazeStyles) {
        SCOPED_TRACE(std::string(styleName(style)));
        std::vector<Bytes> series[2];
        for (auto& made : series) {
            RandomSource own;
            MazeBoard board(own);
            std::istringstream in(std::string(file.begin(), file.end()));
            ASSERT_TRUE(board.readFrom(in));
            const int done = makeMazeBatch(board, {4, style, 123456u}, [&](int index) {
                EXPECT_EQ(index, static_cast<int>(made.size()) + 1);
                made.push_back(board.toFileBytes());
                EXPECT_EQ(openInteriorEdges(board), 15 * 10 - 1);
                EXPECT_EQ(reachableCount(board, {0, 0}), 150);
                return true;
            });
            EXPECT_EQ(done, 4);
            EXPECT_EQ(board.getStyle(), style);
        }
        EXPECT_EQ(series[0], series[1]) << "the same seed gives the same series";
        EXPECT_EQ(std::set<Bytes>(series[0].begin(), series[0].end()).size(), 4u) << "four different mazes";
        for (const Bytes& maze : series[0])
            EXPECT_TRUE(std::equal(maze.begin() + static_cast<long>(pathStart), maze.end(),
                                   file.begin() + static_cast<long>(pathStart)))
                << "the path stays the input's";
    }

    // A writer that fails stops the series.
    RandomSource own;
    MazeBoard board(own);
    int calls = 0;
    EXPECT_EQ(makeMazeBatch(board, {10, MazeStyle::Uniform, std::nullopt}, [&](int) { return ++calls < 3; }), 2);
    EXPECT_EQ(calls, 3);
}

TEST(BatchTest, EveryMazeGetsARouteOfItsOwnThatIsItsOnlyRoute)
{
    std::vector<Bytes> series[2];
    for (auto& made : series) {
        RandomSource own;
        MazeBoard board(own);
        ASSERT_TRUE(board.resize(20, 20));
        BatchRoutes routes;
        const int done = makeMazeBatch(board, {30, MazeStyle::Uniform, 77u}, [&](int) {
            made.push_back(board.toFileBytes());
            const auto& cells = routes.made.cells;
            EXPECT_TRUE(routes.made.withinBand()) << routes.made.length;
            EXPECT_EQ(std::make_pair(board.startX, board.startY), std::make_pair(cells.front().x, cells.front().y));
            EXPECT_EQ(std::make_pair(board.curX, board.curY), std::make_pair(cells.back().x, cells.back().y));
            const RouteCell first = cells[1];
            const RouteCell last = cells[cells.size() - 2];
            const auto way = route(board, {first.x, first.y}, {last.x, last.y});
            EXPECT_EQ(way ? way->size() + 2 : 0u, cells.size()) << "the route is the maze's only way";
            EXPECT_EQ(openInteriorEdges(board), 20 * 20 - 1);
            EXPECT_EQ(reachableCount(board, {0, 0}), 400);
            return true;
        }, &routes);
        EXPECT_EQ(done, 30);
    }
    EXPECT_EQ(series[0], series[1]) << "the same seed gives the same book";
    const std::size_t pathStart = 32 + 21 * 20 + 20 * 21;
    std::set<Bytes> paths;
    for (const Bytes& maze : series[0])
        paths.insert(Bytes(maze.begin() + static_cast<long>(pathStart), maze.end()));
    EXPECT_EQ(paths.size(), 30u) << "thirty different routes";

    // A route that cannot be had stops the series before its maze.
    RandomSource own;
    MazeBoard board(own);
    BatchRoutes toCentre;
    toCentre.settings.to.side = RouteSide::Centre;
    EXPECT_EQ(makeMazeBatch(board, {5, MazeStyle::Standard, 1u}, [](int) { return true; }, &toCentre), 0);
    EXPECT_EQ(toCentre.made.problem, RouteProblem::NoOpening);
}

TEST(BatchTest, NumberedFileNames)
{
    const struct {
        const char* out;
        int index, count;
        bool answer;
        const char* expected;
    } table[] = {
        {"out/book.svg", 1, 3, false, "out/book-001.svg"},
        {"out/book.svg", 3, 3, true, "out/book-003-answer.svg"},
        {"book.maz", 12, 1000, false, "book-0012.maz"},
        {"a.b/book", 7, 100, true, "a.b/book-007-answer"},
        {"迷路.png", 100, 100, false, "迷路-100.png"},
        {"out/book.svg", 0, 1, true, "out/book-answer.svg"},
        {"out/book.svg", 0, 1, false, "out/book.svg"},
    };
    for (const auto& row : table)
        EXPECT_EQ(batchFileName(std::filesystem::u8path(row.out), row.index, row.count, row.answer),
                  std::filesystem::u8path(row.expected))
            << row.out;
}

} // namespace
