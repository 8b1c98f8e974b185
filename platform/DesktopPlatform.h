#pragma once

#include <QString>

// The windowing platform Qt runs on, as QGuiApplication::platformName()
// names it ("xcb", "wayland", "windows" ...), unless a test has set another
// name to see how the window behaves there.
QString desktopPlatformName();
// An empty name gives Qt's own again.
void setDesktopPlatformNameForTesting(const QString& name);

// Whether top-level windows can be cut into by a mask or a colour key here.
// Wayland compositors ignore both.
bool desktopCutsWindows();
