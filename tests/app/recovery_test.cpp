// The recovery copy and the end of a session, in one process: when the copy
// is written and removed, what a program finds of the others' copies, a
// restored window that goes on as the lost one would have, and the session
// manager's request answered with one question at most.

#include "Application.h"
#include "Recovery.h"
#include "SessionEnd.h"
#include "maze_random.h"
#include "test_support.h"
#include "window_harness.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include <sys/stat.h>

namespace {

QStringList copiesIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.recovery")}, QDir::Files, QDir::Name);
}

QByteArray bytesOf(const MazeBoard& board)
{
    const std::vector<std::uint8_t> bytes = board.toFileBytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A window with a recovery keeper of its own, in the test's folder.
struct KeptWindow {
    std::unique_ptr<RecoveryKeeper> keeper;
    WindowHarness h;

    explicit KeptWindow(const QString& folder)
        : keeper(std::make_unique<RecoveryKeeper>(folder))
    {
        h.window->attachRecovery(keeper.get());
    }
    ~KeptWindow() { h.window->attachRecovery(nullptr); }
    // The copy on disk, once the keeper has written what is due.
    std::optional<RecoveredDocument> copy() const
    {
        keeper->flush();
        return RecoveredDocument::decode(contentOf(keeper->copyFile()));
    }
};

// Path steps straight to one window's handler, where two windows are open
// and only one has the keyboard.
void steps(TFMain& window, const char* keys)
{
    for (; *keys; ++keys)
        window.FormKeyDown(*keys == 'R' ? Qt::Key_Right : *keys == 'L' ? Qt::Key_Left
                               : *keys == 'U'               ? Qt::Key_Up
                                                            : Qt::Key_Down,
                           {});
}

// The session manager's request, as the tests answer it.
struct ScriptedSessionEnd : SessionEndRequest {
    bool interaction = true;
    int released = 0;
    int cancelled = 0;
    bool allowsInteraction() override { return interaction; }
    void release() override { ++released; }
    void cancel() override { ++cancelled; }
};

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
    }

    void copiesThatCannotBeTakenAsTheyAreAreRefused();
    void theCopyFollowsTheUnsavedChanges();
    void aCopyLeftBehindIsOfferedAndRestored();
    void liveProgramsKeepTheirOwnCopies();
    void sessionEndAsksAtMostOnce();
    void hostileCopiesAreNeitherWaitedForNorTaken();
    void aFolderThatCannotBeUsedIsToldAndCopiesGoOnlyWhenAsked();

private:
    std::unique_ptr<QTemporaryDir> folder;
};

void RecoveryTest::copiesThatCannotBeTakenAsTheyAreAreRefused()
{
    WindowHarness h;
    h.clickCell(-1, 3);
    h.pressKeys("RRDDR");
    const RecoveredDocument good = h.window->recoveryState();
    QCOMPARE(RecoveredDocument::decode(good.encode()), std::optional<RecoveredDocument>(good));

    const auto changed = [&good](auto change) {
        RecoveredDocument d = good;
        change(d);
        return d.encode();
    };
    const QByteArray bad[] = {
        QByteArray(),
        good.encode().chopped(1),
        good.encode() + '\0',
        QByteArray(good.encode()).replace("ZUBELO-RECOVERY", "ZUBELO-RECOVERX"),
        changed([](RecoveredDocument& d) { d.mazeMode = 2; }),
        changed([](RecoveredDocument& d) { d.prompt = Prompt(int(Prompt::PressMakeMaze) + 1); }),
        changed([](RecoveredDocument& d) { d.pathCells.chop(1); }),
        changed([](RecoveredDocument& d) { d.maze.chop(1); }),
        changed([](RecoveredDocument& d) { d.maze[20] = char(0x7F); }),   // head far outside
        changed([](RecoveredDocument& d) { d.maze[12] = char(0xFE); }),   // start at -2
    };
    for (const QByteArray& bytes : bad)
        QVERIFY2(!RecoveredDocument::decode(bytes), bytes.toHex().left(80).constData());
}

