#include "maze_board.h"

#include "maze_random.h"

// The passes sweep column by column (x outer, y inner) and open a wall only
// between two cells of different sets, so the open passages never close a
// loop; a random value is drawn only for a pair whose sets differ. Sets only
// ever merge, so a pair once found joined is dropped from later passes: they
// look only at pairs that may still draw.

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

    const int W = width_;
    const int H = height_;
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) {
            if (x != W - 1 && getMazeV(x + 1, y) != 0)
                joinCells(x, y, x + 1, y);
            if (y != H - 1 && getMazeH(x, y + 1) != 0)
                joinCells(x, y, x, y + 1);
        }
    }
}

void MazeBoard::rebuildOpenPairs()
{
    const int W = width_;
    const int H = height_;
    openPairsV_.resize(static_cast<std::size_t>(W > 1 ? (W - 1) * H : 0));
    openPairsH_.resize(static_cast<std::size_t>(H > 1 ? W * (H - 1) : 0));
    auto v = openPairsV_.begin();
    for (int x = 0; x + 1 < W; ++x)
        for (int y = 0; y < H; ++y)
            *v++ = {cellSet_.slot(x, y), vIndex(x + 1, y)};
    auto h = openPairsH_.begin();
    for (int x = 0; x < W; ++x)
        for (int y = 0; y + 1 < H; ++y)
            *h++ = {cellSet_.slot(x, y), hIndex(x, y + 1)};
    openPairsValid_ = true;
}

void MazeBoard::randomJoinPass()
{
    if (!openPairsValid_)
        rebuildOpenPairs();
    // Local copies keep the generator's state and the arrays in registers.
    RandomSource random = *random_;
    const std::int32_t* label = cellSet_.labels();
    std::uint8_t* mazeV = mazeV_.data();
    std::uint8_t* mazeH = mazeH_.data();

    // Vertical walls: cell (x, y) and its right neighbour, one slot column on.
    const int right = height_;
    OpenPair* kept = openPairsV_.data();
    for (const OpenPair pair : openPairsV_) {
        const int a = label[pair.slot];
        const int b = label[pair.slot + right];
        if (a == b)
            continue;
        if (random.nextRandom() <= JoinLimit) {
            mazeV[pair.edge] = 1;
            cellSet_.joinLabels(a, b);
            continue;
        }
        *kept++ = pair;
    }
    openPairsV_.resize(static_cast<std::size_t>(kept - openPairsV_.data()));

    // Horizontal walls: cell (x, y) and the one below it, the next slot.
    kept = openPairsH_.data();
    for (const OpenPair pair : openPairsH_) {
        const int a = label[pair.slot];
        const int b = label[pair.slot + 1];
        if (a == b)
            continue;
        if (random.nextRandom() <= JoinLimit) {
            cellSet_.joinLabels(a, b);
            mazeH[pair.edge] = 1;
            continue;
        }
        *kept++ = pair;
    }
    openPairsH_.resize(static_cast<std::size_t>(kept - openPairsH_.data()));
    *random_ = random;
}

// Joins whatever the random passes left apart, first across vertical walls
// (every row, the bottom one included), then across horizontal walls, so that
// every cell is reachable and the open interior edges form one tree.
void MazeBoard::finalJoinPass()
{
    if (!openPairsValid_)
        rebuildOpenPairs();
    const int right = height_;
    for (const OpenPair pair : openPairsV_) {
        const int a = cellSet_.label(pair.slot);
        const int b = cellSet_.label(pair.slot + right);
        if (a != b) {
            cellSet_.joinLabels(a, b);
            mazeV_[static_cast<std::size_t>(pair.edge)] = 1;
        }
    }
    for (const OpenPair pair : openPairsH_) {
        const int a = cellSet_.label(pair.slot);
        const int b = cellSet_.label(pair.slot + 1);
        if (a != b) {
            cellSet_.joinLabels(a, b);
            mazeH_[static_cast<std::size_t>(pair.edge)] = 1;
        }
    }
    openPairsV_.clear();
    openPairsH_.clear();
}

int MazeBoard::findRoot(int x, int y)
{
    if (x >= width_)
        guardFailure("Error LX");
    if (y >= height_)
        guardFailure("Error LY");
    return cellSet_.root(cellSet_.slot(x, y));
}

void MazeBoard::joinCells(int x1, int y1, int x2, int y2)
{
    (void)findRoot(x1, y1);
    (void)findRoot(x2, y2);
    const int a = cellSet_.label(cellSet_.slot(x1, y1));
    const int b = cellSet_.label(cellSet_.slot(x2, y2));
    if (a != b)
        cellSet_.joinLabels(a, b);
}

bool MazeBoard::chance(double p)
{
    return random01() < p;
}

double MazeBoard::random01()
{
    return random_->nextRandom() * (1.0 / 32767);
}
