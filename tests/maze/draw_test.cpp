// Drawing part of the picture: every pixel inside the area is what drawing
// the whole picture gives, on boards of every shape and cell size.

#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <tuple>

using namespace testing_support;

namespace {

// A plain raster of colours with the canvas's pixel rules, cut to `clip`.
// Only what the board draws is needed: filled rectangles, horizontal and
// vertical lines, and discs.
class RasterCanvas : public MazeCanvas {
public:
    RasterCanvas(int width, int height, MazeColor background, PixelRect clip)
        : width_(width)
        , height_(height)
        , clip_(clip)
        , pixels_(std::size_t(width) * std::size_t(height), background)
    {
    }

    MazeColor at(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
    int strokes = 0; // rectangles, lines and ellipses asked for

    void setBrushColor(MazeColor color) override { brush_ = color; }
    void setPenColor(MazeColor color) override { pen_ = color; }
    void fillRect(int left, int top, int right, int bottom) override
    {
        ++strokes;
        fill(left, top, right, bottom, brush_);
    }
    void moveTo(int x, int y) override
    {
        x_ = x;
        y_ = y;
    }
    void lineTo(int x, int y) override
    {
        ++strokes;
        if (y == y_)
            fill(std::min(x_, x + 1), y, std::max(x_ + 1, x), y + 1, pen_);
        else if (x == x_)
            fill(x, std::min(y_, y + 1), x + 1, std::max(y_ + 1, y), pen_);
        else
            ADD_FAILURE() << "the board draws only horizontal and vertical lines";
        x_ = x;
        y_ = y;
    }
    void ellipse(int left, int top, int right, int bottom) override
    {
        ++strokes;
        const double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
        const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const double dx = (x - cx) / rx, dy = (y - cy) / ry;
                if (dx * dx + dy * dy <= 1.0)
                    fill(x, y, x + 1, y + 1, brush_);
            }
    }

private:
    void fill(int left, int top, int right, int bottom, MazeColor colour)
    {
        left = std::max({left, clip_.left, 0});
        top = std::max({top, clip_.top, 0});
        right = std::min({right, clip_.right, width_});
        bottom = std::min({bottom, clip_.bottom, height_});
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = colour;
    }

