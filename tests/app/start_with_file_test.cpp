// The real program started as a file manager starts it for a double-click:
// `zubelo FILE`. Run in a virtual X display; the program is a separate
// process, seen and driven from outside through xdotool and the screen.

#include "Application.h"
#include "Main.h"
#include "MazeImage.h"
#include "maze_board.h"
#include "maze_random.h"
#include "real_program.h"
#include "scripted_interaction.h"
#include "test_support.h"
#include "window_harness.h"

#include <QDir>
#include <QMimeDatabase>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// Whether `picture` appears in `shot` near its left edge (below the menu and
// tool bars).
bool shows(const QImage& shot, const QImage& picture)
{
    for (int top = 0; top + picture.height() <= shot.height(); ++top) {
        for (int left = 0; left <= 4 && left + picture.width() <= shot.width(); ++left) {
            if (shot.copy(left, top, picture.width(), picture.height()) == picture)
                return true;
        }
    }
    return false;
}

ino_t inode(const QString& file)
{
    struct stat info {};
    return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class StartWithFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString good;    // a made 12 x 8 maze
    RandomSource random;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY2(!xdotool({QStringLiteral("version")}).isEmpty(), "xdotool missing: scripts/deps.sh test");
        MazeBoard board(random);
        QVERIFY(board.resize(12, 8));
        testing_support::drawKeys(board, -1, 3, "RRRRDDRRRRRUURRRR");
        board.makeMaze();
        good = dir.filePath(QStringLiteral("迷路 1.maz"));
        QVERIFY(board.saveFile(good.toStdU16String()));
    }

    void argumentsThatNameAFile()
    {
        const auto doc = [](QStringList args) {
            args.prepend(QStringLiteral("zubelo"));
            return ZubeloApplication::documentArgument(args);
        };
        QCOMPARE(doc({}), QString());
        QCOMPARE(doc({QStringLiteral("/tmp/a.maz")}), QStringLiteral("/tmp/a.maz"));
        QCOMPARE(doc({QStringLiteral("a.maz")}), QDir::current().absoluteFilePath(QStringLiteral("a.maz")));
        // A renamed maze is opened too: what the file holds decides.
        QCOMPARE(doc({QStringLiteral("/tmp/renamed.dat")}), QStringLiteral("/tmp/renamed.dat"));
        QCOMPARE(doc({QStringLiteral("--help")}), QString());
        QCOMPARE(doc({QStringLiteral("-")}), QString());
        QCOMPARE(doc({QString()}), QString());
        QCOMPARE(doc({QStringLiteral("a.maz"), QStringLiteral("b.maz")}), QString());
    }

    // Opened as Load opens it: the title names the file, the window shows
    // the maze, and Ctrl+S saves to it at once.
    void aGoodFileIsLoaded()
    {
        MazeBoard loaded(random);
        QVERIFY(loaded.loadFile(good.toStdU16String()));
        const QImage expected = freshPicture(loaded, true);

        // Given relative to the program's folder, shown with its full path.
        RunningProgram zubelo(dir.path(), {QFileInfo(good).fileName()});
        const QString window = zubelo.window(QStringLiteral("Zubelo - ") + good);
        QVERIFY2(!window.isEmpty(), zubelo.process.readAll().constData());
        QVERIFY(zubelo.window(QStringLiteral("Zubelo"), 500).isEmpty()); // no message
        QVERIFY(shows(grab(window), expected));

        const ino_t before = inode(good);
        const QByteArray original = contents(good);
        zubelo.type(window, QStringLiteral("ctrl+s"));
        QTRY_VERIFY_WITH_TIMEOUT(inode(good) != before, 10000); // replaced by the save
        const QByteArray saved = contents(good);
        QCOMPARE(saved.size(), original.size());
        QCOMPARE(saved.mid(32), original.mid(32)); // the same maze and path
        QVERIFY(!zubelo.window(QStringLiteral("Zubelo - ") + good, 1000).isEmpty()); // not modified
    }

    // A damaged file: the load failure message, then the start-up state.
    void aDamagedFileIsRefused()
    {
        const QString damaged = dir.filePath(QStringLiteral("damaged.maz"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents(good).chopped(1));
        file.close();

        RunningProgram zubelo(dir.path(), {damaged});
        const QString message = zubelo.window(QStringLiteral("Zubelo"));
        QVERIFY2(!message.isEmpty(), zubelo.process.readAll().constData());
        zubelo.type(message, QStringLiteral("Return"));
        QTRY_VERIFY_WITH_TIMEOUT(zubelo.window(QStringLiteral("Zubelo"), 200).isEmpty(), 5000);

        const QString window = zubelo.window(QStringLiteral("Zubelo - 新規ファイル"));
        QVERIFY(!window.isEmpty());
        ScriptedInteraction none;
        TFMain fresh(&none);
        fresh.InitMaze();
        QVERIFY(shows(grab(window), fresh.image()->currentPicture()));

        // The message the box showed: the one Load gives for this file.
        QVERIFY(!fresh.OpenDocument(damaged));
        QCOMPARE(none.messages.size(), std::size_t(1));
        QCOMPARE(none.messages[0].text, QStringLiteral("Failed to open File ") + damaged);
    }

    // A name whose bytes are not UTF-8, given on the command line beside a
    // file named with the text it decodes to (U+FFFD): refused with the load
    // failure message, and the other file is not opened.
    void aNameThatIsNotUtf8IsRefused()
    {
        const QString namesake = dir.filePath(QStringLiteral("\uFFFD\uFFFD.maz"));
        QVERIFY(QFile::copy(good, namesake));
        // Only a shell can pass bytes that are not UTF-8 as an argument.
        RunningProgram zubelo(dir.path(),
                              {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$1$(printf '\\377\\376').maz\""),
                               QStringLiteral(ZUBELO_EXE), dir.path() + QLatin1Char('/')},
                              QStringLiteral("/bin/sh"));
        const QString message = zubelo.window(QStringLiteral("Zubelo"));
        QVERIFY2(!message.isEmpty(), zubelo.process.readAll().constData());
        zubelo.type(message, QStringLiteral("Return"));
        QVERIFY(!zubelo.window(QStringLiteral("Zubelo - 新規ファイル")).isEmpty());
        QVERIFY(zubelo.window(QStringLiteral("Zubelo - ") + namesake, 500).isEmpty());
        QFile::remove(namesake);
    }

    // The file type the package installs, compiled by update-mime-database
    // into the scratch data folder that main() put first in XDG_DATA_DIRS:
    // a .maz name, or a renamed file that starts with "MAZE".
    void theFileTypeIsRecognised()
    {
        QVERIFY(QFile::copy(good, dir.filePath(QStringLiteral("renamed.dat"))));
        QFile other(dir.filePath(QStringLiteral("notes.dat")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("MAZ\nplain text that is not a maze\n");
        other.close();

        const QMimeDatabase types;
        const QString maze = QStringLiteral("application/x-zubelo-maze");
        QCOMPARE(types.mimeTypeForFile(good).name(), maze);
        QCOMPARE(types.mimeTypeForFile(dir.filePath(QStringLiteral("renamed.dat"))).name(), maze);
        QCOMPARE(types.mimeTypeForFile(QStringLiteral("unread.maz"), QMimeDatabase::MatchExtension).name(), maze);
        QVERIFY(types.mimeTypeForFile(other.fileName()).name() != maze);
        QCOMPARE(types.mimeTypeForName(maze).comment().isEmpty(), false);
        QCOMPARE(types.mimeTypeForName(maze).iconName(), QStringLiteral("application-x-zubelo-maze"));
    }
};

// Compiles the package's file type into a scratch data folder, before
// anything reads the MIME database.
static bool installFileType(const QString& share)
{
    const QString packages = share + QStringLiteral("/mime/packages");
    if (!QDir().mkpath(packages)
        || !QFile::copy(QStringLiteral(ZUBELO_MIME_XML), packages + QStringLiteral("/org.zubelo.Zubelo.xml")))
        return false;
    const int status = QProcess::execute(QStringLiteral("update-mime-database"), {share + QStringLiteral("/mime")});
    qputenv("XDG_DATA_DIRS", QFile::encodeName(share) + ":/usr/share");
    return status == 0;
}

int main(int argc, char** argv)
{
    QTemporaryDir share;
    if (!share.isValid() || !installFileType(share.path())) {
        qCritical("cannot compile the file type (update-mime-database, from shared-mime-info)");
        return 1;
    }
    ZubeloApplication app(argc, argv);
    StartWithFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "start_with_file_test.moc"
