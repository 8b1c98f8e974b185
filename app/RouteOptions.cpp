#include "CommandLine.h"
#include "CommandOptions.h"

#include "maze_batch.h"
#include "maze_board.h"
#include "route_maker.h"

#include <QStringList>

#include <cmath>

// The options of --random-route: a route of its own for every maze of a
// batch, its length, twist and ends, and --size for a board without a file.

namespace CommandLine {

namespace {

QString setRandomRoute(Request& r, const QString&, const QString&)
{
    r.randomRoute = true;
    return {};
}

// The route's own options need --random-route; the first one given is named
// when it is missing.
void routeOption(Request& r, const QString& name)
{
    if (r.routeOption.isEmpty())
        r.routeOption = name;
}

QString setRouteLength(Request& r, const QString& name, const QString& value)
{
    const auto percent = parseRouteLength(value.toStdString());
    if (!percent)
        return badValue(name, value);
    r.route.lengthPercent = *percent;
    routeOption(r, name);
    return {};
}

QString setTwist(Request& r, const QString& name, const QString& value)
{
    const auto twist = parseTwist(value.toStdString());
    if (!twist)
        return outOfRange(name, value, QStringLiteral("0"), QString::number(RouteSettings::MaxTwist));
    r.route.twist = *twist;
    routeOption(r, name);
    return {};
}

// A side's name, or the cell "x,y" (the ring is -1 and the width or height).
std::optional<RouteEnd> endOf(const QString& value)
{
    if (const auto side = routeSideFromName(value.toStdString()))
        return RouteEnd{*side, {}};
    // Digits only, as every number of the command line, with a minus sign
    // for the ring's column or row -1.
    const auto coordinate = [](const QString& text) -> std::optional<int> {
        const bool negative = text.startsWith(QLatin1Char('-'));
        const auto digits = number(negative ? text.mid(1) : text);
        if (!digits || *digits != std::floor(*digits) || *digits > MazeBoard::MaxSide + 1)
            return std::nullopt;
        return negative ? -int(*digits) : int(*digits);
    };
    const QStringList xy = value.split(QLatin1Char(','));
    if (xy.size() != 2)
        return std::nullopt;
    const auto x = coordinate(xy[0]);
    const auto y = coordinate(xy[1]);
    if (!x || !y)
        return std::nullopt;
    return RouteEnd{RouteSide::Chosen, RouteCell{*x, *y}};
}

QString setEnd(Request& r, const QString& name, const QString& value)
{
    const auto end = endOf(value);
    if (!end)
        return badValue(name, value);
    (name == QLatin1String("--from") ? r.route.from : r.route.to) = *end;
    routeOption(r, name);
    return {};
}

QString setSize(Request& r, const QString&, const QString& value)
{
    const auto size = parseBoardSize(value.toStdString());
    if (!size)
        return translated(QT_TRANSLATE_NOOP("CommandLine", "--size は 幅x高さ のマス数 (それぞれ 5〜400) で指定してください: %1"))
            .arg(value);
    r.size = *size;
    return {};
}

const OptionSpec Options[] = {
    {"--random-route", false, setRandomRoute,
     QT_TRANSLATE_NOOP("CommandLine", "  --random-route              --batch の迷路ごとに答えの道を新しく作る (描いた道の代わりに)\n")},
    {"--route-length", true, setRouteLength,
     QT_TRANSLATE_NOOP("CommandLine", "  --route-length 長さ         その道の長さ: short (短い) medium (普通、既定) long (長い)\n"
                                      "                              または迷路のマスに対する割合 5%〜60% (例: 30%)\n")},
    {"--twist", true, setTwist,
     QT_TRANSLATE_NOOP("CommandLine", "  --twist 数                  その道の曲がり方: 0 (まっすぐ) 〜 100 (くねくね)、既定 50\n")},
    {"--from", true, setEnd,
     QT_TRANSLATE_NOOP("CommandLine", "  --from 出入口               その道の入口: topleft (既定) topright bottomleft bottomright\n"
                                      "                              left right top bottom outside centre (中央の部屋) または x,y\n")},
    {"--to", true, setEnd,
     QT_TRANSLATE_NOOP("CommandLine", "  --to 出入口                 その道の出口: --from と同じ (既定: bottomright)\n")},
    {"--size", true, setSize,
     QT_TRANSLATE_NOOP("CommandLine", "  --size 幅x高さ              迷路ファイルの代わりに 幅x高さ マス (5〜400) の迷路にする\n")},
};

} // namespace

std::span<const OptionSpec> routeOptions()
{
    return Options;
}

} // namespace CommandLine
