// The main window from start-up to a made maze, driven with real key and
// mouse events: title, prompts, control states, fitting, and path drawing.

#include "Application.h"
#include "maze_random.h"
#include "window_harness.h"

#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <stdexcept>

namespace {

const QString ChooseStart = QStringLiteral("始点を決めてください(灰色の部分)");
const QString StartOutside = QStringLiteral("迷路の始点は外側(灰色の部分)にしてください。");
const QString UseCursorKeys = QStringLiteral("カーソルキーで迷路を作成してください。");
const QString ExtendLine = QStringLiteral("外側(灰色の部分)まで線を伸ばしてください。");
const QString PressMakeMaze = QStringLiteral("迷路作成ボタンを押してください。");

// An object whose event handler throws, as a faulty command handler would.
class Thrower : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("boom in a handler");
        return QObject::event(e);
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpState();
    void fittingTheWindowToTheBoard();
    void commandTableAndToolBar();
    void workedThreeByTwoPathAndStepBack();
    void clicksOnTheRingAndTheGrid();
    void newStartClickClearsMakeMaze();
    void disabledShortcutsDoNothing();
    void makeMazeTwiceAndShowAnswer();
    void windowShowsTheBoardsPicture();
    void stepRepaintEqualsFullRepaint();
    void cursorKeysWorkWhateverHasTheFocus();
    void exceptionInAHandlerIsShownAndTheProgramGoesOn();
    void interfaceFontAndJapaneseQtTexts();
    void helpThatCannotBeShownNamesTheManual();
    void aFileGivenAtStartIsShownOnceAtItsSize();
};

void MainWindowTest::startUpState()
{
    WindowHarness h;
    TFMain& w = *h.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Zubelo - 新規ファイル"));
    QCOMPARE(w.statusText(), ChooseStart);
    QVERIFY(!h.action("MMMakeMaze")->isEnabled());
    QVERIFY(!h.action("MMSave")->isEnabled());
    QVERIFY(!h.action("MMDrawAnswer")->isEnabled());
    QVERIFY(h.action("MMDrawAnswer")->isChecked());
    QVERIFY(h.action("MMTransparentMode")->isEnabled());
    QVERIFY(!h.action("MMTransparentMode")->isChecked());
    for (const char* name : {"MMNew", "MMLoad", "MMSaveAsBitmap", "MMInitMaze", "MMEnlargeGrid", "MMEnsmallGrid",
             "MMHelp", "MMAbout"})
        QVERIFY2(h.action(name)->isEnabled(), name);
    QCOMPARE(w.mazeMode(), 0);
    QVERIFY(!w.isModified());
    QVERIFY(w.fileName().isEmpty());
    QCOMPARE(w.board().getWidth(), 40);
    QCOMPARE(w.board().getGridSize(), 10);
    // The tool buttons show their item's state.
    auto* answerButton = w.findChild<QToolButton*>(QStringLiteral("TBDrawAnswer"));
    QVERIFY(answerButton->isChecked());
    QVERIFY(!answerButton->isEnabled());
    QVERIFY(!w.findChild<QToolButton*>(QStringLiteral("TBMakeMaze"))->isEnabled());
}

void MainWindowTest::fittingTheWindowToTheBoard()
{
    WindowHarness h;
    TFMain& w = *h.window;
    QCOMPARE(w.findChild<QToolBar*>(QStringLiteral("ToolBar"))->height(), 33);
    QCOMPARE(w.statusBar()->height(), 19);
    QCOMPARE(w.image()->size(), QSize(420, 420));
    QCOMPARE(h.clientSize(), QSize(420, 472));
    QCOMPARE(w.centralWidget()->size(), QSize(420, 420));

    h.newBoard(5, 5, 3);
    QCOMPARE(h.clientSize(), QSize(320, 73));
    QCOMPARE(w.image()->size(), QSize(320, 21));
    // Right of the 21-pixel picture the area is white.
    const QImage shown = w.image()->grab().toImage();
    for (int x = 21; x < 320; x += 7)
        for (int y = 0; y < 21; ++y)
            QCOMPARE(shown.pixel(x, y) | 0xFF000000u, qRgb(255, 255, 255));

    h.newBoard(30, 5, 10); // 30 * 10 + 20 = 320 exactly
    QCOMPARE(h.clientSize(), QSize(320, 70 + 52));
    h.newBoard(31, 5, 10);
    QCOMPARE(h.clientSize(), QSize(330, 70 + 52));
}

