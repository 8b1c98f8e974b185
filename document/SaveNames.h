#pragma once

#include <QString>

// The names the two save dialogs offer and take. A maze is never saved under
// a bitmap's name nor a bitmap under a maze's: the export once offered the
// maze file's name, and Enter replaced the maze with picture bytes.
namespace SaveNames {

enum class Kind { Maze, Bitmap };

// "maz" or "bmp", without the dot.
QString suffix(Kind kind);
// The name ends in the other kind's suffix (in any case).
bool isOtherKind(const QString& name, Kind kind);
// The name with its suffix, if it has one, replaced by the kind's.
QString withSuffix(const QString& name, Kind kind);
// What the bitmap export offers: the name last chosen for this document's
// bitmap; else the document's base name with .bmp, in the folder last used
// for bitmaps or else the document's; else nothing.
QString bitmapOffer(const QString& documentName, const QString& lastBitmapName, const QString& bitmapFolder);

} // namespace SaveNames
