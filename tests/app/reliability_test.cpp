// The window when saving goes wrong and at the edges of what it loads: a
// failed save loses neither the file nor the unsaved maze, and the largest
// and smallest boards a file may hold can be shown, remade, zoomed, exported,
// saved and loaded again.

#include "Application.h"
#include "window_harness.h"

#include "../maze/test_support.h"
#include "maze_random.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ZUBELO_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ZUBELO_TEST_SANITIZED 1
#endif
#endif

// Runs a checking helper; a failure inside it ends the test function too.
#define CHECKED(call)                                                                                        \
    do {                                                                                                     \
        call;                                                                                                \
        if (QTest::currentTestFailed())                                                                      \
            return;                                                                                          \
    } while (false)

namespace {

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray bytesOf(const MazeBoard& board)
{
    const std::vector<std::uint8_t> bytes = board.toFileBytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The same maze: everything but the start and head positions, which a
// loaded board does not take from its file.
bool sameMaze(const QByteArray& a, const QByteArray& b)
{
    return a.size() == b.size() && a.first(12) == b.first(12) && a.sliced(28) == b.sliced(28);
}

// Whether `shown` holds `expected` at its top left, pixel for pixel. Works
// on the scan lines, so pictures of hundreds of megabytes are not copied.
bool holds(const QImage& shown, const QImage& expected)
{
    if (shown.format() != QImage::Format_RGB32 || expected.format() != QImage::Format_RGB32
        || shown.width() < expected.width() || shown.height() < expected.height())
        return false;
    const auto lineBytes = std::size_t(expected.width()) * 4;
    for (int y = 0; y < expected.height(); ++y)
        if (std::memcmp(shown.constScanLine(y), expected.constScanLine(y), lineBytes) != 0)
            return false;
    return true;
}

// Lowers this process's file-size limit, so that a write past it fails with
// EFBIG as on a full disk; restores it on leaving. The application object
// ignores SIGXFSZ, which would otherwise end the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
};

bool fileSizeSignalIgnored()
{
    struct sigaction action {};
    return ::sigaction(SIGXFSZ, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

// A path from the left ring straight across row `row`, and the maze made
// from it, drawn as the user does.
void drawAndMake(WindowHarness& h, int row)
{
    h.clickCell(-1, row);
    h.pressKeys(QByteArray(h.window->board().getWidth() + 1, 'R').constData());
    QVERIFY(h.window->canMakeMaze());
    h.action("MMMakeMaze")->trigger();
}

} // namespace

class ReliabilityTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void fileSizeSignalIsIgnoredAfterSetUp();
    void failedSaveKeepsTheFileAndTheUnsavedMaze();
    void largestPictureIsDrawableAndUsable();
    void oneCellBoardIsDrawableAndUsable();

private:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QString writeMaze(const char* name, int width, int height, int gridSize);
    void loadAndCheckPicture(WindowHarness& h, const QString& file);
    void checkShowsTheMaze(WindowHarness& h);
    void zoom(WindowHarness& h, const char* command);
    void exportSaveAndReload(WindowHarness& h, const QString& file);
};

void ReliabilityTest::fileSizeSignalIsIgnoredAfterSetUp()
{
    QVERIFY(fileSizeSignalIgnored());
}

void ReliabilityTest::failedSaveKeepsTheFileAndTheUnsavedMaze()
{
    for (const bool readOnly : {false, true}) {
        const QString file = path(readOnly ? "read-only.maz" : "full-disk.maz");
        WindowHarness h;
        h.newBoard(60, 60, 10);
        CHECKED(drawAndMake(h, 10));
        h.script.saveNames.push_back(file);
        h.action("MMSave")->trigger();
        QVERIFY(!h.window->isModified());
        const QByteArray old = readAll(file);
        QCOMPARE(old, bytesOf(h.window->board()));

        // A changed maze: a new path, a new maze from it, not yet saved.
        h.action("MMInitMaze")->trigger();
        CHECKED(drawAndMake(h, 40));
        QVERIFY(h.window->isModified());
        const QString title = h.window->windowTitle();
        QCOMPARE(title, QStringLiteral("Zubelo * ") + file);
        const QByteArray unsaved = bytesOf(h.window->board());
        QVERIFY(unsaved != old);

        // The save fails: on a full disk, or on a file marked read-only.
        {
            std::optional<FileSizeLimit> limit;
            if (readOnly) {
                QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            } else {
                QVERIFY(fileSizeSignalIgnored());
                QVERIFY(old.size() > 4096);
                limit.emplace(4096);
                QVERIFY(limit->active());
            }
            h.action("MMSave")->trigger();
        }
        const char* what = readOnly ? "read-only" : "full disk";
        QVERIFY2(h.script.messages.size() == 1, what);
        QCOMPARE(h.script.messages.back().kind, Interaction::MessageKind::Warning);
        QCOMPARE(h.script.messages.back().text, QStringLiteral("ファイル %1 を作成できません").arg(file));
        QVERIFY2(h.window->isModified(), what);
        QCOMPARE(h.window->windowTitle(), title);
        QCOMPARE(h.window->fileName(), file);
        QCOMPARE(readAll(file), old);
        QCOMPARE(bytesOf(h.window->board()), unsaved);
        const QDir folder(dir.path(), {}, QDir::Name, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(folder.entryList(), QStringList{QFileInfo(file).fileName()});

        // Once the cause is gone the same Save writes the maze kept.
        if (readOnly)
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        h.action("MMSave")->trigger();
        QCOMPARE(readAll(file), unsaved);
        QVERIFY(!h.window->isModified());
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + file);
        QVERIFY(h.script.unexpected.empty());
        QFile::remove(file);
    }
}

// A made maze with a straight path, on a board of the given size, saved
// with the given cell size, which may lie outside what zooming reaches.
QString ReliabilityTest::writeMaze(const char* name, int width, int height, int gridSize)
{
    // Its own sequence, so that the window, which draws from the program's
    // source, makes a different maze on the same path.
    RandomSource random = RandomSource::fromState(0x5EED);
    MazeBoard board(random);
    if (!board.resize(width, height))
        return {};
    testing_support::drawKeys(board, -1, height / 2, std::string(std::size_t(width + 1), 'R'));
    board.makeMaze();
    std::vector<std::uint8_t> bytes = board.toFileBytes();
    for (int i = 0; i < 4; ++i)
        bytes[std::size_t(28 + i)] = std::uint8_t(unsigned(gridSize) >> (8 * i));
    const QString file = path(name);
    testing_support::writeBytes(file.toStdU16String(), bytes);
    return file;
}

// The window shows the board's maze picture, fitted to it.
void ReliabilityTest::checkShowsTheMaze(WindowHarness& h)
{
    int width = 0, height = 0;
    h.window->board().getImageSize(width, height);
    QCOMPARE(h.window->image()->size(), QSize(std::max(width, 320), height));
    QCOMPARE(h.window->image()->pixels().size(), h.window->image()->size());
    QVERIFY(holds(h.window->image()->pixels(), freshPicture(h.window->board(), true)));
}

void ReliabilityTest::loadAndCheckPicture(WindowHarness& h, const QString& file)
{
    QVERIFY(!file.isEmpty());
    h.script.openNames.push_back(file);
    h.action("MMLoad")->trigger();
    QVERIFY(h.script.messages.empty());
    QCOMPARE(h.window->fileName(), file);
    QVERIFY(sameMaze(bytesOf(h.window->board()), readAll(file)));
    CHECKED(checkShowsTheMaze(h));
}

// One zoom step: the cell size moves by one within the zoom range, or into
// it from a loaded size outside when that is the way the step goes, and
// never the other way; the picture follows.
void ReliabilityTest::zoom(WindowHarness& h, const char* command)
{
    const int before = h.window->board().getGridSize();
    const int step = std::strcmp(command, "MMEnlargeGrid") == 0 ? 1 : -1;
    h.action(command)->trigger();
    const int after = h.window->board().getGridSize();
    QVERIFY2(step > 0 ? after >= before : after <= before, command);
    QVERIFY2(after == before || (after >= MazeBoard::MinGridSize && after <= MazeBoard::MaxGridSize), command);
    if (before >= MazeBoard::MinGridSize && before <= MazeBoard::MaxGridSize)
        QCOMPARE(after, std::clamp(before + step, MazeBoard::MinGridSize, MazeBoard::MaxGridSize));
    QCOMPARE(h.window->board().getMarginX(), after);
    CHECKED(checkShowsTheMaze(h));
}

// Exports the bitmap and compares it with the picture shown, then saves the
// maze over its file and loads it back.
void ReliabilityTest::exportSaveAndReload(WindowHarness& h, const QString& file)
{
    const QString bitmap = path("export.bmp");
    h.script.saveNames.push_back(bitmap);
    h.action("MMSaveAsBitmap")->trigger();
    QVERIFY(h.script.messages.empty());
    {
        // The largest bitmap is beyond what Qt's readers take by default.
        const int allocationLimit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(0);
        QImage exported(bitmap);
        QImageReader::setAllocationLimit(allocationLimit);
        int width = 0, height = 0;
        h.window->board().getImageSize(width, height);
        QCOMPARE(exported.size(), QSize(width, height));
        if (exported.format() != QImage::Format_RGB32)
            exported = exported.convertToFormat(QImage::Format_RGB32);
        QVERIFY(holds(h.window->image()->pixels(), exported));
    }
    QVERIFY(QFile::remove(bitmap));

    const QByteArray saved = bytesOf(h.window->board());
    h.action("MMSave")->trigger();
    QVERIFY(h.script.messages.empty());
    QVERIFY(!h.window->isModified());
    QCOMPARE(readAll(file), saved);
    CHECKED(loadAndCheckPicture(h, file));
    QVERIFY(sameMaze(bytesOf(h.window->board()), saved));
    QVERIFY(h.script.unexpected.empty());
}

void ReliabilityTest::largestPictureIsDrawableAndUsable()
{
    const QString file = writeMaze("largest.maz", MazeBoard::MaxSide, MazeBoard::MaxSide, 20);
    WindowHarness h;
    CHECKED(loadAndCheckPicture(h, file));
    QCOMPARE(h.window->image()->size(), QSize(8040, 8040));
    // The window itself stays within the screen; scroll bars reach the rest.
    const QSize screen = h.window->screen()->availableGeometry().size();
    QVERIFY2(h.window->width() <= screen.width() && h.window->height() <= screen.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(h.window->width()).arg(h.window->height())));