// Written after a change without anything else happening, removed on save,
// on New after the question and on a discarded close.
void RecoveryTest::theCopyFollowsTheUnsavedChanges()
{
    auto kept = std::make_unique<KeptWindow>(folder->path());
    WindowHarness& h = kept->h;
    QVERIFY(copiesIn(folder->path()).isEmpty());
    h.pressKeys("RRD");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(kept->keeper->copyFile()), 10000);
    QCOMPARE(kept->copy(), std::optional<RecoveredDocument>(h.window->recoveryState()));

    // More steps: the copy catches up.
    h.pressKeys("DDR");
    QTRY_COMPARE_WITH_TIMEOUT(kept->copy(), std::optional<RecoveredDocument>(h.window->recoveryState()), 10000);

    // Saved: gone; changed again: back.
    const QString file = folder->filePath(QStringLiteral("saved.maz"));
    h.pressKeys(QByteArray(h.window->board().getWidth() - 1, 'R').constData());
    h.action("MMMakeMaze")->trigger();
    h.script.saveNames.push_back(file);
    h.action("MMSave")->trigger();
    kept->keeper->flush();
    QVERIFY(copiesIn(folder->path()).isEmpty());
    h.action("MMInitMaze")->trigger();
    h.pressKeys("RR");
    kept->keeper->writeNow();
    QCOMPARE(copiesIn(folder->path()).size(), 1);
    QCOMPARE(kept->copy()->fileName, file);

    // New after the question (answered No): gone.
    h.newBoard(10, 10, 8);
    kept->keeper->flush();
    QVERIFY(copiesIn(folder->path()).isEmpty());

    // A close that discards the changes: gone, with the keeper's lock.
    h.pressKeys("RRR");
    kept->keeper->writeNow();
    QCOMPARE(copiesIn(folder->path()).size(), 1);
    h.script.answers.push_back(Interaction::Answer::No);
    QVERIFY(h.window->close());
    kept.reset();
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("saved.maz")});
}

// As after SIGTERM or SIGKILL: a copy without a live program. The next
// program offers it once; Yes restores board, name, view and the unsaved
// state, and the window goes on as the lost one would have.
void RecoveryTest::aCopyLeftBehindIsOfferedAndRestored()
{
    RecoveredDocument lost;
    QImage lostPicture;
    QString lostTitle;
    QByteArray lostMaze;
    QString lostSummary;
    {
        KeptWindow before(folder->path());
        WindowHarness& h = before.h;
        h.newBoard(12, 9, 14);
        h.clickCell(-1, 4);
        h.action("MMTransparentMode")->trigger();
        h.pressKeys("RRRDDRRUUUR");
        before.keeper->writeNow();
        lost = h.window->recoveryState();
        lostPicture = h.window->image()->pixels();
        lostTitle = h.window->windowTitle();
        QCOMPARE(lostTitle, QStringLiteral("Zubelo * 新規ファイル"));
        // What it would have gone on to, kept out of the copy: the rest of
        // the path, a maze.
        h.window->attachRecovery(nullptr);
        h.action("MMTransparentMode")->trigger();
        h.pressKeys("RRRRRRR");
        h.action("MMMakeMaze")->trigger();
        lostMaze = bytesOf(h.window->board());
        lostSummary = h.window->summaryText();
        // Ends without closing, as on a signal: the copy stays as written.
    }
    QCOMPARE(copiesIn(folder->path()).size(), 1);

    // Cancel (no answer): kept for the next start.
    {
        KeptWindow after(folder->path());
        after.h.script.answers.push_back(Interaction::Answer::Cancel);
        after.h.window->OfferRecovery();
        QCOMPARE(after.h.script.questions.size(), std::size_t(1));
        QCOMPARE(after.h.script.questions[0], QStringLiteral("前回保存されなかった迷路があります。復元しますか？"));
        QVERIFY(!after.h.window->isModified());
    }
    QCOMPARE(copiesIn(folder->path()).size(), 1);

    KeptWindow after(folder->path());
    WindowHarness& h = after.h;
    h.script.answers.push_back(Interaction::Answer::Yes);
    h.window->OfferRecovery();
    QCOMPARE(h.script.questions.size(), std::size_t(1));
    QCOMPARE(h.window->recoveryState(), lost);
    QCOMPARE(h.window->windowTitle(), lostTitle);
    QCOMPARE(h.window->image()->pixels(), lostPicture);
    QVERIFY(h.window->isModified());
    QVERIFY(h.action("MMTransparentMode")->isChecked());
    // Only this program's own copy is left, already holding the maze.
    QCOMPARE(copiesIn(folder->path()), QStringList{QFileInfo(after.keeper->copyFile()).fileName()});
    QCOMPARE(after.copy(), std::optional<RecoveredDocument>(lost));

    // It goes on where it was: the path ends on the ring, and the maze made
    // is the one the lost program made, with the same figures and seed.
    h.action("MMTransparentMode")->trigger();
    h.pressKeys("RRRRRRR");
    QVERIFY(h.window->canMakeMaze());
    h.action("MMMakeMaze")->trigger();
    QCOMPARE(bytesOf(h.window->board()), lostMaze);
    QCOMPARE(h.window->summaryText(), lostSummary);

    // A made maze comes back with its figures.
    h.window->restoreRecovered(*RecoveredDocument::decode(h.window->recoveryState().encode()));
    QCOMPARE(h.window->summaryText(), lostSummary);
    QCOMPARE(bytesOf(h.window->board()), lostMaze);
    h.window->OfferRecovery(); // nothing more to offer
    QCOMPARE(h.script.questions.size(), std::size_t(1));
    QVERIFY(h.script.unexpected.empty());
}

