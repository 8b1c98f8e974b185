#pragma once

#include <QPageLayout>
#include <QPageSize>
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

// Everything the user chooses about a printed maze. The same settings serve
// the printer, the PDF and the pictures; a picture ignores the title, the
// name line and the margins.
struct ExportSettings {
    QString title;
    bool nameLine = false;
    bool labels = true;
    // The answer page says how hard the maze is, below the maze.
    bool difficulty = false;
    // 0 means automatic: an eighth of a cell, at least 0.25 mm.
    double wallMm = 0;
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool landscape = false;
    double marginMm = 15;
    PageSet pages = PageSet::Both;
    int dpi = 300;
    PictureFormat format = PictureFormat::Pdf;
    // A book of mazes: each maze's title carries its number, "title 1",
    // "title 2" ..., or the number alone when there is no title, so that
    // every answer page names its puzzle. Set for one export, never
    // remembered.
    bool numbered = false;

    static constexpr double MinWallMm = 0.1;
    static constexpr double MaxWallMm = 3.0;
    static constexpr double MaxMarginMm = 50;
    static constexpr int MinDpi = 72;
    static constexpr int MaxDpi = 600;

    // The paper, turned as chosen, without margins of its own: the layout
    // keeps the margins itself.
    QPageLayout pageLayout() const;
    std::vector<PageKind> pageKinds() const;
    // The same settings with every number inside its range.
    ExportSettings clamped() const;
    // The settings of maze `index` (from 0) of a document: its own title.
    ExportSettings forMaze(std::size_t index) const;

    bool operator==(const ExportSettings&) const = default;
};

// The paper sizes offered, by the names the dialog and the command line
// show. B5 and B4 are the Japanese (JIS) sizes that schools print on.
struct PaperChoice {
    const char* name;
    QPageSize::PageSizeId id;
};
const std::vector<PaperChoice>& paperChoices();
std::optional<QPageSize::PageSizeId> paperByName(const QString& name);
QString paperName(QPageSize::PageSizeId id);

// The names of page sets as the command line and the settings file spell them.
std::optional<PageSet> pageSetByName(const QString& name);
QString pageSetName(PageSet pages);

// Remembered between runs, in the group "export/".
ExportSettings readExportSettings(QSettings& settings);
void writeExportSettings(QSettings& settings, const ExportSettings& values);
