// The recovery copy of the real program, killed as it would be on a real
// desktop: SIGKILL (a crash, a power cut), SIGTERM (a logout, `kill`), also
// while a question is on screen; and two programs running at once. Run in a
// virtual X display, with a scratch data folder.

#include "Application.h"
#include "Main.h"
#include "Recovery.h"
#include "real_program.h"
#include "scripted_interaction.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>

namespace {

const QString TitleNew = QStringLiteral("Zubelo - 新規ファイル");
const QString TitleChanged = QStringLiteral("Zubelo * 新規ファイル");
const QString TitleQuestion = QStringLiteral("Zubelo"); // the restore question
const QString Keys = QStringLiteral("Right Right Right Down Down Right");

} // namespace

class RecoveryProcessTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString folder; // where the program keeps its copies
    RecoveredDocument expected;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        return env;
    }
    std::unique_ptr<RunningProgram> start()
    {
        return std::make_unique<RunningProgram>(home.path(), QStringList{}, QStringLiteral(ZUBELO_EXE), environment());
    }
    QStringList files(const QString& pattern) const
    {
        return QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden);
    }
    // Whether `copy` holds the expected document; where the random numbers
    // stand is the program's own affair (restoring keeps it, see below).
    bool holdsExpected(std::optional<RecoveredDocument> copy) const
    {
        if (!copy)
            return false;
        copy->randomState = expected.randomState;
        copy->seedShown = expected.seedShown;
        return *copy == expected;
    }
    std::optional<RecoveredDocument> onlyCopy() const
    {
        const QStringList copies = files(QStringLiteral("*.recovery"));
        if (copies.size() != 1)
            return std::nullopt;
        QFile file(QDir(folder).filePath(copies.first()));
        return file.open(QIODevice::ReadOnly) ? RecoveredDocument::decode(file.readAll()) : std::nullopt;
    }
    // A new program that draws the path and has it in its copy.
    std::unique_ptr<RunningProgram> startAndDraw()
    {
        auto zubelo = start();
        const QString window = zubelo->window(TitleNew);
        if (window.isEmpty())
            return zubelo;
        zubelo->type(window, Keys);
        zubelo->window(TitleChanged, 5000);
        return zubelo;
    }
    static bool terminate(RunningProgram& zubelo)
    {
        ::kill(pid_t(zubelo.process.processId()), SIGTERM);
        return zubelo.process.waitForFinished(15000) && zubelo.process.exitStatus() == QProcess::NormalExit
            && zubelo.process.exitCode() == 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        QVERIFY2(!xdotool({QStringLiteral("version")}).isEmpty(), "xdotool missing: scripts/deps.sh test");
        folder = home.filePath(QStringLiteral("data/Zubelo/Zubelo/recovery"));
        // What the program holds after the keys: the same steps in a window here.
        ScriptedInteraction none;
        TFMain window(&none);
        window.InitMaze();
        for (const int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
            window.FormKeyDown(key, {});
        expected = window.recoveryState();
    }

    // Killed outright: the copy written after the last change is there, the
    // next program offers it, and Yes brings back exactly that maze. SIGTERM
    // then ends that program normally with its own copy written.
    void killedProgramIsRecovered()
    {
        {
            auto zubelo = startAndDraw();
            QTRY_VERIFY_WITH_TIMEOUT(holdsExpected(onlyCopy()), 10000);
            zubelo->process.kill(); // SIGKILL
            QVERIFY(zubelo->process.waitForFinished());
        }
        const std::optional<RecoveredDocument> killed = onlyCopy();
        const QStringList killedCopy = files(QStringLiteral("*.recovery"));
        {
            auto zubelo = start();
            const QString question = zubelo->window(TitleQuestion);
            QVERIFY2(!question.isEmpty(), zubelo->process.readAll().constData());
            zubelo->type(question, QStringLiteral("Return"));
            QVERIFY(!zubelo->window(TitleChanged).isEmpty());
            QVERIFY(terminate(*zubelo));
        }
        QCOMPARE(onlyCopy(), killed); // all of it, byte for byte
        QVERIFY(files(QStringLiteral("*.recovery")) != killedCopy); // the restoring program's own
        QCOMPARE(files(QStringLiteral("*.lock")), QStringList()); // none left behind

        // No deletes it.
        {
            auto zubelo = start();
            const QString question = zubelo->window(TitleQuestion);
            QVERIFY(!question.isEmpty());
            zubelo->type(question, QStringLiteral("n"));
            QVERIFY(!zubelo->window(TitleNew).isEmpty());
            QVERIFY(terminate(*zubelo));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // SIGTERM while the save question is on screen: no more questions, the
    // program ends normally, and the changes are in the copy at once.
    void terminatedWhileAsking()
    {
        auto zubelo = startAndDraw();
        const QString window = zubelo->window(TitleChanged);
        QVERIFY(!window.isEmpty());
        zubelo->type(window, QStringLiteral("ctrl+n"));
        QVERIFY(!zubelo->window(QStringLiteral("警告")).isEmpty());
        QVERIFY(terminate(*zubelo));
        QVERIFY(holdsExpected(onlyCopy()));
        QCOMPARE(files(QStringLiteral("*.lock")), QStringList());
        QVERIFY(QFile::remove(QDir(folder).filePath(files(QStringLiteral("*.recovery")).first())));
    }

    // Two programs at once keep a copy each; a third started meanwhile is
    // offered neither, and once one is killed its copy alone is offered.
    void programsRunningTogetherKeepSeparateCopies()
    {
        auto first = startAndDraw();
        auto second = startAndDraw();
        QTRY_COMPARE_WITH_TIMEOUT(files(QStringLiteral("*.recovery")).size(), 2, 10000);
        {
            auto third = start();
            QVERIFY(!third->window(TitleNew).isEmpty());
            QVERIFY(third->window(TitleQuestion, 2000).isEmpty());
            QVERIFY(terminate(*third));
        }
        first->process.kill();
        QVERIFY(first->process.waitForFinished());
        {
            auto fourth = start();
            const QString question = fourth->window(TitleQuestion);
            QVERIFY(!question.isEmpty());
            fourth->type(question, QStringLiteral("n"));
            QVERIFY(!fourth->window(TitleNew).isEmpty());
            QVERIFY(fourth->window(TitleQuestion, 2000).isEmpty()); // the live one's is not offered
            QVERIFY(terminate(*fourth));
        }
        QCOMPARE(files(QStringLiteral("*.recovery")).size(), 1);
        QVERIFY(terminate(*second));
        QCOMPARE(files(QStringLiteral("*.recovery")).size(), 1);
        QCOMPARE(files(QStringLiteral("*.lock")), QStringList());
    }
};

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    RecoveryProcessTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_process_test.moc"
