#pragma once

#include <QFile>
#include <QTemporaryDir>

// The settings of every program that includes this live in a scratch folder
// of their own, set before the application object exists (and inherited by
// any program a test starts), never in the user's.
struct ScratchSettings {
    QTemporaryDir folder;
    ScratchSettings() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path())); }
};
inline ScratchSettings scratchSettings;
