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

// The export dialog, which also comes before printing: format, pages, title
// (with %n for the maze's number), name line, labels (their words or the
// house and flag), the answer page's difficulty, wall thickness (in millimetres, automatic, or as a share
// of the cell), paper (the sizes offered or one typed as 152x229mm or
// 6x9in), margins, mazes a page, page numbers and (for PNG) resolution, with
// a preview of the first page as it will be written. It only collects the
// settings; the main window writes the files or prints.
class TFExport : public QDialog {
    Q_OBJECT

public:
    explicit TFExport(QWidget* parent = nullptr);

    // Shows the dialog modally for `maze`, preset with `settings`; the
    // settings chosen, or nothing when it was cancelled.
    std::optional<ExportSettings> AskExport(const MazeOutline& maze, const ExportSettings& settings);
    // The same before printing: no format and no resolution, which only
    // files have, and a button that goes on to the print dialog.
    std::optional<ExportSettings> AskPrint(const MazeOutline& maze, const ExportSettings& settings);

    void setMaze(const MazeOutline& maze);
    void setSettings(const ExportSettings& settings);
    ExportSettings settings() const;
    // The cell size, in millimetres, that the current settings give (the
    // smallest of the page's mazes).
    double cellMm() const;
    // Draws the preview now rather than once the settings stop changing.
    void refreshPreview();
    void setPrinting(bool printing);

    QComboBox* CBFormat = nullptr;
    QComboBox* CBPages = nullptr;
    QLineEdit* EdTitle = nullptr;
    QCheckBox* CkNameLine = nullptr;
    QCheckBox* CkNameLineAnswers = nullptr;
    QCheckBox* CkLabels = nullptr;
    QCheckBox* CkDifficulty = nullptr;
    QComboBox* CBLabelKind = nullptr;
    QLineEdit* EdStartText = nullptr;
    QLineEdit* EdGoalText = nullptr;
    QDoubleSpinBox* SEWall = nullptr;
    QCheckBox* CkWallAuto = nullptr;
    QCheckBox* CkWallShare = nullptr;
    QSpinBox* SEWallShare = nullptr;
    QComboBox* CBPaper = nullptr;
    QCheckBox* CkLandscape = nullptr;
    QDoubleSpinBox* SEMargin = nullptr;
    QComboBox* CBPerPage = nullptr;
    QComboBox* CBAnswersPerPage = nullptr;
    QCheckBox* CkPageNumbers = nullptr;
    QSpinBox* SEDpi = nullptr;
    QLabel* LbCellSize = nullptr;
    QLabel* Preview = nullptr;
    QPushButton* BtOK = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::optional<ExportSettings> ask(const MazeOutline& maze, const ExportSettings& settings, bool printing);
    void retranslateUi();
    void settingsChanged();
    // A page is laid out: a PDF, or printing.
    bool pages() const;

    struct Row {
        QLabel* label;
        const char* text;
    };
    std::vector<Row> rows_;
    QLabel* answersLabel_ = nullptr;
    QLabel* formatLabel_ = nullptr;
    QLabel* dpiLabel_ = nullptr;

    MazeOutline maze_;
    // What the dialog has no control for (the first numbers) comes back as
    // it went in.
    ExportSettings preset_;
    bool printing_ = false;
    QTimer* previewTimer_ = nullptr;
};
