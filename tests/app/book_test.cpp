// Worksheets and books: several mazes a page, labels that leave the maze the
// page's width, numbering, trim sizes and the paper a locale starts with.
// PDF pages are read back with the poppler tools and compared with the boards.

#include "ExportEngine.h"
#include "MazePrint.h"
#include "PageLayout.h"
#include "PrintTexts.h"
#include "SheetLayout.h"
#include "maze_batch.h"
#include "maze_outline.h"
#include "print_support.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSettings>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

using namespace print_support;

namespace {

constexpr double PointsPerMm = 72 / 25.4;

// A maze whose path enters on the left and leaves on the right, with a bend.
std::unique_ptr<TestMaze> leftToRight(int width, int height)
{
    auto maze = std::make_unique<TestMaze>();
    (void)maze->board->resize(width, height);
    const int row = height / 2;
    std::string keys(static_cast<std::size_t>(width / 2), 'R');
    keys += "UU" + std::string(static_cast<std::size_t>(width - width / 2), 'R') + "DDR";
    testing_support::drawKeys(*maze->board, -1, row, keys);
    Cell at{-1, row};
    maze->path.push_back(at);
    for (const char k : keys) {
        at.x += k == 'R' ? 1 : 0;
        at.y += k == 'D' ? 1 : k == 'U' ? -1 : 0;
        maze->path.push_back(at);
    }
    maze->board->makeMaze();
    return maze;
}

// `count` different mazes around one path, as a batch makes them.
std::vector<std::unique_ptr<TestMaze>> batchOf(const TestMaze& base, int count)
{
    std::vector<std::unique_ptr<TestMaze>> out;
    MazeBoard& board = *base.board;
    makeMazeBatch(board, {count, MazeStyle::Standard, 5u}, [&](int) {
        const auto bytes = board.toFileBytes();
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        auto copy = std::make_unique<TestMaze>();
        copy->path = base.path;
        return copy->board->readFrom(in) && (out.push_back(std::move(copy)), true);
    });
    return out;
}

// The text printed inside `mm` on one page.
QString textIn(const QString& file, int page, const QRectF& mm)
{
    const QRect r = QRectF(mm.topLeft() * PointsPerMm, mm.size() * PointsPerMm).toAlignedRect();
    const QStringList where{QStringLiteral("-x"), QString::number(r.x()), QStringLiteral("-y"), QString::number(r.y()),
                            QStringLiteral("-W"), QString::number(r.width()), QStringLiteral("-H"),
                            QString::number(r.height())};
    return runTool(QStringLiteral("pdftotext"), QStringList{QStringLiteral("-f"), QString::number(page),
                                                            QStringLiteral("-l"), QString::number(page)}
                                                    << where << file << QStringLiteral("-"))
        .out.simplified();
}

} // namespace

class BookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void severalMazesAPage();
    void pagesTallerThanTheMazeAreFilled();
    void paperSizes();
    void titlesNumberTheBook();
    void wallShareKeepsCorridorsOpen();
    void picturesMarkStartAndGoal();

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
};

