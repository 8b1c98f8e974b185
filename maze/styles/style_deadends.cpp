#include "maze_random.h"
#include "style_forest.h"

#include <vector>

// Randomized Prim's algorithm: the cells next to the tree wait in a list; a
// random one of them is joined to the tree through the wall to a random
// neighbour already in it, and its own outside neighbours join the list. The
// tree grows evenly all round its edge: many short branches.
void growShortDeadEnds(MazeGrid grid, RandomSource& source)
{
    RandomSource random = source;
    GrowingForest forest(grid);
    std::vector<std::int32_t> waiting;
    std::vector<std::uint8_t> listed(static_cast<std::size_t>(forest.cellCount()), 0);
    waiting.reserve(static_cast<std::size_t>(forest.cellCount()));

    auto listNeighbours = [&](int group) {
        for (const int cell : forest.members(group)) {
            const unsigned outside = forest.sidesOutside(cell);
            for (int d = 0; d < 4; ++d) {
                const int next = forest.neighbour(cell, d);
                if ((outside >> d & 1u) && !listed[static_cast<std::size_t>(next)]) {
                    listed[static_cast<std::size_t>(next)] = 1;
                    waiting.push_back(next);
                }
            }
        }
    };
    listNeighbours(forest.plantTree(random));

    while (!waiting.empty()) {
        const auto i = static_cast<std::size_t>(randomBelow(random, static_cast<int>(waiting.size())));
        const int cell = waiting[i];
        waiting[i] = waiting.back();
        waiting.pop_back();
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
