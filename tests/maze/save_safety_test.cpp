// Saves under hostile conditions: the saving process killed at any moment,
// a disk that fills up, a file marked read-only. Whatever happens, the file
// on disk is the old maze or the new one, whole, and nothing else is left
// where the user can see it.

#include "atomic_write.h"
#include "maze_board.h"
#include "maze_random.h"
#include "target_lock.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

struct SaveSafetyTest : ::testing::Test {
    RandomSource random;
    fs::path dir;
    fs::path target;

    void SetUp() override
    {
        dir = fs::temp_directory_path()
            / ("zubelo-save-safety-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        target = dir / "maze.maz";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // A made maze on a board of w x h cells; `row` chooses where its straight
    // path crosses, so that boards made with different rows differ.
    void makeBoard(MazeBoard& board, int w, int h, int row)
    {
        ASSERT_TRUE(board.resize(w, h));
        drawKeys(board, -1, row, std::string(static_cast<std::size_t>(w + 1), 'R'));
        board.makeMaze();
    }

    // The folder's entries by name, hidden ones included.
    std::set<std::string> entries() const
    {
        std::set<std::string> out;
        for (const auto& entry : fs::directory_iterator(dir))
            out.insert(entry.path().filename().string());
        return out;
    }
};

// Whether new files in `folder` can be created anonymous (O_TMPFILE); only
// then is a temporary file named no sooner than it is complete.
bool takesAnonymousFiles(const fs::path& folder)
{
#ifdef O_TMPFILE
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
#else
    (void)folder;
#endif
    return false;
}

// A child process that saves `board` over `target` again and again until it
// is killed. It writes a byte to its pipe before each save, so the parent
// learns when the first save starts and when it has ended.
class Saver {
public:
    Saver(const MazeBoard& board, const fs::path& target)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const char tick = 1;
            for (;;) {
                if (::write(fds[1], &tick, 1) != 1)
                    ::_exit(2);
                (void)board.saveFile(target);
            }
        }
        ::close(fds[1]);
        fd_ = fds[0];
    }
    ~Saver()
    {
        (void)kill();
        if (fd_ >= 0)
            ::close(fd_);
    }
    Saver(const Saver&) = delete;
    Saver& operator=(const Saver&) = delete;

