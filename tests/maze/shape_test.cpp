// Mazes in a shape: the shape's regions, the ready-made shapes and those
// from pictures, every style on every shape, the path rules on a shape, the
// shape's block in the file, and the undo of a change of shape.

#include "board_edit.h"
#include "maze_board.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "path_editor.h"
#include "shape_presets.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

using namespace testing_support;
using Outcome = PathEditor::Outcome;

namespace {

// A shape drawn as rows of '#' (inside) and '.' (left out).
MazeShape shapeOf(std::initializer_list<const char*> rows)
{
    const int H = static_cast<int>(rows.size());
    const int W = static_cast<int>(std::string(*rows.begin()).size());
    std::vector<std::uint8_t> cells;
    for (const char* row : rows)
        for (const char* c = row; *c; ++c)
            cells.push_back(*c == '#');
    return MazeShape(W, H, cells);
}

int count(const std::vector<std::uint8_t>& cells)
{
    return static_cast<int>(std::count(cells.begin(), cells.end(), 1));
}

TEST(MazeShapeTest, RegionsLargestPartCutOffCellsAndHoles)
{
    const struct {
        MazeShape shape;
        int parts, largest, cutOff, holes;
        bool oneRegion;
    } table[] = {
        {MazeShape(5, 4), 1, 20, 0, 0, true},
        {shapeOf({"####", "#..#", "####"}), 1, 10, 0, 2, true},
        // Touching by a corner only is two parts; the first of equal parts is kept.
        {shapeOf({"##..", "##..", "..##", "..##"}), 2, 4, 4, 0, false},
        {shapeOf({"###.#", "#.#..", "###.#"}), 3, 8, 2, 1, false},
        // A left-out cell on the border leads out to the ring: no hole.
        {shapeOf({"#.##", "#..#", "####"}), 1, 9, 0, 0, true},
        {shapeOf({"##.", "...", "..#"}), 2, 2, 1, 0, false},
        {shapeOf({"###", "..."}), 1, 3, 0, 0, false}, // too small for a maze
        {shapeOf({"...", "..."}), 0, 0, 0, 0, false},
    };
    for (const auto& row : table) {
        const MazeShape::Regions r = row.shape.regions();
        SCOPED_TRACE(testing::Message() << row.shape.width() << "x" << row.shape.height() << " parts " << r.count);
        EXPECT_EQ(r.count, row.parts);
        EXPECT_EQ(r.largest >= 0 ? r.sizes[std::size_t(r.largest)] : 0, row.largest);
        EXPECT_EQ(count(row.shape.cutOffCells()), row.cutOff);
        EXPECT_EQ(count(row.shape.holeCells()), row.holes);
        EXPECT_EQ(row.shape.isOneRegion(), row.oneRegion);
        const MazeShape kept = row.shape.largestPart();
        EXPECT_EQ(kept.insideCount(), row.largest);
        EXPECT_EQ(kept.insideCount() + row.cutOff, row.shape.insideCount());
        for (int k = 0; k < row.shape.cellCount(); ++k)
            EXPECT_EQ(r.part[std::size_t(k)] == r.largest && r.largest >= 0,
                      kept.isInside(k % kept.width(), k / kept.width()));
    }
    // Full shapes compare equal however they came about; cells off the grid are outside.
    MazeShape painted(3, 2);
    painted.setInside(1, 1, false);
    EXPECT_FALSE(painted.isFull());
    EXPECT_NE(painted, MazeShape(3, 2));
    painted.setInside(1, 1, true);
    painted.setInside(7, 0, false);
    EXPECT_EQ(painted, MazeShape(3, 2, std::vector<std::uint8_t>(6, 5)));
    EXPECT_EQ(painted.cellData(), nullptr);
    EXPECT_FALSE(painted.isInside(-1, 0));
    EXPECT_FALSE(painted.isInside(3, 0));
    EXPECT_THROW(MazeShape(3, 2, std::vector<std::uint8_t>(5, 1)), std::invalid_argument);
    // The centre room: half the spare cells before it, rounded down.
    MazeShape room(7, 6);
    room.leaveOutCentre(2);
    EXPECT_EQ(room, shapeOf({"#######", "#######", "##..###", "##..###", "#######", "#######"}));
    EXPECT_EQ(count(room.holeCells()), 4);
}

// Parts joined by the shortest bridges: the letters of a word become one
// region, keeping every cell they had; a shape of one part stays as it is.
TEST(MazeShapeTest, JoinedPartsBridgeEveryPartByTheShortestWay)
{
    const MazeShape apart = shapeOf({"##...#", "##...#", "......", "...##."});
    const MazeShape joined = apart.joinedParts();
    EXPECT_TRUE(joined.isOneRegion());
    // Three cells to the nearer of the other two parts, then two more from
    // there (or from the first bridge) to the last.
    EXPECT_EQ(joined.insideCount(), apart.insideCount() + 5);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_TRUE(!apart.isInside(x, y) || joined.isInside(x, y));
    std::mt19937 rng(5);
    for (int i = 0; i < 20; ++i) {
        MazeShape blob = randomBlob(30, 20, rng);
        for (int k = 0; k < 40; ++k) // scattered specks become parts of their own
            blob.setInside(int(rng() % 30), int(rng() % 20), true);
        EXPECT_EQ(blob.joinedParts().regions().count, 1);
        EXPECT_EQ(blob.largestPart().joinedParts(), blob.largestPart());
    }
}

TEST(MazeShapeTest, BoardTakesShapesOfItsSizeAndResizeForgetsThem)
{
    RandomSource random;
    MazeBoard board(random);
    ASSERT_TRUE(board.resize(4, 3));
    const MazeShape ring = shapeOf({"####", "#..#", "####"});
    EXPECT_FALSE(board.setShape(MazeShape(3, 4)));
    EXPECT_FALSE(board.isShaped());
    ASSERT_TRUE(board.setShape(ring));
    EXPECT_EQ(board.shape(), ring);
    EXPECT_EQ(board.insideCount(), 10);
    EXPECT_FALSE(board.isInside(1, 1));
    EXPECT_FALSE(board.isInside(-1, 0));
    ASSERT_TRUE(board.setShape(MazeShape())); // the full rectangle, of the board's size
    EXPECT_EQ(board.shape(), MazeShape(4, 3));
    ASSERT_TRUE(board.setShape(ring));
    ASSERT_TRUE(board.resize(6, 6));
    EXPECT_EQ(board.shape(), MazeShape(6, 6));
}

TEST(ShapePresetTest, PresetsAreMirroredSingleRegionsFittedToTheBoard)
{
    std::string names;
    for (const ShapePreset preset : AllShapePresets) {
        names += std::string(presetName(preset)) + " ";
        EXPECT_EQ(presetFromName(presetName(preset)), preset);
        for (const auto& [W, H] : {std::pair{5, 5}, {6, 9}, {12, 7}, {40, 40}, {100, 60}, {33, 100}, {400, 400}}) {
            SCOPED_TRACE(testing::Message() << presetName(preset) << " " << W << "x" << H);
            const MazeShape shape = presetShape(preset, W, H);
            ASSERT_EQ(shape.width(), W);
            ASSERT_EQ(shape.height(), H);
            EXPECT_TRUE(shape.isOneRegion());
            EXPECT_FALSE(shape.isFull());
            int left = W, right = -1, top = H, bottom = -1;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    ASSERT_EQ(shape.isInside(x, y), shape.isInside(W - 1 - x, y)) << x << "," << y;
                    if (shape.isInside(x, y))
                        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                        bottom = std::max(bottom, y);
                }
            // It fills the board: no more than two cells short of a side
            // (the thin points of a star, the tip of a heart).
            for (const int margin : {left, W - 1 - right, top, H - 1 - bottom})
                EXPECT_LE(margin, 2);
            // A room in the middle is a hole, the rest stays one region
            // (on a 5 x 5 board a room cuts the star and the triangle).
            const int n = std::min(W, H) / 5;
            if (std::min(W, H) < 6)
                continue;
            const MazeShape withRoom = presetShape(preset, W, H, n);
            EXPECT_EQ(withRoom.insideCount(), shape.insideCount() - n * n);
            EXPECT_EQ(count(withRoom.holeCells()), n * n);
            EXPECT_TRUE(withRoom.isOneRegion());
        }
    }
    EXPECT_EQ(names, "circle heart star diamond triangle rounded ");
    for (const char* bad : {"", "Circle", "hearts", "circle "})
        EXPECT_FALSE(presetFromName(bad).has_value()) << bad;
    // A board too small for the figure, or a room too large for it.
    EXPECT_FALSE(presetShape(ShapePreset::Star, 2, 2).isOneRegion());
    EXPECT_FALSE(presetShape(ShapePreset::Circle, 9, 9, 9).isOneRegion());
}

