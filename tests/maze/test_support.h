#pragma once

// Helpers shared by the core tests: drawing a path the way the path editor
// does, reading a made maze as a graph, and whole files as bytes.

#include "maze_board.h"
#include "path_editor.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <fstream>
#include <iterator>
#include <optional>
#include <queue>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

inline Bytes readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& file, const Bytes& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Ends the whole test program with a message when the guarded scope has not
// been left within `seconds`: a call that waits for ever (an open() on a
// named pipe) fails the run instead of hanging it.
class Watchdog {
public:
    Watchdog(int seconds, std::string what)
        : what_(std::move(what))
        , thread_([this, seconds] {
            std::unique_lock lock(mutex_);
            if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return left_; })) {
                std::fprintf(stderr, "still waiting after %d s: %s\n", seconds, what_.c_str());
                std::fflush(stderr);
                std::_Exit(3);
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(mutex_);
            left_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::string what_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool left_ = false;
    std::thread thread_;
};

// Lowers the file-size limit of this process with SIGXFSZ ignored, so that a
// write past it fails with EFBIG as on a full disk; restores both on leaving.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
    bool active_ = false;
};

struct Cell {
    int x;
    int y;
    bool operator==(const Cell&) const = default;
};

inline bool onRing(const MazeBoard& b, int x, int y)
{
    return x == -1 || y == -1 || x == b.getWidth() || y == b.getHeight();
}

// Takes one forward step of the path head, as the editor does after its
// checks: marks the crossed segment and the cell left behind, moves the head.
inline void stepHead(MazeBoard& b, char key)
{
    const int x = b.curX;
    const int y = b.curY;
    switch (key) {
    case 'D': b.setPathH(x, y + 1, 1); break;
    case 'U': b.setPathH(x, y, 1); break;
    case 'L': b.setPathV(x, y, 1); break;
    case 'R': b.setPathV(x + 1, y, 1); break;
    default: break;
    }
    b.setPathCell(x, y, 1);
    b.curX += key == 'R' ? 1 : key == 'L' ? -1 : 0;
    b.curY += key == 'D' ? 1 : key == 'U' ? -1 : 0;
}

// Sets the start and draws the path given as keys R, L, U, D.
inline void drawKeys(MazeBoard& b, int startX, int startY, const std::string& keys)
{
    b.startX = startX;
    b.startY = startY;
    b.clearPath();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // A path leaves the ring only with its first step and ends where it
        // comes back to it: a key after that would write outside the arrays.
        if (i > 0 && onRing(b, b.curX, b.curY)) {
            std::fprintf(stderr, "drawKeys: key %zu of \"%s\" goes on past the ring\n", i, keys.c_str());
            std::abort();
        }
        stepHead(b, keys[i]);
    }
}

