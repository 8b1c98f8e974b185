#include "atomic_write.h"
#include "file_kind.h"
#include "maze_board.h"
#include "maze_outline.h"
#include "maze_random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

Bytes le32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
}

// A file of the format, assembled by hand: header values and a body length.
Bytes mazeFile(std::int32_t w, std::int32_t h, std::int32_t grid, std::size_t bodyBytes, std::uint8_t fill = 0)
{
    Bytes out = {'M', 'A', 'Z', 'E'};
    for (const std::int32_t v : {w, h, 3, 4, 5, 6, grid}) {
        const Bytes b = le32(v);
        out.insert(out.end(), b.begin(), b.end());
    }
    out.insert(out.end(), bodyBytes, fill);
    return out;
}

std::size_t bodySize(std::size_t w, std::size_t h)
{
    return 2 * ((w + 1) * h + w * (h + 1));
}

struct FileTest : ::testing::Test {
    RandomSource random;
    MazeBoard board{random};
    fs::path dir;

    void SetUp() override
    {
        dir = fs::temp_directory_path()
            / ("zubelo-file-test-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        // Folders a test locked are opened again first, so that the whole
        // folder can be removed also by a user who is not root.
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            if (it->is_directory(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(dir, ec);
        atomicfile::setFaultHook(nullptr);
    }

    // A made maze with a path, so that every array holds something.
    void makeSample(int w, int h)
    {
        ASSERT_TRUE(board.resize(w, h));
        drawKeys(board, -1, h / 2, std::string(static_cast<std::size_t>(w + 1), 'R'));
        board.makeMaze();
    }

    std::vector<fs::path> filesInDir() const
    {
        std::vector<fs::path> out;
        for (const auto& entry : fs::directory_iterator(dir))
            out.push_back(entry.path().filename());
        return out;
    }
};

TEST_F(FileTest, LayoutSizesAndArrayOffsets)
{
    const struct {
        int w, h;
        std::size_t length;
        std::size_t offsets[4];
    } cases[] = {{5, 5, 152, {32, 62, 92, 122}},
                 {30, 20, 2532, {32, 652, 1282, 1902}},
                 {30, 30, 3752, {32, 962, 1892, 2822}},
                 {40, 40, 6592, {32, 1672, 3312, 4952}},
                 {100, 100, 40432, {32, 10132, 20232, 30332}}};
    for (const auto& c : cases) {
        ASSERT_TRUE(board.resize(c.w, c.h));
        // Mark the first and last element of every array with its own value.
        board.setMazeV(0, 0, 11);
        board.setMazeV(c.w, c.h - 1, 12);
        board.setMazeH(0, 0, 21);
        board.setMazeH(c.w - 1, c.h, 22);
        board.setPathV(0, 0, 31);
        board.setPathV(c.w, c.h - 1, 32);
        board.setPathH(0, 0, 41);
        board.setPathH(c.w - 1, c.h, 42);
        const fs::path file = dir / "layout.maz";
        ASSERT_TRUE(board.saveFile(file));
        const Bytes bytes = readBytes(file);
        ASSERT_EQ(bytes.size(), c.length) << c.w << " x " << c.h;
        for (int a = 0; a < 4; ++a) {
            const std::size_t end = a < 3 ? c.offsets[a + 1] : c.length;
            EXPECT_EQ(bytes[c.offsets[a]], 11 + 10 * a) << c.w << " x " << c.h << " array " << a;
            EXPECT_EQ(bytes[end - 1], 12 + 10 * a) << c.w << " x " << c.h << " array " << a;
        }
    }
}

TEST_F(FileTest, HeaderBytesAreLittleEndianInOrder)
{
    board.startX = -1;
    board.startY = 5;
    board.curX = 40;
    board.curY = 30;
    const Bytes bytes = board.toFileBytes();
    const Bytes expected = {0x4D, 0x41, 0x5A, 0x45, 0x28, 0, 0, 0, 0x28, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
        0x05, 0, 0, 0, 0x28, 0, 0, 0, 0x1E, 0, 0, 0, 0x0A, 0, 0, 0};
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 32), expected);
}

TEST_F(FileTest, RoundTripKeepsEverythingButThePositions)
{
    makeSample(30, 20);
    board.setGridSize(7);
    ASSERT_EQ(board.curX, 30);
    board.startY = 3; // not where the path begins: the positions are not the path's ends
    const fs::path first = dir / "first.maz";
    const fs::path second = dir / "second.maz";
    ASSERT_TRUE(board.saveFile(first));

    RandomSource otherRandom;
    MazeBoard loaded(otherRandom);
    loaded.transparentMode = true;
    loaded.showAnswer = false;
    ASSERT_TRUE(loaded.loadFile(first));
    EXPECT_EQ(loaded.getWidth(), 30);
    EXPECT_EQ(loaded.getHeight(), 20);
    EXPECT_EQ(loaded.getGridSize(), 7);
    EXPECT_EQ(loaded.getMarginX(), 7);
    EXPECT_EQ(loaded.getMarginY(), 7);
    EXPECT_EQ(loaded.startX, -1);
    EXPECT_EQ(loaded.startY, 0);
    EXPECT_EQ(loaded.curX, -1);
    EXPECT_EQ(loaded.curY, 0);
    EXPECT_TRUE(loaded.showAnswer);
    EXPECT_TRUE(loaded.transparentMode);
    ASSERT_TRUE(loaded.saveFile(second));

    Bytes a = readBytes(first);
    const Bytes b = readBytes(second);
    ASSERT_EQ(a.size(), b.size());
    const Bytes positions = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    EXPECT_EQ(Bytes(b.begin() + 12, b.begin() + 28), positions);
    std::copy(positions.begin(), positions.end(), a.begin() + 12);
    EXPECT_EQ(a, b);
}

// A path drawn from the right border to the left one keeps its start and
// head through a load, and so its entrance; positions that are not the
// path's two ends are replaced by (-1, 0) as before.
TEST_F(FileTest, StartAndHeadSurviveALoadWhereTheyAreThePathsEnds)
{
    ASSERT_TRUE(board.resize(6, 4));
    drawKeys(board, 6, 2, "LLLDLLLL");
    board.makeMaze();
    const struct {
        const char* name;
        int startX, startY, curX, curY;
        bool branch;
        bool kept;
    } cases[] = {
        {"as drawn", 6, 2, -1, 3, false, true},
        {"the other way round", -1, 3, 6, 2, false, true},
        {"as older files hold them", -1, 0, -1, 0, false, false},
        {"the head beside the path's end", 6, 2, -1, 2, false, false},
        {"both on one end", 6, 2, 6, 2, false, false},
        {"ends of a path with a third crossing", 6, 2, -1, 3, true, false},
    };
    for (const auto& c : cases) {
        board.startX = c.startX, board.startY = c.startY, board.curX = c.curX, board.curY = c.curY;
        board.setPathH(0, 0, c.branch ? 1 : 0);
        const Bytes bytes = board.toFileBytes();
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        RandomSource otherRandom;
        MazeBoard loaded(otherRandom);
        ASSERT_TRUE(loaded.readFrom(in)) << c.name;
        const std::vector<int> expected
            = c.kept ? std::vector<int>{c.startX, c.startY, c.curX, c.curY} : std::vector<int>{-1, 0, -1, 0};
        EXPECT_EQ((std::vector<int>{loaded.startX, loaded.startY, loaded.curX, loaded.curY}), expected) << c.name;
        if (!c.kept)
            continue;
        EXPECT_EQ(loaded.toFileBytes(), bytes) << c.name;
        const MazeOutline o = outlineOf(loaded);
        ASSERT_GE(o.start, 0);
        const auto side = c.startX < 0 ? MazeOutline::Side::Left : MazeOutline::Side::Right;
        EXPECT_EQ(o.openings[std::size_t(o.start)], (MazeOutline::Opening{side, c.startY})) << c.name;
    }
}

TEST_F(FileTest, BytesAreWrittenAndReadAsTheyAre)
{
    // 0x0A, 0x0D 0x0A and 0x1A must pass untranslated; 2 is a wall in the
    // maze arrays but a crossing in the path arrays.
    ASSERT_TRUE(board.resize(5, 5));
    board.setMazeV(0, 0, 0x0A);
    board.setMazeV(1, 0, 0x0D);
    board.setMazeV(2, 0, 0x0A);
    board.setMazeV(3, 0, 0x1A);
    board.setPathV(2, 2, 2);
    const fs::path file = dir / "bytes.maz";
    ASSERT_TRUE(board.saveFile(file));
    const Bytes bytes = readBytes(file);
    ASSERT_EQ(bytes.size(), 152u);
    EXPECT_EQ(bytes[32], 0x0A);
    EXPECT_EQ(bytes[33], 0x0D);
    EXPECT_EQ(bytes[34], 0x0A);
    EXPECT_EQ(bytes[35], 0x1A);

    RandomSource otherRandom;
    MazeBoard loaded(otherRandom);
    ASSERT_TRUE(loaded.loadFile(file));
    EXPECT_EQ(loaded.toFileBytes(), board.toFileBytes());
    EXPECT_EQ(loaded.getPathV(2, 2), 2);
}

TEST_F(FileTest, RefusedFilesLeaveTheBoardAsItWas)
{
    makeSample(12, 9);
    board.setGridSize(8);
    board.showAnswer = false;
    const BoardSnapshot before(board);

    const Bytes good = mazeFile(5, 5, 10, bodySize(5, 5));
    auto withMagic = [&](Bytes magic) {
        Bytes out = good;
        std::copy(magic.begin(), magic.end(), out.begin());
        return out;
    };
    const struct {
        const char* what;
        Bytes content;
    } cases[] = {
        {"empty file", {}},
        {"three bytes", {'M', 'A', 'Z'}},
        {"lower-case magic", withMagic({'m', 'a', 'z', 'e'})},
        {"MAZ and a zero", withMagic({'M', 'A', 'Z', 0})},
        {"header cut short", Bytes(good.begin(), good.begin() + 31)},
        {"magic only", Bytes(good.begin(), good.begin() + 4)},
        {"body cut inside pathH", Bytes(good.begin(), good.end() - 1)},
        {"no body", Bytes(good.begin(), good.begin() + 32)},
        {"width 0", mazeFile(0, 5, 10, bodySize(0, 5))},
        {"height -3", mazeFile(5, -3, 10, 1000)},
        {"width 401", mazeFile(401, 5, 3, bodySize(401, 5))},
        {"height 401", mazeFile(5, 401, 3, bodySize(5, 401))},
        {"huge sides", mazeFile(0x7FFFFFFF, 0x7FFFFFFF, 10, 64)},
        {"cell size 0", mazeFile(5, 5, 0, bodySize(5, 5))},
        {"cell size -10", mazeFile(5, 5, -10, bodySize(5, 5))},
        {"cell size 101", mazeFile(5, 5, 101, bodySize(5, 5))},
        {"picture 8262 wide", mazeFile(100, 5, 81, bodySize(100, 5))},
        {"picture 8262 high", mazeFile(5, 100, 81, bodySize(5, 100))},
    };
    for (const auto& c : cases) {
        const fs::path file = dir / "refused.maz";
        writeBytes(file, c.content);
        EXPECT_FALSE(board.loadFile(file)) << c.what;
        EXPECT_EQ(BoardSnapshot(board), before) << c.what;
        EXPECT_EQ(board.curX, 12) << c.what;
    }
    EXPECT_FALSE(board.loadFile(dir / "missing.maz"));
    EXPECT_FALSE(board.loadFile(dir)) << "a folder is not a maze file";
    EXPECT_EQ(BoardSnapshot(board), before);
}

TEST_F(FileTest, AcceptedLimitsAndTrailingBytes)
{
    const struct {
        const char* what;
        int w, h, grid;
        std::size_t extra;
    } cases[] = {
        {"cell size 25 stays 25", 5, 5, 25, 0},
        {"cell size 1", 3, 2, 1, 0},
        {"cell size 100 on 79 cells", 79, 1, 100, 0},
        {"400 x 400 at cell size 20 is 8040 pixels", 400, 400, 20, 0},
        {"8160 pixels wide", 100, 5, 80, 0},
        {"one cell", 1, 1, 3, 0},
        {"bytes after pathH", 6, 4, 10, 77},
    };
    for (const auto& c : cases) {
        const fs::path file = dir / "ok.maz";
        Bytes content = mazeFile(c.w, c.h, c.grid, bodySize(std::size_t(c.w), std::size_t(c.h)) + c.extra, 1);
        writeBytes(file, content);
        board.showAnswer = false;
        ASSERT_TRUE(board.loadFile(file)) << c.what;
        EXPECT_EQ(board.getWidth(), c.w) << c.what;
        EXPECT_EQ(board.getHeight(), c.h) << c.what;
        EXPECT_EQ(board.getGridSize(), c.grid) << c.what;
        EXPECT_EQ(board.getMarginX(), c.grid) << c.what;
        EXPECT_EQ(board.getMarginY(), c.grid) << c.what;
        EXPECT_EQ(board.startX, -1) << c.what;
        EXPECT_EQ(board.curY, 0) << c.what;
        EXPECT_TRUE(board.showAnswer) << c.what;
        EXPECT_EQ(board.getPathH(c.w - 1, c.h), 1) << c.what;
        EXPECT_EQ(board.toFileBytes().size(), 32 + bodySize(std::size_t(c.w), std::size_t(c.h))) << c.what;
    }
}

TEST_F(FileTest, JapaneseFileNameSavesAndLoads)
{
    makeSample(9, 7);
    const fs::path folder = dir / fs::path(u8"迷路フォルダ");
    fs::create_directories(folder);
    const fs::path file = folder / fs::path(u8"迷路テスト.maz");
    ASSERT_TRUE(board.saveFile(file));
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 32 + bodySize(9, 7));
    RandomSource otherRandom;
    MazeBoard loaded(otherRandom);
    ASSERT_TRUE(loaded.loadFile(file));
    EXPECT_EQ(loaded.getWidth(), 9);
    Bytes expected = board.toFileBytes();
    Bytes got = loaded.toFileBytes();
    std::fill(expected.begin() + 12, expected.begin() + 28, 0);
    std::fill(got.begin() + 12, got.begin() + 28, 0);
    EXPECT_EQ(got, expected);
}

