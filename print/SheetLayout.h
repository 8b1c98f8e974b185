#pragma once

#include "ExportSettings.h"
#include "PageLayout.h"

#include <cstddef>
#include <vector>

class QPainter;
struct DeviceMapping;
struct MazeOutline;

// The pages of a document of several mazes: which mazes each page holds and
// where they stand on it. A page of one maze is the page layoutPage gives;
// a page of several has its title and name line once at the top and the
// mazes in a grid of equal places, each under its number, the same numbers
// on the puzzle pages and the answer pages.

struct SheetPage {
    PageKind kind = PageKind::Puzzle;
    std::size_t first = 0; // the page's first maze, from 0
    std::size_t count = 0; // how many mazes it holds
    int index = 0;         // the page's place in the document, from 0
};

// Every puzzle page first, then every answer page, each in the mazes' order.
std::vector<SheetPage> sheetPages(std::size_t mazeCount, const ExportSettings& settings);

struct SheetLayout {
    // The page's title, name line and page number; for a page of one maze,
    // the whole page with its maze.
    PageLayout frame;
    // The mazes of a page of several, in their order, each with its caption.
    std::vector<PageLayout> places;
};

// The layout of `page`, whose mazes are `mazes` (page.count of them, the
// page's own), on a page `pageMm` large.
SheetLayout layoutSheet(const std::vector<const MazeOutline*>& mazes, const ExportSettings& settings,
                        const SheetPage& page, const QSizeF& pageMm);

// Paints the page as laid out, its mazes being `mazes`.
void paintSheet(QPainter& painter, const SheetLayout& layout, const std::vector<const MazeOutline*>& mazes,
                PageKind kind, const DeviceMapping& mapping);

// The smallest cell of any maze on the page.
double smallestCellMm(const SheetLayout& layout);
