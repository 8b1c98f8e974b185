// Undo and redo through the window, and drawing the path with the mouse.

#include "Application.h"
#include "EditHistory.h"
#include "maze_random.h"
#include "test_support.h"
#include "window_harness.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

#include <random>

using testing_support::BoardSnapshot;

namespace {

using Answer = Interaction::Answer;

// Everything an undo or redo must put back: the board's arrays and marks,
// the window's flags, prompt and control states, and the picture.
struct WindowState {
    BoardSnapshot board;
    int mazeMode;
    bool canMakeMaze;
    bool mazeMade;
    QString prompt;
    QString summary; // the maze's figures, while shown
    QList<bool> controls;
    QImage picture;

    explicit WindowState(const WindowHarness& h)
        : board(h.window->board())
        , mazeMode(h.window->mazeMode())
        , canMakeMaze(h.window->canMakeMaze())
        , mazeMade(h.window->mazeMade())
        , prompt(h.window->statusText())
    {
        if (!h.window->findChild<QWidget*>(QStringLiteral("Panels1"))->isHidden())
            summary = h.window->summaryText();
        for (const char* name : {"MMMakeMaze", "MMSave", "MMSaveAs", "MMDrawAnswer", "MMTransparentMode"})
            controls << h.action(name)->isEnabled();
        controls << h.action("MMDrawAnswer")->isChecked();
        int w = 0, height = 0;
        h.window->board().getImageSize(w, height);
        picture = h.window->image()->pixels().copy(0, 0, w, height);
    }
    bool operator==(const WindowState& o) const
    {
        return board == o.board && mazeMode == o.mazeMode && canMakeMaze == o.canMakeMaze && mazeMade == o.mazeMade
            && prompt == o.prompt && summary == o.summary && controls == o.controls && picture == o.picture;
    }
};

QPoint centreOf(const MazeBoard& b, int cx, int cy)
{
    const int g = b.getGridSize();
    return {b.getMarginX() + cx * g + g / 2, b.getMarginY() + cy * g + g / 2};
}

// A left-button drag on the picture through the given cells.
void drag(WindowHarness& h, const std::vector<std::pair<int, int>>& cells)
{
    MazeImage* image = h.window->image();
    const MazeBoard& b = h.window->board();
    QTest::mousePress(image, Qt::LeftButton, {}, centreOf(b, cells.front().first, cells.front().second));
    for (const auto& [x, y] : cells)
        QTest::mouseMove(image, centreOf(b, x, y));
    QTest::mouseRelease(image, Qt::LeftButton, {}, centreOf(b, cells.back().first, cells.back().second));
}

// Triggers the command while it is enabled; how many times.
int whileEnabled(WindowHarness& h, const char* command)
{
    int n = 0;
    for (; h.action(command)->isEnabled(); ++n)
        h.action(command)->trigger();
    return n;
}

int undoAll(WindowHarness& h)
{
    return whileEnabled(h, "MMUndo");
}

int redoAll(WindowHarness& h)
{
    return whileEnabled(h, "MMRedo");
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void undoAllAndRedoAllOnRandomEdits();
    void makeMazeUndoneAndRedone();
    void modifiedFollowsTheSavedState();
    void historyIsHeldToItsByteLimit();
    void mouseDragDrawsAsTheKeysDo();
    void dragKeepsTheHeadInView();
};

// Random keys, drags, start clicks, Initialise and Make Maze on random boards:
// undoing everything gives back the first state exactly, picture included;
// redoing everything the last, without drawing a random value.
void UndoTest::undoAllAndRedoAllOnRandomEdits()
{
    WindowHarness h;
    std::mt19937 rng(14);
    for (int round = 0; round < 6; ++round) {
        const int W = std::uniform_int_distribution<int>(2, 12)(rng);
        const int H = std::uniform_int_distribution<int>(2, 12)(rng);
        h.newBoard(W, H, std::uniform_int_distribution<int>(3, 12)(rng));
        QVERIFY(!h.action("MMUndo")->isEnabled());
        const WindowState first(h);
        const QString firstTitle = h.window->windowTitle();
        auto ringCell = [&] {
            const int x = std::uniform_int_distribution<int>(-1, W)(rng);
            const bool side = x == -1 || x == W;
            return std::pair{x, side ? std::uniform_int_distribution<int>(0, H - 1)(rng) : (rng() % 2 ? -1 : H)};
        };
        for (int action = 0; action < 40; ++action) {
            const MazeBoard& b = h.window->board();
            switch (std::uniform_int_distribution<int>(0, 11)(rng)) {
            case 0: {
                const auto [x, y] = ringCell();
                h.clickCell(x, y);
                break;
            }
            case 1: // from the head, or from a new start, to two random cells
                drag(h, {rng() % 2 ? std::pair{b.curX, b.curY} : ringCell(),
                         {std::uniform_int_distribution<int>(-1, W)(rng), std::uniform_int_distribution<int>(-1, H)(rng)},
                         {std::uniform_int_distribution<int>(-1, W)(rng), std::uniform_int_distribution<int>(-1, H)(rng)}});
                break;
            case 2:
                if (h.window->isModified())
                    h.script.answers.push_back(Answer::No);
                h.action("MMInitMaze")->trigger();
                break;
            case 3:
            case 4:
                h.action("MMMakeMaze")->trigger(); // when enabled
                break;
            case 5:
                h.action("MMUndo")->trigger(); // some undone edits are then dropped
                break;
            default:
                h.press(std::array{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}[rng() % 4]);
                break;
            }
        }
        redoAll(h); // the newest state the history holds
        const WindowState last(h);
        const int edits = undoAll(h);
        QVERIFY2(WindowState(h) == first, qPrintable(QStringLiteral("round %1, %2 edits").arg(round).arg(edits)));
        QCOMPARE(h.window->windowTitle(), firstTitle);
        QVERIFY(!h.window->isModified());
        const std::uint64_t drawn = RandomSource::process().drawn();
        QCOMPARE(redoAll(h), edits);
        QVERIFY2(WindowState(h) == last, qPrintable(QStringLiteral("round %1").arg(round)));
        QCOMPARE(RandomSource::process().drawn(), drawn);
        QCOMPARE(h.window->isModified(), edits > 0);
    }
    QVERIFY(h.script.unexpected.empty());
}

void UndoTest::makeMazeUndoneAndRedone()
{
    WindowHarness h;
    h.newBoard(10, 8, 10);
    h.clickCell(-1, 3);
    h.pressKeys("RRRRRRRRRRR");
    QVERIFY(h.action("MMUndo")->isEnabled());
    const WindowState drawing(h);
    h.press(Qt::Key_F5);
    const WindowState firstMaze(h);
    h.press(Qt::Key_F5);
    const WindowState secondMaze(h);
    QVERIFY(!(firstMaze.board == secondMaze.board));
    // Each maze's own figures, and none while drawing.
    QVERIFY(drawing.summary.isEmpty());
    QVERIFY(!firstMaze.summary.isEmpty());
    QVERIFY(firstMaze.summary != secondMaze.summary);

    // Back to the previous maze exactly, then to the drawing view.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(WindowState(h) == firstMaze);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(WindowState(h) == drawing);
    QCOMPARE(h.window->mazeMode(), 0);
    QVERIFY(!h.action("MMSave")->isEnabled());
    QVERIFY(h.action("MMTransparentMode")->isEnabled());
    // The keys draw again at once; redo is gone with the new step.
    h.press(Qt::Key_Left);
    QCOMPARE(h.window->board().curX, 9);
    QVERIFY(!h.action("MMRedo")->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);

    // Both redo keys bring the same maze back, drawing no random value.
    h.press(Qt::Key_F5);
    const WindowState made(h);
    const std::uint64_t drawn = RandomSource::process().drawn();
    for (const auto modifiers : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        h.action("MMUndo")->trigger();
        QVERIFY(WindowState(h) == drawing);
        QTest::keyClick(QApplication::focusWidget(), modifiers == Qt::ControlModifier ? Qt::Key_Y : Qt::Key_Z, modifiers);
        QVERIFY(WindowState(h) == made);
    }
    QCOMPARE(RandomSource::process().drawn(), drawn);
    // The tool buttons follow.
    QVERIFY(h.window->findChild<QToolButton*>(QStringLiteral("TBUndo"))->isEnabled());
    QVERIFY(!h.window->findChild<QToolButton*>(QStringLiteral("TBRedo"))->isEnabled());

    // New and Load leave nothing to undo.
    h.newBoard(5, 5, 10);
    QVERIFY(!h.action("MMUndo")->isEnabled());
    QVERIFY(!h.action("MMRedo")->isEnabled());
}

void UndoTest::modifiedFollowsTheSavedState()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("saved.maz"));
    WindowHarness h;
    h.newBoard(6, 6, 10);
    h.pressKeys("RRRRRRR");
    h.press(Qt::Key_F5);
    h.script.saveNames.push_back(file);
    h.action("MMSave")->trigger();
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + file);

    // Make Maze after a Save is a change: closing now asks.
    h.press(Qt::Key_F5);
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo * ") + file);
    h.script.answers.push_back(Answer::Cancel);
    QVERIFY(!h.window->close());
    QCOMPARE(h.script.questions.size(), std::size_t(1));

    // Undo back to the saved maze clears the mark; undo or redo past it sets it.
    h.action("MMUndo")->trigger();
    QVERIFY(!h.window->isModified());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + file);
    QCOMPARE(h.window->board().toFileBytes(), testing_support::readBytes(file.toStdU16String()));
    h.action("MMUndo")->trigger();
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo * ") + file);
    h.action("MMRedo")->trigger();
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + file);
    h.action("MMRedo")->trigger();
    QVERIFY(h.window->isModified());

    // A new start clears the mark as ever, yet undoing it sets it.
    h.action("MMUndo")->trigger();
    h.action("MMInitMaze")->trigger();
    QVERIFY(!h.window->isModified());
    h.action("MMUndo")->trigger();
    QVERIFY(!h.window->isModified()); // the saved state again
    h.action("MMRedo")->trigger();
    QVERIFY(h.window->isModified());

    // Saved by the question of Initialise in the middle of a drag: the drag
    // is in the file, so undoing Initialise returns to the saved state.
    h.script.answers.push_back(Answer::No);
    h.action("MMInitMaze")->trigger();
    const MazeBoard& b = h.window->board();
    QTest::mousePress(h.window->image(), Qt::LeftButton, {}, centreOf(b, -1, 0));
    QTest::mouseMove(h.window->image(), centreOf(b, 3, 0));
    h.script.answers.push_back(Answer::Yes);
    h.action("MMInitMaze")->trigger();
    QTest::mouseRelease(h.window->image(), Qt::LeftButton, {}, centreOf(b, 3, 0));
    h.action("MMUndo")->trigger();
    QCOMPARE(b.curX, 3);
    QVERIFY(!h.window->isModified());
    QCOMPARE(h.window->board().toFileBytes(), testing_support::readBytes(file.toStdU16String()));

    // After a load the loaded state is the clean one, with nothing before it.
    h.script.answers.push_back(Answer::No);
    h.script.openNames.push_back(file);
    h.action("MMLoad")->trigger();
    QVERIFY(!h.action("MMUndo")->isEnabled());
    h.press(Qt::Key_F5);
    h.action("MMUndo")->trigger();
    QVERIFY(!h.window->isModified());
    QVERIFY(h.script.unexpected.empty());
}

