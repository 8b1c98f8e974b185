#include "ShapePictures.h"

#include "FileNames.h"
#include "file_kind.h"
#include "image_truncation.h"
#include "shape_presets.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <span>

namespace shapepictures {

namespace {

// Larger files are refused unread: no picture within the pixel limit needs
// more, whatever its kind.
constexpr qint64 MaxFileBytes = qint64(1) << 30;

// The image reader's limit on what one picture may take, raised while a
// picture is read so that every picture within MaxFilePixels decodes, and
// put back afterwards for the program's other pictures.
class AllocationLimit {
public:
    AllocationLimit()
        : before_(QImageReader::allocationLimit())
    {
        const int needed = int(MaxFilePixels * 4 / (1024 * 1024)) + 1;
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
        if (w <= KeptSide && h <= KeptSide && qint64(w) * h <= KeptPixels)
            return {w, h};
    }
}

// The messages about shape pictures. %1: the file's name, without its folder.
constexpr const char* MessageMissing = QT_TRANSLATE_NOOP("ShapePictures", "形の画像「%1」が見つかりません。");
constexpr const char* MessageUnreadable = QT_TRANSLATE_NOOP("ShapePictures", "形の画像「%1」を開けません。");
constexpr const char* MessageNotAnImage
    = QT_TRANSLATE_NOOP("ShapePictures", "「%1」は形にできる画像ファイルではありません。");
constexpr const char* MessageDamaged
    = QT_TRANSLATE_NOOP("ShapePictures", "「%1」は途中で切れているか壊れているため、形にできません。");
constexpr const char* MessageTooLarge
    = QT_TRANSLATE_NOOP("ShapePictures", "「%1」は大きすぎるため形にできません(1億ピクセルまで)。");

} // namespace

Failure readPicture(const QString& file, QImage& out)
{
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
    if (size.isValid() && qint64(size.width()) * size.height() > MaxFilePixels)
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
    if (qint64(image.width()) * image.height() > MaxFilePixels)
        return Failure::TooLarge;
    if (const QSize kept = keptSize(image.size()); kept != image.size())
        image = image.scaled(kept, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out = std::move(image);
    return Failure::None;
}

QImage opacityOf(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return {};
    QImage alpha = picture.convertToFormat(QImage::Format_Alpha8);
    const bool opaque
        = std::all_of(alpha.constBits(), alpha.constBits() + alpha.sizeInBytes(), [](uchar a) { return a == 255; });
    return opaque ? QImage() : alpha;
}

std::vector<std::uint8_t> inkOf(const QImage& picture, int width, int height)
{
    if (picture.isNull())
        return cellInk(ShapeRaster{}, width, height);
    // A picture with see-through parts is its opacity (an Alpha8 picture is
    // taken as that already); one without, its darkness.
    QImage values = picture.format() == QImage::Format_Alpha8 ? picture : opacityOf(picture);
    ShapeRaster::Values kind = ShapeRaster::Values::Alpha;
    if (values.isNull()) {
        values = picture.convertToFormat(QImage::Format_Grayscale8);
        kind = ShapeRaster::Values::Grey;
    }
    const ShapeRaster raster{values.width(), values.height(), values.constBits(), values.bytesPerLine(), kind};
    return cellInk(raster, width, height);
}

MazeShape shapeFromPicture(const QImage& picture, int width, int height, int threshold, bool invert)
{
    return shapeFromInk(inkOf(picture, width, height), width, height, threshold, invert);
}

Failure shapeFromFile(const QString& file, int width, int height, MazeShape& out, int threshold, bool invert)
{
    QImage picture;
    if (const Failure failure = readPicture(file, picture); failure != Failure::None)
        return failure;
    out = shapeFromPicture(picture, width, height, threshold, invert);
    return Failure::None;
}

MazeShape textShape(const QString& text, const QFont& font, int width, int height)
{
    const QString word = text.simplified();
    if (word.isEmpty() || width <= 0 || height <= 0)
        return MazeShape(std::max(width, 0), std::max(height, 0), std::vector<std::uint8_t>(
                             std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0)), 0));
    // The letters drawn black on white at a size where a cell is a few
    // pixels, as large as the picture holds them, then taken cell by cell.
    constexpr int PixelsPerCell = 8;
    QImage picture(width * PixelsPerCell, height * PixelsPerCell, QImage::Format_Grayscale8);
    picture.fill(255);
    QPainterPath path;
    // The boldest weight of the font: strokes a cell or two wide leave a
    // maze little room.
    QFont large(font);
    large.setPixelSize(100);
    large.setWeight(QFont::Black);
    path.addText(0, 0, large, word);
    const QRectF bounds = path.boundingRect();
    if (!bounds.isEmpty()) {
        // A cell's margin all round, so that the letters do not touch the ring.
        const QRectF area(PixelsPerCell, PixelsPerCell, picture.width() - 2.0 * PixelsPerCell,
                          picture.height() - 2.0 * PixelsPerCell);
        const double scale = std::min(area.width() / bounds.width(), area.height() / bounds.height());
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(area.center());
        painter.scale(scale, scale);
        painter.translate(-bounds.center());
        painter.fillPath(path, Qt::black);
    }
    return shapeFromPicture(picture, width, height).joinedParts();
}

QString failureText(Failure failure, const QString& file)
{
    const char* source = MessageNotAnImage;
    switch (failure) {
    case Failure::Missing: source = MessageMissing; break;
    case Failure::Unreadable: source = MessageUnreadable; break;
    case Failure::Damaged: source = MessageDamaged; break;
    case Failure::TooLarge: source = MessageTooLarge; break;
    case Failure::NotAnImage:
    case Failure::None: break;
    }
    return QCoreApplication::translate("ShapePictures", source).arg(QFileInfo(file).fileName());
}

} // namespace shapepictures