TEST(ShapePresetTest, CellInkFromGreyAndAlphaPictures)
{
    // A 6 x 4 picture over a 3 x 2 board: each cell the mean of its 2 x 2 pixels.
    const std::uint8_t grey[] = {
        0,   0,   255, 255, 100, 50,  //
        0,   0,   255, 255, 10,  40,  //
        200, 201, 0,   255, 0,   0,   //
        200, 201, 255, 0,   0,   1,   //
    };
    const ShapeRaster picture{6, 4, grey, 6, ShapeRaster::Values::Grey};
    EXPECT_EQ(cellInk(picture, 3, 2), (std::vector<std::uint8_t>{255, 0, 205, 54, 127, 254}));
    ShapeRaster alpha = picture;
    alpha.values = ShapeRaster::Values::Alpha;
    EXPECT_EQ(cellInk(alpha, 3, 2), (std::vector<std::uint8_t>{0, 255, 50, 200, 127, 0}));
    // A stride wider than the row; a board finer than the picture takes
    // the pixel each cell lies in.
    const std::uint8_t wide[] = {0, 255, 77, 255, 0, 77};
    EXPECT_EQ(cellInk({2, 2, wide, 3, ShapeRaster::Values::Grey}, 4, 3),
              (std::vector<std::uint8_t>{255, 255, 0, 0, 255, 255, 0, 0, 0, 0, 255, 255}));
    EXPECT_EQ(cellInk({0, 0, nullptr, 0, ShapeRaster::Values::Grey}, 2, 1), (std::vector<std::uint8_t>{0, 0}));

    const std::vector<std::uint8_t> ink{255, 0, 205, 54, 127, 128};
    EXPECT_EQ(shapeFromInk(ink, 3, 2, 128, false), shapeOf({"#.#", "..#"}));
    EXPECT_EQ(shapeFromInk(ink, 3, 2, 128, true), shapeOf({".#.", "##."}));
    EXPECT_EQ(shapeFromInk(ink, 3, 2, 0, false), MazeShape(3, 2));
    EXPECT_EQ(shapeFromInk(ink, 2, 2, 128, false), MazeShape(2, 2));
}

