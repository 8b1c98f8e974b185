// A picture under the grid of the editing view: its pixels, the per-step
// repaint, what it never reaches (maze view, exports, the .maz file, the
// document's state), the underlay remembered per maze, pictures that cannot
// be used, and the see-through mode where the desktop cannot show it.

#include "DesktopPlatform.h"
#include "PrintInteraction.h"
#include "Underlay.h"
#include "UnderlayCommands.h"
#include "UnderlayTexts.h"
#include "EditHistory.h"
#include "print_support.h"
#include "window_harness.h"

#include <QBuffer>
#include <QDir>
#include <QMimeData>
#include <QPrinter>
#include <QToolButton>

#include <atomic>
#include <functional>
#include <random>
#include <thread>

#include <sys/stat.h>

namespace {

const QRgb White = qRgb(255, 255, 255);

QString writeImage(const QString& file, const QImage& image)
{
    if (!image.save(file))
        qWarning("could not write %s", qPrintable(file));
    return file;
}

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qWarning("could not write %s", qPrintable(name));
}

// Hues across, darker downwards: no two neighbours alike.
QImage colourful(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, QColor::fromHsv(x * 359 / size.width(), 200, 255 - y * 150 / size.height()).rgb());
    return image;
}

// The picture's colour lightened towards white: `percent` of its darkness
// stays. Within one step of rounding.
bool isLightened(QRgb shown, QRgb colour, int percent)
{
    const auto near = [percent](int shownValue, int value) {
        return std::abs(shownValue - (255 - (255 - value) * percent / 100.0)) <= 1.0;
    };
    return near(qRed(shown), qRed(colour)) && near(qGreen(shown), qGreen(colour)) && near(qBlue(shown), qBlue(colour));
}

// The picture the window shows of the board.
QImage shown(const WindowHarness& h)
{
    int w = 0, ht = 0;
    h.window->board().getImageSize(w, ht);
    return h.window->image()->pixels().copy(0, 0, w, ht);
}

// Pixel by pixel against the board's own picture: where that is white and
// inside `place`, `underlay(pixel)` says whether it is right; everywhere
// else it is the same. Empty when all agree.
QString compareWithPlain(const WindowHarness& h, const QRect& place, const std::function<bool(QRgb)>& underlay)
{
    const QImage plain = freshPicture(h.window->board(), h.window->mazeMode() != 0);
    const QImage now = shown(h);
    if (now.size() != plain.size())
        return QStringLiteral("size");
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb want = plain.pixel(x, y) | 0xFF000000u;
            const QRgb got = now.pixel(x, y) | 0xFF000000u;
            const bool under = want == White && place.contains(x, y);
            if (under ? !underlay(got) : got != want)
                return QStringLiteral("pixel %1,%2: %3").arg(x).arg(y).arg(got, 8, 16);
        }
    return {};
}

// The print dialogs answered by script: exports as chosen, printing into a
// PDF file.
struct ScriptedPrint : PrintInteraction {
    std::deque<ExportSettings> exports;
    QString printTo;
    std::optional<ExportSettings> askExportSettings(QWidget*, const MazeOutline&, const ExportSettings&) override
    {
        if (exports.empty())
            return std::nullopt;
        const ExportSettings next = exports.front();
        exports.pop_front();
        return next;
    }
    bool askPrint(QWidget*, QPrinter& printer, int) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
    void showPreview(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) override {}
};

// Collects the areas a widget paints.
struct PaintRecorder : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// A 1 x 1 GIF as image programs write it.
const QByteArray TinyGif = QByteArray::fromHex("474946383961010001008000"
                                                "00ffffff00000021f90401000000002c00000000010001000002024401003b");

} // namespace

class UnderlayTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { setDesktopPlatformNameForTesting({}); }
    void pictureShowsInWhiteCellsOnly();
    void perStepRepaintStaysSmallAndMatchesAFullRepaint();
    void mazeFileOutputsAndDocumentNeverSeeIt();
    void rememberedWithItsMaze();
    void badPicturesChangeNothing_data();
    void badPicturesChangeNothing();
    void largePicturesAreKeptSmall();
    void picturesAreReadNotMapped();
    void seeThroughModeWhereTheDesktopCannotCutWindows_data();
    void seeThroughModeWhereTheDesktopCannotCutWindows();

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    // Loads `file` as the underlay through the View menu.
    static void loadUnderlay(WindowHarness& h, const QString& file)
    {
        h.script.openNames.push_back(file);
        h.action("MMLoadUnderlay")->trigger();
    }
    static void setStrength(WindowHarness& h, int percent)
    {
        h.script.strengths.push_back(percent);
        h.action("MMUnderlayStrength")->trigger();
    }
};

