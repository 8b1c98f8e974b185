#include "Application.h"
#include "CommandLine.h"
#include "Main.h"
#include "Setsize.h"
#include "Version.h"

#include <QMessageBox>

#include <exception>

int main(int argc, char** argv)
{
    // An export or the help runs without the window, and without a display.
    if (CommandLine::wantsConsole(argc, argv))
        return CommandLine::run(argc, argv);
    try {
        ZubeloApplication app(argc, argv);
        // The three forms, in this order; the first is the main window.
        TFMain FMain;
        TFSetSize FSetSize(&FMain);
        TFVersion FVersion(&FMain);
        FMain.attachDialogs(&FSetSize, &FVersion);
        FMain.InitMaze();
        FMain.show();
        // A file given by the file manager (a double-click on a .maz file) is
        // loaded as Load would; a refused file leaves the start-up state.
        const QString document = ZubeloApplication::documentArgument(QCoreApplication::arguments());
        if (!document.isEmpty())
            FMain.OpenDocument(document);
        app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString());
    }
    return 0;
}
