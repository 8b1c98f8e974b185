#include "Main.h"

#include "BitmapExport.h"
#include "ColorKey.h"
#include "EditHistory.h"
#include "EditingTexts.h"
#include "ExportEngine.h"
#include "FileDrop.h"
#include "FileNames.h"
#include "Hhelp.h"
#include "Interaction.h"
#include "MazeImage.h"
#include "LanguageMenu.h"
#include "StyleCommands.h"
#include "PrintCommands.h"
#include "QtCanvas.h"
#include "RecentMenu.h"
#include "Recovery.h"
#include "SessionEnd.h"
#include "UnderlayCommands.h"
#include "UnderlayTexts.h"
#include "Version.h"
#include "help_location.h"
#include "maze_board.h"
#include "maze_random.h"
#include "maze_stats.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <utility>

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

// The narrowest the window is fitted to, so the menu and tool bar fit.
constexpr int MinClientWidth = 320;
constexpr int ToolBarHeight = 33;
constexpr int StatusBarHeight = 19;
constexpr int ButtonSize = 26;

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

    printCommands_ = std::make_unique<PrintCommands>(this, *interaction_);
    underlay_ = std::make_unique<UnderlayCommands>(this, *interaction_);
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
    statusPanel_->setObjectName(QStringLiteral("Panels0"));
    statusBar()->addWidget(statusPanel_, 1);
    summaryPanel_ = new SummaryPanel(statusBar());
    summaryPanel_->setObjectName(QStringLiteral("Panels1"));
    statusBar()->addPermanentWidget(summaryPanel_);
    summaryPanel_->hide();

    FileName.clear();
    ExeDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    Board = std::make_unique<MazeBoard>();
    Image->setBoard(Board.get());
    Image->setUnderlay(&underlay_->underlay());
    Board->setStyle(styleMenu_->style());
    seedShown_ = Board->randomSource().state();
    History = std::make_unique<EditHistory>(static_cast<EditTarget&>(*this));
    HelpPath = helpPathFor(FileNames::toPath(ExeDir), manualLanguage());
    LoadHelp();
    MazeMode = 0;
    // White until the board is first shown.
    Image->setFixedSize(QSize(473, 502 - ToolBarHeight - StatusBarHeight));

    // The cursor keys draw the path whichever control has the focus.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        QtSessionEnd request(manager);
        commitData(request);
    });
}

void TFMain::commitData(SessionEndRequest& request)
{
    if (!Modified)
        return;
    if (!request.allowsInteraction()) {
        // Nobody to ask: the changes go to the recovery copy.
        if (recovery_)
            recovery_->writeNow();
    } else {
        const bool goOn = ConfirmSave();
        request.release();
        if (!goOn) {
            request.cancel();
            return;
        }
        if (recovery_ && Modified)
            recovery_->discard(); // answered No
    }
    closeWithoutQuestion_ = true;
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

QAction* TFMain::addCommand(const char* name, const char* caption, const char* hint, const QKeySequence& shortcut,
                            const char* icon, void (TFMain::*handler)())
{
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    texts_.add(action, caption, hint);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (icon)
        action->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(icon)));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

QMenu* TFMain::addMenu(QMenu* parent, const char* name, const char* title)
{
    QMenu* menu = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    texts_.addMenu(menu, title);
    return menu;
}

