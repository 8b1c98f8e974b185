#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class RandomSource;

// How a maze is grown around the drawn path. Every style keeps the same
// promises: the drawn path stays open and is the only route between its two
// openings, the edge of the maze (the outer wall, and on a shaped board every
// wall between a cell inside and one left out) opens only where the path
// crosses it, and the open passages between cells form one tree over all
// cells of the maze. Every style draws
// only from the random source it is given, so one source state always gives
// one maze.
enum class MazeStyle {
    Standard,      // the random join passes: the program's own mazes
    LongCorridors, // a randomized backtracker from the path: few, long dead ends
    ShortDeadEnds, // randomized Prim's algorithm from the path: many short branches
    Uniform,       // Wilson's algorithm with the path as the first tree: every maze equally likely
};

inline constexpr MazeStyle AllMazeStyles[] = {MazeStyle::Standard, MazeStyle::LongCorridors,
                                              MazeStyle::ShortDeadEnds, MazeStyle::Uniform};

// The style's name on the command line and in the stored settings:
// "standard", "corridors", "deadends", "uniform".
std::string_view styleName(MazeStyle style);
std::optional<MazeStyle> styleFromName(std::string_view name);

// The walls a style grows a maze in: the board's maze arrays, laid out as the
// board keeps them (vertical edge (x, y) at y*(W+1)+x, horizontal edge (x, y)
// at y*W+x). On entry they hold the drawn path's passages and nothing else;
// a style opens interior walls only, each between two cells of the maze not
// yet connected. `inside` is the board's shape, one byte per cell at y*W+x
// (non-zero: the cell belongs to the maze), or null for the full rectangle;
// a style never opens a wall of a cell left out.
struct MazeGrid {
    int width;
    int height;
    std::uint8_t* mazeV;
    std::uint8_t* mazeH;
    const std::uint8_t* inside;
};

// Working memory for the styles, kept by the board from one maze to the
// next so that maze after maze of one size allocates nothing. What it holds
// between two mazes means nothing.
struct StyleScratch {
    std::vector<std::uint16_t> cellBits;  // per cell
    std::vector<std::int32_t> groups;     // per cell
    std::vector<std::int32_t> pathCells;  // the cells open edges touch
    std::vector<std::int32_t> pieces;     // the pieces of path: names, then where their members start
    std::vector<std::int32_t> perCell;    // the style's own, one value per cell
    std::vector<std::int32_t> cellList;   // the style's own list of up to one entry per cell
    std::vector<std::int32_t> memberList; // the style's own short list
    // The last shape's cells and each cell's bits as a maze on it starts
    // them, to copy while the shape stays the same.
    std::vector<std::uint8_t> shapeCells;
    std::vector<std::uint16_t> shapeBits;
    int shapeWidth = 0;
    int shapeInside = 0;
};

// One signature for every style but the standard one, which the board runs
// through its own passes.
using MazeGrower = void (*)(MazeGrid grid, RandomSource& random, StyleScratch& scratch);
void growLongCorridors(MazeGrid grid, RandomSource& random, StyleScratch& scratch);
void growShortDeadEnds(MazeGrid grid, RandomSource& random, StyleScratch& scratch);
void growUniform(MazeGrid grid, RandomSource& random, StyleScratch& scratch);
MazeGrower growerFor(MazeStyle style); // nullptr for Standard
