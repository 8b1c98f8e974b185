#include "SaveNames.h"

#include <QDir>
#include <QFileInfo>

namespace SaveNames {

QString suffix(Kind kind)
{
    return kind == Kind::Maze ? QStringLiteral("maz") : QStringLiteral("bmp");
}

bool isOtherKind(const QString& name, Kind kind)
{
    const Kind other = kind == Kind::Maze ? Kind::Bitmap : Kind::Maze;
    return QFileInfo(name).suffix().compare(suffix(other), Qt::CaseInsensitive) == 0;
}

QString withSuffix(const QString& name, Kind kind)
{
    const QFileInfo info(name);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    const QString folder = info.path();
    const QString file = base + QLatin1Char('.') + suffix(kind);
    return name.contains(QLatin1Char('/')) || name.contains(QDir::separator()) ? QDir(folder).filePath(file) : file;
}

QString bitmapOffer(const QString& documentName, const QString& lastBitmapName, const QString& bitmapFolder)
{
    if (!lastBitmapName.isEmpty())
        return lastBitmapName;
    if (documentName.isEmpty())
        return {};
    const QFileInfo document(documentName);
    const QString folder = bitmapFolder.isEmpty() ? document.absolutePath() : bitmapFolder;
    return QDir(folder).filePath(document.completeBaseName() + QLatin1Char('.') + suffix(Kind::Bitmap));
}

} // namespace SaveNames
