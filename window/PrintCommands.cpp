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

QString PrintCommands::freeName(const QString& offered, ExportEngine::Format format, PageSet pages)
{
    const auto taken = [&](const QString& name) {
        for (const QString& file : ExportEngine::targetFiles(name, format, 1, pages))
            if (QFileInfo::exists(file))
                return true;
        return false;
    };
    const QFileInfo given(offered);
    const QString folder = offered.contains(QLatin1Char('/')) ? given.path() : QString();
    const auto named = [&](int n) {
        const QString file = given.completeBaseName() + QStringLiteral("-%1.").arg(n) + given.suffix();
        return folder.isEmpty() ? file : QDir(folder).filePath(file);
    };
    if (!taken(offered))
        return offered;
    for (int n = 2; n < 1000; ++n)
        if (!taken(named(n)))
            return named(n);
    return offered;
}

ExportSettings PrintCommands::settings() const
{
    QSettings stored;
    ExportSettings out = readExportSettings(stored);
    takeMazeChoices(out, mazeChoices_);
    return out;
}

void PrintCommands::chosen(const ExportSettings& settings, const QString& documentName)
{
    QSettings stored;
    writeExportSettings(stored, settings);
    takeMazeChoices(mazeChoices_, settings);
    writeMazeChoices(stored, documentName, settings);
}

void PrintCommands::newMaze()
{
    mazeChoices_ = ExportSettings{};
}

void PrintCommands::mazeOpened(const QString& mazeFile)
{
    newMaze();
    QSettings stored;
    readMazeChoices(stored, mazeFile, mazeChoices_);
}

void PrintCommands::mazeSaved(const QString& mazeFile)
{
    QSettings stored;
    writeMazeChoices(stored, mazeFile, mazeChoices_);
}

void PrintCommands::preparePrinter(QPrinter& printer, const ExportSettings& settings, const QString& documentName)
{
    // The layout keeps its own margins, measured from the paper's edge; in
    // full-page mode a printer's own minimum margins cannot refuse the paper.
    printer.setFullPage(true);
    printer.setPageSize(settings.paper);
    printer.setPageOrientation(settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCreator(QStringLiteral("Zubelo"));
    printer.setDocName(!settings.title.isEmpty() ? expandTitle(settings.title, settings.numberOf(0))
                       : documentName.isEmpty() ? unnamedMaze()
                                                : QFileInfo(documentName).completeBaseName());
}

void PrintCommands::print(const MazeBoard& board, const QString& documentName)
{
    const std::optional<ExportSettings> asked = dialogs_->askPrintSettings(window_, outlineOf(board), settings());
    if (!asked)
        return;
    chosen(*asked, documentName);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, *asked, documentName);
    const auto pages = static_cast<int>(MazePrint::documentPages(1, *asked).size());
    if (!dialogs_->askPrint(window_, printer, pages))
        return;
    const bool range = printer.printRange() == QPrinter::PageRange;
    ExportEngine::Writer writer(*asked, printer, 1, false, range ? printer.fromPage() : 0, range ? printer.toPage() : 0);
    writer.add(board);
    if (!writer.finish().ok())
        interaction_.showMessage(window_, Interaction::MessageKind::Error, printFailed());
}

void PrintCommands::preview(const MazeBoard& board, const QString& documentName)
{
    QPrinter printer(QPrinter::HighResolution);
    const ExportSettings shown = settings();
    preparePrinter(printer, shown, documentName);
    const std::vector<MazeOutline> mazes{outlineOf(board)};
    dialogs_->showPreview(window_, printer, [&](QPrinter& target) {
        if (!MazePrint::paintDocument(target, mazes, shown))
            interaction_.showMessage(window_, Interaction::MessageKind::Error, printFailed());
    });
}

void PrintCommands::exportMaze(const MazeBoard& board, const QString& documentName)
{
    const std::optional<ExportSettings> asked = dialogs_->askExportSettings(window_, outlineOf(board), settings());
    if (!asked)
        return;
    chosen(*asked, documentName);

    const ExportEngine::Format format = ExportEngine::formatFor(asked->format);
    const QString suffix = ExportEngine::suffixOf(format);
    const std::optional<QString> name = interaction_.askSaveFileName(
        window_,
        {//: %1: the format's name (PDF, SVG, PNG), %2: its suffix.
         QCoreApplication::translate("PrintCommands", "%1 (*.%2)|*.%2|All Files (*.*) |*.*").arg(suffix.toUpper(), suffix),
         suffix, freeName(suggestedName(documentName, suffix), format, asked->pages)});
    if (!name)
        return;
    const ExportEngine::Outcome outcome = ExportEngine::write({&board}, *asked, format, *name);
    if (!outcome.ok())
        interaction_.showMessage(window_, Interaction::MessageKind::Error, ExportEngine::failureMessage(outcome));
}
