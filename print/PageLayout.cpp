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
constexpr double CaptionLargestPt = 14;
constexpr double NameLinePt = 11;
constexpr double PageNumberPt = 10;
constexpr double NameLineWidthMm = 90;
constexpr double DifficultyPt = 10;
constexpr double BandGapMm = 4;       // below the title line and the name line, above the page number
constexpr double CaptionGapMm = 1.5;  // below a maze's caption
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

// The largest size from `largestPt` down at which the text fits; below
// TitleSmallestPt it is elided instead.
FittedText fitTitle(const QString& text, double widthMm, double largestPt = TitleLargestPt)
{
    for (double pt = largestPt; pt >= TitleSmallestPt; pt -= 0.5)
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
    // The arrow's piece into the gap when the label stands above or below.
    double legLength;
    double startWidth;
    double goalWidth;
    QString startText;
    QString goalText;
    bool pictures;
};

LabelStyle labelStyle(double roughCellMm, const ExportSettings& s)
{
    LabelStyle st{};
    st.pictures = s.labelKind == LabelKind::Pictures;
    st.startText = s.startText.isEmpty() ? PrintTexts::startLabel() : s.startText;
    st.goalText = s.goalText.isEmpty() ? PrintTexts::goalLabel() : s.goalText;
    st.arrowLength = std::clamp(0.9 * roughCellMm, 3.5, 8.0);
    st.arrowWidth = std::clamp(0.06 * roughCellMm, 0.3, 0.6);
    st.legLength = std::clamp(0.35 * roughCellMm, 3.0, 4.0);
    if (st.pictures) {
        const double side = std::clamp(1.5 * roughCellMm, 8.0, 16.0);
        st.textHeight = st.startWidth = st.goalWidth = side;
        return st;
    }
    // The letters stand at least SmallestLabelMm tall, whatever the cell.
    constexpr double ProbePt = 100;
    const QFont probe = printFont(ProbePt);
    const double lowest = std::min(letterHeightMm(probe, st.startText), letterHeightMm(probe, st.goalText));
    const double smallestEm = lowest > 0 ? SmallestLabelMm * ProbePt * MmPerPoint / lowest : 3.5;
    double em = std::clamp(0.6 * roughCellMm, smallestEm, std::max(6.0, smallestEm));
    QFont font = printFont(em / MmPerPoint);
    // Letters do not grow quite in step with the size: checked at the size taken.
    for (int i = 0; i < 3; ++i) {
        const double lowestHere = std::min(letterHeightMm(font, st.startText), letterHeightMm(font, st.goalText));
        if (lowestHere <= 0 || lowestHere >= SmallestLabelMm)
            break;
        em *= SmallestLabelMm / lowestHere * 1.001;
        font = printFont(em / MmPerPoint);
    }
    st.pointSize = em / MmPerPoint;
    st.textHeight = textHeightMm(font);
    st.startWidth = textWidthMm(font, st.startText);
    st.goalWidth = textWidthMm(font, st.goalText);
    return st;
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

bool beside(MazeOutline::Side side)
{
    return side == MazeOutline::Side::Left || side == MazeOutline::Side::Right;
}

// The room an arrow takes: its line and its head.
QRectF arrowBounds(const QPolygonF& arrow, double widthMm)
{
    const double half = widthMm / 2;
    return (arrow.boundingRect().adjusted(-half, -half, half, half)) | arrowHead(arrow, widthMm).boundingRect();
}

struct Placement {
    MazeOutline::Side side;
    QPointF gap;
    QPointF out;
    QPointF nearEnd;
};

// A label beside its gap, its arrow straight out of it and the label beyond.
PageLayout::Label straightLabel(const Placement& p, const LabelStyle& style, bool start)
{
    const QPointF farEnd = p.nearEnd + p.out * style.arrowLength;
    const QPointF anchor = farEnd + p.out * LabelGapMm;
    const double w = start ? style.startWidth : style.goalWidth;
    const double h = style.textHeight;
    QRectF text;
    switch (p.side) {
    case MazeOutline::Side::Left: text = QRectF(anchor.x() - w, p.gap.y() - h / 2, w, h); break;
    case MazeOutline::Side::Right: text = QRectF(anchor.x(), p.gap.y() - h / 2, w, h); break;
    case MazeOutline::Side::Top: text = QRectF(p.gap.x() - w / 2, anchor.y() - h, w, h); break;
    case MazeOutline::Side::Bottom: text = QRectF(p.gap.x() - w / 2, anchor.y(), w, h); break;
    }
    PageLayout::Label label;
    label.textRect = text;
    label.arrow = start ? QPolygonF{farEnd, p.nearEnd} : QPolygonF{p.nearEnd, farEnd};
    return label;
}

// A label for a gap in a side wall that stands above (`up`) or below the
// maze at that side's corner, with an arrow that runs along the side and
// turns into the gap: the maze keeps the page's width.
PageLayout::Label stackedLabel(const Placement& p, const LabelStyle& style, bool start, bool up, double wallMm,
                               double gridHeight)
{
    const QPointF corner = p.nearEnd + p.out * style.legLength;
    const double w = start ? style.startWidth : style.goalWidth;
    const double h = style.textHeight;
    const double edge = wallMm / 2 + LabelGapMm;
    const double top = up ? -edge - h : gridHeight + edge;
    const double inward = style.arrowWidth;
    const double left = p.side == MazeOutline::Side::Left ? corner.x() - inward : corner.x() + inward - w;
    PageLayout::Label label;
    label.textRect = QRectF(left, top, w, h);
    const QPointF end(corner.x(), up ? top + h + LabelGapMm / 2 : top - LabelGapMm / 2);
    label.arrow = start ? QPolygonF{end, corner, p.nearEnd} : QPolygonF{p.nearEnd, corner, end};
    return label;
}

bool overlaps(const PageLayout::Label& a, const PageLayout::Label& b, double arrowWidth)
{
    const QRectF ra = a.textRect.adjusted(-LabelGapMm, -LabelGapMm, LabelGapMm, LabelGapMm);
    return ra.intersects(b.textRect) || ra.intersects(arrowBounds(b.arrow, arrowWidth))
           || b.textRect.intersects(arrowBounds(a.arrow, arrowWidth));
}

// The labels of a maze whose grid has its top-left corner at (0, 0);
// `stacked` puts those of side gaps above or below the maze.
std::vector<PageLayout::Label> placeLabels(const MazeOutline& maze, const LabelStyle& style, double cellMm,
                                           double wallMm, bool stacked)
{
    std::vector<PageLayout::Label> out;
    std::vector<Placement> places;
    std::vector<bool> isStacked;
    for (const int index : {maze.start, maze.goal}) {
        if (index < 0)
            continue;
        const bool start = index == maze.start;
        const MazeOutline::Opening& o = maze.openings[static_cast<std::size_t>(index)];
        Placement p{o.side, o.centre(maze.width, maze.height) * cellMm, QPointF(o.dx(), o.dy()), {}};
        // Clear of the wall, and of the answer line's round end on the answer page.
        p.nearEnd = p.gap + p.out * std::max(wallMm / 2 + ArrowGapMm, 0.2 * cellMm + 0.4);
        const bool stack = stacked && beside(o.side);
        PageLayout::Label label = stack ? stackedLabel(p, style, start, p.gap.y() <= maze.height * cellMm / 2,
                                                       wallMm, maze.height * cellMm)
                                        : straightLabel(p, style, start);
        label.text = style.pictures ? QString() : start ? style.startText : style.goalText;
        label.mark = !style.pictures ? PageLayout::Mark::None : start ? PageLayout::Mark::House : PageLayout::Mark::Flag;
        out.push_back(label);
        places.push_back(p);
        isStacked.push_back(stack);
    }
    if (out.size() != 2)
        return out;
    // A stacked label in the other's way goes to the maze's other end, or
    // failing that beside its gap.
    for (std::size_t i : {std::size_t(1), std::size_t(0)}) {
        if (!isStacked[i] || !overlaps(out[i], out[1 - i], style.arrowWidth))
            continue;
        const bool up = out[i].textRect.top() < 0;
        PageLayout::Label other = stackedLabel(places[i], style, i == 0, !up, wallMm, maze.height * cellMm);
        if (overlaps(other, out[1 - i], style.arrowWidth)) {
            other = straightLabel(places[i], style, i == 0);
            isStacked[i] = false;
        }
        other.text = out[i].text;
        other.mark = out[i].mark;
        out[i] = other;
    }
    if (!isStacked[0] && !isStacked[1])
        separateLabels(out[0], out[1], places[0].side, places[1].side);
    return out;
}

// Everything of the maze drawn at this cell size, around a grid at (0, 0).
QRectF mazeBox(const MazeOutline& maze, const std::vector<PageLayout::Label>& labels, double cellMm, double wallMm,
               double arrowWidth)
{
    QRectF box(-wallMm / 2, -wallMm / 2, maze.width * cellMm + wallMm, maze.height * cellMm + wallMm);
    for (const PageLayout::Label& l : labels)
        box |= l.textRect | arrowBounds(l.arrow, arrowWidth);
    return box;
}

} // namespace

