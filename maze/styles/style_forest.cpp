#include "style_forest.h"

#include "maze_random.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

int findGroup(std::vector<std::int32_t>& parent, int k)
{
    while (parent[static_cast<std::size_t>(k)] != k) {
        auto& p = parent[static_cast<std::size_t>(k)];
        p = parent[static_cast<std::size_t>(p)];
        k = p;
    }
    return k;
}

} // namespace

GrowingForest::GrowingForest(MazeGrid grid)
    : grid_(grid)
    , offset_{1, grid.width, -1, -grid.width}
{
    const int W = grid.width;
    const int H = grid.height;
    const auto cells = static_cast<std::size_t>(W) * static_cast<std::size_t>(H);
    group_.resize(cells);
    std::iota(group_.begin(), group_.end(), 0);
    inTree_.assign(cells, 0);
    ways_.resize(cells);
    for (int y = 0; y < H; ++y) {
        const std::uint8_t rows = static_cast<std::uint8_t>((y + 1 < H ? 2 : 0) | (y > 0 ? 8 : 0));
        std::uint8_t* row = ways_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(W);
        std::fill(row, row + W, static_cast<std::uint8_t>(rows | 1 | 4));
        row[0] &= static_cast<std::uint8_t>(~4u);
        row[W - 1] &= static_cast<std::uint8_t>(~1u);
    }
    // On a shape, a cell left out has no ways and counts as in the tree, so
    // that no style ever starts from it or grows into it; its neighbours
    // have no way towards it.
    const std::uint8_t* inside = grid.inside;
    if (inside) {
        insideCount_ = 0;
        for (int k = 0; k < static_cast<int>(cells); ++k) {
            if (inside[k]) {
                ++insideCount_;
                continue;
            }
            ways_[at(k)] = 0;
            inTree_[at(k)] = 1;
            const int x = k % W;
            if (x + 1 < W)
                ways_[at(k + 1)] &= static_cast<std::uint8_t>(~4u);
            if (x > 0)
                ways_[at(k - 1)] &= static_cast<std::uint8_t>(~1u);
            if (k + W < static_cast<int>(cells))
                ways_[at(k + W)] &= static_cast<std::uint8_t>(~8u);
            if (k >= W)
                ways_[at(k - W)] &= static_cast<std::uint8_t>(~2u);
        }
    } else {
        insideCount_ = static_cast<int>(cells);
    }
    auto isIn = [inside](int k) { return !inside || inside[k]; };

    // The cells that open edges touch (any non-zero byte is open, as the
    // board reads a drawn path), joined along the open interior edges. The
    // smaller cell names a group.
    auto join = [&](int a, int b) {
        if (!isIn(a) || !isIn(b))
            return;
        a = findGroup(group_, a);
        b = findGroup(group_, b);
        group_[at(std::max(a, b))] = std::min(a, b);
    };
    // Only cells of the maze: a start left out of the shape is no member.
    auto touch = [&](int k) {
        if (isIn(k))
            ways_[at(k)] |= Touched;
    };
    for (int y = 0; y < H; ++y) {
        const std::uint8_t* v = grid.mazeV + static_cast<std::ptrdiff_t>(y) * (W + 1);
        const std::uint8_t* h = grid.mazeH + static_cast<std::ptrdiff_t>(y) * W;
        for (int x = 0; x <= W; ++x) {
            if (!v[x])
                continue;
            const int k = y * W + x;
            if (x > 0)
                touch(k - 1);
            if (x < W)
                touch(k);
            if (x > 0 && x < W)
                join(k - 1, k);
        }
        for (int x = 0; x < W; ++x) {
            if (!h[x])
                continue;
            const int k = y * W + x;
            touch(k);
            if (y > 0) {
                touch(k - W);
                join(k - W, k);
            }
        }
    }
    // The bottom wall.
    for (int x = 0; x < W; ++x)
        if (grid.mazeH[static_cast<std::ptrdiff_t>(H) * W + x])
            touch((H - 1) * W + x);

    // The path's groups in order of name, each with its members in order
    // (a group's name, its smallest cell, comes first among its members).
    std::vector<std::int32_t> touched;
    for (std::size_t k = 0; k < cells; ++k)
        if (ways_[k] & Touched)
            touched.push_back(static_cast<std::int32_t>(k));
    if (touched.empty())
        return;
    std::vector<std::int32_t> slot(cells, 0); // per group name: members, then its index in pathGroups_
    for (const std::int32_t k : touched) {
        group_[at(k)] = findGroup(group_, k);
        ++slot[at(group_[at(k)])];
    }
    std::int32_t placed = 0;
    for (const std::int32_t k : touched) {
        if (group_[at(k)] != k)
            continue;
        pathGroups_.push_back({k, placed, placed});
        ways_[at(k)] |= PathMark;
        placed += slot[at(k)];
        slot[at(k)] = static_cast<std::int32_t>(pathGroups_.size() - 1);
    }
    pathMembers_.resize(touched.size());
    for (const std::int32_t k : touched) {
        PathGroup& g = pathGroups_[at(slot[at(group_[at(k)])])];
        pathMembers_[at(g.end++)] = k;
    }
}

