#include "target_lock.h"

#include "atomic_write.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {

namespace {

#ifdef F_OFD_SETLK
// Locks of an open file description: a process never conflicts with itself
// through its one descriptor, and closing another descriptor of the same
// file (which drops a process's POSIX locks) cannot lose them.
constexpr int LockSet = F_OFD_SETLK;
constexpr int LockGet = F_OFD_GETLK;
#else
constexpr int LockSet = F_SETLK;
constexpr int LockGet = F_GETLK;
#endif

constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};

// The user's own folder for it: the session's runtime folder, or one of
// the user's own under /tmp that nobody else may use.
std::string lockFolder()
{
    const uid_t user = ::getuid();
    const auto ownPrivateFolder = [user](const std::string& folder) {
        struct stat info {};
        return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user
            && (info.st_mode & 077) == 0;
    };
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/' && ownPrivateFolder(runtime))
        return runtime;
    const std::string folder = "/tmp/zubelo-" + std::to_string(user);
    ::mkdir(folder.c_str(), 0700);
    return ownPrivateFolder(folder) ? folder : std::string();
}

struct Registry {
    std::mutex mutex;
    pid_t pid = 0;
    int fd = -1;
    std::set<std::uint64_t> held; // by the writers of this process

    // The lock file's descriptor, or -1 where it cannot be kept. A child
    // of fork opens its own, and holds none of its parent's locks.
    int descriptor()
    {
        if (pid != ::getpid()) {
            if (fd >= 0)
                ::close(fd);
            held.clear();
            pid = ::getpid();
            const std::string folder = lockFolder();
            fd = folder.empty() ? -1
                                : ::open((folder + "/zubelo-targets.lock").c_str(),
                                         O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        }
        return fd;
    }
};

Registry& registry()
{
    static Registry r;
    return r;
}

void mix(std::uint64_t& hash, const void* data, std::size_t size)
{
    for (const auto* b = static_cast<const unsigned char*>(data); size-- > 0; ++b) {
        hash ^= *b;
        hash *= 1099511628211ULL; // FNV-1a
    }
}

// A target's byte in the lock file: its folder (as the file system knows
// it, whatever name leads there) and its own name. False when the folder
// is not there, and nothing can be written into it anyway.
bool keyOf(const std::filesystem::path& target, std::uint64_t& key)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return false;
    std::uint64_t hash = 14695981039346656037ULL;
    mix(hash, &info.st_dev, sizeof info.st_dev);
    mix(hash, &info.st_ino, sizeof info.st_ino);
    const std::string name = target.filename().native();
    mix(hash, name.data(), name.size());
    key = hash >> 2; // a positive file offset
    return true;
}

struct flock byteLock(short type, std::uint64_t key)
{
    struct flock l {};
    l.l_type = type;
    l.l_whence = SEEK_SET;
    l.l_start = off_t(key);
    l.l_len = 1;
    return l;
}

constexpr std::size_t OwnSlots = 4096;
std::atomic<char*> ownTemporaries[OwnSlots];

extern "C" void removeAndEnd(int number)
{
    removeOwnTemporaries();
    ::signal(number, SIG_DFL);
    ::raise(number); // delivered as the handler returns: the usual end
}

} // namespace

TargetLocks::~TargetLocks()
{
    releaseAll();
}

bool TargetLocks::take(const std::filesystem::path& target)
{
    std::uint64_t key = 0;
    if (!keyOf(target, key))
        return true;
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    const int fd = r.descriptor();
    if (r.held.count(key))
        return false;
    if (fd >= 0) {
        struct flock l = byteLock(F_WRLCK, key);
        if (::fcntl(fd, LockSet, &l) != 0 && (errno == EACCES || errno == EAGAIN))
            return false;
    }
    r.held.insert(key);
    held_.push_back(key);
    return true;
}

void TargetLocks::releaseAll()
{
    if (held_.empty())
        return;
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    const int fd = r.descriptor();
    for (const std::uint64_t key : held_) {
        if (r.held.erase(key) && fd >= 0) {
            struct flock l = byteLock(F_UNLCK, key);
            ::fcntl(fd, LockSet, &l);
        }
    }
    held_.clear();
}

bool isLocked(const std::filesystem::path& target)
{
    std::uint64_t key = 0;
    if (!keyOf(target, key))
        return false;
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    const int fd = r.descriptor();
    if (r.held.count(key))
        return true;
    struct flock l = byteLock(F_WRLCK, key);
    return fd >= 0 && ::fcntl(fd, LockGet, &l) == 0 && l.l_type != F_UNLCK;
}

void removeOwnTemporaries() noexcept
{
    for (std::atomic<char*>& slot : ownTemporaries)
        if (const char* name = slot.load())
            ::unlink(name);
}

void removeTemporariesOnTermination()
{
    struct sigaction action {};
    action.sa_handler = removeAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int number : Handled)
        sigaddset(&action.sa_mask, number); // one at a time
    for (const int number : Handled)
        ::sigaction(number, &action, nullptr);
}

TerminationDeferred::TerminationDeferred()
{
    sigset_t deferred;
    sigemptyset(&deferred);
    for (const int number : Handled)
        sigaddset(&deferred, number);
    ::pthread_sigmask(SIG_BLOCK, &deferred, &saved_);
}

TerminationDeferred::~TerminationDeferred()
{
    ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

namespace detail {

void rememberTemporary(const std::filesystem::path& temporary)
{
    char* name = ::strdup(temporary.c_str());
    if (!name)
        return;
    for (std::atomic<char*>& slot : ownTemporaries) {
        char* empty = nullptr;
        if (slot.compare_exchange_strong(empty, name))
            return;
    }
    std::free(name); // more than any export writes: not removed on a signal
}

void forgetTemporary(const std::filesystem::path& temporary)
{
    for (std::atomic<char*>& slot : ownTemporaries) {
        char* name = slot.load();
        if (name && std::strcmp(name, temporary.c_str()) == 0 && slot.compare_exchange_strong(name, nullptr)) {
            std::free(name);
            return;
        }
    }
}

} // namespace detail
} // namespace atomicfile
