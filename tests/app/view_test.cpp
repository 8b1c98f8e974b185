// Zoom, transparent window mode and the bitmap export.

#include "Application.h"
#include "BitmapExport.h"
#include "ColorKey.h"
#include "window_harness.h"

#include "../maze/test_support.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

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

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void zoomInBothViewsStopsAtTheLimits();
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
        QCOMPARE(h.window->image()->currentPicture(), freshPicture(h.window->board(), maze));
        for (int i = 0; i < 20; ++i)
            h.action("MMEnsmallGrid")->trigger();
        QCOMPARE(h.window->board().getGridSize(), 3);
        QCOMPARE(h.window->board().getMarginX(), 3);
        QCOMPARE(h.window->image()->size(), QSize(320, 30));
        QCOMPARE(h.clientSize(), QSize(320, 30 + 52));
        QCOMPARE(h.window->image()->currentPicture().copy(0, 0, 54, 30), freshPicture(h.window->board(), maze));
        h.action("MMEnlargeGrid")->trigger();
        QCOMPARE(h.window->image()->size(), QSize(320, 40));
        QCOMPARE(h.window->mazeMode(), maze ? 1 : 0);
        // Zooming does not mark the document as changed.
        QCOMPARE(h.window->isModified(), true);
    }
    QVERIFY(h.window->board().curX == 16);
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
        for (int y = view.top(); y <= view.bottom(); ++y)
            for (int x = view.left(); x <= view.right(); ++x) {
                const bool key = (image->currentPicture().pixel(x, y) | 0xFF000000u) == Yellow;
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
    const QImage& picture = h.window->image()->currentPicture();
    QCOMPARE(picture.pixel(15, 15) | 0xFF000000u, Yellow);
    QCOMPARE(picture.pixel(5, 5) | 0xFF000000u, qRgb(192, 192, 192));

    // The window shows through exactly where the picture has the key colour.
    auto checkMask = [&h](bool expectHoles = true) {
        const QRegion mask = h.window->mask();
        const QImage& shown = h.window->image()->currentPicture();
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
    QVERIFY(!hasColour(h.window->image()->currentPicture(), Yellow));
    QCOMPARE(checkMask(false), QString());
    QCOMPARE(h.window->mask(), QRegion(h.window->rect()));

    // Initialise: see-through again; then off.
    h.script.answers.push_back(Interaction::Answer::No);
    h.action("MMInitMaze")->trigger();
    QVERIFY(hasColour(h.window->image()->currentPicture(), Yellow));
    QCOMPARE(checkMask(), QString());
    mode->trigger();
    QVERIFY(!mode->isChecked());
    QVERIFY(!h.window->board().transparentMode);
    QVERIFY(!button->isChecked());
    QVERIFY(h.window->mask().isEmpty());
    QVERIFY(!hasColour(h.window->image()->currentPicture(), Yellow));
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
    const QImage before = h.window->image()->currentPicture();
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

    QCOMPARE(h.window->image()->currentPicture(), before);
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
