#pragma once

#include "BitmapExport.h"
#include "ExportSettings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MazeBoard;
class QPagedPaintDevice;
struct BatchRoutes;
struct BookMaze;
struct MazeBatch;

// Writes mazes to files, for the window and the command line alike: a PDF
// of pages, or pictures (SVG, PNG, and the window's bitmap picture as BMP).
// Every file is written whole or not at all.
namespace ExportEngine {

// Maz writes the maze file itself, which holds its answer: a book of mazes
// as files to open in the window.
enum class Format { Pdf, Svg, Png, Bmp, Maz };

// The format a file name asks for, by its suffix (any case).
std::optional<Format> formatOf(const QString& fileName);
QString suffixOf(Format format);
Format formatFor(PictureFormat format);

// The files one export writes, in order. A PDF is the one file named; it
// holds every puzzle page, then every answer page. Pictures come one per
// maze and page: NAME.svg and NAME-answer.svg for one maze, NAME-001.svg,
// NAME-001-answer.svg, NAME-002.svg ... for several, or for one when
// `numbered` (a book); a maze file has no answer file. The number has at
// least three digits, all as many as the count needs: NAME-0001.svg ... for
// 1000.
QStringList targetFiles(const QString& target, Format format, std::size_t mazeCount, PageSet pages,
                        bool numbered = false);

// Something other than a regular file stands at this name (a folder, a
// device, a FIFO, a socket): it is refused and never opened.
bool isRefusedTarget(const QString& fileName);

struct Outcome {
    BitmapExport::Result result = BitmapExport::Result::Written;
    QString file; // the file that failed
    // Stopped on the way by the one who asked for it: nothing was written.
    bool cancelled = false;
    bool ok() const { return result == BitmapExport::Result::Written && !cancelled; }
};

// The message for a failed write: "ファイル %s を作成できません" with the file,
// or "ストリームへの書き込みエラー".
QString failureMessage(const Outcome& outcome);

// Writes mazes handed over one at a time, as a batch makes them, so that
// no more than one maze is kept whole: its pictures are written as it comes,
// a PDF paints each page as soon as its mazes are there and keeps only the
// outlines of mazes whose pages are still to come (see
// MazePrint::PageStream). A writer dropped before finish() writes nothing.
// Every file is written in full beside its target first; the targets are
// replaced only when all of them are written (see StagedFiles), so a failure
// on the way leaves every target as it was.
class Writer {
public:
    // `count` mazes will come. `book`: the files are numbered even for one
    // maze, and so are the titles (ExportSettings::numbered).
    Writer(const ExportSettings& settings, Format format, const QString& target, std::size_t count,
           bool book = false);
    // The pages on a printer (or any paged device) instead, laid out on its
    // paper: pages `firstPage` ... `lastPage` (from 1; 0 for all).
    Writer(const ExportSettings& settings, QPagedPaintDevice& printer, std::size_t count, bool book = false,
           int firstPage = 0, int lastPage = 0);
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Not ok when a target is refused (checked before anything is drawn) or
    // once anything failed.
    const Outcome& outcome() const;
    // Draws the next maze; false once anything failed.
    bool add(const MazeBoard& maze);
    // Writes what is left and puts every file in place.
    Outcome finish();
    // Hears after every page painted; false stops the writer, which then
    // writes nothing (its outcome says cancelled).
    void onPage(std::function<bool()> keepGoing);
    // The pages it paints as the mazes come: a PDF's or the printer's; 0
    // for pictures, which are written with their maze.
    std::size_t pageCount() const;

private:
    struct Data;
    std::unique_ptr<Data> d_;
};

// Writes `mazes` to `target` in `format`. Nothing is written when a target
// is refused, and a failure while writing leaves every target as it was.
Outcome write(const std::vector<const MazeBoard*>& mazes, const ExportSettings& settings, Format format,
              const QString& target);

// How far a book has come: steps done of all its steps (each maze made, and
// each page painted).
struct Progress {
    std::size_t done = 0;
    std::size_t total = 0;
};

// A book: `batch.count` mazes made around the path on `board` (which ends
// holding the last of them) and handed to `writer` one by one, then
// finished. What --batch and the window's book maker both do. `keepGoing`
// hears after every step; false stops the book, and nothing is written.
// `made` hears of each maze as it is handed over (its number in the book
// and its difficulty); with `routes` every maze gets a route of its own.
Outcome writeBook(MazeBoard& board, const MazeBatch& batch, Writer& writer,
                  const std::function<bool(const Progress&)>& keepGoing = {},
                  const std::function<void(const BookMaze&)>& made = {}, BatchRoutes* routes = nullptr);

} // namespace ExportEngine
