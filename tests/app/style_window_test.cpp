// Maze styles, the maze's figures in the status bar and the seed, through the
// main window as a user drives it.

#include "Application.h"
#include "DifficultyInteraction.h"
#include "PrintTexts.h"
#include "StyleCommands.h"
#include "Seed.h"
#include "maze_random.h"
#include "maze_stats.h"
#include "window_harness.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString PressMakeMaze = QStringLiteral("迷路作成ボタンを押してください。");

struct StyleAction {
    const char* name;
    const char* caption;
    MazeStyle style;
    const char* stored;
};
const StyleAction StyleActions[] = {
    {"MMStyleStandard", "標準", MazeStyle::Standard, "standard"},
    {"MMStyleCorridors", "長い通路", MazeStyle::LongCorridors, "corridors"},
    {"MMStyleDeadEnds", "短い行き止まり", MazeStyle::ShortDeadEnds, "deadends"},
    {"MMStyleUniform", "均等", MazeStyle::Uniform, "uniform"},
};

// The choose-by-difficulty dialog, answered by script.
struct ScriptedDifficulty : DifficultyInteraction {
    std::vector<std::optional<DifficultyGoal>> answers;
    std::vector<std::pair<DifficultyGoal, QString>> asked;
    std::optional<DifficultyGoal> askDifficulty(QWidget*, const DifficultyGoal& current, const QString& style) override
    {
        asked.push_back({current, style});
        const auto answer = answers.at(asked.size() - 1);
        return answer;
    }
};

QLabel* panel(const WindowHarness& h, const char* name)
{
    return h.window->statusBar()->findChild<QLabel*>(QString::fromLatin1(name));
}

} // namespace

class StyleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void styleMenuIsRememberedAndSetsTheBoard();
    void secondPanelTellsWhatTheMazeIsLike();
    void theSameSeedMakesTheSameMazeInEveryStyle();
    void seedDialogTakesOnly32BitNumbers();
    void choosingByDifficultyIsOneMakeMaze();
    void freshMazesAtEveryStartWhenChosen();
};

void StyleWindowTest::styleMenuIsRememberedAndSetsTheBoard()
{
    WindowHarness h;
    // The Maze menu keeps its three items first; the new ones follow.
    QMenu* maze = h.window->findChild<QMenu*>(QStringLiteral("MMMaze"));
    QStringList items;
    for (QAction* a : maze->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items, (QStringList{QStringLiteral("迷路作成(&M)"), QStringLiteral("迷路の初期化(&I)"),
                                 QStringLiteral("解答を表示する(&D)"), QStringLiteral("-"),
                                 QStringLiteral("迷路の種類(&K)"), QStringLiteral("乱数の種(&S)..."),
                                 QStringLiteral("起動ごとに新しい迷路にする"),
                                 QStringLiteral("難しさを選んで作る(&Q)..."),
                                 QStringLiteral("答えの道を自動で作る..."), QStringLiteral("-"),
                                 QStringLiteral("形を編集する(&H)"), QStringLiteral("形(&P)")}));
    QMenu* styles = h.window->findChild<QMenu*>(QStringLiteral("MMMazeStyle"));
    QCOMPARE(styles->actions().size(), 4);
    for (int i = 0; i < 4; ++i) {
        QAction* a = styles->actions().at(i);
        QCOMPARE(a->objectName(), QString::fromLatin1(StyleActions[i].name));
        QCOMPARE(a->text(), QString::fromUtf8(StyleActions[i].caption));
        QVERIFY(a->isCheckable());
        QCOMPARE(a->isChecked(), i == 0);
    }
    QCOMPARE(h.window->board().getStyle(), MazeStyle::Standard);
    QVERIFY2(!QSettings().contains(QStringLiteral("maze/style")), "nothing stored until a style is chosen");

    for (const StyleAction& choice : StyleActions) {
        h.action(choice.name)->trigger();
        QCOMPARE(h.window->board().getStyle(), choice.style);
        QCOMPARE(QSettings().value(QStringLiteral("maze/style")).toString(), QString::fromLatin1(choice.stored));
        for (const StyleAction& other : StyleActions)
            QCOMPARE(h.action(other.name)->isChecked(), &other == &choice);
        // The next window starts with the chosen style.
        ScriptedInteraction script;
        TFMain next(&script);
        QCOMPARE(next.board().getStyle(), choice.style);
        QVERIFY(next.findChild<QAction*>(QString::fromLatin1(choice.name))->isChecked());
    }

    // A stored name the program does not know means the standard style.
    QSettings().setValue(QStringLiteral("maze/style"), QStringLiteral("spiral"));
    ScriptedInteraction script;
    TFMain next(&script);
    QCOMPARE(next.board().getStyle(), MazeStyle::Standard);
    QVERIFY(next.findChild<QAction*>(QStringLiteral("MMStyleStandard"))->isChecked());
}

