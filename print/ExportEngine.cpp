#include "ExportEngine.h"

#include "MazePrint.h"
#include "StagedFiles.h"
#include "file_kind.h"
#include "target_lock.h"
#include "maze_batch.h"
#include "maze_board.h"
#include "maze_outline.h"
#include "FileNames.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>

#include <filesystem>
#include <functional>
#include <iterator>
#include <utility>
#include <sstream>
#include <string>

namespace ExportEngine {

namespace {

const char* const Suffixes[] = {"pdf", "svg", "png", "bmp", "maz"};

// The board's maze picture as BMP bytes, with or without the answer. A copy
// of the board is drawn, so the caller's own view flag never changes.
QByteArray bitmapBytes(const MazeBoard& board, bool withAnswer)
{
    const std::vector<std::uint8_t> file = board.toFileBytes();
    std::istringstream in(std::string(file.begin(), file.end()));
    MazeBoard copy;
    if (!copy.readFrom(in))
        return {};
    copy.showAnswer = withAnswer;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (BitmapExport::write(BitmapExport::mazePicture(copy), buffer) != BitmapExport::Result::Written)
        return {};
    return buffer.data();
}

bool writePicture(QIODevice& out, const MazeBoard& board, const MazeOutline& outline, PageKind kind,
                  const ExportSettings& settings, Format format)
{
    switch (format) {
    case Format::Svg: return MazePrint::writeSvg(out, outline, kind, settings);
    case Format::Png: return MazePrint::writePng(out, outline, kind, settings);
    case Format::Bmp: {
        const QByteArray bytes = bitmapBytes(board, kind == PageKind::Answer);
        return !bytes.isEmpty() && out.write(bytes) == bytes.size();
    }
    case Format::Pdf:
    case Format::Maz: break;
    }
    return false;
}

// A file the user marked read-only is not replaced, also for a user (root)
// who could replace it: as the maze files are kept.
bool isReadOnlyFile(const QString& fileName)
{
    const QFileInfo target(fileName);
    // (WriteUser would say what this user may do, which for root is anything.)
    const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return target.isFile() && ((target.permissions() & writable) == 0 || !target.isWritable());
}

} // namespace

std::optional<Format> formatOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (int i = 0; i < static_cast<int>(std::size(Suffixes)); ++i)
        if (suffix.compare(QLatin1String(Suffixes[i]), Qt::CaseInsensitive) == 0)
            return static_cast<Format>(i);
    return std::nullopt;
}

QString suffixOf(Format format)
{
    return QLatin1String(Suffixes[static_cast<int>(format)]);
}

Format formatFor(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Svg: return Format::Svg;
    case PictureFormat::Png: return Format::Png;
    case PictureFormat::Pdf: break;
    }
    return Format::Pdf;
}

QStringList targetFiles(const QString& target, Format format, std::size_t mazeCount, PageSet pages, bool numbered)
{
    if (format == Format::Pdf)
        return {target};
    const bool answers = pages == PageSet::Both && format != Format::Maz;
    const std::filesystem::path out = FileNames::toPath(target);
    const int count = static_cast<int>(mazeCount);
    const auto name = [&](int index, bool answer) {
        return QString::fromStdU16String(batchFileName(out, index, count, answer).u16string());
    };
    QStringList files;
    for (int i = 1; i <= count; ++i) {
        const int index = numbered || count > 1 ? i : 0;
        files << name(index, false);
        if (answers)
            files << name(index, true);
    }
    return files;
}

bool isRefusedTarget(const QString& fileName)
{
    return !filekind::isWritableTarget(FileNames::toPath(fileName));
}

