#include "Hhelp.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

// Outside Windows the manual is HTML and the desktop's browser shows it, so
// there is nothing to load or release and nothing that can be missing.

void LoadHelp()
{
}

bool ShowHelp(void*, const std::filesystem::path& file)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdU16String(file.u16string())));
}

void FreeHelp()
{
}
