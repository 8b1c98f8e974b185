#include "Document.h"

#include "EditHistory.h"
#include "maze_board.h"
#include "maze_shape.h"

// The document's shape edits: whole shapes from the menu, and painting
// strokes from the shape mode, each recorded as one edit.

Document::ShapeFit Document::checkShape(const MazeShape& shape) const
{
    if (!shape.isFull() && !shape.isOneRegion())
        return ShapeFit::NotOneRegion;
    // The editor only reads here.
    if (!PathEditor(const_cast<MazeBoard&>(*board_)).fitsShape(shape))
        return ShapeFit::CutsPath;
    return ShapeFit::Fits;
}

bool Document::applyShape(const MazeShape& shape, bool erasePath)
{
    const ShapeFit fit = checkShape(shape);
    if (fit == ShapeFit::NotOneRegion || (fit == ShapeFit::CutsPath && !erasePath))
        return false;
    // The 0 x 0 shape stands for the full rectangle.
    MazeShape taken = shape.width() == 0 ? MazeShape(board_->getWidth(), board_->getHeight()) : shape;
    if (taken == board_->shape())
        return false;
    beginEdit();
    pendingEdit_->keepShape(*board_);
    if (fit == ShapeFit::CutsPath) {
        editor().makeRoomFor(taken);
        state_.canMakeMaze = false;
        setPrompt(Prompt::ChooseStart);
    }
    if (!board_->setShape(std::move(taken))) {
        cancelEdit();
        return false;
    }
    shapeChanged();
    endEdit();
    return true;
}

void Document::beginStroke()
{
    beginEdit();
    pendingEdit_->keepShape(*board_);
}

Document::Paint Document::paintCell(int x, int y, bool inside)
{
    if (!pendingEdit_ || x < 0 || y < 0 || x >= board_->getWidth() || y >= board_->getHeight()
        || board_->isInside(x, y) == inside)
        return Paint::Same;
    if (editor().touchesPath({x, y}))
        return Paint::OnPath;
    MazeShape shape = board_->shape();
    shape.setInside(x, y, inside);
    if (!board_->setShape(std::move(shape)))
        return Paint::Same;
    shapeChanged();
    return Paint::Changed;
}

bool Document::keepLargestPart()
{
    if (!pendingEdit_)
        return false;
    const MazeShape largest = board_->shape().largestPart();
    if (checkShape(largest) != ShapeFit::Fits || !board_->setShape(largest))
        return false;
    shapeChanged();
    return true;
}

void Document::cancelEdit()
{
    if (pendingEdit_) {
        pendingEdit_->finish(*board_);
        pendingEdit_->undo(*board_);
        pendingEdit_.reset();
        state_ = pendingBefore_;
        setModified(!history_->isClean());
    }
    emit editClosed();
}

void Document::shapeChanged()
{
    if (state_.mazeMode != 0) {
        // The maze shown no longer fits the board: back to drawing, the
        // path kept, as after a made route.
        state_.mazeMode = 0;
        state_.mazeMade = false;
        state_.figures.reset();
        if (state_.canMakeMaze)
            setPrompt(Prompt::PressMakeMaze);
    }
    setModified(true);
}
