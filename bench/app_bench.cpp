// Drawing the two pictures through the Qt canvas, on the largest picture a
// New can make (100 x 100 cells of 20 pixels: 2040 x 2040), a book of
// mazes made from the command line (around one path, and each around a
// route of its own), and the window on that board and on the
// largest a file holds (400 x 400 cells of 20 pixels). The offscreen
// platform's screen is 800 x 600, so is the window.

#include "BitmapExport.h"
#include "CommandLine.h"
#include "EditHistory.h"
#include "Interaction.h"
#include "Main.h"
#include "MazeImage.h"
#include "QtCanvas.h"
#include "Recovery.h"
#include "Underlay.h"
#include "bench_support.h"
#include "maze_board.h"
#include "maze_random.h"
#include "shape_presets.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#ifdef __GLIBC__
#include <malloc.h>
#include <tuple>
#endif

namespace {


struct LargeBoard {
    RandomSource random;
    MazeBoard board{random};
    QImage image;

    LargeBoard()
    {
        (void)board.resize(100, 100);
        board.setGridSize(20);
        drawStraightPath(board);
        board.makeMaze();
        int w = 0, h = 0;
        board.getImageSize(w, h);
        image = QImage(w, h, QImage::Format_RGB32);
    }
};

void BM_DrawEditingView(benchmark::State& state)
{
    LargeBoard large;
    for (auto _ : state) {
        QPainter painter(&large.image);
        QtCanvas canvas(painter);
        large.board.drawGrid(canvas);
        large.board.drawPath(canvas);
    }
}
BENCHMARK(BM_DrawEditingView)->Unit(benchmark::kMillisecond);

void BM_DrawMazePicture(benchmark::State& state)
{
    LargeBoard large;
    for (auto _ : state) {
        QPainter painter(&large.image);
        QtCanvas canvas(painter);
        large.board.drawMaze(canvas);
    }
}
BENCHMARK(BM_DrawMazePicture)->Unit(benchmark::kMillisecond);

// The export of the largest picture: drawing it and writing the BMP file.
void BM_ExportBitmap(benchmark::State& state)
{
    LargeBoard large;
    const QString file = QDir::temp().filePath(QStringLiteral("zubelo-bench-%1.bmp").arg(QCoreApplication::applicationPid()));
    for (auto _ : state) {
        if (BitmapExport::save(large.board, file) != BitmapExport::Result::Written)
            state.SkipWithError("export failed");
    }
    QFile::remove(file);
}
BENCHMARK(BM_ExportBitmap)->Unit(benchmark::kMillisecond);

// Answers New with a board of the given side and cell size 20; nothing else
// is asked here.
struct LargeNew : Interaction {
    NewSize size{100, 100, 20};
    Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::No; }
    std::optional<QString> askOpenFileName(QWidget*, const FileDialogSetup&) override { return {}; }
    std::optional<QString> askSaveFileName(QWidget*, const FileDialogSetup&) override { return {}; }
    void showMessage(QWidget*, MessageKind, const QString&) override {}
    std::optional<NewSize> askNewSize(QWidget*, int, int, int) override { return size; }
    std::optional<std::uint32_t> askSeed(QWidget*, std::uint32_t) override { return {}; }
    std::optional<int> askUnderlayStrength(QWidget*, int) override { return {}; }
};

// The main window, shown, with a new board of the given side (100: the
// largest New makes; 400: the largest a file holds) at cell size 20.
struct LargeWindow {
    LargeNew answers;
    TFMain window{&answers};

    explicit LargeWindow(Interaction::NewSize size = {100, 100, 20})
    {
        answers.size = size;
        window.InitMaze();
        window.MMNewClick();
        window.show();
        QCoreApplication::processEvents();
    }

    // A path straight along the top row from the start left of it to the
    // right ring, then Make Maze: the window shows the maze.
    void makeMaze()
    {
        for (int x = -1; x < answers.size.width; ++x)
            window.FormKeyDown(Qt::Key_Right, {});
        window.MMMakeMazeClick();
        window.image()->repaint();
    }
};

