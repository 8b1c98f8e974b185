#pragma once

#include "BitmapExport.h"
#include "ExportSettings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class MazeBoard;

// Writes mazes to files, for the window and the command line alike: a PDF
// of pages, or pictures (SVG, PNG, and the window's bitmap picture as BMP).
// Every file is written whole or not at all.
namespace ExportEngine {

enum class Format { Pdf, Svg, Png, Bmp };

// The format a file name asks for, by its suffix (any case).
std::optional<Format> formatOf(const QString& fileName);
QString suffixOf(Format format);
Format formatFor(PictureFormat format);

// The files one export writes, in order. A PDF is the one file named; it
// holds every puzzle page, then every answer page. Pictures come one per
// maze and page: NAME.svg and NAME-answer.svg for one maze, NAME-001.svg,
// NAME-001-answer.svg, NAME-002.svg ... for several (at least three digits,
// all as many as the count needs: NAME-0001.svg ... for 1000).
QStringList targetFiles(const QString& target, Format format, std::size_t mazeCount, PageSet pages);

// Something other than a regular file stands at this name (a folder, a
// device, a FIFO, a socket): it is refused and never opened.
bool isRefusedTarget(const QString& fileName);

struct Outcome {
    BitmapExport::Result result = BitmapExport::Result::Written;
    QString file; // the file that failed
    bool ok() const { return result == BitmapExport::Result::Written; }
};

// The message for a failed write: "ファイル %s を作成できません" with the file,
// or "ストリームへの書き込みエラー".
QString failureMessage(const Outcome& outcome);

// Writes `mazes` to `target` in `format`. Nothing is written when a target
// is refused; a file that fails leaves what stood there before.
Outcome write(const std::vector<const MazeBoard*>& mazes, const ExportSettings& settings, Format format,
              const QString& target);

} // namespace ExportEngine
