#include "Main.h"

#include "ColorKey.h"
#include "Document.h"
#include "EditingTexts.h"
#include "FreshSeed.h"
#include "FileNames.h"
#include "LanguageMenu.h"
#include "ShapeTexts.h"
#include "StyleCommands.h"
#include "UnderlayTexts.h"
#include "help_location.h"
#include "maze_board.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

// The window's commands: one action each, shared by the menu and the tool
// bar, found by the name the program has always given them.

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
    MMMakeBook = addCommand("MMMakeBook", QT_TR_NOOP("ワークシート・本を作る..."), QT_TR_NOOP("ワークシート・本を作る"), {},
                            nullptr, &TFMain::MMMakeBookClick);
    MMMakeMaze = addCommand("MMMakeMaze", QT_TR_NOOP("迷路作成(&M)"), QT_TR_NOOP("迷路作成(F5)"),
                            QKeySequence(Qt::Key_F5), "make_maze.svg", &TFMain::MMMakeMazeClick);
    MMMakeByDifficulty = addCommand("MMMakeByDifficulty", QT_TR_NOOP("難しさを選んで作る(&Q)..."), nullptr, {}, nullptr,
                                    &TFMain::MMMakeByDifficultyClick);
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
    file->addActions({MMSave, MMSaveAs, MMSaveAsBitmap, MMPrint, MMPrintPreview, MMExport, MMMakeBook});
    file->addSeparator();
    file->addAction(MMExit);
    QMenu* edit = addMenu(nullptr, "MMEdit", EditingTexts::MenuEdit);
    edit->addActions({MMUndo, MMRedo});
    QMenu* maze = addMenu(nullptr, "MMMaze", QT_TR_NOOP("迷路(&M)"));
    maze->addActions({MMMakeMaze, MMInitMaze, MMDrawAnswer});
    maze->addSeparator();
    styleMenu_ = new MazeStyleMenu(maze, this);
    connect(styleMenu_, &MazeStyleMenu::styleChosen, this, [this](MazeStyle style) { document_->board().setStyle(style); });
    MMSeed = addCommand("MMSeed", SeedCommandCaption, nullptr, {}, nullptr, &TFMain::MMSeedClick);
    MMFreshSeed = addCommand("MMFreshSeed", FreshSeed::Caption, nullptr, {}, nullptr, &TFMain::MMFreshSeedClick);
    MMFreshSeed->setCheckable(true);
    MMFreshSeed->setChecked(FreshSeed::isOn());
    maze->addActions({MMSeed, MMFreshSeed, MMMakeByDifficulty});
    MMRandomRoute = addCommand("MMRandomRoute", QT_TR_NOOP("答えの道を自動で作る..."), nullptr, {}, nullptr,
                               &TFMain::MMRandomRouteClick);
    maze->addAction(MMRandomRoute);
    maze->addSeparator();
    MMShapeMode = addCommand("MMShapeMode", ShapeTexts::CaptionShapeMode, ShapeTexts::HintShapeMode, {}, "shape.svg",
                             &TFMain::MMShapeModeClick);
    MMShapeMode->setCheckable(true);
    maze->addAction(MMShapeMode);
    MMShape = addMenu(maze, "MMShape", ShapeTexts::MenuShape);
    MMChooseShape = addCommand("MMChooseShape", ShapeTexts::CaptionChoose, nullptr, {}, nullptr,
                               &TFMain::MMChooseShapeClick);
    MMShapeFromUnderlay = addCommand("MMShapeFromUnderlay", ShapeTexts::CaptionFromUnderlay, nullptr, {}, nullptr,
                                     &TFMain::MMShapeFromUnderlayClick);
    MMShapeFromFile = addCommand("MMShapeFromFile", ShapeTexts::CaptionFromFile, nullptr, {}, nullptr,
                                 &TFMain::MMShapeFromFileClick);
    MMRemoveShape = addCommand("MMRemoveShape", ShapeTexts::CaptionRemove, nullptr, {}, nullptr,
                               &TFMain::MMRemoveShapeClick);
    MMShape->addActions({MMChooseShape, MMShapeFromUnderlay, MMShapeFromFile});
    MMShape->addSeparator();
    MMShape->addAction(MMRemoveShape);
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
    addGap("ToolButton8", 4);
    addButton(MMShapeMode, "TBShapeMode");
}

void TFMain::retranslateUi()
{
    texts_.retranslate();
    styleMenu_->retranslateUi();
    languageMenu_->retranslateUi();
    showDocumentState();
    HelpPath = helpPathFor(FileNames::toPath(ExeDir), manualLanguage());
    UpdateControls();
}
