// libFuzzer harness for the .maz reader: any bytes must either load into a
// consistent board or be refused with the board left as it was.

#include "maze_board.h"
#include "maze_canvas.h"
#include "maze_random.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// Takes the drawing calls and checks that every rectangle, line and ellipse
// stays within the board's picture (one pixel of slack for line ends).
class BoundsCanvas : public MazeCanvas {
public:
    BoundsCanvas(int width, int height)
        : width_(width)
        , height_(height)
    {
    }
    void setBrushColor(MazeColor) override { }
    void setPenColor(MazeColor) override { }
    void fillRect(int left, int top, int right, int bottom) override
    {
        check(left, top);
        check(right - 1, bottom - 1);
    }
    void moveTo(int x, int y) override { check(x, y); }
    void lineTo(int x, int y) override { check(x, y); }
    void ellipse(int left, int top, int right, int bottom) override
    {
        check(left, top);
        check(right - 1, bottom - 1);
    }

private:
    void check(int x, int y) const
    {
        if (x < -1 || y < -1 || x > width_ || y > height_)
            std::abort();
    }
    int width_;
    int height_;
};

} // namespace

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
    if (W * H <= 2500) {
        BoundsCanvas canvas(w, h);
        board.drawGrid(canvas);
        board.drawPath(canvas);
        board.drawMaze(canvas);
        board.makeMaze();
        board.drawMaze(canvas);
    }
    return 0;
}
