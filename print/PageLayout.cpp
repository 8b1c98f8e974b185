#include "PageLayout.h"

#include "PrintTexts.h"
#include "maze_outline.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MmPerPoint = 25.4 / 72;
constexpr double TitleLargestPt = 18;
constexpr double TitleSmallestPt = 9;
constexpr double NameLinePt = 11;
constexpr double NameLineWidthMm = 90;
constexpr double DifficultyPt = 10;
constexpr double BandGapMm = 4;       // below the title line and the name line
constexpr double ArrowGapMm = 0.6;    // between the wall and an arrow
constexpr double LabelGapMm = 1.0;    // between an arrow and its label
constexpr double SmallestCellMm = 0.01;

// Texts are measured on a fine imaginary device, so that the layout is the
// same whatever the page is painted on.
constexpr int MeasureDpi = 1200;

const QImage& measureDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(MeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

double toMm(double measured) { return measured * 25.4 / MeasureDpi; }

double textHeightMm(const QFont& font)
{
    return toMm(QFontMetricsF(font, &measureDevice()).height());
}

struct FittedText {
    QString text;
    double pointSize;
};

// The largest size from TitleLargestPt down at which the text fits; below
// TitleSmallestPt it is elided instead.
FittedText fitTitle(const QString& text, double widthMm)
{
    for (double pt = TitleLargestPt; pt >= TitleSmallestPt; pt -= 0.5)
        if (textWidthMm(printFont(pt), text) <= widthMm)
            return {text, pt};
    const QFontMetricsF metrics(printFont(TitleSmallestPt), &measureDevice());
    return {metrics.elidedText(text, Qt::ElideRight, widthMm * MeasureDpi / 25.4), TitleSmallestPt};
}

QPointF operator*(const MazeOutline::Point& p, double scale) { return {p.x * scale, p.y * scale}; }

// Label sizes, chosen from the cell size the page would give without labels.
struct LabelStyle {
    double pointSize;
    double textHeight;
    double arrowLength;
    double arrowWidth;
    double startWidth;
    double goalWidth;
};

LabelStyle labelStyle(double roughCellMm)
{
    LabelStyle s{};
    const double em = std::clamp(0.6 * roughCellMm, 3.5, 6.0);
    s.pointSize = em / MmPerPoint;
    const QFont font = printFont(s.pointSize);
    s.textHeight = textHeightMm(font);
    s.arrowLength = std::clamp(0.9 * roughCellMm, 3.5, 8.0);
    s.arrowWidth = std::clamp(0.06 * roughCellMm, 0.3, 0.6);
    s.startWidth = textWidthMm(font, PrintTexts::startLabel());
    s.goalWidth = textWidthMm(font, PrintTexts::goalLabel());
    return s;
}

// Openings side by side would print their labels over each other: the
// labels move apart along the goal's side of the maze, both halfway when
// they share that side, else the goal alone. The arrows stay at the gaps.
void separateLabels(PageLayout::Label& start, PageLayout::Label& goal, MazeOutline::Side startSide,
                    MazeOutline::Side goalSide)
{
    const QRectF a = start.textRect.adjusted(-LabelGapMm, -LabelGapMm, LabelGapMm, LabelGapMm);
    const QRectF& b = goal.textRect;
    if (!a.intersects(b))
        return;
    const bool alongX = goalSide == MazeOutline::Side::Top || goalSide == MazeOutline::Side::Bottom;
    const double ca = alongX ? a.center().x() : a.center().y();
    const double cb = alongX ? b.center().x() : b.center().y();
    const double overlap = ca <= cb ? (alongX ? a.right() - b.left() : a.bottom() - b.top())
                                    : (alongX ? b.right() - a.left() : b.bottom() - a.top());
    const double away = ca <= cb ? overlap : -overlap;
    const double startShare = startSide == goalSide ? 0.5 : 0.0;
    const QPointF axis = alongX ? QPointF(1, 0) : QPointF(0, 1);
    start.textRect.translate(-axis * away * startShare);
    goal.textRect.translate(axis * away * (1 - startShare));
}

// The labels of a maze whose grid has its top-left corner at (0, 0).
std::vector<PageLayout::Label> placeLabels(const MazeOutline& maze, const LabelStyle& style, double cellMm,
                                           double wallMm)
{
    std::vector<PageLayout::Label> out;
    for (const int index : {maze.start, maze.goal}) {
        if (index < 0)
            continue;
        const bool start = index == maze.start;
        const MazeOutline::Opening& o = maze.openings[static_cast<std::size_t>(index)];
        const QPointF gap = o.centre(maze.width, maze.height) * cellMm;
        const QPointF out1(o.dx(), o.dy());
        // Clear of the wall, and of the answer line's round end on the answer page.
        const QPointF nearEnd = gap + out1 * std::max(wallMm / 2 + ArrowGapMm, 0.2 * cellMm + 0.4);
        const QPointF farEnd = nearEnd + out1 * style.arrowLength;
        const QPointF anchor = farEnd + out1 * LabelGapMm;
        const double w = start ? style.startWidth : style.goalWidth;
        const double h = style.textHeight;
        QRectF text;
        switch (o.side) {
        case MazeOutline::Side::Left: text = QRectF(anchor.x() - w, gap.y() - h / 2, w, h); break;
        case MazeOutline::Side::Right: text = QRectF(anchor.x(), gap.y() - h / 2, w, h); break;
        case MazeOutline::Side::Top: text = QRectF(gap.x() - w / 2, anchor.y() - h, w, h); break;
        case MazeOutline::Side::Bottom: text = QRectF(gap.x() - w / 2, anchor.y(), w, h); break;
        }
        out.push_back({start ? PrintTexts::startLabel() : PrintTexts::goalLabel(), text,
                       start ? QLineF(farEnd, nearEnd) : QLineF(nearEnd, farEnd)});
    }
    if (out.size() == 2)
        separateLabels(out[0], out[1], maze.openings[static_cast<std::size_t>(maze.start)].side,
                       maze.openings[static_cast<std::size_t>(maze.goal)].side);
    return out;
}

// Everything of the maze drawn at this cell size, around a grid at (0, 0).
QRectF mazeBox(const MazeOutline& maze, const std::vector<PageLayout::Label>& labels, double cellMm, double wallMm,
               double arrowHalfWidth)
{
    QRectF box(-wallMm / 2, -wallMm / 2, maze.width * cellMm + wallMm, maze.height * cellMm + wallMm);
    for (const PageLayout::Label& l : labels) {
        box |= l.textRect;
        const QRectF arrow = QRectF(l.arrow.p1(), l.arrow.p2()).normalized();
        box |= arrow.adjusted(-arrowHalfWidth, -arrowHalfWidth, arrowHalfWidth, arrowHalfWidth);
    }
    return box;
}

} // namespace

