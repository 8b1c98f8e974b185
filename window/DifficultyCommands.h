#pragma once

#include "maze_choice.h"

#include <QString>

#include <memory>
#include <optional>

class Document;
class DifficultyInteraction;
class QWidget;

// The Maze menu's "難しさを選んで作る...": asks for a grade or a figure, makes
// mazes in the board's style around the document's path until one is in
// the band (or keeps the nearest of the tries) as one Make Maze, and says
// how near it came. A long choice shows its progress and can be stopped;
// the nearest maze so far is kept. The goal last asked is remembered in the
// settings (difficulty/).
class DifficultyCommands {
public:
    explicit DifficultyCommands(QWidget* window);
    ~DifficultyCommands();

    // The dialog by script instead of the real one (tests); null restores it.
    void setInteraction(DifficultyInteraction* dialogs);

    // What the choice came to, or nothing when the dialog was cancelled.
    std::optional<QString> chooseAndMake(Document& document, const QString& style);

    // The sentence after a choice: found in the band, or the nearest and
    // how far from the goal; `stopped` when the user ended it early.
    static QString report(const ChosenMaze& chosen, const DifficultyGoal& goal, bool stopped);

private:
    QWidget* window_;
    std::unique_ptr<DifficultyInteraction> ownDialogs_;
    DifficultyInteraction* dialogs_;
};
