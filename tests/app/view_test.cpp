// Zoom, transparent window mode and the bitmap export.

#include "Application.h"
#include "BitmapExport.h"
#include "ColorKey.h"
#include "Underlay.h"
#include "window_harness.h"

#include "../maze/test_support.h"
#include "maze_random.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>

#include <random>

#include <sys/stat.h>

namespace {

const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Red = qRgb(255, 0, 0);

bool hasColour(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == colour)
                return true;
    return false;
}

// A device that takes the first bytes and then fails, as a full disk does.
class FailingDevice : public QIODevice {
public:
    FailingDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        written += size;
        return written > 100 ? -1 : size;
    }

private:
    qint64 written = 0;
};

// Counts the paints a widget gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    // Lets the event loop run until a tenth of a second passes without a
    // paint (after at least one), however slow the machine.
    void settle()
    {
        QTRY_VERIFY(paints > 0);
        for (int seen = -1; seen != paints;) {
            seen = paints;
            QTest::qWait(100);
        }
    }
};

// What the screen shows of the picture area (the window's own pixels, as
// far as the scroll area shows them) against the board's picture drawn
// afresh, white right of and below it, with `underlay` (a copy of the
// window's) under the grid of the editing view. Empty when they agree.
// Where the see-through mask leaves the window out, the window shows nothing.
QString screenDiffersFromBoard(WindowHarness& h, Underlay* underlay = nullptr)
{
    const QWidget* viewport = h.window->findChild<QScrollArea*>()->viewport();
    const MazeImage* image = h.window->image();
    const QPoint at = viewport->mapTo(h.window.get(), QPoint(0, 0));
    const QImage shown = h.window->screen()
                             ->grabWindow(h.window->winId(), at.x(), at.y(), viewport->width(), viewport->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    if (shown.size() != viewport->size())
        return QStringLiteral("no screen picture");
    QImage expected = freshPicture(h.window->board(), h.window->mazeMode() != 0);
    if (underlay && h.window->mazeMode() == 0)
        underlay->paintOver(expected, expected.rect(), h.window->board());
    const QRect visible = QRect(image->pos(), image->size()) & viewport->rect();
    // The pixels the mask leaves out, looked up per pixel.
    const QRegion mask = h.window->mask().translated(-at);
    std::vector<char> hidden(std::size_t(shown.width()) * std::size_t(shown.height()), !mask.isEmpty());
    for (const QRect& r : mask)
        for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), shown.height() - 1); ++y)
            for (int x = std::max(r.left(), 0); x <= std::min(r.right(), shown.width() - 1); ++x)
                hidden[std::size_t(y) * std::size_t(shown.width()) + std::size_t(x)] = 0;
    for (int y = visible.top(); y <= visible.bottom(); ++y)
        for (int x = visible.left(); x <= visible.right(); ++x) {
            if (hidden[std::size_t(y) * std::size_t(shown.width()) + std::size_t(x)])
                continue;
            const QPoint p = QPoint(x, y) - image->pos();
            const QRgb want = expected.rect().contains(p) ? expected.pixel(p) : qRgb(255, 255, 255);
            if ((shown.pixel(x, y) | 0xFF000000u) != (want | 0xFF000000u))
                return QStringLiteral("picture pixel %1,%2").arg(p.x()).arg(p.y());
        }
    return QString();
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void zoomInBothViewsStopsAtTheLimits();
    void zoomKeysGoTheWayTheySay_data();
    void zoomKeysGoTheWayTheySay();
    void burstOfZoomKeysIsPaintedOnce();
    void screenShowsTheBoardThroughARandomSession();
    void windowNeverOutgrowsTheScreens();
    void transparentModeSwitchesTheKeyAndTheMask();
    void transparentModeOnAPictureLargerThanTheWindow();
    void exportWritesTheFullMazePicture();
    void exportFailuresAreReportedAndChangeNothing();
};

