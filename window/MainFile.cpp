#include "Main.h"

#include "BitmapExport.h"
#include "EditingTexts.h"
#include "ExportEngine.h"
#include "FileDrop.h"
#include "FileNames.h"
#include "Interaction.h"
#include "PrintCommands.h"
#include "RecentMenu.h"
#include "Recovery.h"
#include "UnderlayCommands.h"
#include "maze_board.h"

#include <QFileInfo>

// The document commands: New, Load (also of recent and dropped files), Save,
// Save As, the bitmap export and Exit, with the question whether to save
// changes before a maze is replaced.

bool TFMain::ConfirmSave()
{
    if (!isModified())
        return true;
    switch (interaction_->askYesNoCancel(this, tr("内容が変更されています。変更を保存しますか？"))) {
    case Interaction::Answer::Yes:
        return SaveDocument();
    case Interaction::Answer::No:
        return true;
    case Interaction::Answer::Cancel:
        break;
    }
    return false;
}

QString TFMain::askSaveName(const QString& filter, SaveNames::Kind kind, const QString& offered)
{
    const RecentFiles::Dialog dialog = kind == SaveNames::Kind::Maze ? RecentFiles::Dialog::Save
                                                                     : RecentFiles::Dialog::Bitmap;
    QString initial = offered;
    for (;;) {
        const std::optional<QString> chosen = interaction_->askSaveFileName(
            this, {filter, SaveNames::suffix(kind), initial, document_->recentFiles().folder(dialog)});
        if (!chosen)
            return {};
        if (!FileNames::isUnambiguous(*chosen)) {
            interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                      ExportEngine::failureMessage({BitmapExport::Result::CannotCreate, *chosen}));
            return {};
        }
        if (!SaveNames::isOtherKind(*chosen, kind)) {
            document_->recentFiles().setFolderOf(dialog, *chosen);
            return *chosen;
        }
        const char* refusal = kind == SaveNames::Kind::Maze ? EditingTexts::MessageMazeNeedsMazName
                                                            : EditingTexts::MessageBitmapNeedsBmpName;
        interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                  tr(refusal).arg(QFileInfo(*chosen).fileName()));
        initial = SaveNames::withSuffix(*chosen, kind);
    }
}

QString TFMain::askMazeName()
{
    const QString& current = fileName();
    const QString name = askSaveName(tr("Maze Files (*.maz)|*.maz|All Files (*.*) |*.*"), SaveNames::Kind::Maze,
                                     current.isEmpty() ? document_->mazeDialogName : current);
    if (!name.isEmpty())
        document_->mazeDialogName = name;
    return name;
}

bool TFMain::SaveDocument()
{
    return writeDocument(fileName().isEmpty() ? askMazeName() : fileName());
}

bool TFMain::writeDocument(const QString& name)
{
    if (name.isEmpty())
        return false;
    if (!document_->save(name)) {
        interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                  ExportEngine::failureMessage({BitmapExport::Result::CannotCreate, name}));
        return false;
    }
    underlay_->mazeSaved(name);
    printCommands_->mazeSaved(name);
    refreshRecentMenu();
    UpdateControls();
    return true;
}

void TFMain::refreshRecentMenu()
{
    fillRecentMenu(MMRecentFiles, document_->recentFiles(), [this](const QString& name) { OpenRecent(name); });
}

void TFMain::MMNewClick()
{
    if (!ConfirmSave())
        return;
    const MazeBoard& board = document_->board();
    const auto size = interaction_->askNewSize(this, board.getWidth(), board.getHeight(), board.getGridSize());
    // The size dialog delivers 5 ... 100, which the board always takes.
    if (!size || !document_->newBoard(size->width, size->height, size->gridSize))
        return;
    printCommands_->newMaze();
    FitImageToBoard();
    showDocumentState();
    RedrawImage();
    UpdateControls();
}

void TFMain::MMLoadClick()
{
    if (!ConfirmSave())
        return;
    RecentFiles& recent = document_->recentFiles();
    const std::optional<QString> name = interaction_->askOpenFileName(
        this, {tr("MAZ File (*.maz)|*.maz|All Files (*.*)|*.*"), SaveNames::suffix(SaveNames::Kind::Maze), {},
               recent.folder(RecentFiles::Dialog::Open)});
    if (!name)
        return;
    recent.setFolderOf(RecentFiles::Dialog::Open, *name);
    OpenDocument(*name);
}

void TFMain::OpenRecent(const QString& name)
{
    if (ConfirmSave())
        OpenDocument(name);
}

void TFMain::OpenDropped(const DroppedFiles& dropped)
{
    switch (dropped.kind) {
    case DroppedFiles::Kind::Maze:
        OpenRecent(dropped.file);
        break;
    case DroppedFiles::Kind::Image:
        if (underlay_->take(dropped.file, fileName()))
            underlayChanged();
        break;
    case DroppedFiles::Kind::Other:
        interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                  tr(EditingTexts::MessageDropNotAMaze).arg(QFileInfo(dropped.file).fileName()));
        break;
    case DroppedFiles::Kind::Several:
        interaction_->showMessage(this, Interaction::MessageKind::Warning, tr(EditingTexts::MessageDropSeveral));
        break;
    case DroppedFiles::Kind::Nothing:
        break;
    }
}

void TFMain::StartUp(const QString& document, bool nameIsExact)
{
    InitMaze();
    RecoveryKeeper* recovery = document_->recovery();
    const bool opened = !document.isEmpty() && (!recovery || recovery->leftovers().empty())
        && openWithoutMessage(document, nameIsExact);
    show();
    OfferRecovery();
    if (!document.isEmpty() && !opened && ConfirmSave()) // a maze just restored
        OpenDocument(document, nameIsExact);
}

bool TFMain::OpenDocument(const QString& name, bool nameIsExact)
{
    if (openWithoutMessage(name, nameIsExact))
        return true;
    interaction_->showMessage(this, Interaction::MessageKind::Plain, tr("Failed to open File ") + name);
    refreshRecentMenu();
    UpdateControls();
    return false;
}

bool TFMain::openWithoutMessage(const QString& name, bool nameIsExact)
{
    if (!document_->load(name, nameIsExact))
        return false;
    underlay_->mazeOpened(name);
    printCommands_->mazeOpened(name);
    FitImageToBoard();
    showDocumentState();
    refreshRecentMenu();
    UpdateControls();
    return true;
}

void TFMain::MMSaveClick()
{
    SaveDocument();
}

void TFMain::MMSaveAsClick()
{
    writeDocument(askMazeName());
}

void TFMain::MMExitClick()
{
    // Through closeEvent, with the same question as closing the window.
    close();
}

void TFMain::MMSaveAsBitmapClick()
{
    const QString name = askSaveName(
        tr("Bitmap (*.bmp)|*.bmp|All Files (*.*) |*.*"), SaveNames::Kind::Bitmap,
        SaveNames::bitmapOffer(fileName(), document_->bitmapDialogName,
                               document_->recentFiles().folder(RecentFiles::Dialog::Bitmap)));
    if (name.isEmpty())
        return;
    document_->bitmapDialogName = name;
    const BitmapExport::Result result = BitmapExport::save(document_->board(), name);
    if (result != BitmapExport::Result::Written)
        interaction_->showMessage(this, Interaction::MessageKind::Error, ExportEngine::failureMessage({result, name}));
}

