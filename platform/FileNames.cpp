#include "FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

namespace FileNames {

bool isFaithful(const QByteArray& raw)
{
#ifdef Q_OS_UNIX
    return QFile::encodeName(QFile::decodeName(raw)) == raw;
#else
    // The arguments come as UTF-16 from the system and are not decoded.
    Q_UNUSED(raw);
    return true;
#endif
}

#ifdef Q_OS_UNIX
namespace {

// Whether `folder` holds an entry that is not UTF-8 and reads as `part`.
bool holdsUndecodableNamesake(const QByteArray& folder, const QString& part)
{
    DIR* listing = ::opendir(folder.constData());
    if (!listing)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray raw(entry->d_name);
        if (!isFaithful(raw) && QFile::decodeName(raw) == part) {
            found = true;
            break;
        }
    }
    ::closedir(listing);
    return found;
}

} // namespace
#endif

bool isUnambiguous(const QString& name)
{
#ifdef Q_OS_UNIX
    if (!name.contains(QChar::ReplacementCharacter))
        return true;
    QByteArray folder("/");
    const QStringList parts = QFileInfo(name).absoluteFilePath().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part.contains(QChar::ReplacementCharacter) && holdsUndecodableNamesake(folder, part))
            return false;
        folder += QFile::encodeName(part) + '/';
    }
#else
    Q_UNUSED(name);
#endif
    return true;
}

} // namespace FileNames
