#include "RecentMenu.h"

#include "RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QMenu>

void fillRecentMenu(QMenu* menu, const RecentFiles& recent, const std::function<void(const QString&)>& open)
{
    menu->clear();
    const QStringList list = recent.files();
    int number = 0;
    for (const QString& file : list) {
        ++number;
        // The number is the access key; an & in the name is shown as itself.
        QString shown = QDir::toNativeSeparators(file);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(number).arg(shown));
        item->setObjectName(QStringLiteral("MMRecent%1").arg(number));
        QObject::connect(item, &QAction::triggered, menu, [open, file] { open(file); });
    }
    menu->setEnabled(!list.isEmpty());
}