void UnderlayTest::init()
{
    QVERIFY(dir_.isValid());
    QSettings().clear();
}

// White cells show the picture, lightened at the strength; the border, the
// cell lines, the path and the markers are exactly the board's own pixels,
// and so is everything while the picture is hidden, in transparent mode and
// in the maze view.
void UnderlayTest::pictureShowsInWhiteCellsOnly()
{
    WindowHarness h;
    h.newBoard(12, 8, 10); // the grid area: 120 x 80 from (10, 10)
    h.clickCell(-1, 2);
    h.pressKeys("RRRRDDRRR");
    const int modifiedEdits = h.window->editHistory().count();
    for (QAction* command : {h.action("MMShowUnderlay"), h.action("MMUnderlayStrength"), h.action("MMRemoveUnderlay")})
        QVERIFY(!command->isEnabled());

    const QRgb colour = qRgb(30, 140, 200);
    QImage wide(300, 100, QImage::Format_RGB32); // 3 : 1, so 120 x 40, centred
    wide.fill(colour);
    loadUnderlay(h, writeImage(path(QStringLiteral("wide.png")), wide));
    QVERIFY(h.script.messages.empty());
    for (QAction* command : {h.action("MMShowUnderlay"), h.action("MMUnderlayStrength"), h.action("MMRemoveUnderlay")})
        QVERIFY(command->isEnabled());
    QVERIFY(h.action("MMShowUnderlay")->isChecked());
    const QRect place(10, 30, 120, 40);
    QCOMPARE(h.window->underlay().placeIn(h.window->board()), place);

    for (const int percent : {35, 10, 90}) {
        if (percent != Underlay::DefaultStrength)
            setStrength(h, percent);
        QCOMPARE(h.window->underlay().strength(), percent);
        QCOMPARE(compareWithPlain(h, place, [&](QRgb got) { return isLightened(got, colour, percent); }),
                 QString());
    }
    const auto plainEverywhere = [](QRgb got) { return got == White; };

    // Hidden and shown again with Ctrl+I.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier);
    QVERIFY(!h.action("MMShowUnderlay")->isChecked());
    QCOMPARE(compareWithPlain(h, place, plainEverywhere), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier);
    QVERIFY(h.action("MMShowUnderlay")->isChecked());
    QVERIFY(compareWithPlain(h, place, plainEverywhere) != QString());

    // Transparent mode keeps its key colour, so the window stays see-through.
    h.action("MMTransparentMode")->trigger();
    QCOMPARE(compareWithPlain(h, place, plainEverywhere), QString());
    h.action("MMTransparentMode")->trigger();

    // A see-through picture is white where nothing covers it.
    QImage clear(50, 50, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    loadUnderlay(h, writeImage(path(QStringLiteral("clear.png")), clear));
    QCOMPARE(compareWithPlain(h, h.window->underlay().placeIn(h.window->board()), plainEverywhere), QString());

    // None of it is an edit of the maze.
    QVERIFY(h.window->isModified());
    QCOMPARE(h.window->editHistory().count(), modifiedEdits);

    // The maze view shows the maze alone.
    loadUnderlay(h, path(QStringLiteral("wide.png")));
    h.pressKeys("RRRRRR");
    h.press(Qt::Key_F5);
    QCOMPARE(h.window->mazeMode(), 1);
    QCOMPARE(shown(h), freshPicture(h.window->board(), true));
    h.press(Qt::Key_F3);
    QCOMPARE(shown(h), freshPicture(h.window->board(), true));
    QVERIFY(h.script.unexpected.empty());
}

// Each step repaints the two cells it touched, picture included, and what
// it leaves is what a full repaint gives: through steps, steps back, undo,
// redo and zoom.
void UnderlayTest::perStepRepaintStaysSmallAndMatchesAFullRepaint()
{
    WindowHarness h;
    h.newBoard(30, 20, 12);
    loadUnderlay(h, writeImage(path(QStringLiteral("hues.png")), colourful(QSize(500, 420))));
    setStrength(h, 60);
    PaintRecorder recorder;
    h.window->image()->installEventFilter(&recorder);
    QCoreApplication::processEvents();

    std::mt19937 rng(16);
    const Qt::Key arrows[] = {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up};
    int steps = 0;
    for (int i = 0; i < 400; ++i) {
        const MazeBoard& b = h.window->board();
        const int g = b.getGridSize();
        const auto cell = [&b, g](int x, int y) { return QRect(b.getMarginX() + x * g, b.getMarginY() + y * g, g, g); };
        const QRect from = cell(b.curX, b.curY);
        recorder.painted = QRegion();
        const int what = std::uniform_int_distribution<int>(0, 9)(rng);
        if (what == 8)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        else if (what == 9)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        else
            h.press(arrows[std::uniform_int_distribution<int>(0, 3)(rng)]);
        QCoreApplication::processEvents();
        const QRect allowed = from | cell(b.curX, b.curY);
        QVERIFY2(allowed.contains(recorder.painted.boundingRect()) || recorder.painted.isEmpty(),
                 qPrintable(QStringLiteral("step %1 painted more than its cells").arg(i)));
        steps += !recorder.painted.isEmpty();
        if (i % 100 == 99) {
            if (i == 199)
                h.press(Qt::Key_D); // zoom: another size of the picture
            const QImage incremental = shown(h);
            h.window->RedrawImage();
            QCOMPARE(incremental, shown(h));
            QCoreApplication::processEvents();
        }
    }
    QVERIFY(steps > 150);
    QVERIFY(h.window->board().getGridSize() == 11);
}

// The maze file, the document's state, the bitmap export, the PDF, SVG and
// PNG exports and printing are the same with an underlay as without.
void UnderlayTest::mazeFileOutputsAndDocumentNeverSeeIt()
{
    WindowHarness h;
    ScriptedPrint print;
    h.window->setPrintInteraction(&print);
    h.newBoard(9, 7, 10);
    h.clickCell(-1, 3);
    h.pressKeys("RRRRUURRRRRR");
    h.press(Qt::Key_F5);

    // Every output of the window into `folder`; PDF pages as pictures.
    int pdfPages = 0;
    const auto outputs = [&](const QString& folder) {
        QDir().mkpath(path(folder));
        const auto at = [&](const char* name) { return path(folder + QLatin1Char('/') + QLatin1String(name)); };
        h.script.saveNames.push_back(at("maze.maz"));
        h.action("MMSaveAs")->trigger();
        h.script.saveNames.push_back(at("maze.bmp"));
        h.action("MMSaveAsBitmap")->trigger();
        for (const PictureFormat format : {PictureFormat::Pdf, PictureFormat::Svg, PictureFormat::Png}) {
            ExportSettings settings;
            settings.format = format;
            settings.dpi = 100;
            print.exports.push_back(settings);
            const char* names[] = {"out.pdf", "out.svg", "out.png"};
            h.script.saveNames.push_back(at(names[int(format)]));
            h.action("MMExport")->trigger();
        }
        print.printTo = at("printed.pdf");
        h.action("MMPrint")->trigger();
        // The bitmap export from the drawing view draws the maze afresh.
        h.action("MMUndo")->trigger();
        h.script.saveNames.push_back(at("drawing.bmp"));
        h.action("MMSaveAsBitmap")->trigger();
        h.action("MMRedo")->trigger();

        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(path(folder)).entryList(QDir::Files)) {
            QByteArray bytes = readAll(path(folder + QLatin1Char('/') + name));
            if (name.endsWith(QLatin1String(".pdf"))) {
                QBuffer pages(&bytes);
                pages.open(QIODevice::WriteOnly);
                for (int page = 1; page <= 2; ++page) {
                    const QImage image = print_support::pdfPage(path(folder + QLatin1Char('/') + name), page, 30,
                                                                path(QStringLiteral("p")));
                    pdfPages += !image.isNull();
                    image.save(&pages, "PNG");
                }
            }
            files.insert(name, bytes);
        }
        return files;
    };

    const auto without = outputs(QStringLiteral("without"));
    QCOMPARE(without.size(), 9);
    const bool wasModified = h.window->isModified();
    loadUnderlay(h, writeImage(path(QStringLiteral("hues.png")), colourful(QSize(200, 160))));
    setStrength(h, 90);
    QCOMPARE(h.window->isModified(), wasModified);
    const auto with = outputs(QStringLiteral("with"));
    QCOMPARE(with.keys(), without.keys());
    QCOMPARE(pdfPages, 8); // two files of two pages, twice
    for (const QString& name : without.keys())
        QVERIFY2(with[name] == without[name], qPrintable(name));
    QVERIFY(h.script.messages.empty());
    QVERIFY(h.script.unexpected.empty());
}