// Two programs at once each keep a copy of their own, and neither is offered
// to a third while they run; once one has gone, a No deletes its copy.
void RecoveryTest::liveProgramsKeepTheirOwnCopies()
{
    auto first = std::make_unique<KeptWindow>(folder->path());
    KeptWindow second(folder->path());
    steps(*first->h.window, "RRD");
    steps(*second.h.window, "RDDD");
    first->keeper->writeNow();
    second.keeper->writeNow();
    QCOMPARE(copiesIn(folder->path()).size(), 2);
    QVERIFY(first->copy() != second.copy());
    {
        KeptWindow third(folder->path());
        third.h.window->OfferRecovery();
        QVERIFY(third.h.script.questions.empty());
    }
    first.reset();
    KeptWindow fourth(folder->path());
    fourth.h.script.answers.push_back(Interaction::Answer::No);
    fourth.h.window->OfferRecovery();
    QCOMPARE(fourth.h.script.questions.size(), std::size_t(1));
    QVERIFY(!fourth.h.window->isModified());
    QCOMPARE(copiesIn(folder->path()), QStringList{QFileInfo(second.keeper->copyFile()).fileName()});
}

// One question at most: after No the close that ends the session asks
// nothing more; without leave to ask, nothing is asked, the changes go to
// the recovery copy and the window closes. Cancel keeps the session going.
void RecoveryTest::sessionEndAsksAtMostOnce()
{
    {
        KeptWindow kept(folder->path());
        WindowHarness& h = kept.h;
        h.pressKeys("RRD");
        kept.keeper->writeNow();
        ScriptedSessionEnd request;
        h.script.answers.push_back(Interaction::Answer::No);
        h.window->commitData(request);
        QCOMPARE(h.script.questions.size(), std::size_t(1));
        QCOMPARE(request.released, 1);
        QCOMPARE(request.cancelled, 0);
        QVERIFY(h.window->close());
        QCOMPARE(h.script.questions.size(), std::size_t(1));
        QVERIFY(h.script.unexpected.empty());
        kept.keeper->flush();
        QVERIFY(copiesIn(folder->path()).isEmpty()); // the changes were given up
    }
    {
        KeptWindow kept(folder->path());
        WindowHarness& h = kept.h;
        h.pressKeys("RRDDL");
        ScriptedSessionEnd request;
        request.interaction = false;
        h.window->commitData(request);
        QVERIFY(h.script.questions.empty());
        QCOMPARE(request.released + request.cancelled, 0);
        QCOMPARE(kept.copy(), std::optional<RecoveredDocument>(h.window->recoveryState()));
        QVERIFY(h.window->close());
        QVERIFY(h.script.questions.empty());
        QVERIFY(h.script.unexpected.empty());
    }
    QCOMPARE(copiesIn(folder->path()).size(), 1); // kept for the next start
    {
        KeptWindow kept(folder->path());
        WindowHarness& h = kept.h;
        h.script.answers.push_back(Interaction::Answer::No); // the copy above
        h.window->OfferRecovery();
        h.pressKeys("RR");
        ScriptedSessionEnd request;
        h.script.answers.push_back(Interaction::Answer::Cancel);
        h.window->commitData(request);
        QCOMPARE(request.cancelled, 1);
        // The session goes on; a later close asks again.
        h.script.answers.push_back(Interaction::Answer::Cancel);
        QVERIFY(!h.window->close());
        // So does one after a session answered No and then cancelled by
        // another program, once the maze has changed again.
        h.script.answers.push_back(Interaction::Answer::No);
        h.window->commitData(request);
        h.pressKeys("D");
        h.script.answers.push_back(Interaction::Answer::Cancel);
        QVERIFY(!h.window->close());
        QCOMPARE(h.script.questions.size(), std::size_t(5));
        QVERIFY(h.script.unexpected.empty());
    }
}

