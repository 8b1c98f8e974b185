#include "MazeImage.h"

#include "BitmapExport.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

MazeImage::MazeImage(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MazeImage::resetPicture(QSize size)
{
    picture_ = QImage();
    setFixedSize(size);
}

QImage& MazeImage::picture()
{
    if (picture_.isNull() || picture_.size() != size()) {
        picture_ = QImage(size(), QImage::Format_RGB32);
        // As an exported bitmap has them, so the window's maze picture can
        // be written as it is.
        picture_.setDotsPerMeterX(BitmapExport::DotsPerMetre);
        picture_.setDotsPerMeterY(BitmapExport::DotsPerMetre);
        picture_.fill(Qt::white);
    }
    return picture_;
}

QSize MazeImage::sizeHint() const
{
    return size();
}

void MazeImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (picture_.isNull()) {
        painter.fillRect(area, Qt::white);
        return;
    }
    painter.drawImage(area.topLeft(), picture_, area);
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
