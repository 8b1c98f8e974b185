#pragma once

#include "BookMaker.h"

#include <QString>

#include <memory>

class BookInteraction;
class Interaction;
class MazeBoard;
class PrintCommands;
class QWidget;

// File → "ワークシート・本を作る...": a set of worksheets or a book of mazes
// made around the current maze's drawn path, on a copy of the board (the
// document, its board and the view never change), written as one PDF or
// printed through the same export engine as --batch. A long book shows its
// progress and can be cancelled; a cancelled book leaves no file.
//
// The book maker's choices are remembered between runs in the group
// "book/"; the labels and the name line are the maze's own (PrintCommands).
class BookCommands {
public:
    BookCommands(QWidget* window, Interaction& interaction, PrintCommands& print);
    ~BookCommands();

    // Dialogs by script instead of the real ones (tests); null restores these.
    void setBookInteraction(BookInteraction* dialogs);

    void makeBook(const MazeBoard& board, const QString& documentName);

    // What the book maker starts from: the choices last made, with this
    // maze's labels and name line and a seed of its own.
    BookChoices startingChoices() const;

private:
    void remember(const BookChoices& choices) const;

    QWidget* window_;
    Interaction& interaction_;
    PrintCommands& print_;
    std::unique_ptr<BookInteraction> ownDialogs_;
    BookInteraction* dialogs_;
};