void UndoTest::historyIsHeldToItsByteLimit()
{
    WindowHarness h;
    h.newBoard(60, 60, 3);
    h.clickCell(-1, 30);
    h.press(Qt::Key_Right, 61);
    EditHistory& history = h.window->editHistory();
    QCOMPARE(history.count(), 62); // the start click and each step
    // Room for five and a half mazes: the steps go first, then old mazes,
    // down to nine tenths of the limit, so four or five stay.
    const std::size_t before = history.bytes();
    std::vector<WindowState> mazes;
    h.press(Qt::Key_F5);
    mazes.emplace_back(h);
    const std::size_t maze = history.bytes() - before;
    QVERIFY(maze > 2 * 60 * 61);
    QVERIFY(maze < 2 * 60 * 61 + 1000);
    const std::size_t limit = 5 * maze + maze / 2;
    history.setByteLimit(limit);
    for (int i = 1; i < 12; ++i) {
        h.press(Qt::Key_F5);
        mazes.emplace_back(h);
        QVERIFY(history.bytes() <= limit);
    }
    const int kept = history.count();
    QVERIFY(kept == 4 || kept == 5);
    // What is left undoes exactly, back to the maze before the oldest kept.
    for (std::size_t i = 2; i <= std::size_t(kept) + 1; ++i) {
        h.action("MMUndo")->trigger();
        QVERIFY(WindowState(h) == mazes[mazes.size() - i]);
    }
    QVERIFY(!h.action("MMUndo")->isEnabled());
    // The saved state (start-up) is gone: every state is a changed one.
    QVERIFY(h.window->isModified());
    QCOMPARE(redoAll(h), kept);
    QVERIFY(WindowState(h) == mazes.back());
    // The history never drops the state it stands on nor what lies above it.
    h.action("MMUndo")->trigger();
    history.setByteLimit(1);
    QCOMPARE(history.count(), 1);
    QVERIFY(!history.canUndo());
    QVERIFY(history.canRedo());
    h.action("MMRedo")->trigger();
    QVERIFY(WindowState(h) == mazes.back());
}

