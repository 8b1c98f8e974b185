#include "atomic_write.h"

#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

namespace atomicfile {

namespace {
std::atomic<FaultHook> faultHook{nullptr};
}

void setFaultHook(FaultHook hook)
{
    faultHook = hook;
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
    std::filesystem::path name = target;
    name.replace_filename(std::filesystem::path(u8".") += target.filename());
    name += "." + std::to_string(stamp % 1000000007ULL) + "-" + std::to_string(attempt) + ".tmp";
    return name;
}

bool isTemporaryOf(const std::filesystem::path& candidate, const std::filesystem::path& target)
{
    // "." + target name + "." + digits + "-" + digits + ".tmp"
    const std::string name = candidate.filename().string();
    const std::string prefix = "." + target.filename().string() + ".";
    const std::string suffix = ".tmp";
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0
        || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string stamp = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dash = stamp.find('-');
    const auto digits = [](const std::string& s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
    };
    return dash != std::string::npos && digits(stamp.substr(0, dash)) && digits(stamp.substr(dash + 1));
}

void removeStaleTemporaries(const std::filesystem::path& target)
{
    // What a save that was killed between naming its file and renaming it
    // left behind; the save just finished has replaced it.
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (isTemporaryOf(it->path(), target) && it->is_regular_file(ec))
            std::filesystem::remove(it->path(), ec);
    }
}

} // namespace detail
} // namespace atomicfile
