#include "FileDrop.h"

#include "SaveNames.h"

#include <QFileInfo>
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
    const bool maze = QFileInfo(files.front()).suffix().compare(SaveNames::suffix(SaveNames::Kind::Maze), Qt::CaseInsensitive) == 0;
    return {maze ? Kind::Maze : Kind::Other, files.front()};
}
