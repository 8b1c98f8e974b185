#pragma once

#include "ExportSettings.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

struct MazeOutline;

// Where everything of a printed maze goes, in millimetres from the page's
// top-left corner. The puzzle page and the answer page share one layout, so
// the maze stands at the same place on both.
struct PageLayout {
    // "スタート" or "ゴール" beside an opening, with its arrow: pointing in
    // at the start, out at the goal.
    struct Label {
        QString text;
        QRectF textRect;
        QLineF arrow; // from the tail to the tip
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
    QRectF nameTextRect;
    QLineF nameRule;
    double namePt = 0;

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
// the maze with its labels centred in what is left, its cells square and as
// large as fit. `furniture` false lays out a picture: the maze
// and its labels only, with the cell size the page would give it.
PageLayout layoutPage(const MazeOutline& maze, const ExportSettings& settings, const QSizeF& pageMm,
                      bool furniture = true);

// The wall thickness for a cell size: the setting (automatic when 0),
// within 0.1 ... 3 mm and never more than half a cell.
double wallThickness(double settingMm, double cellMm);

// The font of printed texts: IPAPGothic, or Noto Sans CJK JP where only that
// is installed, at the given size in points.
QFont printFont(double pointSize);
// A text's width in millimetres, set in `font`.
double textWidthMm(const QFont& font, const QString& text);

// Cells smaller than this are hard to draw in; the export dialog warns.
constexpr double SmallCellMm = 2.0;
// The white edge round a picture's content.
constexpr double PictureMarginMm = 3.0;
