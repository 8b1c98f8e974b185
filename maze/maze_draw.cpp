#include "maze_board.h"

#include <algorithm>

// Both pictures have the same size: the grid of W x H cells of g pixels with a
// one-cell border ring. Cell (x, y) is the square from (mx + x*g, my + y*g),
// grid line i lies at x = mx + i*g, line j at y = my + j*g.
//
// Each operation draws what lies near an area of the picture. Whatever is
// drawn for grid line or column i stays within mx + (i-1)*g <= x < mx + (i+1)*g
// (the answer fills reach one cell left of a crossing, a path segment half a
// cell), and the same holds for rows, so the lines and columns from the first
// that the area covers to one after the last are all that can touch it. All
// strokes of one colour are drawn one after another, so leaving out those
// that cannot touch the area changes no pixel inside it.

namespace {

int floorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

} // namespace

PixelRect MazeBoard::imageRect() const
{
    int w = 0, h = 0;
    getImageSize(w, h);
    return {0, 0, w, h};
}

MazeBoard::Reach MazeBoard::reachOf(const PixelRect& area) const
{
    const int firstX = floorDiv(area.left - marginX_, gridSize_);
    const int lastX = floorDiv(area.right - 1 - marginX_, gridSize_) + 1;
    const int firstY = floorDiv(area.top - marginY_, gridSize_);
    const int lastY = floorDiv(area.bottom - 1 - marginY_, gridSize_) + 1;
    const auto cut = [](int first, int last, int limit) {
        return Span{std::max(first, 0), std::min(last, limit)};
    };
    return {cut(firstX, lastX, width_), cut(firstX, lastX, width_ - 1), cut(firstY, lastY, height_),
            cut(firstY, lastY, height_ - 1)};
}

void MazeBoard::drawMaze(MazeCanvas& canvas) const
{
    drawMaze(canvas, imageRect());
}

void MazeBoard::drawAnswer(MazeCanvas& canvas) const
{
    drawAnswer(canvas, imageRect());
}

void MazeBoard::drawGrid(MazeCanvas& canvas) const
{
    drawGrid(canvas, imageRect());
}

void MazeBoard::drawPath(MazeCanvas& canvas) const
{
    drawPath(canvas, imageRect());
}

void MazeBoard::drawMaze(MazeCanvas& canvas, const PixelRect& area) const
{
    if (area.isEmpty())
        return;
    const int g = gridSize_;
    const int mx = marginX_;
    const int my = marginY_;
    int imageWidth = 0;
    int imageHeight = 0;
    getImageSize(imageWidth, imageHeight);

    canvas.setBrushColor(BorderColor);
    canvas.fillRect(0, 0, imageWidth, imageHeight);
    canvas.setBrushColor(BackColor);
    canvas.fillRect(mx, my, mx + width_ * g, my + height_ * g);

    // The answer goes under the walls, so the walls stay visible over it.
    if (showAnswer)
        drawAnswer(canvas, area);

    // Only a byte of exactly 1 is an open passage. On a shape, a wall is
    // drawn only where a cell of the maze lies on one side of it: nothing
    // shows between two cells left out. Walls that follow one another along
    // a line are drawn as one stroke: the same pixels.
    const bool shaped = isShaped();
    const auto wallV = [&](int i, int j) {
        return getMazeV(i, j) != 1 && (!shaped || isInside(i - 1, j) || isInside(i, j));
    };
    const auto wallH = [&](int i, int j) {
        return getMazeH(i, j) != 1 && (!shaped || isInside(i, j - 1) || isInside(i, j));
    };
    const Reach reach = reachOf(area);
    canvas.setPenColor(WallColor);
    for (int i = reach.linesX.first; i <= reach.linesX.last; ++i) {
        for (int j = reach.cellsY.first; j <= reach.cellsY.last; ++j) {
            if (!wallV(i, j))
                continue;
            const int from = j;
            while (j < reach.cellsY.last && wallV(i, j + 1))
                ++j;
            canvas.moveTo(mx + i * g, my + from * g);
            canvas.lineTo(mx + i * g, my + j * g + g);
        }
    }
    for (int j = reach.linesY.first; j <= reach.linesY.last; ++j) {
        for (int i = reach.cellsX.first; i <= reach.cellsX.last; ++i) {
            if (!wallH(i, j))
                continue;
            const int from = i;
            while (i < reach.cellsX.last && wallH(i + 1, j))
                ++i;
            canvas.moveTo(mx + from * g, my + j * g);
            canvas.lineTo(mx + i * g + g, my + j * g);
        }
    }
}

void MazeBoard::drawAnswer(MazeCanvas& canvas, const PixelRect& area) const
{
    if (area.isEmpty())
        return;
    const int g = gridSize_;
    const int mx = marginX_;
    const int my = marginY_;
    const Reach reach = reachOf(area);

    // Each crossing fills the two cells on either side of it, so every cell the
    // path enters or leaves is red, the two border cells at its ends included.
    canvas.setPenColor(AnswerColor);
    canvas.setBrushColor(AnswerColor);
    for (int i = reach.linesX.first; i <= reach.linesX.last; ++i) {
        for (int j = reach.cellsY.first; j <= reach.cellsY.last; ++j) {
            if (getPathV(i, j) != 0)
                canvas.fillRect(mx + (i - 1) * g, my + j * g, mx + (i + 1) * g, my + (j + 1) * g);
        }
    }
    for (int i = reach.cellsX.first; i <= reach.cellsX.last; ++i) {
        for (int j = reach.linesY.first; j <= reach.linesY.last; ++j) {
            if (getPathH(i, j) != 0)
                canvas.fillRect(mx + i * g, my + (j - 1) * g, mx + (i + 1) * g, my + (j + 1) * g);
        }
    }
}

