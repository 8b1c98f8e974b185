// The maze's shape in the window: strokes of the shape mode, the shape
// commands of the Maze menu and their questions, each change one undo step.

#include "EditHistory.h"
#include "Recovery.h"
#include "maze_board.h"
#include "maze_stats.h"
#include "ShapeDialog.h"
#include "ShapeInteraction.h"
#include "ShapePictures.h"
#include "Underlay.h"
#include "shape_presets.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

#include <deque>

namespace {

using Answer = Interaction::Answer;

template <typename T>
std::optional<T> next(std::deque<std::optional<T>>& queue)
{
    if (queue.empty())
        return std::nullopt;
    const auto answer = queue.front();
    queue.pop_front();
    return answer;
}

struct ScriptedShapes : ShapeInteraction {
    std::deque<std::optional<ShapeChoice>> choices;
    std::deque<std::optional<InkSetting>> settings;
    std::vector<std::uint8_t> inkShown; // what the last setting dialog was given
    std::optional<ShapeChoice> askShape(QWidget*, int, int, const ShapeChoice&) override { return next(choices); }
    std::optional<InkSetting> askInkSetting(QWidget*, const std::vector<std::uint8_t>& ink, int, int,
                                            const InkSetting&) override
    {
        inkShown = ink;
        return next(settings);
    }
};

// A window with scripted shape dialogs on a new board of w x h cells of 10 pixels.
struct ShapeHarness : WindowHarness {
    ScriptedShapes shapes;
    explicit ShapeHarness(int w, int h)
    {
        newBoard(w, h, 10);
        window->setShapeInteraction(&shapes);
    }
    QPoint centre(int cx, int cy) const
    {
        const MazeBoard& b = window->board();
        return {b.getMarginX() + cx * 10 + 5, b.getMarginY() + cy * 10 + 5};
    }
    // A stroke of the shape mode from one cell to another, as the mouse does it.
    void stroke(Qt::MouseButton button, QPoint from, QPoint to)
    {
        const QPoint a = centre(from.x(), from.y());
        const QPoint b = centre(to.x(), to.y());
        window->ImageMouseDown(button, {}, a.x(), a.y());
        window->ImageMouseMove(button, {}, b.x(), b.y());
        window->ImageMouseUp(button, {}, b.x(), b.y());
    }
    int undoSteps() const { return window->editHistory().count(); }
    ShapeChoice preset(ShapePreset p, int room = 0) const
    {
        ShapeChoice c;
        c.preset = p;
        c.centreRoom = room;
        return c;
    }
};

// The areas a widget is asked to paint.
struct PaintedAreas : QObject {
    QRegion region;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

MazeShape without(MazeShape shape, std::initializer_list<QPoint> cells)
{
    for (const QPoint c : cells)
        shape.setInside(c.x(), c.y(), false);
    return shape;
}

} // namespace

class ShapeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void strokeIsOneStepAndLeavesThePathsCells();
    void partsCutOffAreOfferedAsTheLargestOrTakenBack_data();
    void partsCutOffAreOfferedAsTheLargestOrTakenBack();
    void presetWithCentreRoomIsOneStepAndTakesTheMazeBackToDrawing();
    void shapeCuttingThePathAsksToEraseIt();
    void underlayTracedAtThresholdAndInverted();
    void fileShapesAndTheirFailures();
    void removingTheShapeAndTheRecoveryCopy();
    void dialogsPreviewWhatTheyReturn();
    void aPaintedCellRepaintsWhatItChangesAndNoMore();
    void heartWithARoomAsGoalMakesAMazeCountingItsCellsOnly();
};

