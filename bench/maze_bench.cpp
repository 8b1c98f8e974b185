// Maze generation and the .maz file, on the board sizes people use and the
// largest the program accepts.

#include "bench_support.h"
#include "board_edit.h"
#include "maze_board.h"
#include "maze_random.h"
#include "maze_stats.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

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

void BM_MakeMaze(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    const int side = squareBoardWithPath(state, board);
    for (auto _ : state) {
        board.makeMaze();
        benchmark::DoNotOptimize(board.getMazeV(1, 0));
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_MakeMaze)->Arg(40)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

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
