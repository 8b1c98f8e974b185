#include "maze_board.h"

#include "maze_random.h"
#include "set_bytes.h"

#include <bit>
#include <cstring>
#include <utility>

// The passes sweep column by column (x outer, y inner) and open a wall only
// between two cells of different sets, so the open passages never close a
// loop; a random value is drawn only for a pair whose sets differ. Sets only
// ever merge, so a pair once found joined is dropped from later passes: they
// look only at pairs that may still draw, in the same order. On a shaped
// board the pairs with a cell left out are dropped before the first pass.

namespace {

// The largest value of nextRandom() for which chance(p) holds, worked out
// with chance()'s own arithmetic, so that comparing a drawn value against it
// gives exactly chance()'s answer without floating point in the hot loop.
constexpr int chanceLimit(double p)
{
    int v = -1;
    while (v < 32767 && (v + 1) * (1.0 / 32767) < p)
        ++v;
    return v;
}
constexpr int JoinLimit = chanceLimit(MazeBoard::JoinProbability);
static_assert(JoinLimit == 6553, "one fifth of 32767 lies between 6553 and 6554");

// One sweep over the pairs of neighbours still open in `bits` (bit y of
// column x's run of `words` words: the pair of cell (x, y) and the cell
// `partner` further on), in column-major order. A pair of one set is dropped;
// a pair of two sets draws a value when `Draw` (and is joined when it comes
// out below the limit, or always in the final pass). Joining opens the wall
// at walls[x + y * wallRow]. Returns the random source as it ends.
//
// `FirstRight` is the first sweep across vertical walls while the sets are
// as initCellSets made them. That sweep joins a cell only to its left
// neighbour, so a cell right of it that no open edge joined then is still
// alone in its set: it differs from its left neighbour without a look-up,
// and a join hangs it under the root of that neighbour's set, which has a
// smaller index. Cells that were joined (`joinedBefore`, laid out as `bits`)
// take the usual way.
//
// The roots of the next pair are looked up before this pair's outcome is
// decided. Whether two sets differ and whether a draw joins them are coin
// flips to the branch predictor; after a wrong guess the processor starts
// over from the branch, and the look-ups for the next pair, a chain of
// dependent loads, are then already done. A join in between can only have
// hung one of those roots under the other root of this pair, which is put
// right without reading the parents again.
template <bool Draw, bool FirstRight = false>
RandomSource sweepPairs(std::uint64_t* bits, int columns, int words, int W, int partner, CellSets::Forest sets,
                        std::uint8_t* walls, int wallRow, RandomSource random,
                        const std::uint64_t* joinedBefore = nullptr)
{
    for (int x = 0; x < columns; ++x) {
        std::uint64_t* column = bits + static_cast<std::ptrdiff_t>(x) * words;
        for (int w = 0; w < words; ++w) {
            std::uint64_t pending = column[w];
            if (pending == 0)
                continue;
            std::uint64_t kept = pending;
            const std::uint64_t alone =
                FirstRight ? ~joinedBefore[static_cast<std::ptrdiff_t>(x + 1) * words + w] : 0;
            // The roots of the pair of bit b (the cell and its partner).
            auto lookUp = [&](int b, int& a, int& c) {
                const int cell = (w * 64 + b) * W + x;
                a = sets.find(cell);
                c = FirstRight && ((alone >> b) & 1) ? cell + 1 : sets.find(cell + partner);
            };
            int b = std::countr_zero(pending);
            pending &= pending - 1;
            int a = 0;
            int c = 0;
            lookUp(b, a, c);
            for (;;) {
                const bool more = pending != 0;
                int nextB = 0;
                int nextA = 0;
                int nextC = 0;
                if (more) {
                    nextB = std::countr_zero(pending);
                    pending &= pending - 1;
                    lookUp(nextB, nextA, nextC);
                }
                if (a == c) {
                    kept &= ~(std::uint64_t(1) << b);
                } else if (!Draw || random.nextRandom() <= JoinLimit) {
                    walls[x + (w * 64 + b) * wallRow] = 1;
                    const int low = a < c ? a : c;
                    const int high = a < c ? c : a;
                    sets.parent[high] = low;
                    nextA = nextA == high ? low : nextA;
                    nextC = nextC == high ? low : nextC;
                    kept &= ~(std::uint64_t(1) << b);
                }
                if (!more)
                    break;
                b = nextB;
                a = nextA;
                c = nextC;
            }
            column[w] = kept;
        }
    }
    return random;
}

} // namespace

void MazeBoard::makeMaze()
{
    if (style_ != MazeStyle::Standard) {
        makeStyledMaze();
        return;
    }
    clearMaze();
    initCellSets();
    for (int pass = 0; pass < RandomPasses; ++pass)
        randomJoinPass();
    finalJoinPass();
}

void MazeBoard::initCellSets()
{
    cellSet_.reset(width_, height_);
    openPairsValid_ = false;

    // Joins the cells on either side of every open interior edge, and notes
    // which cells that joined. Which cells end up together does not depend
    // on the order of the joins, so the wall arrays are read row by row, as
    // they lie in memory.
    const int W = width_;
    const int H = height_;
    const int words = (H + 63) / 64;
    joinedAtStart_.assign(static_cast<std::size_t>(W) * static_cast<std::size_t>(words), 0);
    const CellSets::Forest sets = cellSet_.forest();
    auto join = [&](int x1, int y1, int x2, int y2) {
        for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}})
            joinedAtStart_[static_cast<std::size_t>(x * words + y / 64)] |= std::uint64_t(1) << (y % 64);
        const int a = sets.find(y1 * W + x1);
        const int b = sets.find(y2 * W + x2);
        if (a != b)
            sets.join(a, b);
    };
    for (int y = 0; y < H; ++y) {
        // Vertical edges 1 ... W-1 of row y: between cells x-1 and x.
        forEachSetByte(&mazeV_[static_cast<std::size_t>(vIndex(1, y))], W - 1,
                       [&](int x) { join(x, y, x + 1, y); });
    }
    for (int y = 1; y < H; ++y) {
        // Horizontal edges of line y: between cells (x, y-1) and (x, y).
        forEachSetByte(&mazeH_[static_cast<std::size_t>(hIndex(0, y))], W, [&](int x) { join(x, y - 1, x, y); });
    }
    setsAsStarted_ = true;
}