double wallThickness(double settingMm, double cellMm)
{
    const double wanted = settingMm > 0 ? settingMm : std::max(cellMm / 8, 0.25);
    return std::min(std::clamp(wanted, ExportSettings::MinWallMm, ExportSettings::MaxWallMm), cellMm / 2);
}

QFont printFont(double pointSize)
{
    static const QStringList families = [] {
        const QStringList installed = QFontDatabase::families();
        QStringList found;
        for (const QString& name : {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")})
            if (installed.contains(name))
                found << name;
        // Neither: whatever Japanese font the system has.
        found << QStringLiteral("IPAexGothic") << QStringLiteral("Source Han Sans JP")
              << QStringLiteral("VL PGothic") << QStringLiteral("TakaoPGothic") << QStringLiteral("Meiryo")
              << QStringLiteral("Yu Gothic");
        return found;
    }();
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

double textWidthMm(const QFont& font, const QString& text)
{
    return toMm(QFontMetricsF(font, &measureDevice()).horizontalAdvance(text));
}

PageLayout layoutPage(const MazeOutline& maze, const ExportSettings& raw, const QSizeF& pageMm, bool furniture)
{
    const ExportSettings s = raw.clamped();
    PageLayout L;
    L.page = pageMm;
    L.columns = maze.width;
    L.rows = maze.height;
    // Margins never leave less than 20 mm to print on.
    const double margin = std::max(0.0, std::min(s.marginMm, (std::min(pageMm.width(), pageMm.height()) - 20) / 2));
    L.printable = QRectF(QPointF(margin, margin), pageMm - QSizeF(2 * margin, 2 * margin));

    QRectF area = L.printable;
    const bool answerPage = s.pages != PageSet::Puzzle;
    if (furniture && (!s.title.isEmpty() || answerPage)) {
        const double height = textHeightMm(printFont(TitleLargestPt));
        L.titleRect = QRectF(area.topLeft(), QSizeF(area.width(), height));
        const FittedText puzzle = fitTitle(s.title, area.width());
        const FittedText answer = fitTitle(PrintTexts::answerTitle(s.title), area.width());
        L.puzzleTitle = puzzle.text;
        L.puzzleTitlePt = puzzle.pointSize;
        L.answerTitle = answer.text;
        L.answerTitlePt = answer.pointSize;
        area.setTop(area.top() + height + BandGapMm);
    }
    if (furniture && s.nameLine) {
        L.namePt = NameLinePt;
        const QFont font = printFont(NameLinePt);
        const double height = textHeightMm(font);
        const double block = std::min(NameLineWidthMm, area.width());
        const double textWidth = textWidthMm(font, PrintTexts::nameLine());
        L.nameTextRect = QRectF(area.right() - block, area.top(), textWidth, height);
        L.nameRule = QLineF(L.nameTextRect.right(), L.nameTextRect.bottom(), area.right(), L.nameTextRect.bottom());
        area.setTop(area.top() + height + BandGapMm);
    }

    if (furniture && s.difficulty && answerPage && maze.difficulty) {
        L.difficultyPt = DifficultyPt;
        const double height = textHeightMm(printFont(DifficultyPt));
        L.difficultyRect = QRectF(area.left(), area.bottom() - height, area.width(), height);
        const QFontMetricsF metrics(printFont(DifficultyPt), &measureDevice());
        L.difficultyText = metrics.elidedText(PrintTexts::difficulty(*maze.difficulty), Qt::ElideRight,
                                              area.width() * MeasureDpi / 25.4);
        area.setBottom(area.bottom() - height - BandGapMm);
    }

    const int W = std::max(maze.width, 1);
    const int H = std::max(maze.height, 1);
    const double largest = std::max(std::min(area.width() / W, area.height() / H), SmallestCellMm);
    const LabelStyle style = labelStyle(largest);
    const double arrowHalfWidth = 2 * style.arrowWidth;
    auto boxAt = [&](double cell) {
        const double wall = wallThickness(s.wallMm, cell);
        const auto labels = s.labels ? placeLabels(maze, style, cell, wall) : std::vector<PageLayout::Label>{};
        return mazeBox(maze, labels, cell, wall, arrowHalfWidth);
    };
    auto fits = [&](double cell) {
        const QSizeF box = boxAt(cell).size();
        return box.width() <= area.width() + 1e-9 && box.height() <= area.height() + 1e-9;
    };
    double cell = largest;
    if (!fits(cell)) {
        // Too little room even for the labels: the smallest cells, drawn
        // all the same.
        double low = SmallestCellMm, high = largest;
        if (fits(low)) {
            for (int i = 0; i < 50; ++i) {
                const double mid = (low + high) / 2;
                (fits(mid) ? low : high) = mid;
            }
        }
        cell = low;
    }

    L.cellMm = cell;
    L.wallMm = wallThickness(s.wallMm, cell);
    L.answerMm = 0.4 * cell;
    // The maze with its labels is centred: a label on one side only costs
    // the cells that side's room, not twice that.
    L.gridOrigin = area.center() - boxAt(cell).center();
    L.labelPt = style.pointSize;
    L.arrowWidthMm = style.arrowWidth;
    if (s.labels) {
        L.labels = placeLabels(maze, style, cell, L.wallMm);
        for (PageLayout::Label& l : L.labels) {
            l.textRect.translate(L.gridOrigin);
            l.arrow.translate(L.gridOrigin);
        }
    }
    L.content = boxAt(cell).translated(L.gridOrigin);
    return L;
}
