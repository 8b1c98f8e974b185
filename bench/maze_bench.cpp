// Maze generation and the .maz file, on the board sizes people use and the
// largest the program accepts.

#include "bench_support.h"
#include "board_edit.h"
#include "maze_board.h"
#include "maze_difficulty.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "path_editor.h"
#include "route_maker.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
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

// Plain flat-array versions of the algorithms the styles follow, to measure
// the styles against: a fast random source (xorshift), one byte per cell
// and per wall, no containers of containers. Each carves a perfect maze on
// the whole W x H grid from cell 0; the walls go into arrays laid out as the
// board's (vertical edges (W+1) x H, horizontal W x (H+1)), 1 for a passage.
// As the styles grow from the drawn path, each starts from the tree of the
// middle row joined end to end, the straight path of the styles' benchmark.
struct FlatGrid {
    int W, H;
    std::vector<std::uint8_t> v, h, seen;
    std::uint64_t rng = 0x9E3779B97F4A7C15ull;
    FlatGrid(int w, int hgt)
        : W(w), H(hgt), v(std::size_t((w + 1) * hgt)), h(std::size_t(w * (hgt + 1))), seen(std::size_t(w * hgt))
    {
    }
    void reset()
    {
        std::fill(v.begin(), v.end(), 0);
        std::fill(h.begin(), h.end(), 0);
        std::fill(seen.begin(), seen.end(), 0);
        for (int x = 0; x < W; ++x) {
            seen[std::size_t(row() + x)] = 1;
            v[std::size_t(H / 2 * (W + 1) + x + 1)] = x + 1 < W;
        }
    }
    int row() const { return H / 2 * W; } // the first cell of the middle row
    std::uint32_t next(std::uint32_t n)
    {
        rng ^= rng << 13;
        rng ^= rng >> 7;
        rng ^= rng << 17;
        return std::uint32_t((rng >> 32) * n >> 32);
    }
    // The neighbour of `cell` in direction d (0 right, 1 left, 2 down, 3 up), or -1.
    int neighbour(int cell, int d) const
    {
        const int x = cell % W, y = cell / W;
        switch (d) {
        case 0: return x + 1 < W ? cell + 1 : -1;
        case 1: return x > 0 ? cell - 1 : -1;
        case 2: return y + 1 < H ? cell + W : -1;
        default: return y > 0 ? cell - W : -1;
        }
    }
    void open(int cell, int d)
    {
        const int x = cell % W, y = cell / W;
        switch (d) {
        case 0: v[std::size_t(y * (W + 1) + x + 1)] = 1; break;
        case 1: v[std::size_t(y * (W + 1) + x)] = 1; break;
        case 2: h[std::size_t((y + 1) * W + x)] = 1; break;
        default: h[std::size_t(y * W + x)] = 1; break;
        }
    }
};

void depthFirst(FlatGrid& g)
{
    // The backtracker winds on from every cell of the row in turn.
    std::vector<std::int32_t> stack;
    for (int x = g.W - 1; x >= 0; --x)
        stack.push_back(g.row() + x);
    while (!stack.empty()) {
        const int cell = stack.back();
        int choices[4], n = 0;
        for (int d = 0; d < 4; ++d)
            if (const int m = g.neighbour(cell, d); m >= 0 && !g.seen[std::size_t(m)])
                choices[n++] = d;
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        const int d = choices[g.next(std::uint32_t(n))];
        const int m = g.neighbour(cell, d);
        g.open(cell, d);
        g.seen[std::size_t(m)] = 1;
        stack.push_back(m);
    }
}

