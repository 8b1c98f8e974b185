#include "maze_difficulty.h"

#include "maze_board.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view GradeNames[] = {"easy", "medium", "hard"};

// Directions: 0 right, 1 down, 2 left, 3 up.
constexpr int StepX[4] = {1, 0, -1, 0};
constexpr int StepY[4] = {0, 1, 0, -1};

struct Position {
    int x;
    int y;
    bool operator==(const Position&) const = default;
};

// The byte of the edge between position (x, y) and its neighbour in
// direction d, from a board's vertical and horizontal arrays; 0 where no
// such edge exists (along the ring or beyond it).
template <typename Read>
std::uint8_t edgeByte(const MazeBoard& b, Position p, int d, Read read)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    switch (d) {
    case 0: return p.y >= 0 && p.y < H && p.x >= -1 && p.x < W ? read(true, p.x + 1, p.y) : 0;
    case 1: return p.x >= 0 && p.x < W && p.y >= -1 && p.y < H ? read(false, p.x, p.y + 1) : 0;
    case 2: return p.y >= 0 && p.y < H && p.x >= 0 && p.x <= W ? read(true, p.x, p.y) : 0;
    default: return p.x >= 0 && p.x < W && p.y >= 0 && p.y <= H ? read(false, p.x, p.y) : 0;
    }
}

bool pathEdge(const MazeBoard& b, Position p, int d)
{
    return edgeByte(b, p, d, [&](bool v, int x, int y) { return v ? b.getPathV(x, y) : b.getPathH(x, y); }) != 0;
}

// Open as the maze picture shows it: a byte of exactly 1.
bool mazeOpen(const MazeBoard& b, Position p, int d)
{
    return edgeByte(b, p, d, [&](bool v, int x, int y) { return v ? b.getMazeV(x, y) : b.getMazeH(x, y); }) == 1;
}

bool inGrid(const MazeBoard& b, Position p)
{
    return p.x >= 0 && p.y >= 0 && p.x < b.getWidth() && p.y < b.getHeight();
}

// One end of the drawn path: the position where it ends, outside the maze,
// and the cell of the maze it crosses into.
struct PathEnd {
    Position outer;
    Position inner;
};

// A position with exactly one drawn crossing is an end of the path. It lies
// outside the maze when it is on the ring, or on a cell of the grid that the
// maze does not hold: one whose only open side is that crossing.
std::optional<PathEnd> outsideEnd(const MazeBoard& b, Position p)
{
    int crossing = -1;
    int crossings = 0;
    for (int d = 0; d < 4; ++d)
        if (pathEdge(b, p, d)) {
            crossing = d;
            ++crossings;
        }
    if (crossings != 1 || !mazeOpen(b, p, crossing))
        return std::nullopt;
    const PathEnd end{p, {p.x + StepX[crossing], p.y + StepY[crossing]}};
    if (!inGrid(b, end.inner))
        return std::nullopt;
    if (inGrid(b, p)) {
        int open = 0;
        for (int d = 0; d < 4; ++d)
            open += mazeOpen(b, p, d);
        if (open != 1)
            return std::nullopt;
    }
    return end;
}

// The two ends of the drawn path. The path is followed from where it first
// crosses the outer wall (in a fixed order round the grid), or, when it
// never does (both its ends on cells the maze leaves out), from the first
// cell with one crossing only; nothing when there is no such start or the
// path does not end where it was followed to.
std::optional<std::pair<Position, Position>> pathEnds(const MazeBoard& b)
{
    const int W = b.getWidth();
    const int H = b.getHeight();
    std::optional<Position> start;
    for (int y = 0; y < H && !start; ++y)
        if (b.getPathV(0, y))
            start = Position{-1, y};
        else if (b.getPathV(W, y))
            start = Position{W, y};
    for (int x = 0; x < W && !start; ++x)
        if (b.getPathH(x, 0))
            start = Position{x, -1};
        else if (b.getPathH(x, H))
            start = Position{x, H};
    const auto crossings = [&](Position p) {
        int n = 0;
        for (int d = 0; d < 4; ++d)
            n += pathEdge(b, p, d);
        return n;
    };
    for (int y = 0; y < H && !start; ++y)
        for (int x = 0; x < W && !start; ++x)
            if (crossings({x, y}) == 1)
                start = Position{x, y};
    if (!start)
        return std::nullopt;

    Position at = *start;
    int back = -1;
    const long limit = long(W) * long(H) + 2;
    for (long steps = 0; steps <= limit; ++steps) {
        int next = -1;
        for (int d = 0; d < 4 && next < 0; ++d)
            if (d != back && pathEdge(b, at, d))
                next = d;
        if (next < 0)
            return crossings(at) == 1 ? std::optional(std::pair{*start, at}) : std::nullopt;
        at = {at.x + StepX[next], at.y + StepY[next]};
        back = (next + 2) % 4;
    }
    return std::nullopt;
}

} // namespace

