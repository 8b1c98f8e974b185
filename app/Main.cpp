#include "Main.h"

#include "BitmapExport.h"
#include "ColorKey.h"
#include "FileNames.h"
#include "Hhelp.h"
#include "Interaction.h"
#include "MazeImage.h"
#include "StyleCommands.h"
#include "QtCanvas.h"
#include "Recovery.h"
#include "SessionEnd.h"
#include "Version.h"
#include "help_location.h"
#include "maze_board.h"
#include "maze_random.h"
#include "maze_stats.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

// Status-bar prompts.
const QString PromptChooseStart = QStringLiteral("始点を決めてください(灰色の部分)");
const QString PromptStartOutside = QStringLiteral("迷路の始点は外側(灰色の部分)にしてください。");
const QString PromptUseCursorKeys = QStringLiteral("カーソルキーで迷路を作成してください。");
const QString PromptExtendLine = QStringLiteral("外側(灰色の部分)まで線を伸ばしてください。");
const QString PromptPressMakeMaze = QStringLiteral("迷路作成ボタンを押してください。");

// Window titles.
const QString TitleModifiedNew = QStringLiteral("Zubelo * 新規ファイル");
const QString TitleNew = QStringLiteral("Zubelo - 新規ファイル");
const QString TitleModifiedPrefix = QStringLiteral("Zubelo * ");
const QString TitlePrefix = QStringLiteral("Zubelo - ");

// Documents.
const QString QuestionSaveChanges = QStringLiteral("内容が変更されています。変更を保存しますか？");
const QString MessageLoadFailed = QStringLiteral("Failed to open File ");
const QString MessageCannotCreate = QStringLiteral("ファイル %s を作成できません");
const QString MessageWriteError = QStringLiteral("ストリームへの書き込みエラー");
const QString OpenFilter = QStringLiteral("MAZ File (*.maz)|*.maz|All Files (*.*)|*.*");
const QString SaveFilter = QStringLiteral("Maze Files (*.maz)|*.maz|All Files (*.*) |*.*");
const QString BitmapFilter = QStringLiteral("Bitmap (*.bmp)|*.bmp|All Files (*.*) |*.*");
const QString MazeSuffix = QStringLiteral("maz");
const QString BitmapSuffix = QStringLiteral("bmp");

// The narrowest the window is fitted to, so the menu and tool bar fit.
constexpr int MinClientWidth = 320;
constexpr int ToolBarHeight = 33;
constexpr int StatusBarHeight = 19;
constexpr int ButtonSize = 26;

