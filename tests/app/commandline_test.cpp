// The real program run from a script: `zubelo --export OUT IN.maz ...` and
// `zubelo --batch N IN.maz --export OUT ...`, without a display, as a
// separate process.

#include "CommandLine.h"
#include "PageLayout.h"
#include "maze_outline.h"
#include "print_support.h"
#include "shape_presets.h"
#include "scratch_settings.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QDataStream>
#include <QtTest>

#include <csignal>
#include <functional>
#include <tuple>

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

// Arguments written as one line: words split at spaces.
QStringList words(const char* line)
{
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A maze file as the program reads it; null when it does not load.
std::unique_ptr<TestMaze> loaded(const QString& file, const std::vector<testing_support::Cell>& path)
{
    auto maze = std::make_unique<TestMaze>();
    maze->path = path;
    if (!maze->board->loadFile(std::filesystem::path(file.toStdU16String())))
        return nullptr;
    return maze;
}

bool samePath(const MazeBoard& a, const MazeBoard& b)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight())
        return false;
    for (int y = 0; y <= a.getHeight(); ++y)
        for (int x = 0; x <= a.getWidth(); ++x)
            if ((y < a.getHeight() && a.getPathV(x, y) != b.getPathV(x, y))
                || (x < a.getWidth() && a.getPathH(x, y) != b.getPathH(x, y)))
                return false;
    return true;
}

// The seed a batch reports on standard output ("seed S"), before its lines
// of the mazes.
std::optional<quint32> reportedSeed(const QString& out)
{
    const auto m = QRegularExpression(QStringLiteral("\\Aseed (\\d+)\\n(maze \\d+ [a-z]+ \\d+\\n)*\\z")).match(out);
    bool ok = false;
    const quint32 seed = m.captured(1).toUInt(&ok);
    return m.hasMatch() && ok ? std::optional<quint32>(seed) : std::nullopt;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exportsEveryFormat();
    void helpListsTheOptions();
    void badInputsFailWithOneLine();
    void namesThatAreNotUtf8AreRefused();
    void parsedOptions();
    void bookOptions();
    void batches();
    void booksByDifficulty();
    void failedBatchChangesNothing();
    void randomRouteBatches();
    void shapedBatches();
    void unusableMazesAndUnclearArgumentsAreRefused();
    void interruptedBatchLeavesNothingBehind();

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
                               "--no-labels", "--wall-mm", "--dpi", "--difficulty", "--tries", "--order",
                               "--print-difficulty", "--random-route", "--route-length", "--twist",
                               "--from", "--to", "--size", "--per-page", "--answers-per-page",
                               "--page-numbers", "--first", "--first-page", "--start-label", "--goal-label",
                               "--label-pictures", "--name-line-answers", "--wall-share", "--shape", "--shape-text",
                               "--shape-threshold", "--shape-invert", "--centre-room"})
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
    // A maze file without a path: there is nothing to measure.
    const QString noPath = path(QStringLiteral("nopath.maz"));
    RandomSource random;
    MazeBoard empty(random);
    QVERIFY(empty.saveFile(noPath.toStdU16String()));

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
        {words("--per-page 3 --export") << out << maz_, 2, "3", out},
        {words("--answers-per-page 8 --export") << out << maz_, 2, "8", out},
        {words("--first -1 --export") << out << maz_, 2, "-1", out},
        {words("--wall-share thin --export") << out << maz_, 2, "thin", out},
        {words("--page-size 10x10mm --export") << out << maz_, 2, "10x10mm", out},
        {{QStringLiteral("--export"), out, maz_, maz_}, 2, ".maz", out},
        {{QStringLiteral("--export"), out}, 2, ".maz", out},
        {{QStringLiteral("--export"), path(QStringLiteral("no/such/dir.pdf")), maz_}, 1, "を作成できません",
         path(QStringLiteral("no/such/dir.pdf"))},
        {{QStringLiteral("--export"), dir_.path(), maz_}, 2, ".pdf .svg .png .bmp", QString()},
        {{QStringLiteral("--export"), fifo, maz_}, 1, "を作成できません", QString()},
        {{QStringLiteral("--export"), readOnly, maz_}, 1, "を作成できません", QString()},
        // A batch: the same errors, and its own values.
        {words("--batch 0") << maz_ << QStringLiteral("--export") << out, 2, "--batch", out},
        {words("--batch=1001") << maz_ << QStringLiteral("--export") << out, 2, "1001", out},
        {words("--batch 2 --style wiggly") << maz_ << QStringLiteral("--export") << out, 2, "wiggly", out},
        {words("--batch 2 --seed -1") << maz_ << QStringLiteral("--export") << out, 2, "-1", out},
        {words("--seed 5 --export") << out << maz_, 2, "--batch", out},
        {words("--style uniform --export") << out << maz_, 2, "--batch", out},
        {words("--batch 2 --difficulty impossible") << maz_ << QStringLiteral("--export") << out, 2, "impossible", out},
        {words("--batch 2 --difficulty -5") << maz_ << QStringLiteral("--export") << out, 2, "-5", out},
        {words("--batch 2 --difficulty hard --tries 0") << maz_ << QStringLiteral("--export") << out, 2, "--tries", out},
        {words("--batch 2 --difficulty 9 --tries=10001") << maz_ << QStringLiteral("--export") << out, 2, "10001", out},
        {words("--batch 2 --tries 5") << maz_ << QStringLiteral("--export") << out, 2, "--difficulty", out},
        {words("--batch 2 --order hardest") << maz_ << QStringLiteral("--export") << out, 2, "hardest", out},
        {words("--difficulty easy --export") << out << maz_, 2, "--batch", out},
        {words("--order easy-to-hard --export") << out << maz_, 2, "--batch", out},
        {words("--batch 2 --difficulty easy --export") << out << noPath, 2, "道が完成していません", out},
        {words("--export") << path(QStringLiteral("copy.maz")) << maz_, 2, ".pdf .svg .png .bmp)",
         path(QStringLiteral("copy.maz"))},
        {words("--batch 2 --export") << path(QStringLiteral("b.txt")) << maz_, 2, ".bmp .maz",
         path(QStringLiteral("b-001.txt"))},
        {words("--batch 2 --export") << out << garbage, 1, "Failed to open File", out},
        {words("--batch 2 --export") << readOnly << maz_, 1, "を作成できません", QString()},
        // Routes of their own: sizes out of range, lengths and ends the
        // board cannot have, options without the one they belong to.
        {words("--batch 2 --random-route --size 401x20 --export") << out, 2, "401x20", out},
        {words("--batch 2 --random-route --size 4x20 --export") << out, 2, "4x20", out},
        {words("--batch 2 --random-route --size 20 --export") << out, 2, "20", out},
        {words("--batch 2 --random-route --size 5x5 --route-length short --export") << out, 2, "3 マス", out},
        {words("--batch 2 --random-route --size 20x20 --to centre --export") << out, 2, "centre", out},
        {words("--batch 2 --random-route --size 20x20 --from -1,-1 --export") << out, 2, "-1,-1", out},
        {words("--batch 2 --random-route --size 20x20 --from -1,3 --to -1,3 --export") << out, 2, "同じ", out},
        {words("--batch 2 --random-route --route-length 70% --export") << out << maz_, 2, "70%", out},
        {words("--batch 2 --random-route --twist 101 --export") << out << maz_, 2, "101", out},
        {words("--batch 2 --random-route --from middle --export") << out << maz_, 2, "middle", out},
        {words("--batch 2 --twist 5 --export") << out << maz_, 2, "--random-route", out},
        {words("--batch 2 --size 20x20 --export") << out, 2, "--random-route", out},
        {words("--random-route --size 20x20 --export") << out, 2, "--batch", out},
        {words("--batch 2 --random-route --size 20x20 --export") << out << maz_, 2, "--size", out},
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