// The cells of a self-avoiding path from a ring cell through the grid back to
// the ring, drawn on the board. Returns the visited positions, start first.
inline std::vector<Cell> drawRandomPath(MazeBoard& b, std::mt19937& rng)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    for (;;) {
        // A ring cell that is not a corner, and its one step into the grid.
        std::uniform_int_distribution<int> side(0, 3);
        Cell start{};
        char in = 'R';
        switch (side(rng)) {
        case 0: start = {-1, std::uniform_int_distribution<int>(0, H - 1)(rng)}; in = 'R'; break;
        case 1: start = {W, std::uniform_int_distribution<int>(0, H - 1)(rng)}; in = 'L'; break;
        case 2: start = {std::uniform_int_distribution<int>(0, W - 1)(rng), -1}; in = 'D'; break;
        default: start = {std::uniform_int_distribution<int>(0, W - 1)(rng), H}; in = 'U'; break;
        }
        std::vector<Cell> cells{start};
        std::vector<char> keys{in};
        std::vector<std::uint8_t> used(static_cast<std::size_t>(W * H), 0);
        auto move = [](Cell c, char k) {
            return Cell{c.x + (k == 'R') - (k == 'L'), c.y + (k == 'D') - (k == 'U')};
        };
        Cell head = move(start, in);
        bool done = false;
        for (int guard = 0; guard < 4 * W * H + 8; ++guard) {
            cells.push_back(head);
            if (onRing(b, head.x, head.y)) {
                done = true;
                break;
            }
            used[static_cast<std::size_t>(head.y * W + head.x)] = 1;
            std::vector<char> options;
            for (const char k : {'R', 'L', 'U', 'D'}) {
                const Cell next = move(head, k);
                if (onRing(b, next.x, next.y)) {
                    // Leaving is allowed anywhere but back onto the start.
                    if (!(next == start))
                        options.push_back(k);
                } else if (!used[static_cast<std::size_t>(next.y * W + next.x)]) {
                    options.push_back(k);
                }
            }
            if (options.empty())
                break;
            // Prefer going on inside the grid so that paths are not all short.
            std::vector<char> inner;
            for (const char k : options) {
                const Cell next = move(head, k);
                if (!onRing(b, next.x, next.y))
                    inner.push_back(k);
            }
            const auto& pool = (!inner.empty() && std::uniform_int_distribution<int>(0, 9)(rng) != 0)
                ? inner
                : options;
            const char k = pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)];
            keys.push_back(k);
            head = move(head, k);
        }
        if (!done)
            continue;
        drawKeys(b, start.x, start.y, std::string(keys.begin(), keys.end()));
        return cells;
    }
}

// A random shape: one blob grown at random from the middle over 40 to 90 %
// of the grid, with enclosed holes of one to four cells punched into it
// where all cells around them are inside, so it stays one region.
inline MazeShape randomBlob(int W, int H, std::mt19937& rng)
{
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(W * H), 0);
    const int target = std::max(4, W * H * std::uniform_int_distribution<int>(40, 90)(rng) / 100);
    std::vector<int> edge{(H / 2) * W + W / 2};
    int grown = 0;
    while (grown < target && !edge.empty()) {
        const std::size_t i = std::uniform_int_distribution<std::size_t>(0, edge.size() - 1)(rng);
        const int k = edge[i];
        edge[i] = edge.back();
        edge.pop_back();
        if (cells[static_cast<std::size_t>(k)])
            continue;
        cells[static_cast<std::size_t>(k)] = 1;
        ++grown;
        const int x = k % W, y = k / W;
        if (x > 0) edge.push_back(k - 1);
        if (x + 1 < W) edge.push_back(k + 1);
        if (y > 0) edge.push_back(k - W);
        if (y + 1 < H) edge.push_back(k + W);
    }
    MazeShape shape(W, H, cells);
    for (int hole = std::uniform_int_distribution<int>(0, 4)(rng); hole > 0; --hole) {
        const int w = std::uniform_int_distribution<int>(1, 2)(rng), h = std::uniform_int_distribution<int>(1, 2)(rng);
        const int x0 = std::uniform_int_distribution<int>(1, std::max(1, W - w - 1))(rng);
        const int y0 = std::uniform_int_distribution<int>(1, std::max(1, H - h - 1))(rng);
        bool enclosed = x0 + w < W && y0 + h < H;
        for (int y = y0 - 1; enclosed && y <= y0 + h; ++y)
            for (int x = x0 - 1; x <= x0 + w; ++x)
                enclosed = enclosed && shape.isInside(x, y);
        if (enclosed && shape.insideCount() - w * h >= MazeShape::MinRegionCells)
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x)
                    shape.setInside(x, y, false);
    }
    return shape;
}