void TFMain::createActions()
{
    MMNew = addCommand("MMNew", QT_TR_NOOP("新規作成(&N)"), QT_TR_NOOP("新規作成(Ctrl+N)"),
                       QKeySequence(Qt::CTRL | Qt::Key_N), "new.svg", &TFMain::MMNewClick);
    MMLoad = addCommand("MMLoad", QT_TR_NOOP("読み込み(&L)"), QT_TR_NOOP("読み込み(Ctrl+O)"),
                        QKeySequence(Qt::CTRL | Qt::Key_O), "load.svg", &TFMain::MMLoadClick);
    MMSave = addCommand("MMSave", QT_TR_NOOP("保存(&S)"), QT_TR_NOOP("保存(Ctrl+S)"),
                        QKeySequence(Qt::CTRL | Qt::Key_S), "save.svg", &TFMain::MMSaveClick);
    MMSaveAsBitmap = addCommand("MMSaveAsBitmap", QT_TR_NOOP("ビットマップファイルとして保存(&B)"),
                                QT_TR_NOOP("ビットマップファイルとして保存"), {}, "save_bitmap.svg",
                                &TFMain::MMSaveAsBitmapClick);
    MMPrint = addCommand("MMPrint", QT_TR_NOOP("印刷(&P)..."), QT_TR_NOOP("印刷(Ctrl+P)"),
                         QKeySequence(Qt::CTRL | Qt::Key_P), nullptr, &TFMain::MMPrintClick);
    MMPrintPreview = addCommand("MMPrintPreview", QT_TR_NOOP("印刷プレビュー(&V)..."), QT_TR_NOOP("印刷プレビュー"),
                                {}, nullptr, &TFMain::MMPrintPreviewClick);
    MMExport = addCommand("MMExport", QT_TR_NOOP("エクスポート(&E)..."), QT_TR_NOOP("エクスポート(Ctrl+E)"),
                          QKeySequence(Qt::CTRL | Qt::Key_E), nullptr, &TFMain::MMExportClick);
    MMMakeMaze = addCommand("MMMakeMaze", QT_TR_NOOP("迷路作成(&M)"), QT_TR_NOOP("迷路作成(F5)"),
                            QKeySequence(Qt::Key_F5), "make_maze.svg", &TFMain::MMMakeMazeClick);
    MMInitMaze = addCommand("MMInitMaze", QT_TR_NOOP("迷路の初期化(&I)"), QT_TR_NOOP("迷路の初期化(F2)"),
                            QKeySequence(Qt::Key_F2), "init_maze.svg", &TFMain::MMInitMazeClick);
    MMDrawAnswer = addCommand("MMDrawAnswer", QT_TR_NOOP("解答を表示する(&D)"), QT_TR_NOOP("解答を表示する(F3)"),
                              QKeySequence(Qt::Key_F3), "answer.svg", &TFMain::MMDrawAnswerClick);
    MMTransparentMode = addCommand("MMTransparentMode", QT_TR_NOOP("透過ウィンドウモード(&T)"),
                                   QT_TR_NOOP("透過ウィンドウモード(Ctrl+T)"), QKeySequence(Qt::CTRL | Qt::Key_T),
                                   "transparent.svg", &TFMain::MMTransparentModeClick);
    MMEnlargeGrid = addCommand("MMEnlargeGrid", QT_TR_NOOP("グリッド拡大(&F)"), QT_TR_NOOP("グリッド拡大(F)"),
                               QKeySequence(Qt::Key_F), "enlarge.svg", &TFMain::MMEnlargeGridClick);
    MMEnsmallGrid = addCommand("MMEnsmallGrid", QT_TR_NOOP("グリッド縮小(&D)"), QT_TR_NOOP("グリッド縮小(D)"),
                               QKeySequence(Qt::Key_D), "ensmall.svg", &TFMain::MMEnsmallGridClick);
    // The zoom keys of other programs too (Ctrl+= is Ctrl++ without Shift).
    MMEnlargeGrid->setShortcuts({QKeySequence(Qt::Key_F), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                 QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    MMEnsmallGrid->setShortcuts({QKeySequence(Qt::Key_D), QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    MMHelp = addCommand("MMHelp", QT_TR_NOOP("ヘルプ(&H)"), QT_TR_NOOP("ヘルプ(F1)"), QKeySequence(Qt::Key_F1),
                        "help.svg", &TFMain::MMHelpClick);
    MMAbout = addCommand("MMAbout", QT_TR_NOOP("バージョン情報(&A)"), nullptr, {}, nullptr, &TFMain::MMAboutClick);
    MMSaveAs = addCommand("MMSaveAs", EditingTexts::CaptionSaveAs, EditingTexts::HintSaveAs,
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), nullptr, &TFMain::MMSaveAsClick);
    MMExit = addCommand("MMExit", EditingTexts::CaptionExit, EditingTexts::HintExit, QKeySequence(Qt::CTRL | Qt::Key_Q),
                        nullptr, &TFMain::MMExitClick);
    MMUndo = addCommand("MMUndo", EditingTexts::CaptionUndo, EditingTexts::HintUndo, QKeySequence(Qt::CTRL | Qt::Key_Z),
                        "undo.svg", &TFMain::MMUndoClick);
    MMRedo = addCommand("MMRedo", EditingTexts::CaptionRedo, EditingTexts::HintRedo, QKeySequence(Qt::CTRL | Qt::Key_Y),
                        "redo.svg", &TFMain::MMRedoClick);
    MMRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    // Qt turns the check mark of a checkable action over before the handler
    // runs; the handlers take that new state.
    MMDrawAnswer->setCheckable(true);
    MMTransparentMode->setCheckable(true);

    QMenu* file = addMenu(nullptr, "File1", QT_TR_NOOP("ファイル(&F)"));
    file->addActions({MMNew, MMLoad});
    MMRecentFiles = addMenu(file, "MMRecentFiles", EditingTexts::CaptionRecentFiles);
    // Another copy of the program may have changed the list meanwhile.
    connect(MMRecentFiles, &QMenu::aboutToShow, this, &TFMain::refreshRecentMenu);
    refreshRecentMenu();
    file->addActions({MMSave, MMSaveAs, MMSaveAsBitmap, MMPrint, MMPrintPreview, MMExport});
    file->addSeparator();
    file->addAction(MMExit);
    QMenu* edit = addMenu(nullptr, "MMEdit", EditingTexts::MenuEdit);
    edit->addActions({MMUndo, MMRedo});
    QMenu* maze = addMenu(nullptr, "MMMaze", QT_TR_NOOP("迷路(&M)"));
    maze->addActions({MMMakeMaze, MMInitMaze, MMDrawAnswer});
    maze->addSeparator();
    styleMenu_ = new MazeStyleMenu(maze, this);
    connect(styleMenu_, &MazeStyleMenu::styleChosen, this, [this](MazeStyle style) { Board->setStyle(style); });
    MMSeed = addCommand("MMSeed", SeedCommandCaption, nullptr, {}, nullptr, &TFMain::MMSeedClick);
    maze->addAction(MMSeed);
    QMenu* view = addMenu(nullptr, "MMView", QT_TR_NOOP("表示(&V)"));
    view->addActions({MMTransparentMode, MMEnlargeGrid, MMEnsmallGrid});
    MMLoadUnderlay = addCommand("MMLoadUnderlay", UnderlayTexts::CaptionLoad, nullptr, {}, nullptr,
                                &TFMain::MMLoadUnderlayClick);
    MMShowUnderlay = addCommand("MMShowUnderlay", UnderlayTexts::CaptionShow, UnderlayTexts::HintShow,
                                QKeySequence(Qt::CTRL | Qt::Key_I), nullptr, &TFMain::MMShowUnderlayClick);
    MMShowUnderlay->setCheckable(true);
    MMUnderlayStrength = addCommand("MMUnderlayStrength", UnderlayTexts::CaptionStrength, nullptr, {}, nullptr,
                                    &TFMain::MMUnderlayStrengthClick);
    MMRemoveUnderlay = addCommand("MMRemoveUnderlay", UnderlayTexts::CaptionRemove, nullptr, {}, nullptr,
                                  &TFMain::MMRemoveUnderlayClick);
    view->addSeparator();
    view->addActions({MMLoadUnderlay, MMShowUnderlay, MMUnderlayStrength, MMRemoveUnderlay});
    // Where nothing can show through a window, the picture goes under the grid instead.
    if (!colorKey_->isSupported())
        texts_.setHint(MMTransparentMode, UnderlayTexts::HintNoSeeThrough);
    view->addSeparator();
    languageMenu_ = new LanguageMenu(view, this);
    QMenu* help = addMenu(nullptr, "Help1", QT_TR_NOOP("ヘルプ(&H)"));
    help->addActions({MMHelp, MMAbout});
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
}

void TFMain::createToolBar()
{
    ToolBar = addToolBar(QStringLiteral("ToolBar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->toggleViewAction()->setEnabled(false);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar->setIconSize(QSize(18, 18));
    ToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar->setFixedHeight(ToolBarHeight);
    ToolBar->layout()->setSpacing(0);
    ToolBar->layout()->setContentsMargins(0, 0, 0, 0);

    auto addButton = [this](QAction* action, const char* name) {
        ToolBar->addAction(action);
        QWidget* button = ToolBar->widgetForAction(action);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(ButtonSize, ButtonSize);
        // The cursor keys belong to the path, not to moving between buttons.
        button->setFocusPolicy(Qt::NoFocus);
    };
    auto addGap = [this](const char* name, int width) {
        QWidget* separator = ToolBar->widgetForAction(ToolBar->addSeparator());
        separator->setObjectName(QString::fromLatin1(name));
        separator->setFixedWidth(width);
    };
    addButton(MMNew, "TBNew");
    addButton(MMLoad, "ToolButton1");
    addButton(MMSave, "TBSave");
    addButton(MMSaveAsBitmap, "TBSaveAsBitmap");
    addGap("ToolButton3", 4);
    addButton(MMEnlargeGrid, "TBEnlageGrid");
    addButton(MMEnsmallGrid, "TBEnsmallGrid");
    addButton(MMTransparentMode, "TBTransparentMode");
    addGap("ToolButton4", 8);
    addButton(MMMakeMaze, "TBMakeMaze");
    addButton(MMInitMaze, "TBInitMaze");
    addButton(MMDrawAnswer, "TBDrawAnswer");
    addGap("ToolButton6", 4);
    addButton(MMHelp, "TBHelp");
    addGap("ToolButton7", 4);
    addButton(MMUndo, "TBUndo");
    addButton(MMRedo, "TBRedo");
}

QString TFMain::statusText() const
{
    return statusPanel_->text();
}

QString TFMain::summaryText() const
{
    return summaryPanel_->text();
}

void TFMain::ShowSummary(std::optional<std::uint32_t> seed)
{
    showFigures(MazeFigures{measureMaze(*Board), seed});
}

void TFMain::HideSummary()
{
    showFigures(std::nullopt);
}

void TFMain::showFigures(const std::optional<MazeFigures>& figures)
{
    figures_ = figures;
    summaryPanel_->showSummary(figures ? mazeSummary(figures->stats, figures->seed) : QString());
    summaryPanel_->setVisible(figures.has_value());
}

void TFMain::InitMaze()
{
    MazeMode = 0;
    MazeMade = false;
    HideSummary();
    editor().clearPath();
    CanMakeMaze = false;
    Modified = false;
    FitImageToBoard();
    ShowPrompt(Prompt::ChooseStart);
    UpdateControls();
}

void TFMain::UpdateControls()
{
    setWindowTitle((Modified ? TitleModifiedPrefix : TitlePrefix) + (FileName.isEmpty() ? tr("新規ファイル") : FileName));

    // The tool buttons share their menu item's action, so they follow its
    // enabled, checked and pressed state.
    MMMakeMaze->setEnabled(CanMakeMaze);
    MMDrawAnswer->setChecked(Board->showAnswer);
    MMTransparentMode->setChecked(Board->transparentMode);
    MMSave->setEnabled(MazeMade);
    MMTransparentMode->setEnabled(!MazeMade && colorKey_->isSupported());
    MMDrawAnswer->setEnabled(MazeMade);
    MMSaveAs->setEnabled(MazeMade);
    MMUndo->setEnabled(History->canUndo());
    MMRedo->setEnabled(History->canRedo());
    // Printing and exporting need a finished maze.
    for (QAction* output : {MMPrint, MMPrintPreview, MMExport})
        output->setEnabled(MazeMade);

    closeWithoutQuestion_ = false;
    if (recovery_)
        recovery_->documentChanged(Modified);
    const Underlay& underlay = underlay_->underlay();
    for (QAction* command : {MMShowUnderlay, MMUnderlayStrength, MMRemoveUnderlay})
        command->setEnabled(underlay.isLoaded());
    MMShowUnderlay->setChecked(underlay.isLoaded() && underlay.isShown());
}

void TFMain::SetStatusText(const QString& text)
{
    prompt_ = Prompt::Other;
    statusPanel_->setText(text);
}

void TFMain::ShowPrompt(Prompt prompt)
{
    if (prompt == Prompt::Other)
        return;
    prompt_ = prompt;
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

void TFMain::retranslateUi()
{
    texts_.retranslate();
    styleMenu_->retranslateUi();
    languageMenu_->retranslateUi();
    ShowPrompt(prompt_);
    showFigures(figures_);
    HelpPath = helpPathFor(FileNames::toPath(ExeDir), manualLanguage());
    UpdateControls();
}

void TFMain::RedrawImage()
{
    paintPicture({});
}

void TFMain::RedrawCells(int x1, int y1, int x2, int y2)
{
    const int g = Board->getGridSize();
    const QRect first(Board->getMarginX() + x1 * g, Board->getMarginY() + y1 * g, g, g);
    const QRect second(Board->getMarginX() + x2 * g, Board->getMarginY() + y2 * g, g, g);
    paintPicture(first | second);
}

void TFMain::paintPicture(const QRect& area)
{
    // The picture area draws what it exposes from the board when it paints.
    Image->setView(MazeMode != 0 ? MazeImage::View::Maze : MazeImage::View::Editing);
    if (area.isEmpty())
        Image->update();
    else
        Image->update(area);
    colorKey_->pictureChanged(Image, shownPicture(), area);
}

ColorKey::PictureSource TFMain::shownPicture() const
{
    return [image = Image](const QRect& area) { return image->pixels(area); };
}

void TFMain::FitImageToBoard()
{
    int imageWidth = 0, imageHeight = 0;
    Board->getImageSize(imageWidth, imageHeight);
    const int clientWidth = std::max(imageWidth, MinClientWidth);
    Image->setFixedSize(QSize(clientWidth, imageHeight));
    // The menu bar lies inside a Qt window; the rest is picture, tool bar
    // and status bar.
    const int menuHeight = menuBar()->isVisible() ? menuBar()->height() : menuBar()->sizeHint().height();
    QSize fitted(clientWidth, menuHeight + ToolBarHeight + imageHeight + StatusBarHeight);
    // Never larger than the screen: the rest of a big picture is reached with
    // the scroll bars, and the window's back buffer stays screen-sized.
    if (const QScreen* display = screen()) {
        const QSize frame = frameGeometry().size() - geometry().size();
        fitted = fitted.boundedTo(display->availableGeometry().size() - frame);
    }
    resize(fitted);
    fittedSize_ = fitted;
    RedrawImage();
}

void TFMain::keepHeadInView()
{
    const int g = Board->getGridSize();
    imageArea_->ensureVisible(Board->getMarginX() + Board->curX * g + g / 2,
                              Board->getMarginY() + Board->curY * g + g / 2, g, g);
}

bool TFMain::ConfirmSave()
{
    if (!Modified)
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
            this, {filter, SaveNames::suffix(kind), initial, Recent.folder(dialog)});
        if (!chosen)
            return {};
        if (!FileNames::isUnambiguous(*chosen)) {
            interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                      ExportEngine::failureMessage({BitmapExport::Result::CannotCreate, *chosen}));
            return {};
        }
        if (!SaveNames::isOtherKind(*chosen, kind)) {
            Recent.setFolderOf(dialog, *chosen);
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
    const QString name = askSaveName(tr("Maze Files (*.maz)|*.maz|All Files (*.*) |*.*"), SaveNames::Kind::Maze,
                                     FileName.isEmpty() ? MazeDialogName : FileName);
    if (!name.isEmpty())
        MazeDialogName = name;
    return name;
}

bool TFMain::SaveDocument()
{
    return writeDocument(FileName.isEmpty() ? askMazeName() : FileName);
}

bool TFMain::writeDocument(const QString& name)
{
    if (name.isEmpty())
        return false;
    // A drag still going on is part of what is saved.
    endEdit();
    // A failed save keeps everything as it was: the maze stays unsaved and a
    // name just chosen is not taken, so the next Save asks again.
    if (!Board->saveFile(FileNames::toPath(name))) {
        interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                  ExportEngine::failureMessage({BitmapExport::Result::CannotCreate, name}));
        return false;
    }
    FileName = name;
    Modified = false;
    History->setClean();
    underlay_->mazeSaved(name);
    Recent.add(name);
    refreshRecentMenu();
    UpdateControls();
    return true;
}

void TFMain::refreshRecentMenu()
{
    fillRecentMenu(MMRecentFiles, Recent, [this](const QString& name) { OpenRecent(name); });
}

void TFMain::MMNewClick()
{
    if (!ConfirmSave())
        return;
    const auto size = interaction_->askNewSize(this, Board->getWidth(), Board->getHeight(), Board->getGridSize());
    if (!size)
        return;
    Board->setGridSize(size->gridSize);
    // The size dialog delivers 5 ... 100, which the board always takes.
    if (!Board->resize(size->width, size->height))
        return;
    FitImageToBoard();
    MazeMode = 0;
    Modified = false;
    FileName.clear();
    // An empty board has no path and no maze yet, and nothing to undo.
    CanMakeMaze = false;
    MazeMade = false;
    HideSummary();
    endEdit();
    History->clear();
    MazeDialogName.clear();
    BitmapDialogName.clear();
    ShowPrompt(Prompt::ChooseStart);
    RedrawImage();
    UpdateControls();
}

void TFMain::MMLoadClick()
{
    if (!ConfirmSave())
        return;
    const std::optional<QString> name = interaction_->askOpenFileName(
        this, {tr("MAZ File (*.maz)|*.maz|All Files (*.*)|*.*"), SaveNames::suffix(SaveNames::Kind::Maze), {}, Recent.folder(RecentFiles::Dialog::Open)});
    if (!name)
        return;
    Recent.setFolderOf(RecentFiles::Dialog::Open, *name);
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
        if (underlay_->take(dropped.file, FileName))
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

bool TFMain::OpenDocument(const QString& name, bool nameIsExact)
{
    // A name that may stand for another file than the one chosen is refused
    // like a file that cannot be read.
    if (nameIsExact && FileNames::isUnambiguous(name) && Board->loadFile(FileNames::toPath(name))) {
        FileName = name;
        underlay_->mazeOpened(name);
        FitImageToBoard();
        MMDrawAnswer->setChecked(Board->showAnswer);
        MazeMode = 1;
        RedrawImage();
        Modified = false;
        CanMakeMaze = true;
        MazeMade = true;
        ShowPrompt(Prompt::PressMakeMaze);
        ShowSummary(std::nullopt);
        endEdit();
        History->clear();
        MazeDialogName.clear();
        BitmapDialogName.clear();
        Recent.add(name);
        refreshRecentMenu();
        UpdateControls();
        return true;
    }
    interaction_->showMessage(this, Interaction::MessageKind::Plain, tr("Failed to open File ") + name);
    FileName.clear();
    // A file that cannot be opened is no longer offered.
    Recent.remove(name);
    refreshRecentMenu();
    UpdateControls();
    return false;
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
        SaveNames::bitmapOffer(FileName, BitmapDialogName, Recent.folder(RecentFiles::Dialog::Bitmap)));
    if (name.isEmpty())
        return;
    BitmapDialogName = name;
    const BitmapExport::Result result = BitmapExport::save(*Board, name);
    if (result != BitmapExport::Result::Written)
        interaction_->showMessage(this, Interaction::MessageKind::Error, ExportEngine::failureMessage({result, name}));
}

void TFMain::setPrintInteraction(PrintInteraction* dialogs)
{
    printCommands_->setPrintInteraction(dialogs);
}

void TFMain::MMPrintClick()
{
    printCommands_->print(*Board, FileName);
}

void TFMain::MMPrintPreviewClick()
{
    printCommands_->preview(*Board, FileName);
}

void TFMain::MMExportClick()
{
    printCommands_->exportMaze(*Board, FileName);
}

void TFMain::MMMakeMazeClick()
{
    beginEdit();
    pendingEdit_->keepMaze(*Board);
    MazeMode = 1;
    seedShown_ = Board->randomSource().state();
    Board->makeMaze();
    RedrawImage();
    MazeMade = true;
    ShowSummary(seedShown_);
    // The maze on screen is no longer the one in any file.
    Modified = true;
    UpdateControls();
    endEdit();
}

void TFMain::MMSeedClick()
{
    const std::optional<std::uint32_t> seed = interaction_->askSeed(this, seedShown_);
    if (!seed)
        return;
    Board->randomSource().setState(*seed);
    seedShown_ = *seed;
}

void TFMain::MMInitMazeClick()
{
    if (!ConfirmSave())
        return;
    beginEdit();
    InitMaze();
    endEdit();
}

void TFMain::MMUndoClick()
{
    endEdit();
    historyMoved(History->undo());
}

void TFMain::MMRedoClick()
{
    endEdit();
    historyMoved(History->redo());
}

void TFMain::historyMoved(bool moved)
{
    if (!moved)
        return;
    // Back at the state last saved or loaded, the maze is as in its file;
    // any other state is a change.
    Modified = !History->isClean();
    UpdateControls();
}

void TFMain::MMDrawAnswerClick()
{
    Board->showAnswer = MMDrawAnswer->isChecked();
    RedrawImage();
    UpdateControls();
}

void TFMain::MMTransparentModeClick()
{
    const bool on = MMTransparentMode->isChecked();
    colorKey_->setEnabled(on, QtCanvas::toQColor(TransparentBackColor).rgb());
    Board->transparentMode = on;
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
    if (underlay_->choose(FileName))
        underlayChanged();
}

void TFMain::MMShowUnderlayClick()
{
    underlay_->underlay().setShown(MMShowUnderlay->isChecked());
    underlayChanged();
}

void TFMain::MMUnderlayStrengthClick()
{
    if (underlay_->askStrength(FileName))
        underlayChanged();
}

void TFMain::MMRemoveUnderlayClick()
{
    underlay_->remove(FileName);
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

void TFMain::zoomGrid(int step)
{
    const int size = MazeBoard::zoomedGridSize(Board->getGridSize(), step);
    // A step that changes nothing costs nothing: keys held at a limit leave
    // the window as it is.
    if (size == Board->getGridSize())
        return;
    Board->setGridSize(size);
    // Refitted at once; the picture area paints once the keys already
    // waiting are handled, so a burst of steps is painted once.
    FitImageToBoard();
}

void TFMain::MMHelpClick()
{
    ShowHelp(reinterpret_cast<void*>(winId()), HelpPath);
}

void TFMain::MMAboutClick()
{
    if (!versionDialog_)
        return;
    versionDialog_->show();
    versionDialog_->raise();
    versionDialog_->activateWindow();
}

void TFMain::ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (MazeMode != 0)
        return;
    beginEdit();
    const PathEditor::Cell cell = editor().cellAt(x, y);
    // A press on the head of a drawn path takes it up; elsewhere it is a
    // click as ever, and one on the ring chooses a start. From the head or
    // the new start a drag with the left button draws on.
    const bool onHead = editor().hasSteps() && cell == editor().head();
    if ((onHead || ClickCell(cell)) && button == Qt::LeftButton)
        drag_ = Drag::Drawing;
    else
        endEdit();
}

bool TFMain::ClickCell(PathEditor::Cell cell)
{
    switch (editor().placeOf(cell)) {
    case PathEditor::Place::Corner:
    case PathEditor::Place::Beyond:
        return false;
    case PathEditor::Place::Grid:
        ShowPrompt(Prompt::StartOutside);
        return false;
    case PathEditor::Place::Ring:
        break;
    }
    editor().chooseStart(cell);
    ShowPrompt(Prompt::UseCursorKeys);
    RedrawImage();
    Modified = false;
    // The path is gone, so there is nothing to make a maze from.
    CanMakeMaze = false;
    UpdateControls();
    return true;
}

void TFMain::ImageMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    if (drag_ != Drag::Drawing || MazeMode != 0)
        return;
    // Each cell entered is a step, the cells a fast move skipped included;
    // the first cell the rules refuse ends the drag there.
    const PathEditor::Cell from = editor().head();
    const PathEditor::Cell to = editor().cellAt(x, y);
    for (int d = editor().nextToward(from, to); d >= 0; d = editor().nextToward(from, to)) {
        if (!StepPath(d)) {
            drag_ = Drag::Stopped;
            return;
        }
    }
}

void TFMain::ImageMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    if (button == Qt::LeftButton && drag_ != Drag::None)
        endEdit();
}

void TFMain::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (MazeMode != 0)
        return;
    int direction = -1;
    switch (key) {
    case Qt::Key_Down: direction = 0; break;
    case Qt::Key_Up: direction = 1; break;
    case Qt::Key_Left: direction = 2; break;
    case Qt::Key_Right: direction = 3; break;
    default: return;
    }
    beginEdit();
    StepPath(direction);
    endEdit();
}

PathEditor TFMain::editor()
{
    return PathEditor(*Board, pendingEdit_ ? &*pendingEdit_ : nullptr);
}

bool TFMain::CheckStep(int d)
{
    const PathEditor::Move move = editor().check(d);
    // Back along the last step: taken here.
    if (move == PathEditor::Move::Back)
        showStep(editor().takeBack(d));
    return move == PathEditor::Move::Forward;
}

bool TFMain::StepPath(int d)
{
    const PathEditor::Cell from = editor().head();
    if (CheckStep(d)) {
        const PathEditor::Step step = editor().stepForward(d);
        Modified = true;
        showStep(step);
    }
    return !(editor().head() == from);
}

void TFMain::showStep(const PathEditor::Step& step)
{
    RedrawCells(step.from.x, step.from.y, step.to.x, step.to.y);
    keepHeadInView();
    switch (step.outcome) {
    case PathEditor::Outcome::Completed:
        CanMakeMaze = true;
        UpdateControls();
        ShowPrompt(Prompt::PressMakeMaze);
        break;
    case PathEditor::Outcome::TookBack:
        // The state follows the head as after a forward step.
        CanMakeMaze = false;
        ShowPrompt(editor().hasSteps() ? Prompt::ExtendLine : Prompt::UseCursorKeys);
        UpdateControls();
        break;
    case PathEditor::Outcome::Stepped:
        CanMakeMaze = false;
        ShowPrompt(Prompt::ExtendLine);
        UpdateControls();
        break;
    case PathEditor::Outcome::Refused:
        break;
    }
}

void TFMain::beginEdit()
{
    endEdit();
    pendingEdit_.emplace(*Board);
    pendingBefore_ = viewState();
}

void TFMain::endEdit()
{
    drag_ = Drag::None;
    if (!pendingEdit_)
        return;
    BoardEdit edit = std::move(*pendingEdit_);
    pendingEdit_.reset();
    edit.finish(*Board);
    if (edit.changesNothing())
        return;
    History->push(std::move(edit), pendingBefore_, viewState());
    UpdateControls();
}

ViewState TFMain::viewState() const
{
    return {MazeMode, CanMakeMaze, MazeMade, prompt_, prompt_ == Prompt::Other ? statusText() : QString(), figures_};
}

void TFMain::showEdit(const BoardEdit& edit, const ViewState& state)
{
    const bool sameView = MazeMode == state.mazeMode;
    MazeMode = state.mazeMode;
    CanMakeMaze = state.canMakeMaze;
    MazeMade = state.mazeMade;
    if (state.prompt == Prompt::Other)
        SetStatusText(state.otherPrompt);
    else
        ShowPrompt(state.prompt);
    showFigures(state.figures);
    if (sameView && MazeMode == 0 && edit.isSingleStep())
        RedrawCells(edit.before().curX, edit.before().curY, edit.after().curX, edit.after().curY);
    else
        RedrawImage();
    if (MazeMode == 0)
        keepHeadInView();
}

bool TFMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = key->key();
        if (code == Qt::Key_Left || code == Qt::Key_Right || code == Qt::Key_Up || code == Qt::Key_Down) {
            // Seen once, where the key first arrives: the focus widget of this
            // window (the event filter also sees it on its way to the parents).
            QWidget* focus = QApplication::focusWidget();
            QWidget* first = focus ? focus : QApplication::activeWindow();
            if (watched == first && first && first->window() == this && !QApplication::activePopupWidget()
                && !qobject_cast<QMenuBar*>(first))
                FormKeyDown(code, key->modifiers());
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
        if (recovery_)
            recovery_->discard();
    }
    event->accept();
}

void TFMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A window larger than all screens together shows no more than they do,
    // yet Qt keeps a back buffer of its whole area: it is kept within them
    // (a window manager keeps to the limit; a window resized past it without
    // one is brought back).
    if (const QScreen* display = screen()) {
        const QSize most = display->virtualGeometry().size();
        setMaximumSize(most);
        if (width() > most.width() || height() > most.height())
            resize(size().boundedTo(most));
    }
    colorKey_->geometryChanged(Image, shownPicture());
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
