// File → Worksheets and Books in the window: the book maker's preview and
// page count, the PDF and the print it writes through scripted dialogs, and
// a long book cancelled on the way.

#include "Application.h"
#include "BookInteraction.h"
#include "PrintInteraction.h"
#include "SheetLayout.h"
#include "maze_batch.h"
#include "maze_outline.h"
#include "print_support.h"
#include "window_harness.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>

#include <set>
#include <sstream>

using namespace print_support;

namespace {

struct ScriptedBook : BookInteraction {
    std::deque<std::optional<TFBookMaker::Request>> answers;
    std::vector<BookChoices> presets;
    // The step at which the user cancels (0: never), and when each came.
    std::size_t cancelAt = 0;
    std::vector<qint64> stepTimes;
    QElapsedTimer clock;

    std::optional<TFBookMaker::Request> askBook(QWidget*, const MazeBoard&, const BookChoices& current) override
    {
        presets.push_back(current);
        std::optional<TFBookMaker::Request> a = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    struct Steps : Progress {
        ScriptedBook& book;
        explicit Steps(ScriptedBook& b) : book(b) {}
        bool step(std::size_t done, std::size_t) override
        {
            book.stepTimes.push_back(book.clock.elapsed());
            return book.cancelAt == 0 || done < book.cancelAt;
        }
    };
    std::unique_ptr<Progress> startProgress(QWidget*) override
    {
        stepTimes.clear();
        clock.start();
        return std::make_unique<Steps>(*this);
    }
};

struct PrintToFile : PrintInteraction {
    QString file;
    std::optional<ExportSettings> askExportSettings(QWidget*, const MazeOutline&, const ExportSettings&) override
    {
        return std::nullopt;
    }
    bool askPrint(QWidget*, QPrinter& printer, int) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    void showPreview(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) override {}
};

// The mazes a book of these choices holds, made as the book makes them.
std::vector<std::unique_ptr<TestMaze>> madeLike(const MazeBoard& board, const BookChoices& c, const TestMaze& path)
{
    std::vector<std::unique_ptr<TestMaze>> out;
    const auto bytes = board.toFileBytes();
    auto copy = std::make_unique<TestMaze>();
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    if (!copy->board->readFrom(in))
        return out;
    makeMazeBatch(*copy->board, {c.count, c.style, c.seed}, [&](int) {
        const auto made = copy->board->toFileBytes();
        std::istringstream again(std::string(made.begin(), made.end()));
        auto m = std::make_unique<TestMaze>();
        m->path = path.path;
        return m->board->readFrom(again) && (out.push_back(std::move(m)), true);
    });
    return out;
}

} // namespace

class BookWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
    void commandInTheFileMenu();
    void writesTheBookItPreviewed();
    void cancelledBooksLeaveNoFile();
    void previewFollowsTheChoices();
    void newRoutesSizesAndDifficulty();

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    std::unique_ptr<WindowHarness> window(ScriptedBook& book, PrintToFile& print, const char* keys);
};

std::unique_ptr<WindowHarness> BookWindowTest::window(ScriptedBook& book, PrintToFile& print, const char* keys)
{
    auto h = std::make_unique<WindowHarness>();
    h->window->setBookInteraction(&book);
    h->window->setPrintInteraction(&print);
    h->newBoard(12, 9, 10);
    h->pressKeys(keys);
    return h;
}

void BookWindowTest::commandInTheFileMenu()
{
    ScriptedBook book;
    PrintToFile print;
    auto h = window(book, print, "RRRRDDD");
    QAction* make = h->action("MMMakeBook");
    QVERIFY(make);
    QCOMPARE(make->text(), QStringLiteral("ワークシート・本を作る..."));
    const QList<QAction*> file = h->window->findChild<QMenu*>(QStringLiteral("File1"))->actions();
    QCOMPARE(file.indexOf(make), file.indexOf(h->action("MMExport")) + 1);
    // Around a whole path: before the maze is made, and after.
    QVERIFY(!make->isEnabled());
    h->pressKeys("RRRRRDDRRRR");
    QVERIFY(make->isEnabled() && !h->action("MMExport")->isEnabled());
    h->action("MMMakeMaze")->trigger();
    QVERIFY(make->isEnabled());
}

