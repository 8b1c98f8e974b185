#include "DesktopPlatform.h"

#include <QGuiApplication>

namespace {

QString& testingName()
{
    static QString name;
    return name;
}

} // namespace

QString desktopPlatformName()
{
    return testingName().isEmpty() ? QGuiApplication::platformName() : testingName();
}

void setDesktopPlatformNameForTesting(const QString& name)
{
    testingName() = name;
}

bool desktopCutsWindows()
{
    return !desktopPlatformName().startsWith(QStringLiteral("wayland"));
}
