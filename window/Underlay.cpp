#include "Underlay.h"

#include "maze_board.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace {

// See-through parts of the picture show white, as the cells under them.
QImage onWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

// A neighbour pair along one axis of the kept picture, and how far (of 256)
// the sample lies towards the second.
struct Tap {
    int first;
    int second;
    int weight;
};

// The pixel centres of `count` placed pixels from `from` on, of `placed`
// in all, in a picture of `kept` pixels: (i + 1/2) * kept / placed - 1/2.
std::vector<Tap> tapsFor(int from, int count, int placed, int kept)
{
    std::vector<Tap> taps(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const qint64 at = qint64(2 * (from + i) + 1) * kept * 256 / (2 * qint64(placed)) - 128;
        const int clamped = int(std::clamp<qint64>(at, 0, qint64(kept - 1) * 256));
        taps[std::size_t(i)] = {clamped >> 8, std::min((clamped >> 8) + 1, kept - 1), clamped & 255};
    }
    return taps;
}

int channel(QRgb a, QRgb b, QRgb c, QRgb d, int wx, int wy, int shift)
{
    const auto at = [shift](QRgb p) { return int(p >> shift & 0xFF); };
    const int top = at(a) * (256 - wx) + at(b) * wx;
    const int bottom = at(c) * (256 - wx) + at(d) * wx;
    return (top * (256 - wy) + bottom * wy + 32768) >> 16;
}

} // namespace

Underlay::Underlay()
{
    setStrength(DefaultStrength);
}

Underlay::Failure Underlay::load(const QString& file)
{
    QImage image;
    const Failure failure = shapepictures::readPicture(file, image);
    if (failure != Failure::None)
        return failure;
    file_ = QFileInfo(file).absoluteFilePath();
    alpha_ = shapepictures::opacityOf(image);
    levels_.clear();
    levels_.push_back(onWhite(image));
    shown_ = true;
    return Failure::None;
}

void Underlay::clear()
{
    file_.clear();
    levels_.clear();
    alpha_ = QImage();
    shown_ = true;
}

void Underlay::setStrength(int percent)
{
    strength_ = std::clamp(percent, MinStrength, MaxStrength);
    for (int c = 0; c < 256; ++c)
        lighten_[std::size_t(c)] = std::uint8_t(255 - ((255 - c) * strength_ + 50) / 100);
}

QRect Underlay::placeIn(const MazeBoard& board) const
{
    if (!isLoaded())
        return {};
    const int g = board.getGridSize();
    const QRect grid(board.getMarginX(), board.getMarginY(), board.getWidth() * g, board.getHeight() * g);
    const QSize size = levels_.front().size().scaled(grid.size(), Qt::KeepAspectRatio);
    return {grid.topLeft() + QPoint((grid.width() - size.width()) / 2, (grid.height() - size.height()) / 2), size};
}

const QImage& Underlay::levelFor(QSize size)
{
    std::size_t i = 0;
    for (;; ++i) {
        const QSize half = levels_[i].size() / 2;
        if (half.width() < size.width() || half.height() < size.height() || half.isEmpty())
            return levels_[i];
        if (i + 1 == levels_.size()) {
            QImage smaller = levels_[i].scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            levels_.push_back(std::move(smaller));
        }
    }
}

void Underlay::paintOver(QImage& target, const QRect& area, const MazeBoard& board, QPoint origin)
{
    if (!isLoaded() || !shown_ || board.transparentMode || target.depth() != 32)
        return;
    const QRect place = placeIn(board);
    const QRect todo = area & place & QRect(origin, target.size());
    if (todo.isEmpty())
        return;
    const QImage& level = levelFor(place.size());
    const std::vector<Tap> columns = tapsFor(todo.left() - place.left(), todo.width(), place.width(), level.width());
    const std::vector<Tap> rows = tapsFor(todo.top() - place.top(), todo.height(), place.height(), level.height());
    for (int y = 0; y < todo.height(); ++y) {
        const Tap& row = rows[std::size_t(y)];
        const auto* above = reinterpret_cast<const QRgb*>(level.constScanLine(row.first));
        const auto* below = reinterpret_cast<const QRgb*>(level.constScanLine(row.second));
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(todo.top() - origin.y() + y)) + (todo.left() - origin.x());
        for (int x = 0; x < todo.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF)
                continue;
            const Tap& column = columns[std::size_t(x)];
            const QRgb a = above[column.first], b = above[column.second];
            const QRgb c = below[column.first], d = below[column.second];
            line[x] = qRgb(lighten_[std::size_t(channel(a, b, c, d, column.weight, row.weight, 16))],
                           lighten_[std::size_t(channel(a, b, c, d, column.weight, row.weight, 8))],
                           lighten_[std::size_t(channel(a, b, c, d, column.weight, row.weight, 0))]);
        }
    }
}