// The shape's side of the promises, on the maze as made: every crossing of
// the path open, the edge of the shape open only at its two crossings, no
// wall of a cell left out opened but by the path, one tree over the cells of
// the shape, and the drawn path its only route between its two openings.
void expectPerfectOnShape(const MazeBoard& b, const std::vector<Cell>& path)
{
    const int W = b.getWidth(), H = b.getHeight();
    int treeEdges = 0, crossings = 0;
    auto edge = [&](std::uint8_t maze, std::uint8_t drawn, Cell a, Cell c) {
        ASSERT_LE(maze, 1);
        const int in = b.isInside(a.x, a.y) + b.isInside(c.x, c.y);
        if (drawn) {
            ASSERT_EQ(maze, 1);
        }
        if (maze == 1 && in < 2) {
            ASSERT_NE(drawn, 0) << "opened beside a cell left out: " << a.x << "," << a.y << " " << c.x << "," << c.y;
        }
        treeEdges += maze == 1 && in == 2;
        crossings += maze == 1 && in == 1;
    };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x <= W; ++x)
            edge(b.getMazeV(x, y), b.getPathV(x, y), {x - 1, y}, {x, y});
    for (int y = 0; y <= H; ++y)
        for (int x = 0; x < W; ++x)
            edge(b.getMazeH(x, y), b.getPathH(x, y), {x, y - 1}, {x, y});
    ASSERT_EQ(crossings, path.empty() ? 0 : 2);
    ASSERT_EQ(treeEdges, b.insideCount() - 1);
    Cell first{};
    for (int k = 0; k < W * H; ++k)
        if (b.isInside(k % W, k / W)) {
            first = {k % W, k / W};
            break;
        }
    ASSERT_EQ(reachableCount(b, first), b.insideCount());
    if (path.empty())
        return;
    const std::vector<Cell> inner(path.begin() + 1, path.end() - 1);
    ASSERT_EQ(route(b, inner.front(), inner.back()), inner);
    // The figures count the cells of the shape only.
    const MazeStats stats = measureMaze(b);
    ASSERT_EQ(stats.answerLength, static_cast<int>(inner.size()));
    int deadEnds = 0;
    for (int k = 0; k < W * H; ++k) {
        const Cell c{k % W, k / W};
        if (b.isInside(c.x, c.y))
            deadEnds += openNeighbours(b, c).size() + (c == inner.front()) + (c == inner.back()) == 1;
    }
    ASSERT_EQ(stats.deadEnds, deadEnds);
}