// A name whose bytes are not UTF-8, beside a file named with the text it
// decodes to (U+FFFD): refused, and the other file is neither read nor
// written. Only a shell can pass such bytes.
void CommandLineTest::namesThatAreNotUtf8AreRefused()
{
    const QString namesake = path(QStringLiteral("\uFFFD\uFFFD.maz"));
    QVERIFY(QFile::copy(maz_, namesake));
    const QString shownPdf = path(QStringLiteral("\uFFFD.pdf"));
    const struct {
        QString script; // $0 the program, $1 the folder
        QString says;
        QString target; // must not come to exist
    } table[] = {
        {QStringLiteral("exec \"$0\" --export \"$1/out.pdf\" \"$1/$(printf '\\377\\376').maz\""),
         QStringLiteral("Failed to open File %1 (名前が UTF-8 ではないため、そのままでは開けません)").arg(namesake),
         path(QStringLiteral("out.pdf"))},
        {QStringLiteral("exec \"$0\" --export \"$1/$(printf '\\377').pdf\" \"$1/くねくね.maz\""),
         QStringLiteral("ファイル %1 を作成できません").arg(shownPdf), shownPdf},
        {QStringLiteral("exec \"$0\" \"--export=$1/$(printf '\\377').pdf\" \"$1/くねくね.maz\""),
         QStringLiteral("ファイル %1 を作成できません").arg(shownPdf), shownPdf},
    };
    for (const auto& row : table) {
        const Run r = runTool(QStringLiteral("/bin/sh"),
                              {QStringLiteral("-c"), row.script, QStringLiteral(ZUBELO_EXE), dir_.path()}, QByteArray(""));
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("zubelo: ") + row.says + QLatin1Char('\n'));
        QVERIFY(!QFile::exists(row.target));
    }
    QCOMPARE(contents(namesake), contents(maz_));
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
    QVERIFY(console({"--batch", "3", "b.maz", "--export", "a.pdf"}));

    // Values reach the settings.
    const CommandLine::Parsed p = CommandLine::parse(
        {QStringLiteral("zubelo"), QStringLiteral("--export"), QStringLiteral("x.png"), QStringLiteral("--wall-mm"),
         QStringLiteral("3"), QStringLiteral("--margin-mm=5"), QStringLiteral("--page-size"), QStringLiteral("b5"),
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
    QCOMPARE(p.request->batch, 0);

    const CommandLine::Parsed b = CommandLine::parse(
        words("zubelo --seed=4294967295 --style deadends --batch 1000 in.maz --export book.MAZ"));
    QVERIFY2(b.request, qPrintable(b.error));
    QCOMPARE(b.request->batch, 1000);
    QCOMPARE(b.request->style, MazeStyle::ShortDeadEnds);
    QCOMPARE(b.request->seed, 4294967295u);
    QCOMPARE(b.request->format, ExportEngine::Format::Maz);
}

void CommandLineTest::bookOptions()
{
    const CommandLine::Parsed p = CommandLine::parse(
        words("zubelo --export x.pdf in.maz --per-page 6 --answers-per-page=9 --page-numbers --first-page 40 "
              "--first 7 --start-label いりぐち --goal-label でぐち --label-pictures --name-line-answers "
              "--wall-share 55% --page-size 6x9in"));
    QVERIFY2(p.request, qPrintable(p.error));
    const ExportSettings& s = p.request->settings;
    QCOMPARE(s.perPage, 6);
    QCOMPARE(s.answersPerPage, 9);
    QVERIFY(s.pageNumbers && s.nameLine && s.nameLineOnAnswers);
    QCOMPARE(s.firstNumber, 7);
    QCOMPARE(s.firstPage, 40); // --first-page wins, whichever comes first
    QCOMPARE(s.startText, QStringLiteral("いりぐち"));
    QCOMPARE(s.goalText, QStringLiteral("でぐち"));
    QCOMPARE(s.labelKind, LabelKind::Pictures);
    QCOMPARE(s.wallShare, ExportSettings::MaxWallShare);
    QCOMPARE(paperName(s.paper), QStringLiteral("6x9in"));
    QCOMPARE(CommandLine::parse(words("zubelo --export x.pdf in.maz --first 12")).request->settings.firstPage, 12);

    // A book of nine, four a page and their answers on one, numbered on
    // from 21 on a 6 x 9 in trim.
    const QString book = path(QStringLiteral("part2.pdf"));
    const Run r = zubelo(words("--batch 9 --seed 3 --per-page 4 --answers-per-page 9 --page-numbers --first 21 "
                               "--page-size 6x9in --title 第%n問")
                         << maz_ << QStringLiteral("--export") << book);
    QCOMPARE(r.status, 0);
    const PdfInfo info = pdfInfo(book);
    QCOMPARE(info.pages, 4);
    QCOMPARE(info.pointSize.toSize(), QSize(432, 648));
    const QStringList first = pdfText(book, 1).split(QLatin1Char('\n'));
    for (const char* line : {"第21問", "第24問", "21"})
        QVERIFY2(first.contains(QString::fromUtf8(line)), line);
    const QString answers = pdfText(book, 4);
    QVERIFY(answers.contains(QStringLiteral("（解答 21〜29）")) && answers.contains(QStringLiteral("第29問")));
    QVERIFY(answers.split(QLatin1Char('\n')).contains(QStringLiteral("24")));
}

void CommandLineTest::batches()
{
    // `zubelo WORDS IN.maz --export OUT`, which must succeed.
    const auto batch = [&](const char* options, const QString& out, const QStringList& more = {}) {
        const Run r = zubelo(words(options) << maz_ << QStringLiteral("--export") << path(out) << more);
        if (r.status != 0 || !r.err.isEmpty())
            qWarning() << options << out << r.status << r.err;
        return r;
    };
    // Maze files: three that load, each a sound maze of its own around the
    // input's path, and no answer files.
    Run r = batch("--batch 3 --style uniform --seed 42", QStringLiteral("m.maz"));
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.section(QLatin1Char('\n'), 0, 0), QStringLiteral("seed 42"));
    QCOMPARE(r.out.count(QLatin1Char('\n')), 4);
    const MazeBoard& input = *maze_->board;
    const int cells = input.getWidth() * input.getHeight();
    std::vector<std::unique_ptr<TestMaze>> made;
    QSet<QByteArray> different;
    for (const char* file : {"m-001.maz", "m-002.maz", "m-003.maz"}) {
        const QString name = QLatin1String(file);
        made.push_back(loaded(path(name), maze_->path));
        QVERIFY2(made.back(), qPrintable(name));
        const MazeBoard& b = *made.back()->board;
        QVERIFY2(samePath(b, input), qPrintable(name));
        QCOMPARE(testing_support::openInteriorEdges(b), cells - 1);
        QCOMPARE(testing_support::reachableCount(b, {0, 0}), cells);
        different.insert(contents(path(name)));
    }
    QCOMPARE(different.size(), 3);
    QVERIFY(!QFile::exists(path(QStringLiteral("m-001-answer.maz"))));

    // A PDF of the same seed and style: the three puzzles with numbered
    // titles, then their answers, each page showing its maze.
    r = batch("--batch 3 --style uniform --seed 42", QStringLiteral("book.pdf"),
              {QStringLiteral("--title"), QStringLiteral("めいろ")});
    QCOMPARE(r.status, 0);
    const QString book = path(QStringLiteral("book.pdf"));
    QCOMPARE(pdfInfo(book).pages, 6);
    for (int page = 1; page <= 6; ++page) {
        const QString title = QStringLiteral("めいろ %1%2").arg((page - 1) % 3 + 1)
                                  .arg(page > 3 ? QStringLiteral("（解答）") : QString());
        QVERIFY2(pdfText(book, page).split(QLatin1Char('\n')).contains(title), qPrintable(title));
    }
    ExportSettings s;
    s.title = QStringLiteral("めいろ");
    s.numbered = true;
    const PageLayout L = layoutPage(outlineOf(*made[1]->board), s.forMaze(1), QSizeF(210, 297));
    const double px = 60 / 25.4;
    for (const int page : {2, 5})
        QCOMPARE(compareWithBoard(pdfPage(book, page, 60, path(QStringLiteral("page"))), *made[1],
                                  {L.gridOrigin * px, L.cellMm * px}, page == 5),
                 QString());

    // Without a title the number alone names each page.
    QCOMPARE(batch("--batch 2 --pages answer", QStringLiteral("bare.pdf")).status, 0);
    QCOMPARE(pdfInfo(path(QStringLiteral("bare.pdf"))).pages, 2);
    QVERIFY(pdfText(path(QStringLiteral("bare.pdf")), 2).split(QLatin1Char('\n'))
                .contains(QStringLiteral("2（解答）")));

    // Without --seed each run is a new book, and the seed it reports makes
    // that book again.
    const std::optional<quint32> first = reportedSeed(batch("--batch 2", QStringLiteral("n.maz")).out);
    const std::optional<quint32> second = reportedSeed(batch("--batch 2", QStringLiteral("o.maz")).out);
    QVERIFY(first && second && *first != *second);
    const QByteArray again = QStringLiteral("--batch 2 --seed %1").arg(*first).toUtf8();
    QCOMPARE(batch(again.constData(), QStringLiteral("again.maz")).status, 0);
    for (const char* number : {"001", "002"})
        QCOMPARE(contents(path(QStringLiteral("again-%1.maz").arg(QLatin1String(number)))),
                 contents(path(QStringLiteral("n-%1.maz").arg(QLatin1String(number)))));

    // Pictures are numbered even for a batch of one.
    QCOMPARE(batch("--batch 1", QStringLiteral("one.svg")).status, 0);
    QVERIFY(QFile::exists(path(QStringLiteral("one-001.svg"))));
    QVERIFY(QFile::exists(path(QStringLiteral("one-001-answer.svg"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("one.svg"))));
}

void CommandLineTest::booksByDifficulty()
{
    // Twelve hard mazes of 30 x 30 around a winding path, from easy to hard:
    // the lines on standard output, the pages' order and the answer pages'
    // figures agree.
    RandomSource random;
    MazeBoard board(random);
    QVERIFY(board.resize(30, 30));
    testing_support::drawKeys(board, -1, 3, std::string(12, 'R') + std::string(20, 'D') + std::string(8, 'R')
                                                + std::string(14, 'U') + std::string(11, 'R'));
    board.makeMaze();
    const QString wind = path(QStringLiteral("wind.maz"));
    QVERIFY(board.saveFile(wind.toStdU16String()));
    const QString book = path(QStringLiteral("hard.pdf"));
    const Run r = zubelo(words("--batch 12 --difficulty hard --order easy-to-hard --print-difficulty --seed 5")
                         << wind << QStringLiteral("--export") << book);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], QStringLiteral("seed 5"));
    int previous = 0;
    for (int i = 1; i <= 12; ++i) {
        const auto m = QRegularExpression(QStringLiteral("\\Amaze (\\d+) hard (\\d+)\\z")).match(lines[i]);
        QVERIFY2(m.hasMatch() && m.captured(1).toInt() == i, qPrintable(lines[i]));
        const int figure = m.captured(2).toInt();
        QVERIFY2(figure >= HardFrom && figure >= previous, qPrintable(lines[i]));
        previous = figure;
        const QString answer = pdfText(book, 12 + i);
        QVERIFY2(answer.contains(QStringLiteral("%1（解答）").arg(i))
                     && answer.contains(QStringLiteral("難しさ むずかしい（探す道のり %1 マス）").arg(figure)),
                 qPrintable(answer));
        QVERIFY(!pdfText(book, i).contains(QStringLiteral("難しさ")));
    }

    // A band that no candidate reaches keeps the nearest, and says so once.
    const Run easy = zubelo(words("--batch 3 --difficulty easy --tries 4 --seed 5") << wind
                            << QStringLiteral("--export") << path(QStringLiteral("easy.pdf")));
    QCOMPARE(easy.status, 0);
    QVERIFY2(easy.err.count(QLatin1Char('\n')) == 1 && easy.err.contains(QStringLiteral("(1, 2, 3)")),
             qPrintable(easy.err));
    QCOMPARE(easy.out.count(QLatin1Char('\n')), 4);
}

