// The real program run from a script: `zubelo --export OUT IN.maz ...`,
// without a display, as a separate process.

#include "CommandLine.h"
#include "print_support.h"
#include "scratch_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace print_support;

namespace {

// The program with no display and no platform chosen: it must choose one
// that needs none by itself.
Run zubelo(const QStringList& args)
{
    return runTool(QStringLiteral(ZUBELO_EXE), args, QByteArray(""));
}

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exportsEveryFormat();
    void helpListsTheOptions();
    void badInputsFailWithOneLine();
    void parsedOptions();

private:
    QTemporaryDir dir_;
    QString maz_;
    std::unique_ptr<TestMaze> maze_;
    QString path(const QString& name) const { return dir_.filePath(name); }
};

void CommandLineTest::initTestCase()
{
    QVERIFY(dir_.isValid());
    maze_ = makeMaze(15, 10, 9);
    maz_ = path(QStringLiteral("くねくね.maz"));
    QVERIFY(maze_->board->saveFile(std::filesystem::path(maz_.toStdU16String())));
}

void CommandLineTest::exportsEveryFormat()
{
    Run r = zubelo({QStringLiteral("--export"), path(QStringLiteral("a.pdf")), maz_, QStringLiteral("--title"),
                    QStringLiteral("めいろ"), QStringLiteral("--name-line"), QStringLiteral("--page-size"),
                    QStringLiteral("a3"), QStringLiteral("--landscape")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    const PdfInfo info = pdfInfo(path(QStringLiteral("a.pdf")));
    QCOMPARE(info.pages, 2);
    QCOMPARE(info.pointSize.toSize(), QSize(1191, 842));
    QVERIFY(pdfText(path(QStringLiteral("a.pdf")), 2).contains(QStringLiteral("めいろ（解答）")));

    r = zubelo({QStringLiteral("--export=") + path(QStringLiteral("b.svg")), maz_, QStringLiteral("--no-labels")});
    QCOMPARE(r.status, 0);
    QVERIFY(QFile::exists(path(QStringLiteral("b.svg"))) && QFile::exists(path(QStringLiteral("b-answer.svg"))));
    QVERIFY(!contents(path(QStringLiteral("b.svg"))).contains("スタート"));

    r = zubelo({maz_, QStringLiteral("--export"), path(QStringLiteral("c.PNG")), QStringLiteral("--pages"),
                QStringLiteral("puzzle"), QStringLiteral("--dpi=100")});
    QCOMPARE(r.status, 0);
    QCOMPARE(QImage(path(QStringLiteral("c.PNG"))).dotsPerMeterX(), qRound(100 / 0.0254));
    QVERIFY(!QFile::exists(path(QStringLiteral("c-answer.PNG"))));

    // The window's bitmap picture: the puzzle without red, the answer with it.
    r = zubelo({QStringLiteral("--export"), path(QStringLiteral("d.bmp")), maz_});
    QCOMPARE(r.status, 0);
    const QImage puzzle(path(QStringLiteral("d.bmp")));
    const QImage answer(path(QStringLiteral("d-answer.bmp")));
    int w = 0, h = 0;
    maze_->board->getImageSize(w, h);
    QCOMPARE(puzzle.size(), QSize(w, h));
    QCOMPARE(answer.size(), QSize(w, h));
    const testing_support::Cell inside = maze_->path[1];
    const int g = maze_->board->getGridSize();
    const QPoint centre(g + inside.x * g + g / 2, g + inside.y * g + g / 2);
    QCOMPARE(puzzle.pixel(centre) | 0xFF000000u, qRgb(255, 255, 255));
    QCOMPARE(answer.pixel(centre) | 0xFF000000u, qRgb(255, 0, 0));
}

void CommandLineTest::helpListsTheOptions()
{
    const Run r = zubelo({QStringLiteral("--help")});
    QCOMPARE(r.status, 0);
    for (const char* option : {"--export", "--pages", "--page-size", "--landscape", "--title", "--name-line",
                               "--no-labels", "--wall-mm", "--dpi"})
        QVERIFY2(r.out.contains(QLatin1String(option)), option);
    QCOMPARE(r.err, QString());
}

void CommandLineTest::badInputsFailWithOneLine()
{
    const QString garbage = path(QStringLiteral("garbage.maz"));
    QFile g(garbage);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write("MAZX not a maze");
    g.close();
    const QString readOnly = path(QStringLiteral("kept.pdf"));
    QFile kept(readOnly);
    QVERIFY(kept.open(QIODevice::WriteOnly));
    kept.write("old content");
    kept.close();
    QVERIFY(kept.setPermissions(QFile::ReadOwner));
    const QString fifo = path(QStringLiteral("fifo.pdf"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString out = path(QStringLiteral("out.pdf"));

    const struct {
        QStringList args;
        int status;
        const char* says;
        QString target; // must not come to exist
    } table[] = {
        {{QStringLiteral("--export"), out, path(QStringLiteral("missing.maz"))}, 1, "Failed to open File", out},
        {{QStringLiteral("--export"), out, garbage}, 1, "Failed to open File", out},
        {{QStringLiteral("--export"), path(QStringLiteral("out.txt")), maz_}, 2, ".pdf .svg .png .bmp",
         path(QStringLiteral("out.txt"))},
        {{QStringLiteral("--export"), out, maz_, QStringLiteral("--colour")}, 2, "--colour", out},
        {{QStringLiteral("--export"), out, maz_, QStringLiteral("--dpi")}, 2, "--dpi", out},
        {{QStringLiteral("--export"), out, maz_, QStringLiteral("--dpi"), QStringLiteral("10")}, 2, "10", out},
        {{QStringLiteral("--export"), out, maz_, QStringLiteral("--pages"), QStringLiteral("all")}, 2, "all", out},
        {{QStringLiteral("--export"), out, maz_, QStringLiteral("--page-size"), QStringLiteral("A9")}, 2, "A9", out},
        {{QStringLiteral("--export"), out, maz_, QStringLiteral("--wall-mm"), QStringLiteral("thick")}, 2, "thick", out},
        {{QStringLiteral("--export"), out, maz_, QStringLiteral("--landscape=yes")}, 2, "--landscape", out},
        {{QStringLiteral("--export"), out, maz_, maz_}, 2, ".maz", out},
        {{QStringLiteral("--export"), out}, 2, ".maz", out},
        {{QStringLiteral("--export"), path(QStringLiteral("no/such/dir.pdf")), maz_}, 1, "を作成できません",
         path(QStringLiteral("no/such/dir.pdf"))},
        {{QStringLiteral("--export"), dir_.path(), maz_}, 2, ".pdf .svg .png .bmp", QString()},
        {{QStringLiteral("--export"), fifo, maz_}, 1, "を作成できません", QString()},
        {{QStringLiteral("--export"), readOnly, maz_}, 1, "を作成できません", QString()},
    };
    for (const auto& row : table) {
        const Run r = zubelo(row.args);
        const QString what = row.args.join(QLatin1Char(' '));
        QVERIFY2(r.status == row.status, qPrintable(what + QStringLiteral(": status %1").arg(r.status)));
        QVERIFY2(r.err.count(QLatin1Char('\n')) == 1 && r.err.startsWith(QLatin1String("zubelo: ")),
                 qPrintable(what + QStringLiteral(": ") + r.err));
        QVERIFY2(r.err.contains(QString::fromUtf8(row.says)), qPrintable(what + QStringLiteral(": ") + r.err));
        QVERIFY2(row.target.isEmpty() || !QFile::exists(row.target), qPrintable(what));
        QCOMPARE(r.out, QString());
    }
    QCOMPARE(contents(readOnly), QByteArray("old content"));
    QVERIFY(!QFileInfo(fifo).isFile());
}

void CommandLineTest::parsedOptions()
{
    // Which arguments are for the command line; plain `zubelo FILE` is not.
    const auto console = [](std::vector<const char*> args) {
        args.insert(args.begin(), "zubelo");
        return CommandLine::wantsConsole(static_cast<int>(args.size()), const_cast<char**>(args.data()));
    };
    QVERIFY(console({"--export", "a.pdf", "b.maz"}));
    QVERIFY(console({"b.maz", "--export=a.pdf"}));
    QVERIFY(console({"-h"}));
    QVERIFY(!console({"b.maz"}));
    QVERIFY(!console({"--exporter"}));
    QVERIFY(!console({"--", "--export"}));

    // Values reach the settings; a thickness out of range is clamped.
    const CommandLine::Parsed p = CommandLine::parse(
        {QStringLiteral("zubelo"), QStringLiteral("--export"), QStringLiteral("x.png"), QStringLiteral("--wall-mm"),
         QStringLiteral("9"), QStringLiteral("--margin-mm=5"), QStringLiteral("--page-size"), QStringLiteral("b5"),
         QStringLiteral("--pages"), QStringLiteral("answer"), QStringLiteral("--title"), QStringLiteral("-名前-"),
         QStringLiteral("--"), QStringLiteral("-odd.maz")});
    QVERIFY2(p.request, qPrintable(p.error));
    QCOMPARE(p.request->format, ExportEngine::Format::Png);
    QCOMPARE(p.request->input, QStringLiteral("-odd.maz"));
    QCOMPARE(p.request->settings.wallMm, ExportSettings::MaxWallMm);
    QCOMPARE(p.request->settings.marginMm, 5.0);
    QCOMPARE(p.request->settings.paper, QPageSize::JisB5);
    QCOMPARE(p.request->settings.pages, PageSet::Answer);
    QCOMPARE(p.request->settings.title, QStringLiteral("-名前-"));
}

QTEST_MAIN(CommandLineTest)
#include "commandline_test.moc"