void BookTest::severalMazesAPage()
{
    const auto base = leftToRight(12, 10);
    const struct {
        int mazes, perPage, answersPerPage;
        bool landscape;
        const char* title;
        int pages;
    } table[] = {
        {7, 4, 4, false, "めいろ", 4},
        {8, 6, 9, true, "第%n問", 3},
    };
    for (const auto& row : table) {
        const auto mazes = batchOf(*base, row.mazes);
        QCOMPARE(int(mazes.size()), row.mazes);
        ExportSettings s;
        s.perPage = row.perPage;
        s.answersPerPage = row.answersPerPage;
        s.landscape = row.landscape;
        s.title = QString::fromUtf8(row.title);
        s.nameLine = s.pageNumbers = true;
        s.firstNumber = 3;
        s.firstPage = 11;
        const QString file = path(QStringLiteral("sheets.pdf"));
        ExportEngine::Writer writer(s, ExportEngine::Format::Pdf, file, mazes.size(), true);
        for (const auto& m : mazes)
            QVERIFY(writer.add(*m->board));
        QVERIFY(writer.finish().ok());
        QCOMPARE(pdfInfo(file).pages, row.pages);

        s.numbered = true; // as the writer of a book has it
        std::vector<MazeOutline> outlines;
        for (const auto& m : mazes)
            outlines.push_back(outlineOf(*m->board));
        for (const SheetPage& page : sheetPages(mazes.size(), s)) {
            std::vector<const MazeOutline*> own;
            for (std::size_t i = page.first; i < page.first + page.count; ++i)
                own.push_back(&outlines[i]);
            const SheetLayout L = layoutSheet(own, s, page, s.pageMm());
            const bool answer = page.kind == PageKind::Answer;
            const int number = page.index + 1;
            QCOMPARE(int(L.places.size()), int(page.count));
            const int dpi = 100;
            const double px = dpi / 25.4;
            const QImage image = pdfPage(file, number, dpi, path(QStringLiteral("sheet")));
            for (std::size_t i = 0; i < page.count; ++i) {
                const PageLayout& place = L.places[i];
                // Each maze's own walls and answer, under its own number.
                QCOMPARE(compareWithBoard(image, *mazes[page.first + i], {place.gridOrigin * px, place.cellMm * px},
                                          answer),
                         QString());
                const int n = 3 + static_cast<int>(page.first + i);
                const QString caption = s.title.contains(QLatin1String("%n")) ? QStringLiteral("第%1問").arg(n)
                                                                                 : QString::number(n);
                QCOMPARE(textIn(file, number, place.captionRect), caption);
                // In reading order, inside the margins, apart.
                QVERIFY(L.frame.printable.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(place.content));
                if (i > 0) {
                    const QRectF before = L.places[i - 1].content;
                    QVERIFY(place.content.left() > before.right() || place.content.top() > before.bottom());
                }
            }
            QCOMPARE(textIn(file, number, L.frame.pageNumberRect), QString::number(11 + page.index));
            // The name line once on a puzzle page, not on an answer page.
            QCOMPARE(pdfText(file, number).count(QStringLiteral("なまえ：")), answer ? 0 : 1);
            if (answer) {
                const QString numbers = QStringLiteral("%1〜%2").arg(3 + page.first).arg(3 + page.first + page.count - 1);
                QVERIFY2(textIn(file, number, L.frame.titleRect).endsWith(QStringLiteral("（解答 %1）").arg(numbers)),
                         qPrintable(textIn(file, number, L.frame.titleRect)));
            }
        }
    }

    // Puzzle pages alone keep no more than a page's mazes.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    ExportSettings s;
    s.perPage = 4;
    s.pages = PageSet::Puzzle;
    MazePrint::PageStream stream(pdf, s, 10);
    const MazeOutline outline = outlineOf(*base->board);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(stream.add(outline));
        QVERIFY(stream.kept() < 4);
    }
    QVERIFY(stream.finish());
}