// A named maze keeps its underlay in the settings under its own path, and
// gets it back when it is opened; a maze without one opens without one, and
// a picture that has gone is passed over without a word.
void UnderlayTest::rememberedWithItsMaze()
{
    WindowHarness h;
    const QString picture = writeImage(path(QStringLiteral("picture.png")), colourful(QSize(80, 60)));
    const QString other = writeImage(path(QStringLiteral("other.png")), colourful(QSize(60, 80)));
    // Names with the characters the settings treat specially, and two that
    // differ only in '/' against '\'.
    QVERIFY(QDir().mkpath(path(QStringLiteral("a"))));
    const QString backslash = path(QStringLiteral("a\\b %25;=.maz"));
    const QString slash = path(QStringLiteral("a/b %25;=.maz"));
    const QString plain = path(QStringLiteral("迷路.maz"));

    // Loaded before the maze has a name, then saved: remembered at the save.
    h.newBoard(10, 8, 10);
    loadUnderlay(h, picture);
    setStrength(h, 70);
    {
        QSettings settings;
        settings.beginGroup(QStringLiteral("underlay"));
        QVERIFY(settings.childGroups().isEmpty());
    }
    h.pressKeys("RRRRRRRRRRR");
    h.press(Qt::Key_F5);
    h.script.saveNames.push_back(backslash);
    h.action("MMSave")->trigger();
    QCOMPARE(h.window->fileName(), backslash);

    // New keeps the picture for the next maze; a strength set on a named
    // maze is remembered at once.
    h.newBoard(10, 8, 10);
    QVERIFY(h.window->underlay().isLoaded());
    loadUnderlay(h, other);
    h.pressKeys("RRRRRRRRRRR");
    h.press(Qt::Key_F5);
    h.script.saveNames.push_back(slash);
    h.action("MMSave")->trigger();
    setStrength(h, 20);
    // A third maze, saved without an underlay.
    h.newBoard(10, 8, 10);
    h.action("MMRemoveUnderlay")->trigger();
    h.pressKeys("RRRRRRRRRRR");
    h.press(Qt::Key_F5);
    h.script.saveNames.push_back(plain);
    h.action("MMSave")->trigger();

    QSettings settings;
    settings.beginGroup(QStringLiteral("underlay"));
    QCOMPARE(settings.childGroups().size(), 2);
    settings.endGroup();

    const auto open = [&h](const QString& file) {
        h.script.openNames.push_back(file);
        h.action("MMLoad")->trigger();
        QCOMPARE(h.window->fileName(), file);
    };
    const Underlay& underlay = h.window->underlay();
    open(backslash);
    QCOMPARE(underlay.file(), picture);
    QCOMPARE(underlay.strength(), 70);
    QVERIFY(underlay.isShown());
    QVERIFY(h.action("MMShowUnderlay")->isChecked());
    QVERIFY(!h.window->isModified());
    open(plain);
    QVERIFY(!underlay.isLoaded());
    QVERIFY(!h.action("MMRemoveUnderlay")->isEnabled());
    open(slash);
    QCOMPARE(underlay.file(), other);
    QCOMPARE(underlay.strength(), 20);
    // Removed from a named maze: forgotten at once.
    h.action("MMRemoveUnderlay")->trigger();
    open(plain);
    open(slash);
    QVERIFY(!underlay.isLoaded());

    // The picture has gone: the maze opens, nothing is said.
    QVERIFY(QFile::remove(picture));
    open(backslash);
    QVERIFY(!underlay.isLoaded());
    QCOMPARE(h.window->mazeMode(), 1);
    QVERIFY(h.script.messages.empty());
    QVERIFY(h.script.unexpected.empty());

    // The settings' group is the maze's whole path and nothing else: one
    // entry per path, however it is written.
    QCOMPARE(UnderlayCommands::settingsGroup(path(QStringLiteral("a/../a/b %25;=.maz"))),
             UnderlayCommands::settingsGroup(slash));
    QVERIFY(UnderlayCommands::settingsGroup(slash) != UnderlayCommands::settingsGroup(backslash));
}

