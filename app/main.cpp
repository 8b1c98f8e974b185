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

namespace {

// What ended the program, as plain text: it may name a file.
void showFailure(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zubelo"), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

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
        // A file given by the file manager (a double-click on a .maz file) is
        // loaded as Load would; a refused file leaves the start-up state. A
        // name whose bytes are not UTF-8 is refused: decoded, it would name
        // another file.
        const QString document = ZubeloApplication::documentArgument(QCoreApplication::arguments());
        FMain.StartUp(document, argc != 2 || FileNames::isFaithful(argv[1]));
        app.exec();
    } catch (const std::exception& error) {
        showFailure(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showFailure(QString());
    }
    return 0;
}