void BookWindowTest::writesTheBookItPreviewed()
{
    ScriptedBook book;
    PrintToFile print;
    auto h = window(book, print, "RRRRDDDRRRRRDDRRRR");
    h->action("MMMakeMaze")->trigger();
    const auto before = h->window->board().toFileBytes();
    const bool modified = h->window->isModified();

    BookChoices c;
    c.count = 7;
    c.seed = 42;
    c.style = MazeStyle::Uniform;
    c.settings.perPage = 4;
    c.settings.answersPerPage = 9;
    c.settings.title = QStringLiteral("第%n問");
    c.settings.pageNumbers = true;
    book.answers.push_back(TFBookMaker::Request{c, TFBookMaker::Output::Pdf});
    const QString file = path(QStringLiteral("book.pdf"));
    h->script.saveNames.push_back(file);
    h->action("MMMakeBook")->trigger();
    QCOMPARE(pdfInfo(file).pages, 3);

    // The dialog's count and first page are the book's.
    TFBookMaker dialog;
    dialog.setMaze(h->window->board());
    dialog.setChoices(c);
    QCOMPARE(dialog.pageCount(), 3);
    QVERIFY(dialog.LbPages->text().contains(QLatin1Char('3')));
    TestMaze drawn;
    drawn.path = {{-1, 0}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};
    const auto mazes = madeLike(h->window->board(), c, drawn);
    QCOMPARE(int(mazes.size()), 7);
    ExportSettings s = c.settings;
    s.numbered = true;
    std::vector<MazeOutline> outlines;
    for (int i = 0; i < 4; ++i)
        outlines.push_back(outlineOf(*mazes[std::size_t(i)]->board));
    std::vector<const MazeOutline*> own;
    for (const MazeOutline& o : outlines)
        own.push_back(&o);
    const SheetLayout L = layoutSheet(own, s, sheetPages(7, s).front(), s.pageMm());
    const double px = 100 / 25.4;
    const QImage page = pdfPage(file, 1, 100, path(QStringLiteral("p")));
    for (std::size_t i = 0; i < 4; ++i)
        QCOMPARE(compareWithBoard(page, *mazes[i], {L.places[i].gridOrigin * px, L.places[i].cellMm * px}, false),
                 QString());
    QVERIFY(pdfText(file, 3).contains(QStringLiteral("（解答 1〜7）")));

    // The document never changed; the choices are offered again.
    QVERIFY(h->window->board().toFileBytes() == before);
    QCOMPARE(h->window->isModified(), modified);
    book.answers.push_back(std::nullopt);
    h->action("MMMakeBook")->trigger();
    BookChoices again = book.presets.back();
    again.seed = c.seed;
    QCOMPARE(again.count, c.count);
    QCOMPARE(again.settings.title, c.settings.title);
    QCOMPARE(again.settings.perPage, 4);

    // Printed: the same pages on the printer.
    print.file = path(QStringLiteral("printed.pdf"));
    book.answers.push_back(TFBookMaker::Request{c, TFBookMaker::Output::Print});
    h->action("MMMakeBook")->trigger();
    QCOMPARE(pdfInfo(print.file).pages, 3);
    QVERIFY(h->script.messages.empty() && h->script.unexpected.empty());
}

