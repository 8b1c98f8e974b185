#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString FilesKey = QStringLiteral("recent/files");

QString folderKey(RecentFiles::Dialog dialog)
{
    switch (dialog) {
    case RecentFiles::Dialog::Open: return QStringLiteral("recent/openFolder");
    case RecentFiles::Dialog::Save: return QStringLiteral("recent/saveFolder");
    case RecentFiles::Dialog::Bitmap: break;
    }
    return QStringLiteral("recent/bitmapFolder");
}

// The same file, however the name was written (and in any case where the
// file system ignores it).
bool sameFile(const QString& a, const QString& b)
{
    return QFileInfo(a) == QFileInfo(b);
}

} // namespace

QStringList RecentFiles::files() const
{
    QStringList list = QSettings().value(FilesKey).toStringList();
    list.removeAll(QString());
    if (list.size() > MaxFiles)
        list.resize(MaxFiles);
    return list;
}

void RecentFiles::add(const QString& file)
{
    const QString name = QFileInfo(file).absoluteFilePath();
    QStringList list = files();
    list.removeIf([&name](const QString& listed) { return sameFile(listed, name); });
    list.prepend(name);
    if (list.size() > MaxFiles)
        list.resize(MaxFiles);
    QSettings().setValue(FilesKey, list);
}

void RecentFiles::remove(const QString& file)
{
    QStringList list = files();
    if (list.removeIf([&file](const QString& listed) { return sameFile(listed, file); }) > 0)
        QSettings().setValue(FilesKey, list);
}

QString RecentFiles::folder(Dialog dialog) const
{
    return QSettings().value(folderKey(dialog)).toString();
}

void RecentFiles::setFolderOf(Dialog dialog, const QString& file)
{
    QSettings().setValue(folderKey(dialog), QFileInfo(file).absolutePath());
}