// A drag whose moves skip cells draws what the keys draw; dragging back takes
// steps back; a refused cell ends the drag there; the whole drag is one edit.
void UndoTest::mouseDragDrawsAsTheKeysDo()
{
    // What the keys draw: three stages.
    std::vector<WindowState> byKeys;
    {
        WindowHarness keys;
        keys.newBoard(12, 9, 10);
        keys.clickCell(-1, 2);
        for (const char* stage : {"RRRRRRDDDDRRRRRRR", "LLLL", "DDLLUU"}) { // the second U is refused
            keys.pressKeys(stage);
            byKeys.emplace_back(keys);
        }
        QVERIFY(byKeys[0].canMakeMaze);
    }

    WindowHarness h;
    h.newBoard(12, 9, 10);
    // From a start chosen by the press, in long jumps along the runs.
    drag(h, {{-1, 2}, {3, 2}, {5, 2}, {5, 6}, {12, 6}});
    QVERIFY(WindowState(h) == byKeys[0]);
    QVERIFY(h.window->isModified());
    QCOMPARE(h.window->editHistory().count(), 1);

    // Back from the head onto the cells before it: steps taken back.
    drag(h, {{12, 6}, {11, 6}, {8, 6}});
    QVERIFY(WindowState(h) == byKeys[1]);
    QCOMPARE(h.window->editHistory().count(), 2);

    // A cell already on the path stops the drag; moving on does nothing.
    drag(h, {{8, 6}, {8, 8}, {6, 8}, {6, 5}, {6, 1}, {2, 1}});
    QCOMPARE(h.window->board().curX, 6);
    QCOMPARE(h.window->board().curY, 7);
    QVERIFY(WindowState(h) == byKeys[2]);
    // Undo takes the whole drag back.
    h.action("MMUndo")->trigger();
    QCOMPARE(h.window->board().curX, 8);
    QCOMPARE(h.window->board().curY, 6);

    // A press on a grid cell that is not the head: the message, no drag.
    const BoardSnapshot before(h.window->board());
    drag(h, {{3, 3}, {3, 4}});
    QCOMPARE(h.window->statusText(), QStringLiteral("迷路の始点は外側(灰色の部分)にしてください。"));
    QVERIFY(BoardSnapshot(h.window->board()) == before);
    // Another button chooses a start as a click does, but draws nothing.
    QTest::mousePress(h.window->image(), Qt::RightButton, {}, centreOf(h.window->board(), 5, -1));
    QTest::mouseMove(h.window->image(), centreOf(h.window->board(), 5, 3));
    QTest::mouseRelease(h.window->image(), Qt::RightButton, {}, centreOf(h.window->board(), 5, 3));
    QCOMPARE(h.window->board().startX, 5);
    QCOMPARE(h.window->board().curY, -1);
    // While a maze is shown the mouse draws nothing.
    drag(h, {{5, -1}, {5, 8}, {5, 9}});
    QVERIFY(h.window->canMakeMaze());
    h.press(Qt::Key_F5);
    const BoardSnapshot made(h.window->board());
    drag(h, {{0, -1}, {0, 4}});
    QVERIFY(BoardSnapshot(h.window->board()) == made);
}

void UndoTest::dragKeepsTheHeadInView()
{
    WindowHarness h;
    h.newBoard(100, 100, 20); // 2040 x 2040, more than the screen
    auto* area = h.window->findChild<QScrollArea*>();
    const QRect view = area->viewport()->rect();
    QVERIFY(view.height() < 2040);
    // Down the first column, the pointer always a little below the view's edge.
    const MazeBoard& b = h.window->board();
    QTest::mousePress(h.window->image(), Qt::LeftButton, {}, centreOf(b, -1, 0));
    for (int i = 0; i < 40; ++i) {
        const int bottom = area->verticalScrollBar()->value() + view.height();
        QTest::mouseMove(h.window->image(), QPoint(centreOf(b, 0, 0).x(), bottom + 5));
        const QPoint head = centreOf(b, b.curX, b.curY) - QPoint(0, area->verticalScrollBar()->value());
        QVERIFY2(view.contains(head), qPrintable(QStringLiteral("step %1").arg(i)));
    }
    QTest::mouseRelease(h.window->image(), Qt::LeftButton);
    QVERIFY(b.curY > view.height() / 20);
    QVERIFY(area->verticalScrollBar()->value() > 0);
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    UndoTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "undo_test.moc"
