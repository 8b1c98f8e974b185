// The two pictures of a board, drawn through the Qt canvas into real images
// and checked pixel by pixel.

#include "QtCanvas.h"
#include "maze_board.h"
#include "maze_random.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <functional>
#include <set>

namespace {

const QRgb Unpainted = qRgb(1, 2, 3);
const QRgb Silver = qRgb(192, 192, 192);
const QRgb White = qRgb(255, 255, 255);
const QRgb Grey = qRgb(128, 128, 128);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Yellow = qRgb(255, 255, 0);

enum class View { Editing, Maze };

QImage render(const MazeBoard& board, View view)
{
    int w = 0, h = 0;
    board.getImageSize(w, h);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Unpainted);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    if (view == View::Maze) {
        board.drawMaze(canvas);
    } else {
        board.drawGrid(canvas);
        board.drawPath(canvas);
    }
    return image;
}

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

std::set<std::pair<int, int>> pixelsOf(const QImage& image, QRgb colour)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(image, x, y) == colour)
                out.insert({x, y});
    return out;
}

void step(MazeBoard& b, char key)
{
    const int x = b.curX, y = b.curY;
    if (key == 'R') b.setPathV(x + 1, y, 1);
    if (key == 'L') b.setPathV(x, y, 1);
    if (key == 'D') b.setPathH(x, y + 1, 1);
    if (key == 'U') b.setPathH(x, y, 1);
    b.setPathCell(x, y, 1);
    b.curX += (key == 'R') - (key == 'L');
    b.curY += (key == 'D') - (key == 'U');
}

void draw(MazeBoard& b, int sx, int sy, const char* keys)
{
    b.startX = sx;
    b.startY = sy;
    b.clearPath();
    for (; *keys; ++keys)
        step(b, *keys);
}

} // namespace

class PictureTest : public QObject {
    Q_OBJECT

private slots:
    void canvasFollowsTheBoardsPixelRules();
    void geometryOfBothPictures_data();
    void geometryOfBothPictures();
    void pathSegmentsFollowTheGridLines_data();
    void pathSegmentsFollowTheGridLines();
    void wallsOfAMadeMaze();
    void answerIsRedUnderTheWalls();
    void transparentModeColoursOnlyTheEditingView();
    void markersOnAFreshBoardAndAfterSteps();
    void everyCellLineOfNarrowAndWideBoards();
};

void PictureTest::canvasFollowsTheBoardsPixelRules()
{
    QCOMPARE(QtCanvas::toQColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(QtCanvas::toQColor(0xFF0000), QColor(0, 0, 255));
    QCOMPARE(QtCanvas::toQColor(0x00FFFF), QColor(255, 255, 0));
    QCOMPARE(QtCanvas::toQColor(0x123456), QColor(0x56, 0x34, 0x12));

    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Unpainted);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setPenColor(0x0000FF);
        canvas.setBrushColor(0xFF0000);
        canvas.fillRect(2, 3, 5, 4); // x 2..4, y 3
        canvas.fillRect(9, 9, 9, 12); // empty
        canvas.moveTo(10, 1);
        canvas.lineTo(14, 1); // right: 10..13
        canvas.lineTo(14, 5); // down: y 1..4 at x 14
        canvas.moveTo(6, 10);
        canvas.lineTo(2, 10); // left: 6..3
        canvas.moveTo(1, 18);
        canvas.lineTo(1, 14); // up: 18..15
    }
    const auto blue = pixelsOf(image, Blue);
    QCOMPARE(blue, (std::set<std::pair<int, int>>{{2, 3}, {3, 3}, {4, 3}}));
    std::set<std::pair<int, int>> red;
    for (int x = 10; x <= 13; ++x) red.insert({x, 1});
    for (int y = 1; y <= 4; ++y) red.insert({14, y});
    for (int x = 3; x <= 6; ++x) red.insert({x, 10});
    for (int y = 15; y <= 18; ++y) red.insert({1, y});
    QCOMPARE(pixelsOf(image, Red), red);

    // An ellipse stays inside its box, right and bottom exclusive, outlined
    // with the pen and filled with the brush.
    for (const int side : {3, 4, 5, 10, 20}) {
        QImage disc(30, 30, QImage::Format_RGB32);
        disc.fill(Unpainted);
        {
            QPainter painter(&disc);
            QtCanvas canvas(painter);
            canvas.setPenColor(0x0000FF);
            canvas.setBrushColor(0xFF0000);
            canvas.ellipse(4, 5, 4 + side, 5 + side);
        }
        int inside = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x)
                if (at(disc, x, y) != Unpainted) {
                    QVERIFY2(x >= 4 && x < 4 + side && y >= 5 && y < 5 + side, qPrintable(QString::number(side)));
                    ++inside;
                }
        QVERIFY(at(disc, 4 + side / 2, 5 + side / 2) != Unpainted);
        QVERIFY(inside >= side * side / 2);
        if (side >= 5)
            QCOMPARE(at(disc, 4, 5), Unpainted); // the box's corner is outside the disc
        if (side >= 10)
            QCOMPARE(at(disc, 4 + side / 2, 5 + side / 2), Blue); // filled with the brush
        QVERIFY(at(disc, 4 + side / 2, 5) == Red || side < 4); // outlined with the pen
    }
}

