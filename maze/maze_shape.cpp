#include "maze_shape.h"

#include <deque>
#include <limits>

#include <algorithm>
#include <stdexcept>

namespace {

std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

// Marks with `mark` every cell reachable from the cells already on `stack`
// through cells for which `open(k)` holds and `label[k]` is still -1, and
// returns how many it marked (the cells on the stack included, which the
// caller has marked).
template <typename Open>
int flood(std::vector<std::int32_t>& label, std::vector<std::int32_t>& stack, int width, int height, int mark,
          const Open& open)
{
    int count = 0;
    while (!stack.empty()) {
        const int k = stack.back();
        stack.pop_back();
        ++count;
        const int x = k % width;
        const int y = k / width;
        auto visit = [&](int next) {
            if (label[at(next)] == -1 && open(next)) {
                label[at(next)] = mark;
                stack.push_back(next);
            }
        };
        if (x > 0)
            visit(k - 1);
        if (x + 1 < width)
            visit(k + 1);
        if (y > 0)
            visit(k - width);
        if (y + 1 < height)
            visit(k + width);
    }
    return count;
}

} // namespace

MazeShape::MazeShape(int width, int height)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , inside_(width_ * height_)
{
}

MazeShape::MazeShape(int width, int height, std::vector<std::uint8_t> cells)
    : MazeShape(width, height)
{
    if (width < 0 || height < 0 || cells.size() != at(width_) * at(height_))
        throw std::invalid_argument("a shape needs one byte per cell");
    inside_ = 0;
    for (std::uint8_t& c : cells) {
        c = c != 0;
        inside_ += c;
    }
    if (!isFull())
        cells_ = std::move(cells);
}

void MazeShape::materialise()
{
    if (cells_.empty())
        cells_.assign(at(width_) * at(height_), 1);
}

void MazeShape::setInside(int x, int y, bool inside)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || isInside(x, y) == inside)
        return;
    materialise();
    cells_[at(y * width_ + x)] = inside;
    inside_ += inside ? 1 : -1;
    if (isFull())
        cells_.clear();
}

std::vector<std::uint8_t> MazeShape::cellBytes() const
{
    if (cells_.empty())
        return std::vector<std::uint8_t>(at(width_) * at(height_), 1);
    return cells_;
}

MazeShape::Regions MazeShape::regions() const
{
    Regions r;
    const int n = cellCount();
    r.part.assign(at(n), -1);
    std::vector<std::int32_t> stack;
    // Left-out cells are kept apart with a mark no part uses.
    const int leftOut = -2;
    for (int k = 0; k < n; ++k)
        if (!cells_.empty() && !cells_[at(k)])
            r.part[at(k)] = leftOut;
    for (int k = 0; k < n; ++k) {
        if (r.part[at(k)] != -1)
            continue;
        r.part[at(k)] = r.count;
        stack.push_back(k);
        r.sizes.push_back(flood(r.part, stack, width_, height_, r.count, [](int) { return true; }));
        if (r.largest < 0 || r.sizes.back() > r.sizes[at(r.largest)])
            r.largest = r.count;
        ++r.count;
    }
    std::replace(r.part.begin(), r.part.end(), leftOut, -1);
    return r;
}

bool MazeShape::isOneRegion() const
{
    if (inside_ < MinRegionCells)
        return false;
    if (isFull())
        return true;
    return regions().count == 1;
}

MazeShape MazeShape::largestPart() const
{
    if (isFull())
        return *this;
    const Regions r = regions();
    std::vector<std::uint8_t> cells(at(cellCount()), 0);
    for (int k = 0; k < cellCount(); ++k)
        cells[at(k)] = r.part[at(k)] == r.largest && r.largest >= 0;
    return MazeShape(width_, height_, std::move(cells));
}

