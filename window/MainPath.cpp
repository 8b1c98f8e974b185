#include "Main.h"

#include "Document.h"
#include "MazeImage.h"
#include "maze_board.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

// Drawing the answer path: clicks, drags and the cursor keys on the picture,
// turned into steps of the document's path editor, each shown as it is taken.

void TFMain::ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (shapeMode_) {
        shapeMouseDown(button, x, y);
        return;
    }
    if (mazeMode() != 0)
        return;
    document_->beginEdit();
    const PathEditor editor = document_->editor();
    const PathEditor::Cell cell = editor.cellAt(x, y);
    // A press on the head of a drawn path takes it up; elsewhere it is a
    // click as ever, and one on the ring chooses a start. From the head or
    // the new start a drag with the left button draws on.
    const bool onHead = editor.hasSteps() && cell == editor.head();
    if ((onHead || ClickCell(cell)) && button == Qt::LeftButton)
        drag_ = Drag::Drawing;
    else if (document_->endEdit())
        UpdateControls();
}

bool TFMain::ClickCell(PathEditor::Cell cell)
{
    switch (document_->editor().placeOf(cell)) {
    case PathEditor::Place::Corner:
    case PathEditor::Place::Beyond:
        return false;
    case PathEditor::Place::Grid:
        ShowPrompt(Prompt::StartOutside);
        return false;
    case PathEditor::Place::Ring:
        break;
    }
    document_->chooseStart(cell);
    showDocumentState();
    RedrawImage();
    UpdateControls();
    return true;
}

void TFMain::ImageMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    if (stroke_) {
        shapeMouseMove(x, y);
        return;
    }
    if (drag_ != Drag::Drawing || mazeMode() != 0)
        return;
    // Each cell entered is a step, the cells a fast move skipped included;
    // the first cell the rules refuse ends the drag there.
    const PathEditor::Cell from = document_->editor().head();
    const PathEditor::Cell to = document_->editor().cellAt(x, y);
    for (int d = document_->editor().nextToward(from, to); d >= 0; d = document_->editor().nextToward(from, to)) {
        if (!StepPath(d)) {
            drag_ = Drag::Stopped;
            return;
        }
    }
}

void TFMain::ImageMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    if (stroke_) {
        shapeMouseUp();
        return;
    }
    if (button == Qt::LeftButton && drag_ != Drag::None && document_->endEdit())
        UpdateControls();
}

void TFMain::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    // In shape mode the mouse paints the shape; the path waits.
    if (mazeMode() != 0 || shapeMode_)
        return;
    int direction = -1;
    switch (key) {
    case Qt::Key_Down: direction = 0; break;
    case Qt::Key_Up: direction = 1; break;
    case Qt::Key_Left: direction = 2; break;
    case Qt::Key_Right: direction = 3; break;
    default: return;
    }
    document_->beginEdit();
    StepPath(direction);
    if (document_->endEdit())
        UpdateControls();
}

bool TFMain::CheckStep(int d)
{
    const PathEditor::Move move = document_->editor().check(d);
    // Back along the last step: taken here.
    if (move == PathEditor::Move::Back)
        showStep(document_->takeBack(d));
    return move == PathEditor::Move::Forward;
}

bool TFMain::StepPath(int d)
{
    const PathEditor::Cell from = document_->editor().head();
    if (CheckStep(d))
        showStep(document_->stepForward(d));
    return !(document_->editor().head() == from);
}

void TFMain::showStep(const PathEditor::Step& step)
{
    RedrawCells(step.from.x, step.from.y, step.to.x, step.to.y);
    keepHeadInView();
    if (step.outcome == PathEditor::Outcome::Refused)
        return;
    showDocumentState();
    UpdateControls();
}

void TFMain::showEdit(const BoardEdit& edit, bool sameView)
{
    showDocumentState();
    if (sameView && mazeMode() == 0 && edit.isSingleStep())
        RedrawCells(edit.before().curX, edit.before().curY, edit.after().curX, edit.after().curY);
    else
        RedrawImage();
    if (mazeMode() == 0)
        keepHeadInView();
}

bool TFMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = key->key();
        if (code == Qt::Key_Left || code == Qt::Key_Right || code == Qt::Key_Up || code == Qt::Key_Down) {
            // Seen once, where the key first arrives: the focus widget of this
            // window (the event filter also sees it on its way to the parents).
            QWidget* focus = QApplication::focusWidget();
            QWidget* first = focus ? focus : QApplication::activeWindow();
            if (watched == first && first && first->window() == this && !QApplication::activePopupWidget()
                && !qobject_cast<QMenuBar*>(first))
                FormKeyDown(code, key->modifiers());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

