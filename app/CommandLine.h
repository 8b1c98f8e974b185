#pragma once

#include "ExportEngine.h"
#include "ExportSettings.h"
#include "maze_choice.h"
#include "maze_batch.h"
#include "maze_style.h"
#include "route_maker.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class MazeBoard;
class QTextStream;

// The program without its window: `zubelo --export OUT IN.maz [options]`
// writes a maze file as PDF, SVG, PNG or BMP, `zubelo --batch N IN.maz
// --export OUT [options]` makes N mazes around the file's path and writes
// them all (as maze files too), with --random-route each around a route of
// its own (--size WxH then stands for IN.maz), and `zubelo --help` lists the
// options.
// Three pieces, each usable alone: parse() turns the arguments into a
// checked request, execute() carries one out through ExportEngine, and run()
// is the whole program (no display needed).
namespace CommandLine {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

// Whether these arguments are for the command line rather than the window.
// Looked at before any application object exists, so that no display is
// opened for an export.
bool wantsConsole(int argc, char** argv);

struct Request {
    bool help = false;
    QString target; // --export OUT
    ExportEngine::Format format = ExportEngine::Format::Pdf;
    QString input; // IN.maz
    ExportSettings settings;
    int batch = 0; // --batch N; 0: the one maze of the file
    std::optional<MazeStyle> style;
    std::optional<std::uint32_t> seed; // none: a new one each run
    std::optional<DifficultyGoal> difficulty; // --difficulty: each maze chosen from candidates
    std::optional<int> tries;                 // --tries: candidates per maze at most
    bool easyToHard = false;                  // --order easy-to-hard
    bool randomRoute = false;          // --random-route: a route of its own for every maze
    RouteSettings route;               // --route-length, --twist, --from, --to
    QString routeOption;               // the first of those four given
    std::optional<BoardSize> size;     // --size WxH: an empty board instead of IN.maz
    bool firstPageGiven = false;       // --first-page, which --first then leaves alone
    QString shape;                     // --shape: a ready-made shape's name or a picture file
    QString shapeText;                 // --shape-text: the letters of a word
    std::optional<int> shapeThreshold; // --shape-threshold: the ink a picture's cell needs
    bool shapeInvert = false;          // --shape-invert
    int centreRoom = 0;                // --centre-room N: a room of N x N cells in the middle
    QString shapeOption;               // the first of those five given
};

struct Parsed {
    std::optional<Request> request;
    QString error; // one line, when there is no request
};

// `arguments` as the program got them, its own name first.
Parsed parse(const QStringList& arguments);

QString helpText();

// Reads the maze file and writes the export; a failure is one line on `err`.
// A batch says on `out` the seed it was made from ("seed S"), so that the
// same command with --seed S makes it again, then one line per maze in the
// book's order, "maze N GRADE FIGURE" (GRADE easy, medium or hard, in every
// language; "none 0" for a maze without a way through). A difficulty band
// that some mazes did not reach is one line on `err`, not a failure.
int execute(const Request& request, QTextStream& out, QTextStream& err);

// Gives `board` the shape the request asks for, if any, before a batch: a
// picture that cannot be read is a Failure, a shape that is not one region
// or that would cut the drawn path (unless every maze gets a route of its
// own) a UsageError, each one line on `err`; the board is then unchanged.
int shapeBoard(const Request& request, MazeBoard& board, QTextStream& err);

// The command-line program: the offscreen platform unless another is
// chosen, the application object, then parse and execute.
int run(int argc, char** argv);

} // namespace CommandLine
