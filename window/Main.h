#pragma once

#include "ColorKey.h"
#include "CommandTexts.h"
#include "Document.h"
#include "EditCommands.h"
#include "path_editor.h"
#include "SaveNames.h"

#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

class BookCommands;
class BookInteraction;
class Document;
class DifficultyCommands;
class DifficultyInteraction;
class EditHistory;
class Interaction;
class MazeBoard;
class MazeImage;
class LanguageMenu;
class MazeStyleMenu;
class SummaryPanel;
class PrintCommands;
class PrintInteraction;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class RecoveryKeeper;
class RouteCommands;
class RouteInteraction;
class SessionEndRequest;
class ShapeCommands;
class ShapeInteraction;
class TFSetSize;
struct RecoveredDocument;
class TFVersion;
class Underlay;
class UnderlayCommands;
struct DroppedFiles;

// The main window: the view of one document (the board, its file and state,
// its undo history and recovery copy, all kept by Document) and the place
// where the commands are wired. Every input arrives in one of its handlers,
// which asks the document to change, repaints and ends in UpdateControls,
// which derives the title and every enabled, checked and pressed state from
// the document. The menus and the tool bar are made in MainCommands.cpp.
class TFMain : public QMainWindow {
    Q_OBJECT

public:
    // The tool bar's and the status bar's fixed heights, and a tool button's size.
    static constexpr int ToolBarHeight = 33;
    static constexpr int StatusBarHeight = 19;
    static constexpr int ButtonSize = 26;

    // `interaction` answers the modal questions; without one the window uses
    // the real Qt dialogs (and needs attachDialogs for the size dialog).
    explicit TFMain(Interaction* interaction = nullptr, QWidget* parent = nullptr);
    ~TFMain() override;

    // The size dialog and the About dialog, created after the main window.
    void attachDialogs(TFSetSize* sizeDialog, TFVersion* versionDialog);

    void InitMaze();
    void UpdateControls();
    // Any text in the status bar's prompt panel; ShowPrompt shows one of the
    // known prompts, in the interface's language (and again after a switch).
    void SetStatusText(const QString& text);
    void ShowPrompt(Prompt prompt);
    void RedrawImage();
    void FitImageToBoard();
    bool ConfirmSave();
    bool SaveDocument();
    // Loads a .maz file as Load does after its dialog: on failure the message,
    // and the window stays as it was. Also what a file given at start-up does.
    // `nameIsExact` false: the name did not come through decoding unchanged,
    // and is refused with the same message.
    bool OpenDocument(const QString& name, bool nameIsExact = true);
    // The window's start: the path-drawing state, the window shown, the
    // recovery copies offered, then `document` (if any) opened. The file is
    // read before the window is first shown, so that it appears once at its
    // final size, unless a recovery copy is to be offered first; a refused
    // file's message comes over the shown window.
    void StartUp(const QString& document, bool nameIsExact = true);
    // A file from the recent list or dropped on the window: the question,
    // then the loader, as Load.
    void OpenRecent(const QString& name);
    void OpenDropped(const DroppedFiles& dropped);

    // Unsaved changes kept in a recovery copy by `keeper` (the program does
    // this; a window without a keeper keeps none).
    void attachRecovery(RecoveryKeeper* keeper);
    // Offers what programs that ended without saving left behind.
    void OfferRecovery();
    RecoveredDocument recoveryState() const;
    bool restoreRecovered(const RecoveredDocument& document);
    // Ends the program at once (SIGTERM, SIGHUP, SIGINT): no question, the
    // changes written to the recovery copy first.
    void quitKeepingChanges();
    // The session manager's request before the session ends: one question
    // at most, and the close that follows asks nothing more.
    void commitData(SessionEndRequest& request);

