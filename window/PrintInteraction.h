#pragma once

#include "ExportSettings.h"

#include <functional>
#include <optional>

class QPrinter;
class QWidget;
struct MazeOutline;

// The modal dialogs of printing and exporting: the export dialog, the print
// dialog and the print preview. The program shows the real ones
// (QtPrintInteraction); tests answer by script, so that none waits on them.
class PrintInteraction {
public:
    virtual ~PrintInteraction() = default;

    // The export dialog for `maze`, preset with `current`; nothing on Cancel.
    virtual std::optional<ExportSettings> askExportSettings(QWidget* parent, const MazeOutline& maze,
                                                            const ExportSettings& current) = 0;
    // The same dialog before printing, without what only files have (the
    // format, the resolution). By default the settings as they stand.
    virtual std::optional<ExportSettings> askPrintSettings(QWidget* parent, const MazeOutline& maze,
                                                           const ExportSettings& current)
    {
        (void)parent;
        (void)maze;
        return current;
    }
    // The print dialog on `printer`, offering pages 1 ... pageCount; true
    // when the user chose to print (the printer then holds the choices).
    virtual bool askPrint(QWidget* parent, QPrinter& printer, int pageCount) = 0;
    // The print preview of `printer`; `paint` draws the pages on whichever
    // printer the preview hands it, for the screen and for printing.
    virtual void showPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
};

class QtPrintInteraction : public PrintInteraction {
public:
    std::optional<ExportSettings> askExportSettings(QWidget* parent, const MazeOutline& maze,
                                                    const ExportSettings& current) override;
    std::optional<ExportSettings> askPrintSettings(QWidget* parent, const MazeOutline& maze,
                                                   const ExportSettings& current) override;
    bool askPrint(QWidget* parent, QPrinter& printer, int pageCount) override;
    void showPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
};