    // A new maze on the loaded path.
    const QByteArray loaded = bytesOf(h.window->board());
    QVERIFY(h.window->canMakeMaze());
    h.action("MMMakeMaze")->trigger();
    QVERIFY(bytesOf(h.window->board()) != loaded);
    CHECKED(checkShowsTheMaze(h));

    // At the largest cell size Enlarge keeps it; one step down and back.
    CHECKED(zoom(h, "MMEnlargeGrid"));
    QCOMPARE(h.window->image()->size(), QSize(8040, 8040));
    CHECKED(zoom(h, "MMEnsmallGrid"));
    QCOMPARE(h.window->image()->size(), QSize(7638, 7638));
    CHECKED(zoom(h, "MMEnlargeGrid"));
    CHECKED(exportSaveAndReload(h, file));

    rusage usage{};
    QCOMPARE(::getrusage(RUSAGE_SELF, &usage), 0);
    const double peak = double(usage.ru_maxrss) * 1024; // kilobytes on Linux
    const double picture = 8040.0 * 8040.0 * 4;
    qInfo("peak resident memory with the 8040 x 8040 picture: %.0f MB (one picture %.0f MB)", peak / 1e6,
          picture / 1e6);
#ifndef ZUBELO_TEST_SANITIZED
    QVERIFY2(peak < 200e6 + 3 * picture, "more copies of the picture than drawing and exporting need");
#endif
}

void ReliabilityTest::oneCellBoardIsDrawableAndUsable()
{
    // The smallest and the largest cell size a file may give.
    for (const int gridSize : {1, MazeBoard::MaxFileGridSize}) {
        const QString file = writeMaze("one-cell.maz", 1, 1, gridSize);
        WindowHarness h;
        CHECKED(loadAndCheckPicture(h, file));
        QCOMPARE(h.window->board().getGridSize(), gridSize);

        // A path through the one cell, from the left ring to the right one.
        h.action("MMInitMaze")->trigger();
        QCOMPARE(h.window->mazeMode(), 0);
        CHECKED(drawAndMake(h, 0));
        QCOMPARE(h.window->board().getPathV(0, 0), 1);
        QCOMPARE(h.window->board().getPathV(1, 0), 1);
        QCOMPARE(h.window->board().getMazeV(0, 0), 1);
        QCOMPARE(h.window->board().getMazeV(1, 0), 1);
        CHECKED(checkShowsTheMaze(h));

        CHECKED(zoom(h, "MMEnsmallGrid"));
        CHECKED(zoom(h, "MMEnlargeGrid"));
        CHECKED(exportSaveAndReload(h, file));
    }
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    ReliabilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "reliability_test.moc"
