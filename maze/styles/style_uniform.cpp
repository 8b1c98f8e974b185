#include "maze_random.h"
#include "style_forest.h"

// Wilson's algorithm with the path as the first tree: from each cell outside
// the tree a random walk runs until it meets the tree, and the walk with its
// loops erased joins the tree. Every spanning tree that contains the path is
// equally likely.
//
// The walk remembers, for each group it passes, the wall by which it last
// left that group; following those walls from the start reaches the tree
// without a loop. (For a group of several cells that is not the first tree,
// a piece of path in a hand-made file, the result is still one tree, though
// no longer exactly uniform.)
void growUniform(MazeGrid grid, RandomSource& source, StyleScratch& scratch)
{
    RandomSource random = source;
    GrowingForest forest(grid, scratch);
    forest.plantTree(random);
    // Per group: cell * 4 + direction. Each walk sets it for every group it
    // leaves before the loop erasing reads it, so nothing needs clearing.
    scratch.perCell.resize(static_cast<std::size_t>(forest.cellCount()));
    std::int32_t* const lastExit = scratch.perCell.data();

    auto randomWay = [&](unsigned ways) {
        if (ways == 15u)
            return random.nextRandom() >> 13; // the two highest bits
        return randomSide(ways, random);
    };

    for (int start = 0; start < forest.cellCount(); ++start) {
        if (forest.inTree(start))
            continue;
        for (int cell = start; !forest.inTree(cell);) {
            const int d = randomWay(forest.ways(cell));
            const int next = forest.neighbour(cell, d);
            const int group = forest.group(cell);
            if (forest.group(next) != group)
                lastExit[group] = cell * 4 + d;
            cell = next;
        }
        for (int cell = start; !forest.inTree(cell);) {
            const int group = forest.group(cell);
            forest.addToTree(group);
            const int exit = lastExit[group];
            forest.open(exit >> 2, exit & 3);
            cell = forest.neighbour(exit >> 2, exit & 3);
        }
    }
    source = random;
}