TEST(ShapeMazeTest, EveryStyleMakesAPerfectMazeOnEveryShape)
{
    std::mt19937 rng(2503);
    RandomSource random;
    MazeBoard board(random);
    std::vector<MazeShape> shapes;
    for (const auto& [W, H] : {std::pair{3, 3}, {4, 7}, {9, 9}, {16, 11}, {30, 30}, {57, 43}})
        for (int i = 0; i < 5; ++i)
            shapes.push_back(randomBlob(W, H, rng));
    for (const ShapePreset preset : AllShapePresets)
        for (const auto& [W, H, room] : {std::tuple{7, 7, 0}, {24, 18, 4}, {45, 45, 7}})
            shapes.push_back(presetShape(preset, W, H, room));
    int mazes = 0, leftOutStarts = 0;
    for (const MazeShape& shape : shapes) {
        ASSERT_TRUE(shape.isOneRegion());
        for (const MazeStyle style : AllMazeStyles) {
            board.setStyle(style);
            for (int round = 0; round < 3; ++round, ++mazes) {
                SCOPED_TRACE(testing::Message() << styleName(style) << " " << shape.width() << "x" << shape.height()
                                                << " with " << shape.insideCount() << " cells, round " << round);
                ASSERT_TRUE(board.resize(shape.width(), shape.height()));
                ASSERT_TRUE(board.setShape(shape));
                // No path at all on the last round: a closed edge round one tree.
                const std::vector<Cell> path = round < 2 ? drawRandomShapePath(board, rng) : std::vector<Cell>{};
                leftOutStarts += !path.empty() && !PathEditor(board).onRing({path.front().x, path.front().y});
                board.makeMaze();
                expectPerfectOnShape(board, path);
            }
        }
    }
    EXPECT_GE(mazes, 500);
    EXPECT_GT(leftOutStarts, 30);
}

struct ShapePathTest : ::testing::Test {
    RandomSource random;
    MazeBoard board{random};
    PathEditor editor{board};

    // A 7 x 5 board whose middle cell is a room, and a left-out corner.
    void SetUp() override
    {
        ASSERT_TRUE(board.resize(7, 5));
        ASSERT_TRUE(board.setShape(shapeOf({"######.", "#######", "###.###", "#######", "#######"})));
    }
    Outcome keys(const std::string& sequence)
    {
        Outcome last = Outcome::Refused;
        for (const char key : sequence)
            last = editor.step(key == 'D' ? 0 : key == 'U' ? 1 : key == 'L' ? 2 : 3).outcome;
        return last;
    }
};

TEST_F(ShapePathTest, StartInTheRoomFinishOnTheRing)
{
    using Place = PathEditor::Place;
    EXPECT_EQ(editor.placeOf({3, 2}), Place::Ring);
    EXPECT_EQ(editor.placeOf({6, 0}), Place::Ring);   // the left-out corner borders the maze
    EXPECT_EQ(editor.placeOf({7, 0}), Place::Corner); // the ring beside it does not
    EXPECT_EQ(editor.placeOf({3, 3}), Place::Grid);
    editor.chooseStart({3, 2});
    EXPECT_EQ(keys("D"), Outcome::Stepped);
    EXPECT_EQ(board.getPathCell(3, 2), 0) << "a start left out is never marked";
    // Back into the room by another side is refused; so is a step along the ring.
    EXPECT_EQ(keys("RUU"), Outcome::Stepped);
    EXPECT_EQ(editor.head(), (PathEditor::Cell{4, 1}));
    EXPECT_EQ(keys("L"), Outcome::Stepped);
    EXPECT_EQ(keys("D"), Outcome::Refused);
    EXPECT_EQ(keys("URR"), Outcome::Stepped);
    EXPECT_EQ(keys("R"), Outcome::Completed) << "into the left-out corner";
    EXPECT_EQ(editor.head(), (PathEditor::Cell{6, 0}));
    EXPECT_EQ(keys("RUD"), Outcome::Refused);
    EXPECT_EQ(keys("L"), Outcome::TookBack);
    EXPECT_EQ(keys("U"), Outcome::Completed) << "onto the ring";
    EXPECT_EQ(editor.head(), (PathEditor::Cell{5, -1}));
    EXPECT_EQ(keys("LRU"), Outcome::Refused);

    // Ending in the room: from there only the step back passes, though the
    // room has other sides on the maze.
    editor.chooseStart({-1, 2});
    EXPECT_EQ(keys("RRRR"), Outcome::Completed);
    EXPECT_EQ(editor.head(), (PathEditor::Cell{3, 2}));
    EXPECT_EQ(keys("UDR"), Outcome::Refused);
    EXPECT_EQ(keys("L"), Outcome::TookBack);
    board.makeMaze();
    EXPECT_EQ(keys("R"), Outcome::Completed);
    board.makeMaze();
    expectPerfectOnShape(board, {{-1, 2}, {0, 2}, {1, 2}, {2, 2}, {3, 2}});
}

