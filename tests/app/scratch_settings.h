#pragma once

#include <QFile>
#include <QTemporaryDir>

// The settings and the data (recovery copies) of every program that
// includes this live in a scratch folder of their own, set before the
// application object exists (and inherited by any program a test starts),
// never in the user's.
struct ScratchSettings {
    QTemporaryDir folder;
    ScratchSettings()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath(QStringLiteral("data"))));
    }
};
inline ScratchSettings scratchSettings;
