#pragma once

#include <cstddef>
#include <filesystem>

// Replaces a file as a whole or not at all: the new content goes to a
// temporary file in the target's folder, is flushed to disk, takes over the
// old file's permissions (and its owner and group, where the process may set
// them) and is then renamed over the target. On any failure the old file
// stays exactly as it was and the temporary file is removed. A target marked
// read-only is refused, also for a user who could replace it, and so is
// anything but a regular file.
//
// Several programs may save the same name at once: each temporary file is
// locked by its writer until it has been renamed, and the clean-up of
// temporaries that killed saves left behind passes over locked ones.
namespace atomicfile {

// The steps of writeFile. On failure `failedStep` (if given) tells which one
// failed: Create for a target refused or a temporary that could not be made,
// the others for a write, flush or rename that went wrong part of the way.
enum class Step { Create, Write, Flush, Replace };

bool writeFile(const std::filesystem::path& target, const void* data, std::size_t size,
               Step* failedStep = nullptr);

// The same in two steps, for callers that put several files in place
// together: prepareFile writes the content in full under a temporary name
// beside its target (with everything writeFile checks and keeps), and
// commit() renames it over the target. A pending file dropped without a
// successful commit is removed, and its target stays as it was.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&& other) noexcept;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();

    // Whether there is a written file waiting to replace its target.
    explicit operator bool() const { return !temp_.empty(); }
    // The file that commit() replaces (a symbolic link followed).
    const std::filesystem::path& target() const { return target_; }

    // Renames the temporary over the target; on failure the temporary is
    // removed and `failedStep` (if given) is Replace.
    bool commit(Step* failedStep = nullptr);
    // Lets go of the lock that keeps other savers' clean-up away from the
    // temporary, for a caller that holds more pending files than it may keep
    // open. Another program saving the same name meanwhile may then take it,
    // and the commit fails instead of replacing the target.
    void releaseLock();

private:
    friend PendingFile prepareFile(const std::filesystem::path&, const void*, std::size_t, Step*);
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    int lock_ = -1; // the temporary's open descriptor, where the platform locks with one
};

PendingFile prepareFile(const std::filesystem::path& target, const void* data, std::size_t size,
                        Step* failedStep = nullptr);

// The system's error number behind the last prepareFile of this thread that
// failed (0 where the platform does not tell): so that a caller can name a
// cause such as too many open files.
int lastErrorNumber();

// For tests that need one of the steps to fail (a full disk, a rename refused
// by the file system) where the machine cannot arrange it.
using FaultHook = bool (*)(Step step); // true: this step fails
void setFaultHook(FaultHook hook);

namespace detail {
bool injectedFault(Step step);
// The longest file name temporaryName gives, in bytes (UTF-16 units on
// Windows): what every usual file system takes, whatever the target's length.
constexpr std::size_t MaxTemporaryNameLength = 255;
// The name of the temporary file next to the target: hidden, and no longer
// than MaxTemporaryNameLength. A long target name is shortened and carries a
// hash of the whole name instead.
std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned attempt);
// Whether `candidate` is a name temporaryName gives for `target`.
bool isTemporaryOf(const std::filesystem::path& candidate, const std::filesystem::path& target);
// Removes temporary files of `target` that a killed save left behind; a
// temporary that another save is still writing is left alone.
void removeStaleTemporaries(const std::filesystem::path& target);
// Removes `temporary` if no writer holds it any more (per platform).
void removeIfAbandoned(const std::filesystem::path& temporary);
}

} // namespace atomicfile
