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
    std::deque<std::vector<std::int32_t>> runs;

    // Every cell of a group that joins the tree starts a run, in random order.
    auto startRuns = [&](int group, int except) {
        std::vector<std::int32_t> cells;
        for (const std::int32_t cell : forest.members(group))
            if (cell != except)
                cells.push_back(cell);
        shuffleCells(cells, random);
        for (const std::int32_t cell : cells)
            runs.push_back({cell});
    };
    startRuns(forest.plantTree(random), -1);

    while (!runs.empty()) {
        std::vector<std::int32_t> stack = std::move(runs.front());
        runs.pop_front();
        bool carved = false;
        while (!stack.empty()) {
            const int cell = stack.back();
            const unsigned outside = forest.sidesOutside(cell);
            if (outside == 0) {
                if (carved)
                    break; // boxed in: the next run's turn
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
                startRuns(group, next);
        }
        if (!stack.empty())
            runs.push_back(std::move(stack));
    }
    source = random;
}
