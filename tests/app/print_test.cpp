// Printed mazes as files: PDF pages read back with the poppler tools, SVG
// through QSvgRenderer, PNG by its pixels; each compared with the board edge
// by edge.

#include "ExportEngine.h"
#include "MazePrint.h"
#include "PageLayout.h"
#include "maze_outline.h"
#include "print_support.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace print_support;

namespace {

constexpr double MmPerPoint = 25.4 / 72;

QSizeF pageMm(const ExportSettings& s)
{
    return s.pageLayout().fullRect(QPageLayout::Millimeter).size();
}

QString exportTo(const QString& file, const TestMaze& maze, const ExportSettings& s)
{
    const auto format = ExportEngine::formatOf(file);
    if (!format)
        return QStringLiteral("no format");
    const ExportEngine::Outcome o = ExportEngine::write({maze.board.get()}, s, *format, file);
    return o.ok() ? QString() : ExportEngine::failureMessage(o);
}

// Inside, give or take rounding: a maze may fill the printable area exactly.
bool within(const QRectF& outer, const QRectF& inner)
{
    return outer.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(inner);
}

// True when every pixel of `image` outside `inside` is white.
bool whiteOutside(const QImage& image, const QRect& inside)
{
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (!inside.contains(x, y) && qGray(image.pixel(x, y)) < 250)
                return false;
    return true;
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfPagesAndPaper();
    void pdfShowsTheBoard();
    void pdfWithoutTextHasNoFonts();
    void longTitlesStayOnThePage();
    void svgShowsTheBoardInOnePath();
    void svgHoldsNoCharacterXmlForbids();
    void pngSizeAndPicture();
    void wallThickness();
    void smallPagesStillHoldTheMaze();
    void severalMazesInOneExport();
    void refusedTargetsWriteNothing();
    void booksAreReplacedWholeOrNotAtAll();

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
};

void PrintTest::initTestCase()
{
    QVERIFY(dir_.isValid());
    for (const char* tool : {"pdfinfo", "pdffonts", "pdftoppm", "pdftotext"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 "poppler-utils missing: run scripts/deps.sh test");
}

void PrintTest::pdfPagesAndPaper()
{
    const auto maze = makeMaze(12, 9, 1);
    const struct {
        PageSet pages;
        QPageSize::PageSizeId paper;
        bool landscape;
        int count;
        QSizeF points;
    } table[] = {
        {PageSet::Both, QPageSize::A4, false, 2, {595, 842}},
        {PageSet::Puzzle, QPageSize::A4, true, 1, {842, 595}},
        {PageSet::Answer, QPageSize::JisB5, false, 1, {182 / MmPerPoint, 257 / MmPerPoint}},
        {PageSet::Both, QPageSize::JisB4, true, 2, {364 / MmPerPoint, 257 / MmPerPoint}},
        {PageSet::Puzzle, QPageSize::A3, false, 1, {842, 1191}},
        {PageSet::Puzzle, QPageSize::Letter, false, 1, {612, 792}},
        {PageSet::Puzzle, QPageSize::Legal, false, 1, {612, 1008}},
    };
    for (const auto& row : table) {
        ExportSettings s;
        s.pages = row.pages;
        s.paper = row.paper;
        s.landscape = row.landscape;
        const QString file = path(QStringLiteral("paper.pdf"));
        QCOMPARE(exportTo(file, *maze, s), QString());
        const PdfInfo info = pdfInfo(file);
        QCOMPARE(info.pages, row.count);
        QVERIFY2(qAbs(info.pointSize.width() - row.points.width()) < 1
                     && qAbs(info.pointSize.height() - row.points.height()) < 1,
                 qPrintable(paperName(row.paper)));
    }
}

void PrintTest::pdfShowsTheBoard()
{
    const auto maze = makeMaze(25, 18, 7);
    ExportSettings s;
    s.title = QStringLiteral("めいろ 第3回");
    s.nameLine = true;
    const QString file = path(QStringLiteral("board.pdf"));
    QCOMPARE(exportTo(file, *maze, s), QString());

    // Real text in an embedded Japanese font.
    const QStringList fonts = pdfFonts(file);
    QVERIFY2(!fonts.isEmpty(), "no fonts listed");
    for (const QString& font : fonts) {
        QVERIFY2(font.contains(QLatin1String("IPAPGothic")) || font.contains(QLatin1String("NotoSansCJK")),
                 qPrintable(font));
        QVERIFY2(font.endsWith(QLatin1String(" yes")), qPrintable(font + QStringLiteral(" is not embedded")));
    }
    const QString puzzleText = pdfText(file, 1);
    const QString answerText = pdfText(file, 2);
    for (const QString& expected : {s.title, QStringLiteral("スタート"), QStringLiteral("ゴール"), QStringLiteral("なまえ：")})
        QVERIFY2(puzzleText.contains(expected), qPrintable(expected));
    QVERIFY(!puzzleText.contains(QStringLiteral("（解答）")));
    QVERIFY(answerText.contains(s.title + QStringLiteral("（解答）")));

    // The layout: the maze and its labels centred across the page, as large
    // as the width allows, everything inside the margins.
    const MazeOutline outline = outlineOf(*maze->board);
    const PageLayout L = layoutPage(outline, s, pageMm(s));
    QVERIFY(qAbs(L.content.center().x() - 105) < 0.01);
    QVERIFY(qAbs(L.content.width() - L.printable.width()) < 0.01 || qAbs(L.content.bottom() - L.printable.bottom()) < 0.01);
    QVERIFY(within(L.printable, L.content));
    QVERIFY(within(L.printable, L.titleRect) && within(L.printable, L.nameTextRect));
    QVERIFY(L.titleRect.bottom() < L.content.top() && L.nameTextRect.bottom() < L.content.top());
    QCOMPARE(L.labels.size(), std::size_t(2));

    const int dpi = 100;
    const double px = dpi / 25.4;
    const GridPlace at{L.gridOrigin * px, L.cellMm * px};
    const QRect printable((L.printable.topLeft() * px).toPoint(), (L.printable.bottomRight() * px).toPoint());
    for (const int page : {1, 2}) {
        const QImage image = pdfPage(file, page, dpi, path(QStringLiteral("page")));
        QVERIFY(!image.isNull());
        QCOMPARE(compareWithBoard(image, *maze, at, page == 2), QString());
        QVERIFY2(whiteOutside(image, printable), "ink in the margins");
    }
}

void PrintTest::pdfWithoutTextHasNoFonts()
{
    const auto maze = makeMaze(8, 8, 3);
    ExportSettings s;
    s.labels = false;
    s.pages = PageSet::Puzzle;
    const QString file = path(QStringLiteral("plain.pdf"));
    QCOMPARE(exportTo(file, *maze, s), QString());
    QCOMPARE(pdfFonts(file), QStringList());
    QCOMPARE(pdfText(file, 1).trimmed(), QString());
}

void PrintTest::longTitlesStayOnThePage()
{
    const auto maze = makeMaze(10, 10, 5);
    const QString shrunk = QStringLiteral("とても長いタイトルの迷路").repeated(4);
    const QString elided = QStringLiteral("めいろ").repeated(200);
    for (const QString& title : {shrunk, elided}) {
        ExportSettings s;
        s.title = title;
        s.pages = PageSet::Puzzle;
        const QString file = path(QStringLiteral("title.pdf"));
        QCOMPARE(exportTo(file, *maze, s), QString());
        const QString text = pdfText(file, 1).simplified();
        if (title == shrunk)
            QVERIFY2(text.contains(title), "the title was cut although it fits when shrunk");
        else
            QVERIFY2(text.contains(QStringLiteral("…")) && text.size() < title.size(), "the title was not elided");

        const PageLayout L = layoutPage(outlineOf(*maze->board), s, pageMm(s));
        const int dpi = 100;
        const double px = dpi / 25.4;
        const QImage page = pdfPage(file, 1, dpi, path(QStringLiteral("title")));
        const QRect band((L.titleRect.topLeft() * px).toPoint(), (L.titleRect.bottomRight() * px).toPoint());
        int ink = 0;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                if (qGray(page.pixel(x, y)) > 128)
                    continue;
                ++ink;
                QVERIFY2(x >= band.left() - 1 && x <= band.right() + 1, "the title runs into the margin");
            }
        QVERIFY2(ink > 200, "no title printed");
    }
}

void PrintTest::svgShowsTheBoardInOnePath()
{
    const auto maze = makeMaze(25, 18, 11);
    const MazeOutline outline = outlineOf(*maze->board);
    ExportSettings s;
    s.title = QStringLiteral("<A & B>"); // characters XML reserves
    const QString file = path(QStringLiteral("maze.svg"));
    QCOMPARE(exportTo(file, *maze, s), QString());
    QVERIFY(QFile::exists(path(QStringLiteral("maze-answer.svg"))));

    const PageLayout L = MazePrint::pictureLayout(outline, s);
    const QRectF frame = MazePrint::pictureFrame(L);
    for (const bool answer : {false, true}) {
        const QString name = path(answer ? QStringLiteral("maze-answer.svg") : QStringLiteral("maze.svg"));
        QSvgRenderer svg(name);
        QVERIFY(svg.isValid());
        // One SVG unit is 0.1 mm; rendered at 0.4 pixels a unit.
        const double scale = 0.4;
        QImage image((svg.viewBoxF().size() * scale).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        const double pixels = double(image.width()) / svg.viewBoxF().width();
        const GridPlace at{(L.gridOrigin - frame.topLeft()) * 10 * pixels, L.cellMm * 10 * pixels};
        QCOMPARE(compareWithBoard(image, *maze, at, answer), QString());

        QFile f(name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        // Well-formed XML, with the title as it was typed.
        QXmlStreamReader xml(text);
        QString title;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("title"))
                title = xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(title, s.title);
        // It prints at its size.
        const auto width = QRegularExpression(QStringLiteral("<svg width=\"([\\d.]+)mm\"")).match(text);
        QVERIFY(width.hasMatch() && qAbs(width.captured(1).toDouble() - frame.width()) < 0.2);
        // The walls are one path of move-line pairs, one per wall run.
        int wallPaths = 0;
        for (const auto& m : QRegularExpression(QStringLiteral("<path [^>]*d=\"([^\"]*)\"")).globalMatch(text)) {
            if (m.captured(1).count(QLatin1Char('M')) == static_cast<qsizetype>(outline.walls.size()))
                ++wallPaths;
        }
        QCOMPARE(wallPaths, 1);
        QVERIFY2(text.count(QStringLiteral("<path")) + text.count(QStringLiteral("<polyline")) < 10,
                 "the walls are drawn piece by piece");
    }
}

// Control characters, U+FFFF and a lone surrogate half in the title: the
// file stays XML, the title keeps everything else.
void PrintTest::svgHoldsNoCharacterXmlForbids()
{
    const auto maze = makeMaze(6, 6, 10);
    ExportSettings s;
    s.title = QStringLiteral("A\x01" "B\x1F" "\tC") + QChar(0xFFFF) + QChar(0xD800) + QStringLiteral("D");
    const QString file = path(QStringLiteral("control.svg"));
    QCOMPARE(exportTo(file, *maze, s), QString());
    for (const QString& name : {file, path(QStringLiteral("control-answer.svg"))}) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QXmlStreamReader xml(bytes);
        QStringList texts;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
                texts << xml.text().toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(name + QLatin1Char(' ') + xml.errorString()));
        QVERIFY2(texts.contains(QStringLiteral("AB\tCD")), qPrintable(texts.join(QLatin1Char('|'))));
    }
}

