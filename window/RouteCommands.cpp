#include "RouteCommands.h"

#include "Document.h"
#include "Interaction.h"
#include "RouteInteraction.h"
#include "maze_board.h"
#include "maze_random.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <string>

namespace {

QString text(const char* source)
{
    return QCoreApplication::translate("RouteCommands", source);
}

// An end in the settings: a side's name, or the cell "x,y" of a picked one.
QString endText(const RouteEnd& end)
{
    if (end.side == RouteSide::Chosen)
        return QStringLiteral("%1,%2").arg(end.cell.x).arg(end.cell.y);
    return QString::fromLatin1(routeSideName(end.side).data(), qsizetype(routeSideName(end.side).size()));
}

std::optional<RouteEnd> endFrom(const QString& text)
{
    if (const auto side = routeSideFromName(text.toStdString()))
        return RouteEnd{*side, {}};
    const QStringList xy = text.split(QLatin1Char(','));
    bool okX = false;
    bool okY = false;
    if (xy.size() == 2) {
        const RouteCell cell{xy[0].toInt(&okX), xy[1].toInt(&okY)};
        if (okX && okY)
            return RouteEnd{RouteSide::Chosen, cell};
    }
    return std::nullopt;
}

} // namespace

RouteCommands::RouteCommands(QWidget* window, Interaction& interaction)
    : window_(window)
    , interaction_(interaction)
    , ownDialogs_(std::make_unique<QtRouteInteraction>())
    , dialogs_(ownDialogs_.get())
{
}

RouteCommands::~RouteCommands() = default;

void RouteCommands::setRouteInteraction(RouteInteraction* dialogs)
{
    dialogs_ = dialogs ? dialogs : ownDialogs_.get();
}

QString RouteCommands::problemText(RouteProblem problem)
{
    switch (problem) {
    case RouteProblem::NoOpening: return text(QT_TRANSLATE_NOOP("RouteCommands", "この迷路にはその出入口がありません。"));
    case RouteProblem::NotAnOpening: return text(QT_TRANSLATE_NOOP("RouteCommands", "選んだマスは出入口になりません。"));
    case RouteProblem::SameOpening: return text(QT_TRANSLATE_NOOP("RouteCommands", "入口と出口が同じです。"));
    case RouteProblem::NoWay:
    case RouteProblem::None: break;
    }
    return text(QT_TRANSLATE_NOOP("RouteCommands", "入口から出口まで迷路の中を通る道がありません。"));
}

RouteSettings RouteCommands::storedSettings()
{
    const QSettings stored;
    RouteSettings s;
    const auto from = endFrom(stored.value(QStringLiteral("route/from")).toString());
    const auto to = endFrom(stored.value(QStringLiteral("route/to")).toString());
    if (from && to) {
        s.from = *from;
        s.to = *to;
    }
    s.lengthPercent = std::clamp(stored.value(QStringLiteral("route/length"), s.lengthPercent).toInt(),
                                 RouteSettings::MinPercent, RouteSettings::MaxPercent);
    s.twist = std::clamp(stored.value(QStringLiteral("route/twist"), s.twist).toInt(), RouteSettings::MinTwist,
                         RouteSettings::MaxTwist);
    return s;
}

void RouteCommands::storeSettings(const RouteSettings& s)
{
    QSettings stored;
    stored.setValue(QStringLiteral("route/from"), endText(s.from));
    stored.setValue(QStringLiteral("route/to"), endText(s.to));
    stored.setValue(QStringLiteral("route/length"), s.lengthPercent);
    stored.setValue(QStringLiteral("route/twist"), s.twist);
}

bool RouteCommands::makeRoute(Document& document)
{
    MazeBoard& board = document.board();
    RouteMaker maker(board);
    const std::optional<RouteSettings> settings = dialogs_->askRoute(window_, maker, storedSettings());
    if (!settings)
        return false;
    storeSettings(*settings);
    // The state before the route, so that the seed command can make it again.
    const std::uint32_t seed = board.randomSource().state();
    const Route route = maker.make(*settings, board.randomSource());
    if (route.problem != RouteProblem::None) {
        interaction_.showMessage(window_, Interaction::MessageKind::Warning, problemText(route.problem));
        return false;
    }
    if (!document.placeRoute(route, seed))
        return false;
    if (!route.withinBand())
        interaction_.showMessage(window_, Interaction::MessageKind::Plain,
                                 text(QT_TRANSLATE_NOOP("RouteCommands",
                                                        "%1 マスの道はこの迷路では作れませんでした。%2 マスの道にしました。"))
                                     .arg(route.target)
                                     .arg(route.length));
    return true;
}
