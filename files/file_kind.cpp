#include "file_kind.h"

#include <system_error>

#ifdef _WIN32
#include <fstream>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <unistd.h>
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

ReadResult readWhole(const std::filesystem::path& file, std::size_t maxBytes, std::vector<char>& content, Links links)
{
    std::error_code ec;
    const std::filesystem::file_status status
        = links == Links::Follow ? std::filesystem::status(file, ec) : std::filesystem::symlink_status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return ReadResult::Missing;
    if (status.type() != std::filesystem::file_type::regular)
        return ReadResult::NotRegular;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec)
        return ReadResult::Unreadable;
    if (size > maxBytes)
        return ReadResult::TooLarge;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return ReadResult::Unreadable;
    content.assign(std::size_t(size) + 1, '\0');
    in.read(content.data(), std::streamsize(content.size()));
    if (in.bad())
        return ReadResult::Unreadable;
    content.resize(std::size_t(in.gcount()));
    return content.size() > maxBytes ? ReadResult::TooLarge : ReadResult::Read;
}

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

ReadResult readWhole(const std::filesystem::path& file, std::size_t maxBytes, std::vector<char>& content, Links links)
{
    struct stat info {};
    const int found = links == Links::Follow ? ::stat(file.c_str(), &info) : ::lstat(file.c_str(), &info);
    if (found != 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Unreadable;
    if (!S_ISREG(info.st_mode))
        return ReadResult::NotRegular; // a device is not even opened
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(file.c_str(), flags);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : errno == ELOOP ? ReadResult::NotRegular : ReadResult::Unreadable;
    ReadResult result = ReadResult::Read;
    if (::fstat(fd, &info) != 0)
        result = ReadResult::Unreadable;
    else if (!S_ISREG(info.st_mode))
        result = ReadResult::NotRegular; // the name changed hands
    else if (std::uintmax_t(info.st_size) > maxBytes)
        result = ReadResult::TooLarge;
    content.clear();
    if (result == ReadResult::Read) {
        // One byte more than allowed tells a file that grew past the limit.
        content.resize(std::size_t(info.st_size) + 1);
        std::size_t got = 0;
        for (;;) {
            if (got == content.size()) {
                if (got > maxBytes)
                    break;
                content.resize(std::min(maxBytes + 1, got * 2));
            }
            const ssize_t n = ::read(fd, content.data() + got, content.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result = ReadResult::Unreadable;
                break;
            }
            if (n == 0)
                break;
            got += std::size_t(n);
        }
        content.resize(got);
        if (result == ReadResult::Read && got > maxBytes)
            result = ReadResult::TooLarge;
    }
    ::close(fd);
    if (result != ReadResult::Read)
        content.clear();
    return result;
}

#endif

bool isWritableTarget(const std::filesystem::path& file)
{
    const Kind kind = kindOf(file);
    return kind == Kind::Missing || kind == Kind::Regular;
}

} // namespace filekind
