#include "SheetLayout.h"

#include "PagePainter.h"
#include "PrintTexts.h"
#include "maze_outline.h"

#include <algorithm>
#include <utility>

namespace {

// Between the places of a page's mazes.
constexpr double SlotGapMm = 6;

std::size_t pagesFor(std::size_t mazes, int perPage)
{
    const auto per = static_cast<std::size_t>(perPage);
    return (mazes + per - 1) / per;
}

// The grids a page of `places` mazes may take, as columns by rows; the
// first suits a portrait page, the second a landscape one.
std::vector<std::pair<int, int>> gridsFor(int places, bool landscape)
{
    std::vector<std::pair<int, int>> grids;
    switch (places) {
    case 2: grids = {{1, 2}, {2, 1}}; break;
    case 4: grids = {{2, 2}}; break;
    case 6: grids = {{2, 3}, {3, 2}}; break;
    case 9: grids = {{3, 3}}; break;
    default: grids = {{1, 1}}; break;
    }
    if (landscape)
        std::reverse(grids.begin(), grids.end());
    return grids;
}

std::vector<PageLayout> placeInGrid(const std::vector<const MazeOutline*>& mazes, const ExportSettings& s,
                                    const SheetPage& page, const PageLayout& frame, std::pair<int, int> grid)
{
    const auto [columns, rows] = grid;
    const QRectF area = frame.mazeArea;
    const QSizeF slot((area.width() - (columns - 1) * SlotGapMm) / columns,
                      (area.height() - (rows - 1) * SlotGapMm) / rows);
    std::vector<PageLayout> out;
    for (std::size_t i = 0; i < page.count && i < mazes.size(); ++i) {
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        const QRectF place(area.topLeft() + QPointF(column * (slot.width() + SlotGapMm), row * (slot.height() + SlotGapMm)),
                           slot);
        const int number = s.numberOf(page.first + i);
        const QString caption = isTitleTemplate(s.title) ? expandTitle(s.title, number) : QString::number(number);
        PageLayout L;
        L.page = frame.page;
        L.printable = frame.printable;
        placeMaze(L, *mazes[i], s, place, caption);
        out.push_back(std::move(L));
    }
    return out;
}

} // namespace

std::vector<SheetPage> sheetPages(std::size_t mazeCount, const ExportSettings& raw)
{
    const ExportSettings s = raw.clamped();
    std::vector<SheetPage> out;
    for (const PageKind kind : s.pageKinds()) {
        const int per = s.slotsPerPage(kind);
        for (std::size_t p = 0; p < pagesFor(mazeCount, per); ++p) {
            const std::size_t first = p * static_cast<std::size_t>(per);
            out.push_back({kind, first, std::min<std::size_t>(per, mazeCount - first), static_cast<int>(out.size())});
        }
    }
    return out;
}

SheetLayout layoutSheet(const std::vector<const MazeOutline*>& mazes, const ExportSettings& raw,
                        const SheetPage& page, const QSizeF& pageMm)
{
    const ExportSettings s = raw.clamped();
    SheetLayout out;
    const int places = s.slotsPerPage(page.kind);
    if (places == 1) {
        if (!mazes.empty())
            out.frame = layoutPage(*mazes.front(), s.forMaze(page.first), pageMm);
    } else {
        // One title for the page: the title as typed, unless it numbers
        // each maze, which its caption then does. The answer page says
        // which mazes it holds.
        const QString title = isTitleTemplate(s.title) ? QString() : expandTitle(s.title, 0);
        const int firstNumber = s.numberOf(page.first);
        const int lastNumber = s.numberOf(page.first + std::max<std::size_t>(page.count, 1) - 1);
        const QString answers = s.pages != PageSet::Puzzle
                                    ? PrintTexts::answerPageTitle(title, PrintTexts::numberRange(firstNumber, lastNumber))
                                    : QString();
        out.frame = layoutFrame(s, pageMm, title, answers);
        double best = -1;
        for (const auto& grid : gridsFor(places, s.landscape)) {
            std::vector<PageLayout> placed = placeInGrid(mazes, s, page, out.frame, grid);
            double smallest = placed.empty() ? 0 : placed.front().cellMm;
            for (const PageLayout& L : placed)
                smallest = std::min(smallest, L.cellMm);
            if (smallest > best + 1e-9) {
                best = smallest;
                out.places = std::move(placed);
            }
        }
    }
    if (!out.frame.pageNumberRect.isEmpty())
        out.frame.pageNumber = QString::number(std::clamp(s.firstPage, 0, ExportSettings::MaxFirst) + page.index);
    return out;
}

void paintSheet(QPainter& painter, const SheetLayout& layout, const std::vector<const MazeOutline*>& mazes,
                PageKind kind, const DeviceMapping& mapping)
{
    static const MazeOutline none;
    paintPage(painter, layout.frame, layout.places.empty() && !mazes.empty() ? *mazes.front() : none, kind, mapping);
    for (std::size_t i = 0; i < layout.places.size() && i < mazes.size(); ++i)
        paintPage(painter, layout.places[i], *mazes[i], kind, mapping);
}

double smallestCellMm(const SheetLayout& layout)
{
    if (layout.places.empty())
        return layout.frame.cellMm;
    double smallest = layout.places.front().cellMm;
    for (const PageLayout& L : layout.places)
        smallest = std::min(smallest, L.cellMm);
    return smallest;
}
