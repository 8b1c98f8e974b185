#include "MazeImage.h"

#include "BitmapExport.h"
#include "QtCanvas.h"
#include "maze_board.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

MazeImage::MazeImage(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage MazeImage::pixels(const QRect& wanted) const
{
    const QRect area = wanted.isEmpty() ? rect() : wanted;
    QImage out(area.size(), QImage::Format_RGB32);
    // As an exported bitmap has them, so the maze picture shown can be
    // written as it is.
    out.setDotsPerMeterX(BitmapExport::DotsPerMetre);
    out.setDotsPerMeterY(BitmapExport::DotsPerMetre);
    if (view_ == View::Blank || !board_) {
        out.fill(Qt::white);
        return out;
    }
    const PixelRect picture = board_->imageRect();
    if (area.right() >= picture.right || area.bottom() >= picture.bottom)
        out.fill(Qt::white);
    QPainter painter(&out);
    painter.translate(-area.topLeft());
    QtCanvas canvas(painter);
    const PixelRect part{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    if (view_ == View::Maze) {
        board_->drawMaze(canvas, part);
    } else {
        board_->drawGrid(canvas, part);
        board_->drawPath(canvas, part);
    }
    return out;
}

QSize MazeImage::sizeHint() const
{
    return size();
}

void MazeImage::paintEvent(QPaintEvent* event)
{
    // Drawn in bands of at most a screenful, so that however large the
    // exposed part is, what the drawing needs stays small.
    constexpr int BandPixels = 1 << 21;
    const QRect area = event->rect();
    const int rows = std::max(1, BandPixels / std::max(area.width(), 1));
    QPainter painter(this);
    for (int top = area.top(); top <= area.bottom(); top += rows) {
        const QRect band(area.left(), top, area.width(), std::min(rows, area.bottom() + 1 - top));
        painter.drawImage(band.topLeft(), pixels(band));
    }
}

void MazeImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void MazeImage::keyPressEvent(QKeyEvent* event)
{
    // The window has handled the cursor keys already; they end here rather
    // than scrolling the surrounding area.
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->accept();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