void ShapeWindowTest::strokeIsOneStepAndLeavesThePathsCells()
{
    ShapeHarness h(10, 8);
    const MazeBoard& b = h.window->board();
    h.clickCell(-1, 2);
    h.pressKeys("RRR"); // the path through (0, 2) ... (2, 2)
    const int steps = h.undoSteps();
    // The mode's button comes last on the tool bar, after Redo.
    auto* button = h.window->findChild<QToolButton*>(QStringLiteral("TBShapeMode"));
    QVERIFY(button && button->defaultAction() == h.action("MMShapeMode"));
    QVERIFY(button->x() > h.window->findChild<QToolButton*>(QStringLiteral("TBRedo"))->x());
    h.action("MMShapeMode")->trigger();
    QVERIFY(h.window->isShapeMode() && h.action("MMShapeMode")->isChecked() && button->isChecked());
    // The keys do not draw meanwhile.
    h.pressKeys("R");
    QCOMPARE(b.curX, 2);

    // Down column 1 across the path: the path's cell stays, and the window says so.
    h.stroke(Qt::LeftButton, {1, 0}, {1, 5});
    QCOMPARE(b.shape(), without(MazeShape(10, 8), {{1, 0}, {1, 1}, {1, 3}, {1, 4}, {1, 5}}));
    QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("道が通るマスは外せません。"));
    QCOMPARE(h.undoSteps(), steps + 1);
    QVERIFY(h.action("MMRemoveShape")->isEnabled());
    // The right button paints back in, again one step.
    h.stroke(Qt::RightButton, {1, 4}, {1, 5});
    QCOMPARE(b.insideCount(), 80 - 3);
    QCOMPARE(h.undoSteps(), steps + 2);
    // A stroke that changes nothing records nothing.
    h.stroke(Qt::RightButton, {5, 5}, {6, 5});
    QCOMPARE(h.undoSteps(), steps + 2);

    h.action("MMUndo")->trigger();
    h.action("MMUndo")->trigger();
    QVERIFY(!b.isShaped());
    QCOMPARE(b.curX, 2);
    h.action("MMRedo")->trigger();
    QCOMPARE(b.insideCount(), 80 - 5);
    // Out of shape mode the keys draw again.
    h.action("MMShapeMode")->trigger();
    QVERIFY(!h.window->isShapeMode());
    h.pressKeys("R");
    QCOMPARE(b.curX, 3);
    QVERIFY(h.script.unexpected.empty());
}

void ShapeWindowTest::partsCutOffAreOfferedAsTheLargestOrTakenBack_data()
{
    QTest::addColumn<bool>("keep");
    QTest::newRow("keep the largest part") << true;
    QTest::newRow("go back") << false;
}

void ShapeWindowTest::partsCutOffAreOfferedAsTheLargestOrTakenBack()
{
    QFETCH(bool, keep);
    ShapeHarness h(10, 8);
    const MazeBoard& b = h.window->board();
    h.action("MMShapeMode")->trigger();
    const int steps = h.undoSteps();
    // Column 4 out: 4 columns on the left, 5 on the right.
    h.script.answers.push_back(keep ? Answer::Yes : Answer::No);
    h.stroke(Qt::LeftButton, {4, 0}, {4, 7});
    QCOMPARE(h.script.questions.size(), std::size_t(1));
    QCOMPARE(h.script.questions.back(),
             QStringLiteral("形がいくつかの部分に分かれました。赤いマスは大きい部分から離れています。"));
    QCOMPARE(b.insideCount(), keep ? 40 : 80);
    QCOMPARE(b.isInside(0, 0), !keep);
    QCOMPARE(h.undoSteps(), steps + (keep ? 1 : 0));
    QVERIFY(!h.window->isModified() || keep);
    if (keep) {
        h.action("MMUndo")->trigger();
        QVERIFY(!b.isShaped());
    }
    // Too few cells left for a maze: told, and taken back.
    h.newBoard(2, 2, 10);
    h.stroke(Qt::LeftButton, {0, 0}, {0, 0});
    QVERIFY(!h.window->board().isShaped());
    QCOMPARE(h.script.messages.back().text,
             QStringLiteral("この形では迷路を作れません(つながったマスが4つ以上必要です)。"));
}