std::filesystem::path toPath(const QString& name)
{
    return std::filesystem::path(name.toStdU16String());
}

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
    for (QScrollBar* bar : {imageArea_->horizontalScrollBar(), imageArea_->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { colorKey_->geometryChanged(Image, Image->currentPicture()); });

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
    Board->setStyle(styleMenu_->style());
    seedShown_ = Board->randomSource().state();
    HelpPath = helpPathFor(toPath(ExeDir));
    LoadHelp();
    MazeMode = 0;
    Image->resetPicture(QSize(473, 502 - ToolBarHeight - StatusBarHeight));
    Image->picture();
    DirectionTable[0] = {0, 1};
    DirectionTable[1] = {0, -1};
    DirectionTable[2] = {-1, 0};
    DirectionTable[3] = {1, 0};

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

QAction* TFMain::addCommand(const char* name, const QString& caption, const QString& hint,
                            const QKeySequence& shortcut, const char* icon, void (TFMain::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(QLatin1Char('&')) : hint);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (icon)
        action->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(icon)));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TFMain::createActions()
{
    MMNew = addCommand("MMNew", QStringLiteral("新規作成(&N)"), QStringLiteral("新規作成(Ctrl+N)"),
                       QKeySequence(Qt::CTRL | Qt::Key_N), "new.svg", &TFMain::MMNewClick);
    MMLoad = addCommand("MMLoad", QStringLiteral("読み込み(&L)"), QStringLiteral("読み込み(Ctrl+O)"),
                        QKeySequence(Qt::CTRL | Qt::Key_O), "load.svg", &TFMain::MMLoadClick);
    MMSave = addCommand("MMSave", QStringLiteral("保存(&S)"), QStringLiteral("保存(Ctrl+S)"),
                        QKeySequence(Qt::CTRL | Qt::Key_S), "save.svg", &TFMain::MMSaveClick);
    MMSaveAsBitmap = addCommand("MMSaveAsBitmap", QStringLiteral("ビットマップファイルとして保存(&B)"),
                                QStringLiteral("ビットマップファイルとして保存"), {}, "save_bitmap.svg",
                                &TFMain::MMSaveAsBitmapClick);
    MMMakeMaze = addCommand("MMMakeMaze", QStringLiteral("迷路作成(&M)"), QStringLiteral("迷路作成(F5)"),
                            QKeySequence(Qt::Key_F5), "make_maze.svg", &TFMain::MMMakeMazeClick);
    MMInitMaze = addCommand("MMInitMaze", QStringLiteral("迷路の初期化(&I)"), QStringLiteral("迷路の初期化(F2)"),
                            QKeySequence(Qt::Key_F2), "init_maze.svg", &TFMain::MMInitMazeClick);
    MMDrawAnswer = addCommand("MMDrawAnswer", QStringLiteral("解答を表示する(&D)"),
                              QStringLiteral("解答を表示する(F3)"), QKeySequence(Qt::Key_F3), "answer.svg",
                              &TFMain::MMDrawAnswerClick);
    MMTransparentMode = addCommand("MMTransparentMode", QStringLiteral("透過ウィンドウモード(&T)"),
                                   QStringLiteral("透過ウィンドウモード(Ctrl+T)"), QKeySequence(Qt::CTRL | Qt::Key_T),
                                   "transparent.svg", &TFMain::MMTransparentModeClick);
    MMEnlargeGrid = addCommand("MMEnlargeGrid", QStringLiteral("グリッド拡大(&F)"), QStringLiteral("グリッド拡大(F)"),
                               QKeySequence(Qt::Key_F), "enlarge.svg", &TFMain::MMEnlargeGridClick);
    MMEnsmallGrid = addCommand("MMEnsmallGrid", QStringLiteral("グリッド縮小(&D)"), QStringLiteral("グリッド縮小(D)"),
                               QKeySequence(Qt::Key_D), "ensmall.svg", &TFMain::MMEnsmallGridClick);
    MMHelp = addCommand("MMHelp", QStringLiteral("ヘルプ(&H)"), QStringLiteral("ヘルプ(F1)"),
                        QKeySequence(Qt::Key_F1), "help.svg", &TFMain::MMHelpClick);
    MMAbout = addCommand("MMAbout", QStringLiteral("バージョン情報(&A)"), {}, {}, nullptr, &TFMain::MMAboutClick);

    // Qt turns the check mark of a checkable action over before the handler
    // runs; the handlers take that new state.
    MMDrawAnswer->setCheckable(true);
    MMTransparentMode->setCheckable(true);

    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("File1"));
    file->addActions({MMNew, MMLoad, MMSave, MMSaveAsBitmap});
    QMenu* maze = menuBar()->addMenu(QStringLiteral("迷路(&M)"));
    maze->setObjectName(QStringLiteral("MMMaze"));
    maze->addActions({MMMakeMaze, MMInitMaze, MMDrawAnswer});
    maze->addSeparator();
    styleMenu_ = new MazeStyleMenu(maze, this);
    connect(styleMenu_, &MazeStyleMenu::styleChosen, this, [this](MazeStyle style) { Board->setStyle(style); });
    MMSeed = addCommand("MMSeed", SeedCommandCaption, {}, {}, nullptr, &TFMain::MMSeedClick);
    maze->addAction(MMSeed);
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("MMView"));
    view->addActions({MMTransparentMode, MMEnlargeGrid, MMEnsmallGrid});
    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
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
    summaryPanel_->showSummary(mazeSummary(measureMaze(*Board), seed));
    summaryPanel_->show();
}

void TFMain::HideSummary()
{
    summaryPanel_->hide();
    summaryPanel_->showSummary({});
}

void TFMain::InitMaze()
{
    MazeMode = 0;
    MazeMade = false;
    HideSummary();
    Board->clearPath();
    CanMakeMaze = false;
    Modified = false;
    FitImageToBoard();
    SetStatusText(PromptChooseStart);
    UpdateControls();
}

void TFMain::UpdateControls()
{
    if (FileName.isEmpty())
        setWindowTitle(Modified ? TitleModifiedNew : TitleNew);
    else
        setWindowTitle((Modified ? TitleModifiedPrefix : TitlePrefix) + FileName);

    // The tool buttons share their menu item's action, so they follow its
    // enabled, checked and pressed state.
    MMMakeMaze->setEnabled(CanMakeMaze);
    MMDrawAnswer->setChecked(Board->showAnswer);
    MMTransparentMode->setChecked(Board->transparentMode);
    MMSave->setEnabled(MazeMade);
    MMTransparentMode->setEnabled(!MazeMade);
    MMDrawAnswer->setEnabled(MazeMade);

    closeWithoutQuestion_ = false;
    if (recovery_)
        recovery_->documentChanged(Modified);
}

