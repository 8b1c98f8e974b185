#include "StagedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace {

// The file a target names: a symbolic link is followed to what it points at.
QString followed(const QString& target)
{
    const QFileInfo info(target);
    if (!info.isSymLink())
        return target;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical; // a dangling link: where it points
}

} // namespace

StagedFiles::~StagedFiles()
{
    for (const Entry& e : entries_)
        if (!e.staged.isEmpty())
            QFile::remove(e.staged);
}

BitmapExport::Result StagedFiles::stage(const QString& target, const std::function<bool(QIODevice&)>& write)
{
    const QString file = followed(target);
    const QFileInfo info(file);
    // Hidden, beside the target so that the rename stays on one file system,
    // and this process's own.
    const QString staged = info.dir().filePath(QStringLiteral(".%1.%2-%3.part")
                                                   .arg(info.fileName(),
                                                        QString::number(QCoreApplication::applicationPid()),
                                                        QString::number(entries_.size())));
    QSaveFile out(staged);
    if (!out.open(QIODevice::WriteOnly))
        return BitmapExport::Result::CannotCreate;
    if (!write(out)) {
        out.cancelWriting();
        return BitmapExport::Result::WriteError;
    }
    if (!out.commit())
        return BitmapExport::Result::WriteError;
    entries_.push_back({staged, file, target});
    return BitmapExport::Result::Written;
}

StagedFiles::Failure StagedFiles::commit()
{
    for (Entry& e : entries_) {
        if (e.staged.isEmpty())
            continue;
        // A file replaced keeps its permissions, as a save keeps them.
        const QFileInfo old(e.file);
        if (old.exists())
            QFile::setPermissions(e.staged, old.permissions());
        std::error_code ec;
        std::filesystem::rename(std::filesystem::path(e.staged.toStdU16String()),
                                std::filesystem::path(e.file.toStdU16String()), ec);
        if (ec)
            return {BitmapExport::Result::CannotCreate, e.target};
        e.staged.clear();
    }
    return {};
}
