// New, Load and Save with the question before discarding changes, through
// the window's dialog seam; and the real question box and file dialogs.

#include "Application.h"
#include "Interaction.h"
#include "RecentFiles.h"
#include "Setsize.h"
#include "window_harness.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

using Answer = Interaction::Answer;

const QString Question = QStringLiteral("内容が変更されています。変更を保存しますか？");
const QString PressMakeMaze = QStringLiteral("迷路作成ボタンを押してください。");
const QString ChooseStart = QStringLiteral("始点を決めてください(灰色の部分)");

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs `check` on the first visible top-level widget of type T once the
// event loop shows it (modal dialogs block the caller until closed).
template <typename T, typename F>
void whenShown(F check)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, check, tries] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* w = qobject_cast<T*>(top); w && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                check(w);
                return;
            }
        }
        if (++*tries > 500) { // never wait forever on a dialog that did not come
            timer->stop();
            timer->deleteLater();
            qWarning("expected dialog did not appear");
        }
    });
    timer->start();
}

// A board with a drawn path and a made maze, modified.
void drawAndMake(WindowHarness& h)
{
    h.newBoard(9, 7, 10);
    h.clickCell(-1, 3);
    h.pressKeys("RRRRUURRRRRR");
    QVERIFY(h.window->canMakeMaze());
    h.action("MMMakeMaze")->trigger();
}

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void newAsksOnlyWithChangesAndStartsClean();
    void confirmSaveAnswers();
    void saveWithAndWithoutAName();
    void failedSaveLosesNothing();
    void loadSucceedsAndFails();
    void saveAndExportOfferNamesOfTheirOwnKind();
    void saveAsAndExit();
    void recentFilesAndAVanishedOne();
    void droppedFiles();
    void closingAsksFirst();
    void endToEndSaveNewLoad();

    void realQuestionBox();
    void realSaveDialogAddsSuffixAndAsksBeforeOverwriting();
    void realSizeDialogPresetsFromTheBoard();
    void namesAndRestoredTextsAreShownAsText();
    void aFileWithoutOnePathMakesNoMaze();

private:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

