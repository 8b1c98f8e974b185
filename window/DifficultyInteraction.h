#pragma once

#include "maze_choice.h"

#include <QString>

#include <optional>

class QWidget;

// The modal dialog of choosing a maze by its difficulty. The program shows
// the real one (QtDifficultyInteraction); tests answer by script, so that
// none waits on it.
class DifficultyInteraction {
public:
    virtual ~DifficultyInteraction() = default;

    // The dialog preset with `current`, for mazes in the style named
    // `style`; nothing on Cancel.
    virtual std::optional<DifficultyGoal> askDifficulty(QWidget* parent, const DifficultyGoal& current,
                                                        const QString& style) = 0;
};

class QtDifficultyInteraction : public DifficultyInteraction {
public:
    std::optional<DifficultyGoal> askDifficulty(QWidget* parent, const DifficultyGoal& current,
                                                const QString& style) override;
};