TEST_F(FileTest, SaveReplacesTheFileAndKeepsItsPermissions)
{
    makeSample(6, 6);
    const fs::path file = dir / "keep.maz";
    writeBytes(file, Bytes(5000, 0x55));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(board.saveFile(file));
    EXPECT_EQ(readBytes(file), board.toFileBytes());
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(filesInDir(), std::vector<fs::path>{"keep.maz"}) << "no temporary file left behind";
}

TEST_F(FileTest, FailedSavesReportFailureAndKeepTheOldFile)
{
    makeSample(6, 6);
    const fs::path file = dir / "old.maz";
    const Bytes old(300, 0x77);

    for (const atomicfile::Step step : {atomicfile::Step::Create, atomicfile::Step::Write,
             atomicfile::Step::Flush, atomicfile::Step::Replace}) {
        writeBytes(file, old);
        static atomicfile::Step failing;
        failing = step;
        atomicfile::setFaultHook([](atomicfile::Step s) { return s == failing; });
        EXPECT_FALSE(board.saveFile(file)) << int(step);
        EXPECT_EQ(readBytes(file), old) << int(step);
        EXPECT_EQ(filesInDir(), std::vector<fs::path>{"old.maz"}) << int(step);
    }
    atomicfile::setFaultHook(nullptr);

    // A folder in the way of the file name is not replaced.
    fs::create_directory(dir / "folder.maz");
    EXPECT_FALSE(board.saveFile(dir / "folder.maz"));
    EXPECT_TRUE(fs::is_directory(dir / "folder.maz"));
    // A folder that does not exist.
    EXPECT_FALSE(board.saveFile(dir / "missing" / "x.maz"));
}

