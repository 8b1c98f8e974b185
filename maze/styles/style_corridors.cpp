#include "maze_random.h"
#include "style_forest.h"

#include <vector>

// Randomized backtrackers, one started from each cell of the path, in random
// order. A run opens a wall from the cell on top of its stack into a random
// neighbour not yet in the tree and puts that neighbour on top, until it is
// boxed in; then it gives the next run its turn, and when its turn comes
// again it backs up to the nearest cell with room and winds on from there.
// Each run carves long corridors with few dead ends; taking turns lets the
// path branch all along its length instead of at one cell per region.
//
// Every cell is on at most one run's stack, once, so the stacks live in one
// array: below[cell] is the cell under it on its stack (-1 at the bottom),
// and a run is just the cell on its top. The runs waiting for their turn,
// in turn order, are a ring of those tops, at most one per cell.
void growLongCorridors(MazeGrid grid, RandomSource& source, StyleScratch& scratch)
{
    RandomSource random = source;
    GrowingForest forest(grid, scratch);
    const int cells = forest.cellCount();
    scratch.perCell.resize(static_cast<std::size_t>(cells));
    scratch.cellList.resize(static_cast<std::size_t>(cells));
    std::int32_t* const below = scratch.perCell.data();
    std::int32_t* const runs = scratch.cellList.data();
    int first = 0; // the next run's place in the ring
    int waiting = 0;
    auto queueRun = [&](int top) {
        int place = first + waiting;
        place -= place >= cells ? cells : 0;
        runs[place] = top;
        ++waiting;
    };

    // The path's cells start the first runs, in random order.
    const int planted = forest.plantTree(random);
    forest.forEachMember(planted, [&](int cell) {
        below[cell] = -1;
        runs[waiting++] = cell;
    });
    shuffleCells({runs, static_cast<std::size_t>(waiting)}, random);

    // Every other cell of a piece of path that the tree reaches starts a
    // run too, the piece's cells in random order.
    std::vector<std::int32_t>& others = scratch.memberList;
    auto startRuns = [&](int group, int except) {
        others.clear();
        for (const std::int32_t cell : forest.pieceMembers(group))
            if (cell != except)
                others.push_back(cell);
        shuffleCells(others, random);
        for (const std::int32_t cell : others) {
            below[cell] = -1;
            queueRun(cell);
        }
    };

    // One turn: back up to the nearest cell with room, then wind on until
    // boxed in. A start that is boxed in by its first turn has nothing left
    // to do.
    while (waiting > 0) {
        int cell = runs[first];
        first = first + 1 == cells ? 0 : first + 1;
        --waiting;
        bool carved = false;
        while (cell >= 0) {
            const unsigned outside = forest.sidesOutside(cell);
            if (outside == 0) {
                if (carved)
                    break;
                cell = below[cell];
                continue;
            }
            const int d = randomSide(outside, random);
            const int next = forest.neighbour(cell, d);
            forest.open(cell, d);
            const int group = forest.group(next);
            forest.addToTree(group);
            below[next] = cell;
            cell = next;
            carved = true;
            if (forest.isPiece(group)) [[unlikely]]
                startRuns(group, next);
        }
        if (cell >= 0)
            queueRun(cell);
    }
    source = random;
}