void StyleWindowTest::secondPanelTellsWhatTheMazeIsLike()
{
    WindowHarness h;
    QLabel* prompt = panel(h, "Panels0");
    QLabel* summary = panel(h, "Panels1");
    QVERIFY(prompt && summary);
    QVERIFY(summary->isHidden());
    QVERIFY(h.window->summaryText().isEmpty());
    // The prompt panel is the status bar's first label, as it always was.
    QCOMPARE(h.window->statusBar()->findChild<QLabel*>(), prompt);

    h.newBoard(30, 5, 10);
    h.pressKeys(std::string(31, 'R').c_str());
    const QSize before = h.clientSize();
    const std::uint32_t seed = h.window->board().randomSource().state();
    h.press(Qt::Key_F5);
    QCOMPARE(h.window->statusText(), PressMakeMaze);
    QVERIFY(summary->isVisible());
    const MazeStats stats = measureMaze(h.window->board());
    QCOMPARE(stats.answerLength, 30);
    const MazeDifficulty difficulty = *measureDifficulty(h.window->board());
    QCOMPARE(summary->text(), QStringLiteral("答え 30 マス · 行き止まり %1 · 分かれ道 %2 · 難しさ %3（探す道のり %4 マス） · 種 %5")
                                  .arg(stats.deadEnds)
                                  .arg(stats.decisionPoints)
                                  .arg(difficulty.grade == DifficultyGrade::Easy ? QStringLiteral("やさしい")
                                                                                : QStringLiteral("ふつう"))
                                  .arg(difficulty.figure)
                                  .arg(seed));
    // The window keeps its size and its 19-pixel status bar; in a window
    // narrower than the text the panel is cut, not the window widened.
    QCOMPARE(h.clientSize(), before);
    QCOMPARE(h.window->statusBar()->height(), 19);
    QVERIFY(summary->width() < summary->sizeHint().width());
    QVERIFY(prompt->geometry().right() < summary->geometry().left());
    QCOMPARE(summary->toolTip(), summary->text());

    // A loaded maze has its figures but no seed; Initialise and New empty it.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("m.maz"));
    QVERIFY(h.window->board().saveFile(file.toStdU16String()));
    h.script.answers.push_back(Interaction::Answer::No); // the drawn path is not saved
    h.press(Qt::Key_F2);
    QVERIFY(summary->isHidden());
    QVERIFY(h.window->summaryText().isEmpty());
    h.script.openNames.push_back(file);
    h.action("MMLoad")->trigger();
    QCOMPARE(h.window->summaryText(), mazeSummary(stats, std::nullopt, difficulty));
    QVERIFY(!h.window->summaryText().contains(QStringLiteral("種")));
    h.newBoard(10, 10, 10);
    QVERIFY(summary->isHidden());
    QVERIFY(h.script.unexpected.empty());
}

void StyleWindowTest::theSameSeedMakesTheSameMazeInEveryStyle()
{
    WindowHarness h;
    h.newBoard(20, 15, 10);
    h.pressKeys("RRRRRRRDDDDDDDRRRRRRRRUUUURRRRRR");
    QVERIFY(h.window->canMakeMaze());
    // Before any maze the dialog shows the state the next maze starts from.
    const std::uint32_t start = h.window->board().randomSource().state();
    h.script.seeds.push_back(std::nullopt);
    h.action("MMSeed")->trigger();
    QCOMPARE(h.script.seedRequests.back(), start);

    for (const StyleAction& choice : StyleActions) {
        h.action(choice.name)->trigger();
        std::vector<std::vector<std::uint8_t>> mazes;
        for (int round = 0; round < 2; ++round) {
            h.script.seeds.push_back(4000000000u);
            h.action("MMSeed")->trigger();
            h.press(Qt::Key_F5);
            mazes.push_back(h.window->board().toFileBytes());
            QVERIFY(h.window->summaryText().endsWith(QStringLiteral(" · 種 4000000000")));
            // Cancel changes nothing; the dialog showed the last maze's seed.
            h.script.seeds.push_back(std::nullopt);
            const std::uint32_t state = h.window->board().randomSource().state();
            h.action("MMSeed")->trigger();
            QCOMPARE(h.script.seedRequests.back(), 4000000000u);
            QCOMPARE(h.window->board().randomSource().state(), state);
        }
        QVERIFY2(mazes[0] == mazes[1], choice.stored);
        // Without setting it, the next maze is another one.
        h.press(Qt::Key_F5);
        QVERIFY2(h.window->board().toFileBytes() != mazes[0], choice.stored);
    }
    QVERIFY(h.script.unexpected.empty());
}

