#include "BookCommands.h"

#include "BookInteraction.h"
#include "ExportEngine.h"
#include "Interaction.h"
#include "MazePrint.h"
#include "PrintCommands.h"
#include "PrintInteraction.h"
#include "RouteCommands.h"
#include "maze_batch.h"
#include "maze_board.h"
#include "maze_random.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QRandomGenerator>
#include <QSettings>

#include <sstream>

namespace {

const QString Group = QStringLiteral("book");

QString text(const char* source)
{
    return QCoreApplication::translate("BookCommands", source);
}

const char* const DefaultTitle = QT_TRANSLATE_NOOP("BookCommands", "めいろ %n");
const char* const PrintFailed = QT_TRANSLATE_NOOP("BookCommands", "印刷できませんでした。");

} // namespace

BookCommands::BookCommands(QWidget* window, Interaction& interaction, PrintCommands& print)
    : window_(window)
    , interaction_(interaction)
    , print_(print)
    , ownDialogs_(std::make_unique<QtBookInteraction>())
    , dialogs_(ownDialogs_.get())
{
}

BookCommands::~BookCommands() = default;

void BookCommands::setBookInteraction(BookInteraction* dialogs)
{
    dialogs_ = dialogs ? dialogs : ownDialogs_.get();
}

BookChoices BookCommands::startingChoices() const
{
    BookChoices c;
    c.settings = print_.settings();
    c.settings.title = text(DefaultTitle);
    c.seed = QRandomGenerator::global()->generate();
    QSettings s;
    s.beginGroup(Group);
    c.count = std::clamp(s.value(QStringLiteral("count"), c.count).toInt(), 1, MazeBatch::MaxCount);
    c.style = styleFromName(s.value(QStringLiteral("style")).toString().toStdString()).value_or(c.style);
    ExportSettings& e = c.settings;
    e.title = s.value(QStringLiteral("title"), e.title).toString();
    e.perPage = s.value(QStringLiteral("perPage"), e.perPage).toInt();
    e.answersPerPage = s.value(QStringLiteral("answersPerPage"), e.answersPerPage).toInt();
    e.pages = pageSetByName(s.value(QStringLiteral("pages")).toString()).value_or(e.pages);
    e.pageNumbers = s.value(QStringLiteral("pageNumbers"), e.pageNumbers).toBool();
    e.paper = paperByName(s.value(QStringLiteral("paper")).toString()).value_or(e.paper);
    e.landscape = s.value(QStringLiteral("landscape"), e.landscape).toBool();
    e.format = PictureFormat::Pdf;
    e = e.clamped();
    c.newRoutes = s.value(QStringLiteral("newRoutes"), false).toBool();
    c.route = RouteCommands::storedSettings();
    c.width = std::clamp(s.value(QStringLiteral("width"), 0).toInt(), 0, MazeBoard::MaxSide);
    c.height = std::clamp(s.value(QStringLiteral("height"), 0).toInt(), 0, MazeBoard::MaxSide);
    if (c.width < BoardSize::MinBoardSide || c.height < BoardSize::MinBoardSide)
        c.width = c.height = 0;
    c.grade = gradeFromName(s.value(QStringLiteral("difficulty")).toString().toStdString());
    c.easyToHard = s.value(QStringLiteral("easyToHard"), false).toBool();
    return c;
}

void BookCommands::remember(const BookChoices& c) const
{
    QSettings s;
    s.beginGroup(Group);
    s.setValue(QStringLiteral("count"), c.count);
    s.setValue(QStringLiteral("style"), QString::fromLatin1(styleName(c.style)));
    s.setValue(QStringLiteral("title"), c.settings.title);
    s.setValue(QStringLiteral("perPage"), c.settings.perPage);
    s.setValue(QStringLiteral("answersPerPage"), c.settings.answersPerPage);
    s.setValue(QStringLiteral("pages"), pageSetName(c.settings.pages));
    s.setValue(QStringLiteral("pageNumbers"), c.settings.pageNumbers);
    s.setValue(QStringLiteral("paper"), paperName(c.settings.paper));
    s.setValue(QStringLiteral("landscape"), c.settings.landscape);
    s.setValue(QStringLiteral("newRoutes"), c.newRoutes);
    s.setValue(QStringLiteral("width"), c.width);
    s.setValue(QStringLiteral("height"), c.height);
    s.setValue(QStringLiteral("difficulty"), c.grade ? QString::fromLatin1(gradeName(*c.grade).data()) : QString());
    s.setValue(QStringLiteral("easyToHard"), c.easyToHard);
}

void BookCommands::makeBook(const MazeBoard& board, const QString& documentName)
{
    const std::optional<TFBookMaker::Request> asked = dialogs_->askBook(window_, board, startingChoices());
    if (!asked)
        return;
    const BookChoices& c = asked->choices;
    remember(c);

    // The mazes are made on a copy: the document's own board never changes.
    const std::vector<std::uint8_t> bytes = board.toFileBytes();
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    RandomSource random;
    MazeBoard copy(random);
    if (!copy.readFrom(in))
        return;
    c.prepare(copy);
    // Routes that cannot be made here are told before anything is asked.
    if (c.newRoutes) {
        if (const RouteProblem problem = RouteMaker(copy).check(c.route); problem != RouteProblem::None) {
            interaction_.showMessage(window_, Interaction::MessageKind::Warning, RouteCommands::problemText(problem));
            return;
        }
    }
    BatchRoutes routes{c.route, {}};
    const MazeBatch batch = c.batch(c.count);
    const auto count = static_cast<std::size_t>(c.count);

    std::unique_ptr<ExportEngine::Writer> writer;
    QPrinter printer(QPrinter::HighResolution);
    if (asked->output == TFBookMaker::Output::Pdf) {
        const std::optional<QString> name = interaction_.askSaveFileName(
            window_, {text("PDF (*.pdf)|*.pdf|All Files (*.*) |*.*"), QStringLiteral("pdf"),
                      PrintCommands::freeName(PrintCommands::suggestedName(documentName, QStringLiteral("pdf")),
                                              ExportEngine::Format::Pdf, c.settings.pages)});
        if (!name)
            return;
        writer = std::make_unique<ExportEngine::Writer>(c.settings, ExportEngine::Format::Pdf, *name, count, true);
    } else {
        PrintCommands::preparePrinter(printer, c.settings, documentName);
        const auto pages = static_cast<int>(MazePrint::documentPages(count, c.settings).size());
        if (!print_.dialogs().askPrint(window_, printer, pages))
            return;
        const bool range = printer.printRange() == QPrinter::PageRange;
        writer = std::make_unique<ExportEngine::Writer>(c.settings, printer, count, true,
                                                        range ? printer.fromPage() : 0, range ? printer.toPage() : 0);
    }
    const std::unique_ptr<BookInteraction::Progress> progress = dialogs_->startProgress(window_);
    const ExportEngine::Outcome outcome = ExportEngine::writeBook(
        copy, batch, *writer, [&](const ExportEngine::Progress& p) { return progress->step(p.done, p.total); }, {},
        c.newRoutes ? &routes : nullptr);
    if (outcome.cancelled) {
        if (asked->output == TFBookMaker::Output::Print)
            printer.abort();
        return;
    }
    if (!outcome.ok())
        interaction_.showMessage(window_, Interaction::MessageKind::Error,
                                 asked->output == TFBookMaker::Output::Print ? text(PrintFailed)
                                                                             : ExportEngine::failureMessage(outcome));
}
