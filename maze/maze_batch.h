#pragma once

#include "maze_choice.h"
#include "maze_style.h"
#include "route_maker.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

class MazeBoard;

// Many mazes around one drawn path, for a book of puzzles: the core of the
// command line's --batch. The writing of each maze is the caller's.
struct MazeBatch {
    static constexpr int MaxCount = 1000;

    int count = 1;
    MazeStyle style = MazeStyle::Standard;
    // The random state the first maze starts from; each further maze goes
    // on from where the one before left the source. Without it the board's
    // source goes on as it stands, which for a fresh program is always the
    // same state.
    std::optional<std::uint32_t> seed;
    // Each maze chosen from candidates by its difficulty figure.
    std::optional<DifficultyGoal> difficulty{};
    // The book's mazes handed over from easy to hard by their figure, not in
    // the order they were made.
    bool easyToHard = false;
};

// One maze of a book as the batch hands it over.
struct BookMaze {
    int index = 0;                            // its number in the book, from 1
    std::optional<MazeDifficulty> difficulty; // nothing when the maze has no way through
    int tries = 1;                            // candidates made for it
    bool reached = true;                      // in the batch's difficulty band; always without one
};

// A route of its own for each maze of a batch: made with `settings` from
// the board's source just before its maze, and drawn as the board's path in
// place of the one it had. `made` is the route of the maze at hand.
struct BatchRoutes {
    RouteSettings settings;
    Route made;
};

// The values of --batch N (1 ... MaxCount) and --seed S (0 ... 4294967295):
// decimal digits only, nothing else.
std::optional<int> parseBatchCount(std::string_view text);
std::optional<std::uint32_t> parseSeed(std::string_view text);

// The value of --size WxH: width and height in cells, each MinBoardSide ...
// MazeBoard::MaxSide, as decimal digits around one 'x'.
struct BoardSize {
    static constexpr int MinBoardSide = 5;
    int width;
    int height;
    bool operator==(const BoardSize&) const = default;
};
std::optional<BoardSize> parseBoardSize(std::string_view text);

// Makes batch.count mazes around the board's path in the batch's style and
// calls each(i) after maze i (1-based), while the board holds it. Stops when
// each returns false; returns how many mazes were handed to each and taken.
// The board keeps the batch's style afterwards.
int makeMazeBatch(MazeBoard& board, const MazeBatch& batch, const std::function<bool(int index)>& each,
                  BatchRoutes* routes = nullptr);
// The same, handing over each maze's figure and how it was chosen. A book
// from easy to hard is made whole first (keeping only the random state each
// maze was made from), then each maze is made again in its turn. With
// `routes`, every maze (every candidate, when mazes are chosen by their
// difficulty) gets a route of its own first; a route that cannot be made at
// all (see RouteProblem) stops the series before its maze, and routes->made
// then tells why.
int makeMazeBatch(MazeBoard& board, const MazeBatch& batch, const std::function<bool(const BookMaze&)>& each,
                  BatchRoutes* routes = nullptr);

// The file of maze `index` of `count` for the output name `out`: "book.svg"
// gives "book-001.svg", or "book-001-answer.svg" for its answer. The number
// has at least three digits, more when count needs them. Index 0 is a maze
// without a number: "book.svg" and "book-answer.svg".
std::filesystem::path batchFileName(const std::filesystem::path& out, int index, int count, bool answer);
