#include "FileDrop.h"

#include "SaveNames.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

DroppedFiles DroppedFiles::examine(const QMimeData& data)
{
    QStringList files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    if (files.isEmpty())
        return {};
    if (files.size() > 1)
        return {Kind::Several, {}};
    const QString suffix = QFileInfo(files.front()).suffix();
    if (suffix.compare(SaveNames::suffix(SaveNames::Kind::Maze), Qt::CaseInsensitive) == 0)
        return {Kind::Maze, files.front()};
    // Named by the suffix alone: the drop is judged while it hovers, without
    // reading the file. A picture that cannot be read is reported by the
    // underlay as any other.
    const bool image = !suffix.isEmpty() && QImageReader::supportedImageFormats().contains(suffix.toLower().toLatin1());
    return {image ? Kind::Image : Kind::Other, files.front()};
}
