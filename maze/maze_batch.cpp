#include "maze_batch.h"

#include "maze_board.h"
#include "maze_random.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

std::optional<std::uint64_t> parseDigits(std::string_view text, std::uint64_t maximum)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > maximum)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<int> parseBatchCount(std::string_view text)
{
    const auto value = parseDigits(text, MazeBatch::MaxCount);
    if (!value || *value == 0)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<std::uint32_t> parseSeed(std::string_view text)
{
    const auto value = parseDigits(text, std::numeric_limits<std::uint32_t>::max());
    if (!value)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<BoardSize> parseBoardSize(std::string_view text)
{
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos)
        return std::nullopt;
    const auto width = parseDigits(text.substr(0, x), MazeBoard::MaxSide);
    const auto height = parseDigits(text.substr(x + 1), MazeBoard::MaxSide);
    if (!width || !height || *width < BoardSize::MinBoardSide || *height < BoardSize::MinBoardSide)
        return std::nullopt;
    return BoardSize{static_cast<int>(*width), static_cast<int>(*height)};
}

int makeMazeBatch(MazeBoard& board, const MazeBatch& batch, const std::function<bool(int index)>& each,
                  BatchRoutes* routes)
{
    board.setStyle(batch.style);
    if (batch.seed)
        board.randomSource().setState(*batch.seed);
    std::optional<RouteMaker> maker;
    if (routes)
        maker.emplace(board);
    for (int i = 1; i <= batch.count; ++i) {
        if (maker) {
            routes->made = maker->make(routes->settings, board.randomSource());
            if (!drawRoute(board, routes->made))
                return i - 1;
        }
        board.makeMaze();
        if (!each(i))
            return i - 1;
    }
    return batch.count;
}

std::filesystem::path batchFileName(const std::filesystem::path& out, int index, int count, bool answer)
{
    std::string number;
    if (index > 0) {
        number = std::to_string(index);
        const std::size_t width = std::max<std::size_t>(3, std::to_string(count).size());
        if (number.size() < width)
            number.insert(0, width - number.size(), '0');
        number.insert(0, 1, '-');
    }
    std::filesystem::path name = out;
    name.replace_filename(out.stem().native() + std::filesystem::path(number + (answer ? "-answer" : "")).native()
                          + out.extension().native());
    return name;
}