void BookWindowTest::cancelledBooksLeaveNoFile()
{
    ScriptedBook book;
    PrintToFile print;
    auto h = std::make_unique<WindowHarness>();
    h->window->setBookInteraction(&book);
    h->window->setPrintInteraction(&print);
    h->newBoard(60, 60, 5);
    h->pressKeys(std::string(61, 'R').c_str());
    h->action("MMMakeMaze")->trigger();

    QDir folder(path(QStringLiteral("cancelled")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    BookChoices c;
    c.count = 150;
    // Cancelled while the mazes are made (a step for each maze and each
    // puzzle page), and while the answer pages are painted after them.
    for (const std::size_t at : {std::size_t(40), std::size_t(380)}) {
        book.cancelAt = at;
        book.answers.push_back(TFBookMaker::Request{c, TFBookMaker::Output::Pdf});
        h->script.saveNames.push_back(folder.filePath(QStringLiteral("book.pdf")));
        QElapsedTimer clock;
        clock.start();
        h->action("MMMakeBook")->trigger();
        const qint64 afterCancel = clock.elapsed() - book.stepTimes.back();
        QCOMPARE(book.stepTimes.size(), at);
        qInfo("cancelled at step %zu: stopped %lld ms later", at, afterCancel);
        QVERIFY2(afterCancel < 200, qPrintable(QString::number(afterCancel)));
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList());
    }
    // The real progress dialog sees the user within 200 ms: no step is longer.
    book.cancelAt = 0;
    book.answers.push_back(TFBookMaker::Request{c, TFBookMaker::Output::Pdf});
    h->script.saveNames.push_back(folder.filePath(QStringLiteral("whole.pdf")));
    h->action("MMMakeBook")->trigger();
    qint64 longest = 0;
    for (std::size_t i = 1; i < book.stepTimes.size(); ++i)
        longest = std::max(longest, book.stepTimes[i] - book.stepTimes[i - 1]);
    qInfo("150 mazes of 60 x 60, 300 pages: %lld ms, longest step %lld ms", book.stepTimes.back(), longest);
    QVERIFY2(longest < 200, qPrintable(QString::number(longest)));
    QCOMPARE(book.stepTimes.size(), std::size_t(450));
    QCOMPARE(pdfInfo(folder.filePath(QStringLiteral("whole.pdf"))).pages, 300);
    QVERIFY(h->script.messages.empty());
}

void BookWindowTest::previewFollowsTheChoices()
{
    const auto maze = makeMaze(30, 30, 4);
    TFBookMaker dialog;
    dialog.show();
    dialog.setMaze(*maze->board);
    BookChoices c;
    c.settings.perPage = 1;
    dialog.setChoices(c);
    dialog.refreshPreview();
    // The best of a few changes, as the machine may be busy with others.
    qint64 best = 1000;
    for (const int index : {3, 2, 0, 3, 1}) {
        const qint64 before = dialog.Preview->pixmap().cacheKey();
        QElapsedTimer clock;
        clock.start();
        dialog.CBPerPage->setCurrentIndex(index);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Preview->pixmap().cacheKey() != before, 2000);
        best = std::min(best, clock.elapsed());
    }
    qInfo("preview followed a change in %lld ms (best of five)", best);
    QVERIFY2(best < 100, qPrintable(QString::number(best)));
    // Six to a page: the number of pages follows.
    dialog.CBPerPage->setCurrentIndex(3);
    QCOMPARE(dialog.pageCount(), 4 + 20);
}

int main(int argc, char** argv)
{
    // The settings go to a scratch folder, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    ZubeloApplication app(argc, argv);
    BookWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "book_window_test.moc"

// New routes at a size of their own, chosen by difficulty from easy to
// hard: every answer page shows another answer, the choices come back next
// time, and routes the board cannot have are told before anything is asked.
void BookWindowTest::newRoutesSizesAndDifficulty()
{
    ScriptedBook book;
    PrintToFile print;
    auto h = window(book, print, "RRRRDDDRRRRRDDRRRR");
    BookChoices c;
    c.count = 3;
    c.seed = 9;
    c.newRoutes = true;
    c.width = 16;
    c.height = 14;
    c.grade = DifficultyGrade::Medium;
    c.easyToHard = true;
    c.settings.perPage = 1;
    c.settings.answersPerPage = 1;

    TFBookMaker dialog;
    dialog.setMaze(h->window->board());
    dialog.setChoices(c);
    QCOMPARE(dialog.choices(), c);
    dialog.refreshPreview();
    QVERIFY(!dialog.Preview->pixmap().isNull());

    book.answers.push_back(TFBookMaker::Request{c, TFBookMaker::Output::Pdf});
    const QString file = path(QStringLiteral("routes.pdf"));
    h->script.saveNames.push_back(file);
    h->action("MMMakeBook")->trigger();
    QCOMPARE(pdfInfo(file).pages, 6);
    std::set<QByteArray> answers;
    for (int page = 4; page <= 6; ++page) {
        const QImage image = pdfPage(file, page, 40, path(QStringLiteral("a")));
        QByteArray red;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red.append(char(isRed(image.pixel(x, y))));
        answers.insert(red);
    }
    QCOMPARE(int(answers.size()), 3);

    book.answers.push_back(std::nullopt);
    h->action("MMMakeBook")->trigger();
    const BookChoices& again = book.presets.back();
    QVERIFY(again.newRoutes && again.width == 16 && again.height == 14);
    QVERIFY(again.grade == DifficultyGrade::Medium && again.easyToHard);

    // A room in the middle that the board does not have.
    c.route.to = RouteEnd{RouteSide::Centre, {}};
    book.answers.push_back(TFBookMaker::Request{c, TFBookMaker::Output::Pdf});
    h->action("MMMakeBook")->trigger();
    QCOMPARE(h->script.messages.size(), std::size_t(1));
    QVERIFY(h->script.unexpected.empty());
}
