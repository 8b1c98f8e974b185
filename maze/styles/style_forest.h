#pragma once

#include "maze_random.h"
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
//
// Everything a style asks of a cell in its inner loop lies in one 16-bit
// word per cell: the ways to its neighbours, the ways to neighbours not yet
// in the tree (kept up to date as cells join), whether it is in the tree,
// and whether it belongs to a piece of the drawn path. The arrays are the
// board's scratch, kept from one maze to the next.
class GrowingForest {
public:
    GrowingForest(MazeGrid grid, StyleScratch& scratch);

    int cellCount() const { return cellCount_; }
    // The cells of the maze: all but those left out of the shape.
    int insideCount() const { return insideCount_; }
    // Bit d is set when the cell has a neighbour in direction d.
    unsigned ways(int cell) const { return bits_[at(cell)] & 15u; }
    int neighbour(int cell, int d) const { return cell + offset_[d]; }
    // Bit d is set when there is a neighbour in direction d outside the tree.
    unsigned sidesOutside(int cell) const { return bits_[at(cell)] >> OutsideShift & 15u; }
    // Bit d is set when the neighbour in direction d is in the tree.
    unsigned sidesInTree(int cell) const
    {
        const unsigned bits = bits_[at(cell)];
        return bits & ~(bits >> OutsideShift) & 15u;
    }

    // A group is named by its smallest cell. Only a cell an open edge
    // touches can belong to a group of more than itself.
    int group(int cell) const { return (bits_[at(cell)] & Touched) ? groups_[at(cell)] : cell; }
    // Whether the group is one the drawn path made (of one or more cells);
    // every other group is its one cell.
    bool isPiece(int group) const { return (bits_[at(group)] & PathMark) != 0; }
    // The cells of a piece, in increasing order.
    std::span<const std::int32_t> pieceMembers(int group) const;
    // Calls visit(cell) for every cell of the group, in increasing order.
    template <typename Visit>
    void forEachMember(int group, Visit&& visit) const
    {
        if (!isPiece(group)) [[likely]] {
            visit(group);
            return;
        }
        for (const std::int32_t cell : pieceMembers(group))
            visit(static_cast<int>(cell));
    }

    bool inTree(int cell) const { return (bits_[at(cell)] & InTree) != 0; }
    void addToTree(int group)
    {
        if (!isPiece(group)) [[likely]] {
            addCell(group);
            return;
        }
        for (const std::int32_t cell : pieceMembers(group))
            addCell(cell);
    }

    // A mark a style may set once on any cell for its own purposes: true
    // when the cell was not marked before.
    bool mark(int cell)
    {
        std::uint16_t& bits = bits_[at(cell)];
        const bool fresh = !(bits & Marked);
        bits |= Marked;
        return fresh;
    }

    // Opens the wall between the cell and its neighbour in direction d.
    void open(int cell, int d)
    {
        // Vertical edge (x, y) lies at y*(W+1)+x = cell + y.
        switch (d) {
        case 0: grid_.mazeV[cell + rowOf(cell) + 1] = 1; break;
        case 1: grid_.mazeH[cell + grid_.width] = 1; break;
        case 2: grid_.mazeV[cell + rowOf(cell)] = 1; break;
        default: grid_.mazeH[cell] = 1; break;
        }
    }

