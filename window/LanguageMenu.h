#pragma once

#include <QObject>

class QActionGroup;
class QMenu;
class QWidget;

// The View menu's "言語 / Language" submenu: 日本語, English, or as the
// system asks, as radio items. Each names itself in its own language, so
// that it is found whichever language is shown. A choice is kept in the
// settings (ui/language) and switches the whole program at once.
class LanguageMenu : public QObject {
    Q_OBJECT

public:
    // Adds the submenu to `viewMenu`, with the stored choice checked.
    LanguageMenu(QMenu* viewMenu, QWidget* window);

    void retranslateUi();

private:
    QMenu* menu_;
    QActionGroup* group_;
};
