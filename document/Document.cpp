#include "Document.h"

#include "EditHistory.h"
#include "FileNames.h"
#include "Recovery.h"
#include "maze_board.h"
#include "maze_random.h"

#include <utility>
#include <vector>

Document::Document(QObject* parent)
    : QObject(parent)
    , board_(std::make_unique<MazeBoard>())
    , seedShown_(board_->randomSource().state())
    , history_(std::make_unique<EditHistory>(static_cast<EditTarget&>(*this)))
{
}

Document::~Document() = default;

bool Document::newBoard(int width, int height, int gridSize)
{
    board_->setGridSize(gridSize);
    if (!board_->resize(width, height))
        return false;
    fileName_.clear();
    // An empty board has no path and no maze yet, and nothing to undo.
    state_.mazeMode = 0;
    state_.canMakeMaze = false;
    state_.mazeMade = false;
    state_.figures.reset();
    endEdit();
    history_->clear();
    mazeDialogName.clear();
    bitmapDialogName.clear();
    setPrompt(Prompt::ChooseStart);
    setModified(false);
    return true;
}

bool Document::load(const QString& name, bool nameIsExact)
{
    // A name that may stand for another file than the one chosen is refused
    // like a file that cannot be read.
    if (nameIsExact && FileNames::isUnambiguous(name) && board_->loadFile(FileNames::toPath(name))) {
        opened(name);
        return true;
    }
    fileName_.clear();
    // A file that cannot be opened is no longer offered.
    recent_.remove(name);
    changed();
    return false;
}

void Document::opened(const QString& name)
{
    fileName_ = name;
    state_.mazeMode = 1;
    state_.canMakeMaze = true;
    state_.mazeMade = true;
    state_.prompt = Prompt::PressMakeMaze;
    state_.otherPrompt.clear();
    endEdit();
    history_->clear();
    mazeDialogName.clear();
    bitmapDialogName.clear();
    recent_.add(name);
    measureFigures(std::nullopt);
    setModified(false);
}

bool Document::save(const QString& name)
{
    if (name.isEmpty())
        return false;
    // A drag still going on is part of what is saved.
    endEdit();
    // A failed save keeps everything as it was: the maze stays unsaved and a
    // name just chosen is not taken, so the next Save asks again.
    if (!board_->saveFile(FileNames::toPath(name)))
        return false;
    fileName_ = name;
    history_->setClean();
    recent_.add(name);
    setModified(false);
    return true;
}

void Document::beginEdit()
{
    endEdit();
    pendingEdit_.emplace(*board_);
    pendingBefore_ = state_;
}

bool Document::endEdit()
{
    emit editClosed();
    if (!pendingEdit_)
        return false;
    BoardEdit edit = std::move(*pendingEdit_);
    pendingEdit_.reset();
    edit.finish(*board_);
    if (edit.changesNothing())
        return false;
    history_->push(std::move(edit), pendingBefore_, state_);
    changed();
    return true;
}

PathEditor Document::editor()
{
    return PathEditor(*board_, pendingEdit_ ? &*pendingEdit_ : nullptr);
}

void Document::chooseStart(PathEditor::Cell cell)
{
    editor().chooseStart(cell);
    // The path is gone, so there is nothing to make a maze from.
    state_.canMakeMaze = false;
    setPrompt(Prompt::UseCursorKeys);
    setModified(false);
}

PathEditor::Step Document::takeBack(int direction)
{
    const PathEditor::Step step = editor().takeBack(direction);
    if (step.outcome == PathEditor::Outcome::TookBack) {
        // The state follows the head as after a forward step.
        state_.canMakeMaze = false;
        setPrompt(editor().hasSteps() ? Prompt::ExtendLine : Prompt::UseCursorKeys);
        changed();
    }
    return step;
}

PathEditor::Step Document::stepForward(int direction)
{
    const PathEditor::Step step = editor().stepForward(direction);
    switch (step.outcome) {
    case PathEditor::Outcome::Completed:
        state_.canMakeMaze = true;
        setPrompt(Prompt::PressMakeMaze);
        break;
    case PathEditor::Outcome::Stepped:
        state_.canMakeMaze = false;
        setPrompt(Prompt::ExtendLine);
        break;
    case PathEditor::Outcome::TookBack:
    case PathEditor::Outcome::Refused:
        break;
    }
    setModified(true);
    return step;
}