void UnderlayTest::badPicturesChangeNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // null: not written
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("dropped");

    const auto encoded = [](const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        colourful(QSize(120, 90)).save(&buffer, format);
        return bytes;
    };
    const QByteArray jpeg = encoded("JPG");
    // The frame header's height and width (after FF C0, length and
    // precision) set to 20000 x 20000.
    QByteArray hugeJpeg = jpeg;
    const qsizetype frame = hugeJpeg.indexOf(QByteArray::fromHex("ffc0"));
    hugeJpeg.replace(frame + 5, 4, QByteArray::fromHex("4e204e20"));
    QByteArray hugeBmp = encoded("BMP");
    hugeBmp.replace(18, 8, QByteArray::fromHex("204e000070170000")); // 20000 x 6000
    const auto half = [](const QByteArray& b) { return b.left(b.size() / 2); };

    using namespace UnderlayTexts;
    QTest::newRow("text") << QStringLiteral("notes.png") << QByteArray("not a picture\n") << MessageNotAnImage << false;
    QTest::newRow("empty") << QStringLiteral("empty.jpg") << QByteArray("") << MessageNotAnImage << true;
    QTest::newRow("cut JPEG") << QStringLiteral("cut.jpg") << half(jpeg) << MessageDamaged << false;
    QTest::newRow("cut PNG") << QStringLiteral("cut.png") << half(encoded("PNG")) << MessageDamaged << true;
    QTest::newRow("cut BMP") << QStringLiteral("cut.bmp") << half(encoded("BMP")) << MessageDamaged << false;
    QTest::newRow("cut GIF") << QStringLiteral("cut.gif") << TinyGif.left(30) << MessageDamaged << true;
    QTest::newRow("huge JPEG") << QStringLiteral("huge.jpg") << hugeJpeg << MessageTooLarge << false;
    QTest::newRow("huge BMP") << QStringLiteral("huge.bmp") << hugeBmp << MessageTooLarge << true;
    QTest::newRow("missing") << QStringLiteral("gone.png") << QByteArray() << MessageMissing << false;
    QTest::newRow("folder") << QStringLiteral("folder.png") << QByteArray() << MessageUnreadable << true;
    // A drawing that names a pipe, which its renderer would wait on for good.
    const QByteArray refers = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                              "width='40' height='30'><image xlink:href='PIPE' width='40' height='30'/></svg>";
    QTest::newRow("SVG naming a pipe") << QStringLiteral("refers.svg") << refers << MessageNotAnImage << false;
}