std::span<const std::int32_t> GrowingForest::members(int group) const
{
    if (!(ways_[at(group)] & PathMark))
        return {&group_[at(group)], 1}; // a cell alone names itself
    const auto found = std::lower_bound(pathGroups_.begin(), pathGroups_.end(), group,
                                        [](const PathGroup& g, int name) { return g.name < name; });
    return {pathMembers_.data() + found->first, pathMembers_.data() + found->end};
}

void GrowingForest::open(int cell, int d)
{
    const int W = grid_.width;
    const int y = cell / W;
    // Vertical edge (x, y) lies at y*(W+1)+x = cell + y.
    switch (d) {
    case 0: grid_.mazeV[cell + y + 1] = 1; break;
    case 1: grid_.mazeH[cell + W] = 1; break;
    case 2: grid_.mazeV[cell + y] = 1; break;
    default: grid_.mazeH[cell] = 1; break;
    }
}

int GrowingForest::plantTree(RandomSource& random)
{
    // The largest of the path's groups: a board loaded from a file may hold
    // more than one piece of path, and the others join the tree like single
    // cells when it reaches them.
    int best = -1;
    int bestSize = 0;
    for (const PathGroup& g : pathGroups_) {
        if (g.end - g.first > bestSize) {
            best = g.name;
            bestSize = g.end - g.first;
        }
    }
    if (best < 0) {
        // A random cell of the maze: on a shape, the n-th cell inside.
        best = randomBelow(random, insideCount_);
        if (grid_.inside)
            for (int k = 0, n = best; k < cellCount(); ++k)
                if (grid_.inside[k] && n-- == 0) {
                    best = k;
                    break;
                }
    }
    addToTree(best);
    return best;
}

int randomBelow(RandomSource& random, int n)
{
    if (n <= 1)
        return 0;
    // Lemire's multiply-and-shift: the product's high part is the result,
    // taken from the value's high bits; the few values that would make some
    // results more likely than others are drawn again.
    if (n <= 32768) {
        const auto range = static_cast<std::uint32_t>(n);
        std::uint32_t product = static_cast<std::uint32_t>(random.nextRandom()) * range;
        if ((product & 0x7FFFu) < range) {
            const std::uint32_t threshold = (32768u - range) % range;
            while ((product & 0x7FFFu) < threshold)
                product = static_cast<std::uint32_t>(random.nextRandom()) * range;
        }
        return static_cast<int>(product >> 15);
    }
    const auto range = static_cast<std::uint64_t>(n);
    auto draw30 = [&random] {
        return static_cast<std::uint64_t>(random.nextRandom()) << 15 | static_cast<std::uint64_t>(random.nextRandom());
    };
    std::uint64_t product = draw30() * range;
    if ((product & 0x3FFFFFFFu) < range) {
        const std::uint64_t threshold = ((1u << 30) - range) % range;
        while ((product & 0x3FFFFFFFu) < threshold)
            product = draw30() * range;
    }
    return static_cast<int>(product >> 30);
}

int randomSide(unsigned sides, RandomSource& random)
{
    // The set bits of every mask, in order.
    static constexpr std::int8_t Sides[16][4] = {{0}, {0}, {1}, {0, 1}, {2}, {0, 2}, {1, 2}, {0, 1, 2}, {3},
        {0, 3}, {1, 3}, {0, 1, 3}, {2, 3}, {0, 2, 3}, {1, 2, 3}, {0, 1, 2, 3}};
    static constexpr std::int8_t Count[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    sides &= 15u;
    return Sides[sides][randomBelow(random, Count[sides])];
}

void shuffleCells(std::span<std::int32_t> cells, RandomSource& random)
{
    for (std::size_t i = cells.size(); i > 1; --i)
        std::swap(cells[i - 1], cells[static_cast<std::size_t>(randomBelow(random, static_cast<int>(i)))]);
}