void StyleWindowTest::seedDialogTakesOnly32BitNumbers()
{
    TFSeed dialog;
    dialog.ShowSeed(4294967295u);
    QCOMPARE(dialog.EdSeed->text(), QStringLiteral("4294967295"));
    QCOMPARE(dialog.ReadSeed(), std::optional<std::uint32_t>(4294967295u));
    QVERIFY(dialog.BtOK->isEnabled());
    for (const auto& [typed, expected] : {std::pair{"4294967296", std::optional<std::uint32_t>()},
             {"", std::optional<std::uint32_t>()}, {"007", std::optional<std::uint32_t>(7)},
             {"0", std::optional<std::uint32_t>(0)}}) {
        dialog.EdSeed->setText(QString::fromLatin1(typed));
        QCOMPARE(dialog.ReadSeed(), expected);
        QCOMPARE(dialog.BtOK->isEnabled(), expected.has_value());
    }
    // Only digits can be typed, ten at most.
    dialog.EdSeed->clear();
    QTest::keyClicks(dialog.EdSeed, QStringLiteral("12a-3 45678901"));
    QCOMPARE(dialog.EdSeed->text(), QStringLiteral("1234567890"));

    // Shown modally: the number typed over the selected one, taken with Enter;
    // Escape takes nothing. A watchdog closes the dialog if a step fails.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, &dialog, &QDialog::reject);
    watchdog.start(5000);
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowActive(&dialog, 2000)) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("31337"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    });
    QCOMPARE(dialog.AskSeed(99), std::optional<std::uint32_t>(31337));
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowActive(&dialog, 2000))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QCOMPARE(dialog.AskSeed(99), std::optional<std::uint32_t>());
    QVERIFY(watchdog.isActive());
}

// Unchosen, every start begins where the fixed sequence begins; chosen (and
// remembered), each start begins somewhere new, which the seed dialog shows.
void StyleWindowTest::freshMazesAtEveryStartWhenChosen()
{
    QSettings().clear();
    const auto start = [] {
        ScriptedInteraction script;
        TFMain window(&script);
        script.seeds.push_back(std::nullopt);
        window.findChild<QAction*>(QStringLiteral("MMSeed"))->trigger();
        return std::pair{script.seedRequests.at(0), window.findChild<QAction*>(QStringLiteral("MMFreshSeed"))};
    };
    const std::uint32_t fixed = start().first;
    QCOMPARE(start().first, fixed);
    {
        ScriptedInteraction script;
        TFMain window(&script);
        QAction* fresh = window.findChild<QAction*>(QStringLiteral("MMFreshSeed"));
        QVERIFY(fresh->isCheckable() && !fresh->isChecked());
        fresh->trigger();
    }
    const std::uint32_t first = start().first;
    const std::uint32_t second = start().first;
    QVERIFY(first != fixed && second != fixed && first != second);
    QSettings().clear();
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    StyleWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

void StyleWindowTest::choosingByDifficultyIsOneMakeMaze()
{
    WindowHarness h;
    ScriptedDifficulty dialogs;
    h.window->setDifficultyInteraction(&dialogs);
    QAction* command = h.action("MMMakeByDifficulty");
    QVERIFY(!command->isEnabled());
    h.newBoard(30, 30, 10);
    h.pressKeys((std::string(12, 'R') + std::string(20, 'D') + std::string(8, 'R') + std::string(14, 'U')
                 + std::string(11, 'R')).c_str());
    QVERIFY(command->isEnabled());
    h.action("MMStyleCorridors")->trigger();
    const std::vector<std::uint8_t> drawn = h.window->board().toFileBytes();
    dialogs.answers = {std::nullopt, DifficultyGoal{DifficultyGrade::Hard, 0, 20},
                       DifficultyGoal{DifficultyGrade::Easy, 0, 5}, std::nullopt};

    // Cancelled: nothing is made. The first time it offers medium, 50 tries.
    command->trigger();
    QCOMPARE(h.window->mazeMode(), 0);
    QVERIFY((dialogs.asked[0].first == DifficultyGoal{DifficultyGrade::Medium, 200, 50}));
    QCOMPARE(dialogs.asked[0].second, QStringLiteral("長い通路"));

    // Hard, in long corridors: found, shown, and one edit that Undo takes back.
    command->trigger();
    const auto hard = measureDifficulty(h.window->board());
    QVERIFY(h.window->mazeMode() == 1 && hard && hard->grade == DifficultyGrade::Hard);
    QVERIFY2(h.window->statusText().endsWith(QStringLiteral("個目で見つかりました: ") + PrintTexts::difficulty(*hard)),
             qPrintable(h.window->statusText()));
    QVERIFY(h.window->summaryText().contains(PrintTexts::difficulty(*hard)));
    h.action("MMUndo")->trigger();
    QVERIFY(h.window->mazeMode() == 0 && h.window->board().toFileBytes() == drawn);

    // Easy cannot be had on this board: the nearest of five, and how far.
    command->trigger();
    const auto nearest = measureDifficulty(h.window->board());
    QCOMPARE(h.window->statusText(), QStringLiteral("5 個のうちいちばん近い迷路です（ねらいとの差 %1 マス）: %2")
                                         .arg(nearest->figure - (EasyBelow - 1))
                                         .arg(PrintTexts::difficulty(*nearest)));
    // The goal last chosen is offered again.
    command->trigger();
    QVERIFY(dialogs.asked[3].first.grade == DifficultyGrade::Easy && dialogs.asked[3].first.tries == 5);
    QVERIFY(h.script.unexpected.empty());
}

#include "style_window_test.moc"
