// Mazes chosen by their difficulty: the values of the command line, the
// choice among candidates against the candidates made one by one, and books
// ordered from easy to hard.

#include "maze_batch.h"
#include "maze_board.h"
#include "maze_choice.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace testing_support;

namespace {

TEST(ChoiceTest, DifficultyAndTriesValues)
{
    const auto grade = [](DifficultyGrade g) { return std::optional<DifficultyGoal>(DifficultyGoal{g, 0, 50}); };
    const auto figure = [](int f) { return std::optional<DifficultyGoal>(DifficultyGoal{std::nullopt, f, 50}); };
    for (const auto& [text, expected] : {std::pair{"easy", grade(DifficultyGrade::Easy)},
             {"medium", grade(DifficultyGrade::Medium)}, {"hard", grade(DifficultyGrade::Hard)}, {"412", figure(412)},
             {"1", figure(1)}, {"160000", figure(160000)}, {"0", std::nullopt}, {"160001", std::nullopt},
             {"-5", std::nullopt}, {"", std::nullopt}, {"Hard", std::nullopt}, {"12x", std::nullopt},
             {" 3", std::nullopt}, {"99999999999999999999", std::nullopt}})
        EXPECT_EQ(parseDifficultyGoal(text), expected) << text;
    for (const auto& [text, expected] : {std::pair{"1", std::optional<int>(1)}, {"50", 50}, {"10000", 10000},
             {"0", std::nullopt}, {"10001", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt}})
        EXPECT_EQ(parseTries(text), expected) << text;
}

TEST(ChoiceTest, DistanceFromTheBandAndGrades)
{
    const DifficultyGoal easy{DifficultyGrade::Easy}, medium{DifficultyGrade::Medium}, hard{DifficultyGrade::Hard};
    const DifficultyGoal near400{std::nullopt, 400}, near10{std::nullopt, 10};
    const struct {
        const DifficultyGoal& goal;
        int figure, distance;
        bool reached;
    } table[] = {
        {easy, 99, 0, true},     {easy, 150, 51, false},   {medium, 100, 0, true},   {medium, 50, 50, false},
        {medium, 350, 51, false}, {hard, 300, 0, true},    {hard, 250, 50, false},   {near400, 420, 20, true},
        {near400, 379, 21, false}, {near10, 11, 1, true},   {near10, 12, 2, false},
    };
    for (const auto& row : table) {
        EXPECT_EQ(distanceFromGoal(row.figure, row.goal), row.distance) << row.figure;
        EXPECT_EQ(reachesGoal(row.figure, row.goal), row.reached) << row.figure;
        // A grade's band holds the figures of that grade.
        EXPECT_TRUE(!row.goal.grade || (gradeOf(row.figure) == *row.goal.grade) == row.reached) << row.figure;
    }
}

// A 30 x 30 board around a path that winds across it.
void drawWindingPath(MazeBoard& board)
{
    ASSERT_TRUE(board.resize(30, 30));
    drawKeys(board, -1, 3, std::string(12, 'R') + std::string(20, 'D') + std::string(8, 'R') + std::string(14, 'U')
                               + std::string(11, 'R'));
    ASSERT_EQ(board.curX, 30);
}

TEST(ChoiceTest, KeepsTheFirstCandidateInTheBandOrElseTheNearest)
{
    RandomSource random, replayRandom;
    MazeBoard board(random), replay(replayRandom);
    drawWindingPath(board);
    drawWindingPath(replay);
    // Measured on this path: standard 280 ... 375, short dead ends 235 ... 289,
    // long corridors 520 ... 679: goals in reach and out of it.
    int reached = 0;
    for (const MazeStyle style : {MazeStyle::Standard, MazeStyle::ShortDeadEnds, MazeStyle::LongCorridors}) {
        for (const auto& [goal, stopAt] : {std::pair{DifficultyGoal{DifficultyGrade::Easy, 0, 20}, 0},
                 {DifficultyGoal{DifficultyGrade::Medium, 0, 20}, 0}, {DifficultyGoal{DifficultyGrade::Hard, 0, 20}, 0},
                 {DifficultyGoal{std::nullopt, 380, 20}, 0}, {DifficultyGoal{std::nullopt, 520, 30}, 0},
                 {DifficultyGoal{std::nullopt, 50000, 20}, 3}}) {
            SCOPED_TRACE(testing::Message() << styleName(style) << " goal " << goal.figure << " stop " << stopAt);
            board.setStyle(style);
            replay.setStyle(style);
            replayRandom.setState(random.state());
            const ChosenMaze chosen
                = chooseMaze(board, goal, makeCandidate, [&](int tries) { return stopAt == 0 || tries < stopAt; });
            // The same candidates, made one by one: the first in the band,
            // else the nearest, is on the board.
            std::vector<std::pair<int, Bytes>> made;
            for (int i = 0; i < chosen.tries; ++i) {
                replay.makeMaze();
                made.push_back({measureDifficulty(replay)->figure, replay.toFileBytes()});
            }
            EXPECT_EQ(random.state(), replayRandom.state()) << "the source goes on after the last candidate";
            const auto in = std::find_if(made.begin(), made.end(), [&](auto& m) { return reachesGoal(m.first, goal); });
            const auto kept = in != made.end() ? in : std::min_element(made.begin(), made.end(), [&](auto& a, auto& b) {
                return distanceFromGoal(a.first, goal) < distanceFromGoal(b.first, goal);
            });
            EXPECT_EQ(chosen.tries, in != made.end() ? in - made.begin() + 1 : stopAt ? stopAt : goal.tries);
            EXPECT_EQ(chosen.reached, in != made.end());
            reached += chosen.reached;
            ASSERT_TRUE(chosen.difficulty.has_value());
            EXPECT_EQ(chosen.difficulty->figure, kept->first);
            EXPECT_EQ(measureDifficulty(board), chosen.difficulty);
            EXPECT_EQ(board.toFileBytes(), kept->second) << "the kept maze is on the board";
        }
    }
    EXPECT_GE(reached, 4);
    EXPECT_LE(reached, 18 - 4);
}

TEST(ChoiceTest, BooksInTheirBandAndFromEasyToHard)
{
    RandomSource random;
    MazeBoard source(random);
    drawWindingPath(source);
    const Bytes file = source.toFileBytes();
    const auto book = [&](const MazeBatch& batch, std::vector<BookMaze>& mazes, int stopAfter = 1000) {
        RandomSource own;
        MazeBoard board(own);
        std::istringstream in(std::string(file.begin(), file.end()));
        EXPECT_TRUE(board.readFrom(in));
        std::vector<Bytes> made;
        const int done = makeMazeBatch(board, batch, [&](const BookMaze& maze) {
            EXPECT_EQ(maze.index, static_cast<int>(mazes.size()) + 1);
            EXPECT_EQ(maze.difficulty, measureDifficulty(board)) << "the figure is the board's maze's";
            mazes.push_back(maze);
            made.push_back(board.toFileBytes());
            return static_cast<int>(mazes.size()) < stopAfter;
        });
        EXPECT_EQ(done, batch.count < stopAfter ? batch.count : stopAfter - 1) << "the refused maze is not taken";
        std::sort(made.begin(), made.end());
        return made;
    };

    MazeBatch batch{10, MazeStyle::Uniform, 2718u};
    std::vector<BookMaze> plain, chosen, ordered, stopped, sorted;
    const auto plainMazes = book(batch, plain);
    for (const BookMaze& maze : plain)
        EXPECT_TRUE(maze.tries == 1 && maze.reached);

    // Uniform mazes on this path come out at 268 ... 401, so some first
    // candidates miss the band.
    const DifficultyGoal goal{std::nullopt, 340};
    batch.difficulty = goal;
    const auto chosenMazes = book(batch, chosen);
    EXPECT_FALSE(chosenMazes == plainMazes);
    batch.easyToHard = true;
    EXPECT_TRUE(book(batch, ordered) == chosenMazes) << "the same mazes, in another order";
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        ASSERT_TRUE(ordered[i].reached && ordered[i].difficulty);
        EXPECT_TRUE(reachesGoal(ordered[i].difficulty->figure, goal)) << ordered[i].difficulty->figure;
        EXPECT_TRUE(i == 0 || ordered[i - 1].difficulty->figure <= ordered[i].difficulty->figure);
    }
    book(batch, stopped, 3);
    EXPECT_EQ(stopped.size(), 3u);

    // Ordered without a goal: the plain book's mazes.
    batch.difficulty.reset();
    EXPECT_TRUE(book(batch, sorted) == plainMazes);
}

} // namespace
