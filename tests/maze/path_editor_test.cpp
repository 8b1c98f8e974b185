// The path drawing rules without a window, and the record of an edit that
// takes it back and does it again exactly.

#include "board_edit.h"
#include "maze_board.h"
#include "maze_random.h"
#include "path_editor.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace testing_support;
using Outcome = PathEditor::Outcome;
using Place = PathEditor::Place;

namespace {

int directionOf(char key)
{
    switch (key) {
    case 'D': return 0;
    case 'U': return 1;
    case 'L': return 2;
    default: return 3;
    }
}

struct PathEditorTest : ::testing::Test {
    RandomSource random;
    MazeBoard board{random};
    PathEditor editor{board};

    void newBoard(int w, int h)
    {
        ASSERT_TRUE(board.resize(w, h));
    }
    Outcome keys(const std::string& sequence)
    {
        Outcome last = Outcome::Refused;
        for (const char key : sequence)
            last = editor.step(directionOf(key)).outcome;
        return last;
    }
    PathEditor::Cell head() const { return editor.head(); }
};

TEST_F(PathEditorTest, WorkedThreeByTwoPathAndStepBack)
{
    newBoard(3, 2);
    EXPECT_EQ(keys("RRDR"), Outcome::Stepped);
    EXPECT_EQ(keys("R"), Outcome::Completed);
    EXPECT_EQ(head(), (PathEditor::Cell{3, 1}));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x <= 3; ++x) {
            const bool set = (x == 0 && y == 0) || (x == 1 && y == 0) || (x == 2 && y == 1) || (x == 3 && y == 1);
            EXPECT_EQ(board.getPathV(x, y), set ? 1 : 0) << x << "," << y;
        }
    for (int y = 0; y <= 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(board.getPathH(x, y), (x == 1 && y == 1) ? 1 : 0) << x << "," << y;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const bool visited = (x == 0 && y == 0) || (x == 1 && y == 0) || (x == 1 && y == 1) || (x == 2 && y == 1);
            EXPECT_EQ(board.getPathCell(x, y), visited ? 1 : 0) << x << "," << y;
        }

    // From a complete path no forward step passes; left goes back.
    for (const char key : {'R', 'U', 'D'})
        EXPECT_EQ(editor.check(directionOf(key)), PathEditor::Move::Refused);
    EXPECT_EQ(keys("RUD"), Outcome::Refused);
    EXPECT_EQ(head(), (PathEditor::Cell{3, 1}));
    EXPECT_EQ(editor.check(2), PathEditor::Move::Back);
    EXPECT_EQ(keys("L"), Outcome::TookBack);
    EXPECT_EQ(board.getPathV(3, 1), 0);
    EXPECT_EQ(board.getPathCell(2, 1), 0);
    EXPECT_EQ(head(), (PathEditor::Cell{2, 1}));

    // All the way back to the start: an empty path again.
    EXPECT_EQ(keys("LULL"), Outcome::TookBack);
    EXPECT_EQ(head(), (PathEditor::Cell{-1, 0}));
    EXPECT_FALSE(editor.hasSteps());
    for (int x = 0; x <= 3; ++x)
        EXPECT_EQ(board.getPathV(x, 0), 0);
    EXPECT_EQ(board.getPathH(1, 1), 0);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(board.getPathCell(x, 0) | board.getPathCell(x, 1), 0);
}

TEST_F(PathEditorTest, RingRuleAtCornersAndAtStartUp)
{
    // At start-up the head stands on (-1, 0): only right leads in.
    EXPECT_EQ(keys("LUD"), Outcome::Refused);
    EXPECT_EQ(head(), (PathEditor::Cell{-1, 0}));
    EXPECT_EQ(keys("R"), Outcome::Stepped);
    EXPECT_EQ(board.getPathV(0, 0), 1);

    // From each ring cell only the step straight into the grid passes; from
    // a corner none. Then a step back onto the start empties the path.
    newBoard(6, 4);
    const struct {
        PathEditor::Cell start;
        const char* refused;
        char in;
        char back;
    } table[] = {
        {{6, -1}, "LRUD", 0, 0}, {{-1, -1}, "LRUD", 0, 0}, {{-1, 4}, "LRUD", 0, 0}, {{6, 4}, "LRUD", 0, 0},
        {{3, 4}, "DLR", 'U', 'D'}, {{3, -1}, "ULR", 'D', 'U'}, {{6, 2}, "RUD", 'L', 'R'},
        {{-1, 2}, "LUD", 'R', 'L'},
    };
    for (const auto& row : table) {
        editor.chooseStart(row.start);
        EXPECT_EQ(keys(row.refused), Outcome::Refused) << row.start.x << "," << row.start.y;
        EXPECT_EQ(head(), row.start);
        if (!row.in)
            continue;
        EXPECT_EQ(keys(std::string(1, row.in)), Outcome::Stepped);
        EXPECT_TRUE(editor.hasSteps());
        EXPECT_EQ(keys(std::string(1, row.back)), Outcome::TookBack);
        EXPECT_EQ(head(), row.start);
        EXPECT_EQ(board.toFileBytes(), [&] {
            MazeBoard empty(random);
            EXPECT_TRUE(empty.resize(6, 4));
            empty.startX = empty.curX = row.start.x;
            empty.startY = empty.curY = row.start.y;
            return empty.toFileBytes();
        }());
    }

    // A path may end on the ring cell next to its start.
    editor.chooseStart({-1, 1});
    EXPECT_EQ(keys("RD"), Outcome::Stepped);
    EXPECT_EQ(keys("L"), Outcome::Completed);
    EXPECT_EQ(head(), (PathEditor::Cell{-1, 2}));
    // Entering a cell twice is refused; turning back beside itself is not.
    editor.chooseStart({-1, 0});
    EXPECT_EQ(keys("RRRDLL"), Outcome::Stepped);
    EXPECT_EQ(keys("U"), Outcome::Refused);
    EXPECT_EQ(head(), (PathEditor::Cell{0, 1}));
    EXPECT_EQ(board.getPathH(0, 1), 0);
    EXPECT_EQ(board.getPathH(2, 1), 1);
}

