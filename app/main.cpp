#include "Application.h"
#include "CommandLine.h"
#include "FileNames.h"
#include "Main.h"
#include "Recovery.h"
#include "Setsize.h"
#include "TerminationSignals.h"
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
        // Unsaved changes live on in a recovery copy; SIGTERM, SIGHUP and
        // SIGINT end the program normally, the copy written first.
        RecoveryKeeper recovery(RecoveryKeeper::defaultFolder());
        FMain.attachRecovery(&recovery);
        TerminationSignals termination;
        QObject::connect(&termination, &TerminationSignals::received, &FMain, &TFMain::quitKeepingChanges);
        FMain.InitMaze();
        FMain.show();
        FMain.OfferRecovery();
        // A file given by the file manager (a double-click on a .maz file) is
        // loaded as Load would; a refused file leaves the start-up state. A
        // name whose bytes are not UTF-8 is refused: decoded, it would name
        // another file.
        const QString document = ZubeloApplication::documentArgument(QCoreApplication::arguments());
        if (!document.isEmpty() && FMain.ConfirmSave()) // a maze just restored
            FMain.OpenDocument(document, argc != 2 || FileNames::isFaithful(argv[1]));
        app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString());
    }
    return 0;
}