void UnderlayTest::badPicturesChangeNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(bool, dropped);
    const QString file = path(name);
    if (name.startsWith(QLatin1String("folder")))
        QVERIFY(QDir().mkpath(file));
    else if (!bytes.isNull())
        writeAll(file, QByteArray(bytes).replace("PIPE", path(QStringLiteral("pipe.png")).toUtf8()));
    if (bytes.contains("PIPE"))
        QVERIFY(::mkfifo(qPrintable(path(QStringLiteral("pipe.png"))), 0600) == 0);

    WindowHarness h;
    h.newBoard(8, 6, 10);
    const QString good = writeImage(path(QStringLiteral("good.png")), colourful(QSize(40, 30)));
    loadUnderlay(h, good);
    setStrength(h, 50);
    const QImage before = shown(h);
    const QImage keptBefore = h.window->underlay().picture();

    if (dropped) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint at = h.window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.window.get(), &event);
        QCoreApplication::processEvents();
    } else {
        loadUnderlay(h, file);
    }
    QCOMPARE(h.script.messages.size(), std::size_t(1));
    QCOMPARE(h.script.messages[0].text, message.arg(name));
    const Underlay& underlay = h.window->underlay();
    QCOMPARE(underlay.file(), good);
    QCOMPARE(underlay.strength(), 50);
    QCOMPARE(underlay.picture(), keptBefore);
    QCOMPARE(shown(h), before);
    QVERIFY(!h.window->isModified());

    // The complete file is taken (a real GIF made by another program).
    if (name == QLatin1String("cut.gif")) {
        writeAll(file, TinyGif);
        loadUnderlay(h, file);
        QCOMPARE(underlay.file(), file);
        QCOMPARE(underlay.picture().size(), QSize(1, 1));
    }
}

