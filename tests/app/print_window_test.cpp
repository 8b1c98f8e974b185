// Print, Print preview and Export from the main window, through scripted
// dialogs; and the export dialog itself.

#include "Application.h"
#include "Export.h"
#include "ExportEngine.h"
#include "PageLayout.h"
#include "PrintInteraction.h"
#include "print_support.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolBar>

using namespace print_support;

namespace {

// Answers the print dialogs by script: the printer prints into a PDF file.
struct ScriptedPrint : PrintInteraction {
    std::deque<std::optional<ExportSettings>> exportAnswers;
    std::vector<ExportSettings> exportPresets;
    QString printTo;         // empty: the print dialog is cancelled
    int fromPage = 0, toPage = 0;
    int offeredPages = 0;
    QString previewTo;       // where the preview's pages go
    int previews = 0;
    // The settings dialog before printing: each answer in turn, then the
    // settings as they stand.
    std::deque<std::optional<ExportSettings>> printAnswers;
    std::vector<ExportSettings> printPresets;

    std::optional<ExportSettings> askPrintSettings(QWidget*, const MazeOutline&, const ExportSettings& current) override
    {
        printPresets.push_back(current);
        if (printAnswers.empty())
            return current;
        const std::optional<ExportSettings> answer = printAnswers.front();
        printAnswers.pop_front();
        return answer;
    }

    std::optional<ExportSettings> askExportSettings(QWidget*, const MazeOutline&, const ExportSettings& current) override
    {
        exportPresets.push_back(current);
        std::optional<ExportSettings> answer;
        if (!exportAnswers.empty()) {
            if (exportAnswers.front())
                answer.emplace(*exportAnswers.front());
            exportAnswers.pop_front();
        }
        return answer;
    }
    bool askPrint(QWidget*, QPrinter& printer, int pageCount) override
    {
        offeredPages = pageCount;
        if (printTo.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        if (fromPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(fromPage, toPage);
        }
        return true;
    }
    void showPreview(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override
    {
        ++previews;
        // The preview paints on the printer it is given, as set up by the window.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(previewTo);
        paint(printer);
    }
};

// Share of pixels that differ clearly between two pictures of a page.
double difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1;
    qint64 differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differ += qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 60;
    return double(differ) / (a.width() * a.height());
}

} // namespace

class PrintWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void commandsInTheFileMenu();
    void exportWritesWhatTheDialogChose();
    void exportFailuresAreReported();
    void printAndPreviewAreThePdf();
    void exportDialogIsPassive();
    void exportDialogWarnsOfSmallCells();
    void choicesStayWithTheirMaze();
    void printingAsksTheSameSettings();
    void exportDialogArrangesPages();

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    // A window with a made maze, saved (or not) under `name`.
    std::unique_ptr<WindowHarness> windowWithMaze(ScriptedPrint& print, const QString& name = {});
};

void PrintWindowTest::init()
{
    QSettings().clear();
}

std::unique_ptr<WindowHarness> PrintWindowTest::windowWithMaze(ScriptedPrint& print, const QString& name)
{
    auto h = std::make_unique<WindowHarness>();
    h->window->setPrintInteraction(&print);
    h->newBoard(12, 9, 10);
    h->pressKeys("RRRRDDDRRRRRDDRRRR");
    h->action("MMMakeMaze")->trigger();
    if (!name.isEmpty()) {
        h->script.saveNames.push_back(name);
        h->action("MMSave")->trigger();
    }
    return h;
}

