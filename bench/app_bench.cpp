// Drawing the two pictures through the Qt canvas, on the largest picture a
// New can make (100 x 100 cells of 20 pixels: 2040 x 2040).

#include "QtCanvas.h"
#include "maze_board.h"
#include "maze_random.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void drawStraightPath(MazeBoard& board)
{
    const int W = board.getWidth();
    const int row = board.getHeight() / 2;
    board.startX = -1;
    board.startY = row;
    board.clearPath();
    for (int x = 0; x <= W; ++x)
        board.setPathV(x, row, 1);
    for (int x = 0; x < W; ++x)
        board.setPathCell(x, row, 1);
    board.curX = W;
}

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