// Delivers the paints that commands asked for, as the event loop does next,
// and nothing else: the picture area draws what it shows as it paints.
void paintPending()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// Counts the paints a widget gets.
struct PaintCounter : QObject {
    long paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// One key press while drawing on the largest board: the step and the paint
// of what it changed, as the user waits for them.
void BM_KeyPressStep(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    LargeWindow large({side, side, 20});
    TFMain& window = large.window;
    window.FormKeyDown(Qt::Key_Right, {});
    QCoreApplication::processEvents();
    PaintCounter counter;
    window.image()->installEventFilter(&counter);
    int key = Qt::Key_Right;
    for (auto _ : state) {
        window.FormKeyDown(key, {});
        paintPending();
        key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
    }
    state.counters["paints_per_step"] = double(counter.paints) / double(state.iterations());
}
BENCHMARK(BM_KeyPressStep)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// One cell painted out and in again by a stroke of the shape mode on the
// largest boards: the shape changed and the cell's area repainted, as the
// mouse moves over it. The paints per cell count shows that only that area
// is drawn.
void BM_ShapeStrokeCell(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    LargeWindow large({side, side, 20});
    TFMain& window = large.window;
    window.findChild<QAction*>(QStringLiteral("MMShapeMode"))->trigger();
    QCoreApplication::processEvents();
    PaintCounter counter;
    window.image()->installEventFilter(&counter);
    // Down at cell (3, 3), then back and forth between (3, 3) and (4, 3):
    // each move paints one cell, and the stroke's edit grows by nothing.
    const int at = 10 + 3 * 20 + 10;
    window.ImageMouseDown(Qt::LeftButton, {}, at, at);
    paintPending();
    Qt::MouseButton button = Qt::LeftButton;
    const int x = at + 20;
    long paints = 0;
    for (auto _ : state) {
        const long before = counter.paints;
        window.ImageMouseMove(button, {}, x, at);
        paintPending();
        paints += counter.paints - before;
        // The second cell goes out, then the stroke goes on with the other
        // button to bring it back: a new stroke each time round.
        state.PauseTiming();
        window.ImageMouseUp(button, {}, x, at);
        button = button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
        window.ImageMouseDown(button, {}, at, at);
        paintPending();
        state.ResumeTiming();
    }
    window.ImageMouseUp(button, {}, x, at);
    state.counters["paints_per_cell"] = double(paints) / double(state.iterations());
}
BENCHMARK(BM_ShapeStrokeCell)->Arg(100)->Arg(400)->Unit(benchmark::kMicrosecond);

// The same with the event loop turning between key presses, without (0)
// and with (1) the recovery copy kept: every step tells the keeper, which
// takes a copy when one is due and writes it in its own thread. The copy
// itself is measured below.
void BM_KeyPressStepWithRecovery(benchmark::State& state)
{
    QTemporaryDir folder;
    LargeWindow large;
    TFMain& window = large.window;
    std::optional<RecoveryKeeper> keeper;
    if (state.range(0) != 0) {
        keeper.emplace(folder.path());
        window.attachRecovery(&*keeper);
    }
    window.FormKeyDown(Qt::Key_Right, {});
    int key = Qt::Key_Right;
    for (auto _ : state) {
        window.FormKeyDown(key, {});
        paintPending();
        // Between key presses (not timed): the copy's timer, when due, takes
        // the copy for the writer thread, which then writes it meanwhile.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
    }
    window.attachRecovery(nullptr);
}
BENCHMARK(BM_KeyPressStepWithRecovery)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the window's thread does for a copy, at most once every 2 seconds:
// the document of the largest board (400 x 400 cells) taken and encoded.
void BM_RecoveryCopyOfLargestBoard(benchmark::State& state)
{
    LargeWindow large({MazeBoard::MaxSide, MazeBoard::MaxSide, MazeBoard::MinGridSize});
    for (int i = 0; i < 200; ++i)
        large.window.FormKeyDown(i % 2 ? Qt::Key_Down : Qt::Key_Right, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(large.window.recoveryState().encode());
}
BENCHMARK(BM_RecoveryCopyOfLargestBoard)->Unit(benchmark::kMillisecond);
// Undo or redo of one key step on the largest board, with the repaint of the
// two cells and the widget's own repaint: against BM_KeyPressStep.
void BM_UndoRedoStep(benchmark::State& state)
{
    LargeWindow large;
    TFMain& window = large.window;
    window.FormKeyDown(Qt::Key_Right, {});
    window.FormKeyDown(Qt::Key_Right, {});
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            window.MMUndoClick();
        else
            window.MMRedoClick();
        paintPending();
        undo = !undo;
    }
}
BENCHMARK(BM_UndoRedoStep)->Unit(benchmark::kMicrosecond);

// A key step once the history is full (held at 4 MB here, some ten thousand
// steps): the oldest edits are let go a tenth at a time, so a step costs
// about what it costs below the limit.
void BM_KeyPressStepAtTheByteLimit(benchmark::State& state)
{
    LargeWindow large;
    TFMain& window = large.window;
    window.editHistory().setByteLimit(std::size_t(4) << 20);
    window.FormKeyDown(Qt::Key_Right, {});
    int key = Qt::Key_Right;
    while (window.editHistory().bytes() < (std::size_t(4) << 20) - 4096) {
        window.FormKeyDown(key, {});
        key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
    }
    for (auto _ : state) {
        window.FormKeyDown(key, {});
        paintPending();
        key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
    }
    state.counters["edits"] = window.editHistory().count();
}
BENCHMARK(BM_KeyPressStepAtTheByteLimit)->Unit(benchmark::kMicrosecond);

// Answers New with a board of the largest side (400 x 400) at cell size 3,
// and the question with No.
struct LargestNew : LargeNew {
    std::optional<NewSize> askNewSize(QWidget*, int, int, int) override { return NewSize{400, 400, 3}; }
};

// Undo of Make Maze on 400 x 400: back to the maze before (Arg 1), or to the
// drawing view after the first maze (Arg 0), with the repaint of the view.
void BM_UndoMakeMaze400(benchmark::State& state)
{
    LargestNew answers;
    TFMain window(&answers);
    window.InitMaze();
    window.MMNewClick();
    window.show();
    for (int i = 0; i < 401; ++i)
        window.FormKeyDown(Qt::Key_Right, {});
    window.MMMakeMazeClick();
    if (state.range(0) == 1)
        window.MMMakeMazeClick();
    for (auto _ : state) {
        window.MMUndoClick();
        paintPending();
        state.PauseTiming();
        window.MMRedoClick();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoMakeMaze400)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What 1,000 key steps, all undone, hold: the history's own count and the
// heap's growth over them (glibc), as counters.
void BM_MemoryOf1000UndoneSteps(benchmark::State& state)
{
    for (auto _ : state) {
        LargeWindow large;
        TFMain& window = large.window;
#ifdef __GLIBC__
        const std::size_t heapBefore = mallinfo2().uordblks;
#endif
        // A snake through the 100 x 100 grid: right, down, left, down ...
        int steps = 0;
        window.FormKeyDown(Qt::Key_Right, {});
        for (int row = 0; steps < 1000; ++row) {
            for (int i = 0; i < 98 && steps < 1000; ++i, ++steps)
                window.FormKeyDown(row % 2 ? Qt::Key_Left : Qt::Key_Right, {});
            if (steps < 1000) {
                window.FormKeyDown(Qt::Key_Down, {});
                ++steps;
            }
        }
        for (int i = 0; i < 1000; ++i)
            window.MMUndoClick();
#ifdef __GLIBC__
        state.counters["heap_bytes"] = double(mallinfo2().uordblks - heapBefore);
#endif
        state.counters["history_bytes"] = double(window.editHistory().bytes());
        state.counters["edits"] = window.editHistory().count();
    }
}
BENCHMARK(BM_MemoryOf1000UndoneSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

// A picture to trace: a colour gradient with coloured discs, written as
// `format` (JPEG at quality 90, as cameras write).
QString writeTestPicture(const QString& file, QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, Qt::yellow);
    gradient.setColorAt(0.5, Qt::magenta);
    gradient.setColorAt(1, Qt::cyan);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromHsv(i * 9, 220, 200));
        painter.drawEllipse(QPoint(size.width() * (i * 37 % 100) / 100, size.height() * (i * 61 % 100) / 100),
                            size.width() / 12, size.width() / 12);
    }
    painter.end();
    image.save(file, format, 90);
    return file;
}