void PrintWindowTest::commandsInTheFileMenu()
{
    WindowHarness h;
    const struct {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    } table[] = {
        {"MMPrint", "印刷(&P)...", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"MMPrintPreview", "印刷プレビュー(&V)...", {}},
        {"MMExport", "エクスポート(&E)...", QKeySequence(Qt::CTRL | Qt::Key_E)},
    };
    QMenu* file = h.window->findChild<QMenu*>(QStringLiteral("File1"));
    const QList<QAction*> items = file->actions();
    const qsizetype bitmap = items.indexOf(h.action("MMSaveAsBitmap"));
    for (std::size_t i = 0; i < std::size(table); ++i) {
        QAction* a = h.action(table[i].name);
        QVERIFY2(a, table[i].name);
        QCOMPARE(a->text(), QString::fromUtf8(table[i].caption));
        QCOMPARE(a->shortcut(), table[i].shortcut);
        QCOMPARE(items.indexOf(a), bitmap + 1 + static_cast<qsizetype>(i));
        // Menu items only: the tool bar stays as it was.
        QVERIFY(!h.window->findChild<QToolBar*>(QStringLiteral("ToolBar"))->actions().contains(a));
        // A finished maze is what they print.
        QVERIFY(!a->isEnabled());
    }
    h.newBoard(5, 5, 10);
    h.pressKeys("RRRRRR");
    h.action("MMMakeMaze")->trigger();
    for (const auto& row : table)
        QVERIFY(h.action(row.name)->isEnabled());
    h.newBoard(5, 5, 10);
    QVERIFY(!h.action("MMExport")->isEnabled());
}

void PrintWindowTest::exportWritesWhatTheDialogChose()
{
    ScriptedPrint print;
    const QString maz = path(QStringLiteral("くねくね.maz"));
    auto h = windowWithMaze(print, maz);
    const QByteArray before = QByteArray(reinterpret_cast<const char*>(h->window->board().toFileBytes().data()),
                                         static_cast<qsizetype>(h->window->board().toFileBytes().size()));

    ExportSettings chosen;
    chosen.format = PictureFormat::Svg;
    chosen.title = QStringLiteral("迷路 1");
    chosen.wallMm = 0.8;
    chosen.paper = QPageSize::A3;
    print.exportAnswers.push_back(chosen);
    h->script.saveNames.push_back(path(QStringLiteral("out.svg")));
    h->action("MMExport")->trigger();

    // The save dialog offers the document's name with the export's suffix.
    const Interaction::FileDialogSetup& asked = h->script.saveDialogs.back();
    QCOMPARE(asked.initialName, path(QStringLiteral("くねくね.svg")));
    QCOMPARE(asked.defaultSuffix, QStringLiteral("svg"));
    QVERIFY(asked.filter.startsWith(QLatin1String("SVG (*.svg)|*.svg")));
    QVERIFY(QFile::exists(path(QStringLiteral("out.svg"))) && QFile::exists(path(QStringLiteral("out-answer.svg"))));
    QVERIFY(h->script.messages.empty());

    // Nothing of the document or the view changed.
    const auto after = h->window->board().toFileBytes();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(after.data()), static_cast<qsizetype>(after.size())), before);
    QVERIFY(!h->window->isModified());
    QCOMPARE(h->window->fileName(), maz);
    QCOMPARE(h->window->mazeMode(), 1);

    // Remembered: the next export starts from these settings, even in a new
    // run: the layout for every maze, the title for this maze's file.
    print.exportAnswers.push_back(std::nullopt);
    h->action("MMExport")->trigger();
    QCOMPARE(print.exportPresets.back(), chosen);
    QSettings stored;
    ExportSettings layout = chosen;
    takeMazeChoices(layout, ExportSettings{});
    QCOMPARE(readExportSettings(stored), layout);
    ExportSettings own;
    QVERIFY(readMazeChoices(stored, maz, own));
    QCOMPARE(own.title, chosen.title);
    QCOMPARE(stored.value(QStringLiteral("export/paper")).toString(), QStringLiteral("A3"));
    // Cancelled: no file name was asked.
    QCOMPARE(h->script.saveDialogs.size(), std::size_t(2));

    // An unnamed maze is offered a name of its own, never a .maz.
    ScriptedPrint again;
    auto unnamed = windowWithMaze(again);
    again.exportAnswers.push_back(ExportSettings{});
    unnamed->script.saveNames.push_back(std::nullopt);
    unnamed->action("MMExport")->trigger();
    QCOMPARE(unnamed->script.saveDialogs.back().initialName, QStringLiteral("迷路.pdf"));
}

