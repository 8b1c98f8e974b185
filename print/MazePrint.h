#pragma once

#include "ExportSettings.h"
#include "PageLayout.h"

#include <QImage>
#include <QSize>

#include <cstddef>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
struct MazeOutline;

// The printed forms of mazes, all painted by paintPage from the mazes'
// outlines: pages on a printer or in a PDF, and pictures (SVG, PNG) of one
// maze cropped to the maze and its labels.
namespace MazePrint {

// A PDF page is 1/1200 inch fine; an SVG unit is 0.1 mm.
constexpr int PdfDpi = 1200;
constexpr int SvgDpi = 254;

struct Page {
    std::size_t maze;
    PageKind kind;
};
// The pages of a document of several mazes: every puzzle page first, then
// every answer page, each in the mazes' order.
std::vector<Page> documentPages(std::size_t mazeCount, PageSet pages);

// Paints pages `first` ... `last` (counted from 1; 0 for all) on a printer or
// a PDF writer, each laid out on the device's own paper. False when the
// device cannot be painted on.
bool paintDocument(QPagedPaintDevice& device, const std::vector<MazeOutline>& mazes,
                   const ExportSettings& settings, int first = 0, int last = 0);
bool writePdf(QIODevice& out, const std::vector<MazeOutline>& mazes, const ExportSettings& settings);

// A picture's layout, and the part of the page it shows: the maze with its
// labels and a small white edge.
PageLayout pictureLayout(const MazeOutline& maze, const ExportSettings& settings);
QRectF pictureFrame(const PageLayout& layout);
// The picture on white, at `dpi` dots per inch; a null image when there is
// not the memory for it.
QImage renderPicture(const MazeOutline& maze, PageKind kind, const ExportSettings& settings, double dpi);
bool writeSvg(QIODevice& out, const MazeOutline& maze, PageKind kind, const ExportSettings& settings);
bool writePng(QIODevice& out, const MazeOutline& maze, PageKind kind, const ExportSettings& settings);

// What the export dialog shows: the first page as it will be written (the
// page of a PDF, the picture of an SVG or PNG), scaled to fit `bounds`.
QImage previewFirstPage(const MazeOutline& maze, const ExportSettings& settings, const QSize& bounds);

} // namespace MazePrint