void TFMain::SetStatusText(const QString& text)
{
    statusPanel_->setText(text);
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
    QImage& picture = Image->picture();
    {
        QPainter painter(&picture);
        if (!area.isEmpty())
            painter.setClipRect(area);
        QtCanvas canvas(painter);
        if (MazeMode != 0) {
            Board->drawMaze(canvas);
        } else {
            Board->drawGrid(canvas);
            Board->drawPath(canvas);
        }
    }
    if (area.isEmpty())
        Image->update();
    else
        Image->update(area);
    colorKey_->pictureChanged(Image, picture, area);
}

void TFMain::FitImageToBoard()
{
    int imageWidth = 0, imageHeight = 0;
    Board->getImageSize(imageWidth, imageHeight);
    const int clientWidth = std::max(imageWidth, MinClientWidth);
    Image->resetPicture(QSize(clientWidth, imageHeight));
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
    switch (interaction_->askYesNoCancel(this, QuestionSaveChanges)) {
    case Interaction::Answer::Yes:
        return SaveDocument();
    case Interaction::Answer::No:
        return true;
    case Interaction::Answer::Cancel:
        break;
    }
    return false;
}

QString TFMain::askSaveName(const QString& filter, const QString& suffix)
{
    const std::optional<QString> chosen = interaction_->askSaveFileName(this, {filter, suffix, SaveDialogName});
    if (!chosen)
        return {};
    if (!FileNames::isUnambiguous(*chosen)) {
        interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                  QString(MessageCannotCreate).replace(QStringLiteral("%s"), *chosen));
        return {};
    }
    SaveDialogName = *chosen;
    return *chosen;
}

bool TFMain::SaveDocument()
{
    QString name = FileName;
    if (name.isEmpty()) {
        name = askSaveName(SaveFilter, MazeSuffix);
        if (name.isEmpty())
            return false;
    }
    // A failed save keeps everything as it was: the maze stays unsaved and a
    // name just chosen is not taken, so the next Save asks again.
    if (!Board->saveFile(toPath(name))) {
        interaction_->showMessage(this, Interaction::MessageKind::Warning,
                                  QString(MessageCannotCreate).replace(QStringLiteral("%s"), name));
        return false;
    }
    FileName = name;
    Modified = false;
    UpdateControls();
    return true;
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
    // An empty board has no path and no maze yet.
    CanMakeMaze = false;
    MazeMade = false;
    HideSummary();
    SetStatusText(PromptChooseStart);
    RedrawImage();
    UpdateControls();
}

void TFMain::MMLoadClick()
{
    if (!ConfirmSave())
        return;
    const std::optional<QString> name = interaction_->askOpenFileName(this, {OpenFilter, MazeSuffix, {}});
    if (!name)
        return;
    OpenDocument(*name);
}

bool TFMain::OpenDocument(const QString& name, bool nameIsExact)
{
    // A name that may stand for another file than the one chosen is refused
    // like a file that cannot be read.
    if (nameIsExact && FileNames::isUnambiguous(name) && Board->loadFile(toPath(name))) {
        FileName = name;
        FitImageToBoard();
        MMDrawAnswer->setChecked(Board->showAnswer);
        MazeMode = 1;
        RedrawImage();
        Modified = false;
        CanMakeMaze = true;
        MazeMade = true;
        SetStatusText(PromptPressMakeMaze);
        ShowSummary(std::nullopt);
        UpdateControls();
        return true;
    }
    interaction_->showMessage(this, Interaction::MessageKind::Plain, MessageLoadFailed + name);
    FileName.clear();
    UpdateControls();
    return false;
}

void TFMain::MMSaveClick()
{
    SaveDocument();
}

void TFMain::MMSaveAsBitmapClick()
{
    const QString name = askSaveName(BitmapFilter, BitmapSuffix);
    if (name.isEmpty())
        return;
    switch (BitmapExport::save(exportPicture(), name)) {
    case BitmapExport::Result::Written:
        break;
    case BitmapExport::Result::CannotCreate:
        interaction_->showMessage(this, Interaction::MessageKind::Error,
                                  QString(MessageCannotCreate).replace(QStringLiteral("%s"), name));
        break;
    case BitmapExport::Result::WriteError:
        interaction_->showMessage(this, Interaction::MessageKind::Error, MessageWriteError);
        break;
    }
}

// The maze picture to export: the window's own while it shows the maze in its
// usual colours, so a large maze is not drawn a second time; else drawn afresh.
QImage TFMain::exportPicture() const
{
    int width = 0, height = 0;
    Board->getImageSize(width, height);
    const QImage& shown = Image->currentPicture();
    if (MazeMode != 1 || Board->transparentMode || shown.height() != height || shown.width() < width)
        return BitmapExport::mazePicture(*Board);
    // A window wider than the picture has a white strip on the right.
    return shown.width() == width ? shown : shown.copy(0, 0, width, height);
}