void CommandLineTest::failedBatchChangesNothing()
{
    // The third of four files cannot be made (its name is a link into a
    // folder that does not exist): the two written before it never replace
    // their targets, and nothing is left behind.
    QDir scratch(path(QStringLiteral("failed")));
    QVERIFY(scratch.mkpath(QStringLiteral(".")));
    const QString kept = scratch.filePath(QStringLiteral("k-001.svg"));
    QFile f(kept);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old content");
    f.close();
    QVERIFY(QFile::link(path(QStringLiteral("no/such/folder/x.svg")), scratch.filePath(QStringLiteral("k-002.svg"))));
    const auto entries = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList before = scratch.entryList(entries);
    const Run r =
        zubelo(words("--batch 2") << maz_ << QStringLiteral("--export") << scratch.filePath(QStringLiteral("k.svg")));
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("k-002.svg を作成できません")), qPrintable(r.err));
    QCOMPARE(r.out, QString());
    QCOMPARE(contents(kept), QByteArray("old content"));
    QCOMPARE(scratch.entryList(entries), before);

    // A target that is a link has the file it points to replaced, keeping
    // its permissions; the link stays.
    const QString real = scratch.filePath(QStringLiteral("real.pdf"));
    QFile old(real);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.close();
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(real, permissions));
    const QString link = scratch.filePath(QStringLiteral("link.pdf"));
    QVERIFY(QFile::link(real, link));
    QCOMPARE(zubelo(words("--batch 2") << maz_ << QStringLiteral("--export") << link).status, 0);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(pdfInfo(real).pages, 4);
    QCOMPARE(QFileInfo(real).permissions() & ~(QFile::ReadUser | QFile::WriteUser), permissions);
}

