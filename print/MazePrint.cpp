#include "MazePrint.h"

#include "PagePainter.h"
#include "PrintTexts.h"
#include "maze_outline.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtMath>

#include <algorithm>
#include <map>

namespace MazePrint {

namespace {

QImage blankImage(const QSize& size, double dotsPerMm)
{
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDotsPerMeterX(qRound(dotsPerMm * 1000));
    image.setDotsPerMeterY(qRound(dotsPerMm * 1000));
    image.fill(Qt::white);
    return image;
}

// The picture painted onto an image `dotsPerMm` fine.
QImage paintPicture(const PageLayout& layout, const MazeOutline& maze, PageKind kind, double dotsPerMm)
{
    const QRectF frame = pictureFrame(layout);
    QImage image = blankImage(QSize(qRound(frame.width() * dotsPerMm), qRound(frame.height() * dotsPerMm)),
                              dotsPerMm);
    if (image.isNull())
        return image;
    // The image's own resolution, which is what its fonts are sized by.
    const double dots = image.dotsPerMeterX() / 1000.0;
    QPainter painter(&image);
    paintPage(painter, layout, maze, kind, {dots, frame.topLeft()});
    return image;
}

} // namespace

std::vector<Page> documentPages(std::size_t mazeCount, PageSet pages)
{
    ExportSettings which;
    which.pages = pages;
    std::vector<Page> out;
    for (const PageKind kind : which.pageKinds())
        for (std::size_t i = 0; i < mazeCount; ++i)
            out.push_back({i, kind});
    return out;
}

std::vector<SheetPage> documentPages(std::size_t mazeCount, const ExportSettings& settings)
{
    return sheetPages(mazeCount, settings);
}

PageStream::PageStream(QPagedPaintDevice& device, const ExportSettings& settings, std::size_t count, int first,
                       int last)
    : device_(device)
    , settings_(settings.clamped())
    , pages_(sheetPages(count, settings_))
    , count_(count)
    , first_(std::max(first, 1))
    , last_(last <= 0 ? static_cast<int>(pages_.size()) : std::min(last, static_cast<int>(pages_.size())))
{
    ok_ = painter_.begin(&device_);
}

PageStream::~PageStream()
{
    if (painter_.isActive())
        painter_.end();
}

bool PageStream::add(const MazeOutline& maze)
{
    if (!ok_ || finished_ || received_ == count_)
        return ok_ = false;
    kept_.emplace(received_++, maze);
    paintReadyPages();
    return ok_;
}

void PageStream::paintReadyPages()
{
    const QPageLayout paper = device_.pageLayout();
    const QSizeF pageMm = paper.fullRect(QPageLayout::Millimeter).size();
    const DeviceMapping mapping{device_.logicalDpiX() / 25.4, paper.paintRect(QPageLayout::Millimeter).topLeft()};
    while (ok_ && nextPage_ < pages_.size() && pages_[nextPage_].first + pages_[nextPage_].count <= received_) {
        const SheetPage& page = pages_[nextPage_++];
        const int number = page.index + 1;
        if (number >= first_ && number <= last_) {
            if (painted_ && !device_.newPage()) {
                ok_ = false;
                break;
            }
            painted_ = true;
            std::vector<const MazeOutline*> mazes;
            for (std::size_t i = page.first; i < page.first + page.count; ++i)
                mazes.push_back(&kept_.at(i));
            paintSheet(painter_, layoutSheet(mazes, settings_, page, pageMm), mazes, page.kind, mapping);
        }
        if (keepGoing_ && !keepGoing_()) {
            cancelled_ = true;
            ok_ = false;
        }
    }
    // What no page still to come holds is let go.
    std::size_t needed = received_;
    for (std::size_t p = nextPage_; p < pages_.size(); ++p)
        needed = std::min(needed, pages_[p].first);
    kept_.erase(kept_.begin(), kept_.lower_bound(needed));
}

bool PageStream::finish()
{
    if (finished_)
        return ok_;
    finished_ = true;
    if (received_ != count_)
        ok_ = false;
    kept_.clear();
    const bool ended = painter_.isActive() && painter_.end();
    return ok_ = ok_ && ended;
}

bool paintDocument(QPagedPaintDevice& device, const std::vector<MazeOutline>& mazes, const ExportSettings& settings,
                   int first, int last)
{
    PageStream stream(device, settings, mazes.size(), first, last);
    for (const MazeOutline& maze : mazes)
        if (!stream.add(maze))
            break;
    return stream.finish();
}

void setUpPdf(QPdfWriter& writer, const ExportSettings& settings, std::size_t count)
{
    writer.setResolution(PdfDpi);
    writer.setPageLayout(settings.clamped().pageLayout());
    writer.setCreator(QStringLiteral("Zubelo"));
    // A numbering title names the document by the numbers it holds: "めいろ 1〜30".
    const int first = settings.clamped().numberOf(0);
    const int last = settings.clamped().numberOf(std::max<std::size_t>(count, 1) - 1);
    const QString title = isTitleTemplate(settings.title)
                              ? expandTitle(settings.title, PrintTexts::numberRange(first, last))
                              : settings.title;
    writer.setTitle(title);
}

bool writePdf(QIODevice& out, const std::vector<MazeOutline>& mazes, const ExportSettings& settings)
{
    QPdfWriter writer(&out);
    setUpPdf(writer, settings, mazes.size());
    return paintDocument(writer, mazes, settings);
}

namespace {

// The title as QSvgGenerator should be given it. Qt 6.4 writes the title into
// the file as it is, so a title with "<" or "&" made a file no SVG reader
// opens; a Qt that escapes it itself is given it unchanged.
QString svgTitle(const QString& title)
{
    static const bool qtEscapes = [] {
        QBuffer probe;
        probe.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&probe);
        svg.setTitle(QStringLiteral("&"));
        QPainter painter(&svg);
        painter.end();
        return probe.data().contains("&amp;");
    }();
    return qtEscapes ? title : title.toHtmlEscaped();
}

// `text` without the characters XML 1.0 forbids (the C0 controls but tab,
// line feed and carriage return; U+FFFE and U+FFFF; halves of surrogate
// pairs standing alone): with them no XML reader takes the file.
QString xmlText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[++i];
        } else if (c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xD800) || (c >= 0xE000 && c < 0xFFFE)) {
            out += text[i];
        }
    }
    return out;
}

} // namespace

