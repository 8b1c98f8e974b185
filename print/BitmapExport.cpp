#include "BitmapExport.h"

#include "QtCanvas.h"
#include "atomic_write.h"
#include "maze_board.h"
#include "FileNames.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace BitmapExport {

QImage mazePicture(const MazeBoard& board)
{
    int width = 0, height = 0;
    board.getImageSize(width, height);
    QImage picture(width, height, QImage::Format_RGB32);
    picture.setDotsPerMeterX(DotsPerMetre);
    picture.setDotsPerMeterY(DotsPerMetre);
    QPainter painter(&picture);
    QtCanvas canvas(painter);
    board.drawMaze(canvas);
    return picture;
}

Result write(const QImage& picture, QIODevice& device)
{
    QImageWriter writer(&device, "bmp");
    return writer.write(picture) ? Result::Written : Result::WriteError;
}

Result save(const MazeBoard& board, const QString& fileName)
{
    return save(mazePicture(board), fileName);
}

Result save(const QImage& picture, const QString& fileName)
{
    // The whole file is made in memory and then replaces the target as the
    // maze file does.
    QByteArray bytes;
    const qsizetype rowBytes = (3 * qsizetype(picture.width()) + 3) / 4 * 4;
    bytes.reserve(54 + rowBytes * picture.height()); // a 24-bit BMP
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const Result result = write(picture, buffer);
    return result == Result::Written ? saveBytes(bytes, fileName) : result;
}

Result saveBytes(const QByteArray& bytes, const QString& fileName)
{
    // A short write (a full disk) is a failure, never a truncated file, and
    // a pipe, a device or a folder is refused before anything opens it
    // (opening a pipe for writing waits for a reader).
    atomicfile::Step failed = atomicfile::Step::Create;
    if (atomicfile::writeFile(FileNames::toPath(fileName), bytes.constData(),
                              std::size_t(bytes.size()), &failed))
        return Result::Written;
    return failed == atomicfile::Step::Create ? Result::CannotCreate : Result::WriteError;
}

} // namespace BitmapExport
