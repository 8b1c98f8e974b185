#pragma once

#include "maze_difficulty.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class MazeBoard;

// Mazes chosen by their difficulty figure: several candidates are made and
// the one in the asked band, or nearest to it, is kept. The window's choice
// by difficulty and the command line's --difficulty both come here.
struct DifficultyGoal {
    static constexpr int DefaultTries = 50;
    static constexpr int MaxTries = 10000;
    static constexpr int MaxFigure = 400 * 400; // no board holds more cells

    // A grade's band; without one, a figure to come near: within 5 % of it
    // (at least 1 cell) counts as reached.
    std::optional<DifficultyGrade> grade{};
    int figure = 0;
    int tries = DefaultTries; // 1 ... MaxTries candidates at most
    bool operator==(const DifficultyGoal&) const = default;
};

// The values of --difficulty ("easy", "medium", "hard" or a figure of
// 1 ... MaxFigure in decimal digits) and --tries (1 ... MaxTries).
std::optional<DifficultyGoal> parseDifficultyGoal(std::string_view text);
std::optional<int> parseTries(std::string_view text);

// How far a figure lies from the goal, in cells: 0 inside a grade's band, or
// the distance to its nearer limit; for a figure goal the difference.
int distanceFromGoal(int figure, const DifficultyGoal& goal);
// Whether the figure is in the goal's band.
bool reachesGoal(int figure, const DifficultyGoal& goal);

// What chooseMaze kept.
struct ChosenMaze {
    std::optional<MazeDifficulty> difficulty; // nothing when no candidate had a way through
    int tries = 0;                            // candidates made
    bool reached = false;                     // the kept maze is in the goal's band
    std::uint32_t state = 0;                  // the random state the kept maze was made from
};

// Makes one candidate on the board from its random source: by default
// board.makeMaze() around the drawn path.
using CandidateMaker = std::function<void(MazeBoard&)>;
void makeCandidate(MazeBoard& board);

// After each candidate, with the number made so far: false stops the
// choice there, as if no more tries were allowed.
using KeepChoosing = std::function<bool(int tries)>;

// Makes candidates until one is in the goal's band or goal.tries are made,
// and leaves the first in the band, or else the nearest (the earliest of
// equally near ones), on the board. Afterwards the board's source stands
// where the last candidate left it, so what comes next never repeats a
// candidate.
ChosenMaze chooseMaze(MazeBoard& board, const DifficultyGoal& goal, const CandidateMaker& make = makeCandidate,
                      const KeepChoosing& keepGoing = {});

// The order of a book from easy to hard: the positions of `figures` by
// rising figure, equal figures in the order they were made.
std::vector<int> easyToHard(std::span<const int> figures);
