#pragma once

#include "maze_shape.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Ready-made shapes, fitted to a board of any size, and shapes taken from a
// picture. Neither needs anything beyond the standard library: the window
// and the command line hand over the board's size, or the picture's pixels.

enum class ShapePreset {
    Circle,   // "circle": the ellipse that touches all four sides
    Heart,    // "heart": a heart, its tip at the bottom
    Star,     // "star": a five-pointed star, one point up
    Diamond,  // "diamond": the square on its corner, its corners at the sides' middles
    Triangle, // "triangle": the point at the top middle, the base along the bottom
    Rounded,  // "rounded": the rectangle with its corners rounded by a quarter of its shorter side (2 cells at least)
};

inline constexpr ShapePreset AllShapePresets[] = {ShapePreset::Circle,  ShapePreset::Heart,
                                                  ShapePreset::Star,    ShapePreset::Diamond,
                                                  ShapePreset::Triangle, ShapePreset::Rounded};

// The names above, as the command line takes them (lower case, exactly).
std::string_view presetName(ShapePreset preset);
std::optional<ShapePreset> presetFromName(std::string_view name);

// The preset stretched to fill a width x height board: a cell is inside when
// its centre lies in the figure. Only the figure's largest part is kept, so
// a tip that touches the rest by a corner alone on a small board is dropped.
// With centreRoom n > 0 the n x n cells in the middle are then left out as a
// room for the path's start or end (MazeShape::leaveOutCentre). Whether the
// result is one region (MazeShape::isOneRegion) is for the caller to check:
// a board too small for the figure, or a room too large for it, is not.
MazeShape presetShape(ShapePreset preset, int width, int height, int centreRoom = 0);

// A picture as one byte per pixel: grey values (0 black ... 255 white) or
// alpha values (0 transparent ... 255 opaque). Row y begins at
// pixels + y * stride.
struct ShapeRaster {
    enum class Values { Grey, Alpha };
    int width = 0;
    int height = 0;
    const std::uint8_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
    Values values = Values::Grey;
};

// How much ink the part of the picture under each cell holds when the
// picture is stretched over a width x height board: per cell (y * width + x)
// the mean over its pixels of the ink, which is 255 - grey for grey values
// (dark is ink) and the alpha itself for alpha values (opaque is ink). A cell
// smaller than a pixel takes the pixel it lies in. Worked out once per
// picture; shapeFromInk is then cheap for every setting of a slider. An
// empty picture gives no ink anywhere.
std::vector<std::uint8_t> cellInk(const ShapeRaster& raster, int width, int height);

// The cells whose ink reaches `threshold` are inside, all others left out;
// with `invert` the other way round. A threshold of 128 takes the cells that
// are mostly dark (or mostly opaque). `ink` holds width * height values, as
// cellInk gives them; any other length gives the full rectangle.
MazeShape shapeFromInk(const std::vector<std::uint8_t>& ink, int width, int height, int threshold, bool invert);
