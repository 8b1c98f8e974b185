#include "atomic_write.h"

#include <cerrno>
#include <fcntl.h>
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

    if (detail::injectedFault(Step::Create))
        return false;
    fs::path temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = detail::temporaryName(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    bool ok = !detail::injectedFault(Step::Write)
        && writeAll(fd, static_cast<const unsigned char*>(data), size);
    if (ok && exists)
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && !detail::injectedFault(Step::Flush) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && !detail::injectedFault(Step::Replace) && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    fs::path folder = target.parent_path();
    syncFolder(folder.empty() ? fs::path(".") : folder);
    return true;
}

} // namespace atomicfile
