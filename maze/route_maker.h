#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class BoardEdit;
class MazeBoard;
class RandomSource;

// Where one end of a made route lies. Every end is an opening: an outside
// cell (the border ring, or a cell the shape leaves out) next to an inside
// cell, as the start and the head of a drawn path are.
//  - The four corners: the openings whose inside cell lies nearest that
//    corner of the grid.
//  - The four sides: the openings that step into the shape's outermost
//    column or row on that side (Left: a step right into the leftmost
//    column the shape has, and so on).
//  - Outside: any opening reached from the border ring without crossing the
//    shape; Centre: any opening in a room the shape encloses.
//  - Chosen: the one outside cell given by its position.
// The route then enters the maze from its opening on whichever side is best.
enum class RouteSide {
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Left,
    Right,
    Top,
    Bottom,
    Outside,
    Centre,
    Chosen,
};

// The names of the sides on the command line: "topleft", "topright",
// "bottomleft", "bottomright", "left", "right", "top", "bottom", "outside",
// "centre" (also "center"). Chosen has no name.
std::optional<RouteSide> routeSideFromName(std::string_view name);
std::string_view routeSideName(RouteSide side);

struct RouteCell {
    int x;
    int y;
    bool operator==(const RouteCell&) const = default;
};

struct RouteEnd {
    RouteSide side = RouteSide::TopLeft;
    RouteCell cell{}; // only for Chosen
    bool operator==(const RouteEnd&) const = default;
};

// What route to make: its two ends, its length as a share of the inside
// cells, and how much it winds.
struct RouteSettings {
    static constexpr int MinPercent = 5;
    static constexpr int MaxPercent = 60;
    static constexpr int ShortPercent = 10;
    static constexpr int MediumPercent = 25;
    static constexpr int LongPercent = 45;
    // 0 runs as straight as it can, 100 turns wherever it can.
    static constexpr int MinTwist = 0;
    static constexpr int MaxTwist = 100;
    static constexpr int DefaultTwist = 50;

    RouteEnd from{RouteSide::TopLeft, {}};
    RouteEnd to{RouteSide::BottomRight, {}};
    int lengthPercent = MediumPercent;
    int twist = DefaultTwist;
    bool operator==(const RouteSettings&) const = default;
};

// The ends offered as ready pairs: top-left to bottom-right, left to right,
// top to bottom, outside to the centre room (only where there is one).
struct RoutePreset {
    RouteSide from;
    RouteSide to;
};
inline constexpr RoutePreset RoutePresets[] = {{RouteSide::TopLeft, RouteSide::BottomRight},
                                               {RouteSide::Left, RouteSide::Right},
                                               {RouteSide::Top, RouteSide::Bottom},
                                               {RouteSide::Outside, RouteSide::Centre}};

// --route-length: "short", "medium", "long", or "P%" with P from MinPercent
// to MaxPercent. --twist: MinTwist ... MaxTwist in decimal digits.
std::optional<int> parseRouteLength(std::string_view text);
std::optional<int> parseTwist(std::string_view text);

// Why no route could be made.
enum class RouteProblem {
    None,
    NoOpening,    // a side has no opening (Centre without a centre room)
    NotAnOpening, // a chosen cell is not an outside cell next to an inside cell
    SameOpening,  // both ends can only be the same opening
    NoWay,        // no way through the inside cells joins the two ends
};

// A made route: the opening it starts from, the inside cells it runs
// through in order, the opening it ends at.
struct Route {
    RouteProblem problem = RouteProblem::None;
    std::vector<RouteCell> cells;
    int length = 0;   // inside cells on the route
    int target = 0;   // inside cells asked for
    int shortest = 0; // the fewest inside cells a route between its two openings has

    // Within a fifth of the target either way.
    bool withinBand() const
    {
        return problem == RouteProblem::None && 5 * length >= 4 * target && 5 * length <= 6 * target;
    }
    // Cells where the route turns, among its inside cells.
    int turns() const;
};

