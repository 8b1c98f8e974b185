#pragma once

#include <cstdint>

// Colours are 24-bit values 0x00BBGGRR: red in the low byte.
using MazeColor = std::uint32_t;

constexpr MazeColor BorderColor = 0xC0C0C0;          // silver: the border ring
constexpr MazeColor BackColor = 0xFFFFFF;            // white: the cell area
constexpr MazeColor WallColor = 0x808080;            // grey: walls of the maze picture
constexpr MazeColor TransparentBackColor = 0x00FFFF; // yellow: the window's see-through key
constexpr MazeColor GridColor = 0x808080;            // grey: cell lines of the editing view
constexpr MazeColor AnswerColor = 0x0000FF;          // red: answer cells and path lines

// A rectangle of pixels: left <= x < right, top <= y < bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

// The raster canvas the board draws on. Coordinates are integer pixels; what
// falls outside the canvas is clipped.
class MazeCanvas {
public:
    virtual ~MazeCanvas() = default;

    virtual void setBrushColor(MazeColor color) = 0;
    // The pen is solid and one pixel wide.
    virtual void setPenColor(MazeColor color) = 0;
    // Fills left <= x < right, top <= y < bottom with the brush; no outline.
    virtual void fillRect(int left, int top, int right, int bottom) = 0;
    virtual void moveTo(int x, int y) = 0;
    // One-pixel line from the current point to (x, y), the end pixel itself
    // excluded; (x, y) becomes the current point.
    virtual void lineTo(int x, int y) = 0;
    // Ellipse inscribed in the box (right and bottom exclusive), outlined with
    // the pen and filled with the brush.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
};
