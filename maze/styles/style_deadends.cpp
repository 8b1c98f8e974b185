#include "maze_random.h"
#include "style_forest.h"

// Randomized Prim's algorithm: the cells next to the tree wait in a list; a
// random one of them is joined to the tree through the wall to a random
// neighbour already in it, and its own outside neighbours join the list. The
// tree grows evenly all round its edge: many short branches.
void growShortDeadEnds(MazeGrid grid, RandomSource& source, StyleScratch& scratch)
{
    RandomSource random = source;
    GrowingForest forest(grid, scratch);
    // Each cell is listed at most once (the forest's mark says it was).
    scratch.cellList.resize(static_cast<std::size_t>(forest.cellCount()));
    std::int32_t* const waiting = scratch.cellList.data();
    int count = 0;

    auto listNeighbours = [&](int group) {
        forest.forEachMember(group, [&](int cell) {
            const unsigned outside = forest.sidesOutside(cell);
            for (int d = 0; d < 4; ++d) {
                const int next = forest.neighbour(cell, d);
                if ((outside >> d & 1u) && forest.mark(next))
                    waiting[count++] = next;
            }
        });
    };
    listNeighbours(forest.plantTree(random));

    while (count > 0) {
        const int i = randomBelow(random, count);
        const int cell = waiting[i];
        waiting[i] = waiting[--count];
        // A cell of a piece of path may be listed after its piece joined.
        if (forest.inTree(cell))
            continue;
        forest.open(cell, randomSide(forest.sidesInTree(cell), random));
        const int group = forest.group(cell);
        forest.addToTree(group);
        listNeighbours(group);
    }
    source = random;
}
