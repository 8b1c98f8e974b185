#pragma once

#include <QImage>
#include <QString>

class MazeBoard;
class QIODevice;

// The maze picture of a board as a bitmap file: the picture at its full size,
// whatever the window shows, written as a 24-bit BMP.
namespace BitmapExport {

// SameFile: two files of one export are one file on disk. Busy: another
// writer is putting the file in place. TooManyFiles: the process may open
// no more files. (These three from staged files only.)
enum class Result { Written, CannotCreate, WriteError, SameFile, Busy, TooManyFiles };

// 96 dots per inch, the usual screen resolution, whatever this screen's is.
constexpr int DotsPerMetre = 3780;

// The maze picture (never the editing view), with fixed dots per metre so
// that the same maze always gives the same file.
QImage mazePicture(const MazeBoard& board);

Result write(const QImage& picture, QIODevice& device);
// Replaces the file as a whole or not at all, as a maze file is saved. Only a
// regular file (or a new one) is written: anything else is refused as
// CannotCreate; a write that fails part of the way is a WriteError.
Result save(const MazeBoard& board, const QString& fileName);
// The same with the maze picture already drawn (the window's, when it shows
// the maze), so that a large picture is not drawn a second time.
Result save(const QImage& mazePicture, const QString& fileName);
// Any file's bytes saved the same way: whole or not at all, only over a
// regular file, a short write a WriteError.
Result saveBytes(const QByteArray& bytes, const QString& fileName);

} // namespace BitmapExport
