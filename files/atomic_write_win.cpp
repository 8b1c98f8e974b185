#include "atomic_write.h"

#include "file_kind.h"
#include "target_lock.h"

#include <chrono>
#include <windows.h>

namespace atomicfile {

int lastErrorNumber()
{
    return 0;
}

PendingFile prepareFile(const std::filesystem::path& target, const void* data, std::size_t size,
                        Step* failedStep)
{
    Step reached = Step::Create;
    const auto fail = [&] {
        if (failedStep)
            *failedStep = reached;
        return PendingFile();
    };
    if (!filekind::isWritableTarget(target))
        return fail();
    const DWORD oldAttributes = GetFileAttributesW(target.c_str());
    const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;
    // A folder or a read-only file is not replaced.
    if (exists && (oldAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return fail();

    if (detail::injectedFault(Step::Create))
        return fail();
    std::filesystem::path temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = detail::temporaryName(target, attempt);
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return fail();
    }
    if (file == INVALID_HANDLE_VALUE)
        return fail();

    reached = Step::Write;
    bool ok = !detail::injectedFault(Step::Write);
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (ok && size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        ok = WriteFile(file, bytes, chunk, &written, nullptr) && written == chunk;
        bytes += written;
        size -= written;
    }
    if (ok)
        reached = Step::Flush;
    ok = ok && !detail::injectedFault(Step::Flush) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok && exists)
        ok = SetFileAttributesW(temp.c_str(), oldAttributes & ~FILE_ATTRIBUTE_TEMPORARY) != 0;
    if (!ok) {
        DeleteFileW(temp.c_str());
        return fail();
    }
    PendingFile pending;
    pending.target_ = target;
    pending.temp_ = temp;
    return pending;
}

bool PendingFile::commit(Step* failedStep)
{
    if (temp_.empty())
        return false;
    const bool ok = !detail::injectedFault(Step::Replace)
        && MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        if (failedStep)
            *failedStep = Step::Replace;
        discard();
        return false;
    }
    temp_.clear();
    detail::removeStaleTemporaries(target_);
    return true;
}

// The temporary is closed once written; other savers' clean-up leaves it
// alone for a minute (see removeIfAbandoned), so there is no lock to give up.
void PendingFile::releaseLock()
{
}

void PendingFile::discard()
{
    if (!temp_.empty())
        DeleteFileW(temp_.c_str());
    temp_.clear();
}

namespace detail {

void removeIfAbandoned(const std::filesystem::path& temporary)
{
    // A save in progress keeps its temporary open, and an open file cannot be
    // deleted; only the moment between closing and renaming it is unguarded,
    // so a temporary is taken only once it is a minute old.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(temporary, ec)))
        return;
    const auto written = std::filesystem::last_write_time(temporary, ec);
    if (!ec && std::filesystem::file_time_type::clock::now() - written > std::chrono::minutes(1))
        DeleteFileW(temporary.c_str());
}

// A book's targets are not locked against other programs here, and
// signals end a program without its clean-up.
void rememberTemporary(const std::filesystem::path&) { }
void forgetTemporary(const std::filesystem::path&) { }

} // namespace detail

TargetLocks::~TargetLocks() = default;

bool TargetLocks::take(const std::filesystem::path&)
{
    return true;
}

void TargetLocks::releaseAll() { }

bool isLocked(const std::filesystem::path&)
{
    return false;
}

void removeOwnTemporaries() noexcept { }
void removeTemporariesOnTermination() { }
TerminationDeferred::TerminationDeferred() = default;
TerminationDeferred::~TerminationDeferred() = default;

} // namespace atomicfile
