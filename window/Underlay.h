#pragma once

#include "ShapePictures.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class MazeBoard;

// A picture shown under the grid of the editing view, to trace the answer
// path over: scaled to fit the grid area keeping its aspect ratio, centred,
// and lightened towards white by its strength. It shows only where the
// editing view is white, so the border, the cell lines, the path and the
// markers stay exactly as they are. It belongs to the window, never to the
// maze: no file, export or print holds it.
//
// The picture is kept at a size that serves the largest grid (the reader
// scales a large photo down as it decodes) and halved smoothly as smaller
// grids need, each size made once; a grid pixel takes the bilinear blend of
// the size just above it. So any cell size costs no memory beyond these,
// and any part of the view can be painted alone.
class Underlay {
public:
    static constexpr int MinStrength = 10;
    static constexpr int MaxStrength = 90;
    static constexpr int DefaultStrength = 35;
    // The limits on what is read, and how a read fails, are those of every
    // picture the program reads (shapepictures::readPicture).
    static constexpr qint64 MaxFilePixels = shapepictures::MaxFilePixels;
    using Failure = shapepictures::Failure;

    Underlay();

    // Reads `file` as the picture. On failure nothing changes. A new picture
    // is shown, at the strength it had before.
    Failure load(const QString& file);
    void clear();

    bool isLoaded() const { return !levels_.empty(); }
    // The picture's file, its absolute path; empty without a picture.
    const QString& file() const { return file_; }
    // The picture as kept (on white where it was see-through).
    QImage picture() const { return isLoaded() ? levels_.front() : QImage(); }
    // What a shape is taken from: the picture as kept with its see-through
    // parts, or null without a picture.
    QImage shapeSource() const { return isLoaded() ? (alpha_.isNull() ? levels_.front() : alpha_) : QImage(); }

    int strength() const { return strength_; }
    // Percent of the picture's darkness that shows; kept to the limits.
    void setStrength(int percent);
    bool isShown() const { return shown_; }
    void setShown(bool shown) { shown_ = shown; }

    // Where the picture lies in the editing view of `board`.
    QRect placeIn(const MazeBoard& board) const;

    // Over `target`, which holds the board's editing view with picture
    // pixel p at target pixel p - `origin`: within `area` (picture
    // coordinates), every pure white pixel of the grid area becomes the
    // picture's. Nothing while hidden, and nothing in transparent mode, whose
    // key-coloured cells must stay as they are for the window to show
    // through them.
    void paintOver(QImage& target, const QRect& area, const MazeBoard& board, QPoint origin = {});

private:
    // The smallest kept size at least as large as `size` (or the largest).
    const QImage& levelFor(QSize size);

    QString file_;
    std::vector<QImage> levels_; // the picture, then each half of the one before
    QImage alpha_;               // the picture's opacity, if it has see-through parts
    int strength_ = DefaultStrength;
    bool shown_ = true;
    // A channel's value lightened at the strength.
    std::array<std::uint8_t, 256> lighten_ = {};
};
