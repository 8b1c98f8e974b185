#pragma once

// Shared by the printing tests: boards with a long answer, the poppler tools
// as independent readers of our PDF files, and a check that a picture shows
// exactly the board's maze, sampled edge by edge from the board itself.

#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtMath>

#include <memory>
#include <random>

namespace print_support {

using testing_support::Cell;

struct TestMaze {
    RandomSource random;
    std::unique_ptr<MazeBoard> board = std::make_unique<MazeBoard>(random);
    std::vector<Cell> path; // ring cell, grid cells ..., ring cell
};

// A made maze whose answer crosses a good share of the cells, so that
// the answer sampling means something.
inline std::unique_ptr<TestMaze> makeMaze(int width, int height, unsigned seed)
{
    auto maze = std::make_unique<TestMaze>();
    (void)maze->board->resize(width, height);
    std::mt19937 rng(seed);
    do
        maze->path = testing_support::drawRandomPath(*maze->board, rng);
    while (maze->path.size() < static_cast<std::size_t>(std::min(width * height / 4, 60) + 2));
    maze->board->makeMaze();
    return maze;
}

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// A tool run to its end; a missing tool is a failed run that says so.
inline Run runTool(const QString& program, const QStringList& args, const QByteArray& environmentPlatform = {})
{
    Run r;
    const QString path = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        r.err = program + QStringLiteral(" not found: run scripts/deps.sh test");
        return r;
    }
    QProcess p;
    if (!environmentPlatform.isNull()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (environmentPlatform.isEmpty())
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        else
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(environmentPlatform));
        p.setProcessEnvironment(env);
    }
    p.start(path, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.err = program + QStringLiteral(" did not finish");
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err += QString::fromUtf8(p.readAllStandardError());
    return r;
}

struct PdfInfo {
    int pages = 0;
    QSizeF pointSize;
};

inline PdfInfo pdfInfo(const QString& file)
{
    const Run r = runTool(QStringLiteral("pdfinfo"), {file});
    PdfInfo info;
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(r.out);
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(r.out);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    if (size.hasMatch())
        info.pointSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return info;
}

// The fonts pdffonts lists, one line each: "name embedded(yes/no)".
inline QStringList pdfFonts(const QString& file)
{
    const Run r = runTool(QStringLiteral("pdffonts"), {file});
    QStringList fonts;
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // name, type words..., encoding, emb, sub, uni, object, generation
    static const QRegularExpression row(QStringLiteral("^(\\S+)\\s.*\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    for (const QString& line : lines) {
        const auto m = row.match(line);
        if (m.hasMatch())
            fonts << m.captured(1) + QLatin1Char(' ') + m.captured(2);
    }
    return fonts;
}

inline QString pdfText(const QString& file, int page)
{
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), file,
                    QStringLiteral("-")})
        .out;
}

// One page rasterised by pdftoppm at `dpi`.
inline QImage pdfPage(const QString& file, int page, int dpi, const QString& scratchPrefix)
{
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                         QString::number(page), QStringLiteral("-l"), QString::number(page),
                                         QStringLiteral("-singlefile"), QStringLiteral("-png"), file, scratchPrefix});
    return QImage(scratchPrefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

inline bool isDark(QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}) < 110; }
inline bool isRed(QRgb c) { return qRed(c) > 160 && qGreen(c) < 90 && qBlue(c) < 90; }

// Where the grid lies in a picture: its top-left corner and a cell, in pixels.
struct GridPlace {
    QPointF origin;
    double cell;
};

// Empty when the picture shows the board: dark at the middle of every closed
// wall edge, not dark at every open one, and at every answer cell's centre
// red on the answer page and white-ish on the puzzle page.
inline QString compareWithBoard(const QImage& image, const TestMaze& maze, const GridPlace& at, bool answerPage)
{
    const MazeBoard& b = *maze.board;
    auto pixel = [&](double cx, double cy) {
        // The pixel that holds the point (pixel i covers i ... i+1).
        const QPoint p(qFloor(at.origin.x() + cx * at.cell), qFloor(at.origin.y() + cy * at.cell));
        return image.rect().contains(p) ? image.pixel(p) : qRgb(255, 255, 255);
    };
    auto check = [&](bool closed, double cx, double cy, const char* what) -> QString {
        const QRgb c = pixel(cx, cy);
        if (closed != isDark(c))
            return QStringLiteral("%1 edge at (%2, %3) should be %4").arg(QLatin1String(what)).arg(cx).arg(cy)
                .arg(closed ? QStringLiteral("a wall") : QStringLiteral("open"));
        return {};
    };
    // On a shape nothing is drawn between two outside cells, except in a
    // room the shape encloses and beside the path's ends, where the labels
    // and their arrows stand.
    const std::vector<std::uint8_t> holes = b.shape().holeCells();
    auto labelled = [&](int x, int y) {
        if (b.isInside(x, y))
            return false;
        if (x >= 0 && y >= 0 && x < b.getWidth() && y < b.getHeight()
            && holes[static_cast<std::size_t>(y * b.getWidth() + x)])
            return true;
        return !maze.path.empty()
            && ((maze.path.front().x == x && maze.path.front().y == y) || (maze.path.back().x == x && maze.path.back().y == y));
    };
    auto edge = [&](int ax, int ay, int bx, int by, bool wall, double cx, double cy, const char* what) -> QString {
        if (!b.isShaped() || b.isInside(ax, ay) || b.isInside(bx, by))
            return check(wall, cx, cy, what);
        if (labelled(ax, ay) || labelled(bx, by))
            return {};
        return check(false, cx, cy, what);
    };
    for (int y = 0; y < b.getHeight(); ++y)
        for (int x = 0; x <= b.getWidth(); ++x)
            if (QString e = edge(x - 1, y, x, y, b.getMazeV(x, y) != 1, x, y + 0.5, "vertical"); !e.isEmpty())
                return e;
    for (int y = 0; y <= b.getHeight(); ++y)
        for (int x = 0; x < b.getWidth(); ++x)
            if (QString e = edge(x, y - 1, x, y, b.getMazeH(x, y) != 1, x + 0.5, y, "horizontal"); !e.isEmpty())
                return e;
    for (const Cell& c : maze.path) {
        // The outside cells at the ends hold the labels, not the answer.
        if (testing_support::onRing(b, c.x, c.y) || !b.isInside(c.x, c.y))
            continue;
        const QRgb colour = pixel(c.x + 0.5, c.y + 0.5);
        if (answerPage ? !isRed(colour) : qGray(colour) < 200)
            return QStringLiteral("answer cell (%1, %2) is #%3").arg(c.x).arg(c.y).arg(colour, 6, 16);
    }
    return {};
}

} // namespace print_support
