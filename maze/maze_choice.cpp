#include "maze_choice.h"

#include "maze_board.h"
#include "maze_random.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {

std::optional<int> parseNumber(std::string_view text, int minimum, int maximum)
{
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > maximum)
            return std::nullopt;
    }
    if (value < minimum)
        return std::nullopt;
    return static_cast<int>(value);
}

int figureTolerance(int figure)
{
    return std::max(1, figure / 20);
}

} // namespace

std::optional<DifficultyGoal> parseDifficultyGoal(std::string_view text)
{
    DifficultyGoal goal;
    if (const auto grade = gradeFromName(text)) {
        goal.grade = grade;
        return goal;
    }
    const auto figure = parseNumber(text, 1, DifficultyGoal::MaxFigure);
    if (!figure)
        return std::nullopt;
    goal.figure = *figure;
    return goal;
}

std::optional<int> parseTries(std::string_view text)
{
    return parseNumber(text, 1, DifficultyGoal::MaxTries);
}

int distanceFromGoal(int figure, const DifficultyGoal& goal)
{
    if (!goal.grade)
        return std::abs(figure - goal.figure);
    switch (*goal.grade) {
    case DifficultyGrade::Easy: return std::max(0, figure - (EasyBelow - 1));
    case DifficultyGrade::Medium: return std::max({0, EasyBelow - figure, figure - (HardFrom - 1)});
    case DifficultyGrade::Hard: break;
    }
    return std::max(0, HardFrom - figure);
}

bool reachesGoal(int figure, const DifficultyGoal& goal)
{
    return goal.grade ? distanceFromGoal(figure, goal) == 0
                      : distanceFromGoal(figure, goal) <= figureTolerance(goal.figure);
}

void makeCandidate(MazeBoard& board)
{
    board.makeMaze();
}

ChosenMaze chooseMaze(MazeBoard& board, const DifficultyGoal& goal, const CandidateMaker& make,
                      const KeepChoosing& keepGoing)
{
    RandomSource& random = board.randomSource();
    ChosenMaze best;
    std::optional<int> bestDistance;
    bool bestOnBoard = false;
    const int tries = std::clamp(goal.tries, 1, DifficultyGoal::MaxTries);
    while (best.tries < tries && !best.reached) {
        const std::uint32_t state = random.state();
        make(board);
        ++best.tries;
        const auto difficulty = measureDifficulty(board);
        const std::optional<int> distance
            = difficulty ? std::optional<int>(distanceFromGoal(difficulty->figure, goal)) : std::nullopt;
        // The first candidate is kept whatever it is; a later one only when nearer.
        bestOnBoard = best.tries == 1 || (distance && (!bestDistance || *distance < *bestDistance));
        if (bestOnBoard) {
            best.difficulty = difficulty;
            best.state = state;
            best.reached = difficulty && reachesGoal(difficulty->figure, goal);
            bestDistance = distance;
        }
        if (keepGoing && !best.reached && !keepGoing(best.tries))
            break;
    }
    if (!bestOnBoard) {
        // The kept candidate is made once more from its state.
        const std::uint32_t end = random.state();
        random.setState(best.state);
        make(board);
        random.setState(end);
    }
    return best;
}

std::vector<int> easyToHard(std::span<const int> figures)
{
    std::vector<int> order(figures.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return figures[std::size_t(a)] < figures[std::size_t(b)]; });
    return order;
}