void MainWindowTest::commandTableAndToolBar()
{
    WindowHarness h;
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        QKeySequence shortcut;
        const char* button;
        QList<QKeySequence> more = {}; // further short-cuts
    } table[] = {
        {"MMNew", "新規作成(&N)", "新規作成(Ctrl+N)", QKeySequence(Qt::CTRL | Qt::Key_N), "TBNew"},
        {"MMLoad", "読み込み(&L)", "読み込み(Ctrl+O)", QKeySequence(Qt::CTRL | Qt::Key_O), "ToolButton1"},
        {"MMSave", "保存(&S)", "保存(Ctrl+S)", QKeySequence(Qt::CTRL | Qt::Key_S), "TBSave"},
        {"MMSaveAsBitmap", "ビットマップファイルとして保存(&B)", "ビットマップファイルとして保存", {}, "TBSaveAsBitmap"},
        {"MMMakeMaze", "迷路作成(&M)", "迷路作成(F5)", QKeySequence(Qt::Key_F5), "TBMakeMaze"},
        {"MMInitMaze", "迷路の初期化(&I)", "迷路の初期化(F2)", QKeySequence(Qt::Key_F2), "TBInitMaze"},
        {"MMDrawAnswer", "解答を表示する(&D)", "解答を表示する(F3)", QKeySequence(Qt::Key_F3), "TBDrawAnswer"},
        {"MMTransparentMode", "透過ウィンドウモード(&T)", "透過ウィンドウモード(Ctrl+T)", QKeySequence(Qt::CTRL | Qt::Key_T),
         "TBTransparentMode"},
        {"MMEnlargeGrid", "グリッド拡大(&F)", "グリッド拡大(F)", QKeySequence(Qt::Key_F), "TBEnlageGrid",
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {"MMEnsmallGrid", "グリッド縮小(&D)", "グリッド縮小(D)", QKeySequence(Qt::Key_D), "TBEnsmallGrid",
         {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
        {"MMHelp", "ヘルプ(&H)", "ヘルプ(F1)", QKeySequence(Qt::Key_F1), "TBHelp"},
        {"MMUndo", "元に戻す(&U)", "元に戻す(Ctrl+Z)", QKeySequence(Qt::CTRL | Qt::Key_Z), "TBUndo"},
        {"MMRedo", "やり直し(&R)", "やり直し(Ctrl+Y)", QKeySequence(Qt::CTRL | Qt::Key_Y), "TBRedo"},
        {"MMSaveAs", "名前を付けて保存(&A)...", "名前を付けて保存(Ctrl+Shift+S)", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         nullptr},
        {"MMExit", "終了(&X)", "終了(Ctrl+Q)", QKeySequence(Qt::CTRL | Qt::Key_Q), nullptr},
    };
    for (const auto& row : table) {
        QAction* a = h.action(row.name);
        QVERIFY2(a, row.name);
        QCOMPARE(a->text(), QString::fromUtf8(row.caption));
        QCOMPARE(a->toolTip(), QString::fromUtf8(row.hint));
        QCOMPARE(a->shortcut(), row.shortcut);
        if (a != h.action("MMRedo"))
            QCOMPARE(a->shortcuts(), row.shortcut.isEmpty() ? QList<QKeySequence>() : QList{row.shortcut} + row.more);
        if (!row.button) {
            QVERIFY(a->icon().isNull());
            continue;
        }
        auto* button = h.window->findChild<QToolButton*>(QString::fromLatin1(row.button));
        QVERIFY2(button, row.button);
        QCOMPARE(button->defaultAction(), a);
        QCOMPARE(button->size(), QSize(26, 26));
        QCOMPARE(button->iconSize(), QSize(18, 18));
        // The image reads at 18 x 18: drawn, not blank.
        const QImage icon = a->icon().pixmap(18, 18).toImage();
        int painted = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                painted += qAlpha(icon.pixel(x, y)) > 0;
        QVERIFY2(painted > 60, row.name);
    }
    QCOMPARE(h.action("MMAbout")->text(), QStringLiteral("バージョン情報(&A)"));
    QVERIFY(h.action("MMAbout")->icon().isNull());
    QVERIFY(h.action("MMDrawAnswer")->isCheckable());
    QVERIFY(h.action("MMTransparentMode")->isCheckable());

    QStringList menus;
    for (QAction* m : h.window->menuBar()->actions())
        menus << m->text();
    QCOMPARE(menus, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"), QStringLiteral("迷路(&M)"),
                                 QStringLiteral("表示(&V)"), QStringLiteral("ヘルプ(&H)")}));
    // Redo also answers Ctrl+Shift+Z; the File menu: Save As after Save,
    // recent files after Load, Exit last.
    QCOMPARE(h.action("MMRedo")->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    QStringList fileItems;
    for (QAction* item : h.window->findChild<QMenu*>(QStringLiteral("File1"))->actions())
        fileItems << (item->isSeparator() ? QStringLiteral("-") : item->text());
    QCOMPARE(fileItems.mid(0, 6), (QStringList{QStringLiteral("新規作成(&N)"), QStringLiteral("読み込み(&L)"),
                                               QStringLiteral("最近使ったファイル(&R)"), QStringLiteral("保存(&S)"),
                                               QStringLiteral("名前を付けて保存(&A)..."),
                                               QStringLiteral("ビットマップファイルとして保存(&B)")}));
    QCOMPARE(fileItems.back(), QStringLiteral("終了(&X)"));

    // Left to right, 26 pixels a button, the gaps after Save as bitmap,
    // Transparent mode and Show answer.
    QToolBar* bar = h.window->findChild<QToolBar*>(QStringLiteral("ToolBar"));
    const int origin = bar->findChild<QToolButton*>(QStringLiteral("TBNew"))->x();
    const std::pair<const char*, int> positions[] = {{"TBNew", 0}, {"ToolButton1", 26}, {"TBSave", 52},
        {"TBSaveAsBitmap", 78}, {"TBEnlageGrid", 108}, {"TBEnsmallGrid", 134}, {"TBTransparentMode", 160},
        {"TBMakeMaze", 194}, {"TBInitMaze", 220}, {"TBDrawAnswer", 246}, {"TBHelp", 276}};
    for (const auto& [name, x] : positions)
        QCOMPARE(bar->findChild<QWidget*>(QString::fromLatin1(name))->x() - origin, x);
    for (const auto& [name, x] : {std::pair{"ToolButton3", 104}, {"ToolButton4", 186}, {"ToolButton6", 272}})
        QCOMPARE(bar->findChild<QWidget*>(QString::fromLatin1(name))->x() - origin, x);
    // Undo and redo come after Help, behind a gap of their own.
    for (const auto& [name, x] : {std::pair{"ToolButton7", 302}, {"TBUndo", 306}, {"TBRedo", 332}})
        QCOMPARE(bar->findChild<QWidget*>(QString::fromLatin1(name))->x() - origin, x);
}

// The drawing rules themselves are the path editor's; here what the window
// makes of each step: prompts, flags and title.
void MainWindowTest::workedThreeByTwoPathAndStepBack()
{
    WindowHarness h;
    const MazeBoard& b = h.window->board();
    // Refused keys at start-up change nothing, not even the modified mark.
    h.pressKeys("LUD");
    QCOMPARE(b.curX, -1);
    QVERIFY(!h.window->isModified());
    QCOMPARE(h.window->statusText(), ChooseStart);

    h.newBoard(3, 2, 10);
    h.pressKeys("RRDR");
    QCOMPARE(h.window->statusText(), ExtendLine);
    QVERIFY(!h.action("MMMakeMaze")->isEnabled());
    h.pressKeys("R");
    QCOMPARE(b.curX, 3);
    QCOMPARE(b.curY, 1);
    QCOMPARE(h.window->statusText(), PressMakeMaze);
    QVERIFY(h.window->canMakeMaze());
    QVERIFY(h.action("MMMakeMaze")->isEnabled());
    QVERIFY(h.window->isModified());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo * 新規ファイル"));

    // From a complete path no forward step passes; left goes back.
    h.pressKeys("RUD");
    QCOMPARE(b.curX, 3);
    QCOMPARE(h.window->statusText(), PressMakeMaze);
    h.press(Qt::Key_Left);
    QCOMPARE(b.curX, 2);
    // The state follows the head back inside the grid.
    QVERIFY(!h.window->canMakeMaze());
    QVERIFY(!h.action("MMMakeMaze")->isEnabled());
    QCOMPARE(h.window->statusText(), ExtendLine);
    QVERIFY(h.window->isModified());

    // All the way back to the start.
    h.pressKeys("LULL");
    QCOMPARE(b.curX, -1);
    QCOMPARE(b.curY, 0);
    QCOMPARE(h.window->statusText(), UseCursorKeys);
    QVERIFY(!h.action("MMMakeMaze")->isEnabled());

    // A path ending on the ring cell next to its start is complete.
    h.clickCell(-1, 0);
    h.pressKeys("RDL");
    QCOMPARE(b.curY, 1);
    QVERIFY(h.window->canMakeMaze());
    QCOMPARE(h.window->statusText(), PressMakeMaze);
}

void MainWindowTest::clicksOnTheRingAndTheGrid()
{
    WindowHarness h;
    h.newBoard(8, 6, 10);
    const MazeBoard& b = h.window->board();
    h.clickCell(-1, 3);
    h.pressKeys("RRR");
    QCOMPARE(b.curX, 2);

    // The top-left corner: nothing at all.
    h.clickAt(0, 0);
    h.clickAt(9, 9);
    QCOMPARE(h.window->statusText(), ExtendLine);
    QCOMPARE(b.startX, -1);
    QCOMPARE(b.startY, 3);

    // A grid cell: the message, nothing else.
    h.clickCell(4, 4);
    QCOMPARE(h.window->statusText(), StartOutside);
    QCOMPARE(b.curX, 2);
    QCOMPARE(b.getPathV(1, 3), 1);
    QVERIFY(h.window->isModified());

    // X = marginX is column 0, a grid cell; X = marginX - 1 is the ring.
    h.window->SetStatusText(QString());
    h.clickAt(10, 25);
    QCOMPARE(h.window->statusText(), StartOutside);
    QCOMPARE(b.startY, 3);
    h.clickAt(9, 25);
    QCOMPARE(b.startX, -1);
    QCOMPARE(b.startY, 1);
    QCOMPARE(b.curX, -1);
    QCOMPARE(b.getPathV(1, 3), 0);
    QCOMPARE(h.window->statusText(), UseCursorKeys);
    QVERIFY(!h.window->isModified());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - 新規ファイル"));

    // Right of or below the ring there is no cell: ignored without a word.
    h.newBoard(5, 5, 3); // a 21 x 21 picture in a 320-pixel-wide area
    h.window->SetStatusText(QStringLiteral("x"));
    h.clickAt(100, 10);
    h.clickAt(21, 10); // the first pixel right of the ring
    QCOMPARE(h.window->statusText(), QStringLiteral("x"));
    QCOMPARE(b.startX, -1);
    QCOMPARE(b.startY, 0);
    h.clickAt(20, 10); // the right ring column
    QCOMPARE(b.startX, 5);
    QCOMPARE(b.startY, 2);

    // While a maze is shown clicks and keys change nothing.
    h.window->SetStatusText(QStringLiteral("y"));
    h.pressKeys("L");
    h.pressKeys("LLLLL");
    QVERIFY(h.window->canMakeMaze());
    h.action("MMMakeMaze")->trigger();
    h.clickCell(-1, 2);
    h.clickCell(2, 2);
    h.pressKeys("RRRR");
    QCOMPARE(b.startX, 5);
    QCOMPARE(b.curX, -1);
    QCOMPARE(h.window->statusText(), PressMakeMaze);
}

void MainWindowTest::newStartClickClearsMakeMaze()
{
    WindowHarness h;
    h.newBoard(5, 5, 10);
    h.pressKeys("RRRRRR");
    QVERIFY(h.action("MMMakeMaze")->isEnabled());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo * 新規ファイル"));
    h.clickCell(2, -1);
    QVERIFY(!h.window->canMakeMaze());
    QVERIFY(!h.action("MMMakeMaze")->isEnabled());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - 新規ファイル"));
}

void MainWindowTest::disabledShortcutsDoNothing()
{
    WindowHarness h;
    h.newBoard(5, 5, 10);
    h.pressKeys("RR");
    h.press(Qt::Key_F5);
    QCOMPARE(h.window->mazeMode(), 0);
    h.press(Qt::Key_F3);
    QVERIFY(h.window->board().showAnswer);
    QVERIFY(h.action("MMDrawAnswer")->isChecked());

    h.pressKeys("RRRR");
    h.press(Qt::Key_F5);
    QCOMPARE(h.window->mazeMode(), 1);
    QVERIFY(h.window->mazeMade());
    h.press(Qt::Key_F3);
    QVERIFY(!h.window->board().showAnswer);
    QVERIFY(!h.action("MMDrawAnswer")->isChecked());
    QVERIFY(!h.window->findChild<QToolButton*>(QStringLiteral("TBDrawAnswer"))->isChecked());
    QVERIFY(!h.action("MMTransparentMode")->isEnabled());
    QVERIFY(h.action("MMSave")->isEnabled());
    h.press(Qt::Key_F3);
    QVERIFY(h.window->board().showAnswer);
}

void MainWindowTest::makeMazeTwiceAndShowAnswer()
{
    WindowHarness h;
    h.newBoard(12, 12, 10);
    h.clickCell(-1, 5);
    h.pressKeys("RRRRRRRRRRRRR");
    const QString title = h.window->windowTitle();
    h.window->SetStatusText(QStringLiteral("kept"));
    h.press(Qt::Key_F5);
    const auto first = h.window->board().toFileBytes();
    QCOMPARE(h.window->windowTitle(), title);
    h.press(Qt::Key_F5);
    const auto second = h.window->board().toFileBytes();
    QVERIFY(first != second);
    QCOMPARE(h.window->statusText(), QStringLiteral("kept"));
    QCOMPARE(h.window->windowTitle(), title);
    QVERIFY(h.window->isModified()); // the maze shown is in no file
    QVERIFY(h.window->canMakeMaze());

    // Initialise goes back to drawing from the same start, keeping the name.
    h.script.answers.push_back(Interaction::Answer::No);
    h.press(Qt::Key_F2);
    QCOMPARE(h.window->mazeMode(), 0);
    QVERIFY(!h.window->mazeMade());
    QCOMPARE(h.window->board().startY, 5);
    QCOMPARE(h.window->board().curX, -1);
    QCOMPARE(h.window->statusText(), ChooseStart);
    h.press(Qt::Key_Right);
    QCOMPARE(h.window->board().curX, 0);
}

void MainWindowTest::windowShowsTheBoardsPicture()
{
    WindowHarness h;
    h.newBoard(17, 9, 7);
    h.clickCell(3, -1);
    h.pressKeys("DDDRRRRDDDDDRRRRRRRRRR");
    QVERIFY(h.window->canMakeMaze());
    // The editing view, then the maze picture after Make Maze.
    QImage shown = h.window->image()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected = freshPicture(h.window->board(), false);
    QCOMPARE(shown.copy(expected.rect()), expected);
    h.action("MMMakeMaze")->trigger();
    shown = h.window->image()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    expected = freshPicture(h.window->board(), true);
    QCOMPARE(shown.copy(expected.rect()), expected);
}

void MainWindowTest::stepRepaintEqualsFullRepaint()
{
    WindowHarness h;
    for (const int grid : {3, 4, 10, 15}) {
        h.newBoard(14, 11, grid);
        h.clickCell(-1, 4);
        h.pressKeys("RRRRUURRRDDDDDDLLURRRRRRRRRRRUUUUUURRRLLLLLDDDRRRRR");
        QCOMPARE(h.window->image()->pixels().copy(0, 0, (14 + 2) * grid, (11 + 2) * grid),
                 freshPicture(h.window->board(), false));
        h.pressKeys("LLLLLLLLLLLLL");
        QCOMPARE(h.window->image()->pixels().copy(0, 0, (14 + 2) * grid, (11 + 2) * grid),
                 freshPicture(h.window->board(), false));
    }
}

void MainWindowTest::cursorKeysWorkWhateverHasTheFocus()
{
    WindowHarness h;
    h.newBoard(10, 10, 10);
    // Focus on a tool button (made focusable for the test), then on the
    // status bar's panel: the keys still draw, once each.
    auto* button = h.window->findChild<QToolButton*>(QStringLiteral("TBNew"));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setFocus();
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Right);
    QCOMPARE(h.window->board().curX, 0);
    auto* panel = h.window->statusBar()->findChild<QLabel*>();
    panel->setFocusPolicy(Qt::StrongFocus);
    panel->setFocus();
    QCOMPARE(QApplication::focusWidget(), panel);
    QTest::keyClick(panel, Qt::Key_Right);
    QCOMPARE(h.window->board().curX, 1);
    // Held keys: each auto-repeated press is one step.
    for (int i = 0; i < 3; ++i)
        QTest::sendKeyEvent(QTest::Press, panel, Qt::Key_Down, QString(), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, panel, Qt::Key_Down, QString(), Qt::NoModifier);
    QCOMPARE(h.window->board().curY, 3);
    // F and D are plain short-cuts that zoom at once while drawing.
    h.press(Qt::Key_F);
    QCOMPARE(h.window->board().getGridSize(), 11);
    h.press(Qt::Key_D);
    h.press(Qt::Key_D);
    QCOMPARE(h.window->board().getGridSize(), 9);
    QCOMPARE(h.window->board().curY, 3);
}

