#include "RouteInteraction.h"

#include "RouteDialog.h"

std::optional<RouteSettings> QtRouteInteraction::askRoute(QWidget* parent, const RouteMaker& maker,
                                                          const RouteSettings& current)
{
    TFRoute dialog(parent);
    return dialog.AskRoute(maker, current);
}