TEST_F(PathEditorTest, PressPlaces)
{
    newBoard(8, 6); // cell size 10: the ring is pixels 0..9 and 90..99 across
    const struct {
        int x, y;
        PathEditor::Cell cell;
        Place place;
    } table[] = {
        {0, 0, {-1, -1}, Place::Corner},   {9, 9, {-1, -1}, Place::Corner},   {10, 25, {0, 1}, Place::Grid},
        {9, 25, {-1, 1}, Place::Ring},     {89, 69, {7, 5}, Place::Grid},     {90, 69, {8, 5}, Place::Ring},
        {99, 79, {8, 6}, Place::Ring},     {100, 10, {9, 0}, Place::Beyond},  {50, 80, {4, 7}, Place::Beyond},
        {-30, 40, {-1, 3}, Place::Ring},   {45, 5, {3, -1}, Place::Ring},
    };
    for (const auto& row : table) {
        EXPECT_EQ(editor.cellAt(row.x, row.y), row.cell) << row.x << "," << row.y;
        EXPECT_EQ(editor.placeOf(row.cell), row.place) << row.x << "," << row.y;
    }
    board.setGridSize(3);
    EXPECT_EQ(editor.cellAt(3, 3), (PathEditor::Cell{0, 0}));
    EXPECT_EQ(editor.cellAt(2, 3), (PathEditor::Cell{-1, 0}));
}

// The cells a fast move passed over: 4-connected, as many steps as the
// distance, never leaving the box between the two cells nor straying from
// the straight line by a cell or more, and held within the ring.
TEST_F(PathEditorTest, FastMovesAreFilledWithTheNearestFourConnectedLine)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> column(-5, 35), row(-5, 25);
    for (int trial = 0; trial < 400; ++trial) {
        newBoard(30, 20);
        // A head in the grid, on an empty path: only the ring can refuse.
        board.startX = board.curX = std::uniform_int_distribution<int>(0, 29)(rng);
        board.startY = board.curY = std::uniform_int_distribution<int>(0, 19)(rng);
        const PathEditor::Cell from = head();
        const PathEditor::Cell wanted{column(rng), row(rng)};
        const PathEditor::Cell to{std::clamp(wanted.x, -1, 30), std::clamp(wanted.y, -1, 20)};
        int steps = 0;
        for (int d = editor.nextToward(from, wanted); d >= 0; d = editor.nextToward(from, wanted), ++steps) {
            if (editor.step(d).outcome == Outcome::Refused)
                break;
            const PathEditor::Cell at = head();
            ASSERT_GE(at.x, std::min(from.x, to.x));
            ASSERT_LE(at.x, std::max(from.x, to.x));
            ASSERT_GE(at.y, std::min(from.y, to.y));
            ASSERT_LE(at.y, std::max(from.y, to.y));
            // Distance of the cell centre from the line, in cells.
            const double dx = to.x - from.x, dy = to.y - from.y;
            const double cross = std::abs((at.x - from.x) * dy - (at.y - from.y) * dx);
            ASSERT_LT(cross / std::hypot(dx, dy), 1.0);
        }
        // Only a move out onto the ring and along it stops short.
        if (!(head() == to)) {
            ASSERT_TRUE(editor.onRing(head()));
            ASSERT_TRUE(editor.onRing(to));
        } else {
            ASSERT_EQ(steps, std::abs(to.x - from.x) + std::abs(to.y - from.y));
        }
    }
    // Straight runs; and from a ring start the line into the grid is taken
    // even where it would first run along the ring.
    editor.chooseStart({-1, 3});
    EXPECT_EQ(editor.nextToward({-1, 3}, {-1, 3}), -1);
    EXPECT_EQ(editor.nextToward({-1, 3}, {-1, 12}), 0); // along the ring: refused when stepped
    EXPECT_EQ(editor.nextToward({-1, 3}, {1, 12}), 3);
    EXPECT_EQ(editor.nextToward({-1, 3}, {5, 3}), 3);
}