void ShapeWindowTest::presetWithCentreRoomIsOneStepAndTakesTheMazeBackToDrawing()
{
    ShapeHarness h(21, 21);
    const MazeBoard& b = h.window->board();
    // A path across the middle row, and its maze shown.
    h.clickCell(-1, 10);
    for (int i = 0; i < 22; ++i)
        h.pressKeys("R");
    QVERIFY(h.window->canMakeMaze());
    h.action("MMMakeMaze")->trigger();
    QCOMPARE(h.window->mazeMode(), 1);
    const int steps = h.undoSteps();

    // The circle keeps the middle row whole: no question.
    h.shapes.choices.push_back(h.preset(ShapePreset::Circle));
    h.action("MMChooseShape")->trigger();
    QCOMPARE(b.shape(), presetShape(ShapePreset::Circle, 21, 21));
    QCOMPARE(h.window->mazeMode(), 0);
    QVERIFY(!h.window->mazeMade() && h.window->canMakeMaze());
    QCOMPARE(h.undoSteps(), steps + 1);
    h.action("MMUndo")->trigger();
    QVERIFY(!b.isShaped());
    QCOMPARE(h.window->mazeMode(), 1);
    QVERIFY(h.window->mazeMade());

    // A heart with a room in the middle, on a fresh board: one step.
    h.newBoard(21, 21, 10);
    h.shapes.choices.push_back(h.preset(ShapePreset::Heart, 3));
    h.action("MMChooseShape")->trigger();
    const MazeShape heart = presetShape(ShapePreset::Heart, 21, 21, 3);
    QCOMPARE(h.window->board().shape(), heart);
    QVERIFY(!h.window->board().isInside(10, 10));
    QCOMPARE(h.undoSteps(), 1);
    h.action("MMUndo")->trigger();
    QVERIFY(!h.window->board().isShaped());
    h.action("MMRedo")->trigger();
    QCOMPARE(h.window->board().shape(), heart);
    // Cancel changes nothing.
    h.action("MMChooseShape")->trigger();
    QCOMPARE(h.undoSteps(), 1);
    QVERIFY(h.script.unexpected.empty());
}

void ShapeWindowTest::shapeCuttingThePathAsksToEraseIt()
{
    ShapeHarness h(21, 21);
    const MazeBoard& b = h.window->board();
    // Along the top row, which the heart leaves out at its corners.
    h.clickCell(-1, 0);
    h.pressKeys("RRRR");
    h.shapes.choices = {h.preset(ShapePreset::Heart), h.preset(ShapePreset::Heart)};
    h.script.answers = {Answer::No, Answer::Yes};
    h.action("MMChooseShape")->trigger();
    QCOMPARE(h.script.questions.back(), QStringLiteral("この形にすると描いた道が切れてしまいます。道を消して形を変えますか?"));
    QVERIFY(!b.isShaped());
    QCOMPARE(b.curX, 3);
    const int steps = h.undoSteps();
    h.action("MMChooseShape")->trigger();
    QCOMPARE(b.shape(), presetShape(ShapePreset::Heart, 21, 21));
    QCOMPARE(b.getPathCell(1, 0), 0);
    QCOMPARE(h.undoSteps(), steps + 1);
    // Path and shape come back together.
    h.action("MMUndo")->trigger();
    QVERIFY(!b.isShaped());
    QCOMPARE(b.curX, 3);
    QVERIFY(b.getPathCell(1, 0) != 0);
    QVERIFY(h.script.unexpected.empty());
}