void PrintTest::pngSizeAndPicture()
{
    const auto maze = makeMaze(20, 14, 13);
    const MazeOutline outline = outlineOf(*maze->board);
    ExportSettings s;
    s.pages = PageSet::Answer;
    const QRectF frame = MazePrint::pictureFrame(MazePrint::pictureLayout(outline, s));
    QSize previous;
    for (const int dpi : {150, 300}) {
        s.dpi = dpi;
        const QString file = path(QStringLiteral("maze%1.png").arg(dpi));
        QCOMPARE(exportTo(file, *maze, s), QString());
        QVERIFY2(!QFile::exists(path(QStringLiteral("maze%1-answer.png").arg(dpi))), "answer only is one file");
        const QImage image(file);
        const double px = dpi / 25.4;
        QCOMPARE(image.size(), QSize(qRound(frame.width() * px), qRound(frame.height() * px)));
        // It prints at its size: the file says how many dots an inch.
        QVERIFY(qAbs(image.dotsPerMeterX() * 0.0254 - dpi) < 1);
        if (previous.isValid())
            QVERIFY(qAbs(image.width() - 2 * previous.width()) <= 1);
        previous = image.size();
        const PageLayout L = MazePrint::pictureLayout(outline, s);
        QCOMPARE(compareWithBoard(image.convertToFormat(QImage::Format_RGB32), *maze,
                                  {(L.gridOrigin - frame.topLeft()) * px, L.cellMm * px}, true),
                 QString());
    }
}