TEST_F(FileTest, SaveIntoAFolderThatIsNotWritable)
{
    makeSample(6, 6);
    // Root may write anywhere it has permission bits for; /proc refuses new
    // files even to root.
    fs::path folder = "/proc";
    if (::geteuid() != 0) {
        folder = dir / "locked";
        fs::create_directory(folder);
        writeBytes(folder / "old.maz", Bytes(10, 1));
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_FALSE(board.saveFile(folder / "new.maz"));
    EXPECT_FALSE(fs::exists(folder / "new.maz"));
    if (::geteuid() != 0) {
        EXPECT_FALSE(board.saveFile(folder / "old.maz"));
        EXPECT_EQ(readBytes(folder / "old.maz"), Bytes(10, 1));
    }
}

TEST_F(FileTest, SavingThroughASymbolicLinkReplacesItsTarget)
{
    makeSample(5, 5);
    const fs::path real = dir / "real.maz";
    writeBytes(real, Bytes(3, 0));
    fs::create_symlink(real, dir / "link.maz");
    ASSERT_TRUE(board.saveFile(dir / "link.maz"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.maz"));
    EXPECT_EQ(readBytes(real), board.toFileBytes());
}

// Named pipes, devices, sockets and folders are neither read nor written:
// refused at once, where opening a pipe would wait for a writer for ever.
TEST_F(FileTest, OnlyRegularFilesAreReadOrReplaced)
{
    makeSample(7, 5);
    const fs::path good = dir / "good.maz";
    ASSERT_TRUE(board.saveFile(good));
    const fs::path fifo = dir / "pipe.maz";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path socketFile = dir / "socket.maz";
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketFile.native().size(), sizeof(address.sun_path));
    socketFile.native().copy(address.sun_path, socketFile.native().size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    fs::create_symlink(fifo, dir / "link-to-pipe.maz");
    fs::create_symlink(good, dir / "link-to-good.maz");

    struct Case {
        fs::path file;
        filekind::Kind kind;
    };
    const std::vector<Case> cases = {
        {good, filekind::Kind::Regular},
        {dir / "link-to-good.maz", filekind::Kind::Regular},
        {dir / "missing.maz", filekind::Kind::Missing},
        {fifo, filekind::Kind::Special},
        {dir / "link-to-pipe.maz", filekind::Kind::Special},
        {"/dev/zero", filekind::Kind::Special},
        {"/dev/null", filekind::Kind::Special},
        {socketFile, filekind::Kind::Special},
        {dir, filekind::Kind::Directory},
    };
    const Watchdog watchdog(20, "loading or saving a file that is not a regular file");
    for (const Case& c : cases) {
        EXPECT_EQ(filekind::kindOf(c.file), c.kind) << c.file;
        const bool regular = c.kind == filekind::Kind::Regular;
        EXPECT_EQ(filekind::isWritableTarget(c.file), regular || c.kind == filekind::Kind::Missing) << c.file;
        EXPECT_EQ(filekind::InputFile(c.file).isOpen(), regular) << c.file;

        RandomSource otherRandom;
        MazeBoard other(otherRandom);
        const BoardSnapshot before(other);
        EXPECT_EQ(other.loadFile(c.file), regular) << c.file;
        if (!regular) {
            EXPECT_TRUE(BoardSnapshot(other) == before) << c.file;
            // Not replaced either, and still what it was.
            if (c.kind != filekind::Kind::Missing) {
                EXPECT_FALSE(board.saveFile(c.file)) << c.file;
                EXPECT_EQ(filekind::kindOf(c.file), c.kind) << c.file;
            }
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    ::close(listener);
}

} // namespace