void BookTest::pagesTallerThanTheMazeAreFilled()
{
    const struct {
        int side;
        bool landscape;
        double smallestShare; // of the printable width
        bool stacked;
    } table[] = {
        {15, false, 0.90, true},
        {30, false, 0.90, true},
        {15, true, 0, false},  // a wide page keeps its labels beside the maze
    };
    for (const auto& row : table) {
        const auto maze = leftToRight(row.side, row.side);
        const MazeOutline outline = outlineOf(*maze->board);
        ExportSettings s;
        s.landscape = row.landscape;
        s.title = QStringLiteral("めいろ");
        const PageLayout L = layoutPage(outline, s, s.pageMm());
        const QRectF grid = L.gridRect();
        QVERIFY2(grid.width() >= row.smallestShare * L.printable.width(),
                 qPrintable(QString::number(grid.width() / L.printable.width())));
        QVERIFY(L.printable.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(L.content));
        QCOMPARE(int(L.labels.size()), 2);
        for (const PageLayout::Label& label : L.labels) {
            QVERIFY(!label.textRect.intersects(grid));
            const bool aboveOrBelow = label.textRect.bottom() < grid.top() || label.textRect.top() > grid.bottom();
            QCOMPARE(aboveOrBelow, row.stacked);
            // Letters a child reads, whatever the cell size.
            QVERIFY(letterHeightMm(printFont(L.labelPt), label.text) >= SmallestLabelMm - 1e-6);
        }
        // What is printed is that maze, its labels clear of the walls.
        const QString file = path(QStringLiteral("fill.pdf"));
        QVERIFY(ExportEngine::write({maze->board.get()}, s, ExportEngine::Format::Pdf, file).ok());
        const double px = 80 / 25.4;
        for (const int page : {1, 2})
            QCOMPARE(compareWithBoard(pdfPage(file, page, 80, path(QStringLiteral("fill"))), *maze,
                                      {L.gridOrigin * px, L.cellMm * px}, page == 2),
                     QString());
    }
    // Nine to a small page: the labels crowd the places, yet each maze
    // keeps what room is left rather than shrinking to a dot.
    ExportSettings crowded;
    crowded.paper = QPageSize(QPageSize::JisB6);
    crowded.answersPerPage = 9;
    crowded.pages = PageSet::Answer;
    const MazeOutline small = outlineOf(*leftToRight(30, 30)->board);
    const SheetLayout sheet = layoutSheet(std::vector<const MazeOutline*>(9, &small), crowded,
                                          sheetPages(9, crowded).front(), crowded.pageMm());
    QVERIFY2(smallestCellMm(sheet) > 0.5, qPrintable(QString::number(smallestCellMm(sheet))));

    // Small cells, words of the user's own: the letters stay as tall.
    const auto large = leftToRight(100, 100);
    ExportSettings s;
    s.startText = QStringLiteral("いりぐち");
    s.goalText = QStringLiteral("exit");
    const PageLayout L = layoutPage(outlineOf(*large->board), s, s.pageMm());
    QCOMPARE(L.labels[0].text, s.startText);
    for (const PageLayout::Label& label : L.labels)
        QVERIFY(letterHeightMm(printFont(L.labelPt), label.text) >= SmallestLabelMm - 1e-6);
}

void BookTest::paperSizes()
{
    const auto maze = leftToRight(8, 8);
    const struct {
        const char* name;
        bool landscape;
        QSizeF points;
        const char* named;
    } table[] = {
        {"152x229mm", false, {152 * PointsPerMm, 229 * PointsPerMm}, "152x229mm"},
        {"229X152MM", true, {229 * PointsPerMm, 152 * PointsPerMm}, "152x229mm"},
        {"6x9in", false, {432, 648}, "6x9in"},
        {"5x8in", false, {360, 576}, "5x8in"},
        {"5.5x8.5in", false, {396, 612}, "5.5x8.5in"},
        {"8.5x11in", false, {612, 792}, "Letter"},
        {"a5", false, {148 * PointsPerMm, 210 * PointsPerMm}, "A5"},
        {"B6", true, {182 * PointsPerMm, 128 * PointsPerMm}, "B6"},
    };
    for (const auto& row : table) {
        const auto paper = paperByName(QLatin1String(row.name));
        QVERIFY2(paper, row.name);
        QCOMPARE(paperName(*paper), QLatin1String(row.named));
        ExportSettings s;
        s.paper = *paper;
        s.landscape = row.landscape;
        s.pageNumbers = true;
        const QString file = path(QStringLiteral("paper.pdf"));
        QVERIFY(ExportEngine::write({maze->board.get()}, s, ExportEngine::Format::Pdf, file).ok());
        const QSizeF read = pdfInfo(file).pointSize;
        QVERIFY2(qAbs(read.width() - row.points.width()) < 1 && qAbs(read.height() - row.points.height()) < 1,
                 row.name);
    }
    for (const char* bad : {"10x10mm", "6x9", "2000x300mm", "x9in", "6x9cm"})
        QVERIFY2(!paperByName(QLatin1String(bad)), bad);

    // The first paper follows the locale; a remembered one wins.
    const struct {
        QLocale locale;
        QPageSize::PageSizeId paper;
    } locales[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter},
        {QLocale(QLocale::French, QLocale::Canada), QPageSize::Letter},
        {QLocale(QLocale::Spanish, QLocale::Mexico), QPageSize::Letter},
        {QLocale(QLocale::Filipino, QLocale::Philippines), QPageSize::Letter},
        {QLocale(QLocale::Japanese, QLocale::Japan), QPageSize::A4},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), QPageSize::A4},
        {QLocale::c(), QPageSize::A4},
    };
    QSettings stored(path(QStringLiteral("settings.ini")), QSettings::IniFormat);
    for (const auto& row : locales) {
        stored.clear();
        QCOMPARE(readExportSettings(stored, row.locale).paper, QPageSize(row.paper));
        ExportSettings chosen;
        chosen.paper = *paperByName(QStringLiteral("6x9in"));
        writeExportSettings(stored, chosen);
        QCOMPARE(readExportSettings(stored, row.locale).paper, chosen.paper);
    }
}