QString failureMessage(const Outcome& outcome)
{
    if (outcome.result == BitmapExport::Result::CannotCreate)
        return QCoreApplication::translate("ExportEngine", "ファイル %s を作成できません")
            .replace(QStringLiteral("%s"), outcome.file);
    if (outcome.result == BitmapExport::Result::SameFile)
        return QCoreApplication::translate("ExportEngine", "%s は、一緒に書き出すほかのファイルと同じファイルです")
            .replace(QStringLiteral("%s"), outcome.file);
    if (outcome.result == BitmapExport::Result::TooManyFiles)
        return QCoreApplication::translate("ExportEngine", "開いているファイルが多すぎるため、ファイル %s を作成できません")
            .replace(QStringLiteral("%s"), outcome.file);
    if (outcome.result == BitmapExport::Result::Busy)
        return QCoreApplication::translate("ExportEngine", "ほかのプログラムが %s を書き出しています")
            .replace(QStringLiteral("%s"), outcome.file);
    return QCoreApplication::translate("ExportEngine", "ストリームへの書き込みエラー");
}

struct Writer::Data {
    ExportSettings settings;
    Format format = Format::Pdf;
    QString target;
    QStringList files;
    std::size_t count = 0;
    std::size_t added = 0;
    qsizetype nextFile = 0;
    // A PDF's or a printer's pages, painted as their mazes come.
    QBuffer pdf;
    std::unique_ptr<QPdfWriter> pdfWriter;
    std::unique_ptr<MazePrint::PageStream> pages;
    bool printer = false;
    std::size_t pageCount = 0;
    StagedFiles staged;
    Outcome outcome;

    bool stage(const std::function<bool(QIODevice&)>& write)
    {
        const QString& file = files[nextFile++];
        const BitmapExport::Result result = staged.stage(file, write);
        if (result != BitmapExport::Result::Written)
            outcome = {result, file};
        return outcome.ok();
    }
};

Writer::Writer(const ExportSettings& settings, Format format, const QString& target, std::size_t count, bool book)
    : d_(std::make_unique<Data>())
{
    d_->settings = settings.clamped();
    d_->settings.numbered = book;
    d_->format = format;
    d_->target = target;
    d_->count = count;
    d_->files = targetFiles(target, format, count, d_->settings.pages, book);
    if (count == 0)
        d_->outcome = {BitmapExport::Result::WriteError, target};
    for (const QString& file : std::as_const(d_->files))
        if (d_->outcome.ok() && (isRefusedTarget(file) || isReadOnlyFile(file)))
            d_->outcome = {BitmapExport::Result::CannotCreate, file};
    // Two names of one file (a link to another target): whichever came
    // second would replace the first, and its clean-up take the other's
    // temporary. Refused before anything is written.
    if (d_->outcome.ok()) {
        std::vector<std::filesystem::path> paths;
        for (const QString& file : std::as_const(d_->files))
            paths.push_back(FileNames::toPath(file));
        if (const std::size_t repeated = atomicfile::firstRepeatedFile(paths); repeated < paths.size())
            d_->outcome = {BitmapExport::Result::SameFile, d_->files[qsizetype(repeated)]};
    }
    if (d_->outcome.ok() && format == Format::Pdf) {
        d_->pdf.open(QIODevice::WriteOnly);
        d_->pdfWriter = std::make_unique<QPdfWriter>(&d_->pdf);
        MazePrint::setUpPdf(*d_->pdfWriter, d_->settings, count);
        d_->pages = std::make_unique<MazePrint::PageStream>(*d_->pdfWriter, d_->settings, count);
        d_->pageCount = MazePrint::documentPages(count, d_->settings).size();
        if (!d_->pages->ok())
            d_->outcome = {BitmapExport::Result::WriteError, target};
    }
}

Writer::Writer(const ExportSettings& settings, QPagedPaintDevice& printer, std::size_t count, bool book,
               int firstPage, int lastPage)
    : d_(std::make_unique<Data>())
{
    d_->settings = settings.clamped();
    d_->settings.numbered = book;
    d_->count = count;
    d_->printer = true;
    d_->pages = std::make_unique<MazePrint::PageStream>(printer, d_->settings, count, firstPage, lastPage);
    d_->pageCount = MazePrint::documentPages(count, d_->settings).size();
    if (count == 0 || !d_->pages->ok())
        d_->outcome = {BitmapExport::Result::WriteError, {}};
}

