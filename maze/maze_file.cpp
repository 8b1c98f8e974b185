#include "maze_board.h"

#include "atomic_write.h"
#include "file_kind.h"
#include "path_check.h"

#include <algorithm>
#include <array>
#include <istream>
#include <optional>

// The .maz file: the magic "MAZE", seven little-endian signed 32-bit values
// (width, height, startX, startY, curX, curY, gridSize), then mazeV, mazeH,
// pathV and pathH, each whole, in the board's own element order.
//
// A shaped board adds one block after pathH, and only a shaped board: a
// board with every cell inside is written exactly as before shapes existed.
// Readers that stop at the end of pathH ignore the block.
//
//   offset  size  content
//   0       4     the tag "SHPE"
//   4       4     version, 1 (unsigned little-endian, as the two below)
//   8       4     length of the cell bits in bytes: (W*H + 7) / 8
//   12      len   one bit per cell, cell y*W+x at bit (k % 8) of byte k / 8,
//                 1 inside, 0 left out; the bits past the last cell are 0
//   12+len  4     CRC-32 (the polynomial of zip and PNG) of every byte above
//
// Bytes after pathH that do not begin with the tag are ignored, as they
// always were. A block that begins with the tag must be whole and right in
// every field, and its shape one region, or the file is refused.

namespace {

constexpr std::array<char, 4> Magic = {'M', 'A', 'Z', 'E'};
constexpr std::size_t HeaderValues = 7;
constexpr std::array<char, 4> ShapeTag = {'S', 'H', 'P', 'E'};
constexpr std::uint32_t ShapeVersion = 1;
constexpr std::size_t ShapeHead = 12; // tag, version, length

std::size_t shapeBitBytes(int width, int height)
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 7) / 8;
}

// CRC-32 with the reflected polynomial 0xEDB88320, as zip and PNG use it.
std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ bytes[i]) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

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

// The shape block after pathH, if the bytes there begin with its tag. False
// when they do but the block is not whole and right; true otherwise, with
// `shape` set when a shape was read. Never reads past the block's fixed
// length for a board of width x height cells.
bool readShapeBlock(std::istream& in, int width, int height, std::optional<MazeShape>& shape)
{
    std::array<std::uint8_t, ShapeHead> head{};
    in.read(reinterpret_cast<char*>(head.data()), 4);
    if (in.gcount() < 4 || !std::equal(ShapeTag.begin(), ShapeTag.end(), head.begin(),
                                       [](char a, std::uint8_t b) { return std::uint8_t(a) == b; }))
        return true; // no block: other bytes after pathH are ignored
    const std::size_t bits = shapeBitBytes(width, height);
    if (!readExactly(in, head.data() + 4, 8) || static_cast<std::uint32_t>(getInt32(&head[4])) != ShapeVersion
        || static_cast<std::uint32_t>(getInt32(&head[8])) != bits)
        return false;
    std::vector<std::uint8_t> block(head.begin(), head.end());
    block.resize(ShapeHead + bits + 4);
    if (!readExactly(in, block.data() + ShapeHead, bits + 4)
        || crc32(block.data(), ShapeHead + bits) != static_cast<std::uint32_t>(getInt32(&block[ShapeHead + bits])))
        return false;
    const std::uint8_t* data = block.data() + ShapeHead;
    const int cells = width * height;
    // Bits past the last cell are 0 in every block this program writes.
    if (cells % 8 != 0 && (data[bits - 1] >> (cells % 8)) != 0)
        return false;
    std::vector<std::uint8_t> inside(static_cast<std::size_t>(cells));
    for (int k = 0; k < cells; ++k)
        inside[static_cast<std::size_t>(k)] = (data[k / 8] >> (k % 8)) & 1u;
    MazeShape read(width, height, std::move(inside));
    // Only a shape a maze can fill is a shape this program writes.
    if (!read.isOneRegion())
        return false;
    shape = std::move(read);
    return true;
}

} // namespace

std::vector<std::uint8_t> MazeBoard::toFileBytes() const
{
    const std::size_t bits = isShaped() ? shapeBitBytes(width_, height_) : 0;
    const std::size_t block = isShaped() ? ShapeHead + bits + 4 : 0;
    std::vector<std::uint8_t> out(Magic.size() + 4 * HeaderValues + 2 * (mazeV_.size() + mazeH_.size()) + block);
    std::uint8_t* at = std::copy(Magic.begin(), Magic.end(), out.data());
    for (const std::int32_t value : {width_, height_, startX, startY, curX, curY, gridSize_})
        at = putInt32(at, value);
    for (const auto* array : {&mazeV_, &mazeH_, &pathV_, &pathH_})
        at = std::copy(array->begin(), array->end(), at);
    if (block == 0)
        return out;

    std::uint8_t* const blockStart = at;
    at = std::copy(ShapeTag.begin(), ShapeTag.end(), at);
    at = putInt32(at, static_cast<std::int32_t>(ShapeVersion));
    at = putInt32(at, static_cast<std::int32_t>(bits));
    const std::uint8_t* inside = shape_.cellData();
    for (int k = 0; k < width_ * height_; ++k)
        at[k / 8] = static_cast<std::uint8_t>(at[k / 8] | (inside[k] ? 1u << (k % 8) : 0u));
    at += bits;
    putInt32(at, static_cast<std::int32_t>(crc32(blockStart, static_cast<std::size_t>(at - blockStart))));
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

    std::optional<MazeShape> shape;
    if (!readShapeBlock(in, width, height, shape))
        return false;

    (void)resize(width, height); // within range, checked above
    if (shape) {
        shape_ = std::move(*shape);
        shapePairsValid_ = false;
    }
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