// Answers New with the largest board and the open dialog with a picture.
struct UnderlayNew : LargeNew {
    QString picture;
    std::optional<QString> askOpenFileName(QWidget*, const FileDialogSetup&) override { return picture; }
};

// One key press while drawing on the largest board at cell size 20, without
// (Arg 0) and with (Arg 1) a picture under the grid: the step and the paint
// of what it changed.
void BM_KeyPressStepUnderlay(benchmark::State& state)
{
    QTemporaryDir folder;
    UnderlayNew answers;
    answers.picture = writeTestPicture(folder.filePath(QStringLiteral("picture.png")), QSize(1600, 1200), "PNG");
    TFMain window(&answers);
    window.InitMaze();
    window.MMNewClick();
    window.show();
    if (state.range(0) == 1) {
        window.MMLoadUnderlayClick();
        if (!window.underlay().isLoaded())
            state.SkipWithError("the picture was not taken");
    }
    window.FormKeyDown(Qt::Key_Right, {});
    QCoreApplication::processEvents();
    int key = Qt::Key_Right;
    for (auto _ : state) {
        window.FormKeyDown(key, {});
        QCoreApplication::processEvents();
        key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
    }
}
BENCHMARK(BM_KeyPressStepUnderlay)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A 24-megapixel camera JPEG (6000 x 4000) taken as the underlay, to the
// editing view of the largest board painted over with it: what the user
// waits for after choosing the file.
void BM_LoadUnderlayPhoto(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString photo = writeTestPicture(folder.filePath(QStringLiteral("photo.jpg")), QSize(6000, 4000), "JPG");
    LargeBoard large;
    large.board.clearPath();
    QImage editing = large.image;
    {
        QPainter painter(&editing);
        QtCanvas canvas(painter);
        large.board.drawGrid(canvas);
    }
    QSize kept;
    for (auto _ : state) {
        Underlay underlay;
        if (underlay.load(photo) != Underlay::Failure::None) {
            state.SkipWithError("the photo was not taken");
            break;
        }
        QImage view = editing;
        underlay.paintOver(view, view.rect(), large.board);
        benchmark::DoNotOptimize(view.bits());
        kept = underlay.picture().size();
    }
    state.counters["kept_width"] = kept.width();
    state.counters["kept_height"] = kept.height();
}
BENCHMARK(BM_LoadUnderlayPhoto)->Unit(benchmark::kMillisecond);