void PrintTest::wallThickness()
{
    // What the layout takes, for settings and cells of every kind.
    const struct {
        double setting;
        double cell;
        double wall;
    } table[] = {
        {0, 8, 1.0},    // automatic: an eighth of a cell
        {0, 1.2, 0.25}, // ... at least 0.25 mm
        {0, 0.3, 0.15}, // ... yet never more than half a cell
        {0, 40, 3.0},   // ... nor more than 3 mm
        {10, 36, 3.0},  // too thick: clamped
        {0.01, 5, 0.1}, // too thin: clamped
        {2, 1, 0.5},    // half a cell at most
    };
    for (const auto& row : table)
        QCOMPARE(::wallThickness(row.setting, row.cell), row.wall);

    // And what a picture shows: the left outer wall measured across.
    const auto maze = makeMaze(5, 5, 2);
    const MazeOutline outline = outlineOf(*maze->board);
    ExportSettings s;
    s.pages = PageSet::Puzzle;
    s.labels = false;
    s.wallMm = 10;
    const int dpi = 200;
    const double px = dpi / 25.4;
    const PageLayout L = MazePrint::pictureLayout(outline, s);
    QCOMPARE(L.wallMm, 3.0);
    const QImage image = MazePrint::renderPicture(outline, PageKind::Puzzle, s, dpi);
    const QPointF origin = (L.gridOrigin - MazePrint::pictureFrame(L).topLeft()) * px;
    for (int row = 0; row < 5; ++row) {
        if (maze->board->getMazeV(0, row) == 1)
            continue;
        const int y = qRound(origin.y() + (row + 0.5) * L.cellMm * px);
        int dark = 0;
        for (int x = 0; x < qRound(origin.x() + L.cellMm * px / 2); ++x)
            dark += isDark(image.pixel(x, y));
        QVERIFY2(qAbs(dark - 3.0 * px) <= 2, qPrintable(QString::number(dark)));
    }
}

