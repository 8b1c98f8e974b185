#include "shell_open.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

bool openAddress(void*, const std::string& utf8Address)
{
    // The desktop (xdg-open, Launch Services, ...) picks the program; there is
    // no owner window to pass on.
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(utf8Address)));
}