void MazeBoard::drawGrid(MazeCanvas& canvas, const PixelRect& area) const
{
    if (area.isEmpty())
        return;
    const int g = gridSize_;
    const int mx = marginX_;
    const int my = marginY_;
    int imageWidth = 0;
    int imageHeight = 0;
    getImageSize(imageWidth, imageHeight);

    canvas.setBrushColor(BorderColor);
    canvas.fillRect(0, 0, imageWidth, imageHeight);
    canvas.setBrushColor(transparentMode ? TransparentBackColor : BackColor);
    canvas.fillRect(mx, my, mx + width_ * g, my + height_ * g);

    const Reach reach = reachOf(area);
    if (isShaped()) {
        drawShapedGrid(canvas, reach);
        return;
    }
    // Every cell line runs the whole grid; only those near the area are drawn.
    canvas.setPenColor(GridColor);
    for (int i = reach.linesX.first; i <= reach.linesX.last; ++i) {
        canvas.moveTo(mx + i * g, my);
        canvas.lineTo(mx + i * g, my + height_ * g);
    }
    for (int j = reach.linesY.first; j <= reach.linesY.last; ++j) {
        canvas.moveTo(mx, my + j * g);
        canvas.lineTo(mx + width_ * g, my + j * g);
    }
}

// The editing view of a shaped board: cells left out are grey like the ring,
// and a cell line is drawn only where a cell of the maze lies on one side.
void MazeBoard::drawShapedGrid(MazeCanvas& canvas, const Reach& reach) const
{
    const int g = gridSize_;
    const int mx = marginX_;
    const int my = marginY_;
    canvas.setBrushColor(BorderColor);
    for (int j = reach.cellsY.first; j <= reach.cellsY.last; ++j) {
        for (int i = reach.cellsX.first; i <= reach.cellsX.last; ++i) {
            if (isInside(i, j))
                continue;
            const int from = i;
            while (i < reach.cellsX.last && !isInside(i + 1, j))
                ++i;
            canvas.fillRect(mx + from * g, my + j * g, mx + (i + 1) * g, my + (j + 1) * g);
        }
    }
    const auto lineV = [&](int i, int j) { return isInside(i - 1, j) || isInside(i, j); };
    const auto lineH = [&](int i, int j) { return isInside(i, j - 1) || isInside(i, j); };
    canvas.setPenColor(GridColor);
    for (int i = reach.linesX.first; i <= reach.linesX.last; ++i) {
        for (int j = reach.cellsY.first; j <= reach.cellsY.last; ++j) {
            if (!lineV(i, j))
                continue;
            const int from = j;
            while (j < reach.cellsY.last && lineV(i, j + 1))
                ++j;
            canvas.moveTo(mx + i * g, my + from * g);
            canvas.lineTo(mx + i * g, my + j * g + g);
        }
    }
    for (int j = reach.linesY.first; j <= reach.linesY.last; ++j) {
        for (int i = reach.cellsX.first; i <= reach.cellsX.last; ++i) {
            if (!lineH(i, j))
                continue;
            const int from = i;
            while (i < reach.cellsX.last && lineH(i + 1, j))
                ++i;
            canvas.moveTo(mx + from * g, my + j * g);
            canvas.lineTo(mx + i * g + g, my + j * g);
        }
    }
}

void MazeBoard::drawPath(MazeCanvas& canvas, const PixelRect& area) const
{
    if (area.isEmpty())
        return;
    const int g = gridSize_;
    const int mx = marginX_;
    const int my = marginY_;
    const int half = g / 2;
    const Reach reach = reachOf(area);

    // A segment's ends come from the grid line it crosses (line - half and
    // line - half + g), which for an odd g is one pixel off the cell centres.
    canvas.setPenColor(AnswerColor);
    for (int i = reach.linesX.first; i <= reach.linesX.last; ++i) {
        for (int j = reach.cellsY.first; j <= reach.cellsY.last; ++j) {
            if (getPathV(i, j) != 0) {
                canvas.moveTo(mx + i * g - half, my + j * g + half);
                canvas.lineTo(mx + i * g - half + g, my + j * g + half);
            }
        }
    }
    for (int i = reach.cellsX.first; i <= reach.cellsX.last; ++i) {
        for (int j = reach.linesY.first; j <= reach.linesY.last; ++j) {
            if (getPathH(i, j) != 0) {
                canvas.moveTo(mx + i * g + half, my + j * g - half);
                canvas.lineTo(mx + i * g + half, my + j * g - half + g);
            }
        }
    }

    // The head marker comes last: where both stand on one cell only it shows.
    canvas.setPenColor(startColor);
    canvas.setBrushColor(startColor);
    canvas.ellipse(mx + startX * g, my + startY * g, mx + startX * g + g, my + startY * g + g);
    canvas.setPenColor(cursorColor);
    canvas.setBrushColor(cursorColor);
    canvas.ellipse(mx + curX * g, my + curY * g, mx + curX * g + g, my + curY * g + g);
}