double wallThickness(double settingMm, double cellMm, double share)
{
    if (share > 0)
        return std::clamp(share, ExportSettings::MinWallShare, ExportSettings::MaxWallShare) * cellMm;
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

double letterHeightMm(const QFont& font, const QString& text)
{
    const QFontMetricsF metrics(font, &measureDevice());
    return toMm(std::max(metrics.tightBoundingRect(text).height(), metrics.capHeight()));
}

QPolygonF arrowHead(const QPolygonF& arrow, double widthMm)
{
    if (arrow.size() < 2)
        return {};
    const QPointF tip = arrow.back();
    const QLineF last(arrow[arrow.size() - 2], tip);
    const double length = last.length();
    if (length <= 0)
        return {};
    const QPointF along = (tip - last.p1()) / length;
    const QPointF across(-along.y(), along.x());
    const double head = std::min(length * 0.5, std::max(1.6, 4 * widthMm));
    const QPointF base = tip - along * head;
    return {tip, base + across * (head * 0.5), base - across * (head * 0.5)};
}

PageLayout layoutFrame(const ExportSettings& raw, const QSizeF& pageMm, const QString& puzzleTitle,
                       const QString& answerTitle)
{
    const ExportSettings s = raw.clamped();
    PageLayout L;
    L.page = pageMm;
    // Margins never leave less than 20 mm to print on.
    const double margin = std::max(0.0, std::min(s.marginMm, (std::min(pageMm.width(), pageMm.height()) - 20) / 2));
    L.printable = QRectF(QPointF(margin, margin), pageMm - QSizeF(2 * margin, 2 * margin));

    QRectF area = L.printable;
    if (!puzzleTitle.isEmpty() || !answerTitle.isEmpty()) {
        const double height = textHeightMm(printFont(TitleLargestPt));
        L.titleRect = QRectF(area.topLeft(), QSizeF(area.width(), height));
        const FittedText puzzle = fitTitle(puzzleTitle, area.width());
        const FittedText answer = fitTitle(answerTitle, area.width());
        L.puzzleTitle = puzzle.text;
        L.puzzleTitlePt = puzzle.pointSize;
        L.answerTitle = answer.text;
        L.answerTitlePt = answer.pointSize;
        area.setTop(area.top() + height + BandGapMm);
    }
    if (s.nameLine) {
        L.namePt = NameLinePt;
        L.nameOnAnswer = s.nameLineOnAnswers;
        const QFont font = printFont(NameLinePt);
        const double height = textHeightMm(font);
        const double block = std::min(NameLineWidthMm, area.width());
        const double textWidth = textWidthMm(font, PrintTexts::nameLine());
        L.nameTextRect = QRectF(area.right() - block, area.top(), textWidth, height);
        L.nameRule = QLineF(L.nameTextRect.right(), L.nameTextRect.bottom(), area.right(), L.nameTextRect.bottom());
        area.setTop(area.top() + height + BandGapMm);
    }
    if (s.pageNumbers) {
        L.pageNumberPt = PageNumberPt;
        const double height = textHeightMm(printFont(PageNumberPt));
        L.pageNumberRect = QRectF(area.left(), area.bottom() - height, area.width(), height);
        area.setBottom(area.bottom() - height - BandGapMm);
    }
    L.mazeArea = area;
    return L;
}

void placeMaze(PageLayout& L, const MazeOutline& maze, const ExportSettings& raw, const QRectF& box,
               const QString& caption)
{
    const ExportSettings s = raw.clamped();
    QRectF area = box;
    if (!caption.isEmpty()) {
        // Its room at the top; it moves down onto the maze once that is placed.
        const double height = textHeightMm(printFont(CaptionLargestPt));
        L.captionRect = QRectF(area.topLeft(), QSizeF(area.width(), height));
        area.setTop(area.top() + height + CaptionGapMm);
    }
    L.columns = maze.width;
    L.rows = maze.height;
    // The answer page says how hard the maze is, below it; the room is kept
    // on the puzzle page too, so that the maze stands where it does there.
    if (s.difficulty && s.pages != PageSet::Puzzle && maze.difficulty) {
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
    const LabelStyle style = labelStyle(largest, s);
    auto boxAt = [&](double cell, bool stacked) {
        const double wall = wallThickness(s.wallMm, cell, s.wallShare);
        const auto labels = s.labels ? placeLabels(maze, style, cell, wall, stacked) : std::vector<PageLayout::Label>{};
        return mazeBox(maze, labels, cell, wall, style.arrowWidth);
    };
    auto fitted = [&](bool stacked) {
        auto fits = [&](double cell) {
            const QSizeF size = boxAt(cell, stacked).size();
            return size.width() <= area.width() + 1e-9 && size.height() <= area.height() + 1e-9;
        };
        if (fits(largest))
            return largest;
        // Down in steps to a size that fits (labels that crowd each other
        // at the tiniest sizes may fit only at larger ones), then finer.
        double high = largest, low = largest;
        while (low > SmallestCellMm && !fits(low)) {
            high = low;
            low = std::max(low * 0.7, SmallestCellMm);
        }
        // Too little room even for the labels: the smallest cells, drawn
        // all the same.
        if (!fits(low))
            return SmallestCellMm;
        for (int i = 0; i < 50; ++i) {
            const double mid = (low + high) / 2;
            (fits(mid) ? low : high) = mid;
        }
        return low;
    };
    double cell = fitted(false);
    bool stacked = false;
    // Where the maze with its labels beside it is taller than the page
    // leaves room for, there is room to spare above and below it: labels
    // there leave the maze more of the width, and are taken if it then
    // comes out larger.
    const bool sideGap = [&] {
        for (const int index : {maze.start, maze.goal})
            if (index >= 0 && beside(maze.openings[static_cast<std::size_t>(index)].side))
                return true;
        return false;
    }();
    if (s.labels && sideGap) {
        const double stackedCell = fitted(true);
        if (stackedCell > cell + 1e-9) {
            cell = stackedCell;
            stacked = true;
        }
    }

    L.cellMm = cell;
    L.wallMm = wallThickness(s.wallMm, cell, s.wallShare);
    L.answerMm = 0.4 * cell;
    // The maze with its labels is centred: a label on one side only costs
    // the cells that side's room, not twice that.
    L.gridOrigin = area.center() - boxAt(cell, stacked).center();
    L.labelPt = style.pointSize;
    L.arrowWidthMm = style.arrowWidth;
    L.labels.clear();
    if (s.labels) {
        L.labels = placeLabels(maze, style, cell, L.wallMm, stacked);
        for (PageLayout::Label& l : L.labels) {
            l.textRect.translate(L.gridOrigin);
            l.arrow.translate(L.gridOrigin);
        }
    }
    L.content = boxAt(cell, stacked).translated(L.gridOrigin);
    // The caption stands just above the maze it names.
    if (!L.captionRect.isEmpty()) {
        const double left = std::max(L.content.left(), box.left());
        const FittedText fitted = fitTitle(caption, box.right() - left, CaptionLargestPt);
        L.caption = fitted.text;
        L.captionPt = fitted.pointSize;
        L.captionRect = QRectF(left, L.content.top() - CaptionGapMm - L.captionRect.height(), box.right() - left,
                               L.captionRect.height());
    }
}

PageLayout layoutPage(const MazeOutline& maze, const ExportSettings& raw, const QSizeF& pageMm, bool furniture)
{
    const ExportSettings s = raw.clamped();
    PageLayout L;
    if (furniture) {
        // Every answer page has a title, "（解答）" at least.
        const bool answers = s.pages != PageSet::Puzzle;
        L = layoutFrame(s, pageMm, s.title, answers ? PrintTexts::answerTitle(s.title) : QString());
    } else {
        ExportSettings bare = s;
        bare.nameLine = false;
        bare.pageNumbers = false;
        L = layoutFrame(bare, pageMm, {}, {});
        // A picture shows the maze and its labels only.
        bare.difficulty = false;
        placeMaze(L, maze, bare, L.mazeArea);
        return L;
    }
    placeMaze(L, maze, s, L.mazeArea);
    return L;
}