void ViewTest::zoomInBothViewsStopsAtTheLimits()
{
    WindowHarness h;
    h.newBoard(16, 8, 19);
    h.pressKeys("RRR");
    for (const bool maze : {false, true}) {
        if (maze) {
            h.pressKeys("RRRRRRRRRRRRRR");
            h.press(Qt::Key_F5);
        }
        h.press(Qt::Key_F, 20); // up to 20, then it stays, still refitted
        QCOMPARE(h.window->board().getGridSize(), 20);
        QCOMPARE(h.window->image()->size(), QSize(360, 200));
        QCOMPARE(h.clientSize(), QSize(360, 200 + 52));
        QCOMPARE(h.window->image()->pixels(), freshPicture(h.window->board(), maze));
        for (int i = 0; i < 20; ++i)
            h.action("MMEnsmallGrid")->trigger();
        QCOMPARE(h.window->board().getGridSize(), 3);
        QCOMPARE(h.window->board().getMarginX(), 3);
        QCOMPARE(h.window->image()->size(), QSize(320, 30));
        QCOMPARE(h.clientSize(), QSize(320, 30 + 52));
        QCOMPARE(h.window->image()->pixels().copy(0, 0, 54, 30), freshPicture(h.window->board(), maze));
        h.action("MMEnlargeGrid")->trigger();
        QCOMPARE(h.window->image()->size(), QSize(320, 40));
        QCOMPARE(h.window->mazeMode(), maze ? 1 : 0);
        // Zooming does not mark the document as changed.
        QCOMPARE(h.window->isModified(), true);
    }
    QVERIFY(h.window->board().curX == 16);
}

void ViewTest::zoomKeysGoTheWayTheySay_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");
    const int ctrl = Qt::ControlModifier;
    const struct {
        int size, key, modifiers, expected;
    } rows[] = {
        {1, Qt::Key_F, 0, 3}, {1, Qt::Key_Plus, ctrl, 3}, {1, Qt::Key_Equal, ctrl, 3}, {1, Qt::Key_D, 0, 1},
        {1, Qt::Key_Minus, ctrl, 1}, {2, Qt::Key_F, 0, 3}, {2, Qt::Key_D, 0, 2}, {3, Qt::Key_F, 0, 4},
        {3, Qt::Key_D, 0, 3}, {3, Qt::Key_Minus, ctrl, 3}, {20, Qt::Key_F, 0, 20}, {20, Qt::Key_Equal, ctrl, 20},
        {20, Qt::Key_D, 0, 19}, {20, Qt::Key_Minus, ctrl, 19}, {21, Qt::Key_F, 0, 21}, {21, Qt::Key_Plus, ctrl, 21},
        {21, Qt::Key_D, 0, 20}, {100, Qt::Key_F, 0, 100}, {100, Qt::Key_D, 0, 20}, {100, Qt::Key_Minus, ctrl, 20},
    };
    for (const auto& r : rows)
        QTest::addRow("%d %s%s", r.size, r.modifiers ? "Ctrl+" : "", qPrintable(QKeySequence(r.key).toString()))
            << r.size << r.key << r.modifiers << r.expected;
}

// Cell sizes from files may lie outside the zoom range: a key never zooms
// the wrong way, and a key that changes nothing paints nothing.
void ViewTest::zoomKeysGoTheWayTheySay()
{
    QFETCH(int, size);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("zoom.maz"));
    {
        RandomSource random;
        MazeBoard board(random);
        QVERIFY(board.resize(6, 5));
        std::vector<std::uint8_t> bytes = board.toFileBytes();
        for (int i = 0; i < 4; ++i)
            bytes[std::size_t(28 + i)] = std::uint8_t(unsigned(size) >> (8 * i));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
    WindowHarness h;
    h.script.openNames.push_back(file);
    h.action("MMLoad")->trigger();
    QCOMPARE(h.window->board().getGridSize(), size);
    PaintCounter counter;
    h.window->image()->installEventFilter(&counter);
    counter.settle(); // whatever the load asked to paint
    counter.paints = 0;
    const QSize before = h.window->image()->size();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(h.window->board().getGridSize(), expected);
    QCOMPARE(h.window->board().getMarginX(), expected);
    if (expected == size) {
        QTest::qWait(200);
        QCOMPARE(counter.paints, 0);
        QCOMPARE(h.window->image()->size(), before);
    } else {
        QCOMPARE(h.window->image()->size(), QSize(std::max(8 * expected, 320), 7 * expected));
        QTRY_COMPARE(screenDiffersFromBoard(h), QString());
    }
}

// Keys that arrive faster than the window paints are all taken, and the
// picture is painted once for them.
void ViewTest::burstOfZoomKeysIsPaintedOnce()
{
    WindowHarness h;
    h.newBoard(100, 100, 20); // larger than the screen: the window keeps its size
    PaintCounter counter;
    h.window->image()->installEventFilter(&counter);
    counter.settle();
    counter.paints = 0;
    const QSize window = h.window->size();
    h.press(Qt::Key_D, 5);
    QCOMPARE(h.window->board().getGridSize(), 15);
    counter.settle();
    QCOMPARE(counter.paints, 1);
    QCOMPARE(h.window->size(), window);
    QCOMPARE(screenDiffersFromBoard(h), QString());
}

