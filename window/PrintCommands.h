#pragma once

#include <QString>

#include <memory>

class Interaction;
class MazeBoard;
class PrintInteraction;
class QPrinter;
class QWidget;
struct ExportSettings;

// Print, Print preview and Export of the main window. They read the board
// and never change it, the document or the view. The settings are those of
// the export dialog, remembered between runs; printing and the preview use
// them as last chosen there.
class PrintCommands {
public:
    // `window` is the parent of every dialog; `interaction` asks the file
    // name and shows failures.
    PrintCommands(QWidget* window, Interaction& interaction);
    ~PrintCommands();

    // Dialogs by script instead of the real ones (tests); null restores these.
    void setPrintInteraction(PrintInteraction* dialogs);

    void print(const MazeBoard& board, const QString& documentName);
    void preview(const MazeBoard& board, const QString& documentName);
    void exportMaze(const MazeBoard& board, const QString& documentName);

    // The name the save dialog offers: the document's, with the export's
    // suffix in place of .maz.
    static QString suggestedName(const QString& documentName, const QString& suffix);

private:
    // The remembered settings, with the printer set up for them.
    ExportSettings preparePrinter(QPrinter& printer, const QString& documentName) const;

    QWidget* window_;
    Interaction& interaction_;
    std::unique_ptr<PrintInteraction> ownDialogs_;
    PrintInteraction* dialogs_;
};
