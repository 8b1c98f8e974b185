#include "route_maker.h"

#include "maze_board.h"
#include "maze_random.h"
#include "path_editor.h"
#include "style_forest.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

struct SideName {
    RouteSide side;
    std::string_view name;
};

constexpr SideName SideNames[] = {
    {RouteSide::TopLeft, "topleft"},   {RouteSide::TopRight, "topright"}, {RouteSide::BottomLeft, "bottomleft"},
    {RouteSide::BottomRight, "bottomright"}, {RouteSide::Left, "left"}, {RouteSide::Right, "right"},
    {RouteSide::Top, "top"},           {RouteSide::Bottom, "bottom"},     {RouteSide::Outside, "outside"},
    {RouteSide::Centre, "centre"},     {RouteSide::Centre, "center"},
};

std::optional<int> parseNumber(std::string_view text, int maximum)
{
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value <= maximum ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::optional<RouteSide> routeSideFromName(std::string_view name)
{
    for (const SideName& entry : SideNames)
        if (entry.name == name)
            return entry.side;
    return std::nullopt;
}

std::string_view routeSideName(RouteSide side)
{
    for (const SideName& entry : SideNames)
        if (entry.side == side)
            return entry.name;
    return {};
}

std::optional<int> parseRouteLength(std::string_view text)
{
    if (text == "short")
        return RouteSettings::ShortPercent;
    if (text == "medium")
        return RouteSettings::MediumPercent;
    if (text == "long")
        return RouteSettings::LongPercent;
    if (text.size() < 2 || text.back() != '%')
        return std::nullopt;
    const auto value = parseNumber(text.substr(0, text.size() - 1), RouteSettings::MaxPercent);
    if (!value || *value < RouteSettings::MinPercent)
        return std::nullopt;
    return value;
}

std::optional<int> parseTwist(std::string_view text)
{
    return parseNumber(text, RouteSettings::MaxTwist);
}

int Route::turns() const
{
    int count = 0;
    for (std::size_t i = 1; i + 1 < cells.size(); ++i) {
        const RouteCell& a = cells[i - 1];
        const RouteCell& b = cells[i];
        const RouteCell& c = cells[i + 1];
        count += (b.x - a.x != c.x - b.x) || (b.y - a.y != c.y - b.y);
    }
    return count;
}

RouteMaker::RouteMaker(int width, int height, std::vector<std::uint8_t> inside)
    : width_(width)
    , height_(height)
    , stride_(width + 2)
{
    const auto cells = static_cast<std::size_t>(width + 2) * static_cast<std::size_t>(height + 2);
    const bool whole = inside.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    area_.assign(cells, Outside);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (whole || inside[static_cast<std::size_t>(y * width + x)]) {
                area_[u(at(x, y))] = Free;
                ++insideCount_;
            }

    // The whole grid is one part, and its only outside cells, the ring, are
    // its doors: the ring's cells beside the grid, row by row.
    if (insideCount_ == width * height) {
        part_.resize(cells);
        std::transform(area_.begin(), area_.end(), part_.begin(), [](std::uint8_t a) { return a == Free ? 0 : -1; });
        for (int x = 0; x < width; ++x)
            doors_.push_back({at(x, -1), at(x, 0), true});
        for (int y = 0; y < height; ++y) {
            doors_.push_back({at(-1, y), at(0, y), true});
            doors_.push_back({at(width, y), at(width - 1, y), true});
        }
        for (int x = 0; x < width; ++x)
            doors_.push_back({at(x, height), at(x, height - 1), true});
        return;
    }

    // The parts of the inside, and the outside cells the ring reaches
    // without crossing the inside. Only the ring lies on the edge of the
    // grid with its ring, so every other cell has its four neighbours.
    const std::int32_t offsets[4] = {1, -1, stride_, -stride_};
    const auto last = static_cast<std::int32_t>(cells) - 1;
    auto onEdge = [&](std::int32_t k) {
        return k < stride_ || k > last - stride_ || k % stride_ == 0 || k % stride_ == stride_ - 1;
    };
    part_.assign(cells, -1);
    std::vector<std::int32_t> todo;
    int parts = 0;
    for (std::int32_t k = 0; k <= last; ++k) {
        if (area_[u(k)] != Free || part_[u(k)] >= 0)
            continue;
        todo.assign(1, k);
        part_[u(k)] = parts;
        while (!todo.empty()) {
            const std::int32_t c = todo.back();
            todo.pop_back();
            for (const std::int32_t o : offsets)
                if (area_[u(c + o)] == Free && part_[u(c + o)] < 0) {
                    part_[u(c + o)] = parts;
                    todo.push_back(c + o);
                }
        }
        ++parts;
    }
    std::vector<std::uint8_t> outer(cells, 0);
    for (std::int32_t k = 0; k <= last; ++k)
        if (onEdge(k))
            outer[u(k)] = 1;
    // Left-out cells next to the ring, then what they reach.
    todo.clear();
    for (std::int32_t k = 0; k <= last; ++k)
        if (area_[u(k)] == Outside && !outer[u(k)]
            && (outer[u(k - 1)] || outer[u(k + 1)] || outer[u(k - stride_)] || outer[u(k + stride_)])) {
            outer[u(k)] = 1;
            todo.push_back(k);
        }
    while (!todo.empty()) {
        const std::int32_t c = todo.back();
        todo.pop_back();
        for (const std::int32_t o : offsets)
            if (area_[u(c + o)] == Outside && !outer[u(c + o)]) {
                outer[u(c + o)] = 1;
                todo.push_back(c + o);
            }
    }
    for (std::int32_t k = 0; k <= last; ++k)
        if (area_[u(k)] == Free)
            for (const std::int32_t o : offsets)
                if (area_[u(k + o)] == Outside)
                    doors_.push_back({k + o, k, outer[u(k + o)] != 0});
}

RouteMaker::RouteMaker(const MazeBoard& board)
    : RouteMaker(board.getWidth(), board.getHeight(),
                 board.isShaped() ? board.shape().cellBytes() : std::vector<std::uint8_t>())
{
}

bool RouteMaker::isInside(int x, int y) const
{
    return x >= 0 && y >= 0 && x < width_ && y < height_ && area_[u(at(x, y))] == Free;
}

bool RouteMaker::isOpening(RouteCell cell) const
{
    return !doorsOf({RouteSide::Chosen, cell}).empty();
}

bool RouteMaker::hasCentre() const
{
    return std::any_of(doors_.begin(), doors_.end(), [](const Door& d) { return !d.outer; });
}

int RouteMaker::targetLength(int percent) const
{
    const int p = std::clamp(percent, RouteSettings::MinPercent, RouteSettings::MaxPercent);
    return std::max(1, (insideCount_ * p + 50) / 100);
}

std::vector<RouteMaker::Door> RouteMaker::doorsOf(const RouteEnd& end) const
{
    std::vector<Door> out;
    const int W = width_;
    const int H = height_;
    if (end.side == RouteSide::Chosen) {
        const RouteCell c = end.cell;
        if (c.x < -1 || c.y < -1 || c.x > W || c.y > H)
            return out;
        for (const Door& d : doors_)
            if (d.outside == at(c.x, c.y))
                out.push_back(d);
        return out;
    }
    if (end.side == RouteSide::Outside || end.side == RouteSide::Centre) {
        const bool outer = end.side == RouteSide::Outside;
        for (const Door& d : doors_)
            if (d.outer == outer)
                out.push_back(d);
        return out;
    }
    // How far a door is from the end's corner or side; the nearest ones
    // are the end's. Sides take only doors that step inward across them.
    auto score = [&](const Door& d) {
        const RouteCell c = cellOf(d.inside);
        const int step = d.inside - d.outside;
        switch (end.side) {
        case RouteSide::TopLeft: return c.x + c.y;
        case RouteSide::TopRight: return W - 1 - c.x + c.y;
        case RouteSide::BottomLeft: return c.x + H - 1 - c.y;
        case RouteSide::BottomRight: return W - 1 - c.x + H - 1 - c.y;
        case RouteSide::Left: return step == 1 ? c.x : -1;
        case RouteSide::Right: return step == -1 ? W - 1 - c.x : -1;
        case RouteSide::Top: return step == stride_ ? c.y : -1;
        case RouteSide::Bottom: return step == -stride_ ? H - 1 - c.y : -1;
        default: return -1;
        }
    };
    int best = std::numeric_limits<int>::max();
    for (const Door& d : doors_) {
        const int s = d.outer ? score(d) : -1;
        if (s < 0 || s > best)
            continue;
        if (s < best)
            out.clear();
        best = s;
        out.push_back(d);
    }
    return out;
}

std::vector<RouteCell> RouteMaker::openings(const RouteEnd& end) const
{
    std::vector<std::int32_t> cells;
    for (const Door& d : doorsOf(end))
        cells.push_back(d.outside);
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    std::vector<RouteCell> out;
    for (const std::int32_t k : cells)
        out.push_back(cellOf(k));
    return out;
}

std::vector<std::array<std::int32_t, 2>> RouteMaker::openingsByPart(const std::vector<Door>& doors) const
{
    std::vector<std::array<std::int32_t, 2>> parts;
    for (const Door& d : doors) {
        const auto p = u(part_[u(d.inside)]);
        if (p >= parts.size())
            parts.resize(p + 1, {-1, -1});
        auto& two = parts[p];
        if (two[0] < 0)
            two[0] = d.outside;
        else if (two[1] < 0 && two[0] != d.outside)
            two[1] = d.outside;
    }
    return parts;
}

// Whether the door's part has one of the other end's openings that is not
// the door's own.
bool RouteMaker::hasPartner(const std::vector<std::array<std::int32_t, 2>>& others, const Door& door) const
{
    const auto p = u(part_[u(door.inside)]);
    return p < others.size() && (others[p][1] >= 0 || (others[p][0] >= 0 && others[p][0] != door.outside));
}

RouteProblem RouteMaker::check(const RouteSettings& settings) const
{
    const std::vector<Door> from = doorsOf(settings.from);
    const std::vector<Door> to = doorsOf(settings.to);
    for (const RouteEnd* end : {&settings.from, &settings.to})
        if ((end == &settings.from ? from : to).empty())
            return end->side == RouteSide::Chosen ? RouteProblem::NotAnOpening : RouteProblem::NoOpening;
    const auto goals = openingsByPart(to);
    if (std::any_of(from.begin(), from.end(), [&](const Door& d) { return hasPartner(goals, d); }))
        return RouteProblem::None;
    const std::vector<RouteCell> starts = openings(settings.from);
    return starts.size() == 1 && starts == openings(settings.to) ? RouteProblem::SameOpening : RouteProblem::NoWay;
}

// The goal first, any that some start can reach; then a start among those
// whose shortest way to it is no longer than the length allows, or the
// nearest when none is.
void RouteMaker::pickEnds(const std::vector<Door>& from, const std::vector<Door>& to, int target,
                          RandomSource& random, std::int32_t& start, std::int32_t& goal)
{
    const auto starts = openingsByPart(from);
    std::vector<std::int32_t> choice;
    for (std::size_t j = 0; j < to.size(); ++j)
        if (hasPartner(starts, to[j]))
            choice.push_back(static_cast<std::int32_t>(j));
    goal = to[u(choice[u(randomBelow(random, static_cast<int>(choice.size())))])].outside;
    measureFrom(goal);

    choice.clear();
    std::int32_t nearest = std::numeric_limits<std::int32_t>::max();
    bool near = false;
    for (std::size_t i = 0; i < from.size(); ++i) {
        const std::int32_t dist = dist_[u(from[i].inside)];
        if (from[i].outside == goal || dist == 0)
            continue;
        const bool fits = 5 * dist <= 6 * target;
        if ((near && !fits) || (!near && !fits && dist > nearest))
            continue;
        if ((fits && !near) || (!fits && dist < nearest))
            choice.clear();
        near = near || fits;
        nearest = std::min(nearest, dist);
        choice.push_back(static_cast<std::int32_t>(i));
    }
    start = from[u(choice[u(randomBelow(random, static_cast<int>(choice.size())))])].outside;
}

void RouteMaker::measureFrom(std::int32_t goal)
{
    // dist_: inside cells from here to the goal, this one included. The
    // goal is entered from any side it has on the inside.
    std::fill(dist_.begin(), dist_.end(), 0);
    queue_.clear();
    for (const Door& d : doors_)
        if (d.outside == goal && dist_[u(d.inside)] == 0) {
            dist_[u(d.inside)] = 1;
            queue_.push_back(d.inside);
        }
    const std::int32_t offsets[4] = {1, -1, stride_, -stride_};
    for (std::size_t head = 0; head < queue_.size(); ++head) {
        const std::int32_t c = queue_[head];
        for (const std::int32_t o : offsets) {
            const std::int32_t n = c + o;
            if (area_[u(n)] == Free && dist_[u(n)] == 0) {
                dist_[u(n)] = dist_[u(c)] + 1;
                queue_.push_back(n);
            }
        }
    }
}

// The start's cell nearest the goal, whichever side of the start it lies.
std::int32_t RouteMaker::firstCell(std::int32_t start, RandomSource& random) const
{
    std::vector<std::int32_t> nearest;
    std::int32_t best = std::numeric_limits<std::int32_t>::max();
    for (const Door& d : doors_) {
        const std::int32_t dist = dist_[u(d.inside)];
        if (d.outside != start || dist == 0 || dist > best)
            continue;
        if (dist < best)
            nearest.clear();
        best = dist;
        nearest.push_back(d.inside);
    }
    return nearest[u(randomBelow(random, static_cast<int>(nearest.size())))];
}

// A shortest way from the start's cell down the distances to the goal: the
// straighter the setting, the more often it goes on the way it came.
int RouteMaker::layShortest(std::int32_t start, std::int32_t first, std::int32_t goal, int twist,
                            RandomSource& random)
{
    std::copy(area_.begin(), area_.end(), state_.begin());
    next_[u(start)] = first;
    prev_[u(first)] = start;
    state_[u(first)] = Used;
    std::int32_t cur = first;
    std::int32_t came = first - start;
    int length = 1;
    // Always on when straight, three times in ten when winding: a way that
    // turns at every cell is a staircase, which has no step to push aside.
    const int keep = 32768 - std::clamp(twist, 0, RouteSettings::MaxTwist) * 22938 / RouteSettings::MaxTwist;
    while (dist_[u(cur)] > 1) {
        std::int32_t others[4];
        int count = 0;
        bool straight = false;
        for (const std::int32_t o : {1, -1, stride_, -stride_}) {
            const std::int32_t n = cur + o;
            if (area_[u(n)] != Free || dist_[u(n)] != dist_[u(cur)] - 1)
                continue;
            if (o == came)
                straight = true;
            else
                others[count++] = n;
        }
        std::int32_t n = cur + came;
        if (count > 0 && (!straight || randomBelow(random, 32768) >= keep))
            n = others[randomBelow(random, count)];
        next_[u(cur)] = n;
        prev_[u(n)] = cur;
        state_[u(n)] = Used;
        came = n - cur;
        cur = n;
        ++length;
    }
    next_[u(cur)] = goal;
    prev_[u(goal)] = cur;
    return length;
}

// Pushes steps of the route aside, two cells at a time, until it is long
// enough or no step can be pushed. A step a -> b can go aside when the two
// cells beside it on one side are free: a -> a' -> b' -> b. A step that cannot
// go aside now never can (cells only fill up), and its first cell leaves the
// pool for good; so every look at the pool either grows the route or makes
// the pool smaller, and the work is bounded by the grid.
//
// The setting picks which steps go aside. Straight: the new step a' -> b'
// is pushed on the same way again and again, which lengthens a U-turn
// without a new turn, and otherwise the candidate adding the fewest turns
// of a few drawn wins. Winding: the step after next is pushed the other
// way, which bends a straight run into a square wave, and otherwise the
// candidate adding the most turns wins. In the middle every candidate is
// as likely.
int RouteMaker::grow(int length, int target, int twist, RandomSource& random)
{
    pool_.clear();
    for (std::int32_t c = first_; state_[u(c)] == Used; c = next_[u(c)])
        if (state_[u(next_[u(c)])] == Used)
            pool_.push_back(c);
    const int t = std::clamp(twist, RouteSettings::MinTwist, RouteSettings::MaxTwist);
    const int middle = (RouteSettings::MinTwist + RouteSettings::MaxTwist) / 2;
    const bool straight = t < middle;
    const int drawn = 1 + std::abs(t - middle) / 5;            // candidates per choice
    const int lengthen = (RouteSettings::MaxTwist - t) * 32768 / RouteSettings::MaxTwist; // chance of the U-turn

    // The turns a push of a -> b along d adds: a' and b' always turn; a and
    // b turn now unless the route came into a (or leaves b) along d, where
    // they turned before. -1 when the two cells are not free.
    auto added = [&](std::int32_t a, std::int32_t b, std::int32_t d) {
        if (state_[u(a + d)] != Free || state_[u(b + d)] != Free)
            return -1;
        return 2 + (prev_[u(a)] == a - d ? -1 : 1) + (next_[u(b)] == b - d ? -1 : 1);
    };
    // The better side of the step from a, or none: the fewer turns when
    // straight, the more when winding, either when even.
    struct Push {
        std::int32_t a = -1;
        std::int32_t d = 0;
        int turns = -1;
        std::int32_t b = -1; // where the step ended before the push
    };
    auto better = [&](const Push& p, const Push& q) {
        if (p.turns < 0 || q.turns < 0)
            return q.turns < 0;
        return drawn > 1 && (straight ? p.turns < q.turns : p.turns > q.turns);
    };
    auto sideOf = [&](std::int32_t a) {
        const std::int32_t b = next_[u(a)];
        Push push;
        if (state_[u(b)] != Used)
            return push;
        const std::int32_t across = (b - a == 1 || a - b == 1) ? stride_ : 1;
        const Push one{a, across, added(a, b, across)};
        const Push other{a, -across, added(a, b, -across)};
        if (better(one, other))
            return one;
        if (better(other, one) || one.turns < 0)
            return other;
        return randomBelow(random, 2) ? one : other;
    };

    Push last; // its new step a' -> b' is the one pushed on
    while (length < target) {
        Push push;
        if (last.a >= 0) {
            const bool uTurn = randomBelow(random, 32768) < lengthen;
            const std::int32_t a = uTurn ? last.a + last.d : next_[u(last.b)];
            const std::int32_t d = uTurn ? last.d : -last.d;
            if (state_[u(a)] == Used && state_[u(next_[u(a)])] == Used)
                push = {a, d, added(a, next_[u(a)], d)};
        }
        for (int k = 0; push.turns < 0 && k < drawn && !pool_.empty();) {
            const auto i = u(randomBelow(random, static_cast<int>(pool_.size())));
            const Push p = sideOf(pool_[i]);
            if (p.turns < 0) {
                pool_[i] = pool_.back();
                pool_.pop_back();
                continue;
            }
            if (k++ == 0 || better(p, push))
                push = p;
        }
        if (push.turns < 0)
            break;
        const std::int32_t a = push.a;
        const std::int32_t b = next_[u(a)];
        push.b = b;
        const std::int32_t a2 = a + push.d;
        const std::int32_t b2 = b + push.d;
        next_[u(a)] = a2;
        prev_[u(a2)] = a;
        next_[u(a2)] = b2;
        prev_[u(b2)] = a2;
        next_[u(b2)] = b;
        prev_[u(b)] = b2;
        state_[u(a2)] = Used;
        state_[u(b2)] = Used;
        pool_.push_back(a2);
        pool_.push_back(b2);
        length += 2;
        last = push;
    }
    return length;
}

void RouteMaker::collect(std::int32_t start, Route& route) const
{
    route.cells.clear();
    route.cells.push_back(cellOf(start));
    for (std::int32_t c = next_[u(start)];; c = next_[u(c)]) {
        route.cells.push_back(cellOf(c));
        if (state_[u(c)] != Used)
            break;
    }
    route.length = static_cast<int>(route.cells.size()) - 2;
}

Route RouteMaker::make(const RouteSettings& settings, RandomSource& source)
{
    Route best;
    best.target = targetLength(settings.lengthPercent);
    best.problem = check(settings);
    if (best.problem != RouteProblem::None)
        return best;

    RandomSource random = source;
    const std::vector<Door> from = doorsOf(settings.from);
    const std::vector<Door> to = doorsOf(settings.to);
    const std::size_t cells = area_.size();
    state_.resize(cells);
    next_.resize(cells);
    prev_.resize(cells);
    dist_.resize(cells);

    // A few tries, each from new ends and a new shortest way, while the
    // length misses its band: a way grown in a corner can jam early.
    const int target = best.target;
    auto miss = [&](int length) { return std::max({4 * target - 5 * length, 5 * length - 6 * target, 0}); };
    const bool fixedEnds = openings(settings.from).size() == 1 && openings(settings.to).size() == 1;
    int bestMiss = std::numeric_limits<int>::max();
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        std::int32_t start = 0;
        std::int32_t goal = 0;
        pickEnds(from, to, target, random, start, goal);
        first_ = firstCell(start, random);
        const int shortest = layShortest(start, first_, goal, settings.twist, random);
        const int length = grow(shortest, target, settings.twist, random);
        if (miss(length) < bestMiss) {
            bestMiss = miss(length);
            collect(start, best);
            best.shortest = shortest;
        }
        // A way already longer than the band has no better try when the
        // ends cannot change.
        if (bestMiss == 0 || (fixedEnds && 5 * shortest > 6 * target))
            break;
    }
    source = random;
    return best;
}

bool drawRoute(MazeBoard& board, const Route& route, BoardEdit* record)
{
    if (route.problem != RouteProblem::None || route.cells.size() < 2)
        return false;
    PathEditor editor(board, record);
    editor.chooseStart({route.cells.front().x, route.cells.front().y});
    for (std::size_t i = 1; i < route.cells.size(); ++i) {
        const int dx = route.cells[i].x - route.cells[i - 1].x;
        const int dy = route.cells[i].y - route.cells[i - 1].y;
        int d = 0;
        while (d < 4 && (PathEditor::Directions[d].dx != dx || PathEditor::Directions[d].dy != dy))
            ++d;
        if (d == 4)
            return false;
        const PathEditor::Outcome outcome = editor.step(d).outcome;
        if (outcome == PathEditor::Outcome::Refused || outcome == PathEditor::Outcome::TookBack)
            return false;
    }
    return true;
}