// Draws a random path on the board's shape through the path editor, which
// must accept every step: from an outside cell beside the maze (on the ring
// or left out) through cells of the maze to another outside cell. Returns the
// positions from the start to the end. Nothing is drawn when no path is found
// (a shape too small for one), and the result is empty.
inline std::vector<Cell> drawRandomShapePath(MazeBoard& b, std::mt19937& rng)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    auto inside = [&](Cell c) { return b.isInside(c.x, c.y); };
    const Cell steps[4] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}}; // the editor's directions
    std::vector<Cell> starts;
    for (int y = -1; y <= H; ++y)
        for (int x = -1; x <= W; ++x)
            if (!inside({x, y}))
                for (const Cell d : steps)
                    if (inside({x + d.x, y + d.y})) {
                        starts.push_back({x, y});
                        break;
                    }
    for (int attempt = 0; attempt < 200 && !starts.empty(); ++attempt) {
        const Cell start = starts[std::uniform_int_distribution<std::size_t>(0, starts.size() - 1)(rng)];
        std::vector<Cell> cells{start};
        std::vector<int> keys;
        std::vector<std::uint8_t> used(static_cast<std::size_t>(W * H), 0);
        bool done = false;
        while (!done) {
            const Cell at = cells.back();
            std::vector<int> inner, out;
            for (int d = 0; d < 4; ++d) {
                const Cell n{at.x + steps[d].x, at.y + steps[d].y};
                if (inside(n) && !used[static_cast<std::size_t>(n.y * W + n.x)])
                    inner.push_back(d);
                else if (cells.size() > 1 && !inside(n) && !(n == start))
                    out.push_back(d);
            }
            if (inner.empty() && out.empty())
                break;
            const bool leave = inner.empty() || (!out.empty() && std::uniform_int_distribution<int>(0, 9)(rng) == 0);
            const auto& pool = leave ? out : inner;
            const int d = pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)];
            const Cell n{at.x + steps[d].x, at.y + steps[d].y};
            keys.push_back(d);
            cells.push_back(n);
            done = !inside(n);
            if (!done)
                used[static_cast<std::size_t>(n.y * W + n.x)] = 1;
        }
        if (!done)
            continue;
        PathEditor editor(b);
        editor.chooseStart({start.x, start.y});
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const auto outcome = editor.step(keys[i]).outcome;
            const auto wanted = i + 1 == keys.size() ? PathEditor::Outcome::Completed : PathEditor::Outcome::Stepped;
            if (outcome != wanted) {
                std::fprintf(stderr, "drawRandomShapePath: step %zu refused by the editor\n", i);
                std::abort();
            }
        }
        return cells;
    }
    return {};
}

// Open neighbours of a cell of the maze in the made maze (passages between
// cells of the maze only; the openings in the edge of the maze, into the ring
// or a cell left out of the shape, are not neighbours).
inline std::vector<Cell> openNeighbours(const MazeBoard& b, Cell c)
{
    std::vector<Cell> out;
    if (b.getMazeV(c.x, c.y) == 1 && b.isInside(c.x - 1, c.y)) out.push_back({c.x - 1, c.y});
    if (b.getMazeV(c.x + 1, c.y) == 1 && b.isInside(c.x + 1, c.y)) out.push_back({c.x + 1, c.y});
    if (b.getMazeH(c.x, c.y) == 1 && b.isInside(c.x, c.y - 1)) out.push_back({c.x, c.y - 1});
    if (b.getMazeH(c.x, c.y + 1) == 1 && b.isInside(c.x, c.y + 1)) out.push_back({c.x, c.y + 1});
    return out;
}

inline int openInteriorEdges(const MazeBoard& b)
{
    int n = 0;
    for (int y = 0; y < b.getHeight(); ++y)
        for (int x = 1; x < b.getWidth(); ++x)
            n += b.getMazeV(x, y) == 1;
    for (int y = 1; y < b.getHeight(); ++y)
        for (int x = 0; x < b.getWidth(); ++x)
            n += b.getMazeH(x, y) == 1;
    return n;
}