    // Command handlers (menu items and tool buttons).
    void MMNewClick();
    void MMLoadClick();
    void MMSaveClick();
    void MMSaveAsBitmapClick();
    void MMPrintClick();
    void MMPrintPreviewClick();
    void MMExportClick();
    void MMMakeBookClick();
    void MMSaveAsClick();
    void MMExitClick();
    void MMUndoClick();
    void MMRedoClick();
    void MMMakeMazeClick();
    void MMMakeByDifficultyClick();
    void MMInitMazeClick();
    void MMDrawAnswerClick();
    void MMTransparentModeClick();
    void MMEnlargeGridClick();
    void MMEnsmallGridClick();
    void MMHelpClick();
    void MMAboutClick();
    void MMSeedClick();
    void MMRandomRouteClick();
    void MMFreshSeedClick();
    void MMLoadUnderlayClick();
    void MMShowUnderlayClick();
    void MMUnderlayStrengthClick();
    void MMRemoveUnderlayClick();
    void MMShapeModeClick();
    void MMChooseShapeClick();
    void MMShapeFromUnderlayClick();
    void MMShapeFromFileClick();
    void MMRemoveShapeClick();

    // Mouse and keyboard on the picture.
    void ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ImageMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void ImageMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

    // The print, preview and export dialogs by script (tests); null
    // restores the real ones.
    void setPrintInteraction(PrintInteraction* dialogs);
    // The choose-by-difficulty dialog by script (tests); null restores the real one.
    void setDifficultyInteraction(DifficultyInteraction* dialogs);
    // The route dialog by script (tests); null restores the real one.
    void setRouteInteraction(RouteInteraction* dialogs);
    // The book maker and its progress by script (tests); null restores them.
    void setBookInteraction(BookInteraction* dialogs);
    // The shape dialogs by script (tests); null restores the real ones.
    void setShapeInteraction(ShapeInteraction* dialogs);
    // In shape mode the mouse paints the shape and the path is not drawn.
    bool isShapeMode() const { return shapeMode_; }

    // State, for the dialogs and for tests.
    Document& document() const { return *document_; }
    const MazeBoard& board() const { return document_->board(); }
    const QString& fileName() const { return document_->fileName(); }
    bool isModified() const { return document_->isModified(); }
    int mazeMode() const { return document_->mazeMode(); }
    bool canMakeMaze() const { return document_->canMakeMaze(); }
    bool mazeMade() const { return document_->mazeMade(); }
    QString statusText() const;
    // The second status panel: what the shown maze is like (empty and hidden
    // while no maze is shown).
    QString summaryText() const;
    const std::filesystem::path& helpPath() const { return HelpPath; }
    MazeImage* image() const { return Image; }
    ColorKey& colorKey() const { return *colorKey_; }
    EditHistory& editHistory() const { return document_->history(); }
    const Underlay& underlay() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    // LanguageChange: every text of the window again, in the new language.
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // OpenDocument without the message of a failed load.
    bool openWithoutMessage(const QString& name, bool nameIsExact);
    void createActions();
    void createToolBar();
    QAction* addCommand(const char* name, const char* caption, const char* hint, const QKeySequence& shortcut,
                        const char* icon, void (TFMain::*handler)());
    // A menu of the menu bar (parent null) or a submenu, with its title.
    QMenu* addMenu(QMenu* parent, const char* name, const char* title);
    void retranslateUi();
    // One zoom step (+1 enlarges, -1 reduces the cell size).
    void zoomGrid(int step);
    // A click on the picture: on the ring a new start (true), on the grid
    // the reminder that the start lies outside.
    bool ClickCell(PathEditor::Cell cell);
    bool CheckStep(int direction);
    // True when the head moved: a step forward or back.
    bool StepPath(int direction);
    // Shows a step the document took: repaint, prompt, controls.
    void showStep(const PathEditor::Step& step);
    // An undone or redone edit: its state shown, what it changed repainted.
    void showEdit(const BoardEdit& edit, bool sameView);
    // The status bar's prompt and the figures panel, from the document.
    void showDocumentState();
    // Repaints the editing view inside the two cells that a step touched;
    // the picture ends up as a full repaint would leave it.
    void RedrawCells(int x1, int y1, int x2, int y2);
    // Shows the current view in the picture area, repainted within `area`
    // (all of it when empty).
    void paintPicture(const QRect& area);
    // The picture area's pixels, for the see-through mask.
    ColorKey::PictureSource shownPicture() const;
    void keepHeadInView();
    // Asks for a file name of the kind until one is given that is not of the
    // other kind; empty when cancelled.
    QString askSaveName(const QString& filter, SaveNames::Kind kind, const QString& offered);
    QString askMazeName();
    bool writeDocument(const QString& name);
    void refreshRecentMenu();
    // The underlay changed: repainted, and its commands follow.
    void underlayChanged();
    // The shape mode's mouse (MainShape.cpp): a press opens a stroke, each
    // cell passed is painted, the release closes it after the questions.
    void shapeMouseDown(Qt::MouseButton button, int x, int y);
    void shapeMouseMove(int x, int y);
    void shapeMouseUp();
    void paintShapeCell(PathEditor::Cell cell);
    // A shape command's edit, shown.
    void shapeChanged(bool changed);