// Makes random simple routes between openings through the inside cells of a
// grid: first a shortest way between two openings of the asked sides, then
// grown two cells at a time, a step of the route pushed aside into two free
// cells beside it, until it has the asked length. Every route is drawn from
// the random source alone, so one source state gives one route, and every
// route is made in time bounded by the size of the grid.
class RouteMaker {
public:
    // The grid with every cell inside, or with the cells whose byte in
    // `inside` (W*H bytes, row by row) is non-zero; an empty mask is the
    // whole grid.
    RouteMaker(int width, int height, std::vector<std::uint8_t> inside = {});
    // The board's grid, inside where its shape is (MazeBoard::isInside).
    explicit RouteMaker(const MazeBoard& board);

    int width() const { return width_; }
    int height() const { return height_; }
    int insideCount() const { return insideCount_; }
    bool isInside(int x, int y) const;
    // An outside cell (ring or left out) next to an inside cell.
    bool isOpening(RouteCell cell) const;
    // Some opening lies in a room the shape encloses.
    bool hasCentre() const;
    // The openings an end may be, each once, in row order.
    std::vector<RouteCell> openings(const RouteEnd& end) const;
    // The inside cells a share of percent asks for (at least one).
    int targetLength(int percent) const;

    // What stands in the way of a route with these ends; draws nothing.
    RouteProblem check(const RouteSettings& settings) const;

    // A route with the settings' ends and length, drawn from `random`. The
    // length lands within a fifth of the target wherever the grid allows
    // it; otherwise the route comes as near as it could (see `length` and
    // `shortest`). A problem with the ends gives a route without cells.
    Route make(const RouteSettings& settings, RandomSource& random);

private:
    struct Door {
        std::int32_t outside; // cells on the grid with the ring around it
        std::int32_t inside;
        bool outer;
    };
    // Cell states on the grid with the ring.
    enum : std::uint8_t { Outside = 0, Free = 1, Used = 2 };

    std::vector<Door> doorsOf(const RouteEnd& end) const;
    std::vector<std::array<std::int32_t, 2>> openingsByPart(const std::vector<Door>& doors) const;
    bool hasPartner(const std::vector<std::array<std::int32_t, 2>>& others, const Door& door) const;
    void pickEnds(const std::vector<Door>& from, const std::vector<Door>& to, int target, RandomSource& random,
                  std::int32_t& start, std::int32_t& goal);
    void measureFrom(std::int32_t goal);
    std::int32_t firstCell(std::int32_t start, RandomSource& random) const;
    int layShortest(std::int32_t start, std::int32_t first, std::int32_t goal, int twist, RandomSource& random);
    int grow(int length, int target, int twist, RandomSource& random);
    void collect(std::int32_t start, Route& route) const;

    int at(int x, int y) const { return (y + 1) * stride_ + x + 1; }
    RouteCell cellOf(std::int32_t k) const { return {k % stride_ - 1, k / stride_ - 1}; }
    static std::size_t u(std::int32_t k) { return static_cast<std::size_t>(k); }

    int width_;
    int height_;
    int stride_;
    int insideCount_ = 0;
    std::vector<std::uint8_t> area_;      // Free inside, Outside elsewhere
    std::vector<std::int32_t> part_;      // 4-connected part of each inside cell, -1 outside
    std::vector<Door> doors_;

    // Tries at one route while its length misses the band.
    static constexpr int MaxAttempts = 6;

    // Scratch of one route, kept between routes of the same grid.
    std::int32_t first_ = 0; // the route's first inside cell
    std::vector<std::uint8_t> state_;
    std::vector<std::int32_t> next_;
    std::vector<std::int32_t> prev_;
    std::vector<std::int32_t> dist_;
    std::vector<std::int32_t> queue_;
    std::vector<std::int32_t> pool_;
};

// Writes the route onto the board as the drawn path, through the path
// editor and so exactly as the keys would leave it: the start on its first
// cell, a step to each further cell, the head on its last. Whatever path the
// board had is erased first. With `record`, every change is kept there for
// one undo. False, with the board as the editor left it, for a route without
// cells or a step the editor refuses.
bool drawRoute(MazeBoard& board, const Route& route, BoardEdit* record = nullptr);
