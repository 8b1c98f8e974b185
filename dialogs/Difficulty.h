#pragma once

#include "maze_choice.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The choose-by-difficulty dialog: a grade, or a figure to come near, and
// how many mazes to try at most. It only collects the goal; the main window
// makes the mazes.
class TFDifficulty : public QDialog {
    Q_OBJECT

public:
    explicit TFDifficulty(QWidget* parent = nullptr);

    // Shows `goal` in the controls; `style` names the style the mazes are
    // made in.
    void ShowGoal(const DifficultyGoal& goal, const QString& style);
    DifficultyGoal ReadGoal() const;
    // ShowGoal, then the dialog modally: the goal on OK, nothing on Cancel.
    std::optional<DifficultyGoal> AskGoal(const DifficultyGoal& goal, const QString& style);

    QRadioButton* RBEasy = nullptr;
    QRadioButton* RBMedium = nullptr;
    QRadioButton* RBHard = nullptr;
    QRadioButton* RBFigure = nullptr;
    QSpinBox* SEFigure = nullptr;
    QSpinBox* SETries = nullptr;
    QPushButton* BtOK = nullptr;
    QPushButton* BtCancel = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();

    QLabel* LbTries = nullptr;
    QLabel* LbNote = nullptr;
    QString style_;
};
