#include "Main.h"

#include "ColorKey.h"
#include "DifficultyCommands.h"
#include "Document.h"
#include "EditHistory.h"
#include "FileDrop.h"
#include "FileNames.h"
#include "FreshSeed.h"
#include "Hhelp.h"
#include "Interaction.h"
#include "LanguageMenu.h"
#include "MazeImage.h"
#include "BookCommands.h"
#include "PrintCommands.h"
#include "QtCanvas.h"
#include "Recovery.h"
#include "RouteCommands.h"
#include "SessionEnd.h"
#include "ShapeCommands.h"
#include "StyleCommands.h"
#include "UnderlayCommands.h"
#include "Version.h"
#include "help_location.h"
#include "maze_board.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QSessionManager>
#include <QStatusBar>

namespace {

// Status-bar prompts, in the order of Prompt (Other has no words of its own).
const char* const PromptTexts[] = {
    nullptr,
    QT_TRANSLATE_NOOP("TFMain", "始点を決めてください(灰色の部分)"),
    QT_TRANSLATE_NOOP("TFMain", "迷路の始点は外側(灰色の部分)にしてください。"),
    QT_TRANSLATE_NOOP("TFMain", "カーソルキーで迷路を作成してください。"),
    QT_TRANSLATE_NOOP("TFMain", "外側(灰色の部分)まで線を伸ばしてください。"),
    QT_TRANSLATE_NOOP("TFMain", "迷路作成ボタンを押してください。"),
};

// Window titles: the program's name, the modified mark, and the file's name.
const QString TitleModifiedPrefix = QStringLiteral("Zubelo * ");
const QString TitlePrefix = QStringLiteral("Zubelo - ");

} // namespace

TFMain::TFMain(Interaction* interaction, QWidget* parent)
    : QMainWindow(parent)
    , interaction_(interaction)
    , colorKey_(std::make_unique<ColorKey>(this))
{
    if (!interaction_) {
        ownInteraction_ = std::make_unique<QtInteraction>();
        interaction_ = ownInteraction_.get();
    }
    document_ = std::make_unique<Document>();
    connect(document_.get(), &Document::editShown, this, &TFMain::showEdit);
    // Whatever closes the open edit ends a drag too.
    connect(document_.get(), &Document::editClosed, this, [this] {
        drag_ = Drag::None;
        stroke_.reset();
    });

    printCommands_ = std::make_unique<PrintCommands>(this, *interaction_);
    difficulty_ = std::make_unique<DifficultyCommands>(this);
    bookCommands_ = std::make_unique<BookCommands>(this, *interaction_, *printCommands_);
    underlay_ = std::make_unique<UnderlayCommands>(this, *interaction_);
    routeCommands_ = std::make_unique<RouteCommands>(this, *interaction_);
    shapeCommands_ = std::make_unique<ShapeCommands>(this, *interaction_);
    createActions();
    createToolBar();

    imageArea_ = new QScrollArea(this);
    imageArea_->setFrameShape(QFrame::NoFrame);
    imageArea_->setFocusPolicy(Qt::NoFocus);
    imageArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The window is fitted to the picture, however small.
    imageArea_->setMinimumSize(1, 1);
    Image = new MazeImage;
    Image->setObjectName(QStringLiteral("Image"));
    imageArea_->setWidget(Image);
    setCentralWidget(imageArea_);
    connect(Image, &MazeImage::mouseDown, this, &TFMain::ImageMouseDown);
    connect(Image, &MazeImage::mouseMove, this, &TFMain::ImageMouseMove);
    connect(Image, &MazeImage::mouseUp, this, &TFMain::ImageMouseUp);
    setAcceptDrops(true);
    for (QScrollBar* bar : {imageArea_->horizontalScrollBar(), imageArea_->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { colorKey_->geometryChanged(Image, shownPicture()); });

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setFixedHeight(StatusBarHeight);
    statusPanel_ = new QLabel(statusBar());
    statusPanel_->setTextFormat(Qt::PlainText); // a prompt may hold a file name or restored text
    statusPanel_->setObjectName(QStringLiteral("Panels0"));
    statusBar()->addWidget(statusPanel_, 1);
    summaryPanel_ = new SummaryPanel(statusBar());
    summaryPanel_->setObjectName(QStringLiteral("Panels1"));
    statusBar()->addPermanentWidget(summaryPanel_);
    summaryPanel_->hide();

    ExeDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    Image->setBoard(&document_->board());
    Image->setUnderlay(&underlay_->underlay());
    document_->board().setStyle(styleMenu_->style());
    if (const std::optional<std::uint32_t> state = FreshSeed::startState())
        document_->setSeed(*state);
    HelpPath = helpPathFor(FileNames::toPath(ExeDir), manualLanguage());
    LoadHelp();
    // White until the board is first shown.
    Image->setFixedSize(QSize(473, 502 - ToolBarHeight - StatusBarHeight));

    // The cursor keys draw the path whichever control has the focus.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        QtSessionEnd request(manager);
        commitData(request);
    });
}

