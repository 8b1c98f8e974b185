#include "QtCanvas.h"

#include <QPainter>

#include <cstdlib>

QtCanvas::QtCanvas(QPainter& painter)
    : painter_(painter)
    , pen_(Qt::black)
    , brush_(Qt::white)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

QColor QtCanvas::toQColor(MazeColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

void QtCanvas::setBrushColor(MazeColor color)
{
    brush_ = toQColor(color);
}

void QtCanvas::setPenColor(MazeColor color)
{
    pen_ = toQColor(color);
}

void QtCanvas::fillRect(int left, int top, int right, int bottom)
{
    if (right > left && bottom > top)
        painter_.fillRect(QRect(left, top, right - left, bottom - top), brush_);
}

void QtCanvas::moveTo(int x, int y)
{
    current_ = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y)
{
    const QPoint from = current_;
    current_ = QPoint(x, y);
    // The board draws only horizontal and vertical lines: a one-pixel-wide
    // rectangle from the start up to, not including, the end.
    if (from.y() == y) {
        if (x > from.x())
            painter_.fillRect(QRect(from.x(), y, x - from.x(), 1), pen_);
        else if (x < from.x())
            painter_.fillRect(QRect(x + 1, y, from.x() - x, 1), pen_);
        return;
    }
    if (from.x() == x) {
        if (y > from.y())
            painter_.fillRect(QRect(x, from.y(), 1, y - from.y()), pen_);
        else
            painter_.fillRect(QRect(x, y + 1, 1, from.y() - y), pen_);
        return;
    }
    // Any other slope: Bresenham's steps, the end pixel left out.
    const int dx = std::abs(x - from.x());
    const int dy = -std::abs(y - from.y());
    const int sx = x > from.x() ? 1 : -1;
    const int sy = y > from.y() ? 1 : -1;
    int error = dx + dy;
    QPoint p = from;
    while (p != current_) {
        painter_.fillRect(QRect(p, QSize(1, 1)), pen_);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

void QtCanvas::ellipse(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    // An aliased outline of a one-pixel pen covers the box's far edges too,
    // so the box Qt gets is one pixel smaller than the exclusive one.
    painter_.setPen(QPen(pen_, 1));
    painter_.setBrush(brush_);
    painter_.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    painter_.restore();
}
