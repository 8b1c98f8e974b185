// Writes the starting corpus of the loader fuzzer into the folder given as the
// only argument: valid files of several sizes (mazes made on them, paths
// drawn), and the kinds of damaged file the loader must refuse.

#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using testing_support::Bytes;

void write(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes)
{
    testing_support::writeBytes(folder / name, bytes);
}

void putInt32(Bytes& bytes, std::size_t at, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = std::uint8_t(std::uint32_t(value) >> (8 * i));
}

// A board of the given size with a straight path across its middle row, from
// the left border to the right one, and a maze made around it.
Bytes madeMaze(RandomSource& random, int width, int height, int gridSize)
{
    MazeBoard board(random);
    if (!board.resize(width, height))
        return {};
    board.setGridSize(gridSize);
    testing_support::drawKeys(board, -1, height / 2, std::string(std::size_t(width) + 1, 'R'));
    board.makeMaze();
    return board.toFileBytes();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    RandomSource random;

    struct Size {
        int width, height, grid;
    };
    for (const Size s : {Size{1, 1, 3}, Size{5, 5, 10}, Size{40, 30, 10}, Size{100, 100, 20}, Size{400, 1, 20},
                         Size{1, 400, 20}}) {
        const std::string name = "valid-" + std::to_string(s.width) + "x" + std::to_string(s.height);
        write(folder, name, madeMaze(random, s.width, s.height, s.grid));
    }

    const Bytes good = madeMaze(random, 5, 5, 10);
    write(folder, "empty", {});
    write(folder, "magic-only", Bytes(good.begin(), good.begin() + 4));
    write(folder, "short-header", Bytes(good.begin(), good.begin() + 20));
    write(folder, "short-body", Bytes(good.begin(), good.end() - 1));
    Bytes trailing = good;
    trailing.insert(trailing.end(), {0x0A, 0x0D, 0x1A});
    write(folder, "trailing-bytes", trailing);
    Bytes magic = good;
    magic[0] = 'm';
    write(folder, "bad-magic", magic);

    // Header values out of range: width, height (offsets 4, 8) and cell size (28).
    struct Field {
        const char* name;
        std::size_t offset;
        std::int32_t value;
    };
    for (const Field f : {Field{"width-0", 4, 0}, Field{"width-401", 4, 401}, Field{"width-negative", 4, -5},
                          Field{"height-0", 8, 0}, Field{"height-huge", 8, 0x7fffffff}, Field{"grid-0", 28, 0},
                          Field{"grid-101", 28, 101}, Field{"grid-negative", 28, -1}}) {
        Bytes bytes = good;
        putInt32(bytes, f.offset, f.value);
        write(folder, f.name, bytes);
    }
    // The largest cell size a file may hold (the window itself goes up to 20).
    Bytes coarse = madeMaze(random, 3, 7, 20);
    putInt32(coarse, 28, 100);
    write(folder, "grid-100", coarse);
    // A picture wider than the loader takes: 400 cells at 21 pixels.
    Bytes wide = madeMaze(random, 400, 1, 20);
    putInt32(wide, 28, 21);
    write(folder, "picture-too-wide", wide);
    return 0;
}
