#include "Main.h"

#include "ColorKey.h"
#include "Document.h"
#include "MazeImage.h"
#include "maze_board.h"

#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>

// The picture of the document in the window: what is repainted after a
// change, and the window fitted to the picture.

namespace {

// The narrowest the window is fitted to, so the menu and tool bar fit.
constexpr int MinClientWidth = 320;

} // namespace

void TFMain::RedrawImage()
{
    paintPicture({});
}

void TFMain::RedrawCells(int x1, int y1, int x2, int y2)
{
    const MazeBoard& board = document_->board();
    const int g = board.getGridSize();
    const QRect first(board.getMarginX() + x1 * g, board.getMarginY() + y1 * g, g, g);
    const QRect second(board.getMarginX() + x2 * g, board.getMarginY() + y2 * g, g, g);
    paintPicture(first | second);
}

void TFMain::paintPicture(const QRect& area)
{
    // The picture area draws what it exposes from the board when it paints.
    Image->setView(mazeMode() != 0 ? MazeImage::View::Maze : MazeImage::View::Editing);
    if (area.isEmpty())
        Image->update();
    else
        Image->update(area);
    colorKey_->pictureChanged(Image, shownPicture(), area);
}

ColorKey::PictureSource TFMain::shownPicture() const
{
    return [image = Image](const QRect& area) { return image->pixels(area); };
}

void TFMain::FitImageToBoard()
{
    int imageWidth = 0, imageHeight = 0;
    document_->board().getImageSize(imageWidth, imageHeight);
    const int clientWidth = std::max(imageWidth, MinClientWidth);
    Image->setFixedSize(QSize(clientWidth, imageHeight));
    // The menu bar lies inside a Qt window; the rest is picture, tool bar
    // and status bar.
    const int menuHeight = menuBar()->isVisible() ? menuBar()->height() : menuBar()->sizeHint().height();
    QSize fitted(clientWidth, menuHeight + ToolBarHeight + imageHeight + StatusBarHeight);
    // Never larger than the screen: the rest of a big picture is reached with
    // the scroll bars, and the window's back buffer stays screen-sized.
    if (const QScreen* display = screen()) {
        const QSize frame = frameGeometry().size() - geometry().size();
        fitted = fitted.boundedTo(display->availableGeometry().size() - frame);
    }
    resize(fitted);
    fittedSize_ = fitted;
    RedrawImage();
}

void TFMain::keepHeadInView()
{
    const MazeBoard& board = document_->board();
    const int g = board.getGridSize();
    imageArea_->ensureVisible(board.getMarginX() + board.curX * g + g / 2,
                              board.getMarginY() + board.curY * g + g / 2, g, g);
}

void TFMain::zoomGrid(int step)
{
    MazeBoard& board = document_->board();
    const int size = MazeBoard::zoomedGridSize(board.getGridSize(), step);
    // A step that changes nothing costs nothing: keys held at a limit leave
    // the window as it is.
    if (size == board.getGridSize())
        return;
    board.setGridSize(size);
    // Refitted at once; the picture area paints once the keys already
    // waiting are handled, so a burst of steps is painted once.
    FitImageToBoard();
}

void TFMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A window larger than all screens together shows no more than they do,
    // yet Qt keeps a back buffer of its whole area: it is kept within them
    // (a window manager keeps to the limit; a window resized past it without
    // one is brought back).
    if (const QScreen* display = screen()) {
        const QSize most = display->virtualGeometry().size();
        setMaximumSize(most);
        if (width() > most.width() || height() > most.height())
            resize(size().boundedTo(most));
    }
    colorKey_->geometryChanged(Image, shownPicture());
}