void DocumentTest::newAsksOnlyWithChangesAndStartsClean()
{
    WindowHarness h;
    // Without changes New goes straight to the size dialog.
    h.script.sizes.push_back(Interaction::NewSize{12, 8, 6});
    h.action("MMNew")->trigger();
    QVERIFY(h.script.questions.empty());
    QCOMPARE(h.script.sizeRequests.back().width, 40);
    QCOMPARE(h.script.sizeRequests.back().height, 40);
    QCOMPARE(h.script.sizeRequests.back().gridSize, 10);
    QCOMPARE(h.window->board().getWidth(), 12);
    QCOMPARE(h.window->board().getGridSize(), 6);

    // New after a made maze: a clean drawing state.
    drawAndMake(h);
    h.script.answers.push_back(Answer::No);
    h.script.sizes.push_back(Interaction::NewSize{10, 10, 8});
    h.action("MMNew")->trigger();
    QCOMPARE(h.script.questions.size(), std::size_t(1));
    QCOMPARE(h.script.questions.back(), Question);
    QCOMPARE(h.window->mazeMode(), 0);
    QVERIFY(!h.window->isModified());
    QVERIFY(h.window->fileName().isEmpty());
    QVERIFY(!h.window->canMakeMaze());
    QVERIFY(!h.window->mazeMade());
    QVERIFY(!h.action("MMMakeMaze")->isEnabled());
    QVERIFY(!h.action("MMSave")->isEnabled());
    QVERIFY(!h.action("MMDrawAnswer")->isEnabled());
    QVERIFY(h.action("MMTransparentMode")->isEnabled());
    QCOMPARE(h.window->statusText(), ChooseStart);
    QCOMPARE(h.window->board().startX, -1);
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - 新規ファイル"));

    // Cancel in the size dialog keeps everything.
    h.pressKeys("RRR");
    h.script.answers.push_back(Answer::No);
    h.script.sizes.push_back(std::nullopt);
    h.action("MMNew")->trigger();
    QCOMPARE(h.window->board().getWidth(), 10);
    QCOMPARE(h.window->board().curX, 2);
    QVERIFY(h.window->isModified());
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::confirmSaveAnswers()
{
    WindowHarness h;
    drawAndMake(h);
    const auto before = h.window->board().toFileBytes();

    // Cancel: nothing changes, whichever command asked.
    for (const char* command : {"MMNew", "MMLoad", "MMInitMaze"}) {
        h.script.answers.push_back(Answer::Cancel);
        h.action(command)->trigger();
        QCOMPARE(h.window->board().toFileBytes(), before);
        QCOMPARE(h.window->mazeMode(), 1);
        QVERIFY(h.window->isModified());
    }
    // Yes without a name: the save dialog; cancelling it cancels the command.
    h.script.answers.push_back(Answer::Yes);
    h.script.saveNames.push_back(std::nullopt);
    h.action("MMInitMaze")->trigger();
    QCOMPARE(h.window->mazeMode(), 1);
    QVERIFY(h.window->isModified());
    QCOMPARE(h.script.saveDialogs.size(), std::size_t(1));
    QCOMPARE(h.script.saveDialogs.back().filter, QStringLiteral("Maze Files (*.maz)|*.maz|All Files (*.*) |*.*"));
    QCOMPARE(h.script.saveDialogs.back().defaultSuffix, QStringLiteral("maz"));

    // Yes with a name chosen: saved, then the command goes on.
    h.script.answers.push_back(Answer::Yes);
    h.script.saveNames.push_back(path("yes.maz"));
    h.action("MMInitMaze")->trigger();
    QCOMPARE(h.window->mazeMode(), 0);
    QCOMPARE(h.window->fileName(), path("yes.maz"));
    QCOMPARE(readAll(path("yes.maz")).size(), 32 + 2 * (10 * 7 + 9 * 8));
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + path("yes.maz"));

    // Yes with a name already set: saved there without a dialog. The file
    // then holds the path drawn so far, though Save itself is disabled.
    h.pressKeys("RRRR");
    QVERIFY(!h.action("MMSave")->isEnabled());
    h.script.answers.push_back(Answer::Yes);
    h.script.sizes.push_back(Interaction::NewSize{6, 6, 10});
    h.action("MMNew")->trigger();
    QCOMPARE(h.script.saveDialogs.size(), std::size_t(2));
    MazeBoard saved;
    QVERIFY(saved.loadFile(path("yes.maz").toStdU16String()));
    QCOMPARE(saved.getPathV(3, 3), 1);
    QCOMPARE(saved.getPathV(4, 3), 0);
    QCOMPARE(h.window->board().getWidth(), 6);

    // No: the changes are dropped and the command goes on.
    h.pressKeys("RR");
    h.script.answers.push_back(Answer::No);
    h.action("MMInitMaze")->trigger();
    QCOMPARE(h.window->board().curX, -1);
    QVERIFY(!h.window->isModified());
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::saveWithAndWithoutAName()
{
    WindowHarness h;
    drawAndMake(h);
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo * 新規ファイル"));
    h.script.saveNames.push_back(path("first.maz"));
    h.press(Qt::Key_S); // a plain S does nothing
    QVERIFY(h.script.saveDialogs.empty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(h.script.saveDialogs.size(), std::size_t(1));
    QCOMPARE(h.window->fileName(), path("first.maz"));
    QVERIFY(!h.window->isModified());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + path("first.maz"));
    const QByteArray first = readAll(path("first.maz"));
    QCOMPARE(first, QByteArray(reinterpret_cast<const char*>(h.window->board().toFileBytes().data()),
                               qsizetype(h.window->board().toFileBytes().size())));

    // Named: Save writes at once, no dialog.
    QFile::remove(path("first.maz"));
    h.action("MMSave")->trigger();
    QCOMPARE(h.script.saveDialogs.size(), std::size_t(1));
    QCOMPARE(readAll(path("first.maz")), first);
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::failedSaveLosesNothing()
{
    WindowHarness h;
    drawAndMake(h);
    // /proc takes no new files, not even from root.
    const QString unwritable = QStringLiteral("/proc/zubelo-test.maz");
    h.script.saveNames.push_back(unwritable);
    h.action("MMSave")->trigger();
    QCOMPARE(h.script.messages.size(), std::size_t(1));
    QCOMPARE(h.script.messages.back().kind, Interaction::MessageKind::Warning);
    QCOMPARE(h.script.messages.back().text, QStringLiteral("ファイル /proc/zubelo-test.maz を作成できません"));
    QVERIFY(h.window->isModified());
    QVERIFY(h.window->fileName().isEmpty()); // the name just chosen is not taken
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo * 新規ファイル"));

    // A New whose question was answered Yes is cancelled by the failed save.
    const auto before = h.window->board().toFileBytes();
    h.script.answers.push_back(Answer::Yes);
    h.script.saveNames.push_back(unwritable);
    h.action("MMNew")->trigger();
    QVERIFY(h.script.sizeRequests.size() == 1); // only drawAndMake's New
    QCOMPARE(h.window->board().toFileBytes(), before);
    QCOMPARE(h.window->mazeMode(), 1);
    // The dialog still offers the name last chosen in it.
    QCOMPARE(h.script.saveDialogs.back().initialName, unwritable);

    // A named maze whose file has become unwritable keeps its name.
    h.script.saveNames.push_back(path("named.maz"));
    h.action("MMSave")->trigger();
    QCOMPARE(h.window->fileName(), path("named.maz"));
    h.action("MMInitMaze")->trigger();
    h.pressKeys("RRR");
    QVERIFY(QFile::remove(path("named.maz")));
    QVERIFY(QDir().mkpath(path("named.maz"))); // a folder where the file was
    h.action("MMInitMaze")->trigger();
    QCOMPARE(h.script.questions.size(), std::size_t(2));
    h.script.answers.push_back(Answer::Yes);
    h.action("MMInitMaze")->trigger();
    QCOMPARE(h.window->fileName(), path("named.maz"));
    QVERIFY(h.window->isModified());
    QCOMPARE(h.window->board().curX, 2);
}

void DocumentTest::loadSucceedsAndFails()
{
    WindowHarness h;
    drawAndMake(h);
    h.script.saveNames.push_back(path("maze.maz"));
    h.action("MMSave")->trigger();
    const auto savedBytes = h.window->board().toFileBytes();

    h.newBoard(5, 5, 3);
    h.pressKeys("RRR");
    h.script.answers.push_back(Answer::No);
    h.script.openNames.push_back(path("maze.maz"));
    h.action("MMLoad")->trigger();
    QCOMPARE(h.script.openDialogs.back().filter, QStringLiteral("MAZ File (*.maz)|*.maz|All Files (*.*)|*.*"));
    QCOMPARE(h.script.openDialogs.back().defaultSuffix, QStringLiteral("maz"));
    QCOMPARE(h.window->fileName(), path("maze.maz"));
    QVERIFY(!h.window->isModified());
    QCOMPARE(h.window->mazeMode(), 1);
    QVERIFY(h.window->canMakeMaze());
    QVERIFY(h.window->mazeMade());
    QCOMPARE(h.window->statusText(), PressMakeMaze);
    QVERIFY(h.action("MMDrawAnswer")->isChecked());
    QVERIFY(h.action("MMSave")->isEnabled());
    QVERIFY(h.action("MMMakeMaze")->isEnabled());
    QVERIFY(!h.action("MMTransparentMode")->isEnabled());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + path("maze.maz"));
    QCOMPARE(h.window->image()->size(), QSize(320, 90)); // 110 wide, at least 320
    // All of it, the start and the head too: they are the path's two ends.
    const auto loadedBytes = h.window->board().toFileBytes();
    QCOMPARE(loadedBytes, savedBytes);
    // Clicks and keys do nothing on a shown maze.
    h.clickCell(-1, 2);
    h.pressKeys("RR");
    QCOMPARE(h.window->board().startY, 3);

    // A file that is not a maze: the message with the whole path, the
    // picture and the board as they were, the name gone.
    QFile bad(path("not-a-maze.maz"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("maze and more bytes than a header needs.............");
    bad.close();
    const QImage pictureBefore = h.window->image()->pixels();
    h.window->SetStatusText(QStringLiteral("kept"));
    h.script.openNames.push_back(path("not-a-maze.maz"));
    h.action("MMLoad")->trigger();
    QCOMPARE(h.script.messages.back().kind, Interaction::MessageKind::Plain);
    QCOMPARE(h.script.messages.back().text, QStringLiteral("Failed to open File ") + path("not-a-maze.maz"));
    QCOMPARE(h.window->board().toFileBytes(), loadedBytes);
    QCOMPARE(h.window->image()->pixels(), pictureBefore);
    QVERIFY(h.window->fileName().isEmpty());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - 新規ファイル"));
    QCOMPARE(h.window->statusText(), QStringLiteral("kept"));
    QCOMPARE(h.window->mazeMode(), 1);

    // A missing file and a truncated one fail the same way.
    for (const char* name : {"missing.maz", "truncated.maz"}) {
        if (QString::fromUtf8(name) == QStringLiteral("truncated.maz")) {
            QFile t(path(name));
            QVERIFY(t.open(QIODevice::WriteOnly));
            t.write(readAll(path("maze.maz")).chopped(1));
        }
        h.script.openNames.push_back(path(name));
        h.action("MMLoad")->trigger();
        QCOMPARE(h.script.messages.back().text, QStringLiteral("Failed to open File ") + path(name));
        QCOMPARE(h.window->board().toFileBytes(), loadedBytes);
    }
    // Cancelling the open dialog changes nothing.
    h.script.openNames.push_back(std::nullopt);
    const std::size_t messages = h.script.messages.size();
    h.action("MMLoad")->trigger();
    QCOMPARE(h.script.messages.size(), messages);
    QVERIFY(h.script.unexpected.empty());
}

// The shared save dialog once offered the maze file's name to the export, so
// Enter replaced the maze with a picture. Now each offers a name of its own
// kind, and refuses one of the other kind.
void DocumentTest::saveAndExportOfferNamesOfTheirOwnKind()
{
    WindowHarness h;
    drawAndMake(h);
    h.script.saveNames.push_back(path("picture.bmp"));
    h.action("MMSaveAsBitmap")->trigger();
    QCOMPARE(h.script.saveDialogs.back().filter, QStringLiteral("Bitmap (*.bmp)|*.bmp|All Files (*.*) |*.*"));
    QCOMPARE(h.script.saveDialogs.back().defaultSuffix, QStringLiteral("bmp"));
    QVERIFY(h.script.saveDialogs.back().initialName.isEmpty());
    QVERIFY(QFile::exists(path("picture.bmp")));
    QVERIFY(h.window->isModified()); // the export is not a save
    QVERIFY(h.window->fileName().isEmpty());

    // Save: no bitmap name offered; one typed is refused, and the dialog
    // comes again with the name made a maze's.
    h.script.saveNames.push_back(path("typed.BMP"));
    h.script.saveNames.push_back(path("maze.maz"));
    h.action("MMSave")->trigger();
    QCOMPARE(h.script.saveDialogs.size(), std::size_t(3));
    QVERIFY(h.script.saveDialogs[1].initialName.isEmpty());
    QCOMPARE(h.script.saveDialogs[2].initialName, path("typed.maz"));
    QCOMPARE(h.script.saveDialogs[2].defaultSuffix, QStringLiteral("maz"));
    QCOMPARE(h.script.messages.size(), std::size_t(1));
    QCOMPARE(h.script.messages.back().kind, Interaction::MessageKind::Warning);
    QCOMPARE(h.script.messages.back().text,
             QStringLiteral("「typed.BMP」はビットマップファイルの名前です。迷路は拡張子 .maz の名前で保存してください。"));
    QVERIFY(!QFile::exists(path("typed.BMP")));
    QCOMPARE(h.window->fileName(), path("maze.maz"));
    const QByteArray maze = readAll(path("maze.maz"));

    // The export after a Save: the bitmap name last chosen, never the maze's;
    // a maze name typed there is refused the same way.
    h.script.saveNames.push_back(path("maze.maz"));
    h.script.saveNames.push_back(std::nullopt);
    h.action("MMSaveAsBitmap")->trigger();
    QCOMPARE(h.script.saveDialogs[3].initialName, path("picture.bmp"));
    QCOMPARE(h.script.saveDialogs[4].initialName, path("maze.bmp"));
    QCOMPARE(h.script.messages.back().text,
             QStringLiteral("「maze.maz」は迷路ファイルの名前です。ビットマップは拡張子 .bmp の名前で保存してください。"));
    QCOMPARE(readAll(path("maze.maz")), maze);

    // A document loaded afresh: its own base name with .bmp, in the folder
    // bitmaps last went to.
    QVERIFY(QDir().mkpath(path("sub")));
    QVERIFY(QFile::copy(path("maze.maz"), path("sub/other.maz")));
    h.script.openNames.push_back(path("sub/other.maz"));
    h.action("MMLoad")->trigger();
    h.script.saveNames.push_back(std::nullopt);
    h.action("MMSaveAsBitmap")->trigger();
    QCOMPARE(h.script.saveDialogs.back().initialName, path("other.bmp"));
    QCOMPARE(h.script.saveDialogs.back().folder, dir.path());
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::saveAsAndExit()
{
    WindowHarness h;
    drawAndMake(h);
    // Save As is there once a maze is made, as Save is.
    QVERIFY(h.action("MMSaveAs")->isEnabled());
    h.script.saveNames.push_back(path("first.maz"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(h.window->fileName(), path("first.maz"));
    QVERIFY(!h.window->isModified());

    // Named: Save As still asks, offering the document's name; the new name
    // becomes the document's, and the first file stays as it was.
    h.press(Qt::Key_F5);
    QVERIFY(h.window->isModified()); // a new maze is a change
    const QByteArray first = readAll(path("first.maz"));
    h.script.saveNames.push_back(path("second.maz"));
    h.action("MMSaveAs")->trigger();
    QCOMPARE(h.script.saveDialogs.back().initialName, path("first.maz"));
    QCOMPARE(h.window->fileName(), path("second.maz"));
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - ") + path("second.maz"));
    QCOMPARE(readAll(path("first.maz")), first);
    QVERIFY(readAll(path("second.maz")) != first);
    // Cancelled: nothing changes.
    h.press(Qt::Key_F5);
    h.script.saveNames.push_back(std::nullopt);
    h.action("MMSaveAs")->trigger();
    QCOMPARE(h.window->fileName(), path("second.maz"));
    QVERIFY(h.window->isModified());

    // Exit asks as closing does; Cancel keeps the window.
    h.script.answers.push_back(Answer::Cancel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(h.window->isVisible());
    h.script.answers.push_back(Answer::No);
    h.action("MMExit")->trigger();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.script.questions.size(), std::size_t(2));
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::recentFilesAndAVanishedOne()
{
    WindowHarness h;
    QMenu* menu = h.window->findChild<QMenu*>(QStringLiteral("MMRecentFiles"));
    QVERIFY(!menu->isEnabled()); // nothing opened or saved yet
    MazeBoard maze;
    for (int i = 0; i < 10; ++i)
        QVERIFY(maze.saveFile(path(qPrintable(QStringLiteral("m%1.maz").arg(i))).toStdU16String()));
    // Nine opened (m0 ... m8), then one saved: the last eight, newest first.
    for (int i = 0; i < 9; ++i) {
        h.script.openNames.push_back(path(qPrintable(QStringLiteral("m%1.maz").arg(i))));
        h.action("MMLoad")->trigger();
    }
    drawAndMake(h);
    h.script.saveNames.push_back(path("saved.maz"));
    h.action("MMSave")->trigger();
    QStringList expected{path("saved.maz")};
    for (int i = 8; i > 1; --i)
        expected << path(qPrintable(QStringLiteral("m%1.maz").arg(i)));
    QStringList shown;
    for (QAction* item : menu->actions())
        shown << item->text();
    QCOMPARE(shown.size(), 8);
    QCOMPARE(shown.front(), QStringLiteral("&1 ") + QDir::toNativeSeparators(path("saved.maz")));
    QCOMPARE(RecentFiles().files(), expected);
    // The open dialog starts in the folder it last showed.
    h.script.openNames.push_back(std::nullopt);
    h.action("MMLoad")->trigger();
    QCOMPARE(h.script.openDialogs.back().folder, dir.path());

    // Opening one again moves it up, through the question first.
    h.window->findChild<QAction*>(QStringLiteral("MMRecent3"))->trigger();
    QCOMPARE(h.window->fileName(), path("m7.maz"));
    QCOMPARE(RecentFiles().files().front(), path("m7.maz"));

    // A file that has gone: the usual message, and it leaves the list.
    QVERIFY(QFile::remove(path("m5.maz")));
    h.window->findChild<QAction*>(QStringLiteral("MMRecent5"))->trigger();
    QCOMPARE(h.script.messages.back().text, QStringLiteral("Failed to open File ") + path("m5.maz"));
    QVERIFY(!RecentFiles().files().contains(path("m5.maz")));
    QCOMPARE(menu->actions().size(), 7);
    // With changes, the question comes first, and Cancel opens nothing.
    h.action("MMInitMaze")->trigger();
    h.pressKeys("R");
    h.script.answers.push_back(Answer::Cancel);
    h.window->findChild<QAction*>(QStringLiteral("MMRecent1"))->trigger();
    QCOMPARE(h.script.questions.size(), std::size_t(1));
    QCOMPARE(h.window->mazeMode(), 0);
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::droppedFiles()
{
    WindowHarness h;
    MazeBoard maze;
    QVERIFY(maze.resize(7, 9));
    QVERIFY(maze.saveFile(path("dropped.maz").toStdU16String()));
    for (const char* name : {"picture.png", "notes.txt"}) {
        QFile empty(path(name));
        QVERIFY(empty.open(QIODevice::WriteOnly));
    }
    auto drop = [&h](const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        const QPoint at = h.window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.window.get(), &enter);
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.window.get(), &event);
        QCoreApplication::processEvents();
        return enter.isAccepted();
    };

    // Another kind of file, or several: refused with a message, nothing else.
    // A picture is for the underlay, and this one is no picture.
    h.pressKeys("RR");
    const auto before = h.window->board().toFileBytes();
    QVERIFY(drop({path("notes.txt")}));
    QCOMPARE(h.script.messages.back().text, QStringLiteral("「notes.txt」は迷路ファイル(.maz)ではないので開けません。"));
    QVERIFY(drop({path("picture.png")}));
    QCOMPARE(h.script.messages.back().text, QStringLiteral("「picture.png」は下絵にできる画像ファイルではありません。"));
    QVERIFY(drop({path("dropped.maz"), path("picture.png")}));
    QCOMPARE(h.script.messages.back().text, QStringLiteral("ファイルは一度に1つずつドロップしてください。"));
    QCOMPARE(h.window->board().toFileBytes(), before);
    QVERIFY(h.script.questions.empty());

    // A maze: the question about the changes, then it is loaded as by Load.
    h.script.answers.push_back(Answer::No);
    QVERIFY(drop({path("dropped.maz")}));
    QCOMPARE(h.script.questions.size(), std::size_t(1));
    QCOMPARE(h.window->fileName(), path("dropped.maz"));
    QCOMPARE(h.window->board().getHeight(), 9);
    QCOMPARE(h.window->mazeMode(), 1);
    QCOMPARE(RecentFiles().files(), QStringList{path("dropped.maz")});

    // Text dragged from elsewhere is not taken at all.
    QMimeData text;
    text.setText(QStringLiteral("dropped.maz"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(h.window.get(), &enter);
    QVERIFY(!enter.isAccepted());
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::closingAsksFirst()
{
    {
        WindowHarness h; // no changes: closes at once
        QVERIFY(h.window->close());
        QVERIFY(h.script.questions.empty());
    }
    {
        WindowHarness h;
        drawAndMake(h);
        h.script.answers.push_back(Answer::Cancel);
        QVERIFY(!h.window->close());
        QVERIFY(h.window->isVisible());
        h.script.answers.push_back(Answer::Yes);
        h.script.saveNames.push_back(std::nullopt); // save dialog cancelled
        QVERIFY(!h.window->close());
        h.script.answers.push_back(Answer::Yes);
        h.script.saveNames.push_back(QStringLiteral("/proc/zubelo-test.maz")); // save fails
        QVERIFY(!h.window->close());
        h.script.answers.push_back(Answer::Yes);
        h.script.saveNames.push_back(path("closed.maz"));
        QVERIFY(h.window->close());
        QVERIFY(QFile::exists(path("closed.maz")));
    }
    {
        WindowHarness h;
        drawAndMake(h);
        h.script.answers.push_back(Answer::No);
        QVERIFY(h.window->close());
        QVERIFY(h.script.unexpected.empty());
    }
}

void DocumentTest::endToEndSaveNewLoad()
{
    WindowHarness h;
    h.newBoard(23, 17, 8);
    h.clickCell(6, -1);
    h.pressKeys("DDDDDRRRRRRDDDLLLLLLLLLLDDDDDDRRRRRRRRRRRRRRRRRRRRRRR");
    QVERIFY(h.window->canMakeMaze());
    h.press(Qt::Key_F5);
    const auto made = h.window->board().toFileBytes();
    const QImage picture = freshPicture(h.window->board(), true);
    h.script.saveNames.push_back(path("迷路テスト"));
    // The dialog adds the suffix; the scripted answer is what it returns.
    h.script.saveNames.back() = path("迷路テスト.maz");
    h.press(Qt::Key_S);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(path("迷路テスト.maz")));

    h.script.sizes.push_back(Interaction::NewSize{5, 5, 5});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(h.window->board().getWidth(), 5);

    h.script.openNames.push_back(path("迷路テスト.maz"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    const auto loaded = h.window->board().toFileBytes();
    QCOMPARE(loaded.size(), made.size());
    QVERIFY(std::equal(loaded.begin(), loaded.begin() + 12, made.begin()));
    QVERIFY(std::equal(loaded.begin() + 28, loaded.end(), made.begin() + 28));
    QCOMPARE(h.window->image()->pixels().copy(picture.rect()), picture);
    QVERIFY(h.script.unexpected.empty());
}

void DocumentTest::realQuestionBox()
{
    QtInteraction real;
    for (const auto& [key, expected] : {std::pair{Qt::Key_Escape, Answer::Cancel}, {Qt::Key_Return, Answer::Yes}}) {
        QString checked;
        whenShown<QMessageBox>([&checked, key = key](QMessageBox* box) {
            QStringList found;
            found << box->windowTitle() << box->text() << QString::number(int(box->icon()));
            auto* yes = box->button(QMessageBox::Yes);
            auto* no = box->button(QMessageBox::No);
            auto* cancel = box->button(QMessageBox::Cancel);
            found << yes->text() << no->text() << cancel->text();
            found << QString::number(box->defaultButton() == yes) << QString::number(box->escapeButton() == cancel);
            found << QString::number(yes->x() < no->x() && no->x() < cancel->x());
            checked = found.join(QLatin1Char('|'));
            QTest::keyClick(box, key);
        });
        QCOMPARE(real.askYesNoCancel(nullptr, Question), expected);
        QCOMPARE(checked, QStringLiteral("警告|") + Question + QStringLiteral("|2|はい(&Y)|いいえ(&N)|キャンセル|1|1|1"));
    }
    // A mnemonic works only in the active window, which a loaded machine may
    // make the box a moment after showing it.
    whenShown<QMessageBox>([](QMessageBox* box) {
        box->activateWindow();
        if (!QTest::qWaitForWindowActive(box))
            qWarning("the question box did not become active");
        QTest::keyClick(box, Qt::Key_N, Qt::AltModifier);
    });
    QCOMPARE(real.askYesNoCancel(nullptr, Question), Answer::No);
}

void DocumentTest::realSaveDialogAddsSuffixAndAsksBeforeOverwriting()
{
    QtInteraction real;
    const Interaction::FileDialogSetup setup{QStringLiteral("Maze Files (*.maz)|*.maz|All Files (*.*) |*.*"),
                                             QStringLiteral("maz"), path("start.maz")};
    QStringList filters;
    whenShown<QFileDialog>([&filters](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(QStringLiteral("typed"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QCOMPARE(real.askSaveFileName(nullptr, setup), std::optional<QString>(path("typed.maz")));
    QCOMPARE(filters, (QStringList{QStringLiteral("Maze Files (*.maz)"), QStringLiteral("All Files (*)")}));

    // "typed" now exists as typed.maz: the dialog asks before replacing it,
    // also though the suffix was added to the typed name.
    QFile existing(path("typed.maz"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QString asked;
    whenShown<QFileDialog>([&asked](QFileDialog* dialog) {
        whenShown<QMessageBox>([&asked, dialog](QMessageBox* box) {
            asked = box->text();
            box->button(QMessageBox::No) ? box->button(QMessageBox::No)->click() : box->reject();
            // Still open after "No": cancel it.
            QTimer::singleShot(50, dialog, [dialog] { dialog->reject(); });
        });
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(QStringLiteral("typed"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QCOMPARE(real.askSaveFileName(nullptr, setup), std::nullopt);
    QVERIFY2(asked.contains(QStringLiteral("typed.maz")), qPrintable(asked));
}

void DocumentTest::realSizeDialogPresetsFromTheBoard()
{
    // A loaded maze wider than New offers: the size dialog shows 100.
    MazeBoard wide;
    QVERIFY(wide.resize(150, 20));
    QVERIFY(wide.saveFile(path("wide.maz").toStdU16String()));

    // Load through the real open dialog, then New through the real size dialog.
    TFSetSize sizeDialog;
    QtInteraction real(&sizeDialog);
    TFMain window(&real);
    window.InitMaze();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    whenShown<QFileDialog>([this](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path("wide.maz"));
        QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
    });
    window.MMLoadClick();
    QCOMPARE(window.board().getWidth(), 150);
    QStringList shown;
    whenShown<TFSetSize>([&shown](TFSetSize* dialog) {
        shown << dialog->SEWidth->text() << dialog->SEHeight->text() << dialog->SEGridSize->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    window.MMNewClick();
    QCOMPARE(shown, (QStringList{QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("10")}));
    QCOMPARE(window.board().getWidth(), 150); // Esc: New changes nothing

    // Enter with an out-of-range value still in its field: clamped.
    whenShown<TFSetSize>([](TFSetSize* dialog) {
        auto* width = dialog->SEWidth->findChild<QLineEdit*>();
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("7"));
        QTest::keyClick(width, Qt::Key_Tab);
        auto* height = dialog->SEHeight->findChild<QLineEdit*>();
        height->selectAll();
        QTest::keyClicks(height, QStringLiteral("700"));
        QTest::keyClick(height, Qt::Key_Return);
    });
    window.MMNewClick();
    QCOMPARE(window.board().getWidth(), 7);
    QCOMPARE(window.board().getHeight(), 100);
}

// A name that is markup (an <img> of /dev/zero would be read without end):
// every message box and the status bar show it as the characters it is.
void DocumentTest::namesAndRestoredTextsAreShownAsText()
{
    const QString name = QStringLiteral("/tmp/x/<img src='/dev/zero'><b>x</b>.maz");
    QtInteraction real;
    QList<int> formats;
    const auto answer = [&formats](QMessageBox* box) {
        formats << int(box->textFormat());
        box->done(QMessageBox::No);
    };
    whenShown<QMessageBox>(answer);
    real.showMessage(nullptr, Interaction::MessageKind::Plain, QStringLiteral("Failed to open File ") + name);
    whenShown<QMessageBox>(answer);
    real.askYesNo(nullptr, name);
    whenShown<QMessageBox>(answer);
    real.askYesNoCancel(nullptr, name);
    QCOMPARE(formats, (QList<int>{Qt::PlainText, Qt::PlainText, Qt::PlainText}));

    WindowHarness h;
    h.window->SetStatusText(name);
    for (auto* label : h.window->statusBar()->findChildren<QLabel*>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
}

// A file whose path is a loop beside a branch-free path is no path to make
// a maze around: it opens, but Make Maze waits until the path is drawn again.
void DocumentTest::aFileWithoutOnePathMakesNoMaze()
{
    WindowHarness h;
    drawAndMake(h);
    MazeBoard& b = h.window->document().board();
    b.setPathV(6, 4, 1), b.setPathV(6, 5, 1), b.setPathH(5, 5, 1), b.setPathH(6, 5, 1);
    QVERIFY(b.saveFile(std::filesystem::path(path("loop.maz").toStdU16String())));
    h.script.answers.push_back(Answer::No);
    h.script.openNames.push_back(path("loop.maz"));
    h.action("MMLoad")->trigger();
    QCOMPARE(h.window->fileName(), path("loop.maz"));
    QVERIFY(!h.action("MMMakeMaze")->isEnabled());
    QVERIFY(h.window->statusText().contains(QStringLiteral("道を描き直してください")));
    h.action("MMInitMaze")->trigger();
    h.pressKeys("RRRRRRRRRR");
    QVERIFY(h.action("MMMakeMaze")->isEnabled());
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    DocumentTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "document_test.moc"