void CommandLineTest::randomRouteBatches()
{
    // 30 mazes, each around a route of its own that is its only way; the
    // same seed makes the same files.
    for (const char* out : {"r.maz", "s.maz"}) {
        const Run r = zubelo(words("--batch 30 --size 20x20 --random-route --style uniform --seed 7 --export")
                             << path(QLatin1String(out)));
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 31);
        QCOMPARE(lines.front(), QStringLiteral("seed 7"));
        QVERIFY(lines.back().startsWith(QStringLiteral("maze 30 ")));
    }
    QSet<QByteArray> routes;
    for (int i = 1; i <= 30; ++i) {
        const QString name = path(QStringLiteral("r-%1.maz").arg(i, 3, 10, QLatin1Char('0')));
        QCOMPARE(contents(name), contents(path(QStringLiteral("s-%1.maz").arg(i, 3, 10, QLatin1Char('0')))));
        const auto maze = loaded(name, {});
        QVERIFY2(maze, qPrintable(name));
        const MazeBoard& b = *maze->board;
        QCOMPARE(testing_support::openInteriorEdges(b), 400 - 1);
        QCOMPARE(testing_support::reachableCount(b, {0, 0}), 400);
        const QByteArray bytes = contents(name);
        // The header's fields, read through a stream: the compiler cannot
        // prove the bytes long enough for a pointer read.
        auto header = [&](int i) {
            QDataStream in(bytes.mid(4 + 4 * i, 4));
            in.setByteOrder(QDataStream::LittleEndian);
            qint32 v = -1;
            in >> v;
            return int(v);
        };
        const auto cells = testing_support::drawnPath(b, testing_support::Cell{header(2), header(3)});
        QCOMPARE(cells.back(), (testing_support::Cell{header(4), header(5)}));
        QVERIFY(cells.size() > 80 && testing_support::onRing(b, cells.back().x, cells.back().y));
        const std::vector<testing_support::Cell> inner(cells.begin() + 1, cells.end() - 1);
        QVERIFY2(testing_support::route(b, inner.front(), inner.back()) == inner, qPrintable(name));
        routes.insert(contents(name).mid(32 + 2 * 21 * 20));
    }
    QCOMPARE(routes.size(), 30);

    // A book in one PDF, around the routes on a maze file's board.
    const Run r = zubelo(words("--batch 3 --random-route --route-length long --twist 0 --from left --to right")
                         << maz_ << QStringLiteral("--export") << path(QStringLiteral("routes.pdf")));
    QCOMPARE(r.status, 0);
    QCOMPARE(pdfInfo(path(QStringLiteral("routes.pdf"))).pages, 6);
}