void PictureTest::geometryOfBothPictures_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("view");
    for (const int view : {0, 1}) {
        const char* name = view ? "maze" : "editing";
        QTest::addRow("40x40 g10 %s", name) << 40 << 40 << 10 << view;
        QTest::addRow("5x5 g3 %s", name) << 5 << 5 << 3 << view;
        QTest::addRow("7x4 g4 %s", name) << 7 << 4 << 4 << view;
        QTest::addRow("3x9 g20 %s", name) << 3 << 9 << 20 << view;
    }
}

void PictureTest::geometryOfBothPictures()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, grid);
    QFETCH(int, view);
    RandomSource random;
    MazeBoard board(random);
    QVERIFY(board.resize(width, height));
    board.setGridSize(grid);
    board.startX = width; // markers out of the way, on the bottom-right corner
    board.startY = height;
    board.clearPath();
    const QImage image = render(board, view ? View::Maze : View::Editing);
    QCOMPARE(image.size(), QSize(width * grid + 2 * grid, height * grid + 2 * grid));
    QVERIFY(pixelsOf(image, Unpainted).empty());

    // The border ring is one cell wide and silver; the bottom and right grid
    // lines run along its inner edge.
    for (int x = 0; x < image.width() - grid; ++x) { // the bottom-right cell carries the markers
        for (int y = 0; y < grid; ++y)
            QCOMPARE(at(image, x, y), Silver);
        for (int y = image.height() - grid + 1; y < image.height(); ++y)
            QCOMPARE(at(image, x, y), Silver);
    }
    for (int y = 0; y < image.height() - grid; ++y) {
        for (int x = 0; x < grid; ++x)
            QCOMPARE(at(image, x, y), Silver);
        for (int x = image.width() - grid + 1; x < image.width(); ++x)
            QCOMPARE(at(image, x, y), Silver);
    }
    // Every cell is a g x g square: grey on its top and left line, white inside.
    for (int cy = 0; cy < height; ++cy) {
        for (int cx = 0; cx < width; ++cx) {
            const int left = grid + cx * grid;
            const int top = grid + cy * grid;
            QCOMPARE(at(image, left, top), Grey);
            QCOMPARE(at(image, left + grid / 2, top), Grey);
            QCOMPARE(at(image, left, top + grid - 1), Grey);
            for (int y = top + 1; y < top + grid; ++y)
                for (int x = left + 1; x < left + grid; ++x)
                    QCOMPARE(at(image, x, y), White);
        }
    }
}

void PictureTest::pathSegmentsFollowTheGridLines_data()
{
    QTest::addColumn<int>("grid");
    QTest::newRow("g3 half 1") << 3;
    QTest::newRow("g4 half 2") << 4;
    QTest::newRow("g5 half 2") << 5;
    QTest::newRow("g10 half 5") << 10;
    QTest::newRow("g20 half 10") << 20;
}

