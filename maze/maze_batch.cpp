#include "maze_batch.h"

#include "maze_board.h"
#include "maze_random.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

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
    return makeMazeBatch(board, batch, [&](const BookMaze& maze) { return each(maze.index); }, routes);
}

int makeMazeBatch(MazeBoard& board, const MazeBatch& batch, const std::function<bool(const BookMaze&)>& each,
                  BatchRoutes* routes)
{
    board.setStyle(batch.style);
    RandomSource& random = board.randomSource();
    if (batch.seed)
        random.setState(*batch.seed);
    std::optional<RouteMaker> maker;
    if (routes)
        maker.emplace(board);
    bool routeRefused = false;
    // One candidate: with routes, a route of its own, then the maze around it.
    const CandidateMaker candidate = [&](MazeBoard& on) {
        if (maker) {
            routes->made = maker->make(routes->settings, random);
            if (!drawRoute(on, routes->made)) {
                routeRefused = true;
                return;
            }
        }
        on.makeMaze();
    };
    // One maze of the book, and the state it was made from.
    const auto makeOne = [&](int index) {
        BookMaze maze{index, std::nullopt, 1, true};
        std::uint32_t state = random.state();
        if (batch.difficulty) {
            const ChosenMaze chosen = chooseMaze(board, *batch.difficulty, candidate,
                                                 [&](int) { return !routeRefused; });
            maze.difficulty = chosen.difficulty;
            maze.tries = chosen.tries;
            maze.reached = chosen.reached;
            state = chosen.state;
        } else {
            candidate(board);
            maze.difficulty = measureDifficulty(board);
        }
        return std::pair{maze, state};
    };

    if (!batch.easyToHard) {
        for (int i = 1; i <= batch.count; ++i) {
            const BookMaze maze = makeOne(i).first;
            if (routeRefused || !each(maze))
                return i - 1;
        }
        return batch.count;
    }
    std::vector<BookMaze> mazes;
    std::vector<std::uint32_t> states;
    std::vector<int> figures;
    for (int i = 1; i <= batch.count; ++i) {
        const auto [maze, state] = makeOne(i);
        if (routeRefused)
            return 0;
        mazes.push_back(maze);
        states.push_back(state);
        figures.push_back(maze.difficulty ? maze.difficulty->figure : 0);
    }
    const std::uint32_t end = random.state();
    const std::vector<int> order = easyToHard(figures);
    int handed = 0;
    for (const int made : order) {
        random.setState(states[std::size_t(made)]);
        candidate(board);
        BookMaze maze = mazes[std::size_t(made)];
        maze.index = handed + 1;
        if (!each(maze))
            break;
        ++handed;
    }
    random.setState(end);
    return handed;
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
