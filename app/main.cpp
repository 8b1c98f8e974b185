#include "Application.h"
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
        app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zubelo"), QString());
    }
    return 0;
}