    // Puts the first group into the tree and returns it: the drawn path's
    // group, or a random cell's on a board with no path.
    int plantTree(RandomSource& random);

private:
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }
    static constexpr int OutsideShift = 4;
    static constexpr std::uint16_t InTree = 1u << 8;
    static constexpr std::uint16_t Touched = 1u << 9;  // an open edge touches the cell: groups_ holds its group
    static constexpr std::uint16_t PathMark = 1u << 10; // the cell names a piece of path
    static constexpr std::uint16_t Marked = 1u << 11;   // the style's own mark

    // The cell joins the tree: no neighbour has a way outside towards it any more.
    void addCell(int cell)
    {
        std::uint16_t* bits = bits_ + cell;
        const unsigned ways = *bits & 15u;
        *bits = static_cast<std::uint16_t>(*bits | InTree);
        // Bit d of a neighbour's ways outside, shifted into place: the side
        // facing this cell is the opposite direction, (d + 2) % 4.
        if (ways & 1u)
            bits[1] &= static_cast<std::uint16_t>(~(4u << OutsideShift));
        if (ways & 2u)
            bits[grid_.width] &= static_cast<std::uint16_t>(~(8u << OutsideShift));
        if (ways & 4u)
            bits[-1] &= static_cast<std::uint16_t>(~(1u << OutsideShift));
        if (ways & 8u)
            bits[-grid_.width] &= static_cast<std::uint16_t>(~(2u << OutsideShift));
    }

    // cell / W without a division: (cell * m) >> 32 with m = 2^32 / W + 1.
    // The product over 2^32 is cell / W + cell * e / (W * 2^32) with
    // e = m * W - 2^32 <= W; the whole part stays cell / W while the added
    // part is below 1 / W, that is while cell * e < 2^32: for every cell
    // when W * W * H <= 2^32, as on every board the program makes.
    int rowOf(int cell) const
    {
        if (rowMultiplier_ != 0) [[likely]]
            return static_cast<int>((static_cast<std::uint64_t>(cell) * rowMultiplier_) >> 32);
        return cell / grid_.width;
    }

    MazeGrid grid_;
    int offset_[4];
    int cellCount_ = 0;
    int insideCount_ = 0;
    std::uint64_t rowMultiplier_ = 0;
    std::uint16_t* bits_ = nullptr;
    std::int32_t* groups_ = nullptr; // valid for the cells marked Touched only
    // The pieces of path by name: pieceNames_[i] names the piece whose
    // members are pathMembers_[pieceStarts_[i] ... pieceStarts_[i + 1]).
    std::span<const std::int32_t> pieceNames_;
    const std::int32_t* pieceStarts_ = nullptr;
    const std::int32_t* pathMembers_ = nullptr;
};

// A value 0 ... n-1 (n >= 1), each equally likely. It is taken from the high
// bits of the source's values, whose low bits repeat after a short period.
//
// Lemire's multiply-and-shift: the product's high part is the result, taken
// from the value's high bits; the few values that would make some results
// more likely than others are drawn again. randomBelowDrawn is the whole of
// it; randomBelow answers the common case in line and leaves the rest to it:
// a value thrown away is followed by a fresh draw, just what starting over
// does.
int randomBelowDrawn(RandomSource& random, int n);
inline int randomBelow(RandomSource& random, int n)
{
    if (n <= 1)
        return 0;
    if (n <= 32768) {
        const auto range = static_cast<std::uint32_t>(n);
        const std::uint32_t product = static_cast<std::uint32_t>(random.nextRandom()) * range;
        if ((product & 0x7FFFu) >= range) [[likely]]
            return static_cast<int>(product >> 15);
        const std::uint32_t threshold = (32768u - range) % range;
        if ((product & 0x7FFFu) >= threshold)
            return static_cast<int>(product >> 15);
    }
    return randomBelowDrawn(random, n);
}

// One of the directions whose bit is set in `sides` (not 0), each equally likely.
inline int randomSide(unsigned sides, RandomSource& random)
{
    // The set bits of every mask, in order.
    static constexpr std::int8_t Sides[16][4] = {{0}, {0}, {1}, {0, 1}, {2}, {0, 2}, {1, 2}, {0, 1, 2}, {3},
        {0, 3}, {1, 3}, {0, 1, 3}, {2, 3}, {0, 2, 3}, {1, 2, 3}, {0, 1, 2, 3}};
    static constexpr std::int8_t Count[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    sides &= 15u;
    return Sides[sides][randomBelow(random, Count[sides])];
}

// Fisher-Yates, drawing from the source.
void shuffleCells(std::span<std::int32_t> cells, RandomSource& random);