void ShapeWindowTest::underlayTracedAtThresholdAndInverted()
{
    ShapeHarness h(20, 20);
    QTemporaryDir dir;
    // A black disc on white.
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.setBrush(Qt::black);
        p.drawEllipse(QPoint(50, 50), 35, 35);
    }
    const QString file = dir.filePath(QStringLiteral("disc.png"));
    QVERIFY(picture.save(file));
    QVERIFY(!h.action("MMShapeFromUnderlay")->isEnabled());
    h.script.openNames.push_back(file);
    h.action("MMLoadUnderlay")->trigger();
    QVERIFY(h.action("MMShapeFromUnderlay")->isEnabled());
    const QImage source = h.window->underlay().shapeSource();

    for (const bool invert : {false, true}) {
        for (const int threshold : {60, 200}) {
            h.shapes.settings.push_back(InkSetting{threshold, invert});
            h.action("MMShapeFromUnderlay")->trigger();
            QCOMPARE(h.shapes.inkShown, shapepictures::inkOf(source, 20, 20));
            QCOMPARE(h.window->board().shape(), shapepictures::shapeFromPicture(source, 20, 20, threshold, invert));
            QCOMPARE(h.window->board().isInside(10, 10), !invert);
            QCOMPARE(h.window->board().isInside(0, 0), invert);
        }
    }
    QVERIFY(h.script.unexpected.empty());
}

void ShapeWindowTest::fileShapesAndTheirFailures()
{
    ShapeHarness h(20, 20);
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("なし.png"));
    h.script.openNames.push_back(missing);
    h.action("MMShapeFromFile")->trigger();
    QCOMPARE(h.script.messages.back().text, shapepictures::failureText(shapepictures::Failure::Missing, missing));
    QVERIFY(!h.window->board().isShaped());

    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(10, 5, 20, 30, Qt::black);
    const QString file = dir.filePath(QStringLiteral("block.png"));
    QVERIFY(picture.save(file));
    h.script.openNames.push_back(file);
    h.action("MMShapeFromFile")->trigger();
    MazeShape expected;
    QCOMPARE(shapepictures::shapeFromFile(file, 20, 20, expected), shapepictures::Failure::None);
    QCOMPARE(h.window->board().shape(), expected);
    QVERIFY(h.window->board().isShaped());
    QVERIFY(h.script.unexpected.empty());
}

void ShapeWindowTest::removingTheShapeAndTheRecoveryCopy()
{
    ShapeHarness h(15, 15);
    QVERIFY(!h.action("MMRemoveShape")->isEnabled());
    h.shapes.choices.push_back(h.preset(ShapePreset::Star));
    h.action("MMChooseShape")->trigger();
    QVERIFY(h.window->isModified());
    // The recovery copy holds the shape.
    MazeBoard restored;
    QVERIFY(h.window->recoveryState().readBoard(restored));
    QCOMPARE(restored.shape(), presetShape(ShapePreset::Star, 15, 15));

    QVERIFY(h.action("MMRemoveShape")->isEnabled());
    h.action("MMRemoveShape")->trigger();
    QVERIFY(!h.window->board().isShaped());
    QVERIFY(!h.action("MMRemoveShape")->isEnabled());
    h.action("MMUndo")->trigger();
    QCOMPARE(h.window->board().shape(), presetShape(ShapePreset::Star, 15, 15));
    QVERIFY(h.script.unexpected.empty());
}

