#pragma once

#include <optional>
#include <string_view>

class MazeBoard;

// How hard a made maze is to solve, as one number a person can picture: how
// far a searcher who can see a few cells ahead can expect to walk from one
// opening to the other.
//
// The searcher walks from the entrance. Everything within GlanceCells cells
// of where it stands it sees at a glance: a side passage that ends within
// that reach costs it nothing, and once the exit is within that reach it
// walks straight out. Any other side passage off the answer it tries before
// the right way with probability 1/2 (it takes its ways in random order), and
// a passage it tries it walks until it sees all its ends, then walks back.
// Its walk is the expected number of cells it steps on, a cell counted again
// each time it is passed: the answer's cells, plus, for each side passage
// not seen at a glance, half of the way in and back.
//
// That comes to a count: the answer's cells, plus every cell off the answer
// from which its passage still runs GlanceCells or more cells further away
// from the answer (where the searcher cannot yet see the end), except those
// whose passage leaves the answer within sight of the exit.
//
// A saved maze does not keep which opening the path was drawn from, so the
// figure is the mean of the walks from either opening, halves rounded up: the
// same maze has the same figure however it was made or read.
//
// Only the cells reachable from the openings take part, so cells left out of
// the maze or closed off from it never count. In a maze with loops, which
// only a hand-made file can hold, the answer is a shortest route and each
// other cell belongs to the passage a breadth-first walk reaches it by.
enum class DifficultyGrade { Easy, Medium, Hard };

struct MazeDifficulty {
    int figure = 0;       // the searcher's expected walk, in cells
    int answerLength = 0; // cells of the route from the entrance to the exit
    int cells = 0;        // cells reachable from the openings
    DifficultyGrade grade = DifficultyGrade::Easy;
    bool operator==(const MazeDifficulty&) const = default;
};

// The searcher's reach, in cells; measureDifficulty takes any reach up to
// MaxGlance.
inline constexpr int GlanceCells = 4;
inline constexpr int MaxGlance = 63;

// The grades' bands of the figure: easy below EasyBelow, hard from HardFrom
// on, medium between. Measured (bench/difficulty_survey) around drawn paths
// one and a half board widths long, the median standard maze is easy on
// boards up to 15 x 15, medium from 16 x 16 to 26 x 26 and hard from 27 x 27
// on; short dead ends come out about two sizes easier, long corridors are
// hard from about 21 x 21 on.
inline constexpr int EasyBelow = 100;
inline constexpr int HardFrom = 300;
DifficultyGrade gradeOf(int figure);

// The grade's name for scripts and the command line, in every interface
// language: "easy", "medium", "hard".
std::string_view gradeName(DifficultyGrade grade);
std::optional<DifficultyGrade> gradeFromName(std::string_view name);

// The figure of the board's made maze, or nothing when the maze has no way
// through: no drawn path in one piece that enters and leaves it, or no open
// route between the path's first and last cells. The path's ends are read
// from its crossings alone (a read maze starts its path anew at (-1, 0)).
// `glance` is the searcher's reach.
std::optional<MazeDifficulty> measureDifficulty(const MazeBoard& board, int glance = GlanceCells);
