#pragma once

#include <QString>

#include <functional>

class QMenu;
class RecentFiles;

// Fills `menu` with the recent files, numbered, each opening through `open`;
// the menu is disabled while the list is empty.
void fillRecentMenu(QMenu* menu, const RecentFiles& recent, const std::function<void(const QString&)>& open);