namespace {

// Bits y = 0 ... rows-1 of each of `columns` runs of `words` words set, the
// rest clear.
void fillPairs(std::vector<std::uint64_t>& bits, int columns, int rows, int words)
{
    const auto columnWords = static_cast<std::size_t>(words);
    bits.assign(static_cast<std::size_t>(columns) * columnWords, 0);
    for (std::size_t x = 0; x < static_cast<std::size_t>(columns); ++x) {
        std::uint64_t* column = &bits[x * columnWords];
        for (int y = 0; y < rows; y += 64)
            column[y / 64] = rows - y >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << (rows - y)) - 1;
    }
}

} // namespace

void MazeBoard::rebuildOpenPairs()
{
    const int W = width_;
    const int H = height_;
    wordsPerColumn_ = (H + 63) / 64;
    if (!shape_.cellData()) {
        fillPairs(openRight_, W - 1, H, wordsPerColumn_);
        fillPairs(openDown_, W, H - 1, wordsPerColumn_);
    } else {
        // Copied into the kept arrays: no allocation once the board has
        // made a maze of its size.
        if (!shapePairsValid_)
            findShapePairs();
        openRight_.assign(shapeRight_.begin(), shapeRight_.end());
        openDown_.assign(shapeDown_.begin(), shapeDown_.end());
    }
    openPairsValid_ = true;
}

void MazeBoard::findShapePairs()
{
    const int W = width_;
    const int H = height_;
    const auto columnWords = static_cast<std::size_t>(wordsPerColumn_);
    fillPairs(shapeRight_, W - 1, H, wordsPerColumn_);
    fillPairs(shapeDown_, W, H - 1, wordsPerColumn_);
    // A pair with a cell left out is never looked at: it draws no value,
    // and its wall stays closed.
    const std::uint8_t* inside = shape_.cellData();
    auto drop = [&](std::vector<std::uint64_t>& bits, int columns, int rows, int partner) {
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* row = inside + static_cast<std::ptrdiff_t>(y) * W;
            const std::uint64_t bit = std::uint64_t(1) << (y % 64);
            std::uint64_t* word = &bits[static_cast<std::size_t>(y / 64)];
            for (int x = 0; x < columns; ++x)
                if (!row[x] || !row[x + partner])
                    word[static_cast<std::size_t>(x) * columnWords] &= ~bit;
        }
    };
    drop(shapeRight_, W - 1, H, 1);
    drop(shapeDown_, W, H - 1, W);
    shapePairsValid_ = true;
}

void MazeBoard::randomJoinPass()
{
    if (!openPairsValid_)
        rebuildOpenPairs();
    const int W = width_;
    const CellSets::Forest sets = cellSet_.forest();
    std::uint8_t* right = &mazeV_[static_cast<std::size_t>(vIndex(1, 0))];
    std::uint8_t* down = &mazeH_[static_cast<std::size_t>(hIndex(0, 1))];
    // Vertical walls: cell (x, y) and its right neighbour; then horizontal
    // walls: cell (x, y) and the one below it.
    const RandomSource random = setsAsStarted_
        ? sweepPairs<true, true>(openRight_.data(), W - 1, wordsPerColumn_, W, 1, sets, right, W + 1, *random_,
                                 joinedAtStart_.data())
        : sweepPairs<true>(openRight_.data(), W - 1, wordsPerColumn_, W, 1, sets, right, W + 1, *random_);
    setsAsStarted_ = false;
    *random_ = sweepPairs<true>(openDown_.data(), W, wordsPerColumn_, W, W, sets, down, W, random);
}

// Joins whatever the random passes left apart, first across vertical walls
// (every row, the bottom one included), then across horizontal walls, so that
// every cell is reachable and the open interior edges form one tree.
void MazeBoard::finalJoinPass()
{
    if (!openPairsValid_)
        rebuildOpenPairs();
    setsAsStarted_ = false;
    const int W = width_;
    const CellSets::Forest sets = cellSet_.forest();
    (void)sweepPairs<false>(openRight_.data(), W - 1, wordsPerColumn_, W, 1, sets,
                            &mazeV_[static_cast<std::size_t>(vIndex(1, 0))], W + 1, *random_);
    (void)sweepPairs<false>(openDown_.data(), W, wordsPerColumn_, W, W, sets,
                            &mazeH_[static_cast<std::size_t>(hIndex(0, 1))], W, *random_);
}

int MazeBoard::findRoot(int x, int y)
{
    if (x >= width_)
        guardFailure("Error LX");
    if (y >= height_)
        guardFailure("Error LY");
    return cellSet_.root(y * width_ + x);
}

void MazeBoard::joinCells(int x1, int y1, int x2, int y2)
{
    (void)findRoot(x1, y1);
    (void)findRoot(x2, y2);
    setsAsStarted_ = false;
    const CellSets::Forest sets = cellSet_.forest();
    const int a = sets.find(y1 * width_ + x1);
    const int b = sets.find(y2 * width_ + x2);
    if (a != b)
        sets.join(a, b);
}

bool MazeBoard::chance(double p)
{
    return random01() < p;
}

double MazeBoard::random01()
{
    return random_->nextRandom() * (1.0 / 32767);
}