void Writer::onPage(std::function<bool()> keepGoing)
{
    if (d_->pages)
        d_->pages->onPage(std::move(keepGoing));
}

std::size_t Writer::pageCount() const
{
    return d_->pageCount;
}

Writer::~Writer() = default;

const Outcome& Writer::outcome() const
{
    return d_->outcome;
}

bool Writer::add(const MazeBoard& maze)
{
    Data& d = *d_;
    if (!d.outcome.ok())
        return false;
    if (d.added == d.count) {
        d.outcome = {BitmapExport::Result::WriteError, d.target};
        return false;
    }
    const std::size_t index = d.added++;
    if (d.pages) {
        if (!d.pages->add(outlineOf(maze)))
            d.outcome = {BitmapExport::Result::WriteError, d.target, d.pages->cancelled()};
        return d.outcome.ok();
    }
    if (d.format == Format::Maz) {
        const std::vector<std::uint8_t> bytes = maze.toFileBytes();
        return d.stage([&](QIODevice& out) {
            return out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()))
                   == static_cast<qint64>(bytes.size());
        });
    }
    const ExportSettings own = d.settings.forMaze(index);
    const MazeOutline outline = d.format == Format::Bmp ? MazeOutline() : outlineOf(maze);
    for (const PageKind kind : own.pageKinds())
        if (!d.stage([&](QIODevice& out) { return writePicture(out, maze, outline, kind, own, d.format); }))
            return false;
    return true;
}

Outcome Writer::finish()
{
    Data& d = *d_;
    if (d.outcome.ok() && d.added != d.count)
        d.outcome = {BitmapExport::Result::WriteError, d.target};
    if (d.outcome.ok() && d.printer) {
        if (!d.pages->finish())
            d.outcome = {BitmapExport::Result::WriteError, {}, d.pages->cancelled()};
        return d.outcome;
    }
    if (d.outcome.ok() && d.format == Format::Pdf) {
        const bool painted = d.pages->finish();
        d.pages.reset();
        d.pdfWriter.reset();
        d.stage([&](QIODevice& out) { return painted && out.write(d.pdf.data()) == d.pdf.size(); });
        d.pdf.close();
        d.pdf.setData(QByteArray());
    }
    if (d.outcome.ok()) {
        const StagedFiles::Failure failure = d.staged.commit();
        d.outcome = {failure.result, failure.target};
    }
    return d.outcome;
}

Outcome writeBook(MazeBoard& board, const MazeBatch& batch, Writer& writer,
                  const std::function<bool(const Progress&)>& keepGoing,
                  const std::function<void(const BookMaze&)>& made, BatchRoutes* routes)
{
    Progress progress{0, static_cast<std::size_t>(std::max(batch.count, 0)) + writer.pageCount()};
    bool stopped = false;
    const auto step = [&] {
        ++progress.done;
        stopped = stopped || (keepGoing && !keepGoing(progress));
        return !stopped;
    };
    writer.onPage(step);
    if (writer.outcome().ok())
        makeMazeBatch(
            board, batch,
            [&](const BookMaze& maze) {
                if (made)
                    made(maze);
                return writer.add(board) && step();
            },
            routes);
    if (stopped) {
        Outcome cancelled = writer.outcome();
        cancelled.cancelled = true;
        return cancelled;
    }
    return writer.finish();
}

Outcome write(const std::vector<const MazeBoard*>& mazes, const ExportSettings& settings, Format format,
              const QString& target)
{
    Writer writer(settings, format, target, mazes.size());
    for (const MazeBoard* board : mazes)
        if (!writer.add(*board))
            break;
    return writer.finish();
}

} // namespace ExportEngine
