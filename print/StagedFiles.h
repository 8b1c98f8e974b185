#pragma once

#include "BitmapExport.h"
#include "atomic_write.h"
#include "target_lock.h"

#include <QString>

#include <functional>
#include <vector>

class QIODevice;

// Several files put in place together: each is first written in full under a
// hidden temporary name beside its target, as a maze file is saved, and only
// when every one of them is written are they renamed over their targets. A
// failure while writing leaves every target as it was and no file behind.
// Only a rename can fail after others were done (the writing before has
// already met every full disk and refused folder); the files before it then
// stand new, the rest as they were.
//
// Each target is locked from its staging on (see atomicfile::TargetLocks):
// a file that another writer is putting in place is refused as Busy before
// anything is replaced, and no other saver removes the staged temporaries.
class StagedFiles {
public:
    StagedFiles() = default;
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes the content of `target` through `write` (false: it failed).
    // A target that is a symbolic link has the file it points to replaced,
    // as a single save would; a pipe, a device, a folder or a read-only file
    // is refused, and a file another writer is staging is Busy.
    BitmapExport::Result stage(const QString& target, const std::function<bool(QIODevice&)>& write);

    struct Failure {
        BitmapExport::Result result = BitmapExport::Result::Written;
        QString target; // the one that failed
    };
    // Renames every staged file over its target, in the order they were
    // staged; stops at the first that fails. Termination signals wait until
    // it is done. Then lets go of the targets and removes what killed
    // writers left behind in their folders.
    Failure commit();

private:
    struct Entry {
        atomicfile::PendingFile file;
        QString target;
    };
    atomicfile::TargetLocks locks_; // let go after the files below are gone
    // Whatever is not committed is removed with them.
    std::vector<Entry> entries_;
};
