// Answer routes made for the user: the route dialog, and Maze → 答えの道を自動で
// 作る... turning a route into the drawn path, complete and undoable in one step.

#include "RouteDialog.h"
#include "RouteInteraction.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "shape_presets.h"
#include "test_support.h"
#include "window_harness.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <deque>

using testing_support::Cell;
using testing_support::drawnPath;

namespace {

const QString PressMakeMaze = QStringLiteral("迷路作成ボタンを押してください。");

struct ScriptedRoutes : RouteInteraction {
    std::deque<std::optional<RouteSettings>> answers;
    std::vector<RouteSettings> shown; // what each dialog was preset with
    std::optional<RouteSettings> askRoute(QWidget*, const RouteMaker&, const RouteSettings& current) override
    {
        shown.push_back(current);
        if (answers.empty())
            return std::nullopt;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

RouteSettings settings(RouteSide from, RouteSide to, int percent, int twist = 50)
{
    RouteSettings s;
    s.from = {from, {}};
    s.to = {to, {}};
    s.lengthPercent = percent;
    s.twist = twist;
    return s;
}

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

class RouteWindowTest : public QObject {
    Q_OBJECT

private slots:
    void dialogOffersThePairsPicksOpeningsAndReadsBack();
    void routeBecomesTheCompletePathInOneUndoableStep();
    void aDrawnPathIsReplacedOnlyAfterTheQuestion();
};

void RouteWindowTest::dialogOffersThePairsPicksOpeningsAndReadsBack()
{
    RouteMaker full(20, 15);
    RouteMaker room(21, 21, presetShape(ShapePreset::Circle, 21, 21, 5).cellBytes());
    TFRoute d;
    d.ShowRoute(full, RouteSettings{});
    QCOMPARE(d.windowTitle(), QStringLiteral("答えの道を自動で作る"));
    const QStringList pairs{QStringLiteral("左上 → 右下"), QStringLiteral("左 → 右"), QStringLiteral("上 → 下")};
    const QString picked = QStringLiteral("グリッドで選んだ出入口");
    QCOMPARE(itemsOf(d.CBEnds), QStringList(pairs) << picked);
    d.ShowRoute(room, RouteSettings{});
    QCOMPARE(itemsOf(d.CBEnds), QStringList(pairs) << QStringLiteral("外 → 中央") << picked);

    // What is shown is what is read, on the board it fits; what does not
    // fit the board falls back to the first pair.
    const RouteSettings chosen{{RouteSide::Chosen, {-1, 3}}, {RouteSide::Chosen, {20, 7}}, 33, 70};
    const RouteSettings first = settings(RouteSide::TopLeft, RouteSide::BottomRight, 33, 70);
    const struct {
        RouteMaker& maker;
        RouteSettings shown;
        RouteSettings read;
        const char* length;
    } table[] = {
        {full, settings(RouteSide::Left, RouteSide::Right, 10, 0), settings(RouteSide::Left, RouteSide::Right, 10, 0), "短い"},
        {room, settings(RouteSide::Outside, RouteSide::Centre, 45, 100),
         settings(RouteSide::Outside, RouteSide::Centre, 45, 100), "長い"},
        {full, chosen, chosen, "割合で指定"},
        {full, settings(RouteSide::Outside, RouteSide::Centre, 33, 70), first, "割合で指定"},
        {full, {{RouteSide::Chosen, {5, 5}}, {RouteSide::Chosen, {20, 7}}, 33, 70}, first, "割合で指定"},
    };
    for (const auto& row : table) {
        d.ShowRoute(row.maker, row.shown);
        QCOMPARE(d.ReadRoute(), row.read);
        QCOMPARE(d.CBLength->currentText(), QString::fromUtf8(row.length));
        QVERIFY2(d.LbTarget->text().contains(QString::number(row.maker.targetLength(row.read.lengthPercent))),
                 qPrintable(d.LbTarget->text()));
        QVERIFY(d.BtOK->isEnabled());
    }
    // A named length sets the spin box.
    d.CBLength->setCurrentIndex(1);
    emit d.CBLength->activated(1);
    QCOMPARE(d.SELength->value(), RouteSettings::MediumPercent);

    // Presses pick the nearest opening: the start, then the goal; OK waits
    // for both.
    d.ShowRoute(full, RouteSettings{});
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QTest::mouseClick(d.Picture, Qt::LeftButton, {}, d.Picture->centreOf({0, 7}));
    QCOMPARE(d.CBEnds->currentText(), picked);
    QVERIFY(!d.BtOK->isEnabled());
    QCOMPARE(d.LbHint->text(), QStringLiteral("出口をクリックしてください。"));
    QTest::mouseClick(d.Picture, Qt::LeftButton, {}, d.Picture->centreOf({20, 2}));
    QVERIFY(d.BtOK->isEnabled());
    const RouteSettings read = d.ReadRoute();
    QCOMPARE(read.from, (RouteEnd{RouteSide::Chosen, {-1, 7}}));
    QCOMPARE(read.to, (RouteEnd{RouteSide::Chosen, {20, 2}}));
}

void RouteWindowTest::routeBecomesTheCompletePathInOneUndoableStep()
{
    WindowHarness h;
    ScriptedRoutes routes;
    h.window->setRouteInteraction(&routes);
    h.newBoard(24, 18, 10);
    const testing_support::BoardSnapshot empty(h.window->board());
    const std::uint32_t seed = h.window->board().randomSource().state();
    const RouteSettings asked = settings(RouteSide::TopLeft, RouteSide::BottomRight, 45, 30);
    routes.answers.push_back(asked);
    h.action("MMRandomRoute")->trigger();
    QCOMPARE(h.window->document().seedShown(), seed);
    QVERIFY2(h.script.questions.empty(), "no path to replace, no question");
    QCOMPARE(routes.shown.size(), std::size_t(1));
    QCOMPARE(routes.shown[0], RouteSettings{});

    const MazeBoard& b = h.window->board();
    const std::vector<Cell> path = drawnPath(b);
    const testing_support::BoardSnapshot made(b);
    const auto length = static_cast<int>(path.size()) - 2;
    QVERIFY2(5 * length >= 4 * 194 && 5 * length <= 6 * 194, qPrintable(QString::number(length)));
    QCOMPARE(measureMaze(b).answerLength, length);
    QCOMPARE(path.back(), (Cell{b.curX, b.curY}));
    QVERIFY(testing_support::onRing(b, b.curX, b.curY));
    QVERIFY(h.window->canMakeMaze() && h.window->mazeMode() == 0 && h.window->isModified());
    QCOMPARE(h.window->statusText(), PressMakeMaze);
    QVERIFY(h.action("MMMakeMaze")->isEnabled());
    QCOMPARE(QSettings().value(QStringLiteral("route/length")).toInt(), 45);
    QCOMPARE(QSettings().value(QStringLiteral("route/from")).toString(), QStringLiteral("topleft"));

    // Editable as a drawn path: the key back along the last step takes it back.
    const Cell before = path[path.size() - 2];
    const Qt::Key back = before.x < b.curX ? Qt::Key_Left : before.x > b.curX ? Qt::Key_Right
                       : before.y < b.curY ? Qt::Key_Up : Qt::Key_Down;
    h.press(back);
    QCOMPARE((Cell{b.curX, b.curY}), before);
    QVERIFY(!h.window->canMakeMaze());
    // One undo for the key, one for the whole route.
    h.action("MMUndo")->trigger();
    QCOMPARE(testing_support::BoardSnapshot(b), made);
    h.action("MMUndo")->trigger();
    QCOMPARE(testing_support::BoardSnapshot(b), empty);
    QVERIFY(!h.window->canMakeMaze());
    h.action("MMRedo")->trigger();
    QCOMPARE(testing_support::BoardSnapshot(b), made);
    QVERIFY(h.window->canMakeMaze());

    // F5 makes the maze in any style, with the route its only way.
    const std::vector<Cell> inner(path.begin() + 1, path.end() - 1);
    for (const char* style : {"MMStyleStandard", "MMStyleCorridors", "MMStyleDeadEnds", "MMStyleUniform"}) {
        h.action(style)->trigger();
        h.action("MMMakeMaze")->trigger();
        QCOMPARE(h.window->mazeMode(), 1);
        QVERIFY2(testing_support::route(b, inner.front(), inner.back()) == inner, style);
        QCOMPARE(testing_support::reachableCount(b, inner.front()), 24 * 18);
    }

    // The seed the route was made from makes it again.
    h.script.seeds.push_back(seed);
    h.action("MMSeed")->trigger();
    h.script.answers.push_back(Interaction::Answer::No);
    routes.answers.push_back(asked);
    h.action("MMRandomRoute")->trigger();
    QVERIFY(drawnPath(b) == path);
    QVERIFY(h.script.unexpected.empty());
}

void RouteWindowTest::aDrawnPathIsReplacedOnlyAfterTheQuestion()
{
    WindowHarness h;
    ScriptedRoutes routes;
    h.window->setRouteInteraction(&routes);
    h.newBoard(12, 8, 10);
    const MazeBoard& b = h.window->board();
    h.pressKeys("RRRDR");
    const testing_support::BoardSnapshot drawn(b);
    const RouteSettings leftRight = settings(RouteSide::Left, RouteSide::Right, 30);

    // Cancel keeps the path, and no dialog opens.
    h.script.answers.push_back(Interaction::Answer::Cancel);
    h.action("MMRandomRoute")->trigger();
    QCOMPARE(h.script.questions.size(), std::size_t(1));
    QVERIFY(routes.shown.empty());
    QCOMPARE(testing_support::BoardSnapshot(b), drawn);

    // Cancel in the dialog, and ends the board does not have: nothing
    // changes, the second with a message.
    routes.answers = {std::nullopt, settings(RouteSide::Outside, RouteSide::Centre, 30)};
    h.script.answers = {Interaction::Answer::No, Interaction::Answer::No};
    h.action("MMRandomRoute")->trigger();
    h.action("MMRandomRoute")->trigger();
    QCOMPARE(routes.shown.size(), std::size_t(2));
    QCOMPARE(testing_support::BoardSnapshot(b), drawn);
    QCOMPARE(h.script.messages.size(), std::size_t(1));
    QCOMPARE(h.script.messages[0].text, QStringLiteral("この迷路にはその出入口がありません。"));
    QCOMPARE(h.script.messages[0].kind, Interaction::MessageKind::Warning);

    // No: the route replaces the path. The dialog offers the ends asked
    // for last, even those this board lacked.
    h.script.answers.push_back(Interaction::Answer::No);
    routes.answers.push_back(leftRight);
    h.action("MMRandomRoute")->trigger();
    QCOMPARE(routes.shown.back(), settings(RouteSide::Outside, RouteSide::Centre, 30));
    QCOMPARE(b.startX, -1);
    QCOMPARE(b.curX, 12);
    QVERIFY(h.window->canMakeMaze());

    // A length the board cannot have: the route comes as near as it can,
    // and says so.
    h.newBoard(5, 5, 10);
    routes.answers.push_back(settings(RouteSide::TopLeft, RouteSide::BottomRight, 10));
    h.action("MMRandomRoute")->trigger();
    QCOMPARE(routes.shown.back(), leftRight);
    QCOMPARE(measureMaze(b).answerLength, 9);
    QCOMPARE(h.script.messages.back().kind, Interaction::MessageKind::Plain);
    QVERIFY2(h.script.messages.back().text.contains(QStringLiteral("3 マス"))
                 && h.script.messages.back().text.contains(QStringLiteral("9 マス")),
             qPrintable(h.script.messages.back().text));
    QVERIFY(h.window->canMakeMaze());
    QVERIFY(h.script.unexpected.empty());
}

QTEST_MAIN(RouteWindowTest)
#include "route_window_test.moc"
