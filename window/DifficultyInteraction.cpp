#include "DifficultyInteraction.h"

#include "Difficulty.h"

std::optional<DifficultyGoal> QtDifficultyInteraction::askDifficulty(QWidget* parent, const DifficultyGoal& current,
                                                                     const QString& style)
{
    TFDifficulty dialog(parent);
    return dialog.AskGoal(current, style);
}
