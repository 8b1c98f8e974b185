#include "MazeImage.h"

#include "BitmapExport.h"
#include "QtCanvas.h"
#include "Underlay.h"
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
    draw(out, area.topLeft());
    return out;
}

void MazeImage::draw(QImage& into, QPoint at) const
{
    if (view_ == View::Blank || !board_) {
        into.fill(Qt::white);
        return;
    }
    const QRect area(at, into.size());
    const PixelRect picture = board_->imageRect();
    if (area.right() >= picture.right || area.bottom() >= picture.bottom)
        into.fill(Qt::white);
    QPainter painter(&into);
    painter.translate(-at);
    QtCanvas canvas(painter);
    const PixelRect part{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    if (view_ == View::Maze) {
        board_->drawMaze(canvas, part);
    } else {
        board_->drawGrid(canvas, part);
        board_->drawPath(canvas, part);
        painter.end();
        if (underlay_)
            underlay_->paintOver(into, area, *board_, at);
        if (!marked_.empty())
            tintMarked(into, at);
    }
}

void MazeImage::tintMarked(QImage& into, QPoint at) const
{
    const int w = board_->getWidth();
    const int h = board_->getHeight();
    if (marked_.size() != std::size_t(w) * std::size_t(h))
        return;
    const int g = board_->getGridSize();
    const QRect area(at, into.size());
    QPainter painter(&into);
    painter.translate(-at);
    const QColor tint(0xFF, 0x00, 0x00, 0x70);
    // Only the cells the area touches.
    const int x0 = std::clamp((area.left() - board_->getMarginX()) / g, 0, w);
    const int x1 = std::clamp((area.right() - board_->getMarginX()) / g + 1, 0, w);
    const int y0 = std::clamp((area.top() - board_->getMarginY()) / g, 0, h);
    const int y1 = std::clamp((area.bottom() - board_->getMarginY()) / g + 1, 0, h);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (marked_[std::size_t(y) * std::size_t(w) + std::size_t(x)])
                painter.fillRect(board_->getMarginX() + x * g, board_->getMarginY() + y * g, g, g, tint);
}

QSize MazeImage::sizeHint() const
{
    return size();
}

void MazeImage::paintEvent(QPaintEvent* event)
{
    // Drawn band by band through one small buffer, kept for the next paint,
    // so that however large the exposed part is, the drawing needs no more.
    constexpr int BandPixels = 1 << 18;
    if (!band_)
        band_ = std::make_unique<std::uint32_t[]>(BandPixels);
    const QRect area = event->rect();
    const int width = std::min(area.width(), BandPixels);
    const int rows = BandPixels / std::max(width, 1);
    QPainter painter(this);
    for (int left = area.left(); left <= area.right(); left += width) {
        const int columns = std::min(width, area.right() + 1 - left);
        for (int top = area.top(); top <= area.bottom(); top += rows) {
            QImage band(reinterpret_cast<uchar*>(band_.get()), columns, std::min(rows, area.bottom() + 1 - top),
                        columns * 4, QImage::Format_RGB32);
            draw(band, QPoint(left, top));
            painter.drawImage(QPoint(left, top), band);
        }
    }
}

void MazeImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void MazeImage::mouseMoveEvent(QMouseEvent* event)
{
    // Without mouse tracking, moves come only while a button is held; the
    // widget keeps them while the pointer is outside it.
    const QPoint at = event->position().toPoint();
    emit mouseMove(event->buttons(), event->modifiers(), at.x(), at.y());
}

void MazeImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouseUp(event->button(), event->modifiers(), at.x(), at.y());
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
