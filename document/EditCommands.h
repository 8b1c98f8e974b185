#pragma once

#include "board_edit.h"
#include "maze_difficulty.h"
#include "maze_stats.h"

#include <QString>
#include <QUndoCommand>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

class MazeBoard;

// The status bar's prompts. The window keeps which one it shows rather than
// its words, so that it shows it again in another language.
enum class Prompt : std::uint8_t { Other, ChooseStart, StartOutside, UseCursorKeys, ExtendLine, PressMakeMaze };

// What the second status panel tells of a maze: its figures, how hard it is
// (when it has a way through), and the seed of a maze made here.
struct MazeFigures {
    MazeStats stats;
    std::optional<std::uint32_t> seed;
    std::optional<MazeDifficulty> difficulty;
    bool operator==(const MazeFigures&) const = default;
};

// The window's own state around an edit: the view, the two flags that enable
// Make Maze and the finished-maze commands, the prompt (its words only when
// it is none of the known ones), and the maze's figures in the second status
// panel (none while it is hidden).
struct ViewState {
    int mazeMode = 0;
    bool canMakeMaze = false;
    bool mazeMade = false;
    Prompt prompt = Prompt::Other;
    QString otherPrompt;
    std::optional<MazeFigures> figures;
    bool operator==(const ViewState&) const = default;
};

// Where undone and redone edits are shown: the main window.
class EditTarget {
public:
    virtual MazeBoard& editedBoard() = 0;
    // `edit` has just been undone or redone on the board: put the window into
    // `state` and repaint what changed.
    virtual void showEdit(const BoardEdit& edit, const ViewState& state) = 0;

protected:
    ~EditTarget() = default;
};

// One edit with the window's state on either side of it.
struct EditEntry {
    BoardEdit edit;
    ViewState before;
    ViewState after;

    std::size_t bytes() const;
};

// An edit on the undo stack. The edit is already done when it is pushed, so
// the first redo does nothing; skipNext() lets the history move the stack
// over a command without touching the board. The entry is shared, so that the history can
// build its stack again from the entries it keeps; every command adds its
// entry's bytes to the history's count while it lives.
class BoardEditCommand : public QUndoCommand {
public:
    BoardEditCommand(EditTarget& target, std::shared_ptr<EditEntry> entry, std::size_t& byteCount);
    ~BoardEditCommand() override;

    void undo() override;
    void redo() override;

    const std::shared_ptr<EditEntry>& entry() const { return entry_; }
    // Commands count their entry and themselves.
    static std::size_t bytesFor(const EditEntry& entry);
    // The next undo or redo does nothing.
    void skipNext() { skip_ = true; }

private:
    void step(bool back);

    EditTarget& target_;
    std::shared_ptr<EditEntry> entry_;
    std::size_t& byteCount_;
    std::size_t bytes_;
    bool skip_ = true;
};
