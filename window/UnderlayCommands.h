#pragma once

#include "Underlay.h"

#include <QString>

class Interaction;
class QWidget;

// The View menu's underlay commands, and the underlay remembered for each
// maze file. None of them touches the maze, its file or its undo history.
//
// A maze saved (or opened) under a name keeps its underlay in the settings
// under that name: underlay/<key>/ with the maze's path, the picture's path
// and the strength. The key is made from the maze's absolute path so that no
// character of it (a '/' or '\' above all) can split or merge entries.
class UnderlayCommands {
public:
    // `window` is the parent of every dialog; `interaction` asks and tells.
    UnderlayCommands(QWidget* window, Interaction& interaction);

    Underlay& underlay() { return underlay_; }
    const Underlay& underlay() const { return underlay_; }

    // Each takes the maze file's name (empty while it has none) and says
    // whether the underlay changed.
    // "下絵を読み込む": asks for a picture file and takes it.
    bool choose(const QString& mazeFile);
    // A picture that cannot be used gives a message naming it, and nothing
    // changes.
    bool take(const QString& imageFile, const QString& mazeFile);
    // "下絵の濃さ": asks for the strength.
    bool askStrength(const QString& mazeFile);
    // "下絵を外す".
    void remove(const QString& mazeFile);

    // A maze file was opened: its remembered underlay comes back, at its
    // strength; without one, or when its picture can no longer be read,
    // there is none.
    void mazeOpened(const QString& mazeFile);
    // The maze was saved as `mazeFile`: its underlay, or that it has none,
    // is remembered for that name.
    void mazeSaved(const QString& mazeFile);

    // The file dialog's filter for pictures: every kind the program reads.
    static QString imageFilter();

    // The settings group of a maze file's underlay, "underlay/<key>".
    static QString settingsGroup(const QString& mazeFile);

private:
    void remember(const QString& mazeFile) const;

    QWidget* window_;
    Interaction& interaction_;
    Underlay underlay_;
};