    std::unique_ptr<Document> document_;
    QString ExeDir;
    std::filesystem::path HelpPath;
    enum class Drag { None, Drawing, Stopped };
    Drag drag_ = Drag::None;
    bool shapeMode_ = false;
    // The open painting stroke: whether it paints cells in, the last cell
    // it reached, and whether it was told that the path's cells stay.
    struct Stroke {
        bool inside = false;
        PathEditor::Cell last{-1, -1};
        bool toldPath = false;
    };
    std::optional<Stroke> stroke_;
    // The next close asks nothing: the session's end was answered, or the
    // program is ending on a signal. Cleared by any change of state.
    bool closeWithoutQuestion_ = false;

    std::unique_ptr<Interaction> ownInteraction_;
    Interaction* interaction_;
    TFVersion* versionDialog_ = nullptr;
    std::unique_ptr<ColorKey> colorKey_;
    std::unique_ptr<PrintCommands> printCommands_;
    std::unique_ptr<DifficultyCommands> difficulty_;
    std::unique_ptr<BookCommands> bookCommands_;
    std::unique_ptr<UnderlayCommands> underlay_;
    std::unique_ptr<RouteCommands> routeCommands_;
    std::unique_ptr<ShapeCommands> shapeCommands_;

    QToolBar* ToolBar = nullptr;
    QScrollArea* imageArea_ = nullptr;
    MazeImage* Image = nullptr;
    QLabel* statusPanel_ = nullptr;
    SummaryPanel* summaryPanel_ = nullptr;
    MazeStyleMenu* styleMenu_ = nullptr;
    LanguageMenu* languageMenu_ = nullptr;
    // The texts of the commands and menus, shown again in another language.
    CommandTexts texts_{"TFMain"};
    // The size FitImageToBoard last gave the window.
    QSize fittedSize_;

    QAction* MMNew = nullptr;
    QAction* MMLoad = nullptr;
    QAction* MMSave = nullptr;
    QAction* MMSaveAsBitmap = nullptr;
    QAction* MMPrint = nullptr;
    QAction* MMPrintPreview = nullptr;
    QAction* MMExport = nullptr;
    QAction* MMMakeBook = nullptr;
    QAction* MMSaveAs = nullptr;
    QAction* MMExit = nullptr;
    QMenu* MMRecentFiles = nullptr;
    QAction* MMUndo = nullptr;
    QAction* MMRedo = nullptr;
    QAction* MMMakeMaze = nullptr;
    QAction* MMMakeByDifficulty = nullptr;
    QAction* MMInitMaze = nullptr;
    QAction* MMDrawAnswer = nullptr;
    QAction* MMTransparentMode = nullptr;
    QAction* MMEnlargeGrid = nullptr;
    QAction* MMEnsmallGrid = nullptr;
    QAction* MMHelp = nullptr;
    QAction* MMAbout = nullptr;
    QAction* MMSeed = nullptr;
    QAction* MMRandomRoute = nullptr;
    QAction* MMFreshSeed = nullptr;
    QAction* MMLoadUnderlay = nullptr;
    QAction* MMShowUnderlay = nullptr;
    QAction* MMUnderlayStrength = nullptr;
    QAction* MMRemoveUnderlay = nullptr;
    QAction* MMShapeMode = nullptr;
    QMenu* MMShape = nullptr;
    QAction* MMChooseShape = nullptr;
    QAction* MMShapeFromUnderlay = nullptr;
    QAction* MMShapeFromFile = nullptr;
    QAction* MMRemoveShape = nullptr;
};