void PrintTest::smallPagesStillHoldTheMaze()
{
    const auto maze = makeMaze(100, 100, 17);
    const MazeOutline outline = outlineOf(*maze->board);
    ExportSettings s;
    s.paper = QPageSize::JisB5;
    s.marginMm = 50;
    s.title = QStringLiteral("小さな紙");
    s.nameLine = true;
    const PageLayout L = layoutPage(outline, s, pageMm(s));
    QVERIFY(L.cellMm > 0.3 && L.cellMm < SmallCellMm);
    QVERIFY(within(L.printable, L.content));
    QVERIFY(L.wallMm <= L.cellMm / 2);
    // Margins wider than the paper leave room all the same.
    s.marginMm = 1000;
    s.paper = QPageSize::A4;
    const PageLayout tiny = layoutPage(outline, s, pageMm(s));
    QVERIFY(tiny.printable.width() >= 20 - 1e-9 && tiny.cellMm > 0);
}

void PrintTest::severalMazesInOneExport()
{
    const auto first = makeMaze(10, 8, 21);
    const auto second = makeMaze(14, 6, 22);
    const std::vector<const MazeBoard*> boards{first->board.get(), second->board.get()};
    ExportSettings s;
    s.title = QStringLiteral("本");
    const QString pdf = path(QStringLiteral("book.pdf"));
    QVERIFY(ExportEngine::write(boards, s, ExportEngine::Format::Pdf, pdf).ok());
    QCOMPARE(pdfInfo(pdf).pages, 4);
    // Puzzles first, then the answers, each maze in its order.
    for (const int page : {1, 2})
        QVERIFY(!pdfText(pdf, page).contains(QStringLiteral("（解答）")));
    for (const int page : {3, 4})
        QVERIFY(pdfText(pdf, page).contains(QStringLiteral("本（解答）")));
    const QSizeF a4(210, 297);
    const PageLayout L = layoutPage(outlineOf(*second->board), s, a4);
    const double px = 60 / 25.4;
    QCOMPARE(compareWithBoard(pdfPage(pdf, 4, 60, path(QStringLiteral("book"))), *second,
                              {L.gridOrigin * px, L.cellMm * px}, true),
             QString());

    const QString svg = path(QStringLiteral("book.svg"));
    const QStringList names = ExportEngine::targetFiles(svg, ExportEngine::Format::Svg, 2, PageSet::Both);
    QCOMPARE(names, (QStringList{path(QStringLiteral("book-001.svg")), path(QStringLiteral("book-001-answer.svg")),
                                 path(QStringLiteral("book-002.svg")), path(QStringLiteral("book-002-answer.svg"))}));
    QCOMPARE(ExportEngine::targetFiles(svg, ExportEngine::Format::Png, 1000, PageSet::Puzzle).constLast(),
             path(QStringLiteral("book-1000.svg")));
    QCOMPARE(ExportEngine::targetFiles(svg, ExportEngine::Format::Png, 1000, PageSet::Puzzle).constFirst(),
             path(QStringLiteral("book-0001.svg")));
    QVERIFY(ExportEngine::write(boards, s, ExportEngine::Format::Svg, svg).ok());
    for (const QString& name : names)
        QVERIFY2(QSvgRenderer(name).isValid(), qPrintable(name));
}

