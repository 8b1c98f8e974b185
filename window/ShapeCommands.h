#pragma once

#include "ShapeDialog.h"

#include <QImage>
#include <QString>

#include <memory>

class Document;
class Interaction;
class MazeShape;
class QWidget;
class ShapeInteraction;

// The Maze menu's shape commands: a figure or a text chosen in a dialog, a
// shape traced from the underlay or read from a picture file, and the full
// rectangle again. Each becomes one undoable edit of the document, after
// the questions a shape may need: one in several parts is offered as its
// largest part, one that would cut the drawn path only with the path erased.
class ShapeCommands {
public:
    // `window` is the parent of every dialog; `interaction` asks and tells.
    ShapeCommands(QWidget* window, Interaction& interaction);
    ~ShapeCommands();

    // The shape dialogs by script (tests); null restores the real ones.
    void setShapeInteraction(ShapeInteraction* dialogs);

    // Each is true when the document took a new shape.
    bool choose(Document& document);
    // `source`: the underlay's picture, see-through parts kept.
    bool fromPicture(Document& document, const QImage& source);
    // `folder`: where the file dialog opens.
    bool fromFile(Document& document, const QString& folder);
    bool remove(Document& document);
    // The questions, then the shape: true when the document took it.
    bool apply(Document& document, const MazeShape& shape);

private:
    QWidget* window_;
    Interaction& interaction_;
    std::unique_ptr<ShapeInteraction> ownDialogs_;
    ShapeInteraction* dialogs_;
    // The last choices, offered again.
    ShapeChoice lastChoice_;
    InkSetting lastInk_;
};