// Whatever the user does, the screen shows the board's current picture
// where the picture area is on view: steps and steps back (painted cell by
// cell), new starts, Make Maze, the answer on and off, transparent mode,
// zoom, scrolling and starting over; with a picture under the grid.
void ViewTest::screenShowsTheBoardThroughARandomSession()
{
    WindowHarness h;
    h.newBoard(70, 50, 14); // larger than the screen, so it scrolls
    QTemporaryDir dir;
    const QString photo = dir.filePath(QStringLiteral("under.png"));
    QImage picture(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, QColor::fromHsv(x * 359 / picture.width(), 200, 255 - y / 2).rgb());
    QVERIFY(picture.save(photo));
    h.script.openNames.push_back(photo);
    h.action("MMLoadUnderlay")->trigger();
    QVERIFY(h.window->underlay().isLoaded());
    Underlay underlay;
    QCOMPARE(underlay.load(photo), Underlay::Failure::None);
    auto* area = h.window->findChild<QScrollArea*>();
    std::mt19937 rng(1717);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const Qt::Key arrows[] = {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up};
    QStringList done;
    for (int action = 0; action < 150; ++action) {
        const int what = pick(0, 14);
        if (what < 6) {
            h.press(arrows[pick(0, 3)], pick(1, 4));
            done << QStringLiteral("keys");
        } else if (what == 6 && h.window->mazeMode() == 0) {
            // A new start on the left ring and a straight path across.
            h.clickCell(-1, pick(0, 49));
            h.press(Qt::Key_Right, 71);
            done << QStringLiteral("path");
        } else if (what == 7 && h.action("MMMakeMaze")->isEnabled()) {
            h.press(Qt::Key_F5);
            done << QStringLiteral("make");
        } else if (what == 8 && h.action("MMDrawAnswer")->isEnabled()) {
            h.press(Qt::Key_F3);
            done << QStringLiteral("answer");
        } else if (what == 9) {
            h.press(pick(0, 1) ? Qt::Key_F : Qt::Key_D, pick(1, 3));
            done << QStringLiteral("zoom to %1").arg(h.window->board().getGridSize());
        } else if (what == 10) {
            for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
                bar->setValue(pick(0, bar->maximum()));
            done << QStringLiteral("scroll");
        } else if (what == 11 && h.action("MMTransparentMode")->isEnabled()) {
            h.action("MMTransparentMode")->trigger();
            done << QStringLiteral("transparent");
        } else if (what == 12) {
            if (h.window->isModified())
                h.script.answers.push_back(Interaction::Answer::No);
            h.press(Qt::Key_F2);
            done << QStringLiteral("init");
        } else {
            continue;
        }
        QTRY_VERIFY2(screenDiffersFromBoard(h, &underlay).isEmpty(),
                     qPrintable(screenDiffersFromBoard(h, &underlay) + QStringLiteral(" after ")
                                + done.join(QLatin1Char(' '))));
    }
    QVERIFY(done.count(QStringLiteral("make")) > 2);
    QVERIFY(done.count(QStringLiteral("scroll")) > 5);
    QVERIFY(h.script.unexpected.empty());
}

// Qt keeps a back buffer of the window's whole area; a window resized past
// the screens (as an X display without a window manager lets a program do)
// comes back within them.
void ViewTest::windowNeverOutgrowsTheScreens()
{
    WindowHarness h;
    h.newBoard(100, 100, 20);
    const QSize screens = h.window->screen()->virtualGeometry().size();
    h.window->windowHandle()->resize(30000, 30000);
    const QWindow* native = h.window->windowHandle();
    QTRY_VERIFY(native->width() <= screens.width() && native->height() <= screens.height());
    QVERIFY(h.window->width() <= screens.width() && h.window->height() <= screens.height());
    QTRY_COMPARE(screenDiffersFromBoard(h), QString());
}