void PrintTest::refusedTargetsWriteNothing()
{
    const auto maze = makeMaze(6, 6, 4);
    // The answer's name is taken by a folder: neither file is written.
    QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("pair-answer.svg")));
    ExportEngine::Outcome o = ExportEngine::write({maze->board.get()}, {}, ExportEngine::Format::Svg,
                                                  path(QStringLiteral("pair.svg")));
    QCOMPARE(o.result, BitmapExport::Result::CannotCreate);
    QCOMPARE(o.file, path(QStringLiteral("pair-answer.svg")));
    QCOMPARE(ExportEngine::failureMessage(o),
             QStringLiteral("ファイル %1 を作成できません").arg(path(QStringLiteral("pair-answer.svg"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("pair.svg"))));

    // A FIFO is refused without being opened (which would wait for a reader).
    const QString fifo = path(QStringLiteral("fifo.pdf"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(ExportEngine::write({maze->board.get()}, {}, ExportEngine::Format::Pdf, fifo).result,
             BitmapExport::Result::CannotCreate);
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());

    // A folder that does not exist.
    o = ExportEngine::write({maze->board.get()}, {}, ExportEngine::Format::Png, path(QStringLiteral("no/such.png")));
    QCOMPARE(o.result, BitmapExport::Result::CannotCreate);

    // An old file is replaced as a whole.
    const QString old = path(QStringLiteral("old.pdf"));
    QFile f(old);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100000, 'x'));
    f.close();
    QVERIFY(ExportEngine::write({maze->board.get()}, {}, ExportEngine::Format::Pdf, old).ok());
    QCOMPARE(pdfInfo(old).pages, 2);
}

// A book whose first file was made a link to its last, and a book another
// writer is staging: refused before any file is replaced. A book written
// whole takes away what killed writers left in its folder.
void PrintTest::booksAreReplacedWholeOrNotAtAll()
{
    const auto maze = makeMaze(6, 6, 10);
    const QString book = path(QStringLiteral("bk.svg"));
    const QStringList files = ExportEngine::targetFiles(book, ExportEngine::Format::Svg, 3, PageSet::Both, true);
    const auto writer = [&](const char* title) {
        ExportSettings s;
        s.title = QString::fromLatin1(title);
        auto w = std::make_unique<ExportEngine::Writer>(s, ExportEngine::Format::Svg, book, 3, true);
        for (int i = 0; i < 3; ++i)
            w->add(*maze->board);
        return w;
    };
    const auto contents = [&] {
        QList<QByteArray> all;
        for (const QString& file : files) {
            QFile f(file);
            all << (f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
        }
        return all;
    };
    const auto hidden = [&] { return QDir(dir_.path()).entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden); };
    QVERIFY(writer("first")->finish().ok());

    QVERIFY(QFile::remove(files.first()) && QFile::link(QFileInfo(files.last()).fileName(), files.first()));
    const QList<QByteArray> linked = contents();
    ExportEngine::Outcome o = writer("second")->finish();
    QCOMPARE(int(o.result), int(BitmapExport::Result::SameFile));
    QCOMPARE(o.file, files.last());
    QCOMPARE(contents(), linked);
    QVERIFY(hidden().isEmpty());
    QVERIFY(QFile::remove(files.first()));

    const auto first = writer("first");
    const auto other = writer("other");
    o = other->finish();
    QCOMPARE(int(o.result), int(BitmapExport::Result::Busy));
    QCOMPARE(ExportEngine::failureMessage(o), QStringLiteral("ほかのプログラムが %1 を書き出しています").arg(files.first()));
    QVERIFY(first->finish().ok());
    for (const QByteArray& content : contents())
        QVERIFY(content.contains("first") && !content.contains("other"));

    // Left by writers that were killed: of this book, of another, and a
    // file of another program's that is no export.
    const QStringList left = {QStringLiteral(".bk-002.svg.12-0.tmp"), QStringLiteral(".picture.png.34-1.tmp"),
                              QStringLiteral(".notes.txt.56-0.tmp")};
    for (const QString& name : left) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(writer("third")->finish().ok());
    QCOMPARE(hidden(), QStringList{left.last()});
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
