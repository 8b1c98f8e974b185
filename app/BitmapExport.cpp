#include "BitmapExport.h"

#include "QtCanvas.h"
#include "maze_board.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

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
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile()) {
        QFile device(fileName);
        if (!device.open(QIODevice::WriteOnly))
            return Result::CannotCreate;
        Result result = write(picture, device);
        if (result == Result::Written && !device.flush())
            result = Result::WriteError;
        return result;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return Result::CannotCreate;
    const Result result = write(picture, file);
    if (result != Result::Written) {
        file.cancelWriting();
        return result;
    }
    return file.commit() ? Result::Written : Result::WriteError;
}

} // namespace BitmapExport
