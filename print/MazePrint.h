#pragma once

#include "ExportSettings.h"
#include "PageLayout.h"
#include "SheetLayout.h"

#include <QImage>
#include <QPainter>
#include <QSize>

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPdfWriter;
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
// The pages of a document of several mazes, one maze a page: every puzzle
// page first, then every answer page, each in the mazes' order.
std::vector<Page> documentPages(std::size_t mazeCount, PageSet pages);
// The same as the settings arrange them, several mazes a page where asked.
std::vector<SheetPage> documentPages(std::size_t mazeCount, const ExportSettings& settings);

// Paints a document's pages on a printer or a PDF writer as its mazes come,
// one at a time: each page as soon as its mazes are there, so that a book
// keeps only the outlines its pages still need (for the answer pages after
// the puzzles, those of the answers). Pages `first` ... `last` (counted from
// 1; 0 for all) are painted, each laid out on the device's own paper.
class PageStream {
public:
    PageStream(QPagedPaintDevice& device, const ExportSettings& settings, std::size_t count, int first = 0,
               int last = 0);
    PageStream(const PageStream&) = delete;
    PageStream& operator=(const PageStream&) = delete;
    ~PageStream();

    // False once the device cannot be painted on.
    bool ok() const { return ok_; }
    bool add(const MazeOutline& maze);
    // Paints what is left; false if anything failed or mazes are missing.
    bool finish();
    // The outlines held for pages still to come.
    std::size_t kept() const { return kept_.size(); }
    // Hears after every page; false stops the stream (cancelled()).
    void onPage(std::function<bool()> keepGoing) { keepGoing_ = std::move(keepGoing); }
    bool cancelled() const { return cancelled_; }

private:
    void paintReadyPages();

    QPagedPaintDevice& device_;
    ExportSettings settings_;
    std::vector<SheetPage> pages_;
    std::size_t count_;
    int first_;
    int last_;
    std::size_t received_ = 0;
    std::size_t nextPage_ = 0;
    bool painted_ = false;
    bool ok_ = false;
    bool finished_ = false;
    bool cancelled_ = false;
    std::function<bool()> keepGoing_;
    std::map<std::size_t, MazeOutline> kept_;
    QPainter painter_;
};

// Paints pages `first` ... `last` (counted from 1; 0 for all) on a printer or
// a PDF writer, each laid out on the device's own paper. False when the
// device cannot be painted on.
bool paintDocument(QPagedPaintDevice& device, const std::vector<MazeOutline>& mazes,
                   const ExportSettings& settings, int first = 0, int last = 0);
bool writePdf(QIODevice& out, const std::vector<MazeOutline>& mazes, const ExportSettings& settings);
// How a PDF writer is set up for a document of `count` mazes: resolution,
// paper, creator and title.
void setUpPdf(QPdfWriter& writer, const ExportSettings& settings, std::size_t count);

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
// Page `page` of a PDF, its own mazes being `mazes`, scaled to fit `bounds`.
QImage previewPage(const std::vector<const MazeOutline*>& mazes, const ExportSettings& settings,
                   const SheetPage& page, const QSize& bounds);

} // namespace MazePrint
