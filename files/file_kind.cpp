#include "file_kind.h"

#include <system_error>

#ifdef _WIN32
#include <fstream>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

namespace filekind {

#ifdef _WIN32

Kind kindOf(const std::filesystem::path& file)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    switch (status.type()) {
    case std::filesystem::file_type::not_found: return Kind::Missing;
    case std::filesystem::file_type::regular: return Kind::Regular;
    case std::filesystem::file_type::directory: return Kind::Directory;
    default: return Kind::Special;
    }
}

struct InputFile::Buffer : std::filebuf {};

InputFile::InputFile(const std::filesystem::path& file)
    : buffer_(std::make_unique<Buffer>())
    , stream_(buffer_.get())
{
    open_ = kindOf(file) == Kind::Regular && buffer_->open(file, std::ios::in | std::ios::binary);
    if (!open_)
        stream_.setstate(std::ios::failbit);
}

InputFile::~InputFile() = default;

#else

Kind kindOf(const std::filesystem::path& file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Kind::Missing : Kind::Special;
    if (S_ISREG(info.st_mode))
        return Kind::Regular;
    return S_ISDIR(info.st_mode) ? Kind::Directory : Kind::Special;
}

// Reads the descriptor in large blocks; a read error ends the stream.
struct InputFile::Buffer : std::streambuf {
    int fd = -1;
    std::vector<char> block = std::vector<char>(64 * 1024);

    ~Buffer() override
    {
        if (fd >= 0)
            ::close(fd);
    }

    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        ssize_t n = 0;
        do {
            n = ::read(fd, block.data(), block.size());
        } while (n < 0 && errno == EINTR);
        if (n <= 0)
            return traits_type::eof();
        setg(block.data(), block.data(), block.data() + n);
        return traits_type::to_int_type(*gptr());
    }
};

InputFile::InputFile(const std::filesystem::path& file)
    : buffer_(std::make_unique<Buffer>())
    , stream_(buffer_.get())
{
    // Checked by name first, so that a device is not even opened (opening
    // some has effects of its own); then opened without waiting and checked
    // on the descriptor, in case the name changed hands in between.
    if (kindOf(file) == Kind::Regular) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat info {};
        if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            buffer_->fd = fd;
            open_ = true;
        } else if (fd >= 0) {
            ::close(fd);
        }
    }
    if (!open_)
        stream_.setstate(std::ios::failbit);
}

InputFile::~InputFile() = default;

#endif

bool isWritableTarget(const std::filesystem::path& file)
{
    const Kind kind = kindOf(file);
    return kind == Kind::Missing || kind == Kind::Regular;
}

} // namespace filekind
