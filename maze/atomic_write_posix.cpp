#include "atomic_write.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
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

// Writes, takes over the old file's permissions and flushes; the descriptor
// stays open.
bool fillAndFlush(int fd, const void* data, std::size_t size, const struct stat* old)
{
    bool ok = !detail::injectedFault(Step::Write) && writeAll(fd, static_cast<const unsigned char*>(data), size);
    if (ok && old)
        ok = ::fchmod(fd, old->st_mode & 07777) == 0;
    return ok && !detail::injectedFault(Step::Flush) && ::fsync(fd) == 0;
}

// The new content, complete and flushed, under a hidden temporary name next
// to the target. On Linux the file is anonymous (O_TMPFILE) while it is being
// written and gets its name only when complete, so a process killed while
// writing leaves nothing behind. Elsewhere, or where the file system or a
// missing /proc does not allow that, it is a named hidden file from the start.
// Returns false with `temp` naming whatever must be removed (or empty).
bool writeTemporary(const std::filesystem::path& target, const void* data, std::size_t size,
                    const struct stat* old, std::filesystem::path& temp)
{
    temp.clear();
#ifdef O_TMPFILE
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const int anonymous = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (anonymous >= 0) {
        bool ok = fillAndFlush(anonymous, data, size, old);
        bool named = false;
        if (ok) {
            const std::string self = "/proc/self/fd/" + std::to_string(anonymous);
            for (unsigned attempt = 0; attempt < 100 && !named; ++attempt) {
                temp = detail::temporaryName(target, attempt);
                named = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0;
                if (!named && errno != EEXIST)
                    break;
            }
            if (!named)
                temp.clear();
        }
        ok = (::close(anonymous) == 0) && ok;
        if (!ok || named)
            return ok;
        // Written but not linkable: fall back to a named file.
    }
#endif
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = detail::temporaryName(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        temp.clear();
        return false;
    }
    const bool ok = fillAndFlush(fd, data, size, old);
    return (::close(fd) == 0) && ok;
}

// A file nobody may write to is left alone, even by root, who could replace it:
// the user marked it read-only.
bool isReadOnly(const std::filesystem::path& target, const struct stat& old)
{
    return (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0;
}

} // namespace

bool writeFile(const std::filesystem::path& requested, const void* data, std::size_t size)
{
    namespace fs = std::filesystem;
    std::error_code ec;

    // Writing through a symbolic link replaces the file it points to, not the link.
    fs::path target = requested;
    if (fs::is_symlink(fs::symlink_status(requested, ec))) {
        target = fs::weakly_canonical(requested, ec);
        if (ec)
            return false;
    }

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return false;

    if (exists && isReadOnly(target, old))
        return false;

    if (detail::injectedFault(Step::Create))
        return false;
    fs::path temp;
    bool ok = writeTemporary(target, data, size, exists ? &old : nullptr, temp);
    ok = ok && !detail::injectedFault(Step::Replace) && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        if (!temp.empty())
            ::unlink(temp.c_str());
        return false;
    }
    fs::path folder = target.parent_path();
    syncFolder(folder.empty() ? fs::path(".") : folder);
    detail::removeStaleTemporaries(target);
    return true;
}

} // namespace atomicfile
