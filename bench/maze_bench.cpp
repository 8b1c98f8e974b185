// Maze generation and the .maz file, on the board sizes people use and the
// largest the program accepts.

#include "bench_support.h"
#include "board_edit.h"
#include "maze_board.h"
#include "maze_difficulty.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "route_maker.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <string>
#include <unistd.h>

// Heap use of this program, counted in its own operator new and delete: the
// live bytes, their peak, and the number of allocations.
namespace {
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
std::atomic<std::size_t> allocations{0};
} // namespace

// Counted as glibc's usable size of each block, so delete needs no record.
// (GCC takes the free() below for a mismatch with the new of its caller.)
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    const std::size_t live = liveBytes += ::malloc_usable_size(block);
    std::size_t peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    ++allocations;
    return block;
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    liveBytes -= ::malloc_usable_size(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace {

// A square board of the benchmark's side with a straight path across.
int squareBoardWithPath(benchmark::State& state, MazeBoard& board)
{
    const int side = static_cast<int>(state.range(0));
    if (!board.resize(side, side))
        state.SkipWithError("resize refused");
    drawStraightPath(board);
    return side;
}

// Time per cell should not grow with the board. Besides the time: the heap
// that generation needs beyond the board's own arrays (its scratch, bytes at
// the peak of the first maze), and allocations per maze once the board has
// made one of its size (none: the scratch is kept).
void BM_MakeMaze(benchmark::State& state)
{
    const std::size_t before = liveBytes;
    peakBytes = before;
    RandomSource random;
    MazeBoard board(random);
    const int side = squareBoardWithPath(state, board);
    const std::size_t cells = std::size_t(side) * std::size_t(side);
    const std::size_t boardArrays = 4 * (cells + std::size_t(side)) + cells;
    board.makeMaze();
    // The start-up board's 40 x 40 arrays are gone by now, so the peak holds
    // the board's arrays at this size and the scratch.
    const double scratch = double(peakBytes - before) - double(boardArrays);

    const std::size_t allocationsBefore = allocations;
    for (auto _ : state) {
        board.makeMaze();
        benchmark::DoNotOptimize(board.getMazeV(1, 0));
    }
    // Seconds per cell, shown with its SI prefix (n).
    state.counters["per_cell"] = benchmark::Counter(
        double(cells), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["scratch_bytes"] = scratch;
    state.counters["allocs_per_maze"] = double(allocations - allocationsBefore) / double(state.iterations());
}
BENCHMARK(BM_MakeMaze)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

// Each maze style around the straight path: under 1 ms at 100 x 100 and
// under 25 ms at 400 x 400.
void BM_MakeStyledMaze(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    const auto style = static_cast<MazeStyle>(state.range(0));
    const int side = static_cast<int>(state.range(1));
    if (!board.resize(side, side))
        state.SkipWithError("resize refused");
    drawStraightPath(board);
    board.setStyle(style);
    state.SetLabel(std::string(styleName(style)));
    for (auto _ : state) {
        board.makeMaze();
        benchmark::DoNotOptimize(board.getMazeV(1, 0));
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_MakeStyledMaze)
    ->ArgsProduct({{static_cast<long>(MazeStyle::LongCorridors), static_cast<long>(MazeStyle::ShortDeadEnds),
                    static_cast<long>(MazeStyle::Uniform)},
                   {100, 400}})
    ->Unit(benchmark::kMillisecond);

// The status line's figures of a 400 x 400 maze: under 5 ms.
void BM_MeasureMaze(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    (void)board.resize(400, 400);
    drawStraightPath(board);
    board.makeMaze();
    for (auto _ : state)
        benchmark::DoNotOptimize(measureMaze(board));
}
BENCHMARK(BM_MeasureMaze)->Unit(benchmark::kMillisecond);

// The difficulty figure of a maze in each style around the straight path:
// under 0.2 ms at 100 x 100 and under 4 ms at 400 x 400.
void BM_MeasureDifficulty(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    squareBoardWithPath(state, board);
    const auto style = static_cast<MazeStyle>(state.range(1));
    board.setStyle(style);
    board.makeMaze();
    state.SetLabel(std::string(styleName(style)));
    for (auto _ : state)
        benchmark::DoNotOptimize(measureDifficulty(board));
}
BENCHMARK(BM_MeasureDifficulty)
    ->ArgsProduct({{100, 400},
                   {static_cast<long>(MazeStyle::Standard), static_cast<long>(MazeStyle::LongCorridors),
                    static_cast<long>(MazeStyle::ShortDeadEnds), static_cast<long>(MazeStyle::Uniform)}})
    ->Unit(benchmark::kMicrosecond);

// The board's part of undoing Make Maze: the kept walls exchanged for the
// board's, both ways.
void BM_UndoMakeMazeBoardOnly(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    squareBoardWithPath(state, board);
    BoardEdit edit(board);
    edit.keepMaze(board);
    board.makeMaze();
    edit.finish(board);
    for (auto _ : state) {
        edit.undo(board);
        edit.redo(board);
        benchmark::DoNotOptimize(board.getMazeV(1, 0));
    }
}
BENCHMARK(BM_UndoMakeMazeBoardOnly)->Arg(400)->Unit(benchmark::kMicrosecond);

// A long route (45 % of the cells) made and drawn as the board's path, all
// of it from the board alone as the window does it: under 2 ms at 100 x 100
// and under 40 ms at 400 x 400, at either end of the twist and between.
void BM_LongRoute(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    const int side = static_cast<int>(state.range(0));
    if (!board.resize(side, side))
        state.SkipWithError("resize refused");
    RouteSettings settings;
    settings.lengthPercent = RouteSettings::LongPercent;
    settings.twist = static_cast<int>(state.range(1));
    int missed = 0;
    for (auto _ : state) {
        RouteMaker maker(board);
        const Route route = maker.make(settings, random);
        missed += !route.withinBand();
        if (!drawRoute(board, route))
            state.SkipWithError("route refused");
    }
    state.counters["missed"] = missed;
}
BENCHMARK(BM_LongRoute)->ArgsProduct({{100, 400}, {0, 50, 100}})->Unit(benchmark::kMillisecond);

std::filesystem::path benchFile()
{
    return std::filesystem::temp_directory_path() / ("zubelo-bench-" + std::to_string(::getpid()) + ".maz");
}

void BM_SaveFile(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    (void)board.resize(100, 100);
    drawStraightPath(board);
    board.makeMaze();
    const auto file = benchFile();
    for (auto _ : state) {
        if (!board.saveFile(file))
            state.SkipWithError("save failed");
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

void BM_LoadFile(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    (void)board.resize(100, 100);
    drawStraightPath(board);
    board.makeMaze();
    const auto file = benchFile();
    if (!board.saveFile(file))
        state.SkipWithError("save failed");
    MazeBoard loaded(random);
    for (auto _ : state) {
        if (!loaded.loadFile(file))
            state.SkipWithError("load failed");
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

} // namespace
