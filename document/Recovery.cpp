#include "Recovery.h"

#include "atomic_write.h"
#include "file_kind.h"
#include "maze_board.h"
#include "maze_random.h"
#include "FileNames.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cstdint>
#include <filesystem>
#include <sstream>

namespace {

const QByteArray Magic("ZUBELO-RECOVERY");
constexpr quint32 FormatVersion = 2;
const QString CopySuffix = QStringLiteral(".recovery");
const QString LockSuffix = QStringLiteral(".lock");

// What a copy may hold. The longest texts the program keeps there: a file
// name (a path of the system's longest) and a prompt, which may name one.
constexpr qsizetype MaxText = 8192;
// The largest maze file, with its path cells and both texts, and room for
// the rest: a file beyond this is no copy and is not read at all.
constexpr std::size_t MaxMazeBytes
    = 32 + 2 * (2 * std::size_t(MazeBoard::MaxSide) * MazeBoard::MaxSide + 2 * MazeBoard::MaxSide);
constexpr std::size_t MaxCopyBytes = std::size_t(1) << 20;
static_assert(MaxMazeBytes + std::size_t(MazeBoard::MaxSide) * MazeBoard::MaxSide + 4 * MaxText + 256
              <= MaxCopyBytes);

} // namespace

bool RecoveredDocument::readBoard(MazeBoard& board) const
{
    const std::string bytes(maze.constData(), std::size_t(maze.size()));
    std::istringstream in(bytes);
    if (!board.readFrom(in))
        return false;
    // The header's signed little-endian values; a board was read, so they are there.
    const auto stored = [&bytes](std::size_t offset) {
        std::uint32_t value = 0;
        for (std::size_t i = 4; i-- > 0;)
            value = value << 8 | std::uint8_t(bytes[offset + i]);
        return static_cast<std::int32_t>(value);
    };
    board.startX = stored(12);
    board.startY = stored(16);
    board.curX = stored(20);
    board.curY = stored(24);
    return true;
}

namespace {

bool onOrInside(const MazeBoard& board, int x, int y)
{
    return x >= -1 && x <= board.getWidth() && y >= -1 && y <= board.getHeight();
}

} // namespace

QByteArray RecoveredDocument::encode() const
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_4);
    const MazeFigures shown = figures.value_or(MazeFigures{});
    stream << Magic << FormatVersion << maze << pathCells << fileName << qint32(prompt) << otherPrompt
           << figures.has_value() << qint32(shown.stats.answerLength) << qint32(shown.stats.deadEnds)
           << qint32(shown.stats.decisionPoints) << shown.seed.has_value() << quint32(shown.seed.value_or(0))
           << seedShown << randomState << qint32(mazeMode) << canMakeMaze << mazeMade << showAnswer << transparentMode;
    return out;
}

std::optional<RecoveredDocument> RecoveredDocument::decode(const QByteArray& bytes)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_4);
    QByteArray magic;
    quint32 version = 0;
    stream >> magic >> version;
    if (magic != Magic || version != FormatVersion)
        return std::nullopt;
    RecoveredDocument d;
    qint32 mode = 0;
    qint32 prompt = 0;
    bool hasFigures = false;
    bool hasSeed = false;
    MazeFigures figures;
    quint32 seed = 0;
    stream >> d.maze >> d.pathCells >> d.fileName >> prompt >> d.otherPrompt >> hasFigures
        >> figures.stats.answerLength >> figures.stats.deadEnds >> figures.stats.decisionPoints >> hasSeed >> seed
        >> d.seedShown >> d.randomState >> mode >> d.canMakeMaze >> d.mazeMade >> d.showAnswer >> d.transparentMode;
    d.mazeMode = mode;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || (mode != 0 && mode != 1)
        || prompt < qint32(Prompt::Other) || prompt > qint32(Prompt::PressMakeMaze))
        return std::nullopt;
    d.prompt = Prompt(prompt);
    if (hasSeed)
        figures.seed = seed;
    RandomSource random;
    MazeBoard board(random);
    if (d.fileName.size() > MaxText || d.otherPrompt.size() > MaxText || !d.readBoard(board)
        || d.maze.size() != qsizetype(board.toFileBytes().size())
        || d.pathCells.size() != qsizetype(board.getWidth()) * qsizetype(board.getHeight())
        || !onOrInside(board, board.startX, board.startY) || !onOrInside(board, board.curX, board.curY))
        return std::nullopt;
    // The copy keeps the figures it shows but not how hard the maze is,
    // which its maze tells again.
    if (hasFigures) {
        figures.difficulty = measureDifficulty(board);
        d.figures = figures;
    }
    return d;
}

bool RecoveredDocument::isOtherVersion(const QByteArray& bytes)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_4);
    // The magic's length first: nothing longer is read.
    quint32 length = 0;
    stream >> length;
    if (length != quint32(Magic.size()) || bytes.mid(4, Magic.size()) != Magic)
        return false;
    stream.skipRawData(int(length));
    quint32 version = 0;
    stream >> version;
    return stream.status() == QDataStream::Ok && version != FormatVersion;
}

