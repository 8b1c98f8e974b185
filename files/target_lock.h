#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#endif

// Several files put in place together (a book of mazes), against whatever
// else runs beside them.
namespace atomicfile {

// Which program is putting a file in place. A program that stages files to
// replace them together holds each target's lock from the moment its
// content is staged until it is committed or dropped: another writer that
// stages any of the same files, in this program or another, sees it and
// fails before replacing anything, and no saver's clean-up takes the staged
// temporaries meanwhile.
//
// The locks of one user are bytes of one small file in the user's runtime
// folder, one byte for each target: a process holds all its locks through
// one descriptor, however many files it stages. Where that file cannot be
// kept, only the writers within this process see each other.
class TargetLocks {
public:
    TargetLocks() = default;
    ~TargetLocks();
    TargetLocks(const TargetLocks&) = delete;
    TargetLocks& operator=(const TargetLocks&) = delete;

    // Takes the lock of `target`, a file name with its links followed.
    // False when another writer holds it.
    bool take(const std::filesystem::path& target);
    void releaseAll();

private:
    std::vector<std::uint64_t> held_;
};

// Whether any writer holds the lock of `target`.
bool isLocked(const std::filesystem::path& target);

// The first of `targets` that names the same file as one before it (links
// followed, other names of one file too): its index, or targets.size().
std::size_t firstRepeatedFile(const std::vector<std::filesystem::path>& targets);

// Removes the temporaries this process has written and not yet put in
// place. Safe in a signal handler.
void removeOwnTemporaries() noexcept;
// From now on SIGTERM, SIGHUP and SIGINT remove this process's temporaries
// and then end it as they would have. For a program that handles no signal
// of its own (the command line).
void removeTemporariesOnTermination();

// While one lives, SIGTERM, SIGHUP and SIGINT wait in this thread, so that
// renaming several files over their targets is never cut half way.
class TerminationDeferred {
public:
    TerminationDeferred();
    ~TerminationDeferred();
    TerminationDeferred(const TerminationDeferred&) = delete;
    TerminationDeferred& operator=(const TerminationDeferred&) = delete;

private:
#ifndef _WIN32
    sigset_t saved_;
#endif
};

namespace detail {
// Where a file name leads: its symbolic links followed (a link to a file not
// there yet leads to that file's name); empty for a loop of links.
std::filesystem::path resolveLinks(const std::filesystem::path& file);
// The temporaries written and not yet put in place, for removeOwnTemporaries.
void rememberTemporary(const std::filesystem::path& temporary);
void forgetTemporary(const std::filesystem::path& temporary);
// Removes the temporaries in `folder` that killed writers left behind, of
// any target of an export's kind (.pdf .svg .png .bmp .maz) that no writer
// holds now.
void removeAbandonedTemporaries(const std::filesystem::path& folder);
}

} // namespace atomicfile
