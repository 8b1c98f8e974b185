#include "PrintCommands.h"

#include "ExportEngine.h"
#include "ExportSettings.h"
#include "Interaction.h"
#include "MazePrint.h"
#include "PrintInteraction.h"
#include "maze_board.h"
#include "maze_outline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QSettings>

namespace {

QString printFailed()
{
    return QCoreApplication::translate("PrintCommands", "印刷できませんでした。");
}

// The name offered for a maze that has no file yet.
QString unnamedMaze()
{
    return QCoreApplication::translate("PrintCommands", "迷路");
}

} // namespace

PrintCommands::PrintCommands(QWidget* window, Interaction& interaction)
    : window_(window)
    , interaction_(interaction)
    , ownDialogs_(std::make_unique<QtPrintInteraction>())
    , dialogs_(ownDialogs_.get())
{
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::setPrintInteraction(PrintInteraction* dialogs)
{
    dialogs_ = dialogs ? dialogs : ownDialogs_.get();
}

QString PrintCommands::suggestedName(const QString& documentName, const QString& suffix)
{
    if (documentName.isEmpty())
        return unnamedMaze() + QLatin1Char('.') + suffix;
    const QFileInfo document(documentName);
    return document.dir().filePath(document.completeBaseName() + QLatin1Char('.') + suffix);
}

ExportSettings PrintCommands::preparePrinter(QPrinter& printer, const QString& documentName) const
{
    QSettings stored;
    const ExportSettings settings = readExportSettings(stored);
    // The layout keeps its own margins, measured from the paper's edge; in
    // full-page mode a printer's own minimum margins cannot refuse the paper.
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(settings.paper));
    printer.setPageOrientation(settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCreator(QStringLiteral("Zubelo"));
    printer.setDocName(!settings.title.isEmpty() ? settings.title
                       : documentName.isEmpty() ? unnamedMaze()
                                                : QFileInfo(documentName).completeBaseName());
    return settings;
}

void PrintCommands::print(const MazeBoard& board, const QString& documentName)
{
    QPrinter printer(QPrinter::HighResolution);
    const ExportSettings settings = preparePrinter(printer, documentName);
    const std::vector<MazeOutline> mazes{outlineOf(board)};
    const auto pages = static_cast<int>(MazePrint::documentPages(mazes.size(), settings.pages).size());
    if (!dialogs_->askPrint(window_, printer, pages))
        return;
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (!MazePrint::paintDocument(printer, mazes, settings, range ? printer.fromPage() : 0,
                                  range ? printer.toPage() : 0))
        interaction_.showMessage(window_, Interaction::MessageKind::Error, printFailed());
}

void PrintCommands::preview(const MazeBoard& board, const QString& documentName)
{
    QPrinter printer(QPrinter::HighResolution);
    const ExportSettings settings = preparePrinter(printer, documentName);
    const std::vector<MazeOutline> mazes{outlineOf(board)};
    dialogs_->showPreview(window_, printer, [&](QPrinter& target) {
        if (!MazePrint::paintDocument(target, mazes, settings))
            interaction_.showMessage(window_, Interaction::MessageKind::Error, printFailed());
    });
}

void PrintCommands::exportMaze(const MazeBoard& board, const QString& documentName)
{
    QSettings stored;
    const std::optional<ExportSettings> chosen =
        dialogs_->askExportSettings(window_, outlineOf(board), readExportSettings(stored));
    if (!chosen)
        return;
    writeExportSettings(stored, *chosen);

    const ExportEngine::Format format = ExportEngine::formatFor(chosen->format);
    const QString suffix = ExportEngine::suffixOf(format);
    const std::optional<QString> name = interaction_.askSaveFileName(
        window_,
        {//: %1: the format's name (PDF, SVG, PNG), %2: its suffix.
         QCoreApplication::translate("PrintCommands", "%1 (*.%2)|*.%2|All Files (*.*) |*.*").arg(suffix.toUpper(), suffix),
         suffix, suggestedName(documentName, suffix)});
    if (!name)
        return;
    const ExportEngine::Outcome outcome = ExportEngine::write({&board}, *chosen, format, *name);
    if (!outcome.ok())
        interaction_.showMessage(window_, Interaction::MessageKind::Error, ExportEngine::failureMessage(outcome));
}