    int width_, height_;
    PixelRect clip_;
    std::vector<MazeColor> pixels_;
    MazeColor brush_ = 0, pen_ = 0;
    int x_ = 0, y_ = 0;
};

enum class View { Maze, Editing };

void draw(const MazeBoard& b, View view, MazeCanvas& canvas, const PixelRect* area)
{
    if (view == View::Maze) {
        area ? b.drawMaze(canvas, *area) : b.drawMaze(canvas);
    } else {
        area ? b.drawGrid(canvas, *area) : b.drawGrid(canvas);
        area ? b.drawPath(canvas, *area) : b.drawPath(canvas);
    }
}

constexpr MazeColor Unpainted = 0x123456;

TEST(DrawAreaTest, AreaEqualsTheWholePictureThere)
{
    std::mt19937 rng(17);
    RandomSource random;
    MazeBoard b(random);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    int areas = 0;
    for (const auto& [W, H, g] : {std::tuple{1, 1, 1}, {1, 6, 2}, {7, 1, 3}, {5, 5, 3}, {12, 9, 4}, {9, 14, 5},
             {20, 20, 10}, {6, 4, 20}, {3, 2, 100}, {30, 25, 1}}) {
        ASSERT_TRUE(b.resize(W, H));
        b.setGridSize(g);
        if (g < MazeBoard::MinGridSize || g > MazeBoard::MaxGridSize) {
            // Cell sizes outside the zoom range come from files.
            auto bytes = b.toFileBytes();
            for (int k = 0; k < 4; ++k)
                bytes[std::size_t(28 + k)] = std::uint8_t(unsigned(g) >> (8 * k));
            std::string text(bytes.begin(), bytes.end());
            std::istringstream in(text);
            ASSERT_TRUE(b.readFrom(in));
        }
        for (int round = 0; round < 6; ++round) {
            drawRandomPath(b, rng);
            b.makeMaze();
            // A head part way along, a few odd bytes that still count as
            // walls and crossings, and either setting of both view flags.
            b.curX = pick(-1, W);
            b.curY = pick(-1, H);
            b.setMazeV(pick(0, W), pick(0, H - 1), 2);
            b.setPathH(pick(0, W - 1), pick(0, H), 3);
            b.showAnswer = round % 2 == 0;
            b.transparentMode = round % 3 == 0;
            int w = 0, h = 0;
            b.getImageSize(w, h);
            for (const View view : {View::Maze, View::Editing}) {
                RasterCanvas whole(w, h, Unpainted, b.imageRect());
                draw(b, view, whole, nullptr);
                for (int k = 0; k < 12; ++k, ++areas) {
                    // Areas anywhere, partly off the picture, down to one pixel.
                    const int left = pick(-g, w), top = pick(-g, h);
                    const PixelRect area{left, top, left + pick(1, w / 2 + 2), top + pick(1, h / 2 + 2)};
                    RasterCanvas part(w, h, Unpainted, area);
                    draw(b, view, part, &area);
                    for (int y = std::max(area.top, 0); y < std::min(area.bottom, h); ++y)
                        for (int x = std::max(area.left, 0); x < std::min(area.right, w); ++x)
                            ASSERT_EQ(part.at(x, y), whole.at(x, y))
                                << W << "x" << H << " g " << g << (view == View::Maze ? " maze" : " editing")
                                << " at " << x << "," << y << " in " << area.left << "," << area.top << " - "
                                << area.right << "," << area.bottom;
                }
            }
        }
    }
    EXPECT_GT(areas, 1000);
}

// On a shape the maze picture draws only the shape's walls and leaves the
// cells left out white; the editing view shows them grey like the ring,
// with cell lines only where a cell of the maze lies on one side. Drawing
// part of the picture still gives exactly the pixels of the whole.
TEST(DrawAreaTest, ShapedBoardsShowOnlyTheShape)
{
    std::mt19937 rng(5);
    RandomSource random;
    MazeBoard b(random);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    for (int round = 0; round < 24; ++round) {
        const int W = pick(3, 24), H = pick(3, 24), g = pick(8, 14);
        ASSERT_TRUE(b.resize(W, H));
        b.setGridSize(g);
        ASSERT_TRUE(b.setShape(randomBlob(W, H, rng)));
        const std::vector<Cell> path = drawRandomShapePath(b, rng);
        b.makeMaze();
        b.showAnswer = round % 2 == 0;
        b.transparentMode = round % 3 == 0;
        int w = 0, h = 0;
        b.getImageSize(w, h);
        for (const View view : {View::Maze, View::Editing}) {
            SCOPED_TRACE(testing::Message() << W << "x" << H << " g " << g << (view == View::Maze ? " maze" : " editing"));
            RasterCanvas whole(w, h, Unpainted, b.imageRect());
            draw(b, view, whole, nullptr);
            for (int k = 0; k < 8; ++k) {
                const int left = pick(-g, w), top = pick(-g, h);
                const PixelRect area{left, top, left + pick(1, w / 2 + 2), top + pick(1, h / 2 + 2)};
                RasterCanvas part(w, h, Unpainted, area);
                draw(b, view, part, &area);
                for (int y = std::max(area.top, 0); y < std::min(area.bottom, h); ++y)
                    for (int x = std::max(area.left, 0); x < std::min(area.right, w); ++x)
                        ASSERT_EQ(part.at(x, y), whole.at(x, y)) << "at " << x << "," << y;
            }
            // Away from the path, its markers and the answer: each left-out
            // cell's middle, and a pixel a quarter along each edge.
            auto nearPath = [&](int x, int y) {
                for (const Cell c : path)
                    if (std::abs(c.x - x) <= 1 && std::abs(c.y - y) <= 1)
                        return true;
                return (std::abs(b.curX - x) <= 1 && std::abs(b.curY - y) <= 1)
                    || (std::abs(b.startX - x) <= 1 && std::abs(b.startY - y) <= 1);
            };
            const int mx = b.getMarginX(), my = b.getMarginY();
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    if (!b.isInside(x, y) && !nearPath(x, y)) {
                        ASSERT_EQ(whole.at(mx + x * g + g / 2, my + y * g + g / 2),
                                  view == View::Maze ? BackColor : BorderColor) << x << "," << y;
                    }
            auto expectLine = [&](int px, int py, bool closed, Cell a, Cell c) {
                if (nearPath(a.x, a.y) || nearPath(c.x, c.y))
                    return;
                const bool shown = (b.isInside(a.x, a.y) || b.isInside(c.x, c.y)) && (view == View::Editing || closed);
                ASSERT_EQ(whole.at(px, py) == WallColor, shown) << a.x << "," << a.y << " - " << c.x << "," << c.y;
            };
            for (int y = 0; y < H; ++y)
                for (int x = 0; x <= W; ++x)
                    expectLine(mx + x * g, my + y * g + g / 4, b.getMazeV(x, y) != 1, {x - 1, y}, {x, y});
            for (int y = 0; y <= H; ++y)
                for (int x = 0; x < W; ++x)
                    expectLine(mx + x * g + g / 4, my + y * g, b.getMazeH(x, y) != 1, {x, y - 1}, {x, y});
        }
    }
}

// A window's worth of a large board costs about what that window shows,
// not what the whole board holds.
TEST(DrawAreaTest, SmallAreaOfALargeBoardDrawsLittle)
{
    RandomSource random;
    MazeBoard b(random);
    ASSERT_TRUE(b.resize(MazeBoard::MaxSide, MazeBoard::MaxSide));
    b.setGridSize(20);
    drawKeys(b, -1, 200, std::string(401, 'R'));
    b.makeMaze();
    const PixelRect area{4000, 3990, 4100, 4050}; // 5 x 3 cells around the path
    for (const View view : {View::Maze, View::Editing}) {
        RasterCanvas canvas(1, 1, Unpainted, area);
        draw(b, view, canvas, &area);
        // Two background fills and two markers, and the strokes of at most
        // 8 x 6 lines, columns and rows around the area.
        EXPECT_LT(canvas.strokes, 4 + 2 * 8 * 6 * 2) << (view == View::Maze ? "maze" : "editing");
        EXPECT_GT(canvas.strokes, 4);
    }
}

} // namespace
