#pragma once

#include "EditCommands.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class MazeBoard;
class QLockFile;

// What a recovery copy holds: the maze file's bytes (the start and the head
// of the path included) and what the window needs besides them to look and
// go on as it did.
struct RecoveredDocument {
    QByteArray maze;      // the .maz file's bytes
    QByteArray pathCells; // the cells the path has passed, one byte each, row by row
    QString fileName;
    // The prompt and the figures as what they say, not in words: the
    // program that restores them may show another language.
    Prompt prompt = Prompt::Other;
    QString otherPrompt;                // the words of a prompt of no kind
    std::optional<MazeFigures> figures; // the second status panel; none when hidden
    quint32 seedShown = 0;     // what the seed command offers
    quint32 randomState = 0;   // where the next maze's random numbers start
    int mazeMode = 0;
    bool canMakeMaze = false;
    bool mazeMade = false;
    bool showAnswer = true;
    bool transparentMode = false;

    QByteArray encode() const;
    // The maze into `board`, with the start and head where they were (a
    // maze file read as a document starts its path anew; a recovery copy
    // goes on where it was).
    bool readBoard(MazeBoard& board) const;
    // The copy, when `bytes` hold one that the window can take as it is:
    // a whole maze, a path head and start on or inside the grid.
    static std::optional<RecoveredDocument> decode(const QByteArray& bytes);
    // Whether `bytes` begin as a copy of another version of the format
    // does: another program's (an older or newer Zubelo), to be left alone.
    static bool isOtherVersion(const QByteArray& bytes);

    bool operator==(const RecoveredDocument&) const = default;
};

// Keeps this program's recovery copy while the document has unsaved
// changes, so that a kill, a crash or a power cut loses at most the last two
// seconds of work; and finds the copies that programs which ended that way
// left behind.
//
// Each program has its own copy, named by its process id and a random part,
// beside a lock file that it holds while it runs: a copy whose lock can be
// taken belongs to a program that is gone. The copies are written in a
// thread of their own, so that a slow disk never holds up a key press.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    // A copy is written at most this often while changes go on.
    static constexpr int IntervalMs = 2000;

    // `folder`: where the copies live; the program's is defaultFolder().
    explicit RecoveryKeeper(const QString& folder, QObject* parent = nullptr);
    // Finishes what is being written; the copy stays (unsaved changes).
    ~RecoveryKeeper() override;

    // In the per-user data folder.
    static QString defaultFolder();

    // Where the document comes from when a copy is due.
    void setSource(std::function<RecoveredDocument()> source);
    // Told after every change of the window's state: with unsaved changes a
    // copy is written within IntervalMs (unless one is already due); without
    // them the copy is removed.
    void documentChanged(bool modified);
    // A copy of the document as it is now, on disk when this returns.
    void writeNow();
    // The changes were discarded on purpose: the copy goes.
    void discard();
    // Waits until everything asked for is done on disk.
    void flush();

    // This program's copy, and the folder of the copies.
    QString copyFile() const;
    const QString& folder() const { return folder_; }
    // False when the folder could not be made or a copy could not be
    // written: changes are then not kept.
    bool isUsable() const { return usable_; }

    // A copy left by a program that is no longer running, held (locked) by
    // this one until it is removed or let go.
    class Leftover {
    public:
        Leftover(QString file, std::unique_ptr<QLockFile> lock);
        ~Leftover();
        Leftover(Leftover&&) noexcept;
        Leftover& operator=(Leftover&&) noexcept;
        const QString& file() const { return file_; }
        // The document it holds, or nothing when it cannot be read.
        std::optional<RecoveredDocument> read() const;
        // A copy of another version of the format: left alone, for the
        // program that wrote it.
        bool isOtherVersion() const;
        // Deletes the copy and its lock.
        void remove();

    private:
        QString file_;
        std::unique_ptr<QLockFile> lock_;
    };
    // The copies of programs that are gone, newest first.
    std::vector<Leftover> leftovers() const;

signals:
    // Once, in the window's thread, when a copy cannot be written though the
    // keeper started usable (isUsable() tells of a folder unusable from
    // the start).
    void unusable();

private:
    void reportUnusable();
    void writeCopy();
    void enqueue(std::optional<QByteArray> content); // nothing: remove the copy
    void work();

    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    std::function<RecoveredDocument()> source_;
    QTimer due_;
    bool modified_ = false;
    std::atomic<bool> usable_ = true;

    // The writer thread and its one job at a time: only the newest content
    // matters, and a removal asked for later always comes after it.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::optional<QByteArray>> job_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread writer_;
};
