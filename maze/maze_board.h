#pragma once

#include "cell_sets.h"
#include "maze_canvas.h"
#include "maze_shape.h"
#include "maze_style.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <vector>

class RandomSource;

// The one data object of the program: the grid, the maze walls, the answer
// path the user draws, the start and head of that path, the cell size and the
// two view flags.
//
// Cell (x, y): column x = 0 ... W-1, row y = 0 ... H-1. The positions one step
// outside the grid form the grey border ring. Vertical edge (x, y), x = 0 ... W,
// lies left of cell (x, y); horizontal edge (x, y), y = 0 ... H, lies above it.
// Vertical edges are stored at y*(W+1)+x, horizontal edges and cells at y*W+x.
class MazeBoard {
public:
    static constexpr int MinGridSize = 3;
    static constexpr int MaxGridSize = 20;
    // Boards outside these sides are refused by resize(): at the largest cell
    // size a 400 x 400 board is already an 8040 x 8040 picture.
    static constexpr int MinSide = 1;
    static constexpr int MaxSide = 400;
    // Limits on what a maze file may ask for.
    static constexpr int MaxFileGridSize = 100;
    static constexpr int MaxImageSide = 8192;

    static constexpr double JoinProbability = 0.2;
    static constexpr int RandomPasses = 10;

    // A board of 40 x 40 cells with cell size 10 that draws its mazes from
    // `random` (by default the program's one source).
    explicit MazeBoard(RandomSource& random);
    MazeBoard();

    MazeBoard(const MazeBoard&) = delete;
    MazeBoard& operator=(const MazeBoard&) = delete;

    // New grid size: start and head go to (-1, 0), every array is allocated
    // anew and cleared, the shape is the full rectangle again, showAnswer
    // ends on. Width and height outside
    // MinSide ... MaxSide are refused: nothing changes and the result is false.
    [[nodiscard]] bool resize(int width, int height);
    // Erases the drawn path; the head goes back to the start; showAnswer on.
    void clearPath();
    // Every maze edge closed except the edges of the drawn path; sets reset.
    void clearMaze();
    // Clamps to MinGridSize ... MaxGridSize; both margins follow.
    void setGridSize(int size);
    // The cell size one zoom step (+1 enlarges, -1 reduces) from `gridSize`:
    // one pixel more or less, kept to MinGridSize ... MaxGridSize. A size
    // outside that range (files hold 1 ... MaxFileGridSize) moves into it
    // only the way the step goes; where the range would take it the other
    // way, it stays.
    static int zoomedGridSize(int gridSize, int step);

    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    int getGridSize() const { return gridSize_; }
    int getMarginX() const { return marginX_; }
    int getMarginY() const { return marginY_; }
    // Pixel size of the whole picture, grid plus border.
    void getImageSize(int& w, int& h) const;

    // The cells that belong to the maze; always of the board's size, the
    // full rectangle unless a shape was set. A left-out cell counts as
    // outside, like the ring: the path may start or end there, the maze
    // keeps its walls closed, the pictures leave it blank.
    const MazeShape& shape() const { return shape_; }
    // Takes a shape of the board's size, or the 0 x 0 shape for the full
    // rectangle; any other size is refused and nothing changes. It takes any
    // cells: whether they are one region and leave the drawn path whole is
    // for the caller to check (MazeShape::isOneRegion, PathEditor::fitsShape).
    // The path and the walls stay as they are; the next makeMaze fills the
    // new shape.
    [[nodiscard]] bool setShape(MazeShape shape);
    // Whether cell (x, y) belongs to the maze: false off the grid.
    bool isInside(int x, int y) const { return shape_.isInside(x, y); }
    int insideCount() const { return shape_.insideCount(); }
    // Some cell is left out.
    bool isShaped() const { return !shape_.isFull(); }

    // Edge accessors: the caller passes indices inside the grid's edge ranges
    // (vertical: x 0 ... W, y 0 ... H-1; horizontal: x 0 ... W-1, y 0 ... H).
    std::uint8_t getMazeV(int x, int y) const { return mazeV_[vIndex(x, y)]; }
    void setMazeV(int x, int y, std::uint8_t value) { mazeV_[vIndex(x, y)] = value; }
    std::uint8_t getMazeH(int x, int y) const { return mazeH_[hIndex(x, y)]; }
    void setMazeH(int x, int y, std::uint8_t value) { mazeH_[hIndex(x, y)] = value; }
    std::uint8_t getPathV(int x, int y) const { return pathV_[vIndex(x, y)]; }
    void setPathV(int x, int y, std::uint8_t value) { pathV_[vIndex(x, y)] = value; }
    std::uint8_t getPathH(int x, int y) const { return pathH_[hIndex(x, y)]; }
    void setPathH(int x, int y, std::uint8_t value) { pathH_[hIndex(x, y)] = value; }
    // Any position: outside the grid reads 0 and ignores writes, so the path
    // editor can pass a head that stands on the ring.
    std::uint8_t getPathCell(int x, int y) const;
    void setPathCell(int x, int y, std::uint8_t value);

    // The two wall arrays whole, so that a maze can be kept and put back
    // without drawing it again: exchangeMaze swaps them with two arrays of the
    // same sizes (and refuses, changing nothing, arrays of other sizes).
    const std::vector<std::uint8_t>& mazeVArray() const { return mazeV_; }
    const std::vector<std::uint8_t>& mazeHArray() const { return mazeH_; }
    [[nodiscard]] bool exchangeMaze(std::vector<std::uint8_t>& v, std::vector<std::uint8_t>& h);

