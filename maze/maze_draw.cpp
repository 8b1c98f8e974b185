#include "maze_board.h"

// Both pictures have the same size: the grid of W x H cells of g pixels with a
// one-cell border ring. Cell (x, y) is the square from (mx + x*g, my + y*g),
// grid line i lies at x = mx + i*g, line j at y = my + j*g.

void MazeBoard::drawMaze(MazeCanvas& canvas) const
{
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
        drawAnswer(canvas);

    // Only a byte of exactly 1 is an open passage.
    canvas.setPenColor(WallColor);
    for (int i = 0; i <= width_; ++i) {
        for (int j = 0; j < height_; ++j) {
            if (getMazeV(i, j) != 1) {
                canvas.moveTo(mx + i * g, my + j * g);
                canvas.lineTo(mx + i * g, my + j * g + g);
            }
        }
    }
    for (int i = 0; i < width_; ++i) {
        for (int j = 0; j <= height_; ++j) {
            if (getMazeH(i, j) != 1) {
                canvas.moveTo(mx + i * g, my + j * g);
                canvas.lineTo(mx + i * g + g, my + j * g);
            }
        }
    }
}

void MazeBoard::drawAnswer(MazeCanvas& canvas) const
{
    const int g = gridSize_;
    const int mx = marginX_;
    const int my = marginY_;

    // Each crossing fills the two cells on either side of it, so every cell the
    // path enters or leaves is red, the two border cells at its ends included.
    canvas.setPenColor(AnswerColor);
    canvas.setBrushColor(AnswerColor);
    for (int i = 0; i <= width_; ++i) {
        for (int j = 0; j < height_; ++j) {
            if (getPathV(i, j) != 0)
                canvas.fillRect(mx + (i - 1) * g, my + j * g, mx + (i + 1) * g, my + (j + 1) * g);
        }
    }
    for (int i = 0; i < width_; ++i) {
        for (int j = 0; j <= height_; ++j) {
            if (getPathH(i, j) != 0)
                canvas.fillRect(mx + i * g, my + (j - 1) * g, mx + (i + 1) * g, my + (j + 1) * g);
        }
    }
}

void MazeBoard::drawGrid(MazeCanvas& canvas) const
{
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

    canvas.setPenColor(GridColor);
    for (int i = 0; i <= width_; ++i) {
        canvas.moveTo(mx + i * g, my);
        canvas.lineTo(mx + i * g, my + height_ * g);
    }
    for (int j = 0; j <= height_; ++j) {
        canvas.moveTo(mx, my + j * g);
        canvas.lineTo(mx + width_ * g, my + j * g);
    }
}

void MazeBoard::drawPath(MazeCanvas& canvas) const
{
    const int g = gridSize_;
    const int mx = marginX_;
    const int my = marginY_;
    const int half = g / 2;

    // A segment's ends come from the grid line it crosses (line - half and
    // line - half + g), which for an odd g is one pixel off the cell centres.
    canvas.setPenColor(AnswerColor);
    for (int i = 0; i <= width_; ++i) {
        for (int j = 0; j < height_; ++j) {
            if (getPathV(i, j) != 0) {
                canvas.moveTo(mx + i * g - half, my + j * g + half);
                canvas.lineTo(mx + i * g - half + g, my + j * g + half);
            }
        }
    }
    for (int i = 0; i < width_; ++i) {
        for (int j = 0; j <= height_; ++j) {
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