PageLayout pictureLayout(const MazeOutline& maze, const ExportSettings& settings)
{
    return layoutPage(maze, settings, settings.clamped().pageLayout().fullRect(QPageLayout::Millimeter).size(), false);
}

QRectF pictureFrame(const PageLayout& layout)
{
    return layout.content.adjusted(-PictureMarginMm, -PictureMarginMm, PictureMarginMm, PictureMarginMm);
}

QImage renderPicture(const MazeOutline& maze, PageKind kind, const ExportSettings& settings, double dpi)
{
    return paintPicture(pictureLayout(maze, settings), maze, kind, dpi / 25.4);
}

bool writeSvg(QIODevice& out, const MazeOutline& maze, PageKind kind, const ExportSettings& given)
{
    // The title is the one text of the user's in the file: on the page and
    // as the file's title.
    ExportSettings settings = given;
    settings.title = xmlText(given.title);
    const PageLayout layout = pictureLayout(maze, settings);
    const QRectF frame = pictureFrame(layout);
    const double dotsPerMm = SvgDpi / 25.4;
    const QSize size(qCeil(frame.width() * dotsPerMm), qCeil(frame.height() * dotsPerMm));
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setResolution(SvgDpi);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(svgTitle(settings.title.isEmpty() ? QStringLiteral("Zubelo") : settings.title));
    svg.setDescription(QStringLiteral("Zubelo"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintPage(painter, layout, maze, kind, {dotsPerMm, frame.topLeft()});
    return painter.end();
}

bool writePng(QIODevice& out, const MazeOutline& maze, PageKind kind, const ExportSettings& settings)
{
    const QImage image = renderPicture(maze, kind, settings, settings.clamped().dpi);
    if (image.isNull())
        return false;
    QImageWriter writer(&out, "png");
    return writer.write(image);
}

QImage previewFirstPage(const MazeOutline& maze, const ExportSettings& settings, const QSize& bounds)
{
    const PageKind kind = settings.pageKinds().front();
    if (settings.format != PictureFormat::Pdf) {
        const PageLayout layout = pictureLayout(maze, settings);
        const QSizeF frame = pictureFrame(layout).size();
        const double scale = std::min(bounds.width() / frame.width(), bounds.height() / frame.height());
        return paintPicture(layout, maze, kind, scale);
    }
    return previewPage({&maze}, settings, sheetPages(1, settings).front(), bounds);
}

QImage previewPage(const std::vector<const MazeOutline*>& mazes, const ExportSettings& settings,
                   const SheetPage& page, const QSize& bounds)
{
    const QSizeF pageMm = settings.pageMm();
    const double scale = std::min(bounds.width() / pageMm.width(), bounds.height() / pageMm.height());
    QImage image = blankImage(QSize(qRound(pageMm.width() * scale), qRound(pageMm.height() * scale)), scale);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    paintSheet(painter, layoutSheet(mazes, settings, page, pageMm), mazes, page.kind,
               {image.dotsPerMeterX() / 1000.0, {}});
    return image;
}

} // namespace MazePrint
