#pragma once

#include <QString>
#include <QStringList>

// The maze files last opened or saved, most recent first, and the folder each
// file dialog last showed. Kept in the program's settings under "recent/", so
// they outlast the program.
class RecentFiles {
public:
    static constexpr int MaxFiles = 8;
    enum class Dialog { Open, Save, Bitmap };

    QStringList files() const;
    // Puts the file first; a file already listed moves up.
    void add(const QString& file);
    void remove(const QString& file);

    // The folder the dialog last showed, or empty.
    QString folder(Dialog dialog) const;
    // Remembers the folder of a file chosen in the dialog.
    void setFolderOf(Dialog dialog, const QString& file);
};
