#include "maze_random.h"
#include "style_forest.h"

#include <deque>
#include <vector>

// Randomized backtrackers, one started from each cell of the path, in random
// order. A run opens a wall from the cell on top of its stack into a random
// neighbour not yet in the tree and puts that neighbour on top, until it is
// boxed in; then it gives the next run its turn, and when its turn comes
// again it backs up to the nearest cell with room and winds on from there.
// Each run carves long corridors with few dead ends; taking turns lets the
// path branch all along its length instead of at one cell per region.
void growLongCorridors(MazeGrid grid, RandomSource& source)
{
    RandomSource random = source;
    GrowingForest forest(grid);
    // Runs that have had a turn and still have cells, in turn order.
    std::deque<std::vector<std::int32_t>> runs;

    // Every cell of a group that joins the tree starts a run, in random order.
    auto shuffledMembers = [&](int group, int except) {
        std::vector<std::int32_t> cells;
        for (const std::int32_t cell : forest.members(group))
            if (cell != except)
                cells.push_back(cell);
        shuffleCells(cells, random);
        return cells;
    };

    // One turn: back up to the nearest cell with room, then wind on until
    // boxed in.
    auto takeTurn = [&](std::vector<std::int32_t> stack) {
        bool carved = false;
        while (!stack.empty()) {
            const int cell = stack.back();
            const unsigned outside = forest.sidesOutside(cell);
            if (outside == 0) {
                if (carved)
                    break;
                stack.pop_back();
                continue;
            }
            const int d = randomSide(outside, random);
            const int next = forest.neighbour(cell, d);
            forest.open(cell, d);
            const int group = forest.group(next);
            forest.addToTree(group);
            stack.push_back(next);
            carved = true;
            if (forest.members(group).size() > 1)
                for (const std::int32_t cell : shuffledMembers(group, next))
                    runs.push_back({cell});
        }
        if (!stack.empty())
            runs.push_back(std::move(stack));
    };

    // The path's runs take their first turns in order; a start that is
    // already boxed in by then never needs a stack of its own.
    for (const std::int32_t start : shuffledMembers(forest.plantTree(random), -1))
        if (forest.sidesOutside(start) != 0)
            takeTurn({start});
    while (!runs.empty()) {
        std::vector<std::int32_t> stack = std::move(runs.front());
        runs.pop_front();
        takeTurn(std::move(stack));
    }
    source = random;
}
