// The first maze a fresh program makes, end to end: New 5 x 5, a click on the
// border at row 2, six times cursor right, F5. The program's one random
// source starts its sequence here, so the maze is the known one.

#include "Application.h"
#include "window_harness.h"

#include <set>

class FirstMazeTest : public QObject {
    Q_OBJECT

private slots:
    void workedExampleFromAFreshStart()
    {
        WindowHarness h;
        h.newBoard(5, 5, 10);
        h.clickCell(-1, 2);
        h.pressKeys("RRRRRR");
        QVERIFY(h.window->canMakeMaze());
        h.press(Qt::Key_F5);
        const MazeBoard& b = h.window->board();
        const std::set<std::pair<int, int>> openV = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {3, 1}, {0, 2}, {1, 2},
            {2, 2}, {3, 2}, {4, 2}, {5, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {1, 4}, {3, 4}, {4, 4}};
        const std::set<std::pair<int, int>> openH = {
            {0, 1}, {1, 1}, {2, 1}, {0, 2}, {4, 2}, {3, 3}, {1, 4}, {4, 4}};
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x <= 5; ++x)
                QCOMPARE(b.getMazeV(x, y), openV.count({x, y}) ? 1 : 0);
        for (int y = 0; y <= 5; ++y)
            for (int x = 0; x < 5; ++x)
                QCOMPARE(b.getMazeH(x, y), openH.count({x, y}) ? 1 : 0);
    }
};

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    FirstMazeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "first_maze_test.moc"
