#include "Application.h"

#include "Language.h"
#include "maze_board.h"

#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>

#include <csignal>
#include <exception>

namespace {

void reportException(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(), text);
}

// The board's guard against a cell outside the grid: shown, then the board
// ends the process.
void showGuardMessage(const char* message)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QString::fromUtf8(message), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

ZubeloApplication::ZubeloApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setUp(*this);
}

bool ZubeloApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportException(QString());
    }
    return false;
}

QFont ZubeloApplication::interfaceFont()
{
    return Language::interfaceFont();
}

void ZubeloApplication::setUp(QApplication&)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Zubelo"));
    QApplication::setApplicationName(QStringLiteral("Zubelo"));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZUBELO_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zubelo.svg")));

    // The interface language as last chosen, or as the desktop asks: texts,
    // Qt's own dialogs and buttons, and the font.
    Language::applyStored();

    MazeBoard::setGuardHandler(showGuardMessage);

#ifdef SIGXFSZ
    // Past a file-size limit (ulimit -f) a write then fails with EFBIG and the
    // save reports it, instead of the signal ending the program unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

QString ZubeloApplication::documentArgument(const QStringList& arguments)
{
    if (arguments.size() != 2)
        return {};
    const QString& name = arguments.at(1);
    if (name.isEmpty() || name.startsWith(QLatin1Char('-')))
        return {};
    return QFileInfo(name).absoluteFilePath();
}