void BookTest::titlesNumberTheBook()
{
    const struct {
        const char* title;
        bool book;
        int perPage;
        int first;
        std::size_t index;
        const char* shown;
    } table[] = {
        {"めいろ %n", false, 1, 1, 0, "めいろ 1"},
        {"第%n問", true, 1, 5, 2, "第7問"},
        {"100%% めいろ %n", false, 1, 1, 1, "100% めいろ 2"},
        {"50% off", false, 1, 1, 0, "50% off"},          // a lone % stays
        {"%%n", true, 1, 1, 0, "%n 1"},                 // an escaped % is no number
        {"めいろ", true, 1, 1, 2, "めいろ 3"},             // the rule for titles without %n
        {"めいろ", false, 1, 1, 2, "めいろ"},
        {"めいろ", false, 4, 10, 2, "めいろ 12"},          // several a page: numbered
        {"", true, 1, 1, 3, "4"},
    };
    for (const auto& row : table) {
        ExportSettings s;
        s.title = QString::fromUtf8(row.title);
        s.numbered = row.book;
        s.perPage = row.perPage;
        s.firstNumber = row.first;
        QCOMPARE(s.forMaze(row.index).title, QString::fromUtf8(row.shown));
    }
}

void BookTest::wallShareKeepsCorridorsOpen()
{
    const struct {
        double share, cell, wall;
    } table[] = {{0.25, 10, 2.5}, {0.9, 10, 4.0}, {0.01, 10, 1.5}, {0.3, 0.5, 0.15}, {0, 10, 1.25}};
    for (const auto& row : table)
        QVERIFY2(qAbs(::wallThickness(0, row.cell, row.share) - row.wall) < 1e-9, qPrintable(QString::number(row.share)));
    ExportSettings s;
    s.wallShare = 0.9;
    QCOMPARE(s.clamped().wallShare, ExportSettings::MaxWallShare);
    const PageLayout L = layoutPage(outlineOf(*leftToRight(30, 30)->board), s, s.pageMm());
    QVERIFY(L.cellMm - L.wallMm >= 0.6 * L.cellMm - 1e-9);
}

void BookTest::picturesMarkStartAndGoal()
{
    const auto maze = leftToRight(15, 15);
    ExportSettings s;
    s.labelKind = LabelKind::Pictures;
    s.pages = PageSet::Puzzle;
    const QString file = path(QStringLiteral("marks.pdf"));
    QVERIFY(ExportEngine::write({maze->board.get()}, s, ExportEngine::Format::Pdf, file).ok());
    // Drawn, not written and not pasted in as images.
    QCOMPARE(pdfFonts(file), QStringList());
    QCOMPARE(runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}).out.count(QLatin1Char('\n')), 2);
    const PageLayout L = layoutPage(outlineOf(*maze->board), s, s.pageMm());
    const double px = 100 / 25.4;
    const QImage page = pdfPage(file, 1, 100, path(QStringLiteral("marks")));
    for (const PageLayout::Label& label : L.labels) {
        const QRect box = QRectF(label.textRect.topLeft() * px, label.textRect.size() * px).toRect();
        int dark = 0, red = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                dark += isDark(page.pixel(x, y));
                red += isRed(page.pixel(x, y));
            }
        const bool flag = label.mark == PageLayout::Mark::Flag;
        QVERIFY(label.mark != PageLayout::Mark::None && label.text.isEmpty());
        QVERIFY2(dark > box.width() * box.height() / 20, "no picture drawn");
        QCOMPARE(red > box.width() * box.height() / 20, flag);
    }
    // An SVG has them as paths too.
    const QString svg = path(QStringLiteral("marks.svg"));
    QVERIFY(ExportEngine::write({maze->board.get()}, s, ExportEngine::Format::Svg, svg).ok());
    QFile f(svg);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY(!text.contains("<image") && !text.contains("<text") && QSvgRenderer(svg).isValid());
}

QTEST_MAIN(BookTest)
#include "book_test.moc"