void PrintWindowTest::exportFailuresAreReported()
{
    ScriptedPrint print;
    auto h = windowWithMaze(print);
    print.exportAnswers.push_back(ExportSettings{});
    const QString target = path(QStringLiteral("missing/out.pdf"));
    h->script.saveNames.push_back(target);
    h->action("MMExport")->trigger();
    QCOMPARE(h->script.messages.size(), std::size_t(1));
    QCOMPARE(h->script.messages[0].kind, Interaction::MessageKind::Error);
    QCOMPARE(h->script.messages[0].text, QStringLiteral("ファイル %1 を作成できません").arg(target));
}

void PrintWindowTest::printAndPreviewAreThePdf()
{
    ExportSettings stored;
    stored.title = QStringLiteral("印刷");
    stored.landscape = true;
    stored.nameLine = true;
    QSettings settings;
    writeExportSettings(settings, stored);

    ScriptedPrint print;
    auto h = windowWithMaze(print);
    // The PDF the export writes, to compare with.
    print.exportAnswers.push_back(stored);
    h->script.saveNames.push_back(path(QStringLiteral("export.pdf")));
    h->action("MMExport")->trigger();

    print.printTo = path(QStringLiteral("printed.pdf"));
    h->action("MMPrint")->trigger();
    QCOMPARE(print.offeredPages, 2);
    print.previewTo = path(QStringLiteral("preview.pdf"));
    h->action("MMPrintPreview")->trigger();
    QCOMPARE(print.previews, 1);

    const QString exported = path(QStringLiteral("export.pdf"));
    for (const QString& other : {print.printTo, print.previewTo}) {
        QCOMPARE(pdfInfo(other).pages, 2);
        QCOMPARE(pdfInfo(other).pointSize.toSize(), QSize(842, 595));
        for (const int page : {1, 2}) {
            const QImage a = pdfPage(exported, page, 40, path(QStringLiteral("a")));
            const QImage b = pdfPage(other, page, 40, path(QStringLiteral("b")));
            QVERIFY2(difference(a, b) < 0.002, qPrintable(other));
        }
    }

    // Only the answer page.
    print.printTo = path(QStringLiteral("answer.pdf"));
    print.fromPage = print.toPage = 2;
    h->action("MMPrint")->trigger();
    QCOMPARE(pdfInfo(print.printTo).pages, 1);
    QVERIFY(pdfText(print.printTo, 1).contains(QStringLiteral("印刷（解答）")));

    // Cancelled: nothing printed.
    print.printTo.clear();
    h->action("MMPrint")->trigger();
    QVERIFY(h->script.messages.empty());
    QVERIFY(h->script.unexpected.empty());
}

void PrintWindowTest::exportDialogIsPassive()
{
    const auto maze = makeMaze(20, 12, 3);
    TFExport dialog;
    dialog.setMaze(outlineOf(*maze->board));
    // What goes in comes out, through every control.
    ExportSettings s;
    s.format = PictureFormat::Png;
    s.pages = PageSet::Answer;
    s.title = QStringLiteral("タイトル");
    s.nameLine = true;
    s.labels = false;
    s.wallMm = 1.25;
    s.paper = QPageSize::JisB4;
    s.landscape = true;
    s.marginMm = 8;
    s.dpi = 450;
    dialog.setSettings(s);
    QCOMPARE(dialog.settings(), s);
    dialog.setSettings(ExportSettings{});
    QCOMPARE(dialog.settings(), ExportSettings{});

    // Only a PNG has a resolution; only a page has a title and a name line.
    dialog.CBFormat->setCurrentIndex(static_cast<int>(PictureFormat::Png));
    QVERIFY(dialog.SEDpi->isEnabled() && !dialog.EdTitle->isEnabled() && !dialog.CkNameLine->isEnabled());
    dialog.CBFormat->setCurrentIndex(static_cast<int>(PictureFormat::Pdf));
    QVERIFY(!dialog.SEDpi->isEnabled() && dialog.EdTitle->isEnabled());
    QVERIFY(!dialog.SEWall->isEnabled());
    dialog.CkWallAuto->setChecked(false);
    QVERIFY(dialog.SEWall->isEnabled());

    // The preview is the page, turned as chosen.
    dialog.refreshPreview();
    const QSize portrait = dialog.Preview->pixmap().size();
    QVERIFY(portrait.height() > portrait.width());
    dialog.CkLandscape->setChecked(true);
    dialog.refreshPreview();
    const QSize landscape = dialog.Preview->pixmap().size();
    QVERIFY(landscape.width() > landscape.height());

    // Cancel gives nothing.
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.findChild<QPushButton*>(QStringLiteral("BtCancel"))->click(); });
    QVERIFY(!dialog.AskExport(outlineOf(*maze->board), s));
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.findChild<QPushButton*>(QStringLiteral("BtOK"))->click(); });
    QCOMPARE(dialog.AskExport(outlineOf(*maze->board), s), std::optional<ExportSettings>(s));
}

