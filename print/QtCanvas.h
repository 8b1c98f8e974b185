#pragma once

#include "maze_canvas.h"

#include <QColor>
#include <QPoint>

class QPainter;

// The board's canvas over a QPainter, with the pixel rules the board draws
// by, which are not Qt's defaults: a line leaves out its end pixel, a filled
// rectangle covers left <= x < right and top <= y < bottom, an ellipse lies
// inside its box with right and bottom exclusive. No antialiasing.
class QtCanvas : public MazeCanvas {
public:
    explicit QtCanvas(QPainter& painter);

    // 0x00BBGGRR, red in the low byte, to Qt's colour.
    static QColor toQColor(MazeColor color);

    void setBrushColor(MazeColor color) override;
    void setPenColor(MazeColor color) override;
    void fillRect(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void ellipse(int left, int top, int right, int bottom) override;

private:
    QPainter& painter_;
    QColor pen_;
    QColor brush_;
    QPoint current_;
};
