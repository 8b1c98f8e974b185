#include "Main.h"

#include "Document.h"
#include "Interaction.h"
#include "PrintCommands.h"
#include "Recovery.h"
#include "SessionEnd.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

// Unsaved work is never lost: the question about recovery copies at start-up
// and the view of a restored document (the copy itself is the document's),
// the session's end and the end on a signal.

namespace {

const char* const QuestionRestore = QT_TRANSLATE_NOOP("TFMain", "前回保存されなかった迷路があります。復元しますか？");
// %1: the copy's file name.
const char* const QuestionRemoveUnreadable = QT_TRANSLATE_NOOP(
    "TFMain", "前回保存されなかった迷路の復元用コピー「%1」を読み込めません。このコピーを削除しますか？");
// %1: the folder.
const char* const MessageNoRecovery = QT_TRANSLATE_NOOP(
    "TFMain", "復元用コピーのフォルダー「%1」を使えません。保存していない変更は、プログラムが強制終了すると失われます。");

} // namespace

void TFMain::attachRecovery(RecoveryKeeper* keeper)
{
    document_->attachRecovery(keeper);
    // Told once, over the window: without copies a kill loses the work.
    if (!keeper)
        return;
    const auto tell = [this, keeper] {
        interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                  tr(MessageNoRecovery).arg(QDir::toNativeSeparators(keeper->folder())));
    };
    if (keeper->isUsable())
        connect(keeper, &RecoveryKeeper::unusable, this, tell);
    else
        QTimer::singleShot(0, this, tell);
}

RecoveredDocument TFMain::recoveryState() const
{
    return document_->recoveryState();
}

bool TFMain::restoreRecovered(const RecoveredDocument& d)
{
    if (!document_->restore(d))
        return false;
    // Its print choices are those kept for its file, if it has one.
    printCommands_->mazeOpened(fileName());
    FitImageToBoard();
    if (d.transparentMode != board().transparentMode && !mazeMade()) {
        MMTransparentMode->setChecked(d.transparentMode);
        MMTransparentModeClick();
    }
    showDocumentState();
    UpdateControls();
    keepHeadInView();
    return true;
}

void TFMain::OfferRecovery()
{
    RecoveryKeeper* recovery = document_->recovery();
    if (!recovery)
        return;
    std::vector<RecoveryKeeper::Leftover> found = recovery->leftovers();
    for (RecoveryKeeper::Leftover& leftover : found) {
        // Another version's copy is its program's to offer.
        if (leftover.isOtherVersion())
            continue;
        const std::optional<RecoveredDocument> document = leftover.read();
        if (!document) {
            const QString name = QFileInfo(leftover.file()).fileName();
            if (interaction_->askYesNo(this, tr(QuestionRemoveUnreadable).arg(name)) == Interaction::Answer::Yes)
                leftover.remove();
            continue;
        }
        switch (interaction_->askYesNo(this, tr(QuestionRestore))) {
        case Interaction::Answer::Yes:
            // This program's own copy is on disk before the old one goes.
            if (restoreRecovered(*document))
                recovery->writeNow();
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

void TFMain::commitData(SessionEndRequest& request)
{
    if (!isModified())
        return;
    RecoveryKeeper* recovery = document_->recovery();
    if (!request.allowsInteraction()) {
        // Nobody to ask: the changes go to the recovery copy.
        if (recovery)
            recovery->writeNow();
    } else {
        const bool goOn = ConfirmSave();
        request.release();
        if (!goOn) {
            request.cancel();
            return;
        }
        if (recovery && isModified())
            recovery->discard(); // answered No
    }
    closeWithoutQuestion_ = true;
}

void TFMain::quitKeepingChanges()
{
    // No question and no close: the changes are in the recovery copy, on
    // disk before the event loops end. The queued exit ends the main loop
    // also when the signal came before it started.
    closeWithoutQuestion_ = true;
    if (RecoveryKeeper* recovery = document_->recovery())
        recovery->writeNow();
    QCoreApplication::exit(0);
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}
