#pragma once

#include "ExportEngine.h"
#include "ExportSettings.h"

#include <QString>

#include <memory>

class Interaction;
class MazeBoard;
class PrintInteraction;
class QPrinter;
class QWidget;

// Print, Print preview and Export of the main window. They read the board
// and never change it, the document or the view. Printing and exporting
// show the one settings dialog; the layout chosen there (paper, margins,
// mazes a page, walls ...) is remembered as the default for every maze,
// while the maze's own choices (its title, name line and labels) stay with
// it: kept for its file, as its underlay is, and never carried into a new
// maze.
class PrintCommands {
public:
    // `window` is the parent of every dialog; `interaction` asks the file
    // name and shows failures.
    PrintCommands(QWidget* window, Interaction& interaction);
    ~PrintCommands();

    // Dialogs by script instead of the real ones (tests); null restores these.
    void setPrintInteraction(PrintInteraction* dialogs);
    PrintInteraction& dialogs() const { return *dialogs_; }

    void print(const MazeBoard& board, const QString& documentName);
    void preview(const MazeBoard& board, const QString& documentName);
    void exportMaze(const MazeBoard& board, const QString& documentName);

    // The maze shown is another one: a new maze has the choices of none, an
    // opened one those kept for its file, and a maze saved under a name
    // keeps its choices for that name.
    void newMaze();
    void mazeOpened(const QString& mazeFile);
    void mazeSaved(const QString& mazeFile);

    // The settings for this maze: the remembered layout with its own choices.
    ExportSettings settings() const;
    // After the settings dialog: the layout remembered, the maze's own kept.
    void chosen(const ExportSettings& settings, const QString& documentName);

    // The name the save dialog offers: the document's, with the export's
    // suffix in place of .maz.
    static QString suggestedName(const QString& documentName, const QString& suffix);
    // The same, made free: a name none of whose files exist yet ("-2", "-3"
    // ... before the suffix), so that Enter in the save box never replaces
    // the last sheet.
    static QString freeName(const QString& offered, ExportEngine::Format format, PageSet pages);

    // The printer set up for these settings: paper, orientation, names.
    static void preparePrinter(QPrinter& printer, const ExportSettings& settings, const QString& documentName);

private:

    QWidget* window_;
    Interaction& interaction_;
    std::unique_ptr<PrintInteraction> ownDialogs_;
    PrintInteraction* dialogs_;
    // This maze's own choices (the layout ones unused).
    ExportSettings mazeChoices_;
};
