#pragma once

#include <QApplication>

// The program's application object: the interface language (Qt's own
// dialogs included) with its font, the program's name and icon, and a
// message box for an exception that escapes a handler, after which the
// program goes on.
class ZubeloApplication : public QApplication {
    Q_OBJECT

public:
    ZubeloApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // What the program sets up on any QApplication (tests use it too).
    static void setUp(QApplication& app);

    // The file to open at start-up: the one argument a file manager passes
    // (`zubelo FILE`), made absolute; empty for no argument, for an option
    // or for more than one argument, which start the program as usual.
    static QString documentArgument(const QStringList& arguments);
    // The Japanese interface font: MS PGothic where it exists, else
    // IPAPGothic or another Japanese font, 12 pixels high.
    static QFont interfaceFont();
};
