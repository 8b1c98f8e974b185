#include "style_forest.h"
#include "set_bytes.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

int findGroup(std::int32_t* parent, int k)
{
    while (parent[k] != k) {
        std::int32_t& p = parent[k];
        p = parent[p];
        k = p;
    }
    return k;
}

} // namespace

GrowingForest::GrowingForest(MazeGrid grid, StyleScratch& scratch)
    : grid_(grid)
    , offset_{1, grid.width, -1, -grid.width}
{
    const int W = grid.width;
    const int H = grid.height;
    cellCount_ = W * H;
    const auto cells = static_cast<std::size_t>(cellCount_);
    if (static_cast<std::uint64_t>(W) * static_cast<std::uint64_t>(W) * static_cast<std::uint64_t>(H)
        <= (std::uint64_t(1) << 32))
        rowMultiplier_ = (std::uint64_t(1) << 32) / static_cast<std::uint64_t>(W) + 1;
    scratch.cellBits.resize(cells);
    scratch.groups.resize(cells);
    bits_ = scratch.cellBits.data();
    groups_ = scratch.groups.data();

    // Every way leads outside the tree while the tree is empty.
    auto both = [](unsigned ways) { return static_cast<std::uint16_t>(ways | ways << OutsideShift); };
    const std::uint8_t* inside = grid.inside;
    if (!inside) {
        insideCount_ = cellCount_;
        for (int y = 0; y < H; ++y) {
            const unsigned rows = (y + 1 < H ? 2u : 0u) | (y > 0 ? 8u : 0u);
            std::uint16_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * W;
            std::fill(row, row + W, both(rows | 1u | 4u));
            row[0] &= static_cast<std::uint16_t>(~both(4u));
            row[W - 1] &= static_cast<std::uint16_t>(~both(1u));
        }
    } else if (scratch.shapeWidth == W && scratch.shapeCells.size() == cells
               && std::memcmp(scratch.shapeCells.data(), inside, cells) == 0) {
        // The same shape as the last maze's: the same start.
        std::memcpy(bits_, scratch.shapeBits.data(), cells * sizeof *bits_);
        insideCount_ = scratch.shapeInside;
    } else {
        // On a shape, a cell left out has no ways and counts as in the tree,
        // so that no style ever starts from it or grows into it; its
        // neighbours have no way towards it.
        insideCount_ = 0;
        for (int y = 0; y < H; ++y) {
            const std::uint8_t* in = inside + static_cast<std::ptrdiff_t>(y) * W;
            std::uint16_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * W;
            for (int x = 0; x < W; ++x) {
                if (!in[x]) {
                    row[x] = InTree;
                    continue;
                }
                ++insideCount_;
                const unsigned ways = (x + 1 < W && in[x + 1] ? 1u : 0u) | (y + 1 < H && in[x + W] ? 2u : 0u)
                    | (x > 0 && in[x - 1] ? 4u : 0u) | (y > 0 && in[x - W] ? 8u : 0u);
                row[x] = both(ways);
            }
        }
        scratch.shapeCells.assign(inside, inside + cells);
        scratch.shapeBits.assign(bits_, bits_ + cells);
        scratch.shapeWidth = W;
        scratch.shapeInside = insideCount_;
    }
    auto isIn = [inside](int k) { return !inside || inside[k]; };

    // The cells that open edges touch (any non-zero byte is open, as the
    // board reads a drawn path), joined along the open interior edges. The
    // smaller cell names a group, whatever the order of the joins.
    std::vector<std::int32_t>& touched = scratch.pathCells;
    touched.clear();
    // Only cells of the maze: a start left out of the shape is no member.
    auto touch = [&](int k) {
        if (!isIn(k) || (bits_[k] & Touched))
            return;
        bits_[k] |= Touched;
        groups_[k] = k;
        touched.push_back(k);
    };
    auto join = [&](int a, int b) {
        if (!isIn(a) || !isIn(b))
            return;
        a = findGroup(groups_, a);
        b = findGroup(groups_, b);
        groups_[std::max(a, b)] = std::min(a, b);
    };
    // Vertical edge (x, y) at y*(W+1)+x lies left of cell y*W+x.
    forEachSetByte(grid.mazeV, (W + 1) * H, [&](int i) {
        const int y = i / (W + 1);
        const int x = i - y * (W + 1);
        const int k = y * W + x;
        if (x > 0)
            touch(k - 1);
        if (x < W)
            touch(k);
        if (x > 0 && x < W)
            join(k - 1, k);
    });
    // Horizontal edge (x, y) at y*W+x lies above cell y*W+x.
    forEachSetByte(grid.mazeH, W * (H + 1), [&](int k) {
        const int y = k / W;
        if (y < H)
            touch(k);
        if (y > 0)
            touch(k - W);
        if (y > 0 && y < H)
            join(k - W, k);
    });
    if (touched.empty())
        return;

    // The pieces in order of name, each with its members in order (a
    // piece's name, its smallest cell, comes first among its members).
    for (const std::int32_t k : touched)
        groups_[k] = findGroup(groups_, k);
    std::sort(touched.begin(), touched.end(), [this](std::int32_t a, std::int32_t b) {
        return groups_[a] != groups_[b] ? groups_[a] < groups_[b] : a < b;
    });
    std::vector<std::int32_t>& pieces = scratch.pieces;
    pieces.clear();
    for (const std::int32_t k : touched)
        if (groups_[k] == k) {
            pieces.push_back(k);
            bits_[k] |= PathMark;
        }
    const std::size_t count = pieces.size();
    for (std::size_t i = 0, piece = 0; i < touched.size(); ++i)
        if (touched[i] == pieces[piece]) {
            pieces.push_back(static_cast<std::int32_t>(i));
            if (++piece == count)
                break;
        }
    pieces.push_back(static_cast<std::int32_t>(touched.size()));
    pieceNames_ = {pieces.data(), count};
    pieceStarts_ = pieces.data() + count;
    pathMembers_ = touched.data();
}

std::span<const std::int32_t> GrowingForest::pieceMembers(int group) const
{
    const auto i = static_cast<std::size_t>(std::lower_bound(pieceNames_.begin(), pieceNames_.end(), group)
                                            - pieceNames_.begin());
    return {pathMembers_ + pieceStarts_[i], pathMembers_ + pieceStarts_[i + 1]};
}

int GrowingForest::plantTree(RandomSource& random)
{
    // The largest of the path's pieces: a board loaded from a file may hold
    // more than one piece of path, and the others join the tree like single
    // cells when it reaches them.
    int best = -1;
    int bestSize = 0;
    for (std::size_t i = 0; i < pieceNames_.size(); ++i) {
        const int size = pieceStarts_[i + 1] - pieceStarts_[i];
        if (size > bestSize) {
            best = pieceNames_[i];
            bestSize = size;
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

int randomBelowDrawn(RandomSource& random, int n)
{
    if (n <= 1)
        return 0;
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

void shuffleCells(std::span<std::int32_t> cells, RandomSource& random)
{
    for (std::size_t i = cells.size(); i > 1; --i)
        std::swap(cells[i - 1], cells[static_cast<std::size_t>(randomBelow(random, static_cast<int>(i)))]);
}
