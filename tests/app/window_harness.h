#pragma once

// A main window driven as a user would: shown, active, with the keys going
// to whatever has the focus and clicks landing on the picture.

#include "Main.h"
#include "MazeImage.h"
#include "QtCanvas.h"
#include "maze_board.h"
#include "scratch_settings.h"
#include "scripted_interaction.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

struct WindowHarness {
    // Each window starts from no stored settings.
    struct Cleared {
        Cleared() { QSettings().clear(); }
    } cleared;
    ScriptedInteraction script;
    std::unique_ptr<TFMain> window;

    WindowHarness()
        : window(std::make_unique<TFMain>(&script))
    {
        window->InitMaze();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        window->image()->setFocus();
    }

    QAction* action(const char* name) const
    {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }

    // A key press and release where keys go: the focus widget.
    void press(Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
            QTest::keyClick(target, key);
        }
    }
    void pressKeys(const char* keys)
    {
        for (; *keys; ++keys) {
            switch (*keys) {
            case 'R': press(Qt::Key_Right); break;
            case 'L': press(Qt::Key_Left); break;
            case 'U': press(Qt::Key_Up); break;
            case 'D': press(Qt::Key_Down); break;
            default: break;
            }
        }
    }

    // A click on the picture at pixel (x, y), or in the middle of cell (cx, cy).
    void clickAt(int x, int y) { QTest::mouseClick(window->image(), Qt::LeftButton, {}, QPoint(x, y)); }
    void clickCell(int cx, int cy)
    {
        const MazeBoard& b = window->board();
        const int g = b.getGridSize();
        clickAt(b.getMarginX() + cx * g + g / 2, b.getMarginY() + cy * g + g / 2);
    }

    // New with the given size, answered in the (scripted) size dialog;
    // unsaved changes are discarded.
    void newBoard(int width, int height, int gridSize)
    {
        if (window->isModified())
            script.answers.push_back(Interaction::Answer::No);
        script.sizes.push_back(Interaction::NewSize{width, height, gridSize});
        action("MMNew")->trigger();
    }

    // The picture area's size, and the client area (window less menu bar).
    QSize clientSize() const
    {
        return QSize(window->width(), window->height() - window->menuBar()->height());
    }
};

// The board's picture, drawn afresh into an image of its own.
inline QImage freshPicture(const MazeBoard& board, bool maze)
{
    int w = 0, h = 0;
    board.getImageSize(w, h);
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    if (maze) {
        board.drawMaze(canvas);
    } else {
        board.drawGrid(canvas);
        board.drawPath(canvas);
    }
    return image;
}