void MainWindowTest::exceptionInAHandlerIsShownAndTheProgramGoesOn()
{
    QString shownText;
    QTimer::singleShot(0, [&shownText] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                shownText = box->text();
                box->accept();
            }
    });
    Thrower thrower;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &event);
    QCOMPARE(shownText, QStringLiteral("boom in a handler"));
    // Still running: events are delivered as before.
    WindowHarness h;
    h.press(Qt::Key_Right);
    QCOMPARE(h.window->board().curX, 0);
}

void MainWindowTest::interfaceFontAndJapaneseQtTexts()
{
    const QFontInfo info(QApplication::font());
    const QStringList japanese = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
        QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")};
    QVERIFY2(japanese.contains(info.family()), qPrintable(info.family()));
    QCOMPARE(QApplication::font().pixelSize(), 12);
    // Qt's own dialogs and buttons speak Japanese.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.zubelo.Zubelo"));
    QVERIFY(!QApplication::windowIcon().isNull());
}

// No program to show the manual (nothing on the PATH to start): F1 says
// which file it could not open, as for any file.
void MainWindowTest::helpThatCannotBeShownNamesTheManual()
{
    WindowHarness h;
    QTemporaryDir nothing;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(nothing.path()));
    h.action("MMHelp")->trigger();
    qputenv("PATH", path);
    QCOMPARE(h.script.messages.size(), std::size_t(1));
    QCOMPARE(h.script.messages[0].text,
             QStringLiteral("Failed to open File ") + QString::fromStdU16String(h.window->helpPath().u16string()));
}

// `zubelo FILE`: the window is first shown at the size the file's maze
// needs, not at the start-up board's and then again.
void MainWindowTest::aFileGivenAtStartIsShownOnceAtItsSize()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("wide.maz"));
    {
        RandomSource random;
        MazeBoard board(random);
        QVERIFY(board.resize(60, 45));
        board.setGridSize(12);
        for (int x = 0; x <= 60; ++x)
            board.setPathV(x, 10, 1);
        board.startX = -1, board.startY = 10, board.curX = 60, board.curY = 10;
        board.makeMaze();
        QVERIFY(board.saveFile(file.toStdU16String()));
    }
    struct FirstShow : QObject {
        QSize size;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Show && size.isEmpty())
                size = static_cast<QWidget*>(watched)->size();
            return false;
        }
    } first;
    QSettings().clear();
    ScriptedInteraction script;
    TFMain window(&script);
    window.installEventFilter(&first);
    window.StartUp(file);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.fileName(), file);
    QCOMPARE(first.size, window.size());
    QVERIFY(script.messages.empty());
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "mainwindow_test.moc"
