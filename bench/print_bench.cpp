// Printed mazes: the outline, the two-page PDF, the SVG and the PNG of the
// largest maze New makes (100 x 100) and of the largest a file may hold
// (400 x 400), with the file sizes as counters.

#include "ExportEngine.h"
#include "ExportSettings.h"
#include "MazePrint.h"
#include "maze_batch.h"
#include "maze_board.h"
#include "maze_outline.h"
#include "maze_random.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void step(MazeBoard& b, int dx, int dy)
{
    const int x = b.curX, y = b.curY;
    if (dx == 1)
        b.setPathV(x + 1, y, 1);
    else if (dx == -1)
        b.setPathV(x, y, 1);
    else if (dy == 1)
        b.setPathH(x, y + 1, 1);
    else
        b.setPathH(x, y, 1);
    b.setPathCell(x, y, 1);
    b.curX += dx;
    b.curY += dy;
}

// A long answer with a corner every row or two: in at the top left, along
// every other row, out at the bottom.
void drawZigzagPath(MazeBoard& b)
{
    b.startX = -1;
    b.startY = 0;
    b.clearPath();
    const int W = b.getWidth(), H = b.getHeight();
    int direction = 1;
    step(b, 1, 0);
    for (;;) {
        while ((direction == 1 && b.curX < W - 1) || (direction == -1 && b.curX > 0))
            step(b, direction, 0);
        if (b.curY + 2 >= H)
            break;
        step(b, 0, 1);
        step(b, 0, 1);
        direction = -direction;
    }
    while (b.curY < H)
        step(b, 0, 1);
}

struct PrintedMaze {
    RandomSource random;
    MazeBoard board{random};
    std::vector<MazeOutline> outlines;

    explicit PrintedMaze(int side)
    {
        (void)board.resize(side, side);
        drawZigzagPath(board);
        board.makeMaze();
        outlines.push_back(outlineOf(board));
    }
};

PrintedMaze& maze(int side)
{
    static std::unique_ptr<PrintedMaze> mazes[2];
    auto& slot = mazes[side > 100 ? 1 : 0];
    if (!slot)
        slot = std::make_unique<PrintedMaze>(side);
    return *slot;
}

void BM_Outline(benchmark::State& state)
{
    PrintedMaze& m = maze(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const MazeOutline outline = outlineOf(m.board);
        benchmark::DoNotOptimize(outline.walls.data());
    }
    state.counters["runs"] = static_cast<double>(m.outlines[0].walls.size());
}
BENCHMARK(BM_Outline)->Arg(100)->Arg(400)->Unit(benchmark::kMicrosecond);

// The puzzle page and the answer page, A4, with the title and labels.
void BM_PdfTwoPages(benchmark::State& state)
{
    PrintedMaze& m = maze(static_cast<int>(state.range(0)));
    ExportSettings settings;
    settings.title = QStringLiteral("迷路");
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!MazePrint::writePdf(buffer, {outlineOf(m.board)}, settings))
            state.SkipWithError("PDF failed");
        bytes = buffer.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PdfTwoPages)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_Svg(benchmark::State& state)
{
    PrintedMaze& m = maze(static_cast<int>(state.range(0)));
    const PageKind kind = state.range(1) ? PageKind::Answer : PageKind::Puzzle;
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!MazePrint::writeSvg(buffer, outlineOf(m.board), kind, {}))
            state.SkipWithError("SVG failed");
        bytes = buffer.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Svg)->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);

// For scale: the answer picture at 300 dpi (about 2200 x 2200 pixels).
void BM_Png300(benchmark::State& state)
{
    PrintedMaze& m = maze(100);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!MazePrint::writePng(buffer, m.outlines[0], PageKind::Answer, {}))
            state.SkipWithError("PNG failed");
        bytes = buffer.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Png300)->Unit(benchmark::kMillisecond);

// A worksheet book as --batch and the book maker make it: 100 mazes of
// 30 x 30 made around one path, four to a puzzle page, each answer on a page
// of its own, written to a PDF file through the export engine.
void BM_Book100FourPerPage(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    (void)board.resize(30, 30);
    drawZigzagPath(board);
    board.makeMaze();
    ExportSettings settings;
    settings.title = QStringLiteral("めいろ %n");
    settings.perPage = 4;
    settings.pageNumbers = true;
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("book.pdf"));
    for (auto _ : state) {
        ExportEngine::Writer writer(settings, ExportEngine::Format::Pdf, target, 100, true);
        makeMazeBatch(board, {100, MazeStyle::Standard, 1u}, [&](int) { return writer.add(board); });
        if (!writer.finish().ok())
            state.SkipWithError("book failed");
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(target).size());
}
BENCHMARK(BM_Book100FourPerPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