void PrintWindowTest::exportDialogWarnsOfSmallCells()
{
    const auto maze = makeMaze(100, 100, 5);
    TFExport dialog;
    dialog.setMaze(outlineOf(*maze->board));
    ExportSettings s;
    s.marginMm = 40;
    dialog.setSettings(s);
    QVERIFY(dialog.cellMm() < SmallCellMm);
    const QString warning = dialog.LbCellSize->text();
    QVERIFY2(warning.contains(QStringLiteral("2 mm より小さく")), qPrintable(warning));
    // A warning, not a refusal.
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.findChild<QPushButton*>(QStringLiteral("BtOK"))->click(); });
    QVERIFY(dialog.AskExport(outlineOf(*maze->board), s).has_value());

    s.marginMm = 10;
    s.paper = QPageSize::A3;
    dialog.setSettings(s);
    QVERIFY(dialog.cellMm() >= SmallCellMm);
    QVERIFY(!dialog.LbCellSize->text().contains(QStringLiteral("より小さく")));
}

void PrintWindowTest::choicesStayWithTheirMaze()
{
    ScriptedPrint print;
    const QString easy = path(QStringLiteral("やさしい.maz"));
    auto h = windowWithMaze(print, easy);
    ExportSettings mine;
    mine.title = QStringLiteral("めいろ（やさしい）");
    mine.nameLine = true;
    mine.labelKind = LabelKind::Pictures;
    mine.wallShare = 0.3;
    mine.perPage = 4;
    print.exportAnswers.push_back(mine);
    h->script.saveNames.push_back(path(QStringLiteral("easy.pdf")));
    h->action("MMExport")->trigger();

    // A new maze has none of the old one's own choices, but the layout.
    h->newBoard(30, 30, 10);
    h->pressKeys(std::string(31, 'R').c_str());
    h->action("MMMakeMaze")->trigger();
    print.exportAnswers.push_back(std::nullopt);
    h->action("MMExport")->trigger();
    ExportSettings expected;
    expected.wallShare = 0.3;
    expected.perPage = 4;
    QCOMPARE(print.exportPresets.back(), expected);
    // Printing it as well.
    print.printTo = path(QStringLiteral("new.pdf"));
    h->action("MMPrint")->trigger();
    QCOMPARE(print.printPresets.back(), expected);
    QVERIFY(!pdfText(print.printTo, 1).contains(mine.title));

    // The old maze brings its own back when it is opened again.
    h->script.answers.push_back(Interaction::Answer::No);
    h->script.openNames.push_back(easy);
    h->action("MMLoad")->trigger();
    print.exportAnswers.push_back(std::nullopt);
    h->action("MMExport")->trigger();
    QCOMPARE(print.exportPresets.back(), mine);
    // ... and a maze saved under a new name keeps them under that name.
    const QString copy = path(QStringLiteral("copy.maz"));
    h->script.saveNames.push_back(copy);
    h->action("MMSaveAs")->trigger();
    QSettings stored;
    ExportSettings kept;
    QVERIFY(readMazeChoices(stored, copy, kept));
    QCOMPARE(kept.title, mine.title);
    QVERIFY(h->script.unexpected.empty());
}

