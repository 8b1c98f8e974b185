#pragma once

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class QSettings;

// Which pages a print or an export gives: the puzzle, its answer, or both.
enum class PageSet { Both, Puzzle, Answer };
enum class PageKind { Puzzle, Answer };
// What the export dialog writes.
enum class PictureFormat { Pdf, Svg, Png };
// What marks the start and the goal: words, or a small picture of a house
// (the start) and a flag (the goal).
enum class LabelKind { Words, Pictures };

// Everything the user chooses about a printed maze. The same settings serve
// the printer, the PDF and the pictures; a picture ignores the title, the
// name line, the margins and the pages' arrangement.
struct ExportSettings {
    // "%n" in the title is the maze's number in the book and "%%" a percent
    // sign; a title without "%n" is printed as it is (see titleOf).
    QString title;
    bool nameLine = false;
    // The name line on answer pages too; else only on puzzle pages.
    bool nameLineOnAnswers = false;
    bool labels = true;
    // The answer page says how hard the maze is, below the maze.
    bool difficulty = false;
    LabelKind labelKind = LabelKind::Words;
    // The words at the start and the goal; empty: "スタート" and "ゴール" in
    // the interface's language.
    QString startText;
    QString goalText;
    // 0 means automatic: an eighth of a cell, at least 0.25 mm.
    double wallMm = 0;
    // The wall as a share of the cell (within MinWallShare ... MaxWallShare),
    // which then wins over wallMm; 0: not used.
    double wallShare = 0;
    QPageSize paper = QPageSize(QPageSize::A4);
    bool landscape = false;
    double marginMm = 15;
    PageSet pages = PageSet::Both;
    // Mazes on one puzzle page (1, 2, 4 or 6) and on one answer page (1, 2,
    // 4, 6 or 9).
    int perPage = 1;
    int answersPerPage = 1;
    bool pageNumbers = false;
    // The number of the first maze and of the first page, so that a book
    // made in parts numbers on.
    int firstNumber = 1;
    int firstPage = 1;
    int dpi = 300;
    PictureFormat format = PictureFormat::Pdf;
    // A book of mazes: each maze's title carries its number, "title 1",
    // "title 2" ..., or the number alone when there is no title, so that
    // every answer page names its puzzle. Set for one export, never
    // remembered.
    bool numbered = false;

    static constexpr double MinWallMm = 0.1;
    static constexpr double MaxWallMm = 3.0;
    static constexpr double MinWallShare = 0.15;
    static constexpr double MaxWallShare = 0.40;
    static constexpr double MaxMarginMm = 50;
    static constexpr double MinPaperMm = 50;
    static constexpr double MaxPaperMm = 1500;
    static constexpr int MinDpi = 72;
    static constexpr int MaxDpi = 600;
    static constexpr int MaxFirst = 99999;

    // The paper, turned as chosen, without margins of its own: the layout
    // keeps the margins itself.
    QPageLayout pageLayout() const;
    QSizeF pageMm() const;
    std::vector<PageKind> pageKinds() const;
    // The same settings with every number inside its range.
    ExportSettings clamped() const;
    // The settings of maze `index` (from 0) of a document: its own title.
    ExportSettings forMaze(std::size_t index) const;
    // Mazes on a page of this kind.
    int slotsPerPage(PageKind kind) const;
    // Whether every maze shows its number: in a book, on pages of several
    // mazes, or by "%n" in the title.
    bool showsNumbers() const;
    // The number printed for maze `index` (from 0).
    int numberOf(std::size_t index) const;

    bool operator==(const ExportSettings&) const = default;
};

// Per-page counts offered: puzzle pages, answer pages.
const std::vector<int>& perPageChoices();
const std::vector<int>& answersPerPageChoices();

// The title with its number: "%n" becomes `number`, "%%" a percent sign; any
// other "%" stays as it is.
QString expandTitle(const QString& title, int number);
QString expandTitle(const QString& title, const QString& number);
// Whether the title has a "%n" (a "%%n" is a percent sign and an n).
bool isTitleTemplate(const QString& title);

// The paper sizes offered, by the names the dialog and the command line
// show. B5, B4 and B6 are the Japanese (JIS) sizes that schools and books
// use; the sizes in inches are the common book trims.
struct PaperChoice {
    const char* name;
    QPageSize size;
};
const std::vector<PaperChoice>& paperChoices();
// A name from the choices (any case), or a size "WxHmm" / "WxHin" (152x229mm,
// 6x9in) within MinPaperMm ... MaxPaperMm a side, always taken upright.
std::optional<QPageSize> paperByName(const QString& name);
// The choice's name, or the size as "WxHmm" or "WxHin" as it was given.
QString paperName(const QPageSize& paper);
// The paper a first run offers: Letter where the locale's country uses it
// (the United States, Canada, Mexico, the Philippines ...), A4 elsewhere.
QPageSize::PageSizeId defaultPaper(const QLocale& locale);

// The names of page sets as the command line and the settings file spell them.
std::optional<PageSet> pageSetByName(const QString& name);
QString pageSetName(PageSet pages);

// The layout choices (format, pages, paper, margins, mazes a page, page
// numbers, walls, resolution), remembered between runs as the defaults for
// every maze, in the group "export/". A paper never chosen is the locale's
// (defaultPaper of the system's locale, or of `locale`). The maze's own
// choices come out as they are for a new maze.
ExportSettings readExportSettings(QSettings& settings);
ExportSettings readExportSettings(QSettings& settings, const QLocale& locale);
void writeExportSettings(QSettings& settings, const ExportSettings& values);

// The choices that belong to one maze and stay with it, never carried into
// another: its title, its name line and its labels. `into` takes those of
// `from` and keeps its own layout choices.
void takeMazeChoices(ExportSettings& into, const ExportSettings& from);
// Remembered for one maze file, in the group "export/m<digest of its path>";
// false, and `into` as it was, when the file has none.
bool readMazeChoices(QSettings& settings, const QString& mazeFile, ExportSettings& into);
// Those of `values` remembered for `mazeFile`; a maze with the choices a new
// one has leaves nothing behind.
void writeMazeChoices(QSettings& settings, const QString& mazeFile, const ExportSettings& values);
