#include "Application.h"
#include "FileNames.h"
#include "Main.h"
#include "Setsize.h"
#include "Version.h"

#include <QMessageBox>

#include <exception>

int main(int argc, char** argv)
{
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
        // loaded as Load would; a refused file leaves the start-up state. A
        // name whose bytes are not UTF-8 is refused: decoded, it would name
        // another file.
        const QString document = ZubeloApplication::documentArgument(QCoreApplication::arguments());
        if (!document.isEmpty())
            FMain.OpenDocument(document, argc != 2 || FileNames::isFaithful(argv[1]));
        app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString());
    }
    return 0;
}