void PrintWindowTest::printingAsksTheSameSettings()
{
    ScriptedPrint print;
    auto h = windowWithMaze(print, path(QStringLiteral("print.maz")));
    ExportSettings asked;
    asked.title = QStringLiteral("印刷のタイトル");
    asked.paper = *paperByName(QStringLiteral("6x9in"));
    print.printAnswers.push_back(asked);
    print.printTo = path(QStringLiteral("asked.pdf"));
    h->action("MMPrint")->trigger();
    QCOMPARE(pdfInfo(print.printTo).pointSize.toSize(), QSize(432, 648));
    QVERIFY(pdfText(print.printTo, 1).contains(asked.title));
    // What printing chose is what the export dialog offers next.
    print.exportAnswers.push_back(std::nullopt);
    h->action("MMExport")->trigger();
    QCOMPARE(print.exportPresets.back(), asked);
    // Cancelled: no print dialog.
    print.printAnswers.push_back(std::nullopt);
    print.offeredPages = 0;
    h->action("MMPrint")->trigger();
    QCOMPARE(print.offeredPages, 0);

    // The save box never offers a sheet written before, whose name one
    // Enter would overwrite.
    for (const char* expected : {"print.pdf", "print-2.pdf", "print-3.pdf"}) {
        print.exportAnswers.push_back(ExportSettings{});
        h->script.saveNames.push_back(std::optional<QString>());
        h->action("MMExport")->trigger();
        const QString offered = h->script.saveDialogs.back().initialName;
        QCOMPARE(offered, path(QLatin1String(expected)));
        QVERIFY(ExportEngine::write({&h->window->board()}, ExportSettings{}, ExportEngine::Format::Pdf, offered).ok());
    }
}

void PrintWindowTest::exportDialogArrangesPages()
{
    const auto maze = makeMaze(30, 30, 8);
    TFExport dialog;
    dialog.setMaze(outlineOf(*maze->board));
    ExportSettings s;
    s.perPage = 6;
    s.answersPerPage = 9;
    s.pageNumbers = true;
    s.nameLine = s.nameLineOnAnswers = true;
    s.labelKind = LabelKind::Pictures;
    s.startText = QStringLiteral("いりぐち");
    s.goalText = QStringLiteral("でぐち");
    s.wallShare = 0.35;
    s.paper = *paperByName(QStringLiteral("152x229mm"));
    s.firstNumber = 31; // no control of its own: it comes back as it went in
    dialog.setSettings(s);
    QCOMPARE(dialog.settings(), s);
    QVERIFY(!dialog.EdStartText->isEnabled() && !dialog.SEWall->isEnabled());
    // Six to a page: the warning is for each maze's own cells.
    const double six = dialog.cellMm();
    dialog.CBPerPage->setCurrentIndex(0);
    QVERIFY(dialog.cellMm() > 2 * six);
    // A size typed in, and one that is no size.
    dialog.CBPaper->setCurrentText(QStringLiteral("6x9in"));
    QCOMPARE(paperName(dialog.settings().paper), QStringLiteral("6x9in"));
    dialog.CBPaper->setCurrentText(QStringLiteral("6x9"));
    QVERIFY(!dialog.BtOK->isEnabled());
    QCOMPARE(paperName(dialog.settings().paper), QStringLiteral("152x229mm"));
    // Before printing: no format and no resolution.
    dialog.setPrinting(true);
    QVERIFY(dialog.CBFormat->isHidden() && dialog.SEDpi->isHidden());
    QCOMPARE(dialog.BtOK->text(), QStringLiteral("印刷(&I)..."));
}

int main(int argc, char** argv)
{
    // The settings go to a scratch folder, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    ZubeloApplication app(argc, argv);
    PrintWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_window_test.moc"