    // Maze generation: keeps the drawn path open and fills the rest of the grid
    // with random passages that never close a loop. Changes only the maze
    // edges and the cell sets.
    void makeMaze();
    // The style makeMaze grows its mazes in; Standard unless set.
    MazeStyle getStyle() const { return style_; }
    void setStyle(MazeStyle style) { style_ = style; }
    // The source the board's mazes are drawn from.
    RandomSource& randomSource() const { return *random_; }
    void initCellSets();
    void randomJoinPass();
    void finalJoinPass();
    // Root (smallest cell index) of the set of cell (x, y). A column or row
    // beyond the grid is a programming error: reported through the guard
    // handler, then the process ends with status 1.
    int findRoot(int x, int y);
    void joinCells(int x1, int y1, int x2, int y2);
    bool chance(double p);
    double random01();

    // Drawing: the maze picture and the editing view (drawGrid, then drawPath).
    // On a shaped board the maze picture draws only the walls of the shape
    // (cells left out stay white), and the editing view shows cells left out
    // grey like the ring, with cell lines only along and within the shape.
    void drawMaze(MazeCanvas& canvas) const;
    void drawAnswer(MazeCanvas& canvas) const;
    void drawGrid(MazeCanvas& canvas) const;
    void drawPath(MazeCanvas& canvas) const;
    // The same within `area` of the picture: every pixel inside it comes out
    // as the whole drawing leaves it, and only the cells and edges near the
    // area are visited, so a window showing part of a large board pays for
    // that part. Pixels outside the area may be painted too; a caller that
    // needs them untouched clips the canvas.
    void drawMaze(MazeCanvas& canvas, const PixelRect& area) const;
    void drawAnswer(MazeCanvas& canvas, const PixelRect& area) const;
    void drawGrid(MazeCanvas& canvas, const PixelRect& area) const;
    void drawPath(MazeCanvas& canvas, const PixelRect& area) const;
    // The whole picture, from (0, 0) to getImageSize().
    PixelRect imageRect() const;

    // The .maz file. saveFile writes the whole file or leaves an existing one
    // untouched, and says which. loadFile takes the file's content only when it
    // is a complete, sane maze; otherwise the board stays exactly as it was.
    [[nodiscard]] bool saveFile(const std::filesystem::path& fileName) const;
    [[nodiscard]] bool loadFile(const std::filesystem::path& fileName);
    // The same two on bytes and streams, for tools and tests.
    std::vector<std::uint8_t> toFileBytes() const;
    [[nodiscard]] bool readFrom(std::istream& in);

    // Who shows the guard messages ("Error LX", "Error LY"). The application
    // installs a handler that shows a message box; without one the message
    // goes to standard error. The handler returns; the process then ends.
    using GuardHandler = void (*)(const char* message);
    static void setGuardHandler(GuardHandler handler);

    // Fields that the window and the path editor read and write directly.
    int startX = -1;
    int startY = 0;
    int curX = -1;
    int curY = 0;
    bool showAnswer = true;
    bool transparentMode = false;
    const MazeColor startColor = 0x0000FF;  // red
    const MazeColor cursorColor = 0xFF0000; // blue

private:
    // The grid lines and cells whose drawing may touch `area`, across (i)
    // and down (j), each first ... last and cut to the board: lines
    // 0 ... W (or H), cells 0 ... W-1 (or H-1).
    struct Span {
        int first;
        int last;
    };
    struct Reach {
        Span linesX;
        Span cellsX;
        Span linesY;
        Span cellsY;
    };
    Reach reachOf(const PixelRect& area) const;
    void drawShapedGrid(MazeCanvas& canvas, const Reach& reach) const;

    int vIndex(int x, int y) const { return y * (width_ + 1) + x; }
    int hIndex(int x, int y) const { return y * width_ + x; }
    void rebuildOpenPairs();
    void findShapePairs();
    void makeStyledMaze();
    [[noreturn]] static void guardFailure(const char* message);

    RandomSource* random_;
    MazeStyle style_ = MazeStyle::Standard;
    int width_ = 0;
    int height_ = 0;
    MazeShape shape_;
    std::vector<std::uint8_t> mazeV_;
    std::vector<std::uint8_t> mazeH_;
    CellSets cellSet_;
    std::vector<std::uint8_t> pathCells_;
    std::vector<std::uint8_t> pathV_;
    std::vector<std::uint8_t> pathH_;
    int gridSize_ = 10;
    int marginY_ = 10;
    int marginX_ = 10;

    // Neighbour pairs not yet known to share a set, one bit each, named by
    // their left or upper cell (x, y): bit y of column x's run of words.
    // Sets only ever merge, so a pair once found joined is dropped for good.
    std::vector<std::uint64_t> openRight_; // cell (x, y) and (x + 1, y)
    std::vector<std::uint64_t> openDown_;  // cell (x, y) and (x, y + 1)
    int wordsPerColumn_ = 0;
    bool openPairsValid_ = false;
    // On a shaped board, the pairs of two cells of the maze as every maze
    // starts them: found once for the board's size and shape, copied for
    // each maze.
    std::vector<std::uint64_t> shapeRight_;
    std::vector<std::uint64_t> shapeDown_;
    bool shapePairsValid_ = false;
    // The cells that initCellSets joined, laid out as the pairs; and whether
    // the sets are still as it left them.
    std::vector<std::uint64_t> joinedAtStart_;
    bool setsAsStarted_ = false;
    // The other styles' working memory.
    StyleScratch styleScratch_;
};
