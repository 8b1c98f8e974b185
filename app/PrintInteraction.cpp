#include "PrintInteraction.h"

#include "Export.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

std::optional<ExportSettings> QtPrintInteraction::askExportSettings(QWidget* parent, const MazeOutline& maze,
                                                                    const ExportSettings& current)
{
    TFExport dialog(parent);
    return dialog.AskExport(maze, current);
}

bool QtPrintInteraction::askPrint(QWidget* parent, QPrinter& printer, int pageCount)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrintInteraction::showPreview(QWidget* parent, QPrinter& printer,
                                     const std::function<void(QPrinter&)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(*p); });
    dialog.exec();
}
