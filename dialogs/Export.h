#pragma once

#include "ExportSettings.h"
#include "maze_outline.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

// The export dialog: format, pages, title, name line, labels, the answer
// page's difficulty, wall thickness, paper, margins and (for PNG)
// resolution, with a preview of the
// first page as it will be written. It only collects the settings; the main
// window writes the files.
class TFExport : public QDialog {
    Q_OBJECT

public:
    explicit TFExport(QWidget* parent = nullptr);

    // Shows the dialog modally for `maze`, preset with `settings`; the
    // settings chosen, or nothing when it was cancelled.
    std::optional<ExportSettings> AskExport(const MazeOutline& maze, const ExportSettings& settings);

    void setMaze(const MazeOutline& maze);
    void setSettings(const ExportSettings& settings);
    ExportSettings settings() const;
    // The cell size, in millimetres, that the current settings give.
    double cellMm() const;
    // Draws the preview now rather than once the settings stop changing.
    void refreshPreview();

    QComboBox* CBFormat = nullptr;
    QComboBox* CBPages = nullptr;
    QLineEdit* EdTitle = nullptr;
    QCheckBox* CkNameLine = nullptr;
    QCheckBox* CkLabels = nullptr;
    QCheckBox* CkDifficulty = nullptr;
    QDoubleSpinBox* SEWall = nullptr;
    QCheckBox* CkWallAuto = nullptr;
    QComboBox* CBPaper = nullptr;
    QCheckBox* CkLandscape = nullptr;
    QDoubleSpinBox* SEMargin = nullptr;
    QSpinBox* SEDpi = nullptr;
    QLabel* LbCellSize = nullptr;
    QLabel* Preview = nullptr;
    QPushButton* BtOK = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();
    void settingsChanged();

    std::vector<QLabel*> rowLabels_;

    MazeOutline maze_;
    QTimer* previewTimer_ = nullptr;
};
