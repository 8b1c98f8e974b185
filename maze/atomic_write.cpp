#include "atomic_write.h"

#include <atomic>
#include <chrono>
#include <string>

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

} // namespace detail
} // namespace atomicfile