// Links to a device and to a pipe in the folder (as copies, and as a copy's
// lock), and a copy whose prompt is longer than any the program writes: the
// search neither waits nor swells, and only the real copy is taken.
void RecoveryTest::hostileCopiesAreNeitherWaitedForNorTaken()
{
    const QDir dir(folder->path());
    RandomSource random;
    MazeBoard board(random);
    RecoveredDocument good;
    good.maze = bytesOf(board);
    good.pathCells = QByteArray(board.getWidth() * board.getHeight(), '\0');
    RecoveredDocument longPrompt = good;
    longPrompt.otherPrompt = QString(300000, QLatin1Char('x'));
    for (const auto& [name, document] :
         {std::pair{"1-good", good}, std::pair{"2-long", longPrompt}, std::pair{"5-locked", good}}) {
        QFile f(dir.filePath(QLatin1String(name) + QStringLiteral(".recovery")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(document.encode()) > 0);
    }
    QVERIFY(::mkfifo(qPrintable(dir.filePath(QStringLiteral("fifo"))), 0600) == 0);
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("fifo")), dir.filePath(QStringLiteral("3-fifo.recovery"))));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("4-zero.recovery"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("fifo")), dir.filePath(QStringLiteral("5-locked.lock"))));

    const testing_support::Watchdog watchdog(20, "the recovery folder's copies");
    RecoveryKeeper keeper(folder->path());
    QStringList taken;
    for (const RecoveryKeeper::Leftover& leftover : keeper.leftovers()) {
        if (const auto document = leftover.read()) {
            QCOMPARE(*document, good);
            taken << QFileInfo(leftover.file()).fileName();
        }
    }
    QCOMPARE(taken, QStringList{QStringLiteral("1-good.recovery")});
}

// A file where the folder should be: told once, however many copies fail.
// A copy of another format version is left alone unasked; one that cannot
// be read goes only when the user says so.
void RecoveryTest::aFolderThatCannotBeUsedIsToldAndCopiesGoOnlyWhenAsked()
{
    const QString notAFolder = folder->filePath(QStringLiteral("file"));
    QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
    {
        KeptWindow w(notAFolder);
        QTRY_COMPARE(w.h.script.messages.size(), std::size_t(1));
        QVERIFY(w.h.script.messages[0].text.contains(notAFolder));
        w.h.pressKeys("RRD");
        w.keeper->writeNow();
        QCoreApplication::processEvents();
        QCOMPARE(w.h.script.messages.size(), std::size_t(1));
    }
    QVERIFY(QFile::remove(notAFolder));

    QByteArray other;
    {
        QDataStream stream(&other, QIODevice::WriteOnly);
        stream << QByteArray("ZUBELO-RECOVERY") << quint32(3) << QByteArray("a newer program's");
    }
    const QDir dir(folder->path());
    for (const auto& [name, bytes] : {std::pair{"1-other.recovery", other}, std::pair{"2-bad.recovery", other.left(19)}}) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    for (const auto answer : {Interaction::Answer::No, Interaction::Answer::Yes}) {
        KeptWindow w(folder->path());
        w.h.script.answers.push_back(answer);
        w.h.window->OfferRecovery();
        QCOMPARE(w.h.script.questions.size(), std::size_t(1));
        QVERIFY(w.h.script.questions[0].contains(QStringLiteral("2-bad.recovery")));
        QVERIFY(dir.exists(QStringLiteral("1-other.recovery")));
        QCOMPARE(dir.exists(QStringLiteral("2-bad.recovery")), answer == Interaction::Answer::No);
    }
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