MazeShape MazeShape::joinedParts() const
{
    Regions r = regions();
    if (r.count <= 1)
        return *this;
    MazeShape out = *this;
    const int n = cellCount();
    // joined[k]: the cell belongs to a part already joined, or to a bridge.
    std::vector<std::uint8_t> joined(at(n), 0);
    for (int k = 0; k < n; ++k)
        joined[at(k)] = r.part[at(k)] == r.largest;
    std::vector<std::int32_t> cost(at(n)), from(at(n));
    std::deque<int> queue;
    for (int left = r.count - 1; left > 0; --left) {
        // A search that costs one for every left-out cell and nothing for an
        // inside one, from all joined cells at once: the first cell of an
        // unjoined part it settles is the nearest.
        std::fill(cost.begin(), cost.end(), std::numeric_limits<std::int32_t>::max());
        std::fill(from.begin(), from.end(), -1);
        queue.clear();
        for (int k = 0; k < n; ++k)
            if (joined[at(k)]) {
                cost[at(k)] = 0;
                queue.push_back(k);
            }
        int reached = -1;
        while (!queue.empty()) {
            const int k = queue.front();
            queue.pop_front();
            if (!joined[at(k)] && r.part[at(k)] >= 0) {
                reached = k;
                break;
            }
            const int x = k % width_, y = k / width_;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto& [nx, ny] : next) {
                if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_)
                    continue;
                const int m = ny * width_ + nx;
                const bool inside = r.part[at(m)] >= 0;
                const std::int32_t c = cost[at(k)] + (inside ? 0 : 1);
                if (c < cost[at(m)]) {
                    cost[at(m)] = c;
                    from[at(m)] = k;
                    if (inside)
                        queue.push_front(m);
                    else
                        queue.push_back(m);
                }
            }
        }
        if (reached < 0)
            break;
        // The bridge: the left-out cells on the way back become inside.
        for (int k = from[at(reached)]; k >= 0 && !joined[at(k)]; k = from[at(k)]) {
            if (r.part[at(k)] < 0)
                out.setInside(k % width_, k / width_, true);
            joined[at(k)] = 1;
        }
        const std::int32_t part = r.part[at(reached)];
        for (int k = 0; k < n; ++k)
            if (r.part[at(k)] == part)
                joined[at(k)] = 1;
    }
    return out;
}

std::vector<std::uint8_t> MazeShape::cutOffCells() const
{
    std::vector<std::uint8_t> out(at(cellCount()), 0);
    if (isFull())
        return out;
    const Regions r = regions();
    for (int k = 0; k < cellCount(); ++k)
        out[at(k)] = r.part[at(k)] >= 0 && r.part[at(k)] != r.largest;
    return out;
}

std::vector<std::uint8_t> MazeShape::holeCells() const
{
    std::vector<std::uint8_t> out(at(cellCount()), 0);
    if (isFull())
        return out;
    // Left-out cells reached from the ring: those on the border of the grid,
    // and every left-out cell joined to one through left-out cells.
    std::vector<std::int32_t> label(at(cellCount()), -1);
    std::vector<std::int32_t> stack;
    auto open = [this](int k) { return cells_[at(k)] == 0; };
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const int k = y * width_ + x;
            const bool border = x == 0 || y == 0 || x == width_ - 1 || y == height_ - 1;
            if (border && open(k) && label[at(k)] == -1) {
                label[at(k)] = 0;
                stack.push_back(k);
            }
        }
    flood(label, stack, width_, height_, 0, open);
    for (int k = 0; k < cellCount(); ++k)
        out[at(k)] = open(k) && label[at(k)] == -1;
    return out;
}

void MazeShape::leaveOutCentre(int n)
{
    if (n <= 0)
        return;
    // Half the spare cells before the room, rounded down (towards minus
    // infinity, for a room larger than the grid).
    auto before = [n](int side) { return side >= n ? (side - n) / 2 : -((n - side + 1) / 2); };
    const int left = before(width_);
    const int top = before(height_);
    for (int y = std::max(top, 0); y < std::min(top + n, height_); ++y)
        for (int x = std::max(left, 0); x < std::min(left + n, width_); ++x)
            setInside(x, y, false);
}

bool MazeShape::operator==(const MazeShape& other) const
{
    if (width_ != other.width_ || height_ != other.height_ || inside_ != other.inside_)
        return false;
    // Equal counts: two full shapes, or two that both keep their bytes.
    return cells_ == other.cells_;
}
