#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class MazeBoard;
class Underlay;

// The picture area of the main window. It keeps no picture: whatever part
// of it is exposed is drawn from the board then, at the board's current cell
// size, so a large board costs what the window shows, not what the picture
// would hold. Right of a picture narrower than the area, and before the
// board is shown at all, the area is white. Reports mouse presses, moves
// with a button held and releases, with picture coordinates.
class MazeImage : public QWidget {
    Q_OBJECT

public:
    // Which picture of the board the area shows.
    enum class View { Blank, Editing, Maze };

    explicit MazeImage(QWidget* parent = nullptr);

    void setBoard(const MazeBoard* board) { board_ = board; }
    // A picture shown under the grid of the editing view, if any.
    void setUnderlay(Underlay* underlay) { underlay_ = underlay; }
    // Takes effect with the next paint; the caller asks for the repaint.
    void setView(View view) { view_ = view; }
    View view() const { return view_; }
    // Cells of the editing view tinted red (one byte a cell, non-zero
    // marked; empty for none): what a change of shape would leave out.
    void setMarked(std::vector<std::uint8_t> cells) { marked_ = std::move(cells); }

    // The area's pixels within `area` (all of them when empty), drawn afresh
    // as the area shows them.
    QImage pixels(const QRect& area = {}) const;

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
    // Draws the part of the area at `at` of the size of `into` into it.
    void draw(QImage& into, QPoint at) const;
    void tintMarked(QImage& into, QPoint at) const;

    const MazeBoard* board_ = nullptr;
    Underlay* underlay_ = nullptr;
    View view_ = View::Blank;
    std::vector<std::uint8_t> marked_;
    std::unique_ptr<std::uint32_t[]> band_; // what a paint draws into, band by band
};