TEST_F(ShapePathTest, ShapesThatWouldCutThePathAndTheirUndo)
{
    editor.chooseStart({3, 2});
    ASSERT_EQ(keys("DRR"), Outcome::Stepped);
    // Leaving out a cell the path uses, or filling in its start, breaks it.
    const struct {
        int x, y;
        bool touches;
    } cells[] = {{3, 2, true}, {3, 3, true}, {4, 3, true}, {5, 3, true}, {6, 3, false}, {6, 0, false}, {0, 0, false}};
    for (const auto& c : cells) {
        EXPECT_EQ(editor.touchesPath({c.x, c.y}), c.touches) << c.x << "," << c.y;
        MazeShape changed = board.shape();
        changed.setInside(c.x, c.y, !changed.isInside(c.x, c.y));
        EXPECT_EQ(editor.fitsShape(changed), !c.touches) << c.x << "," << c.y;
    }
    EXPECT_FALSE(editor.fitsShape(MazeShape(3, 3)));
    EXPECT_FALSE(editor.fitsShape(MazeShape())) << "the full rectangle fills in the room";

    // Making room erases the path, and moves a start that would be inside;
    // each change of shape is one edit that undo takes back exactly.
    const BoardSnapshot before(board);
    const MazeShape beforeShape = board.shape();
    BoardEdit edit(board);
    PathEditor recorded(board, &edit);
    recorded.makeRoomFor(MazeShape());
    EXPECT_TRUE(recorded.fitsShape(MazeShape()));
    EXPECT_EQ(editor.head(), (PathEditor::Cell{-1, 0}));
    edit.keepShape(board);
    ASSERT_TRUE(board.setShape(MazeShape()));
    edit.finish(board);
    EXPECT_TRUE(edit.keepsShape());
    edit.undo(board);
    EXPECT_EQ(board.shape(), beforeShape);
    EXPECT_TRUE(BoardSnapshot(board) == before);
    edit.redo(board);
    EXPECT_FALSE(board.isShaped());
    EXPECT_FALSE(editor.hasSteps());

    // A stroke that leaves the shape as it was is no edit at all.
    BoardEdit stroke(board);
    stroke.keepShape(board);
    MazeShape painted = board.shape();
    painted.setInside(2, 2, false);
    ASSERT_TRUE(board.setShape(painted));
    ASSERT_TRUE(board.setShape(MazeShape()));
    stroke.finish(board);
    EXPECT_TRUE(stroke.changesNothing());
}

struct ShapeFileTest : ::testing::Test {
    RandomSource random;
    MazeBoard board{random};

    static bool read(MazeBoard& into, const Bytes& bytes)
    {
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        return into.readFrom(in);
    }
};

TEST_F(ShapeFileTest, ShapedMazesRoundTripAndUnshapedOnesAreWrittenAsBefore)
{
    std::mt19937 rng(41);
    for (const auto& [W, H] : {std::pair{5, 5}, {9, 4}, {16, 16}, {31, 20}}) {
        ASSERT_TRUE(board.resize(W, H));
        const std::size_t plain = 32 + 2 * std::size_t(2 * W * H + W + H);
        // Unshaped, also after a shape was set and taken off again: as before.
        ASSERT_TRUE(board.setShape(presetShape(ShapePreset::Heart, W, H)));
        ASSERT_TRUE(board.setShape(MazeShape()));
        drawRandomShapePath(board, rng);
        board.makeMaze();
        EXPECT_EQ(board.toFileBytes().size(), plain);

        ASSERT_TRUE(board.setShape(randomBlob(W, H, rng)));
        drawRandomShapePath(board, rng);
        board.makeMaze();
        const Bytes bytes = board.toFileBytes();
        const std::size_t bits = std::size_t(W * H + 7) / 8;
        ASSERT_EQ(bytes.size(), plain + 16 + bits);
        EXPECT_EQ(std::string(bytes.begin() + long(plain), bytes.begin() + long(plain) + 4), "SHPE");
        MazeBoard loaded(random);
        ASSERT_TRUE(read(loaded, bytes));
        EXPECT_EQ(loaded.shape(), board.shape());
        EXPECT_EQ(loaded.mazeVArray(), board.mazeVArray());
        EXPECT_EQ(loaded.toFileBytes().size(), bytes.size());
        // Readers that stop at pathH see the maze with the same walls.
        MazeBoard older(random);
        ASSERT_TRUE(read(older, Bytes(bytes.begin(), bytes.begin() + long(plain))));
        EXPECT_EQ(older.mazeHArray(), board.mazeHArray());
        EXPECT_FALSE(older.isShaped());
    }
}

