#pragma once

#include <QImage>
#include <QWidget>

// The picture area of the main window: holds the picture the board is drawn
// into and shows it. Reports mouse presses, moves with a button held and
// releases, with picture coordinates.
class MazeImage : public QWidget {
    Q_OBJECT

public:
    explicit MazeImage(QWidget* parent = nullptr);

    // Discards the picture and sets the area's size; the next picture() is a
    // new one of that size, white.
    void resetPicture(QSize size);
    QImage& picture();
    const QImage& currentPicture() const { return picture_; }

    QSize sizeHint() const override;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
};