void PictureTest::pathSegmentsFollowTheGridLines()
{
    QFETCH(int, grid);
    RandomSource random;
    MazeBoard board(random);
    QVERIFY(board.resize(6, 5));
    board.setGridSize(grid);
    board.startX = 6; // markers on the bottom-right ring corner
    board.startY = 5;
    board.clearPath();
    // One horizontal segment across vertical line 2 in row 1, one vertical
    // segment across horizontal line 3 in column 4.
    board.setPathV(2, 1, 1);
    board.setPathH(4, 3, 1);
    const QImage image = render(board, View::Editing);
    const int g = grid, m = grid, half = grid / 2;
    std::set<std::pair<int, int>> expected;
    for (int x = m + 2 * g - half; x < m + 2 * g - half + g; ++x)
        expected.insert({x, m + 1 * g + half});
    for (int y = m + 3 * g - half; y < m + 3 * g - half + g; ++y)
        expected.insert({m + 4 * g + half, y});
    std::set<std::pair<int, int>> red;
    const QRect markerCell(m + 6 * g, m + 5 * g, g, g);
    for (const auto& p : pixelsOf(image, Red))
        if (!markerCell.contains(p.first, p.second))
            red.insert(p);
    QCOMPARE(red, expected);
    if (grid == 3) {
        // The worked case: x = mx + 3i - 1 ... mx + 3i + 1 at y = my + 3j + 1.
        for (int x = m + 6 - 1; x <= m + 6 + 1; ++x)
            QVERIFY(red.count({x, m + 3 + 1}));
        QCOMPARE(red.size(), std::size_t(6));
    }
}

void PictureTest::wallsOfAMadeMaze()
{
    for (const int grid : {3, 4, 7, 10}) {
        RandomSource random;
        MazeBoard board(random);
        QVERIFY(board.resize(12, 9));
        board.setGridSize(grid);
        draw(board, -1, 4, "RRRRDDRRRUUURRRRRR");
        board.makeMaze();
        board.showAnswer = false;
        const QImage image = render(board, View::Maze);
        const int g = grid, m = grid;
        QCOMPARE(at(image, m + 12 * g, m + 9 * g), Silver); // the far end of the last wall run
        for (int j = 0; j < 9; ++j) {
            for (int i = 0; i <= 12; ++i) {
                const int x = m + i * g;
                if (board.getMazeV(i, j) == 1) {
                    for (int y = m + j * g + 1; y < m + j * g + g; ++y)
                        QVERIFY2(at(image, x, y) != Grey, "open vertical edge");
                } else {
                    for (int y = m + j * g; y < m + j * g + g; ++y)
                        QCOMPARE(at(image, x, y), Grey);
                }
            }
        }
        for (int i = 0; i < 12; ++i) {
            for (int j = 0; j <= 9; ++j) {
                const int y = m + j * g;
                if (board.getMazeH(i, j) == 1) {
                    for (int x = m + i * g + 1; x < m + i * g + g; ++x)
                        QVERIFY2(at(image, x, y) != Grey, "open horizontal edge");
                } else {
                    for (int x = m + i * g; x < m + i * g + g; ++x)
                        QCOMPARE(at(image, x, y), Grey);
                }
            }
        }
        QVERIFY(pixelsOf(image, Red).empty());
    }
}