TEST_F(ShapeFileTest, DamagedBlocksAreRefusedOtherTrailingBytesIgnored)
{
    ASSERT_TRUE(board.resize(9, 6)); // 54 cells: 7 bytes of bits, the last with 2 spare bits
    ASSERT_TRUE(board.setShape(presetShape(ShapePreset::Circle, 9, 6)));
    board.makeMaze();
    const Bytes good = board.toFileBytes();
    const std::size_t block = good.size() - 23;
    // The checksum of a block changed in place, so that only the change is wrong.
    auto resealed = [&](Bytes b) {
        std::uint32_t c = 0xFFFFFFFFu;
        for (std::size_t i = block; i < block + 19; ++i) {
            c ^= b[i];
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        c ^= 0xFFFFFFFFu;
        for (int k = 0; k < 4; ++k)
            b[block + 19 + std::size_t(k)] = std::uint8_t(c >> (8 * k));
        return b;
    };
    ASSERT_EQ(resealed(good), good);
    auto with = [&](std::size_t at, std::uint8_t value, bool reseal) {
        Bytes b = good;
        b[at] = value;
        return reseal ? resealed(b) : b;
    };
    RandomSource otherRandom;
    const struct {
        const char* what;
        Bytes bytes;
    } refused[] = {
        {"version 2", with(block + 4, 2, true)},
        {"length 6", with(block + 8, 6, true)},
        {"length 0xFF000007", with(block + 11, 0xFF, true)},
        {"a cell's bit", with(block + 14, good[block + 14] ^ 4, false)},
        {"the checksum", with(block + 20, good[block + 20] ^ 1, false)},
        {"a spare bit", with(block + 18, good[block + 18] | 0x80, true)},
        {"no cell inside", resealed([&] {
             Bytes b = good;
             std::fill(b.begin() + long(block + 12), b.begin() + long(block + 19), 0);
             return b;
         }())},
        {"two parts", [&] {
             MazeBoard split(otherRandom);
             EXPECT_TRUE(split.resize(9, 6));
             MazeShape halves = board.shape();
             for (int x = 0; x < 9; ++x)
                 halves.setInside(x, 3, false);
             EXPECT_TRUE(split.setShape(halves));
             return split.toFileBytes();
         }()},
        {"cut after the tag", Bytes(good.begin(), good.begin() + long(block + 4))},
        {"cut in the bits", Bytes(good.begin(), good.begin() + long(block + 15))},
        {"cut in the checksum", Bytes(good.begin(), good.end() - 1)},
    };
    MazeBoard other(otherRandom);
    ASSERT_TRUE(other.resize(12, 8));
    const BoardSnapshot untouched(other);
    for (const auto& row : refused) {
        EXPECT_FALSE(read(other, row.bytes)) << row.what;
        EXPECT_TRUE(BoardSnapshot(other) == untouched) << row.what;
    }
    // What does not begin with the tag is ignored, as before shapes; so is
    // anything after a whole block.
    const Bytes plain(good.begin(), good.begin() + long(block));
    for (const std::string& tail : {std::string(), std::string("S"), std::string("SHP"), std::string("shpe"),
                                   std::string("SHPF1234"), std::string(40, '\0')}) {
        Bytes b = plain;
        b.insert(b.end(), tail.begin(), tail.end());
        ASSERT_TRUE(read(other, b)) << tail;
        EXPECT_FALSE(other.isShaped()) << tail;
    }
    Bytes more = good;
    more.insert(more.end(), {'S', 'H', 'P', 'E', 9});
    ASSERT_TRUE(read(other, more));
    EXPECT_EQ(other.shape(), board.shape());
}

} // namespace