TFMain::~TFMain()
{
    qApp->removeEventFilter(this);
    FreeHelp();
}

void TFMain::attachDialogs(TFSetSize* sizeDialog, TFVersion* versionDialog)
{
    if (ownInteraction_)
        static_cast<QtInteraction*>(ownInteraction_.get())->setSizeDialog(sizeDialog);
    versionDialog_ = versionDialog;
}





QString TFMain::statusText() const
{
    return statusPanel_->text();
}

QString TFMain::summaryText() const
{
    return summaryPanel_->text();
}

void TFMain::showDocumentState()
{
    const ViewState& state = document_->state();
    statusPanel_->setText(state.prompt == Prompt::Other ? state.otherPrompt
                                                        : tr(PromptTexts[static_cast<int>(state.prompt)]));
    const std::optional<MazeFigures>& figures = state.figures;
    summaryPanel_->showSummary(figures ? mazeSummary(figures->stats, figures->seed, figures->difficulty) : QString());
    summaryPanel_->setVisible(figures.has_value());
}

void TFMain::InitMaze()
{
    document_->initMaze();
    showDocumentState();
    FitImageToBoard();
    UpdateControls();
}

void TFMain::UpdateControls()
{
    const MazeBoard& board = document_->board();
    const bool made = mazeMade();
    setWindowTitle((isModified() ? TitleModifiedPrefix : TitlePrefix)
                   + (fileName().isEmpty() ? tr("新規ファイル") : fileName()));

    // The tool buttons share their menu item's action, so they follow its
    // enabled, checked and pressed state.
    MMMakeMaze->setEnabled(canMakeMaze());
    MMMakeByDifficulty->setEnabled(canMakeMaze());
    MMDrawAnswer->setChecked(board.showAnswer);
    MMTransparentMode->setChecked(board.transparentMode);
    MMSave->setEnabled(made);
    MMTransparentMode->setEnabled(!made && colorKey_->isSupported());
    MMDrawAnswer->setEnabled(made);
    MMSaveAs->setEnabled(made);
    MMUndo->setEnabled(editHistory().canUndo());
    MMRedo->setEnabled(editHistory().canRedo());
    // Printing and exporting need a finished maze.
    for (QAction* output : {MMPrint, MMPrintPreview, MMExport})
        output->setEnabled(made);
    // A book is made around the drawn path, finished or not.
    MMMakeBook->setEnabled(made || canMakeMaze());

    closeWithoutQuestion_ = false;
    const Underlay& underlay = underlay_->underlay();
    for (QAction* command : {MMShowUnderlay, MMUnderlayStrength, MMRemoveUnderlay})
        command->setEnabled(underlay.isLoaded());
    MMShowUnderlay->setChecked(underlay.isLoaded() && underlay.isShown());
    MMShapeMode->setChecked(shapeMode_);
    MMShapeFromUnderlay->setEnabled(underlay.isLoaded());
    MMRemoveShape->setEnabled(board.isShaped());
}

void TFMain::SetStatusText(const QString& text)
{
    document_->setOtherPrompt(text);
    statusPanel_->setText(text);
}

void TFMain::ShowPrompt(Prompt prompt)
{
    if (prompt == Prompt::Other)
        return;
    document_->setPrompt(prompt);
    statusPanel_->setText(tr(PromptTexts[static_cast<int>(prompt)]));
}

void TFMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        // The other language's font may make the menu bar taller: a window
        // fitted to the picture is fitted again once the bar has its height,
        // so that no scroll bars appear.
        if (size() == fittedSize_)
            QMetaObject::invokeMethod(this, [this] { if (size() == fittedSize_) FitImageToBoard(); }, Qt::QueuedConnection);
    }
    QMainWindow::changeEvent(event);
}


void TFMain::setPrintInteraction(PrintInteraction* dialogs)
{
    printCommands_->setPrintInteraction(dialogs);
}

void TFMain::setDifficultyInteraction(DifficultyInteraction* dialogs)
{
    difficulty_->setInteraction(dialogs);
}

void TFMain::MMPrintClick()
{
    printCommands_->print(document_->board(), fileName());
}

void TFMain::MMPrintPreviewClick()
{
    printCommands_->preview(document_->board(), fileName());
}

void TFMain::MMExportClick()
{
    printCommands_->exportMaze(document_->board(), fileName());
}

void TFMain::setBookInteraction(BookInteraction* dialogs)
{
    bookCommands_->setBookInteraction(dialogs);
}

void TFMain::MMMakeBookClick()
{
    bookCommands_->makeBook(document_->board(), fileName());
}

