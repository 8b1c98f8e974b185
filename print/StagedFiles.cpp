#include "StagedFiles.h"
#include "FileNames.h"

#include <QBuffer>

#include <cerrno>
#include <filesystem>
#include <set>

namespace {

// A pending file keeps its temporary open (and locked against other savers'
// clean-up) until it is committed; past this many, a batch of hundreds of
// files closes them rather than run out of descriptors. The target's lock
// keeps the clean-up away from those.
constexpr std::size_t MaxLockedFiles = 200;

BitmapExport::Result resultOf(atomicfile::Step failed)
{
    return failed == atomicfile::Step::Create ? BitmapExport::Result::CannotCreate
                                              : BitmapExport::Result::WriteError;
}

} // namespace

BitmapExport::Result StagedFiles::stage(const QString& target, const std::function<bool(QIODevice&)>& write)
{
    const std::filesystem::path resolved = atomicfile::detail::resolveLinks(FileNames::toPath(target));
    if (!resolved.empty() && !locks_.take(resolved))
        return BitmapExport::Result::Busy;
    // Made whole in memory first: a writer that stops part of the way is a
    // failure, never a short file.
    QBuffer content;
    content.open(QIODevice::WriteOnly);
    if (!write(content))
        return BitmapExport::Result::WriteError;
    const QByteArray& bytes = content.data();
    atomicfile::Step failed = atomicfile::Step::Create;
    atomicfile::PendingFile file = atomicfile::prepareFile(FileNames::toPath(target),
                                                           bytes.constData(), std::size_t(bytes.size()), &failed);
    if (!file) {
        const int cause = atomicfile::lastErrorNumber();
        if (failed == atomicfile::Step::Create && (cause == EMFILE || cause == ENFILE))
            return BitmapExport::Result::TooManyFiles;
        return resultOf(failed);
    }
    if (entries_.size() >= MaxLockedFiles)
        file.releaseLock();
    entries_.push_back({std::move(file), target});
    return BitmapExport::Result::Written;
}

StagedFiles::Failure StagedFiles::commit()
{
    Failure failure;
    std::set<std::filesystem::path> folders;
    {
        const atomicfile::TerminationDeferred deferred;
        for (Entry& e : entries_) {
            if (!e.file)
                continue;
            folders.insert(e.file.target().parent_path());
            atomicfile::Step failed = atomicfile::Step::Replace;
            if (!e.file.commit(&failed)) {
                failure = {resultOf(failed), e.target};
                break;
            }
        }
    }
    if (failure.result != BitmapExport::Result::Written)
        return failure;
    entries_.clear();
    locks_.releaseAll();
    for (const std::filesystem::path& folder : folders)
        atomicfile::detail::removeAbandonedTemporaries(folder);
    return failure;
}
