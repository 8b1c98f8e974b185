#include "Main.h"

#include "EditHistory.h"
#include "Interaction.h"
#include "Recovery.h"
#include "maze_board.h"
#include "maze_random.h"

#include <QAction>
#include <QCoreApplication>

namespace {

const char* const QuestionRestore = QT_TRANSLATE_NOOP("TFMain", "前回保存されなかった迷路があります。復元しますか？");

} // namespace

// The window's side.

void TFMain::attachRecovery(RecoveryKeeper* keeper)
{
    recovery_ = keeper;
    if (!keeper)
        return;
    keeper->setSource([this] { return recoveryState(); });
    keeper->documentChanged(Modified);
}

RecoveredDocument TFMain::recoveryState() const
{
    RecoveredDocument d;
    const std::vector<std::uint8_t> bytes = Board->toFileBytes();
    d.maze = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    const int width = Board->getWidth();
    const int height = Board->getHeight();
    d.pathCells.resize(qsizetype(width) * height);
    char* cell = d.pathCells.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *cell++ = char(Board->getPathCell(x, y));
    d.fileName = FileName;
    d.prompt = prompt_;
    d.otherPrompt = prompt_ == Prompt::Other ? statusText() : QString();
    d.figures = figures_;
    d.seedShown = seedShown_;
    d.randomState = Board->randomSource().state();
    d.mazeMode = MazeMode;
    d.canMakeMaze = CanMakeMaze;
    d.mazeMade = MazeMade;
    d.showAnswer = Board->showAnswer;
    d.transparentMode = Board->transparentMode;
    return d;
}

bool TFMain::restoreRecovered(const RecoveredDocument& d)
{
    endEdit();
    if (!d.readBoard(*Board))
        return false;
    // A new document, as after a load, but with changes that no undo can
    // take back to a saved state.
    History->clear();
    History->forgetClean();
    const char* cell = d.pathCells.constData();
    for (int y = 0; y < Board->getHeight(); ++y)
        for (int x = 0; x < Board->getWidth(); ++x)
            Board->setPathCell(x, y, std::uint8_t(*cell++));
    Board->showAnswer = d.showAnswer;
    FileName = d.fileName;
    MazeMode = d.mazeMode;
    CanMakeMaze = d.canMakeMaze;
    MazeMade = d.mazeMade;
    Modified = true;
    FitImageToBoard();
    if (d.transparentMode != Board->transparentMode && !MazeMade) {
        MMTransparentMode->setChecked(d.transparentMode);
        MMTransparentModeClick();
    }
    if (d.prompt == Prompt::Other)
        SetStatusText(d.otherPrompt);
    else
        ShowPrompt(d.prompt);
    showFigures(d.figures);
    seedShown_ = d.seedShown;
    // F5 makes the maze the lost program would have made next.
    Board->randomSource().setState(d.randomState);
    UpdateControls();
    keepHeadInView();
    return true;
}

void TFMain::OfferRecovery()
{
    if (!recovery_)
        return;
    std::vector<RecoveryKeeper::Leftover> found = recovery_->leftovers();
    for (RecoveryKeeper::Leftover& leftover : found) {
        const std::optional<RecoveredDocument> document = leftover.read();
        if (!document) {
            leftover.remove();
            continue;
        }
        switch (interaction_->askYesNo(this, tr(QuestionRestore))) {
        case Interaction::Answer::Yes:
            // This program's own copy is on disk before the old one goes.
            if (restoreRecovered(*document))
                recovery_->writeNow();
            leftover.remove();
            return;
        case Interaction::Answer::No:
            leftover.remove();
            break;
        case Interaction::Answer::Cancel:
            return; // no answer (the program is ending): kept for next time
        }
    }
}

void TFMain::quitKeepingChanges()
{
    // No question and no close: the changes are in the recovery copy, on
    // disk before the event loops end. The queued exit ends the main loop
    // also when the signal came before it started.
    closeWithoutQuestion_ = true;
    if (recovery_)
        recovery_->writeNow();
    QCoreApplication::exit(0);
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}
