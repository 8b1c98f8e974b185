#pragma once

#include <cstdint>
#include <vector>

// Which cells of a board belong to the maze. A cell is either inside the
// maze or left out of it; a left-out cell counts as outside, like the grey
// ring around the grid. The full rectangle, every cell inside, is what every
// board has unless a shape was set, and it is kept without a byte per cell.
//
// Cell (x, y) with x = 0 ... width-1, y = 0 ... height-1; cells are numbered
// y * width + x. Parts are 4-connected: two inside cells belong together when
// they share a side.
class MazeShape {
public:
    // A maze needs at least this many inside cells, all in one part.
    static constexpr int MinRegionCells = 4;

    // No cells at all (0 x 0). A board takes it as its full rectangle.
    MazeShape() = default;
    // The full rectangle of width x height cells.
    MazeShape(int width, int height);
    // One byte per cell, row by row; non-zero is inside. A vector of another
    // length than width * height is a programming error (std::invalid_argument).
    MazeShape(int width, int height, std::vector<std::uint8_t> cells);

    int width() const { return width_; }
    int height() const { return height_; }
    // Every cell inside (so also the 0 x 0 shape).
    bool isFull() const { return inside_ == width_ * height_; }
    int insideCount() const { return inside_; }
    int cellCount() const { return width_ * height_; }

    // False for any position off the grid.
    bool isInside(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return false;
        return cells_.empty() || cells_[static_cast<std::size_t>(y * width_ + x)] != 0;
    }
    // Positions off the grid are ignored.
    void setInside(int x, int y, bool inside);

    // One byte per cell (1 inside, 0 left out), row by row; null while the
    // shape is full and keeps no bytes. Valid until the shape next changes.
    const std::uint8_t* cellData() const { return cells_.empty() ? nullptr : cells_.data(); }
    // The same as a vector of width * height bytes, full shapes included.
    std::vector<std::uint8_t> cellBytes() const;

    // The 4-connected parts of the inside cells.
    struct Regions {
        int count = 0;
        // Per cell: the number of its part (0 ... count-1), or -1 if left out.
        // Parts are numbered in the order of their first cell, row by row.
        std::vector<std::int32_t> part;
        std::vector<int> sizes; // cells per part
        int largest = -1;       // the part with most cells, the first on a tie
    };
    Regions regions() const;
    // Exactly one part, of at least MinRegionCells cells: a shape a maze can fill.
    bool isOneRegion() const;
    // Only the largest part stays inside (the first of equal ones).
    MazeShape largestPart() const;
    // Every part joined to the largest by bridges one cell wide: each time
    // the part nearest to those already joined (fewest left-out cells
    // between) is linked by the shortest such run of cells, which become
    // inside. Letters of a word, for instance, become one region this way.
    MazeShape joinedParts() const;
    // Per cell, 1 for the inside cells that keeping the largest part would
    // leave out: what falls away when a shape is not one region.
    std::vector<std::uint8_t> cutOffCells() const;
    // Per cell, 1 for the left-out cells that the shape encloses: those from
    // which no way through left-out cells (4-connected) leads to the ring.
    std::vector<std::uint8_t> holeCells() const;

    // The n x n cells in the middle left out, as a room the path can start
    // or end in; where width - n or height - n is odd, the room sits half a
    // cell towards the top left. n <= 0 changes nothing; a room larger than
    // the grid leaves out every cell.
    void leaveOutCentre(int n);

    bool operator==(const MazeShape& other) const;

private:
    void materialise();

    int width_ = 0;
    int height_ = 0;
    int inside_ = 0;
    std::vector<std::uint8_t> cells_; // empty while every cell is inside
};
