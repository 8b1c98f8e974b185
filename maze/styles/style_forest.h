#pragma once

#include "maze_style.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// What the maze styles share: the grid's cells as a forest that a style grows
// into one tree. Cells already joined by open passages (the drawn path) form
// a group; a style adds whole groups to the tree, opening one wall into each,
// so no loop can close and the path stays whole.
//
// Cell k = y*W + x. Directions: 0 right, 1 down, 2 left, 3 up. On a shaped
// board the cells left out are no part of the forest: they have no ways, no
// neighbour has a way to them, and they count as in the tree from the start.
class GrowingForest {
public:
    explicit GrowingForest(MazeGrid grid);

    int cellCount() const { return static_cast<int>(group_.size()); }
    // The cells of the maze: all but those left out of the shape.
    int insideCount() const { return insideCount_; }
    // Bit d is set when the cell has a neighbour in direction d.
    unsigned ways(int cell) const { return ways_[at(cell)] & 15u; }
    int neighbour(int cell, int d) const { return cell + offset_[d]; }
    // Bit d is set when the neighbour in direction d is in the tree.
    unsigned sidesInTree(int cell) const
    {
        // A missing neighbour reads the cell itself, then is masked off:
        // no branch to mispredict.
        const unsigned w = ways(cell);
        unsigned sides = 0;
        for (int d = 0; d < 4; ++d)
            sides |= unsigned{inTree_[at((w >> d & 1u) ? cell + offset_[d] : cell)]} << d;
        return sides & w;
    }
    // Bit d is set when there is a neighbour in direction d outside the tree.
    unsigned sidesOutside(int cell) const { return ways(cell) & ~sidesInTree(cell); }

    // A group is named by its smallest cell.
    int group(int cell) const { return group_[at(cell)]; }
    std::span<const std::int32_t> members(int group) const;
    bool inTree(int cell) const { return inTree_[at(cell)] != 0; }
    void addToTree(int group)
    {
        for (const std::int32_t cell : members(group))
            inTree_[at(cell)] = 1;
    }

    // Opens the wall between the cell and its neighbour in direction d.
    void open(int cell, int d);

    // Puts the first group into the tree and returns it: the drawn path's
    // group, or a random cell's on a board with no path.
    int plantTree(RandomSource& random);

private:
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }
    // Marks in ways_ above the four direction bits.
    static constexpr std::uint8_t PathMark = 16; // the cell names a group the path touches
    static constexpr std::uint8_t Touched = 32;  // an open edge touches the cell

    // The groups an open edge touches; every other cell is a group of its own.
    struct PathGroup {
        std::int32_t name;
        std::int32_t first; // its members in pathMembers_
        std::int32_t end;
    };

    MazeGrid grid_;
    int offset_[4];
    int insideCount_ = 0;
    std::vector<std::int32_t> group_;
    std::vector<std::uint8_t> ways_;
    std::vector<std::uint8_t> inTree_;
    std::vector<PathGroup> pathGroups_; // by name
    std::vector<std::int32_t> pathMembers_;
};

// A value 0 ... n-1 (n >= 1), each equally likely. It is taken from the high
// bits of the source's values, whose low bits repeat after a short period.
int randomBelow(RandomSource& random, int n);

// One of the directions whose bit is set in `sides` (not 0), each equally likely.
int randomSide(unsigned sides, RandomSource& random);

// Fisher-Yates, drawing from the source.
void shuffleCells(std::span<std::int32_t> cells, RandomSource& random);