// A picture larger than any grid needs is kept at a size that serves the
// largest grid.
void UnderlayTest::largePicturesAreKeptSmall()
{
    WindowHarness h;
    const QString file = path(QStringLiteral("long.jpg"));
    QImage image(9000, 300, QImage::Format_RGB32);
    image.fill(qRgb(200, 60, 20));
    QVERIFY(image.save(file, "JPG", 90));
    loadUnderlay(h, file);
    QCOMPARE(h.window->underlay().picture().size(), QSize(4500, 150));
    QVERIFY(std::abs(qRed(h.window->underlay().picture().pixel(2000, 75)) - 200) < 8);
    QVERIFY(h.script.messages.empty());
}

// A mapped picture that another program shortens ends the reader with
// SIGBUS: the picture is read, never mapped. A watcher shortens the file
// the moment it sees it mapped.
void UnderlayTest::picturesAreReadNotMapped()
{
    const QString file = path(QStringLiteral("photo.jpg"));
    QImage noise(3000, 2000, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x)
            line[x] = random() | 0xFF000000;
    }
    QVERIFY(noise.save(file, "JPG", 95));
    std::atomic<bool> done = false;
    std::atomic<bool> mapped = false;
    std::thread watcher([&] {
        const QByteArray name = QFileInfo(file).canonicalFilePath().toUtf8();
        while (!done && !mapped) {
            QFile maps(QStringLiteral("/proc/self/maps"));
            if (maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name)) {
                mapped = true;
                QFile::resize(file, 0);
            }
        }
    });
    Underlay underlay;
    const Underlay::Failure failure = underlay.load(file);
    done = true;
    watcher.join();
    QVERIFY(!mapped);
    QCOMPARE(failure, Underlay::Failure::None);
    QCOMPARE(underlay.picture().size(), QSize(3000, 2000));
}

void UnderlayTest::seeThroughModeWhereTheDesktopCannotCutWindows_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("seeThrough");
    QTest::newRow("X11") << QStringLiteral("xcb") << true;
    QTest::newRow("Wayland") << QStringLiteral("wayland") << false;
    QTest::newRow("Wayland, EGL") << QStringLiteral("wayland-egl") << false;
    QTest::newRow("offscreen") << QStringLiteral("offscreen") << true;
}

void UnderlayTest::seeThroughModeWhereTheDesktopCannotCutWindows()
{
    QFETCH(QString, platform);
    QFETCH(bool, seeThrough);
    setDesktopPlatformNameForTesting(platform);
    WindowHarness h;
    QAction* mode = h.action("MMTransparentMode");
    auto* button = h.window->findChild<QToolButton*>(QStringLiteral("TBTransparentMode"));
    QCOMPARE(mode->isEnabled(), seeThrough);
    QCOMPARE(button->isEnabled(), seeThrough);
    const QString hint = seeThrough ? QStringLiteral("透過ウィンドウモード(Ctrl+T)")
                                    : QString::fromUtf8(UnderlayTexts::HintNoSeeThrough);
    QCOMPARE(mode->toolTip(), hint);
    QCOMPARE(button->toolTip(), hint);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(h.window->board().transparentMode, seeThrough);
    // Still so after a maze and back to drawing.
    h.pressKeys("RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR");
    h.press(Qt::Key_F5);
    QVERIFY(!mode->isEnabled());
    h.script.answers.push_back(Interaction::Answer::No);
    h.press(Qt::Key_F2);
    QCOMPARE(mode->isEnabled(), seeThrough);
    // The underlay commands are there either way.
    QVERIFY(h.action("MMLoadUnderlay")->isEnabled());
}

QTEST_MAIN(UnderlayTest)
#include "underlay_test.moc"
