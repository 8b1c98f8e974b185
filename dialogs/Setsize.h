#pragma once

#include <QDialog>

class QFrame;
class QLabel;
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
    // Each read parses the field's text and always delivers a value within
    // the field's range; the field is then set to the value delivered.
    int ReadWidth();
    int ReadHeight();
    int ReadGridSize();

    QSpinBox* SEWidth = nullptr;
    QSpinBox* SEHeight = nullptr;
    QSpinBox* SEGridSize = nullptr;
    QPushButton* BtOK = nullptr;
    QPushButton* BtCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // Sees the keys of every control before the control does: Enter means
    // OK and Esc means Cancel wherever the focus is.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();

    QFrame* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    QLabel* Panel4 = nullptr;
};
