#include "atomic_write.h"

#include "file_kind.h"
#include "target_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {

namespace {

bool writeAll(int fd, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder)
{
    // Makes the rename itself durable; a folder that cannot be opened for this
    // does not make the save a failure, the file is already in place.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Gives the new file the old one's owner and group. Root may give it back
// to its owner, and any user may keep a group he belongs to; where neither
// is allowed the file becomes the saver's, as any new file would.
void keepOwner(int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0 || (now.st_uid == old.st_uid && now.st_gid == old.st_gid))
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // stays the saver's
    }
}

// Writes, takes over the old file's owner and permissions (in that order:
// a change of owner may clear set-id bits) and flushes.
bool fillAndFlush(int fd, const void* data, std::size_t size, const struct stat* old, Step& reached)
{
    reached = Step::Write;
    bool ok = !detail::injectedFault(Step::Write) && writeAll(fd, static_cast<const unsigned char*>(data), size);
    if (ok && old) {
        keepOwner(fd, *old);
        ok = ::fchmod(fd, old->st_mode & 07777) == 0;
    }
    if (!ok)
        return false;
    reached = Step::Flush;
    return !detail::injectedFault(Step::Flush) && ::fsync(fd) == 0;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Locks a temporary just created under `name`, so that no other saver's
// clean-up takes it while it is written and renamed. False when such a
// clean-up got to it first (its name is then gone, or going); on a file
// system without locks the file is taken as it is.
bool claim(int fd, const std::filesystem::path& name)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;
    struct stat byFd {}, byName {};
    return ::fstat(fd, &byFd) == 0 && ::lstat(name.c_str(), &byName) == 0 && sameFile(byFd, byName);
}

// The new content, complete and flushed, under a hidden temporary name next
// to the target. On Linux the file is anonymous (O_TMPFILE) while it is being
// written and gets its name only when complete, so a process killed while
// writing leaves nothing behind. Elsewhere, or where the file system or a
// missing /proc does not allow that, it is a named hidden file from the start.
// Returns the temporary's descriptor, open and locked until the caller has
// renamed it; or -1, with `temp` naming whatever must be removed (or empty).
int writeTemporary(const std::filesystem::path& target, const void* data, std::size_t size,
                   const struct stat* old, std::filesystem::path& temp, Step& reached)
{
    temp.clear();
#ifdef O_TMPFILE
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const int anonymous = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (anonymous >= 0) {
        // Nobody else can see it yet; the lock comes with its name.
        (void)::flock(anonymous, LOCK_EX | LOCK_NB);
        if (!fillAndFlush(anonymous, data, size, old, reached)) {
            ::close(anonymous);
            return -1;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(anonymous);
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            temp = detail::temporaryName(target, attempt);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
                return anonymous;
            if (errno != EEXIST)
                break;
        }
        temp.clear();
        ::close(anonymous);
        reached = Step::Create;
        // Written but not linkable: fall back to a named file.
    }
#endif
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = detail::temporaryName(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
        if (fd >= 0 && !claim(fd, temp)) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0) {
        temp.clear();
        return -1;
    }
    if (!fillAndFlush(fd, data, size, old, reached)) {
        ::unlink(temp.c_str());
        temp.clear();
        ::close(fd);
        return -1;
    }
    return fd;
}

// A file nobody may write to is left alone, even by root, who could replace it:
// the user marked it read-only.
bool isReadOnly(const std::filesystem::path& target, const struct stat& old)
{
    return (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0;
}

thread_local int lastError = 0;

} // namespace

int lastErrorNumber()
{
    return lastError;
}

PendingFile prepareFile(const std::filesystem::path& requested, const void* data, std::size_t size,
                        Step* failedStep)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    Step reached = Step::Create;
    const auto fail = [&] {
        lastError = errno;
        if (failedStep)
            *failedStep = reached;
        return PendingFile();
    };

    // Writing through a symbolic link replaces the file it points to, not the
    // link; a link to a file not there yet makes that file, not a file in
    // the link's place.
    const fs::path target = detail::resolveLinks(requested);
    if (target.empty())
        return fail();

    // Only a regular file is replaced: a pipe, a device or a folder is refused
    // before anything opens it.
    if (!filekind::isWritableTarget(target))
        return fail();
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return fail();

    if (exists && isReadOnly(target, old))
        return fail();

    if (detail::injectedFault(Step::Create))
        return fail();
    fs::path temp;
    // The temporary gets its name and is noted as this process's own with
    // termination held off, so that a signal in between cannot leave it
    // behind unnoted.
    const TerminationDeferred deferred;
    const int fd = writeTemporary(target, data, size, exists ? &old : nullptr, temp, reached);
    if (fd < 0) {
        if (!temp.empty())
            ::unlink(temp.c_str());
        return fail();
    }
    PendingFile file;
    file.target_ = target;
    file.temp_ = temp;
    file.lock_ = fd;
    detail::rememberTemporary(temp);
    return file;
}

bool PendingFile::commit(Step* failedStep)
{
    namespace fs = std::filesystem;
    if (temp_.empty())
        return false;
    const bool ok = !detail::injectedFault(Step::Replace) && ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        if (failedStep)
            *failedStep = Step::Replace;
        discard();
        return false;
    }
    detail::forgetTemporary(temp_);
    temp_.clear();
    // The lock ends only now that the temporary is the target. The content
    // was flushed before, so closing cannot lose any of it.
    releaseLock();
    fs::path folder = target_.parent_path();
    syncFolder(folder.empty() ? fs::path(".") : folder);
    detail::removeStaleTemporaries(target_);
    return true;
}

void PendingFile::releaseLock()
{
    if (lock_ >= 0)
        ::close(lock_);
    lock_ = -1;
}

void PendingFile::discard()
{
    // Removed while still locked, so no other saver's clean-up meets it half gone.
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        detail::forgetTemporary(temp_);
    }
    temp_.clear();
    releaseLock();
}

namespace detail {

void removeIfAbandoned(const std::filesystem::path& temporary)
{
    // Its writer holds a lock on it until it is renamed: a lock this process
    // can take means the writer is gone. The name must still lead to the file
    // locked, so that nothing newer is removed.
    int fd = ::open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES)
        fd = ::open(temporary.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat byFd {}, byName {};
    if (::fstat(fd, &byFd) == 0 && S_ISREG(byFd.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
        && ::lstat(temporary.c_str(), &byName) == 0 && sameFile(byFd, byName))
        ::unlink(temporary.c_str());
    ::close(fd);
}

} // namespace detail
} // namespace atomicfile