void TFMain::MMMakeMazeClick()
{
    MazeMode = 1;
    seedShown_ = Board->randomSource().state();
    Board->makeMaze();
    RedrawImage();
    MazeMade = true;
    ShowSummary(seedShown_);
    UpdateControls();
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
    if (ConfirmSave())
        InitMaze();
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

void TFMain::MMEnlargeGridClick()
{
    Board->setGridSize(Board->getGridSize() + 1);
    FitImageToBoard();
}

void TFMain::MMEnsmallGridClick()
{
    Board->setGridSize(Board->getGridSize() - 1);
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

void TFMain::ImageMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    if (MazeMode != 0)
        return;
    const int g = Board->getGridSize();
    const int px = x - Board->getMarginX();
    const int py = y - Board->getMarginY();
    const int column = px < 0 ? -1 : px / g;
    const int row = py < 0 ? -1 : py / g;
    const int W = Board->getWidth();
    const int H = Board->getHeight();
    if (column < 0 && row < 0)
        return;
    // Right of or below the ring: the picture area can be larger than the
    // picture, and there is no cell there.
    if (column > W || row > H)
        return;
    if (column >= 0 && column < W && row >= 0 && row < H) {
        SetStatusText(PromptStartOutside);
        return;
    }
    Board->startX = column;
    Board->startY = row;
    Board->clearPath();
    SetStatusText(PromptUseCursorKeys);
    RedrawImage();
    Modified = false;
    // The path is gone, so there is nothing to make a maze from.
    CanMakeMaze = false;
    UpdateControls();
}

void TFMain::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (MazeMode != 0)
        return;
    switch (key) {
    case Qt::Key_Down: StepPath(0); break;
    case Qt::Key_Up: StepPath(1); break;
    case Qt::Key_Left: StepPath(2); break;
    case Qt::Key_Right: StepPath(3); break;
    default: break;
    }
}

namespace {

// The segment a step from (x, y) in direction d crosses.
struct Segment {
    bool vertical;
    int x;
    int y;
};

Segment crossedBy(int d, int x, int y)
{
    switch (d) {
    case 0: return {false, x, y + 1};
    case 1: return {false, x, y};
    case 2: return {true, x, y};
    default: return {true, x + 1, y};
    }
}

} // namespace

bool TFMain::CheckStep(int d)
{
    const int x = Board->curX;
    const int y = Board->curY;
    const int W = Board->getWidth();
    const int H = Board->getHeight();

    // From the ring only the step straight into the grid passes; the head
    // never moves along the ring or out of it.
    if ((d == 0 && (y == H || x == -1 || x == W)) || (d == 1 && (y == -1 || x == -1 || x == W))
        || (d == 2 && (x == -1 || y == -1 || y == H)) || (d == 3 && (x == W || y == -1 || y == H)))
        return false;

    const Segment s = crossedBy(d, x, y);
    const bool marked = s.vertical ? Board->getPathV(s.x, s.y) != 0 : Board->getPathH(s.x, s.y) != 0;
    if (marked) {
        // Back along the last step.
        if (s.vertical)
            Board->setPathV(s.x, s.y, 0);
        else
            Board->setPathH(s.x, s.y, 0);
        Board->curX += DirectionTable[d].dx;
        Board->curY += DirectionTable[d].dy;
        Board->setPathCell(Board->curX, Board->curY, 0);
        RedrawCells(x, y, Board->curX, Board->curY);
        keepHeadInView();
        // The state follows the head as after a forward step.
        const bool onStart = Board->curX == Board->startX && Board->curY == Board->startY;
        CanMakeMaze = false;
        SetStatusText(onStart ? PromptUseCursorKeys : PromptExtendLine);
        UpdateControls();
        return false;
    }
    return Board->getPathCell(x + DirectionTable[d].dx, y + DirectionTable[d].dy) == 0;
}

void TFMain::StepPath(int d)
{
    if (!CheckStep(d))
        return;
    const int x = Board->curX;
    const int y = Board->curY;
    const Segment s = crossedBy(d, x, y);
    if (s.vertical)
        Board->setPathV(s.x, s.y, !Board->getPathV(s.x, s.y));
    else
        Board->setPathH(s.x, s.y, !Board->getPathH(s.x, s.y));
    Board->setPathCell(x, y, 1);
    Board->curX += DirectionTable[d].dx;
    Board->curY += DirectionTable[d].dy;
    Modified = true;
    RedrawCells(x, y, Board->curX, Board->curY);
    keepHeadInView();
    const int W = Board->getWidth();
    const int H = Board->getHeight();
    if (Board->curX == -1 || Board->curY == -1 || Board->curX == W || Board->curY == H) {
        CanMakeMaze = true;
        UpdateControls();
        SetStatusText(PromptPressMakeMaze);
    } else {
        CanMakeMaze = false;
        SetStatusText(PromptExtendLine);
        UpdateControls();
    }
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
    colorKey_->geometryChanged(Image, Image->currentPicture());
}
