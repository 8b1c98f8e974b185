#include "ExportEngine.h"

#include "MazePrint.h"
#include "maze_board.h"
#include "maze_outline.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <sstream>
#include <string>

namespace ExportEngine {

namespace {

const char* const Suffixes[] = {"pdf", "svg", "png", "bmp"};

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

QByteArray pictureBytes(const MazeBoard& board, PageKind kind, const ExportSettings& settings, Format format)
{
    if (format == Format::Bmp)
        return bitmapBytes(board, kind == PageKind::Answer);
    const MazeOutline outline = outlineOf(board);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool ok = format == Format::Svg ? MazePrint::writeSvg(buffer, outline, kind, settings)
                                          : MazePrint::writePng(buffer, outline, kind, settings);
    return ok ? buffer.data() : QByteArray();
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

BitmapExport::Result saveWhole(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return BitmapExport::Result::CannotCreate;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return BitmapExport::Result::WriteError;
    }
    return file.commit() ? BitmapExport::Result::Written : BitmapExport::Result::WriteError;
}

} // namespace

std::optional<Format> formatOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (int i = 0; i < 4; ++i)
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

QStringList targetFiles(const QString& target, Format format, std::size_t mazeCount, PageSet pages)
{
    if (format == Format::Pdf)
        return {target};
    // NAME.svg: the numbers and "-answer" go between the name and its suffix.
    const QString ending = QFileInfo(target).suffix();
    const QString suffix = ending.isEmpty() ? QString() : QLatin1Char('.') + ending;
    const QString stem = target.chopped(suffix.size());
    // At least three digits, all as many as the largest number needs.
    const int digits = std::max(3, static_cast<int>(QString::number(mazeCount).size()));
    QStringList out;
    for (std::size_t i = 0; i < mazeCount; ++i) {
        const QString number = mazeCount > 1 ? QStringLiteral("-%1").arg(i + 1, digits, 10, QLatin1Char('0')) : QString();
        out << stem + number + suffix;
        if (pages == PageSet::Both)
            out << stem + number + QStringLiteral("-answer") + suffix;
    }
    return out;
}

bool isRefusedTarget(const QString& fileName)
{
    const QFileInfo target(fileName);
    return target.exists() && !target.isFile();
}

QString failureMessage(const Outcome& outcome)
{
    if (outcome.result == BitmapExport::Result::CannotCreate)
        return QCoreApplication::translate("ExportEngine", "ファイル %s を作成できません")
            .replace(QStringLiteral("%s"), outcome.file);
    return QCoreApplication::translate("ExportEngine", "ストリームへの書き込みエラー");
}

Outcome write(const std::vector<const MazeBoard*>& mazes, const ExportSettings& raw, Format format,
              const QString& target)
{
    if (mazes.empty())
        return {BitmapExport::Result::WriteError, target};
    const ExportSettings settings = raw.clamped();
    const QStringList files = targetFiles(target, format, mazes.size(), settings.pages);
    for (const QString& file : files)
        if (isRefusedTarget(file) || isReadOnlyFile(file))
            return {BitmapExport::Result::CannotCreate, file};

    // Everything is drawn before the first file is replaced.
    std::vector<QByteArray> contents;
    if (format == Format::Pdf) {
        std::vector<MazeOutline> outlines;
        for (const MazeBoard* board : mazes)
            outlines.push_back(outlineOf(*board));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!MazePrint::writePdf(buffer, outlines, settings))
            return {BitmapExport::Result::WriteError, target};
        contents.push_back(buffer.data());
    } else {
        for (const MazeBoard* board : mazes)
            for (const PageKind kind : settings.pageKinds()) {
                contents.push_back(pictureBytes(*board, kind, settings, format));
                if (contents.back().isEmpty())
                    return {BitmapExport::Result::WriteError, files[static_cast<qsizetype>(contents.size() - 1)]};
            }
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        const BitmapExport::Result result = saveWhole(files[i], contents[static_cast<std::size_t>(i)]);
        if (result != BitmapExport::Result::Written)
            return {result, files[i]};
    }
    return {};
}

} // namespace ExportEngine
