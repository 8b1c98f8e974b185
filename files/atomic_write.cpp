#include "atomic_write.h"
#include "target_lock.h"

#include <atomic>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

namespace atomicfile {

namespace {

std::atomic<FaultHook> faultHook{nullptr};

using NativeString = std::filesystem::path::string_type;
using NativeChar = NativeString::value_type;

// Room for what a temporary's name adds to its stem:
// "." stem "." up to 10 digits "-" up to 10 digits ".tmp".
constexpr std::size_t SuffixRoom = 1 + 1 + 10 + 1 + 10 + 4;
constexpr std::size_t HashLength = 16;

void appendAscii(NativeString& out, const std::string& text)
{
    for (const char c : text)
        out += static_cast<NativeChar>(c);
}

// Whether `c` continues a character begun before it (a UTF-8 continuation
// byte, or the second half of a UTF-16 surrogate pair): no name is cut there.
template <typename Char>
bool continuesCharacter(Char c)
{
    const auto unit = static_cast<std::make_unsigned_t<Char>>(c);
    if constexpr (sizeof(Char) == 1)
        return (unit & 0xC0) == 0x80;
    else
        return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The part of a temporary's name that stands for its target: the target's
// own name where it fits, else its beginning, "~" and a hash of all of it.
NativeString stemOf(const std::filesystem::path& target)
{
    const NativeString name = target.filename().native();
    if (name.size() + SuffixRoom <= detail::MaxTemporaryNameLength)
        return name;
    std::size_t keep = detail::MaxTemporaryNameLength - SuffixRoom - 1 - HashLength;
    while (keep > 0 && continuesCharacter(name[keep]))
        --keep;
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (const NativeChar c : name) {
        hash ^= static_cast<std::make_unsigned_t<NativeChar>>(c);
        hash *= 1099511628211ULL;
    }
    NativeString stem = name.substr(0, keep);
    stem += static_cast<NativeChar>('~');
    for (int shift = 60; shift >= 0; shift -= 4)
        stem += static_cast<NativeChar>("0123456789abcdef"[(hash >> shift) & 0xF]);
    return stem;
}

bool allDigits(const NativeString& s)
{
    if (s.empty())
        return false;
    for (const NativeChar c : s) {
        if (c < static_cast<NativeChar>('0') || c > static_cast<NativeChar>('9'))
            return false;
    }
    return true;
}

} // namespace

void setFaultHook(FaultHook hook)
{
    faultHook = hook;
}

bool writeFile(const std::filesystem::path& target, const void* data, std::size_t size, Step* failedStep)
{
    PendingFile file = prepareFile(target, data, size, failedStep);
    return file && file.commit(failedStep);
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : target_(std::move(other.target_))
    , temp_(std::move(other.temp_))
    , lock_(std::exchange(other.lock_, -1))
{
    other.temp_.clear();
}

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept
{
    if (this != &other) {
        discard();
        target_ = std::move(other.target_);
        temp_ = std::move(other.temp_);
        lock_ = std::exchange(other.lock_, -1);
        other.temp_.clear();
    }
    return *this;
}

PendingFile::~PendingFile()
{
    discard();
}

namespace detail {

bool injectedFault(Step step)
{
    const FaultHook hook = faultHook;
    return hook && hook(step);
}

std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned attempt)
{
    // Hidden, next to the target, unlikely to meet another writer's name.
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    NativeString name(1, static_cast<NativeChar>('.'));
    name += stemOf(target);
    appendAscii(name, "." + std::to_string(stamp % 1000000007ULL) + "-" + std::to_string(attempt) + ".tmp");
    std::filesystem::path temp = target;
    temp.replace_filename(name);
    return temp;
}

bool isTemporaryOf(const std::filesystem::path& candidate, const std::filesystem::path& target)
{
    // "." stem "." digits "-" digits ".tmp"
    const NativeString name = candidate.filename().native();
    NativeString prefix(1, static_cast<NativeChar>('.'));
    prefix += stemOf(target);
    prefix += static_cast<NativeChar>('.');
    NativeString suffix;
    appendAscii(suffix, ".tmp");
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0
        || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const NativeString stamp = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dash = stamp.find(static_cast<NativeChar>('-'));
    return dash != NativeString::npos && allDigits(stamp.substr(0, dash)) && allDigits(stamp.substr(dash + 1));
}

void removeStaleTemporaries(const std::filesystem::path& target)
{
    // What a save that was killed between naming its file and renaming it
    // left behind; a save still running holds its own and keeps it, and so
    // does a book being written, whose lock is held on the target.
    if (isLocked(target))
        return;
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (isTemporaryOf(it->path(), target))
            removeIfAbandoned(it->path());
    }
}

std::filesystem::path resolveLinks(const std::filesystem::path& file)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path at = file;
    for (int links = 0; fs::is_symlink(fs::symlink_status(at, ec)); ++links) {
        const fs::path next = fs::read_symlink(at, ec);
        if (ec || links == 40)
            return {};
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at;
}

void removeAbandonedTemporaries(const std::filesystem::path& folder)
{
    // "." stem "." digits "-" digits ".tmp", where the stem is the target's
    // whole name (a shortened one does not tell its target).
    NativeString exportSuffixes[5];
    const char* const suffixes[] = {".pdf", ".svg", ".png", ".bmp", ".maz"};
    for (std::size_t i = 0; i < 5; ++i)
        appendAscii(exportSuffixes[i], suffixes[i]);
    const auto lower = [](NativeString s) {
        for (NativeChar& c : s)
            if (c >= static_cast<NativeChar>('A') && c <= static_cast<NativeChar>('Z'))
                c = static_cast<NativeChar>(c - 'A' + 'a');
        return s;
    };
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> found; // temporary, target
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? std::filesystem::path(".") : folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const NativeString name = it->path().filename().native();
        const std::size_t dot = name.size() > 5 ? name.rfind(static_cast<NativeChar>('.'), name.size() - 5) : NativeString::npos;
        if (dot == NativeString::npos || dot < 2 || name[0] != static_cast<NativeChar>('.'))
            continue;
        const NativeString stem = name.substr(1, dot - 1);
        const NativeString type = lower(stem.substr(std::min(stem.size(), stem.rfind(static_cast<NativeChar>('.')))));
        if (std::find(std::begin(exportSuffixes), std::end(exportSuffixes), type) == std::end(exportSuffixes))
            continue;
        std::filesystem::path target = it->path();
        target.replace_filename(stem);
        if (stemOf(target) == stem && isTemporaryOf(it->path(), target))
            found.emplace_back(it->path(), target);
    }
    for (const auto& [temporary, target] : found)
        if (!isLocked(target))
            removeIfAbandoned(temporary);
}

} // namespace detail

std::size_t firstRepeatedFile(const std::vector<std::filesystem::path>& targets)
{
    namespace fs = std::filesystem;
    std::map<fs::path, std::size_t> seen;
    std::vector<fs::path> linked; // files with other names besides
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const fs::path resolved = detail::resolveLinks(targets[i]);
        if (resolved.empty())
            continue; // refused when it is written
        std::error_code ec;
        fs::path file = fs::weakly_canonical(resolved, ec);
        if (ec)
            file = fs::absolute(resolved, ec).lexically_normal();
        if (!seen.emplace(file, i).second)
            return i;
        if (fs::hard_link_count(file, ec) > 1 && !ec) {
            for (const fs::path& other : linked)
                if (fs::equivalent(other, file, ec))
                    return i;
            linked.push_back(file);
        }
    }
    return targets.size();
}

} // namespace atomicfile
