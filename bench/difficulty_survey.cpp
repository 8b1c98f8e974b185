// The measurements behind the difficulty grades: the figure of mazes in each
// style on square boards, around random drawn paths at least one and a half
// board widths long. Prints the 10th, 50th and 90th percentile per style and
// size. Run by hand; the bands in maze_difficulty.h were read from it.

#include "maze_board.h"
#include "maze_difficulty.h"
#include "maze_random.h"
#include "test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace testing_support;

int main(int argc, char** argv)
{
    const int mazes = argc > 1 ? std::atoi(argv[1]) : 150;
    std::mt19937 rng(5);
    std::printf("side  answer  style        p10    p50    p90\n");
    for (const int side : {5, 8, 10, 12, 14, 15, 16, 20, 25, 26, 27, 28, 30, 40, 60, 100}) {
        RandomSource random;
        MazeBoard board(random);
        (void)board.resize(side, side);
        std::vector<int> figures[4];
        double answer = 0;
        for (int i = 0; i < mazes; ++i) {
            std::vector<Cell> path;
            do
                path = drawRandomPath(board, rng);
            while (static_cast<int>(path.size()) - 2 < 3 * side / 2);
            answer += double(path.size() - 2) / mazes;
            for (const MazeStyle style : AllMazeStyles) {
                board.setStyle(style);
                board.makeMaze();
                figures[static_cast<int>(style)].push_back(measureDifficulty(board)->figure);
            }
        }
        for (const MazeStyle style : AllMazeStyles) {
            std::vector<int>& f = figures[static_cast<int>(style)];
            std::sort(f.begin(), f.end());
            std::printf("%4d  %6.0f  %-10s %6d %6d %6d\n", side, answer, std::string(styleName(style)).c_str(),
                        f[f.size() / 10], f[f.size() / 2], f[f.size() * 9 / 10]);
        }
    }
}