    // Waits for the child's next byte; false when none can come.
    bool tick()
    {
        char c = 0;
        return fd_ >= 0 && ::read(fd_, &c, 1) == 1;
    }
    // Kills the child (if it still runs) and returns how it ended, as
    // waitpid reports it.
    int kill()
    {
        int status = 0;
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

TEST_F(SaveSafetyTest, KilledSaveLeavesTheOldOrTheNewFileWhole)
{
    MazeBoard oldBoard(random);
    MazeBoard newBoard(random);
    makeBoard(oldBoard, 400, 400, 100);
    makeBoard(newBoard, 400, 400, 300);
    const Bytes oldBytes = oldBoard.toFileBytes();
    const Bytes newBytes = newBoard.toFileBytes();
    ASSERT_NE(oldBytes, newBytes);
    ASSERT_GT(oldBytes.size(), 600'000u);
    const bool anonymous = takesAnonymousFiles(dir);

    // Each run starts from the old maze, flushed to disk so that no earlier
    // write is left for the save to flush.
    const auto resetTarget = [&] {
        writeBytes(target, oldBytes);
        const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
        ::fsync(fd);
        ::close(fd);
    };
    // How long one save takes in such a child, from its start to its end,
    // under the same conditions: the slowest of a few, so that on a busy
    // machine the kills still reach past the end of the save.
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::duration> took;
    for (int i = 0; i < 5; ++i) {
        resetTarget();
        Saver saver(newBoard, target);
        ASSERT_TRUE(saver.tick());
        const auto start = Clock::now();
        ASSERT_TRUE(saver.tick());
        took.push_back(Clock::now() - start);
    }
    const auto saveTime = *std::max_element(took.begin(), took.end());

    std::mt19937 rng(20240611);
    std::uniform_int_distribution<Clock::rep> spread(0, saveTime.count() * 2);
    int outcomeOld = 0, outcomeNew = 0, leftovers = 0;
    std::set<std::string> hiddenSeen;
    const int runs = 80;
    for (int run = 0; run < runs; ++run) {
        resetTarget();
        const Clock::duration delay(run % 6 == 0 ? 0 : spread(rng));
        Saver saver(newBoard, target);
        ASSERT_TRUE(saver.tick());
        // The delay counts from the start of the save, measured by spinning:
        // a sleep could overshoot the whole of a fast save.
        const auto killAt = Clock::now() + delay;
        while (Clock::now() < killAt) {
        }
        const int status = saver.kill();
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "run " << run << " status " << status;

        const Bytes now = readBytes(target);
        ASSERT_TRUE(now == oldBytes || now == newBytes)
            << "run " << run << ": " << now.size() << " bytes, neither the old nor the new maze";
        ++(now == oldBytes ? outcomeOld : outcomeNew);
        for (const std::string& name : entries()) {
            if (name == target.filename().string())
                continue;
            ASSERT_TRUE(atomicfile::detail::isTemporaryOf(name, target)) << "run " << run << " left " << name;
            if (hiddenSeen.insert(name).second) {
                ++leftovers;
                // Named only once complete and flushed: a whole new maze.
                if (anonymous) {
                    EXPECT_TRUE(readBytes(dir / name) == newBytes) << name << " is not a whole new maze";
                }
            }
        }
    }
    std::cout << "save time " << std::chrono::duration<double, std::milli>(saveTime).count() << " ms; " << runs
              << " kills: old " << outcomeOld << ", new " << outcomeNew << ", hidden leftovers " << leftovers
              << (anonymous ? "" : " (no anonymous files here)") << std::endl;
    RecordProperty("outcome_old", outcomeOld);
    RecordProperty("outcome_new", outcomeNew);
    RecordProperty("hidden_leftovers", leftovers);
    EXPECT_GT(outcomeOld, 0);
    EXPECT_GT(outcomeNew, 0);

    // The next complete save clears what killed saves left, including a
    // temporary named as a killed one would have been.
    writeBytes(atomicfile::detail::temporaryName(target, 3), newBytes);
    ASSERT_TRUE(oldBoard.saveFile(target));
    EXPECT_EQ(entries(), std::set<std::string>{"maze.maz"});
    EXPECT_EQ(readBytes(target), oldBytes);
}

TEST_F(SaveSafetyTest, TemporariesAreKnownByNameAndOnlyTheyAreCleared)
{
    for (const char* name : {"maze.maz", "a.b.maz", "迷路 テスト.maz", "x"}) {
        const fs::path file = dir / name;
        for (const unsigned attempt : {0u, 1u, 99u, 4'000'000'000u}) {
            const fs::path temp = atomicfile::detail::temporaryName(file, attempt);
            EXPECT_EQ(temp.parent_path(), dir) << name;
            EXPECT_EQ(temp.filename().string().front(), '.') << name;
            EXPECT_TRUE(atomicfile::detail::isTemporaryOf(temp, file)) << temp;
            EXPECT_TRUE(atomicfile::detail::isTemporaryOf(temp.filename(), file)) << temp;
        }
    }

    // Names of the user's, and temporaries of other files sharing a prefix.
    const std::vector<std::string> notOurs = {".maze.maz", ".maze.maz.tmp", ".maze.maz.bak", ".maze.maz.12.tmp",
        ".maze.maz.-1.tmp", ".maze.maz.1-.tmp", ".maze.maz.a-1.tmp", ".maze.maz.1-2-3.tmp", ".maze.maz.1-2.tmp~",
        "maze.maz.1-2.tmp", ".maze.maz.1-2.TMP", ".Maze.maz.1-2.tmp",
        atomicfile::detail::temporaryName(dir / "maze", 0).filename().string(),
        atomicfile::detail::temporaryName(dir / "maze.maz.bak", 0).filename().string(),
        atomicfile::detail::temporaryName(dir / "amaze.maz", 0).filename().string()};
    for (const std::string& name : notOurs)
        EXPECT_FALSE(atomicfile::detail::isTemporaryOf(name, target)) << name;

    // A save removes its own stale temporaries and nothing else, not even a
    // folder that bears such a name.
    MazeBoard board(random);
    makeBoard(board, 8, 6, 2);
    for (const std::string& name : notOurs)
        writeBytes(dir / name, Bytes(7, 1));
    const fs::path staleFile = atomicfile::detail::temporaryName(target, 5);
    const fs::path staleFolder = atomicfile::detail::temporaryName(target, 6);
    writeBytes(staleFile, Bytes(100, 2));
    fs::create_directory(staleFolder);
    ASSERT_TRUE(board.saveFile(target));
    std::set<std::string> expected(notOurs.begin(), notOurs.end());
    expected.insert({"maze.maz", staleFolder.filename().string()});
    EXPECT_EQ(entries(), expected);
}

TEST_F(SaveSafetyTest, FullDiskKeepsTheOldFile)
{
    MazeBoard board(random);
    makeBoard(board, 100, 100, 50);
    const Bytes old(3000, 0x5A);
    writeBytes(target, old);
    {
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        ASSERT_GT(board.toFileBytes().size(), 4096u);
        EXPECT_FALSE(board.saveFile(target));
        EXPECT_FALSE(board.saveFile(dir / "new.maz"));
    }
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(entries(), std::set<std::string>{"maze.maz"});
    // With the limit gone the same save goes through.
    ASSERT_TRUE(board.saveFile(target));
    EXPECT_EQ(readBytes(target), board.toFileBytes());
}

TEST_F(SaveSafetyTest, ReadOnlyFileIsLeftAloneAlsoForRoot)
{
    MazeBoard board(random);
    makeBoard(board, 10, 10, 5);
    const Bytes old(500, 0x33);
    writeBytes(target, old);
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(board.saveFile(target));
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(entries(), std::set<std::string>{"maze.maz"});
    // Made writable again by its owner, it is replaced as usual.
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(board.saveFile(target));
    EXPECT_EQ(readBytes(target), board.toFileBytes());
}

// Every name the file system takes can be saved: the temporary's name has a
// bounded length of its own, is never cut inside a character, and still
// tells the temporaries of two long names apart.
TEST_F(SaveSafetyTest, NamesUpToTheLongestAreSaved)
{
    MazeBoard board(random);
    makeBoard(board, 9, 7, 3);
    const Bytes bytes = board.toFileBytes();
    const std::string kana = "\xE8\xBF\xB7"; // 迷, three bytes
    for (const std::size_t length : {1u, 100u, 200u, 228u, 229u, 239u, 240u, 250u, 254u, 255u}) {
        for (const bool multibyte : {false, true}) {
            // Ends in ".maz"; the rest ASCII, or three-byte characters with
            // ASCII making up the length.
            std::string name(length - std::min<std::size_t>(length, 4), 'a');
            if (multibyte)
                for (std::size_t i = 0; i + 3 <= name.size(); i += 3)
                    name.replace(i, 3, kana);
            name += std::string(".maz").substr(4 - std::min<std::size_t>(length, 4));
            ASSERT_EQ(name.size(), length);
            const fs::path file = dir / name;
            const fs::path temp = atomicfile::detail::temporaryName(file, 4'000'000'000u);
            EXPECT_LE(temp.filename().native().size(), atomicfile::detail::MaxTemporaryNameLength) << length;
            EXPECT_TRUE(atomicfile::detail::isTemporaryOf(temp, file)) << length;
            // A character cut in half would leave a lead byte before the cut.
            const std::string tempName = temp.filename().native();
            for (std::size_t i = 1; i < tempName.size(); ++i) {
                const auto before = static_cast<unsigned char>(tempName[i - 1]);
                const auto at = static_cast<unsigned char>(tempName[i]);
                EXPECT_FALSE(before >= 0xC0 && (at & 0xC0) != 0x80) << length << " cut at " << i;
            }
            // A name that differs only in its last character has other temporaries.
            std::string sibling = name;
            sibling.back() = 'x';
            EXPECT_FALSE(atomicfile::detail::isTemporaryOf(temp, dir / sibling)) << length;

            ASSERT_TRUE(board.saveFile(file)) << length << (multibyte ? " multibyte" : "");
            EXPECT_EQ(readBytes(file), bytes) << length;
            ASSERT_TRUE(board.saveFile(file)) << length << " replaced";
            EXPECT_EQ(entries(), std::set<std::string>{name}) << length;
            fs::remove(file);
        }
    }
}

// Two programs saving the same name at the same time: neither ever reports
// a failure (neither's clean-up takes the other's temporary in the middle of
// its save), the file is always one of the two mazes whole, and nothing is
// left over.
TEST_F(SaveSafetyTest, TwoProgramsSavingOneNameNeverFail)
{
    constexpr int Saves = 500;
    MazeBoard first(random);
    MazeBoard second(random);
    makeBoard(first, 30, 20, 4);
    makeBoard(second, 30, 20, 15);
    std::vector<pid_t> children;
    for (const MazeBoard* board : {&first, &second}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int i = 0; i < Saves; ++i)
                failures += !board->saveFile(target);
            ::_exit(std::min(failures, 100));
        }
        children.push_back(child);
    }
    int failures = 0;
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << status;
        failures += WEXITSTATUS(status);
    }
    EXPECT_EQ(failures, 0) << "failed saves out of " << 2 * Saves;
    const Bytes now = readBytes(target);
    EXPECT_TRUE(now == first.toFileBytes() || now == second.toFileBytes());
    EXPECT_EQ(entries(), std::set<std::string>{"maze.maz"});
}

// A save by root gives the file back to its owner and group, with its mode.
TEST_F(SaveSafetyTest, SaveByRootKeepsTheOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    MazeBoard board(random);
    makeBoard(board, 10, 10, 5);
    writeBytes(target, Bytes(100, 1));
    const uid_t owner = 4321;
    const gid_t group = 8765;
    ASSERT_EQ(::chown(target.c_str(), owner, group), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(board.saveFile(target));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(target), board.toFileBytes());
}

} // namespace

TEST_F(SaveSafetyTest, PendingFilesReplaceTheirTargetsOnlyWhenCommitted)
{
    const Bytes old(300, 0x11), fresh(200, 0x22);
    writeBytes(target, old);
    {
        // Written in full but dropped: the target stays, and nothing is left.
        atomicfile::PendingFile dropped = atomicfile::prepareFile(target, fresh.data(), fresh.size());
        ASSERT_TRUE(dropped);
        EXPECT_EQ(readBytes(target), old);
    }
    EXPECT_EQ(entries(), std::set<std::string>{"maze.maz"});

    // Moved, then committed: the target takes the new content.
    atomicfile::PendingFile pending = atomicfile::prepareFile(target, fresh.data(), fresh.size());
    atomicfile::PendingFile moved = std::move(pending);
    EXPECT_FALSE(pending);
    ASSERT_TRUE(moved.commit());
    EXPECT_EQ(readBytes(target), fresh);
    EXPECT_FALSE(moved.commit()) << "a pending file is committed once";

    // A link to a file not there yet makes that file and keeps the link; a
    // link into a missing folder is refused, and the link stays as it was.
    fs::create_directory(dir / "real");
    fs::create_symlink("real/new.maz", dir / "link.maz");
    ASSERT_TRUE(atomicfile::writeFile(dir / "link.maz", fresh.data(), fresh.size()));
    EXPECT_TRUE(fs::is_symlink(dir / "link.maz"));
    EXPECT_EQ(readBytes(dir / "real" / "new.maz"), fresh);
    fs::create_symlink(dir / "no" / "such.maz", dir / "dangling.maz");
    atomicfile::Step failed = atomicfile::Step::Flush;
    EXPECT_FALSE(atomicfile::writeFile(dir / "dangling.maz", fresh.data(), fresh.size(), &failed));
    EXPECT_EQ(failed, atomicfile::Step::Create);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.maz"));
}

// A target another process stages is locked for this one until that
// process lets go or ends; and a process told to stop by SIGTERM, SIGHUP or
// SIGINT takes its temporaries away before it ends, its targets untouched.
TEST_F(SaveSafetyTest, StagedTargetsAreLockedAndTemporariesGoWithTheProcess)
{
    MazeBoard board(random);
    makeBoard(board, 10, 10, 3);
    ASSERT_TRUE(board.saveFile(target));
    const Bytes old = readBytes(target);
    const std::vector<std::uint8_t> bytes = board.toFileBytes();
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGKILL}) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            atomicfile::removeTemporariesOnTermination();
            atomicfile::TargetLocks locks;
            std::vector<atomicfile::PendingFile> files;
            for (int i = 0; i < 50; ++i) {
                const fs::path file = i == 0 ? target : dir / ("page-" + std::to_string(i) + ".svg");
                locks.take(file);
                files.push_back(atomicfile::prepareFile(file, bytes.data(), bytes.size()));
            }
            (void)!::write(ready[1], "x", 1);
            for (;;)
                ::pause();
        }
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]), ::close(ready[1]);
        atomicfile::TargetLocks mine;
        EXPECT_TRUE(atomicfile::isLocked(target));
        EXPECT_FALSE(mine.take(target));
        EXPECT_EQ(entries().size(), std::size_t(51));
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_TRUE(mine.take(target));
        mine.releaseAll();
        if (signal == SIGKILL) // what the next writer into the folder clears
            atomicfile::detail::removeAbandonedTemporaries(dir);
        EXPECT_EQ(entries(), std::set<std::string>{"maze.maz"}) << "signal " << signal;
        EXPECT_EQ(readBytes(target), old);
    }
}
