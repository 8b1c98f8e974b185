#include "shape_presets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

struct PresetEntry {
    ShapePreset preset;
    std::string_view name;
};

constexpr PresetEntry Presets[] = {
    {ShapePreset::Circle, "circle"},     {ShapePreset::Heart, "heart"},       {ShapePreset::Star, "star"},
    {ShapePreset::Diamond, "diamond"},   {ShapePreset::Triangle, "triangle"}, {ShapePreset::Rounded, "rounded"},
};

// The figures in the square -1 ... 1 (u across, v downwards) that the board
// is stretched over; the cell centre (x + 1/2, y + 1/2) lies at
// u = (2x + 1) / W - 1, v = (2y + 1) / H - 1.

bool inHeart(double u, double v)
{
    // (X^2 + Y^2 - 1)^3 <= X^2 Y^3, Y upwards, which spans X -1.138 ... 1.138
    // and Y -1 ... 1.236.
    const double X = u * 1.138;
    const double Y = 1.236 - (v + 1) / 2 * 2.236;
    const double r = X * X + Y * Y - 1;
    return r * r * r <= X * X * Y * Y * Y;
}

bool inStar(double u, double v)
{
    // Ten corners round the centre, the outer ones on a circle of radius 1
    // and the inner ones at 0.45 of it (a little fuller than the regular
    // star's 0.38, so that the points stay wide enough for a path). The
    // star spans x -0.951 ... 0.951 and y -1 ... 0.809, y downwards.
    static const std::array<std::array<double, 2>, 10> corners = [] {
        std::array<std::array<double, 2>, 10> c{};
        for (int i = 0; i < 10; ++i) {
            const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const double radius = i % 2 == 0 ? 1.0 : 0.45;
            c[static_cast<std::size_t>(i)] = {radius * std::cos(angle), radius * std::sin(angle)};
        }
        return c;
    }();
    const double px = u * 0.951;
    const double py = -1 + (v + 1) / 2 * 1.809;
    bool in = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const auto& a = corners[i];
        const auto& b = corners[j];
        if ((a[1] > py) != (b[1] > py) && px < (b[0] - a[0]) * (py - a[1]) / (b[1] - a[1]) + a[0])
            in = !in;
    }
    return in;
}

bool inFigure(ShapePreset preset, int x, int y, int W, int H)
{
    // The numerators are exact, so mirrored cells get exactly opposite values.
    const double u = double(2 * x + 1 - W) / W;
    const double v = double(2 * y + 1 - H) / H;
    switch (preset) {
    case ShapePreset::Circle: return u * u + v * v <= 1;
    case ShapePreset::Heart: return inHeart(u, v);
    case ShapePreset::Star: return inStar(u, v);
    case ShapePreset::Diamond: return std::abs(u) + std::abs(v) <= 1;
    case ShapePreset::Triangle: return std::abs(u) <= (v + 1) / 2;
    case ShapePreset::Rounded: break;
    }
    // In cells: the corner squares of side r keep only their quarter circle;
    // at least two cells, so that even a small board loses its corners.
    const double r = std::max(2.0, std::min(W, H) / 4.0);
    const double cx = x + 0.5;
    const double cy = y + 0.5;
    const double dx = cx < r ? r - cx : cx > W - r ? cx - (W - r) : 0;
    const double dy = cy < r ? r - cy : cy > H - r ? cy - (H - r) : 0;
    return dx * dx + dy * dy <= r * r;
}

} // namespace

std::string_view presetName(ShapePreset preset)
{
    for (const PresetEntry& entry : Presets)
        if (entry.preset == preset)
            return entry.name;
    return Presets[0].name;
}

std::optional<ShapePreset> presetFromName(std::string_view name)
{
    for (const PresetEntry& entry : Presets)
        if (entry.name == name)
            return entry.preset;
    return std::nullopt;
}

MazeShape presetShape(ShapePreset preset, int width, int height, int centreRoom)
{
    if (width <= 0 || height <= 0)
        return MazeShape();
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            cells[static_cast<std::size_t>(y * width + x)] = inFigure(preset, x, y, width, height);
    MazeShape shape = MazeShape(width, height, std::move(cells)).largestPart();
    shape.leaveOutCentre(centreRoom);
    return shape;
}

std::vector<std::uint8_t> cellInk(const ShapeRaster& raster, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    if (raster.width <= 0 || raster.height <= 0 || !raster.pixels)
        return ink;
    // The pixels under cell x: first[x] ... first[x + 1] - 1 when the picture
    // is at least as wide as the board, the one pixel it lies in otherwise.
    auto spans = [](int pixels, int cells) {
        std::vector<std::int32_t> from(static_cast<std::size_t>(cells)), to(static_cast<std::size_t>(cells));
        for (int c = 0; c < cells; ++c) {
            const auto a = static_cast<std::int32_t>(std::int64_t(c) * pixels / cells);
            const auto b = static_cast<std::int32_t>(std::int64_t(c + 1) * pixels / cells);
            from[static_cast<std::size_t>(c)] = a;
            to[static_cast<std::size_t>(c)] = std::max(b, a + 1);
        }
        return std::pair{from, to};
    };
    const auto [fromX, toX] = spans(raster.width, width);
    const auto [fromY, toY] = spans(raster.height, height);
    const bool alpha = raster.values == ShapeRaster::Values::Alpha;
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        const int rowsFrom = fromY[static_cast<std::size_t>(y)];
        const int rowsTo = toY[static_cast<std::size_t>(y)];
        for (int py = rowsFrom; py < rowsTo; ++py) {
            const std::uint8_t* row = raster.pixels + py * raster.stride;
            for (int x = 0; x < width; ++x) {
                std::uint32_t sum = 0; // at most 255 per pixel of one row of one cell
                const int end = toX[static_cast<std::size_t>(x)];
                for (int px = fromX[static_cast<std::size_t>(x)]; px < end; ++px)
                    sum += row[px];
                sums[static_cast<std::size_t>(x)] += sum;
            }
        }
        for (int x = 0; x < width; ++x) {
            const std::uint64_t pixels = std::uint64_t(rowsTo - rowsFrom)
                * std::uint64_t(toX[static_cast<std::size_t>(x)] - fromX[static_cast<std::size_t>(x)]);
            const std::uint64_t sum = sums[static_cast<std::size_t>(x)];
            ink[static_cast<std::size_t>(y * width + x)] =
                static_cast<std::uint8_t>((alpha ? sum : 255 * pixels - sum) / pixels);
        }
    }
    return ink;
}

MazeShape shapeFromInk(const std::vector<std::uint8_t>& ink, int width, int height, int threshold, bool invert)
{
    if (width <= 0 || height <= 0 || ink.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return MazeShape(std::max(width, 0), std::max(height, 0));
    std::vector<std::uint8_t> cells(ink.size());
    std::transform(ink.begin(), ink.end(), cells.begin(),
                   [&](std::uint8_t v) { return std::uint8_t((v >= threshold) != invert); });
    return MazeShape(width, height, std::move(cells));
}