void ShapeWindowTest::dialogsPreviewWhatTheyReturn()
{
    TFShape shape;
    ShapeChoice current;
    current.preset = ShapePreset::Star;
    shape.ShowShape(30, 20, current);
    QCOMPARE(shape.CBKind->count(), 7);
    QCOMPARE(shape.SERoom->maximum(), 18);
    QVERIFY(!shape.EText->isEnabled());
    QCOMPARE(shape.Preview->shape(), presetShape(ShapePreset::Star, 30, 20));
    shape.SERoom->setValue(4);
    QCOMPARE(shape.Preview->shape(), presetShape(ShapePreset::Star, 30, 20, 4));
    shape.CBKind->setCurrentIndex(6);
    shape.EText->setText(QStringLiteral("A"));
    QVERIFY(shape.EText->isEnabled());
    QCOMPARE(shape.choice().kind, ShapeChoice::Kind::Text);
    QCOMPARE(shape.Preview->shape(), shapeOfChoice(shape.choice(), 30, 20, shape.font()));

    // The preview follows the slider at once on a 100 x 100 board.
    QImage picture(300, 300, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(50, 50, 200, 120, Qt::gray);
    const std::vector<std::uint8_t> ink = shapepictures::inkOf(picture, 100, 100);
    TFShapeFromPicture traced;
    traced.ShowSetting(ink, 100, 100, InkSetting{});
    QCOMPARE(traced.TBThreshold->value(), 128);
    QElapsedTimer clock;
    clock.start();
    for (int t = 10; t < 250; t += 10) {
        traced.TBThreshold->setValue(t);
        QCOMPARE(traced.Preview->shape(), shapeFromInk(ink, 100, 100, t, false));
    }
    const qint64 each = clock.nsecsElapsed() / 24 / 1000;
    qInfo("preview per slider step on 100 x 100: %lld us", each);
    QVERIFY(each < 50'000);
    traced.CBInvert->setChecked(true);
    QCOMPARE(traced.Preview->shape(), shapeFromInk(ink, 100, 100, 240, true));
    QCOMPARE(traced.setting(), (InkSetting{240, true}));
}

void ShapeWindowTest::aPaintedCellRepaintsWhatItChangesAndNoMore()
{
    ShapeHarness h(12, 10);
    const MazeBoard& b = h.window->board();
    h.action("MMShapeMode")->trigger();
    QCoreApplication::processEvents();
    PaintedAreas painted;
    h.window->image()->installEventFilter(&painted);
    // Out next to the ring, out right of a cell already out, in again, out
    // in the open, out left of and above cells already out: every pixel
    // that changes is repainted, within one cell and its lines.
    const QPoint cells[] = {{0, 4}, {1, 4}, {0, 4}, {6, 6}, {5, 6}, {6, 5}};
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                       Qt::LeftButton, Qt::LeftButton, Qt::LeftButton};
    for (int i = 0; i < 6; ++i) {
        const QImage before = freshPicture(b, false);
        painted.region = QRegion();
        h.stroke(buttons[i], cells[i], cells[i]);
        QCoreApplication::processEvents();
        const QImage after = freshPicture(b, false);
        QVERIFY(before != after);
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y))
                    QVERIFY2(painted.region.contains(QPoint(x, y)), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        // One cell and its lines, however the picture changed.
        QVERIFY(painted.region.boundingRect().width() <= 11 && painted.region.boundingRect().height() <= 11);
    }
}

void ShapeWindowTest::heartWithARoomAsGoalMakesAMazeCountingItsCellsOnly()
{
    ShapeHarness h(21, 21);
    const MazeBoard& b = h.window->board();
    h.shapes.choices.push_back(h.preset(ShapePreset::Heart, 3));
    h.action("MMChooseShape")->trigger();
    // From the left, along row 9 into the room (cells 9 ... 11).
    int first = 0;
    while (!b.isInside(first, 9))
        ++first;
    h.clickCell(first - 1, 9);
    for (int x = first - 1; x < 9; ++x)
        h.pressKeys("R");
    QVERIFY(h.window->canMakeMaze());
    h.action("MMMakeMaze")->trigger();
    QCOMPARE(h.window->mazeMode(), 1);
    QVERIFY(h.window->document().state().figures.has_value());
    const MazeStats stats = h.window->document().state().figures->stats;
    // Dead ends counted here over the cells of the heart only.
    int deadEnds = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            deadEnds += b.isInside(x, y)
                && (b.getMazeV(x, y) == 1) + (b.getMazeV(x + 1, y) == 1) + (b.getMazeH(x, y) == 1)
                        + (b.getMazeH(x, y + 1) == 1)
                    == 1;
    QCOMPARE(stats.deadEnds, deadEnds);
    QCOMPARE(stats.answerLength, 9 - first);
    QVERIFY(h.window->summaryText().contains(QString::number(stats.deadEnds)));
}

QTEST_MAIN(ShapeWindowTest)
#include "shape_window_test.moc"
