#pragma once

#include "maze_shape.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

// Pictures read from files, for the underlay and for shapes, and the shapes
// that pictures and words give. Both the window and the command line use
// them, so a picture is refused, and a shape made, the same way at either.
namespace shapepictures {

// Files whose pictures are larger are refused before they are decoded.
inline constexpr qint64 MaxFilePixels = 100'000'000;
// What is kept of a picture: no side longer than the largest grid (400
// cells of 20 pixels) and no more pixels than this.
inline constexpr int KeptSide = 8000;
inline constexpr qint64 KeptPixels = 8'000'000;
// The ink a cell needs to be inside: half of full (mostly dark, or mostly
// opaque).
inline constexpr int DefaultThreshold = 128;

enum class Failure {
    None,
    Missing,    // no such file
    Unreadable, // not opened (permissions), or not a plain file
    NotAnImage, // no reader takes it
    Damaged,    // cut off or broken
    TooLarge,   // more than MaxFilePixels
};

// Reads `file` into `out`, scaled down to the kept size; see-through parts
// stay see-through. Only regular files are opened, without waiting, and read
// into memory before they are decoded; drawings (SVG) are refused, since
// they may name other files. On failure `out` is unchanged.
Failure readPicture(const QString& file, QImage& out);

// The opacity of a picture with see-through parts, one byte a pixel
// (Format_Alpha8); null for a picture that is opaque everywhere.
QImage opacityOf(const QImage& picture);

// The ink of every cell when `picture` is stretched over a width x height
// board (see cellInk): opacity for a picture with see-through parts, and
// darkness for one without.
std::vector<std::uint8_t> inkOf(const QImage& picture, int width, int height);

// The cells whose ink reaches `threshold` are inside (the other way round
// with `invert`), scaled to the board. Not one region is for the caller to
// check.
MazeShape shapeFromPicture(const QImage& picture, int width, int height, int threshold = DefaultThreshold,
                           bool invert = false);
// The same from a picture file: black inside, white outside. On failure
// `out` is unchanged.
Failure shapeFromFile(const QString& file, int width, int height, MazeShape& out, int threshold = DefaultThreshold,
                      bool invert = false);

// The letters of `text` in `font`, as large as the board holds them,
// centred, joined by bridges into one region (MazeShape::joinedParts). An
// empty text, or one too small to leave MazeShape::MinRegionCells cells, gives
// a shape that is not one region.
MazeShape textShape(const QString& text, const QFont& font, int width, int height);

// "「%1」は…": the message for a failure, naming the file without its
// folder, in the interface's language.
QString failureText(Failure failure, const QString& file);

} // namespace shapepictures
