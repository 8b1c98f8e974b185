#include "Main.h"

#include "Document.h"
#include "Interaction.h"
#include "MazeImage.h"
#include "ShapeCommands.h"
#include "ShapeTexts.h"
#include "Underlay.h"
#include "UnderlayCommands.h"
#include "maze_board.h"

#include <QFileInfo>
#include <QStatusBar>

#include <algorithm>
#include <cstdlib>

// The maze's shape in the window: the shape mode, whose strokes paint cells
// out (left button) or back in (right button), and the Maze menu's shape
// commands.

namespace {

// How long the note about the path's cells stays in the status bar.
constexpr int NoteMilliseconds = 4000;

} // namespace

void TFMain::setShapeInteraction(ShapeInteraction* dialogs)
{
    shapeCommands_->setShapeInteraction(dialogs);
}

void TFMain::MMShapeModeClick()
{
    document_->endEdit();
    shapeMode_ = MMShapeMode->isChecked();
    UpdateControls();
}

void TFMain::shapeMouseDown(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    document_->beginStroke();
    stroke_ = Stroke{button == Qt::RightButton};
    paintShapeCell(document_->editor().cellAt(x, y));
}

void TFMain::shapeMouseMove(int x, int y)
{
    // Every cell between the last one and this is painted, so that a fast
    // move leaves no gaps: the cells nearest the straight line.
    const PathEditor::Cell to = document_->editor().cellAt(x, y);
    const PathEditor::Cell from = stroke_->last;
    const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    for (int i = 1; i <= steps && stroke_; ++i)
        paintShapeCell({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
}

void TFMain::paintShapeCell(PathEditor::Cell cell)
{
    stroke_->last = cell;
    const bool wasMaze = mazeMode() != 0;
    switch (document_->paintCell(cell.x, cell.y, stroke_->inside)) {
    case Document::Paint::Same:
        return;
    case Document::Paint::OnPath:
        if (!stroke_->toldPath)
            statusBar()->showMessage(ShapeTexts::text(ShapeTexts::NoteOnPath), NoteMilliseconds);
        stroke_->toldPath = true;
        return;
    case Document::Paint::Changed:
        break;
    }
    // The first change under a shown maze brings the editing view back.
    if (wasMaze) {
        RedrawImage();
        showDocumentState();
        UpdateControls();
    } else {
        // The cell with the grid lines on all four sides: its right and
        // bottom lines lie one pixel past it, and come or go with it.
        const MazeBoard& board = document_->board();
        const int g = board.getGridSize();
        paintPicture(QRect(board.getMarginX() + cell.x * g, board.getMarginY() + cell.y * g, g + 1, g + 1));
    }
}

void TFMain::shapeMouseUp()
{
    const MazeShape& shape = document_->board().shape();
    if (!shape.isFull() && !shape.isOneRegion()) {
        // The cells that would fall away are shown while the question waits.
        using ShapeTexts::text;
        Image->setMarked(shape.cutOffCells());
        RedrawImage();
        bool keep = false;
        if (!shape.largestPart().isOneRegion())
            interaction_->showMessage(this, Interaction::MessageKind::Warning, text(ShapeTexts::QuestionTooSmall));
        else if (interaction_->askChoice(this, text(ShapeTexts::QuestionParts), text(ShapeTexts::ButtonKeepLargest),
                                         text(ShapeTexts::ButtonGoBack))) {
            keep = document_->keepLargestPart();
            if (!keep)
                interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                          text(ShapeTexts::MessageLargestCutsPath));
        }
        Image->setMarked({});
        if (!keep)
            document_->cancelEdit();
        RedrawImage();
    }
    // Each cell was repainted as it changed.
    document_->endEdit();
    showDocumentState();
    UpdateControls();
}

void TFMain::shapeChanged(bool changed)
{
    if (!changed)
        return;
    RedrawImage();
    showDocumentState();
    UpdateControls();
}

void TFMain::MMChooseShapeClick()
{
    shapeChanged(shapeCommands_->choose(*document_));
}

void TFMain::MMShapeFromUnderlayClick()
{
    shapeChanged(shapeCommands_->fromPicture(*document_, underlay_->underlay().shapeSource()));
}

void TFMain::MMShapeFromFileClick()
{
    const QString folder = fileName().isEmpty() ? QString() : QFileInfo(fileName()).absolutePath();
    shapeChanged(shapeCommands_->fromFile(*document_, folder));
}

void TFMain::MMRemoveShapeClick()
{
    shapeChanged(shapeCommands_->remove(*document_));
}
