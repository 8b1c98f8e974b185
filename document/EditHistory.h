#pragma once

#include "EditCommands.h"

#include <QUndoStack>

#include <cstddef>

// The edits that can be undone and redone: path steps and drags, new starts,
// Initialise the maze and Make Maze, on a QUndoStack. The stack is held to a
// number of bytes rather than of commands, since a new maze on a large board
// weighs a thousand times a path step.
class EditHistory {
public:
    static constexpr std::size_t DefaultByteLimit = std::size_t(100) << 20;

    explicit EditHistory(EditTarget& target);
    ~EditHistory();

    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // An edit already done on the board, with the window's state before and
    // after it. Edits that were undone are dropped, and the oldest edits too
    // while the history holds more than its limit.
    void push(BoardEdit edit, const ViewState& before, const ViewState& after);
    // False when there was nothing to undo or redo.
    bool undo();
    bool redo();
    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }

    // Empty, and the present state is the clean one.
    void clear();
    // The present state is the one last saved or loaded.
    void setClean() { stack_.setClean(); }
    // No state is: the maze has changes that are in no file (a recovered one).
    void forgetClean() { stack_.resetClean(); }
    bool isClean() const { return stack_.isClean(); }

    std::size_t bytes() const { return bytes_; }
    int count() const { return stack_.count(); }
    void setByteLimit(std::size_t limit);

private:
    void dropOldest();

    EditTarget& target_;
    std::size_t bytes_ = 0;
    std::size_t limit_ = DefaultByteLimit;
    // Last, so that it and its commands go before the count they keep.
    QUndoStack stack_;
};