// Only the part of a large picture that is on view cuts the window, and what
// scrolling brings into view is cut as it arrives.
void ViewTest::transparentModeOnAPictureLargerThanTheWindow()
{
    WindowHarness h;
    h.newBoard(100, 100, 20); // 2040 x 2040, larger than the screen
    auto* area = h.window->findChild<QScrollArea*>();
    QVERIFY(area);
    h.action("MMTransparentMode")->trigger();
    QVERIFY(h.window->colorKey().isEnabled());
    const auto checkVisibleMask = [&h] {
        const MazeImage* image = h.window->image();
        const QRect view = image->visibleRegion().boundingRect();
        if (view.isEmpty() || view == image->rect())
            return QStringLiteral("the picture is not partly on view");
        const QRegion mask = h.window->mask();
        const QPoint offset = image->mapTo(h.window.get(), QPoint(0, 0));
        const QImage shown = image->pixels();
        for (int y = view.top(); y <= view.bottom(); ++y)
            for (int x = view.left(); x <= view.right(); ++x) {
                const bool key = (shown.pixel(x, y) | 0xFF000000u) == Yellow;
                if (mask.contains(QPoint(x, y) + offset) == key)
                    return QStringLiteral("pixel %1,%2").arg(x).arg(y);
            }
        return QString();
    };
    QCOMPARE(checkVisibleMask(), QString());
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum() / 2);
    QCOMPARE(checkVisibleMask(), QString());
    // A path step far from the first view is cut at once too.
    h.clickCell(99, 100);
    h.pressKeys("UUU");
    QCOMPARE(checkVisibleMask(), QString());
}

void ViewTest::transparentModeSwitchesTheKeyAndTheMask()
{
    WindowHarness h;
    h.newBoard(8, 6, 10);
    QAction* mode = h.action("MMTransparentMode");
    auto* button = h.window->findChild<QToolButton*>(QStringLiteral("TBTransparentMode"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
    QVERIFY(mode->isChecked());
    QVERIFY(button->isChecked());
    QVERIFY(h.window->board().transparentMode);
    const QImage picture = h.window->image()->pixels();
    QCOMPARE(picture.pixel(15, 15) | 0xFF000000u, Yellow);
    QCOMPARE(picture.pixel(5, 5) | 0xFF000000u, qRgb(192, 192, 192));

    // The window shows through exactly where the picture has the key colour.
    auto checkMask = [&h](bool expectHoles = true) {
        const QRegion mask = h.window->mask();
        const QImage shown = h.window->image()->pixels();
        const QPoint offset = h.window->image()->mapTo(h.window.get(), QPoint(0, 0));
        int holes = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const bool key = (shown.pixel(x, y) | 0xFF000000u) == Yellow;
                holes += key;
                if (mask.contains(QPoint(x, y) + offset) == key)
                    return QStringLiteral("pixel %1,%2").arg(x).arg(y);
            }
        if (!mask.contains(QPoint(5, 5))) // the menu bar stays
            return QStringLiteral("menu bar cut");
        if ((holes > 0) != expectHoles)
            return QStringLiteral("holes: %1").arg(holes);
        return QString();
    };
    QCOMPARE(checkMask(), QString());
    // Kept up to date while the path is drawn.
    h.pressKeys("RRRDDRR");
    QCOMPARE(checkMask(), QString());
    h.press(Qt::Key_F);
    QCOMPARE(checkMask(), QString());

    // Make Maze: disabled, the check stays, no key colour to show through.
    h.pressKeys("RRRR");
    h.press(Qt::Key_F5);
    QVERIFY(!mode->isEnabled());
    QVERIFY(!button->isEnabled());
    QVERIFY(mode->isChecked());
    QVERIFY(h.window->colorKey().isEnabled());
    QVERIFY(!hasColour(h.window->image()->pixels(), Yellow));
    QCOMPARE(checkMask(false), QString());
    QCOMPARE(h.window->mask(), QRegion(h.window->rect()));

    // Initialise: see-through again; then off.
    h.script.answers.push_back(Interaction::Answer::No);
    h.action("MMInitMaze")->trigger();
    QVERIFY(hasColour(h.window->image()->pixels(), Yellow));
    QCOMPARE(checkMask(), QString());
    mode->trigger();
    QVERIFY(!mode->isChecked());
    QVERIFY(!h.window->board().transparentMode);
    QVERIFY(!button->isChecked());
    QVERIFY(h.window->mask().isEmpty());
    QVERIFY(!hasColour(h.window->image()->pixels(), Yellow));
}

void ViewTest::exportWritesTheFullMazePicture()
{
    QTemporaryDir dir;
    for (const auto& [w, hgt, g] : {std::tuple{100, 100, 20}, std::tuple{5, 5, 3}}) {
        WindowHarness h;
        h.newBoard(w, hgt, g);
        h.clickCell(-1, 2);
        h.pressKeys(std::string(std::size_t(w + 1), 'R').c_str());
        h.press(Qt::Key_F5);
        const QString file = dir.filePath(QStringLiteral("maze%1.bmp").arg(w));
        h.script.saveNames.push_back(file);
        h.action("MMSaveAsBitmap")->trigger();
        QImageReader reader(file);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage read = reader.read();
        QCOMPARE(read.size(), QSize(w * g + 2 * g, hgt * g + 2 * g));
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), freshPicture(h.window->board(), true));
        // A 24-bit BMP: 54-byte headers, no palette.
        const QByteArray bytes = [&file] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(int(bytes[28]), 24);
        QCOMPARE(bytes.size(), 54 + ((3 * read.width() + 3) / 4 * 4) * read.height());
        // The same maze gives the same bytes, whatever is on screen.
        h.window->resize(700, 300);
        h.script.saveNames.push_back(file + QStringLiteral("2"));
        h.action("MMSaveAsBitmap")->trigger();
        QCOMPARE([&file] { QFile f(file + QStringLiteral("2")); f.open(QIODevice::ReadOnly); return f.readAll(); }(), bytes);

        // With the answer hidden there is no red.
        h.press(Qt::Key_F3);
        h.script.saveNames.push_back(file);
        h.action("MMSaveAsBitmap")->trigger();
        QVERIFY(!hasColour(QImage(file), Red));
    }

    // While drawing, the file holds the maze picture of the arrays as they
    // stand: every cell line a wall, the path so far red.
    WindowHarness h;
    h.newBoard(6, 4, 10);
    h.pressKeys("RRD");
    const QString file = dir.filePath(QStringLiteral("drawing.bmp"));
    h.script.saveNames.push_back(file);
    h.action("MMSaveAsBitmap")->trigger();
    const QImage read = QImage(file).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(read, freshPicture(h.window->board(), true));
    QCOMPARE(read.pixel(25, 15) | 0xFF000000u, Red);  // cell (1, 0) of the path
    QCOMPARE(read.pixel(45, 25) | 0xFF000000u, qRgb(255, 255, 255));
    QCOMPARE(read.pixel(30, 35) | 0xFF000000u, qRgb(128, 128, 128)); // a wall
    QCOMPARE(h.window->mazeMode(), 0);
    QCOMPARE(h.window->board().curY, 1);
}

