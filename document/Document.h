#pragma once

#include "EditCommands.h"
#include "RecentFiles.h"
#include "maze_choice.h"
#include "path_editor.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class EditHistory;
class MazeBoard;
class RecoveryKeeper;
struct RecoveredDocument;
struct Route;

// The open maze: its board, the file it belongs to, whether it has unsaved
// changes, where it stands (drawing or a maze shown, what the user is asked
// to do next, the figures of the maze shown), the history of its edits and
// what its recovery copy holds. The window shows one document and turns the
// user's commands into the operations below; the document records every
// change for undo and keeps the recovery copy up to date.
//
// Every operation leaves the document consistent; one that fails changes
// nothing. After an undo or redo the document says what changed (editShown),
// so that whoever shows it repaints just that.
class Document : public QObject, private EditTarget {
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    MazeBoard& board() { return *board_; }
    const MazeBoard& board() const { return *board_; }
    const QString& fileName() const { return fileName_; }
    bool isModified() const { return modified_; }
    // 0 while the path is drawn, 1 while a maze is shown.
    int mazeMode() const { return state_.mazeMode; }
    bool canMakeMaze() const { return state_.canMakeMaze; }
    bool mazeMade() const { return state_.mazeMade; }
    // What the user is asked to do next, and the figures of the maze shown.
    const ViewState& state() const { return state_; }
    EditHistory& history() const { return *history_; }
    RecentFiles& recentFiles() { return recent_; }
    // The random state the seed command shows: the state before the last
    // Make Maze or made route, or the number last set.
    std::uint32_t seedShown() const { return seedShown_; }

    // The names last chosen in the save dialogs for this document: the maze
    // name (offered again until a save under it succeeds) and the bitmap name.
    QString mazeDialogName;
    QString bitmapDialogName;

    // --- The file ---
    // A new empty board of this size and cell size. False (nothing changed)
    // for a size the board refuses.
    bool newBoard(int width, int height, int gridSize);
    // Reads a .maz file and shows it as a finished maze. `nameIsExact` false:
    // the name did not come through decoding unchanged, and is refused.
    // On failure the maze stays as it was, the name is dropped from the
    // recent files and the document has no file name.
    bool load(const QString& name, bool nameIsExact = true);
    // Writes the maze under `name`; on success the document belongs to that
    // file and has no unsaved changes. A failed save changes nothing.
    bool save(const QString& name);

    // --- Edits, each undoable ---
    // An edit opens before a change of the board and closes after it; a
    // closed edit that changed the board goes onto the undo stack. A drag is
    // one edit from press to release. Operations below that change the board
    // record into the open edit, if any.
    void beginEdit();
    // True when the edit changed the board and went onto the undo stack.
    bool endEdit();
    // The path editor on the board, recording into the open edit.
    PathEditor editor();
    // A ring cell becomes the start; the path is erased.
    void chooseStart(PathEditor::Cell cell);
    // One step of the path head back along the last step, or forward.
    PathEditor::Step takeBack(int direction);
    PathEditor::Step stepForward(int direction);
    // Erases the path, back to drawing with nothing to make a maze from.
    void initMaze();
    // A new maze around the drawn path, one edit.
    void makeMaze();
    // A new maze around the drawn path chosen by its difficulty, one edit as
    // Make Maze: candidates in the board's style until one is in the goal's
    // band, else the nearest of them. Its seed is the state the kept maze
    // was made from. `keepGoing` may end the choice early.
    ChosenMaze makeChosenMaze(const DifficultyGoal& goal, const KeepChoosing& keepGoing = {});
    // A made route becomes the drawn path, complete, in place of the one
    // there was, as one edit: back to drawing, with the maze to be made.
    // `seed` is the random state the route was made from, which the seed
    // command then shows. False, with nothing changed, for a route the path
    // editor does not take.
    bool placeRoute(const Route& route, std::uint32_t seed);
    // --- The shape, each change undoable (DocumentShapes.cpp) ---
    // Whether `shape` (of the board's size, or 0 x 0 for the full
    // rectangle) can be taken as it is: one region that leaves the drawn
    // path whole. The window asks before it applies one that is not.
    enum class ShapeFit { Fits, NotOneRegion, CutsPath };
    ShapeFit checkShape(const MazeShape& shape) const;
    // `shape` in place of the board's, as one edit; with `erasePath` the
    // path is erased first where it would be cut (PathEditor::makeRoomFor),
    // in the same edit. While a maze is shown, the view goes back to
    // drawing the path, as after a made route. False, with nothing
    // changed, for a shape that is not one region or that cuts a path
    // that is not to be erased.
    bool applyShape(const MazeShape& shape, bool erasePath = false);
    // A painting stroke: opened at the press, one cell at a time, closed
    // with endEdit (or taken back whole with cancelEdit). A stroke that
    // changed nothing records nothing.
    void beginStroke();
    enum class Paint { Changed, Same, OnPath };
    // Cell (x, y) painted inside or left out, within the open stroke: Same
    // for a cell already so (or off the grid), OnPath for a cell the drawn
    // path uses, which keeps what it is.
    Paint paintCell(int x, int y, bool inside);
    // Within the open edit: only the largest part of the shape stays. False
    // (nothing changed) when that part is too small for a maze or would
    // cut the drawn path.
    bool keepLargestPart();
    // Whatever the open edit changed goes back; nothing is recorded.
    void cancelEdit();

    // False when there was nothing to undo or redo.
    bool undo();
    bool redo();

    // --- Settings of the document ---
    void setShowAnswer(bool shown);
    void setTransparentMode(bool on);
    void setSeed(std::uint32_t seed);
    void setPrompt(Prompt prompt);
    void setOtherPrompt(const QString& text);
    // The figures of the maze on the board, with the seed of one made here.
    void measureFigures(std::optional<std::uint32_t> seed);
    void hideFigures();

    // --- The recovery copy ---
    // Unsaved changes are kept in a copy by `keeper` (none without one).
    void attachRecovery(RecoveryKeeper* keeper);
    RecoveryKeeper* recovery() const { return recovery_; }
    RecoveredDocument recoveryState() const;
    // Takes over a recovered document: its maze, name, state and the random
    // state its next maze was to start from; unsaved, with nothing to undo.
    bool restore(const RecoveredDocument& document);

signals:
    // An edit was undone or redone: the board and the state are as `state`
    // says; `sameView` when the view (drawing or maze) stayed as it was.
    void editShown(const BoardEdit& edit, bool sameView);
    // The open edit (if any) was closed: whatever drew into it is over.
    void editClosed();

private:
    MazeBoard& editedBoard() override { return *board_; }
    void showEdit(const BoardEdit& edit, const ViewState& state) override;
    // After an undo or redo (when `moved`): modified unless back at the
    // state last saved or loaded.
    bool historyMoved(bool moved);
    void setModified(bool modified);
    // The document changed: the recovery copy follows.
    void changed();
    // A maze document from its file: shown as a finished maze, nothing to undo.
    void opened(const QString& name);
    // The shape changed: modified, and a shown maze gives way to drawing.
    void shapeChanged();

    std::unique_ptr<MazeBoard> board_;
    QString fileName_;
    bool modified_ = false;
    ViewState state_;
    std::uint32_t seedShown_ = 0;
    RecentFiles recent_;
    std::unique_ptr<EditHistory> history_;
    std::optional<BoardEdit> pendingEdit_;
    ViewState pendingBefore_;
    RecoveryKeeper* recovery_ = nullptr;
};
