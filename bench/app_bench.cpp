// Drawing the two pictures through the Qt canvas, on the largest picture a
// New can make (100 x 100 cells of 20 pixels: 2040 x 2040); and the window
// on that board and on the largest a file holds (400 x 400 cells of 20
// pixels). The offscreen platform's screen is 800 x 600, so is the window.

#include "BitmapExport.h"
#include "Interaction.h"
#include "Main.h"
#include "MazeImage.h"
#include "QtCanvas.h"
#include "bench_support.h"
#include "maze_board.h"
#include "maze_random.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

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
    int side;
    explicit LargeNew(int side) : side(side) {}
    Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::No; }
    std::optional<QString> askOpenFileName(QWidget*, const FileDialogSetup&) override { return {}; }
    std::optional<QString> askSaveFileName(QWidget*, const FileDialogSetup&) override { return {}; }
    void showMessage(QWidget*, MessageKind, const QString&) override {}
    std::optional<NewSize> askNewSize(QWidget*, int, int, int) override { return NewSize{side, side, 20}; }
};

// The main window, shown, with a new board of the given side (100: the
// largest New makes; 400: the largest a file holds) at cell size 20.
struct LargeWindow {
    LargeNew answers;
    TFMain window{&answers};

    explicit LargeWindow(int side = 100)
        : answers(side)
    {
        window.InitMaze();
        window.MMNewClick();
        window.show();
        QCoreApplication::processEvents();
    }

    // A path straight along the top row from the start left of it to the
    // right ring, then Make Maze: the window shows the maze.
    void makeMaze()
    {
        for (int x = -1; x < answers.side; ++x)
            window.FormKeyDown(Qt::Key_Right, {});
        window.MMMakeMazeClick();
        window.image()->repaint();
    }
};

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
    LargeWindow large(static_cast<int>(state.range(0)));
    TFMain& window = large.window;
    window.FormKeyDown(Qt::Key_Right, {});
    QCoreApplication::processEvents();
    PaintCounter counter;
    window.image()->installEventFilter(&counter);
    int key = Qt::Key_Right;
    for (auto _ : state) {
        window.FormKeyDown(key, {});
        QCoreApplication::processEvents();
        key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
    }
    state.counters["paints_per_step"] = double(counter.paints) / double(state.iterations());
}
BENCHMARK(BM_KeyPressStep)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// For scale: the whole picture redrawn and repainted.
void BM_FullRedraw(benchmark::State& state)
{
    LargeWindow large(static_cast<int>(state.range(0)));
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
    LargeWindow large(400);
    large.makeMaze();
    for (auto _ : state) {
        large.window.MMMakeMazeClick();
        large.window.image()->repaint();
    }
}
BENCHMARK(BM_MakeMazeToPaintedFrame)->Unit(benchmark::kMillisecond);

// One zoom step on that board showing its maze (cell size 20 to 19 and
// back, one step per iteration), to the painted frame.
void BM_ZoomStep(benchmark::State& state)
{
    LargeWindow large(400);
    large.makeMaze();
    bool out = true;
    for (auto _ : state) {
        if (out)
            large.window.MMEnsmallGridClick();
        else
            large.window.MMEnlargeGridClick();
        QCoreApplication::processEvents();
        large.window.image()->repaint();
        out = !out;
    }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

// A screenful (1280 x 1024) of the maze picture of that board, drawn as the
// picture area paints, at the smallest, the start-up and the largest cell size.
void BM_PaintScreenful(benchmark::State& state)
{
    LargeWindow large(400);
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
    LargeWindow large(400);
    large.makeMaze();
    for (auto _ : state) {
        large.window.MMEnlargeGridClick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ZoomAtTheLimit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
