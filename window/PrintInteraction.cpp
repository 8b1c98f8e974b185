#include "PrintInteraction.h"

#include "Export.h"

#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include <algorithm>

std::optional<ExportSettings> QtPrintInteraction::askExportSettings(QWidget* parent, const MazeOutline& maze,
                                                                    const ExportSettings& current)
{
    TFExport dialog(parent);
    return dialog.AskExport(maze, current);
}

std::optional<ExportSettings> QtPrintInteraction::askPrintSettings(QWidget* parent, const MazeOutline& maze,
                                                                   const ExportSettings& current)
{
    TFExport dialog(parent);
    return dialog.AskPrint(maze, current);
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
    // Large enough to read a page of maze.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size();
        dialog.resize(std::min(room.width() * 7 / 10, 1000), room.height() * 9 / 10);
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(*p); });
    dialog.exec();
}