void Document::initMaze()
{
    state_.mazeMode = 0;
    state_.mazeMade = false;
    state_.figures.reset();
    editor().clearPath();
    state_.canMakeMaze = false;
    setPrompt(Prompt::ChooseStart);
    setModified(false);
}

void Document::makeMaze()
{
    beginEdit();
    pendingEdit_->keepMaze(*board_);
    state_.mazeMode = 1;
    seedShown_ = board_->randomSource().state();
    board_->makeMaze();
    state_.mazeMade = true;
    measureFigures(seedShown_);
    // The maze on screen is no longer the one in any file.
    setModified(true);
    endEdit();
}

bool Document::undo()
{
    endEdit();
    return historyMoved(history_->undo());
}

bool Document::redo()
{
    endEdit();
    return historyMoved(history_->redo());
}

bool Document::historyMoved(bool moved)
{
    if (moved) {
        // Back at the state last saved or loaded, the maze is as in its file;
        // any other state is a change.
        setModified(!history_->isClean());
    }
    return moved;
}

void Document::showEdit(const BoardEdit& edit, const ViewState& state)
{
    const bool sameView = state_.mazeMode == state.mazeMode;
    state_ = state;
    emit editShown(edit, sameView);
}

void Document::setShowAnswer(bool shown)
{
    board_->showAnswer = shown;
    changed();
}

void Document::setTransparentMode(bool on)
{
    board_->transparentMode = on;
    changed();
}

void Document::setSeed(std::uint32_t seed)
{
    board_->randomSource().setState(seed);
    seedShown_ = seed;
    changed();
}

void Document::setPrompt(Prompt prompt)
{
    if (prompt == Prompt::Other)
        return;
    state_.prompt = prompt;
    state_.otherPrompt.clear();
}

void Document::setOtherPrompt(const QString& text)
{
    state_.prompt = Prompt::Other;
    state_.otherPrompt = text;
}

void Document::measureFigures(std::optional<std::uint32_t> seed)
{
    state_.figures = MazeFigures{measureMaze(*board_), seed};
}

void Document::hideFigures()
{
    state_.figures.reset();
}

void Document::setModified(bool modified)
{
    modified_ = modified;
    changed();
}

void Document::changed()
{
    if (recovery_)
        recovery_->documentChanged(modified_);
}

void Document::attachRecovery(RecoveryKeeper* keeper)
{
    recovery_ = keeper;
    if (!keeper)
        return;
    keeper->setSource([this] { return recoveryState(); });
    keeper->documentChanged(modified_);
}

RecoveredDocument Document::recoveryState() const
{
    RecoveredDocument d;
    const std::vector<std::uint8_t> bytes = board_->toFileBytes();
    d.maze = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    const int width = board_->getWidth();
    const int height = board_->getHeight();
    d.pathCells.resize(qsizetype(width) * height);
    char* cell = d.pathCells.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *cell++ = char(board_->getPathCell(x, y));
    d.fileName = fileName_;
    d.prompt = state_.prompt;
    d.otherPrompt = state_.prompt == Prompt::Other ? state_.otherPrompt : QString();
    d.figures = state_.figures;
    d.seedShown = seedShown_;
    d.randomState = board_->randomSource().state();
    d.mazeMode = state_.mazeMode;
    d.canMakeMaze = state_.canMakeMaze;
    d.mazeMade = state_.mazeMade;
    d.showAnswer = board_->showAnswer;
    d.transparentMode = board_->transparentMode;
    return d;
}

bool Document::restore(const RecoveredDocument& d)
{
    endEdit();
    if (!d.readBoard(*board_))
        return false;
    // A new document, as after a load, but with changes that no undo can
    // take back to a saved state.
    history_->clear();
    history_->forgetClean();
    const char* cell = d.pathCells.constData();
    for (int y = 0; y < board_->getHeight(); ++y)
        for (int x = 0; x < board_->getWidth(); ++x)
            board_->setPathCell(x, y, std::uint8_t(*cell++));
    board_->showAnswer = d.showAnswer;
    fileName_ = d.fileName;
    state_.mazeMode = d.mazeMode;
    state_.canMakeMaze = d.canMakeMaze;
    state_.mazeMade = d.mazeMade;
    if (d.prompt == Prompt::Other)
        setOtherPrompt(d.otherPrompt);
    else
        setPrompt(d.prompt);
    state_.figures = d.figures;
    seedShown_ = d.seedShown;
    // F5 makes the maze the lost program would have made next.
    board_->randomSource().setState(d.randomState);
    setModified(true);
    return true;
}