void ViewTest::exportFailuresAreReportedAndChangeNothing()
{
    WindowHarness h;
    h.newBoard(6, 4, 10);
    h.pressKeys("RR");
    const QImage before = h.window->image()->pixels();
    const auto board = h.window->board().toFileBytes();

    h.script.saveNames.push_back(QStringLiteral("/proc/zubelo-test.bmp"));
    h.action("MMSaveAsBitmap")->trigger();
    QCOMPARE(h.script.messages.back().text, QStringLiteral("ファイル /proc/zubelo-test.bmp を作成できません"));

    // Only regular files are written: a pipe (which would wait for a reader
    // for ever), a device or a folder is refused at once, and stays as it was.
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.bmp"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    {
        const testing_support::Watchdog watchdog(20, "exporting to a pipe or a device");
        for (const QString& target : {fifo, QStringLiteral("/dev/zero"), QStringLiteral("/dev/full"), dir.path()}) {
            h.script.saveNames.push_back(target);
            h.action("MMSaveAsBitmap")->trigger();
            QCOMPARE(h.script.messages.back().text, QStringLiteral("ファイル %1 を作成できません").arg(target));
            QCOMPARE(h.script.messages.back().kind, Interaction::MessageKind::Error);
        }
    }
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("pipe.bmp")});

    // A write that fails part of the way, here at a file-size limit as on a
    // full disk, leaves nothing behind.
    {
        const testing_support::FileSizeLimit limit(4096);
        QVERIFY(limit.active());
        h.script.saveNames.push_back(dir.filePath(QStringLiteral("too-large.bmp")));
        h.action("MMSaveAsBitmap")->trigger();
    }
    QCOMPARE(h.script.messages.back().text, QStringLiteral("ストリームへの書き込みエラー"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("pipe.bmp")});

    h.script.saveNames.push_back(std::nullopt); // cancelled: nothing at all
    h.action("MMSaveAsBitmap")->trigger();
    QCOMPARE(h.script.messages.size(), std::size_t(6));

    QCOMPARE(h.window->image()->pixels(), before);
    QCOMPARE(h.window->board().toFileBytes(), board);
    QVERIFY(h.window->isModified());
    QVERIFY(h.window->fileName().isEmpty());
    QCOMPARE(h.window->mazeMode(), 0);

    FailingDevice device;
    QCOMPARE(BitmapExport::write(BitmapExport::mazePicture(h.window->board()), device),
             BitmapExport::Result::WriteError);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QCOMPARE(BitmapExport::write(BitmapExport::mazePicture(h.window->board()), buffer),
             BitmapExport::Result::Written);
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    ViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "view_test.moc"
