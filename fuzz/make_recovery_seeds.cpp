// Writes the starting corpus of the recovery-copy fuzzer into the folder
// given as the only argument: copies as the program writes them (drawing,
// made maze, figures, prompts of every kind, names), and damaged ones.

#include "Recovery.h"
#include "maze_board.h"
#include "maze_random.h"
#include "test_support.h"

#include <QFile>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

void write(const std::filesystem::path& folder, const std::string& name, const QByteArray& bytes)
{
    QFile file(QString::fromStdString((folder / name).string()));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "make_recovery_seeds: cannot write %s\n", name.c_str());
}

RecoveredDocument copyOf(MazeBoard& board)
{
    RecoveredDocument d;
    const std::vector<std::uint8_t> maze = board.toFileBytes();
    d.maze = QByteArray(reinterpret_cast<const char*>(maze.data()), qsizetype(maze.size()));
    d.pathCells = QByteArray(qsizetype(board.getWidth()) * board.getHeight(), '\0');
    for (int y = 0; y < board.getHeight(); ++y)
        for (int x = 0; x < board.getWidth(); ++x)
            d.pathCells[y * board.getWidth() + x] = char(board.getPathCell(x, y));
    return d;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_recovery_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    RandomSource random;

    MazeBoard drawing(random);
    (void)drawing.resize(7, 5);
    testing_support::drawKeys(drawing, -1, 2, "RRDRR");
    RecoveredDocument d = copyOf(drawing);
    d.prompt = Prompt::UseCursorKeys;
    d.fileName = QStringLiteral("/home/user/めいろ.maz");
    write(folder, "drawing", d.encode());

    MazeBoard made(random);
    (void)made.resize(12, 9);
    testing_support::drawKeys(made, -1, 4, std::string(13, 'R'));
    made.makeMaze();
    d = copyOf(made);
    d.prompt = Prompt::Other;
    d.otherPrompt = QStringLiteral("a prompt of no known kind");
    d.figures = MazeFigures{{11, 4, 3}, 12345u, std::nullopt};
    d.seedShown = 12345;
    d.randomState = 987654321;
    d.mazeMode = 1;
    d.canMakeMaze = d.mazeMade = true;
    d.showAnswer = false;
    d.transparentMode = true;
    const QByteArray good = d.encode();
    write(folder, "made", good);

    write(folder, "empty", {});
    write(folder, "cut", good.left(good.size() / 2));
    write(folder, "trailing", good + QByteArray("\0\1", 2));
    write(folder, "magic-only", good.left(24));
    QByteArray version = good;
    version[22] = char(version[22] + 1); // the format version after the magic's length and bytes
    write(folder, "other-version", version);
    return 0;
}
