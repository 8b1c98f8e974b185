#include "Underlay.h"

#include "FileNames.h"
#include "file_kind.h"
#include "image_truncation.h"
#include "maze_board.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <span>

namespace {

// Larger files are refused unread: no picture within the pixel limit needs
// more, whatever its kind.
constexpr qint64 MaxFileBytes = qint64(1) << 30;

// The image reader's limit on what one picture may take, raised while an
// underlay is read so that every picture within MaxFilePixels decodes, and
// put back afterwards for the program's other pictures.
class AllocationLimit {
public:
    AllocationLimit()
        : before_(QImageReader::allocationLimit())
    {
        const int needed = int(Underlay::MaxFilePixels * 4 / (1024 * 1024)) + 1;
        if (before_ != 0) // 0: no limit at all
            QImageReader::setAllocationLimit(std::max(before_, needed));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(before_); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    int before_;
};

// What is kept of a picture of `size`: its sides divided by the smallest
// power of two that brings it within the limits. A JPEG decoder divides by
// 2, 4 or 8 as it decodes, which is far quicker than decoding it whole.
QSize keptSize(QSize size)
{
    for (int d = 1;; d *= 2) {
        const int w = (size.width() + d - 1) / d;
        const int h = (size.height() + d - 1) / d;
        if (w <= Underlay::KeptSide && h <= Underlay::KeptSide && qint64(w) * h <= Underlay::KeptPixels)
            return {w, h};
    }
}

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

Underlay::Failure readPicture(const QString& file, QImage& out)
{
    using Failure = Underlay::Failure;
    // Read into memory first, from a regular file opened without waiting (a
    // folder, a pipe or a device is refused unopened). Never mapped: another
    // program shortening a mapped file ends the reader with SIGBUS.
    std::vector<char> content;
    switch (filekind::readWhole(FileNames::toPath(file), std::size_t(MaxFileBytes), content)) {
    case filekind::ReadResult::Read: break;
    case filekind::ReadResult::Missing: return Failure::Missing;
    case filekind::ReadResult::TooLarge: return Failure::TooLarge;
    case filekind::ReadResult::NotRegular:
    case filekind::ReadResult::Unreadable: return Failure::Unreadable;
    }
    QByteArray bytes = QByteArray::fromRawData(content.data(), qsizetype(content.size()));

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true); // photos stand as they were taken
    if (!reader.canRead())
        return Failure::NotAnImage;
    // A drawing may name other files (an <image> of a pipe, a style sheet),
    // which its renderer would open and read as it pleases: drawings are
    // not taken.
    if (reader.format().startsWith("svg"))
        return Failure::NotAnImage;
    // The header's size, before anything is decoded.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > Underlay::MaxFilePixels)
        return Failure::TooLarge;
    if (isTruncatedImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()))))
        return Failure::Damaged;
    if (size.isValid()) {
        const QSize wanted = keptSize(size);
        if (wanted != size && !wanted.isEmpty())
            reader.setScaledSize(wanted);
    }
    QImage image;
    {
        const AllocationLimit limit;
        if (!reader.read(&image) || image.isNull())
            return reader.error() == QImageReader::InvalidDataError ? Failure::Damaged : Failure::NotAnImage;
    }
    // A reader that could not tell the size before decoding.
    if (qint64(image.width()) * image.height() > Underlay::MaxFilePixels)
        return Failure::TooLarge;
    if (const QSize kept = keptSize(image.size()); kept != image.size())
        image = image.scaled(kept, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out = onWhite(image);
    return Failure::None;
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
    const Failure failure = readPicture(file, image);
    if (failure != Failure::None)
        return failure;
    file_ = QFileInfo(file).absoluteFilePath();
    levels_.clear();
    levels_.push_back(std::move(image));
    shown_ = true;
    return Failure::None;
}

void Underlay::clear()
{
    file_.clear();
    levels_.clear();
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
