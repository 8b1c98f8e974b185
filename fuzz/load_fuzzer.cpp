// libFuzzer harness for the .maz reader: any bytes must either load into a
// consistent board or be refused with the board left as it was.

#include "maze_board.h"
#include "maze_random.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static RandomSource random;
    MazeBoard board(random);
    const std::vector<std::uint8_t> before = board.toFileBytes();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    if (!board.readFrom(in)) {
        if (board.toFileBytes() != before)
            std::abort(); // a refused file changed the board
        return 0;
    }
    // A loaded board is usable: its picture fits, its arrays match its size,
    // and it can make a maze and be drawn.
    int w = 0, h = 0;
    board.getImageSize(w, h);
    if (w > MazeBoard::MaxImageSide || h > MazeBoard::MaxImageSide || board.getGridSize() < 1)
        std::abort();
    const std::size_t W = std::size_t(board.getWidth()), H = std::size_t(board.getHeight());
    if (board.toFileBytes().size() != 32 + 2 * ((W + 1) * H + W * (H + 1)))
        std::abort();
    if (W * H <= 2500)
        board.makeMaze();
    return 0;
}
