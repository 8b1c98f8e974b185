// libFuzzer harness for the recovery-copy reader: any bytes are either
// refused or give a document the window can take as it is, whose texts stay
// within their bounds, and which reads back the same from its own encoding.

#include "Recovery.h"
#include "maze_board.h"
#include "maze_random.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<RecoveredDocument> document = RecoveredDocument::decode(bytes);
    if (!document)
        return 0;
    static RandomSource random;
    MazeBoard board(random);
    if (!document->readBoard(board))
        std::abort();
    const int W = board.getWidth(), H = board.getHeight();
    if (document->pathCells.size() != qsizetype(W) * H || qsizetype(board.toFileBytes().size()) != document->maze.size())
        std::abort();
    for (const auto& [x, y] : {std::pair{board.startX, board.startY}, std::pair{board.curX, board.curY}})
        if (x < -1 || y < -1 || x > W || y > H)
            std::abort();
    if (document->fileName.size() > 8192 || document->otherPrompt.size() > 8192)
        std::abort();
    if (RecoveredDocument::decode(document->encode()) != document)
        std::abort();
    return 0;
}