void PictureTest::answerIsRedUnderTheWalls()
{
    RandomSource random;
    MazeBoard board(random);
    QVERIFY(board.resize(8, 6));
    board.setGridSize(10);
    draw(board, 2, -1, "DDDRRRUURRR");
    board.makeMaze();
    const QImage image = render(board, View::Maze);
    const int g = 10, m = 10;
    // Cells of the path, with the two border cells at its ends.
    const std::vector<std::pair<int, int>> cells = {{2, -1}, {2, 0}, {2, 1}, {2, 2}, {3, 2}, {4, 2},
        {5, 2}, {5, 1}, {5, 0}, {6, 0}, {7, 0}, {8, 0}};
    std::set<std::pair<int, int>> pathCells(cells.begin(), cells.end());
    for (int cy = -1; cy <= 6; ++cy) {
        for (int cx = -1; cx <= 8; ++cx) {
            const int x = m + cx * g + g / 2;
            const int y = m + cy * g + g / 2;
            const QRgb expected = pathCells.count({cx, cy}) ? Red
                : (cx < 0 || cy < 0 || cx >= 8 || cy >= 6) ? Silver
                                                           : White;
            QCOMPARE(at(image, x, y), expected);
        }
    }
    // The walls stay grey over the red: the outer wall above path cell (5, 0).
    QCOMPARE(board.getMazeH(5, 0), 0);
    QCOMPARE(at(image, m + 5 * g + 5, m), Grey);
    QCOMPARE(at(image, m + 5 * g + 5, m + 1), Red);
    QCOMPARE(at(image, m + 5 * g + 5, m - 1), Silver);

    board.showAnswer = false;
    QVERIFY(pixelsOf(render(board, View::Maze), Red).empty());
}

void PictureTest::transparentModeColoursOnlyTheEditingView()
{
    RandomSource random;
    MazeBoard board(random);
    QVERIFY(board.resize(6, 4));
    board.setGridSize(10);
    board.transparentMode = true;
    board.startX = 6;
    board.startY = 4;
    board.clearPath();
    const QImage editing = render(board, View::Editing);
    for (int cy = 0; cy < 4; ++cy)
        for (int cx = 0; cx < 6; ++cx)
            for (int y = 11 + cy * 10; y < 20 + cy * 10; ++y)
                for (int x = 11 + cx * 10; x < 20 + cx * 10; ++x)
                    QCOMPARE(at(editing, x, y), Yellow);
    QCOMPARE(pixelsOf(editing, Yellow).size(), std::size_t(6 * 4 * 81));
    QVERIFY(pixelsOf(render(board, View::Maze), Yellow).empty());
    QCOMPARE(at(render(board, View::Maze), 15, 15), White);
}

void PictureTest::markersOnAFreshBoardAndAfterSteps()
{
    RandomSource random;
    MazeBoard board(random);
    QImage fresh = render(board, View::Editing);
    QCOMPARE(at(fresh, 5, 15), Blue); // centre of ring cell (-1, 0)
    QVERIFY(pixelsOf(fresh, Red).empty());
    for (const auto& [x, y] : pixelsOf(fresh, Blue))
        QVERIFY(x < 10 && y >= 10 && y < 20);

    step(board, 'R');
    step(board, 'R');
    step(board, 'D');
    const QImage drawn = render(board, View::Editing);
    QCOMPARE(at(drawn, 5, 15), Red);   // the start marker, no longer covered
    QCOMPARE(at(drawn, 25, 25), Blue); // the head on cell (1, 1)
    for (const auto& [x, y] : pixelsOf(drawn, Blue))
        QVERIFY(x >= 20 && x < 30 && y >= 20 && y < 30);
}

void PictureTest::everyCellLineOfNarrowAndWideBoards()
{
    for (const auto& [w, h] : {std::pair{5, 30}, std::pair{30, 5}}) {
        RandomSource random;
        MazeBoard board(random);
        QVERIFY(board.resize(w, h));
        board.setGridSize(6);
        board.startX = w;
        board.startY = -1;
        board.clearPath();
        const QImage image = render(board, View::Editing);
        int horizontalLines = 0;
        for (int y = 0; y < image.height(); ++y) {
            bool full = true;
            for (int x = 6; x < 6 + w * 6; ++x)
                full = full && at(image, x, y) == Grey;
            horizontalLines += full;
        }
        QCOMPARE(horizontalLines, h + 1);
        int verticalLines = 0;
        for (int x = 0; x < image.width(); ++x) {
            bool full = true;
            for (int y = 6; y < 6 + h * 6; ++y)
                full = full && at(image, x, y) == Grey;
            verticalLines += full;
        }
        QCOMPARE(verticalLines, w + 1);
    }
}

QTEST_MAIN(PictureTest)
#include "picture_test.moc"