RecoveryKeeper::RecoveryKeeper(const QString& folder, QObject* parent)
    : QObject(parent)
    , folder_(folder)
    , id_(QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')))
{
    // The copies hold the user's work: for the user's eyes only.
    if (QDir().mkpath(folder_))
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    lock_ = std::make_unique<QLockFile>(QDir(folder_).filePath(id_ + LockSuffix));
    if (!lock_->tryLock(0)) {
        qWarning("recovery: cannot lock %s", qPrintable(lock_->fileName()));
        usable_ = false; // a file where the folder should be, or no permission
    }
    due_.setSingleShot(true);
    due_.setInterval(IntervalMs);
    connect(&due_, &QTimer::timeout, this, &RecoveryKeeper::writeCopy);
    writer_ = std::thread([this] { work(); });
}

RecoveryKeeper::~RecoveryKeeper()
{
    due_.stop();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

QString RecoveryKeeper::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString RecoveryKeeper::copyFile() const
{
    return QDir(folder_).filePath(id_ + CopySuffix);
}

void RecoveryKeeper::setSource(std::function<RecoveredDocument()> source)
{
    source_ = std::move(source);
}

void RecoveryKeeper::documentChanged(bool modified)
{
    if (modified) {
        if (!due_.isActive())
            due_.start();
    } else if (modified_) {
        due_.stop();
        enqueue(std::nullopt);
    }
    modified_ = modified;
}

void RecoveryKeeper::writeNow()
{
    due_.stop();
    writeCopy();
    flush();
}

void RecoveryKeeper::discard()
{
    due_.stop();
    modified_ = false;
    enqueue(std::nullopt);
}

void RecoveryKeeper::reportUnusable()
{
    // From the writer's thread; told in the window's, once.
    if (usable_.exchange(false))
        QMetaObject::invokeMethod(this, &RecoveryKeeper::unusable, Qt::QueuedConnection);
}

void RecoveryKeeper::writeCopy()
{
    // Taken here, in the window's thread, in one piece; written elsewhere.
    if (modified_ && source_)
        enqueue(source_().encode());
}

void RecoveryKeeper::enqueue(std::optional<QByteArray> content)
{
    {
        const std::lock_guard lock(mutex_);
        job_ = std::move(content);
    }
    changed_.notify_all();
}

void RecoveryKeeper::flush()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !job_ && !busy_; });
}

void RecoveryKeeper::work()
{
    const std::filesystem::path copy = FileNames::toPath(copyFile());
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return job_ || stopping_; });
        if (!job_)
            return;
        const std::optional<QByteArray> content = std::move(*job_);
        job_.reset();
        busy_ = true;
        lock.unlock();
        if (content) {
            if (!atomicfile::writeFile(copy, content->constData(), std::size_t(content->size()))) {
                qWarning("recovery: cannot write %s", copy.string().c_str());
                reportUnusable();
            }
        } else {
            std::error_code ec;
            std::filesystem::remove(copy, ec);
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

RecoveryKeeper::Leftover::Leftover(QString file, std::unique_ptr<QLockFile> lock)
    : file_(std::move(file))
    , lock_(std::move(lock))
{
}

RecoveryKeeper::Leftover::~Leftover() = default;
RecoveryKeeper::Leftover::Leftover(Leftover&&) noexcept = default;
RecoveryKeeper::Leftover& RecoveryKeeper::Leftover::operator=(Leftover&&) noexcept = default;

std::optional<RecoveredDocument> RecoveryKeeper::Leftover::read() const
{
    // Read as a maze file is, never waiting and never more than a copy can
    // be: a link to a pipe or a device, or a huge file, is no copy.
    std::vector<char> bytes;
    if (filekind::readWhole(FileNames::toPath(file_), MaxCopyBytes, bytes, filekind::Links::Refuse)
        != filekind::ReadResult::Read)
        return std::nullopt;
    return RecoveredDocument::decode(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

bool RecoveryKeeper::Leftover::isOtherVersion() const
{
    // Its beginning is enough, whatever size another version's copy has.
    if (QFileInfo(file_).isSymLink())
        return false;
    filekind::InputFile in(FileNames::toPath(file_));
    char start[64] = {};
    in.stream().read(start, sizeof start);
    return in.isOpen() && RecoveredDocument::isOtherVersion(QByteArray(start, qsizetype(in.stream().gcount())));
}

void RecoveryKeeper::Leftover::remove()
{
    QFile::remove(file_);
    if (lock_)
        lock_->unlock();
}

std::vector<RecoveryKeeper::Leftover> RecoveryKeeper::leftovers() const
{
    std::vector<Leftover> found;
    const QDir folder(folder_);
    // A lock that can be taken belongs to a program that has ended; one
    // that another program holds (a live one, in this session or another)
    // cannot, even by age.
    const auto takeLock = [&folder](const QString& id) -> std::unique_ptr<QLockFile> {
        // The lock file is read to see whose it is: a link or a pipe in its
        // place would make that read wait or never end.
        const QFileInfo info(folder.filePath(id + LockSuffix));
        if (info.isSymLink() || (info.exists() && !info.isFile()))
            return nullptr;
        auto lock = std::make_unique<QLockFile>(folder.filePath(id + LockSuffix));
        lock->setStaleLockTime(0);
        return lock->tryLock(0) ? std::move(lock) : nullptr;
    };
    // Only regular files: a link may lead anywhere, to a pipe or a device.
    const QFileInfoList copies = folder.entryInfoList({QLatin1Char('*') + CopySuffix},
                                                      QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Time);
    for (const QFileInfo& copy : copies) {
        const QString id = copy.completeBaseName();
        if (id == id_)
            continue;
        if (auto lock = takeLock(id))
            found.emplace_back(copy.absoluteFilePath(), std::move(lock));
    }
    // The locks of programs that ended with nothing to recover.
    for (const QFileInfo& lockFile : folder.entryInfoList({QLatin1Char('*') + LockSuffix}, QDir::Files | QDir::Hidden)) {
        const QString id = lockFile.completeBaseName();
        if (id != id_ && !folder.exists(id + CopySuffix))
            (void)takeLock(id); // taken and let go: removed
    }
    return found;
}