// Breadth-first search over the passages; the route from `from` to `to` as a
// list of cells, or nothing when `to` cannot be reached.
inline std::optional<std::vector<Cell>> route(const MazeBoard& b, Cell from, Cell to)
{
    const int W = b.getWidth();
    std::vector<int> parent(static_cast<std::size_t>(W * b.getHeight()), -2);
    std::queue<Cell> todo;
    parent[static_cast<std::size_t>(from.y * W + from.x)] = -1;
    todo.push(from);
    while (!todo.empty()) {
        const Cell c = todo.front();
        todo.pop();
        if (c == to)
            break;
        for (const Cell n : openNeighbours(b, c)) {
            auto& p = parent[static_cast<std::size_t>(n.y * W + n.x)];
            if (p == -2) {
                p = c.y * W + c.x;
                todo.push(n);
            }
        }
    }
    if (parent[static_cast<std::size_t>(to.y * W + to.x)] == -2)
        return std::nullopt;
    std::vector<Cell> out;
    for (int k = to.y * W + to.x; k != -1; k = parent[static_cast<std::size_t>(k)])
        out.insert(out.begin(), Cell{k % W, k / W});
    return out;
}

inline int reachableCount(const MazeBoard& b, Cell from)
{
    const int W = b.getWidth();
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(W * b.getHeight()), 0);
    std::queue<Cell> todo;
    seen[static_cast<std::size_t>(from.y * W + from.x)] = 1;
    todo.push(from);
    int count = 0;
    while (!todo.empty()) {
        const Cell c = todo.front();
        todo.pop();
        ++count;
        for (const Cell n : openNeighbours(b, c)) {
            auto& s = seen[static_cast<std::size_t>(n.y * W + n.x)];
            if (!s) {
                s = 1;
                todo.push(n);
            }
        }
    }
    return count;
}

// The drawn path as its cells, from `start` (the board's own by default; a
// loaded board starts anew at (-1, 0), its file keeps the start) along the
// crossings to the head.
inline std::vector<Cell> drawnPath(const MazeBoard& b, std::optional<Cell> start = std::nullopt)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    auto crossed = [&](Cell c, Cell n) {
        const int x = std::max(c.x, n.x);
        const int y = std::max(c.y, n.y);
        return n.x != c.x ? c.y >= 0 && c.y < H && x >= 0 && x <= W && b.getPathV(x, c.y) != 0
                          : c.x >= 0 && c.x < W && y >= 0 && y <= H && b.getPathH(c.x, y) != 0;
    };
    std::vector<Cell> path{start.value_or(Cell{b.startX, b.startY})};
    for (bool moved = true; moved && path.size() <= std::size_t(W * H) + 2;) {
        moved = false;
        const Cell c = path.back();
        for (const Cell n : {Cell{c.x + 1, c.y}, Cell{c.x - 1, c.y}, Cell{c.x, c.y + 1}, Cell{c.x, c.y - 1}})
            if (!moved && (path.size() < 2 || !(n == path[path.size() - 2])) && crossed(c, n)) {
                path.push_back(n);
                moved = true;
            }
    }
    return path;
}

// Everything a load or a refused operation must leave alone.
struct BoardSnapshot {
    std::vector<std::uint8_t> bytes;
    int gridSize, marginX, marginY;
    std::vector<std::uint8_t> pathCells;
    bool showAnswer, transparentMode;

    explicit BoardSnapshot(const MazeBoard& b)
        : bytes(b.toFileBytes())
        , gridSize(b.getGridSize())
        , marginX(b.getMarginX())
        , marginY(b.getMarginY())
        , showAnswer(b.showAnswer)
        , transparentMode(b.transparentMode)
    {
        for (int y = 0; y < b.getHeight(); ++y)
            for (int x = 0; x < b.getWidth(); ++x)
                pathCells.push_back(b.getPathCell(x, y));
    }
    bool operator==(const BoardSnapshot&) const = default;
};

} // namespace testing_support
