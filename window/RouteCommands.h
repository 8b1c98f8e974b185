#pragma once

#include "route_maker.h"

#include <QString>

#include <memory>

class Document;
class Interaction;
class QWidget;
class RouteInteraction;

// The Maze menu's "答えの道を自動で作る...": asks for the ends, the length and
// the twist of a route, makes one on the board from the board's random
// source and gives it to the document as the drawn path, complete and
// undoable in one step. The last settings are kept (route/...) for the next
// time and the next program.
class RouteCommands {
public:
    // `window` is the parent of every dialog; `interaction` tells.
    RouteCommands(QWidget* window, Interaction& interaction);
    ~RouteCommands();

    // The route dialog by script (tests); null restores the real one.
    void setRouteInteraction(RouteInteraction* dialogs);

    // The dialog, then the route: true when the document has a new path. A
    // route that cannot be made is a message and changes nothing; one that
    // misses its length says what it reached.
    bool makeRoute(Document& document);

    static RouteSettings storedSettings();
    // Why a route cannot be made, as the window says it.
    static QString problemText(RouteProblem problem);
    static void storeSettings(const RouteSettings& settings);

private:
    QWidget* window_;
    Interaction& interaction_;
    std::unique_ptr<RouteInteraction> ownDialogs_;
    RouteInteraction* dialogs_;
};
