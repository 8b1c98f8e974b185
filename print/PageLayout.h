#pragma once

#include "ExportSettings.h"

#include <QFont>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

struct MazeOutline;

// Where everything of a printed maze goes, in millimetres from the page's
// top-left corner. The puzzle page and the answer page share one layout, so
// the maze stands at the same place on both.
struct PageLayout {
    enum class Mark { None, House, Flag };

    // The start's and the goal's label beside an opening, with its arrow:
    // pointing in at the start, out at the goal. The label is words, or a
    // picture (a house at the start, a flag at the goal) in `box`.
    struct Label {
        QString text;
        Mark mark = Mark::None;
        QRectF textRect;
        // From the tail to the tip: a straight arrow, or where the label
        // stands above or below the maze, one that turns round to the gap.
        QPolygonF arrow;
    };

    QSizeF page;
    QRectF printable; // the page less its margins
    double cellMm = 0;
    double wallMm = 0;
    double answerMm = 0;
    QPointF gridOrigin; // the top-left corner of the grid
    int columns = 0;
    int rows = 0;

    // Title line: empty rectangle when there is none. Each page's title is
    // already shrunk and, if need be, elided to fit.
    QRectF titleRect;
    QString puzzleTitle;
    QString answerTitle;
    double puzzleTitlePt = 0;
    double answerTitlePt = 0;
    // Name line: the text and the rule to write on; empty when there is none.
    // Its room is kept on the answer page, so that the maze stands where it
    // does on the puzzle page, but it is written there only when asked for.
    QRectF nameTextRect;
    QLineF nameRule;
    double namePt = 0;
    bool nameOnAnswer = false;
    // The page number's room at the foot: empty when pages are not numbered.
    // The number itself is the page's, set by whoever lays out the pages.
    QRectF pageNumberRect;
    QString pageNumber;
    double pageNumberPt = 0;
    // A maze's own caption (its number or title) above it, on a page of
    // several mazes; empty when there is none.
    QRectF captionRect;
    QString caption;
    double captionPt = 0;
    // What is left for mazes once the title, name line and page number
    // have their room.
    QRectF mazeArea;

    // How hard the maze is, for the answer page: empty rectangle when it
    // is not printed. The puzzle page keeps the room empty.
    QRectF difficultyRect;
    QString difficultyText;
    double difficultyPt = 0;

    std::vector<Label> labels;
    double labelPt = 0;
    double arrowWidthMm = 0;
    // The maze with its labels: what a picture (SVG, PNG) shows.
    QRectF content;

    QRectF gridRect() const { return {gridOrigin, QSizeF(columns * cellMm, rows * cellMm)}; }
};

// The page layout: title and name line at the top of the printable area,
// the page number's room at its foot, the maze with its labels centred in
// what is left, its cells square and as large as fit. `furniture` false lays
// out a picture: the maze and its labels only, with the cell size the page
// would give it.
PageLayout layoutPage(const MazeOutline& maze, const ExportSettings& settings, const QSizeF& pageMm,
                      bool furniture = true);

// A page's title line, name line and page number's room without a maze,
// titled `puzzleTitle` on the puzzle page and `answerTitle` on the answer
// page (the title line is left out when both are empty).
PageLayout layoutFrame(const ExportSettings& settings, const QSizeF& pageMm, const QString& puzzleTitle,
                       const QString& answerTitle);

// Lays out `maze` with its labels, centred in `area` and as large as fits:
// where the area is taller than the maze's shape with its labels beside it,
// those labels move above or below the maze when that leaves it larger. A
// `caption` stands just above the maze.
void placeMaze(PageLayout& layout, const MazeOutline& maze, const ExportSettings& settings, const QRectF& area,
               const QString& caption = {});

// The wall thickness for a cell size: the share of the cell when one is
// set (within 15 ... 40 %, so that corridors never close), else the setting
// in millimetres (automatic when 0) within 0.1 ... 3 mm and never more than
// half a cell.
double wallThickness(double settingMm, double cellMm, double share = 0);

// The font of printed texts: IPAPGothic, or Noto Sans CJK JP where only that
// is installed, at the given size in points.
QFont printFont(double pointSize);
// A text's width in millimetres, set in `font`.
double textWidthMm(const QFont& font, const QString& text);
// How tall a text's letters stand, in millimetres: its ink, and at least the
// height of a capital letter.
double letterHeightMm(const QFont& font, const QString& text);

// The head of an arrow drawn `widthMm` thick along `arrow`'s last piece:
// tip, then the two corners of its base.
QPolygonF arrowHead(const QPolygonF& arrow, double widthMm);

// Cells smaller than this are hard to draw in; the export dialog warns.
constexpr double SmallCellMm = 2.0;
// Labels' letters are never smaller than this.
constexpr double SmallestLabelMm = 3.5;
// The white edge round a picture's content.
constexpr double PictureMarginMm = 3.0;