void TFMain::MMMakeMazeClick()
{
    document_->makeMaze();
    RedrawImage();
    showDocumentState();
    UpdateControls();
}

void TFMain::MMMakeByDifficultyClick()
{
    const std::optional<QString> said
        = difficulty_->chooseAndMake(*document_, styleCaption(document_->board().getStyle()));
    if (!said)
        return;
    RedrawImage();
    document_->setOtherPrompt(*said);
    showDocumentState();
    UpdateControls();
}

void TFMain::setRouteInteraction(RouteInteraction* dialogs)
{
    routeCommands_->setRouteInteraction(dialogs);
}

void TFMain::MMRandomRouteClick()
{
    // A drawn path is replaced only after the usual question.
    if (PathEditor(document_->board()).hasSteps() && !ConfirmSave())
        return;
    if (!routeCommands_->makeRoute(*document_))
        return;
    RedrawImage();
    showDocumentState();
    UpdateControls();
}

void TFMain::MMSeedClick()
{
    if (const std::optional<std::uint32_t> seed = interaction_->askSeed(this, document_->seedShown()))
        document_->setSeed(*seed);
}

void TFMain::MMFreshSeedClick()
{
    FreshSeed::setOn(MMFreshSeed->isChecked());
}

void TFMain::MMInitMazeClick()
{
    if (!ConfirmSave())
        return;
    document_->beginEdit();
    InitMaze();
    if (document_->endEdit())
        UpdateControls();
}

void TFMain::MMUndoClick()
{
    if (document_->undo())
        UpdateControls();
}

void TFMain::MMRedoClick()
{
    if (document_->redo())
        UpdateControls();
}

void TFMain::MMDrawAnswerClick()
{
    document_->setShowAnswer(MMDrawAnswer->isChecked());
    RedrawImage();
    UpdateControls();
}

void TFMain::MMTransparentModeClick()
{
    const bool on = MMTransparentMode->isChecked();
    colorKey_->setEnabled(on, QtCanvas::toQColor(TransparentBackColor).rgb());
    document_->setTransparentMode(on);
    RedrawImage();
    UpdateControls();
}

const Underlay& TFMain::underlay() const
{
    return underlay_->underlay();
}

void TFMain::underlayChanged()
{
    RedrawImage();
    UpdateControls();
}

void TFMain::MMLoadUnderlayClick()
{
    if (underlay_->choose(fileName()))
        underlayChanged();
}

void TFMain::MMShowUnderlayClick()
{
    underlay_->underlay().setShown(MMShowUnderlay->isChecked());
    underlayChanged();
}

void TFMain::MMUnderlayStrengthClick()
{
    if (underlay_->askStrength(fileName()))
        underlayChanged();
}

void TFMain::MMRemoveUnderlayClick()
{
    underlay_->remove(fileName());
    underlayChanged();
}

void TFMain::MMEnlargeGridClick()
{
    zoomGrid(1);
}

void TFMain::MMEnsmallGridClick()
{
    zoomGrid(-1);
}

void TFMain::MMHelpClick()
{
    // Where nothing can show the manual, the user learns which file it is.
    if (!ShowHelp(reinterpret_cast<void*>(winId()), HelpPath))
        interaction_->showMessage(this, Interaction::MessageKind::Plain,
                                  tr("Failed to open File ") + QString::fromStdU16String(HelpPath.u16string()));
}

void TFMain::MMAboutClick()
{
    if (!versionDialog_)
        return;
    versionDialog_->show();
    versionDialog_->raise();
    versionDialog_->activateWindow();
}

bool TFMain::event(QEvent* event)
{
    if (event->type() == QEvent::WinIdChange)
        colorKey_->nativeWindowChanged();
    return QMainWindow::event(event);
}

void TFMain::closeEvent(QCloseEvent* event)
{
    // Unsaved changes are not lost by closing: the same question as before
    // New or Load, and Cancel keeps the window open.
    if (!closeWithoutQuestion_) {
        if (!ConfirmSave()) {
            event->ignore();
            return;
        }
        if (RecoveryKeeper* recovery = document_->recovery())
            recovery->discard();
    }
    event->accept();
}

void TFMain::dragEnterEvent(QDragEnterEvent* event)
{
    // Any local file is taken, so that one of the wrong kind is answered.
    if (DroppedFiles::examine(*event->mimeData()).kind != DroppedFiles::Kind::Nothing)
        event->acceptProposedAction();
}

void TFMain::dropEvent(QDropEvent* event)
{
    const DroppedFiles dropped = DroppedFiles::examine(*event->mimeData());
    if (dropped.kind == DroppedFiles::Kind::Nothing)
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: the question box must not hold up the
    // program the file came from.
    QMetaObject::invokeMethod(this, [this, dropped] { OpenDropped(dropped); }, Qt::QueuedConnection);
}
