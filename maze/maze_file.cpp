#include "maze_board.h"

#include "atomic_write.h"
#include "file_kind.h"
#include "path_check.h"

#include <algorithm>
#include <array>
#include <istream>

// The .maz file: the magic "MAZE", seven little-endian signed 32-bit values
// (width, height, startX, startY, curX, curY, gridSize), then mazeV, mazeH,
// pathV and pathH, each whole, in the board's own element order.

namespace {

constexpr std::array<char, 4> Magic = {'M', 'A', 'Z', 'E'};
constexpr std::size_t HeaderValues = 7;

std::uint8_t* putInt32(std::uint8_t* out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        *out++ = static_cast<std::uint8_t>(u >> shift);
    return out;
}

std::int32_t getInt32(const std::uint8_t* in)
{
    const std::uint32_t u = std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8
        | std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
    return static_cast<std::int32_t>(u);
}

bool readExactly(std::istream& in, void* into, std::size_t size)
{
    in.read(static_cast<char*>(into), static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in.gcount()) == size;
}

} // namespace

std::vector<std::uint8_t> MazeBoard::toFileBytes() const
{
    std::vector<std::uint8_t> out(Magic.size() + 4 * HeaderValues + 2 * (mazeV_.size() + mazeH_.size()));
    std::uint8_t* at = std::copy(Magic.begin(), Magic.end(), out.data());
    for (const std::int32_t value : {width_, height_, startX, startY, curX, curY, gridSize_})
        at = putInt32(at, value);
    for (const auto* array : {&mazeV_, &mazeH_, &pathV_, &pathH_})
        at = std::copy(array->begin(), array->end(), at);
    return out;
}

bool MazeBoard::saveFile(const std::filesystem::path& fileName) const
{
    const std::vector<std::uint8_t> bytes = toFileBytes();
    return atomicfile::writeFile(fileName, bytes.data(), bytes.size());
}

bool MazeBoard::loadFile(const std::filesystem::path& fileName)
{
    // Only a regular file is read: a named pipe or a device is refused at
    // once instead of waiting for a writer or reading without end.
    filekind::InputFile in(fileName);
    return in.isOpen() && readFrom(in.stream());
}

bool MazeBoard::readFrom(std::istream& in)
{
    // Everything is read into locals and checked first; the board takes the
    // content over only when the whole maze is there and usable.
    std::array<char, 4> magic{};
    if (!readExactly(in, magic.data(), magic.size()) || magic != Magic)
        return false;

    std::array<std::uint8_t, 4 * HeaderValues> header{};
    if (!readExactly(in, header.data(), header.size()))
        return false;
    const std::int32_t width = getInt32(&header[0]);
    const std::int32_t height = getInt32(&header[4]);
    const std::int32_t gridSize = getInt32(&header[24]);
    const PathEnd start{getInt32(&header[8]), getInt32(&header[12])};
    const PathEnd head{getInt32(&header[16]), getInt32(&header[20])};

    if (width < MinSide || width > MaxSide || height < MinSide || height > MaxSide)
        return false;
    if (gridSize < 1 || gridSize > MaxFileGridSize)
        return false;
    // Both margins equal the cell size, so the picture is (side + 2) cells.
    if ((width + 2) * gridSize > MaxImageSide || (height + 2) * gridSize > MaxImageSide)
        return false;

    const auto vEdges = static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(height);
    const auto hEdges = static_cast<std::size_t>(width) * static_cast<std::size_t>(height + 1);
    std::vector<std::uint8_t> mazeV(vEdges), mazeH(hEdges), pathV(vEdges), pathH(hEdges);
    for (auto* array : {&mazeV, &mazeH, &pathV, &pathH}) {
        if (!readExactly(in, array->data(), array->size()))
            return false;
    }

    (void)resize(width, height); // within range, checked above
    mazeV_ = std::move(mazeV);
    mazeH_ = std::move(mazeH);
    pathV_ = std::move(pathV);
    pathH_ = std::move(pathH);
    gridSize_ = gridSize;
    marginY_ = gridSize;
    marginX_ = gridSize;
    // The start and the head are kept where they are the two ends of the
    // stored path, so that the entrance is where the path was drawn from;
    // anything else (older files hold (-1, 0) for both) starts the path
    // anew at (-1, 0).
    const std::vector<PathEnd> ends = pathCrossings(*this);
    if (ends.size() == 2
        && ((start == ends[0] && head == ends[1]) || (start == ends[1] && head == ends[0]))) {
        startX = start.x;
        startY = start.y;
        curX = head.x;
        curY = head.y;
    }
    return true;
}