std::optional<MazeDifficulty> measureDifficulty(const MazeBoard& board, int glance)
{
    glance = std::clamp(glance, 0, MaxGlance);
    const int W = board.getWidth();
    const int H = board.getHeight();
    const std::size_t cellCount = std::size_t(W) * std::size_t(H);
    const auto index = [W](Position p) { return p.y * W + p.x; };

    // Kept between calls, so that a maze measured again costs no
    // allocation. Per cell: its open sides towards other cells (bits 0 ... 3
    // by direction) and whether the walk has been there. Per place in the
    // walk's order: the cell, the place it was reached from and the way
    // back there, how far the cell's passage runs on away from the answer
    // (up to the glance; bit 7 marks the answer's own cells) and how many
    // cells beyond it, off the answer, are out of sight. The walk fills and
    // reads the places in order, which keeps it in step with the memory.
    constexpr std::uint8_t Seen = 16, OnAnswer = 128;
    thread_local std::vector<std::uint8_t> sideStore, backStore, beyondStore;
    thread_local std::vector<std::int32_t> orderStore, parentStore, deepStore;
    sideStore.resize(cellCount);
    // A walk round a loop may overshoot by three.
    for (auto* store : {&orderStore, &parentStore, &deepStore})
        store->resize(cellCount + 4);
    for (auto* store : {&backStore, &beyondStore})
        store->resize(cellCount + 4);
    // Plain pointers: a byte written through one could otherwise be any
    // vector's insides, and every access would fetch the vectors anew.
    std::uint8_t* const sides = sideStore.data();
    std::int32_t* const order = orderStore.data();
    std::int32_t* const parent = parentStore.data();
    std::int32_t* const deep = deepStore.data();
    std::uint8_t* const back = backStore.data();
    std::uint8_t* const beyond = beyondStore.data();

    // The open sides, row by row from the wall arrays.
    const std::uint8_t* v = board.mazeVArray().data();
    const std::uint8_t* h = board.mazeHArray().data();
    for (int y = 0; y < H; ++y) {
        std::uint8_t* row = sides + std::size_t(y) * std::size_t(W);
        const std::uint8_t* left = v + std::size_t(y) * std::size_t(W + 1);
        const std::uint8_t* top = h + std::size_t(y) * std::size_t(W);
        const unsigned keep = (y + 1 < H ? 2u : 0u) | (y > 0 ? 8u : 0u) | 5u;
        for (int x = 0; x < W; ++x) {
            const unsigned open = unsigned(left[x + 1] == 1) | unsigned(top[x + W] == 1) << 1
                | unsigned(left[x] == 1) << 2 | unsigned(top[x] == 1) << 3;
            row[x] = std::uint8_t(open & keep);
        }
        row[0] &= std::uint8_t(~4u);
        row[W - 1] &= std::uint8_t(~1u);
    }

    const auto ends = pathEnds(board);
    if (!ends)
        return std::nullopt;
    const auto endA = outsideEnd(board, ends->first);
    const auto endB = outsideEnd(board, ends->second);
    if (!endA || !endB || endA->inner == endB->outer || endB->inner == endA->outer)
        return std::nullopt;
    const int offset[4] = {1, W, -1, -W};
    // The path's ends on cells of the grid are never entered.
    for (const PathEnd* end : {&*endA, &*endB})
        if (inGrid(board, end->outer))
            for (int d = 0; d < 4; ++d)
                if (end->inner.x + StepX[d] == end->outer.x && end->inner.y + StepY[d] == end->outer.y)
                    sides[std::size_t(index(end->inner))] &= std::uint8_t(~(1u << d));

    // Breadth-first from A's cell of the maze. In a maze without loops each
    // cell is reached from one side only, so the walk need not remember
    // where it has been: it takes every open side but the one it came by.
    // A loop would make it go round for ever; it is seen by the walk
    // outgrowing the grid, and the walk is made again, remembering.
    const int root = index(endA->inner);
    const int last = index(endB->inner);
    std::size_t tail = 0;
    std::int32_t lastPlace = -1;
    const auto place = [&](int cell, std::int32_t from, int way) {
        if (cell == last)
            lastPlace = static_cast<std::int32_t>(tail);
        order[tail] = cell;
        parent[tail] = from;
        back[tail] = std::uint8_t(way);
        beyond[tail] = 0;
        deep[tail] = 0;
        ++tail;
    };
    place(root, -1, 4); // no way back
    for (std::size_t i = 0; i < tail && tail <= cellCount; ++i) {
        const int cell = order[i];
        unsigned open = sides[std::size_t(cell)] & ~(1u << back[i]) & 15u;
        while (open) {
            const int d = std::countr_zero(open);
            open &= open - 1;
            place(cell + offset[d], static_cast<std::int32_t>(i), (d + 2) & 3);
        }
    }
    if (tail > cellCount) {
        tail = 0;
        lastPlace = -1;
        place(root, -1, 4);
        sides[std::size_t(root)] |= Seen;
        for (std::size_t i = 0; i < tail; ++i) {
            const int cell = order[i];
            for (int d = 0; d < 4; ++d) {
                const int next = cell + offset[d];
                if ((sides[std::size_t(cell)] >> d & 1u) && !(sides[std::size_t(next)] & Seen)) {
                    sides[std::size_t(next)] |= Seen;
                    place(next, static_cast<std::int32_t>(i), (d + 2) & 3);
                }
            }
        }
    }
    if (lastPlace < 0)
        return std::nullopt;

    // The answer, marked.
    int answerLength = 0;
    for (std::int32_t at = lastPlace; at >= 0; at = parent[at], ++answerLength)
        beyond[at] = OnAnswer;

    // How much further each cell's passage runs away from the answer, up to
    // the glance, from the far ends inwards; a cell from which it runs on for
    // the whole glance is one whose end the searcher cannot see. Each place
    // hands its count of such cells to the one it was reached from, so that
    // an answer cell ends up with the count of the passages leaving it. (The
    // answer's mark is above any reach, so the reach never overwrites it.)
    long long unseen = 0;
    for (std::size_t i = tail; i-- > 1;) {
        const unsigned far = beyond[i];
        if (far & OnAnswer)
            continue;
        const bool hidden = far >= unsigned(glance);
        unseen += hidden;
        const std::int32_t up = parent[i];
        deep[up] += deep[i] + hidden;
        beyond[up] = std::max<std::uint8_t>(beyond[up], std::uint8_t(std::min(far + 1, unsigned(glance))));
    }

    // The searcher comes from either end, and the figure is the mean of the
    // two walks. Each walk costs every such cell, except those of passages
    // that leave the answer within sight of its exit.
    long long beside = 2 * unseen;
    int t = 0;
    for (std::int32_t at = lastPlace; at >= 0; at = parent[at], ++t)
        beside -= ((t <= glance) + (answerLength - 1 - t <= glance)) * static_cast<long long>(deep[at]);

    MazeDifficulty result;
    result.answerLength = answerLength;
    result.cells = static_cast<int>(tail);
    // Halves rounded up.
    result.figure = static_cast<int>((2LL * answerLength + beside + 1) / 2);
    result.grade = gradeOf(result.figure);
    return result;
}

DifficultyGrade gradeOf(int figure)
{
    return figure < EasyBelow ? DifficultyGrade::Easy
        : figure < HardFrom   ? DifficultyGrade::Medium
                              : DifficultyGrade::Hard;
}

std::string_view gradeName(DifficultyGrade grade)
{
    return GradeNames[static_cast<int>(grade)];
}

std::optional<DifficultyGrade> gradeFromName(std::string_view name)
{
    for (int i = 0; i < 3; ++i)
        if (GradeNames[i] == name)
            return static_cast<DifficultyGrade>(i);
    return std::nullopt;
}