// Shapes before a batch: a heart with a room in the middle as the goal, kept
// in every maze file and printed alone; a picture and a word as shapes; and
// shapes that cannot be used, refused with nothing written.
void CommandLineTest::shapedBatches()
{
    const Run made = zubelo(words("--batch 2 --size 24x24 --random-route --from outside --to centre --shape heart "
                                  "--centre-room 4 --seed 3 --export")
                            << path(QStringLiteral("heart.maz")));
    QCOMPARE(made.status, 0);
    QCOMPARE(made.err, QString());
    for (const char* name : {"heart-001.maz", "heart-002.maz"}) {
        auto maze = loaded(path(QLatin1String(name)), {});
        QVERIFY2(maze, name);
        const MazeBoard& b = *maze->board;
        QVERIFY(b.shape() == presetShape(ShapePreset::Heart, 24, 24, 4));
        maze->path = testing_support::drawnPath(b);
        const auto& cells = maze->path;
        const auto goal = cells.back();
        QVERIFY2(!b.isInside(goal.x, goal.y) && b.shape().holeCells()[std::size_t(goal.y * 24 + goal.x)], name);
        // One tree over the inside cells, and the two crossings of the path.
        const int crossingsInGrid = int(!testing_support::onRing(b, cells.front().x, cells.front().y)) + 1;
        QCOMPARE(testing_support::openInteriorEdges(b), b.insideCount() - 1 + crossingsInGrid);
        QCOMPARE(testing_support::reachableCount(b, cells[1]), b.insideCount());

        // The one maze of a shaped file as a PDF: only the shape, its answer red.
        const QString pdf = path(QLatin1String(name) + QStringLiteral(".pdf"));
        const Run one = zubelo({QStringLiteral("--export"), pdf, path(QLatin1String(name))});
        QCOMPARE(one.status, 0);
        const PageLayout L = layoutPage(outlineOf(b), ExportSettings().forMaze(0), QSizeF(210, 297));
        const double px = 60 / 25.4;
        for (const int page : {1, 2})
            QCOMPARE(compareWithBoard(pdfPage(pdf, page, 60, path(QStringLiteral("shaped"))), *maze,
                                      {L.gridOrigin * px, L.cellMm * px}, page == 2),
                     QString());
    }

    // A disc drawn black on white, the same the other way round, and a white
    // disc on a see-through picture: its opacity, not its darkness, counts.
    QImage disc(90, 90, QImage::Format_RGB32);
    disc.fill(Qt::white);
    QImage clear(90, 90, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    for (auto [picture, colour] : {std::pair{&disc, Qt::black}, std::pair{&clear, Qt::white}}) {
        QPainter p(picture);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QRectF(5, 5, 80, 80));
    }
    QVERIFY(disc.save(path(QStringLiteral("disc.png"))));
    QVERIFY(clear.save(path(QStringLiteral("clear.png"))));
    for (const auto& [picture, invert] : {std::pair{"disc.png", false}, std::pair{"disc.png", true},
                                          std::pair{"clear.png", false}}) {
        const QString out = path(QStringLiteral("%1-%2.maz").arg(QLatin1String(picture)).arg(invert));
        QStringList args = words("--batch 1 --size 20x20 --random-route --shape") << path(QLatin1String(picture));
        if (invert)
            args << QStringLiteral("--shape-invert");
        QCOMPARE(zubelo(args << QStringLiteral("--export") << out).status, 0);
        const auto maze = loaded(path(QStringLiteral("%1-%2-001.maz").arg(QLatin1String(picture)).arg(invert)), {});
        QVERIFY(maze && maze->board->isShaped());
        QCOMPARE(maze->board->isInside(10, 10), !invert);
        QCOMPARE(maze->board->isInside(0, 0), invert);
    }
    const Run word = zubelo(words("--batch 1 --size 40x16 --random-route --shape-text ZU --export")
                            << path(QStringLiteral("word.maz")));
    QCOMPARE(word.status, 0);
    const auto letters = loaded(path(QStringLiteral("word-001.maz")), {});
    QVERIFY(letters && letters->board->isShaped() && letters->board->shape().isOneRegion());

    // A picture white on its left half leaves out cells the drawn path uses.
    QImage cut(30, 20, QImage::Format_RGB32);
    cut.fill(Qt::black);
    QPainter(&cut).fillRect(0, 0, 15, 20, Qt::white);
    QVERIFY(cut.save(path(QStringLiteral("cut.png"))));
    const struct {
        QStringList args;
        int status;
        QString says;
    } refused[] = {
        {words("--batch 1 --size 20x20 --random-route --shape star --centre-room 30"), 2, QStringLiteral("形")},
        {words("--batch 1 --shape") << path(QStringLiteral("cut.png")) << maz_, 2, QStringLiteral("くねくね.maz")},
        {words("--batch 1 --shape") << maz_ << maz_, 1, QStringLiteral("「くねくね.maz」")},
        {words("--shape heart") << maz_, 2, QStringLiteral("--batch")},
        {words("--batch 1 --shape heart --shape-text AB") << maz_, 2, QStringLiteral("--shape-text")},
        {words("--batch 1 --shape heart --shape-threshold 100") << maz_, 2, QStringLiteral("--shape-threshold")},
        {words("--batch 1 --centre-room 0") << maz_, 2, QStringLiteral("--centre-room")},
    };
    for (const auto& [args, status, says] : refused) {
        const QString out = path(QStringLiteral("refused.pdf"));
        const Run r = zubelo(QStringList(args) << QStringLiteral("--export") << out);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.count(QLatin1Char('\n')) == 1 && r.err.contains(says), qPrintable(r.err));
        QVERIFY(!QFile::exists(out) && !QFile::exists(path(QStringLiteral("refused-001.pdf"))));
    }
}