void prims(FlatGrid& g)
{
    // seen: 0 untouched, 1 in the tree, 2 on the frontier.
    std::vector<std::int32_t> frontier;
    auto add = [&](int cell) {
        g.seen[std::size_t(cell)] = 1;
        for (int d = 0; d < 4; ++d)
            if (const int m = g.neighbour(cell, d); m >= 0 && g.seen[std::size_t(m)] == 0) {
                g.seen[std::size_t(m)] = 2;
                frontier.push_back(m);
            }
    };
    for (int x = 0; x < g.W; ++x)
        add(g.row() + x);
    while (!frontier.empty()) {
        const std::size_t i = g.next(std::uint32_t(frontier.size()));
        const int cell = frontier[i];
        frontier[i] = frontier.back();
        frontier.pop_back();
        int choices[4], n = 0;
        for (int d = 0; d < 4; ++d)
            if (const int m = g.neighbour(cell, d); m >= 0 && g.seen[std::size_t(m)] == 1)
                choices[n++] = d;
        g.open(cell, choices[g.next(std::uint32_t(n))]);
        add(cell);
    }
}

void wilsons(FlatGrid& g)
{
    std::vector<std::uint8_t> way(g.seen.size());
    for (int start = 0; start < g.W * g.H; ++start) {
        if (g.seen[std::size_t(start)])
            continue;
        // A random walk until the tree, remembering the last way out of each
        // cell: following those ways afterwards erases the loops.
        for (int cell = start; !g.seen[std::size_t(cell)];) {
            int d, m;
            do {
                d = int(g.next(4));
                m = g.neighbour(cell, d);
            } while (m < 0);
            way[std::size_t(cell)] = std::uint8_t(d);
            cell = m;
        }
        for (int cell = start; !g.seen[std::size_t(cell)];) {
            g.seen[std::size_t(cell)] = 1;
            g.open(cell, way[std::size_t(cell)]);
            cell = g.neighbour(cell, way[std::size_t(cell)]);
        }
    }
}

// Each style beside the plain version of its algorithm on the same board:
// the style's time over the reference's is the figure to read (at most 1.3).
void BM_StyleReference(benchmark::State& state)
{
    const int algorithm = static_cast<int>(state.range(0));
    const int side = static_cast<int>(state.range(1));
    FlatGrid grid(side, side);
    static const char* const names[] = {"depth-first (corridors)", "Prim's (deadends)", "Wilson's (uniform)"};
    state.SetLabel(names[algorithm]);
    for (auto _ : state) {
        grid.reset();
        algorithm == 0 ? depthFirst(grid) : algorithm == 1 ? prims(grid) : wilsons(grid);
        benchmark::DoNotOptimize(grid.v.data());
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_StyleReference)->ArgsProduct({{0, 1, 2}, {100, 400}})->Unit(benchmark::kMillisecond);

// Every style on a 400 x 400 shape with 60 % of its cells inside (a disc),
// around a straight path through its middle: the time per inside cell
// (items per second) beside the full board's of BM_MakeStyledMaze.
void BM_MakeShapedMaze(benchmark::State& state)
{
    RandomSource random;
    MazeBoard board(random);
    const int side = 400;
    (void)board.resize(side, side);
    const double r = std::sqrt(0.6 * side * side / 3.141592653589793);
    std::vector<std::uint8_t> cells(std::size_t(side * side));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double dx = x + 0.5 - side / 2.0, dy = y + 0.5 - side / 2.0;
            cells[std::size_t(y * side + x)] = dx * dx + dy * dy <= r * r;
        }
    if (!board.setShape(MazeShape(side, side, std::move(cells))))
        state.SkipWithError("shape refused");
    PathEditor editor(board);
    const int row = side / 2;
    int x = 0;
    while (!board.isInside(x + 1, row))
        ++x;
    editor.chooseStart({x, row});
    while (editor.step(3).outcome == PathEditor::Outcome::Stepped) {
    }
    const auto style = static_cast<MazeStyle>(state.range(0));
    board.setStyle(style);
    state.SetLabel(std::string(styleName(style)));
    for (auto _ : state) {
        board.makeMaze();
        benchmark::DoNotOptimize(board.getMazeV(1, 0));
    }
    state.counters["inside_share"] = double(board.insideCount()) / (side * side);
    state.SetItemsProcessed(state.iterations() * board.insideCount());
}
BENCHMARK(BM_MakeShapedMaze)
    ->DenseRange(static_cast<long>(MazeStyle::Standard), static_cast<long>(MazeStyle::Uniform))
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