// Random edits of every kind on random boards, each recorded: undoing them
// all gives back the first board byte for byte, redoing them all the last,
// and redoing a new maze brings it back without drawing a random value.
TEST(BoardEditTest, UndoAllAndRedoAllAreExact)
{
    std::mt19937 rng(2024);
    for (int round = 0; round < 12; ++round) {
        RandomSource random;
        MazeBoard board(random);
        ASSERT_TRUE(board.resize(std::uniform_int_distribution<int>(1, 14)(rng),
                                 std::uniform_int_distribution<int>(1, 14)(rng)));
        const int W = board.getWidth();
        const int H = board.getHeight();
        // A drawn and made maze with odd path bytes, as a file may hold them.
        drawRandomPath(board, rng);
        board.makeMaze();
        board.setPathV(0, 0, 7);
        const BoardSnapshot first(board);

        std::vector<BoardEdit> edits;
        for (int action = 0; action < 40; ++action) {
            BoardEdit edit(board);
            PathEditor editor(board, &edit);
            switch (std::uniform_int_distribution<int>(0, 9)(rng)) {
            case 0: { // a start on a random ring cell
                const int x = std::uniform_int_distribution<int>(-1, W)(rng);
                const bool side = x == -1 || x == W;
                const int y = side ? std::uniform_int_distribution<int>(-1, H)(rng)
                                   : (rng() % 2 ? -1 : H);
                editor.chooseStart({x, y});
                break;
            }
            case 1: editor.clearPath(); break;
            case 2:
                edit.keepMaze(board);
                board.makeMaze();
                break;
            case 3: // a drag to and fro: many steps, some over the same edge, in one edit
                for (int move = 0; move < 4; ++move) {
                    const PathEditor::Cell from = editor.head();
                    const PathEditor::Cell to{std::uniform_int_distribution<int>(-1, W)(rng),
                                              std::uniform_int_distribution<int>(-1, H)(rng)};
                    for (int d = editor.nextToward(from, to); d >= 0; d = editor.nextToward(from, to))
                        if (editor.step(d).outcome == Outcome::Refused)
                            break;
                }
                break;
            default: editor.step(std::uniform_int_distribution<int>(0, 3)(rng)); break;
            }
            edit.finish(board);
            if (!edit.changesNothing())
                edits.push_back(std::move(edit));
        }
        const BoardSnapshot last(board);
        const std::vector<std::uint8_t> lastWalls = board.mazeVArray();

        for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit)
            edit->undo(board);
        EXPECT_TRUE(BoardSnapshot(board) == first) << "round " << round;
        const std::uint64_t drawn = random.drawn();
        for (BoardEdit& edit : edits)
            edit.redo(board);
        EXPECT_TRUE(BoardSnapshot(board) == last) << "round " << round;
        EXPECT_EQ(board.mazeVArray(), lastWalls);
        EXPECT_EQ(random.drawn(), drawn);
    }
}

TEST(BoardEditTest, AStepKeepsOnlyWhatItChanged)
{
    RandomSource random;
    MazeBoard board(random);
    ASSERT_TRUE(board.resize(400, 400));
    BoardEdit edit(board);
    PathEditor editor(board, &edit);
    EXPECT_FALSE(edit.isSingleStep());
    editor.step(3); // from the ring: the cell left behind is not a grid cell
    editor.step(3);
    edit.finish(board);
    EXPECT_FALSE(edit.isSingleStep()); // two cells moved
    BoardEdit one(board);
    PathEditor(board, &one).step(0);
    one.finish(board);
    EXPECT_TRUE(one.isSingleStep());
    EXPECT_LT(one.bytes(), 200u);

    // A new maze keeps one copy of the walls; a board of another size
    // cannot take them.
    BoardEdit made(board);
    made.keepMaze(board);
    EXPECT_GE(made.bytes(), 2u * 401 * 400);
    EXPECT_LT(made.bytes(), 2u * 401 * 400 + 200);
    std::vector<std::uint8_t> v(3), h(3);
    EXPECT_FALSE(board.exchangeMaze(v, h));
    EXPECT_EQ(v.size(), 3u);
    EXPECT_EQ(board.mazeVArray().size(), 401u * 400);
}

} // namespace
