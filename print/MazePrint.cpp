#include "MazePrint.h"

#include "PagePainter.h"
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

bool paintDocument(QPagedPaintDevice& device, const std::vector<MazeOutline>& mazes, const ExportSettings& settings,
                   int first, int last)
{
    const std::vector<Page> pages = documentPages(mazes.size(), settings.pages);
    first = std::max(first, 1);
    last = last <= 0 ? static_cast<int>(pages.size()) : std::min(last, static_cast<int>(pages.size()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QPageLayout paper = device.pageLayout();
    const QSizeF pageMm = paper.fullRect(QPageLayout::Millimeter).size();
    const DeviceMapping mapping{device.logicalDpiX() / 25.4, paper.paintRect(QPageLayout::Millimeter).topLeft()};
    std::map<std::size_t, PageLayout> layouts;
    bool ok = true;
    for (int n = first; n <= last && ok; ++n) {
        const Page& page = pages[static_cast<std::size_t>(n - 1)];
        if (n > first)
            ok = device.newPage();
        auto found = layouts.find(page.maze);
        if (found == layouts.end())
            found = layouts.emplace(page.maze, layoutPage(mazes[page.maze], settings.forMaze(page.maze), pageMm)).first;
        paintPage(painter, found->second, mazes[page.maze], page.kind, mapping);
    }
    return painter.end() && ok;
}

bool writePdf(QIODevice& out, const std::vector<MazeOutline>& mazes, const ExportSettings& settings)
{
    QPdfWriter writer(&out);
    writer.setResolution(PdfDpi);
    writer.setPageLayout(settings.clamped().pageLayout());
    writer.setCreator(QStringLiteral("Zubelo"));
    writer.setTitle(settings.title);
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
    const QSizeF page = settings.clamped().pageLayout().fullRect(QPageLayout::Millimeter).size();
    const double scale = std::min(bounds.width() / page.width(), bounds.height() / page.height());
    QImage image = blankImage(QSize(qRound(page.width() * scale), qRound(page.height() * scale)), scale);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    paintPage(painter, layoutPage(maze, settings, page), maze, kind, {image.dotsPerMeterX() / 1000.0, {}});
    return image;
}

} // namespace MazePrint
