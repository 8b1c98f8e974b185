#pragma once

#include <QString>

class QMimeData;

// What files dropped on the window bring. Decided here, in one place, so that
// other kinds of file can later be taken beside the maze file.
struct DroppedFiles {
    enum class Kind {
        Nothing, // no local file at all: the drop is not taken
        Maze,    // one .maz file
        Image,   // one picture file (by its suffix), for the underlay
        Other,   // one file of another kind
        Several, // more than one file
    };
    Kind kind = Kind::Nothing;
    QString file;

    static DroppedFiles examine(const QMimeData& data);
};
