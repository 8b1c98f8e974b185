#pragma once

#include "route_maker.h"

#include <optional>

class QWidget;

// The route dialog, "答えの道を自動で作る". The program shows the real one
// (QtRouteInteraction); tests answer by script, so that none waits on it.
class RouteInteraction {
public:
    virtual ~RouteInteraction() = default;

    // The dialog for the board of `maker`, preset with `current`; the
    // settings to make a route with, nothing on Cancel.
    virtual std::optional<RouteSettings> askRoute(QWidget* parent, const RouteMaker& maker,
                                                  const RouteSettings& current) = 0;
};

class QtRouteInteraction : public RouteInteraction {
public:
    std::optional<RouteSettings> askRoute(QWidget* parent, const RouteMaker& maker,
                                          const RouteSettings& current) override;
};