// Crafted files: paths that are not one path from the border to the
// border for a batch, a maze never made for an export; files that cannot be
// read, each saying why; numbers read one way and refused out of range with
// the range; an option given twice; a name with a line break kept to one
// line; and a batch that runs out of file descriptors saying so.
void CommandLineTest::unusableMazesAndUnclearArgumentsAreRefused()
{
    const auto crafted = [&](const char* name, const std::function<void(MazeBoard&)>& draw, bool make) {
        RandomSource random;
        MazeBoard board(random);
        (void)board.resize(10, 10);
        draw(board);
        if (make)
            board.makeMaze();
        const QString file = path(QString::fromLatin1(name));
        if (!board.saveFile(std::filesystem::path(file.toStdU16String())))
            qWarning("cannot write %s", name);
        return file;
    };
    const auto ring = [](MazeBoard& b) {
        for (int x = 2; x < 6; ++x)
            b.setPathH(x, 2, 1), b.setPathH(x, 6, 1);
        for (int y = 2; y < 6; ++y)
            b.setPathV(2, y, 1), b.setPathV(6, y, 1);
    };
    const QString straight = QStringLiteral("RRRRRRRRRRR");
    const QString notOne[] = {
        crafted("empty.maz", [](MazeBoard&) {}, true),
        crafted("stops.maz", [](MazeBoard& b) { testing_support::drawKeys(b, -1, 4, "RRRDD"); }, true),
        crafted("loop.maz", [&](MazeBoard& b) { testing_support::drawKeys(b, -1, 0, straight.toStdString()); ring(b); }, true),
        crafted("branch.maz", [&](MazeBoard& b) {
            testing_support::drawKeys(b, -1, 4, straight.toStdString());
            b.setPathH(3, 0, 1), b.setPathH(3, 1, 1), b.setPathH(3, 2, 1), b.setPathH(3, 3, 1), b.setPathH(3, 4, 1);
        }, true),
        crafted("inside.maz", ring, true),
        crafted("everything.maz", [](MazeBoard& b) {
            for (int i = 0; i <= 10; ++i)
                for (int j = 0; j < 10; ++j)
                    b.setPathV(i, j, 1), b.setPathH(j, i, 1);
        }, true),
    };
    const QString notMade = crafted("not-made.maz", [&](MazeBoard& b) {
        testing_support::drawKeys(b, -1, 4, straight.toStdString()); }, false);
    const QString garbage = path(QStringLiteral("not-a-maze.maz"));
    QFile(garbage).open(QIODevice::WriteOnly);
    const QString out = path(QStringLiteral("refused.svg"));
    const QStringList exportTo = {QStringLiteral("--export"), out};

    struct Row {
        QStringList args;
        int status;
        QString says;
    };
    std::vector<Row> table;
    for (const QString& file : notOne)
        table.push_back({words("--batch 3") << file << exportTo, 2,
                         QStringLiteral("%1: 道が完成していません").arg(file)});
    table.push_back({QStringList(exportTo) << notMade, 1, notMade + QStringLiteral(": 迷路作成ボタンを押してください。")});
    table.push_back({QStringList(exportTo) << path(QStringLiteral("gone.maz")), 1, QStringLiteral("(ファイルがありません)")});
    table.push_back({QStringList(exportTo) << dir_.path(), 1, QStringLiteral("普通のファイルではありません")});
    table.push_back({QStringList(exportTo) << garbage, 1, QStringLiteral("迷路ファイルではないか、壊れています")});
    for (const auto& [option, value, range] :
         {std::tuple{"--wall-mm", "-1e308", "0.1〜3"}, std::tuple{"--margin-mm", "1e308", "0〜50"},
          std::tuple{"--margin-mm", "-5", "0〜50"}, std::tuple{"--dpi", " 300", "72〜600"},
          std::tuple{"--dpi", "+300", "72〜600"}, std::tuple{"--dpi", "300.5", "72〜600"},
          std::tuple{"--batch", " 5", "1〜1000"}, std::tuple{"--batch", "+5", "1〜1000"},
          std::tuple{"--seed", "4294967296", "0〜4294967295"}})
        table.push_back({QStringList(exportTo) << maz_ << QString::fromUtf8(option) << QString::fromUtf8(value), 2,
                         QStringLiteral("(%1 の数で指定してください)").arg(QString::fromUtf8(range))});
    // The book's numbers are read as every other number: no sign, no blank.
    for (const auto& [option, value] : {std::pair{"--per-page", "+4"}, std::pair{"--answers-per-page", " 4"},
                                        std::pair{"--first", "+3"}, std::pair{"--first-page", "3 "}})
        table.push_back({QStringList(exportTo) << maz_ << QStringLiteral("--batch") << QStringLiteral("2")
                                               << QString::fromUtf8(option) << QString::fromUtf8(value),
                         2, QStringLiteral("オプション %1 の値が正しくありません").arg(QString::fromUtf8(option))});
    table.push_back({QStringList(exportTo) << maz_ << QStringLiteral("--export") << path(QStringLiteral("b.pdf")), 2,
                     QStringLiteral("オプション --export が二度指定されています")});
    table.push_back({QStringList(exportTo) << maz_ << QStringLiteral("--landscape") << QStringLiteral("--landscape"),
                     2, QStringLiteral("--landscape")});
    table.push_back({{QStringLiteral("--export"), path(QStringLiteral("two\nlines.txt")), maz_}, 2,
                     QStringLiteral("\"%1\\nlines.txt\"").arg(path(QStringLiteral("two")))});
    for (const Row& row : table) {
        const Run r = zubelo(row.args);
        const QString what = row.args.join(QLatin1Char(' '));
        QVERIFY2(r.status == row.status, qPrintable(what + QStringLiteral(": status %1 ").arg(r.status) + r.err));
        QVERIFY2(r.err.count(QLatin1Char('\n')) == 1 && r.err.startsWith(QLatin1String("zubelo: ")), qPrintable(what + r.err));
        QVERIFY2(r.err.contains(row.says), qPrintable(what + QStringLiteral(": ") + r.err));
        QVERIFY2(!QFile::exists(out), qPrintable(what));
    }

    // Descriptors run out while the pictures of a batch are kept open.
    const Run r = runTool(QStringLiteral("/bin/sh"),
                          {QStringLiteral("-c"), QStringLiteral("ulimit -n 64 && exec \"$0\" --batch 200 \"$1\" --export \"$2\""),
                           QStringLiteral(ZUBELO_EXE), maz_, out}, QByteArray(""));
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("開いているファイルが多すぎるため")), qPrintable(r.err));
    QVERIFY(QDir(dir_.path()).entryList({QStringLiteral("refused*")}, QDir::Files | QDir::Hidden).isEmpty());
}

// Told to stop in the middle of a batch, the program takes its hidden files
// with it and leaves every target as it was.
void CommandLineTest::interruptedBatchLeavesNothingBehind()
{
    QTemporaryDir folder;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        QProcess p;
        p.start(QStringLiteral(ZUBELO_EXE), words("--batch 1000") << maz_ << QStringLiteral("--export")
                                                                   << folder.filePath(QStringLiteral("book.svg")));
        QVERIFY(p.waitForStarted());
        const QDir dir(folder.path());
        QTRY_VERIFY_WITH_TIMEOUT(dir.entryList(QDir::Files | QDir::Hidden).size() > 20, 30000);
        ::kill(pid_t(p.processId()), signal);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit); // ended by the signal, as it would have been
        QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    }
}

QTEST_MAIN(CommandLineTest)
#include "commandline_test.moc"