// A shape for the largest board from the picture of a 24-megapixel camera
// JPEG under the grid: the cells' ink, worked out once when the dialog
// opens, then a shape for one setting of the slider (under 300 ms in all);
// and one more setting on a 100 x 100 board, which is what the preview does
// as the slider moves (under 50 ms).
void BM_ShapeFromUnderlay(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString photo = writeTestPicture(folder.filePath(QStringLiteral("photo.jpg")), QSize(6000, 4000), "JPG");
    Underlay underlay;
    if (underlay.load(photo) != Underlay::Failure::None) {
        state.SkipWithError("the photo was not taken");
        return;
    }
    const int side = static_cast<int>(state.range(0));
    const bool sliderOnly = state.range(1) != 0;
    const QImage picture = underlay.shapeSource();
    const std::vector<std::uint8_t> ink = shapepictures::inkOf(picture, side, side);
    int threshold = 100;
    for (auto _ : state) {
        const MazeShape shape = sliderOnly
            ? shapeFromInk(ink, side, side, threshold, false)
            : shapeFromInk(shapepictures::inkOf(picture, side, side), side, side, threshold, false);
        benchmark::DoNotOptimize(shape.insideCount());
        threshold = threshold % 200 + 1;
    }
    state.SetLabel(sliderOnly ? "slider moved" : "ink and shape");
}
BENCHMARK(BM_ShapeFromUnderlay)->Args({400, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);

// For scale: the whole picture redrawn and repainted.
void BM_FullRedraw(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    LargeWindow large({side, side, 20});
    TFMain& window = large.window;
    for (auto _ : state) {
        window.RedrawImage();
        window.image()->repaint();
    }
}
BENCHMARK(BM_FullRedraw)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// Make Maze on the largest board a file holds, to the painted frame.
void BM_MakeMazeToPaintedFrame(benchmark::State& state)
{
    LargeWindow large({400, 400, 20});
    large.makeMaze();
    for (auto _ : state) {
        large.window.MMMakeMazeClick();
        paintPending();
    }
}
BENCHMARK(BM_MakeMazeToPaintedFrame)->Unit(benchmark::kMillisecond);

// One zoom step on that board showing its maze (cell size 20 to 19 and
// back, one step per iteration), to the painted frame.
void BM_ZoomStep(benchmark::State& state)
{
    LargeWindow large({400, 400, 20});
    large.makeMaze();
    bool out = true;
    for (auto _ : state) {
        if (out)
            large.window.MMEnsmallGridClick();
        else
            large.window.MMEnlargeGridClick();
        QCoreApplication::processEvents();
        paintPending();
        out = !out;
    }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

// A screenful (1280 x 1024) of the maze picture of that board, drawn as the
// picture area paints, at the smallest, the start-up and the largest cell size.
void BM_PaintScreenful(benchmark::State& state)
{
    LargeWindow large({400, 400, 20});
    large.makeMaze();
    const int size = static_cast<int>(state.range(0));
    while (large.window.board().getGridSize() > size)
        large.window.MMEnsmallGridClick();
    for (auto _ : state)
        benchmark::DoNotOptimize(large.window.image()->pixels(QRect(0, 0, 1280, 1024)));
}
BENCHMARK(BM_PaintScreenful)->Arg(3)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

// Enlarge at the largest cell size, where nothing changes.
void BM_ZoomAtTheLimit(benchmark::State& state)
{
    LargeWindow large({400, 400, 20});
    large.makeMaze();
    for (auto _ : state) {
        large.window.MMEnlargeGridClick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ZoomAtTheLimit)->Unit(benchmark::kMillisecond);

// A book from the command line: `zubelo --batch 100 IN.maz --export
// book.pdf` on a 40 x 40 maze, from reading the maze file to the PDF in
// place (200 pages), with the file's size as a counter.
void BM_BatchPdf100(benchmark::State& state)
{
    QTemporaryDir dir;
    RandomSource random;
    MazeBoard board(random);
    (void)board.resize(40, 40);
    drawStraightPath(board);
    board.makeMaze();
    const QString input = dir.filePath(QStringLiteral("in.maz"));
    const QString book = dir.filePath(QStringLiteral("book.pdf"));
    if (!board.saveFile(std::filesystem::path(input.toStdU16String())))
        state.SkipWithError("no maze file");
    const CommandLine::Parsed parsed =
        CommandLine::parse({QStringLiteral("zubelo"), QStringLiteral("--batch"), QStringLiteral("100"),
                            QStringLiteral("--seed"), QStringLiteral("1"), input, QStringLiteral("--export"), book,
                            QStringLiteral("--title"), QStringLiteral("めいろ")});
    if (!parsed.request)
        state.SkipWithError("arguments refused");
    for (auto _ : state) {
        QString said;
        QTextStream out(&said), err(&said);
        if (!parsed.request || CommandLine::execute(*parsed.request, out, err) != CommandLine::Success)
            state.SkipWithError("batch failed");
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(book).size());
}
BENCHMARK(BM_BatchPdf100)->Unit(benchmark::kMillisecond);

// Thirty hard mazes of 30 x 30 around a drawn path to one PDF, chosen from
// up to 50 candidates each and put in order from easy to hard, with the
// difficulty on the answer pages: under 2 s. Also the same with the easy
// band, which no candidate reaches, so that every maze takes all 50 tries.
void BM_BatchByDifficulty(benchmark::State& state)
{
    QTemporaryDir dir;
    RandomSource random;
    MazeBoard board(random);
    (void)board.resize(30, 30);
    board.startX = -1;
    board.startY = 3;
    board.clearPath();
    int x = -1, y = 3;
    for (const auto& [dx, dy, steps] : {std::tuple{1, 0, 12}, {0, 1, 20}, {1, 0, 8}, {0, -1, 14}, {1, 0, 11}})
        for (int i = 0; i < steps; ++i) {
            if (dx)
                board.setPathV(dx > 0 ? x + 1 : x, y, 1);
            else
                board.setPathH(x, dy > 0 ? y + 1 : y, 1);
            board.setPathCell(x, y, 1);
            x += dx;
            y += dy;
        }
    board.curX = x;
    board.curY = y;
    board.makeMaze();
    const QString input = dir.filePath(QStringLiteral("in.maz"));
    const QString book = dir.filePath(QStringLiteral("book.pdf"));
    if (!board.saveFile(std::filesystem::path(input.toStdU16String())))
        state.SkipWithError("no maze file");
    const QString grade = state.range(0) ? QStringLiteral("easy") : QStringLiteral("hard");
    state.SetLabel(grade.toStdString());
    const CommandLine::Parsed parsed = CommandLine::parse(
        {QStringLiteral("zubelo"), QStringLiteral("--batch"), QStringLiteral("30"), QStringLiteral("--seed"),
         QStringLiteral("1"), QStringLiteral("--difficulty"), grade, QStringLiteral("--order"),
         QStringLiteral("easy-to-hard"), QStringLiteral("--print-difficulty"), input, QStringLiteral("--export"), book});
    if (!parsed.request)
        state.SkipWithError("arguments refused");
    for (auto _ : state) {
        QString said;
        QTextStream out(&said), err(&said);
        if (!parsed.request || CommandLine::execute(*parsed.request, out, err) != CommandLine::Success)
            state.SkipWithError("batch failed");
    }
}
BENCHMARK(BM_BatchByDifficulty)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// `zubelo --batch 100 --size 30x30 --random-route --export book.pdf`
// in-process: a route of its own for every maze, each maze made around it,
// all in one PDF. Under 1.5 s.
void BM_RandomRouteBookPdf100(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("book.pdf"));
    const CommandLine::Parsed parsed = CommandLine::parse(
        {QStringLiteral("zubelo"), QStringLiteral("--batch"), QStringLiteral("100"), QStringLiteral("--size"),
         QStringLiteral("30x30"), QStringLiteral("--random-route"), QStringLiteral("--seed"), QStringLiteral("1"),
         QStringLiteral("--export"), book});
    if (!parsed.request)
        state.SkipWithError("arguments refused");
    for (auto _ : state) {
        QString said;
        QTextStream out(&said), err(&said);
        if (!parsed.request || CommandLine::execute(*parsed.request, out, err) != CommandLine::Success)
            state.SkipWithError("batch failed");
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(book).size());
}
BENCHMARK(BM_RandomRouteBookPdf100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window reads its recent files: from a folder of the benchmark's own.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
