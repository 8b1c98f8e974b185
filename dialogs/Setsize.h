#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;

// The new-maze size dialog: width and height in cells, cell size in pixels.
// It only collects the numbers; the main window applies them.
class TFSetSize : public QDialog {
    Q_OBJECT

public:
    explicit TFSetSize(QWidget* parent = nullptr);

    // Presets the three fields (each clamped to its range), shows the dialog
    // modally and returns true when it was closed with OK.
    bool AskSize(int width, int height, int gridSize);
    int ReadWidth();
    int ReadHeight();
    int ReadGridSize();

    QSpinBox* SEWidth = nullptr;
    QSpinBox* SEHeight = nullptr;
    QSpinBox* SEGridSize = nullptr;
    QPushButton* BtOK = nullptr;
    QPushButton* BtCancel = nullptr;
};
