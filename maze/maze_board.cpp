#include "maze_board.h"

#include "maze_random.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
MazeBoard::GuardHandler guardHandler = nullptr;

// maze[i] = path[i] != 0, eight bytes at a time: a byte's top bit is set
// after adding 0x7F to its low seven bits, or kept from the byte, exactly
// when the byte is not zero.
void openWherePath(const std::vector<std::uint8_t>& path, std::vector<std::uint8_t>& maze)
{
    constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t Ones = 0x0101010101010101ull;
    const std::size_t n = path.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, path.data() + i, sizeof word);
        const std::uint64_t open = ((((word & Low7) + Low7) | word) >> 7) & Ones;
        std::memcpy(maze.data() + i, &open, sizeof open);
    }
    for (; i < n; ++i)
        maze[i] = path[i] != 0;
}
} // namespace

MazeBoard::MazeBoard(RandomSource& random)
    : random_(&random)
{
    setGridSize(10);
    (void)resize(40, 40);
}

MazeBoard::MazeBoard()
    : MazeBoard(RandomSource::process())
{
}

bool MazeBoard::resize(int width, int height)
{
    if (width < MinSide || width > MaxSide || height < MinSide || height > MaxSide)
        return false;

    width_ = width;
    height_ = height;
    shape_ = MazeShape(width, height);
    shapePairsValid_ = false;
    startX = -1;
    startY = 0;
    curX = startX;
    curY = startY;

    const auto vEdges = static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(height);
    const auto hEdges = static_cast<std::size_t>(width) * static_cast<std::size_t>(height + 1);
    const auto cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    mazeV_.assign(vEdges, 0);
    pathV_.assign(vEdges, 0);
    mazeH_.assign(hEdges, 0);
    pathH_.assign(hEdges, 0);
    pathCells_.assign(cells, 0);

    clearPath();
    clearMaze();
    return true;
}

void MazeBoard::clearPath()
{
    std::fill(pathV_.begin(), pathV_.end(), 0);
    std::fill(pathH_.begin(), pathH_.end(), 0);
    std::fill(pathCells_.begin(), pathCells_.end(), 0);
    curX = startX;
    curY = startY;
    showAnswer = true;
}

void MazeBoard::clearMaze()
{
    cellSet_.reset(width_, height_);
    openPairsValid_ = false;
    setsAsStarted_ = false;
    // Any non-zero path byte is a crossing; the maze stores it as an open
    // passage (1), the only value the maze picture draws as open.
    openWherePath(pathV_, mazeV_);
    openWherePath(pathH_, mazeH_);
}

void MazeBoard::setGridSize(int size)
{
    size = std::clamp(size, MinGridSize, MaxGridSize);
    gridSize_ = size;
    marginY_ = size;
    marginX_ = size;
}

int MazeBoard::zoomedGridSize(int gridSize, int step)
{
    const int size = std::clamp(gridSize + step, MinGridSize, MaxGridSize);
    const bool wrongWay = step > 0 ? size < gridSize : size > gridSize;
    return wrongWay ? gridSize : size;
}

void MazeBoard::getImageSize(int& w, int& h) const
{
    w = gridSize_ * width_ + 2 * marginX_;
    h = gridSize_ * height_ + 2 * marginY_;
}

std::uint8_t MazeBoard::getPathCell(int x, int y) const
{
    if (x < 0 || x >= width_ || y < 0 || y >= height_)
        return 0;
    return pathCells_[hIndex(x, y)];
}

void MazeBoard::setPathCell(int x, int y, std::uint8_t value)
{
    if (x < 0 || x >= width_ || y < 0 || y >= height_)
        return;
    pathCells_[hIndex(x, y)] = value;
}

bool MazeBoard::setShape(MazeShape shape)
{
    if (shape.width() == 0 && shape.height() == 0)
        shape = MazeShape(width_, height_);
    if (shape.width() != width_ || shape.height() != height_)
        return false;
    shape_ = std::move(shape);
    // The generator's pairs leave out the cells left out of the shape.
    openPairsValid_ = false;
    shapePairsValid_ = false;
    return true;
}

bool MazeBoard::exchangeMaze(std::vector<std::uint8_t>& v, std::vector<std::uint8_t>& h)
{
    if (v.size() != mazeV_.size() || h.size() != mazeH_.size())
        return false;
    mazeV_.swap(v);
    mazeH_.swap(h);
    // The generator's pairs were found on the walls just swapped out.
    openPairsValid_ = false;
    return true;
}

void MazeBoard::setGuardHandler(GuardHandler handler)
{
    guardHandler = handler;
}

void MazeBoard::guardFailure(const char* message)
{
    if (guardHandler)
        guardHandler(message);
    else
        std::fprintf(stderr, "%s\n", message);
    std::exit(1);
}
