#include "StagedFiles.h"
#include "FileNames.h"

#include <QBuffer>

namespace {

// A pending file keeps its temporary open (and locked against other savers'
// clean-up) until it is committed; past this many, a batch of hundreds of
// files lets go of the locks rather than run out of descriptors.
constexpr std::size_t MaxLockedFiles = 200;

BitmapExport::Result resultOf(atomicfile::Step failed)
{
    return failed == atomicfile::Step::Create ? BitmapExport::Result::CannotCreate
                                              : BitmapExport::Result::WriteError;
}

} // namespace

BitmapExport::Result StagedFiles::stage(const QString& target, const std::function<bool(QIODevice&)>& write)
{
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
    if (!file)
        return resultOf(failed);
    if (entries_.size() >= MaxLockedFiles)
        file.releaseLock();
    entries_.push_back({std::move(file), target});
    return BitmapExport::Result::Written;
}

StagedFiles::Failure StagedFiles::commit()
{
    for (Entry& e : entries_) {
        if (!e.file)
            continue;
        atomicfile::Step failed = atomicfile::Step::Replace;
        if (!e.file.commit(&failed))
            return {resultOf(failed), e.target};
    }
    return {};
}
