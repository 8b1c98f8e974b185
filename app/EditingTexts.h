#pragma once

#include <QString>

// The interface texts of editing: the Edit menu, Save As, Exit, recent files,
// and the messages about file names and dropped files.
namespace EditingTexts {

inline const QString MenuEdit = QStringLiteral("編集(&E)");
inline const QString CaptionUndo = QStringLiteral("元に戻す(&U)");
inline const QString HintUndo = QStringLiteral("元に戻す(Ctrl+Z)");
inline const QString CaptionRedo = QStringLiteral("やり直し(&R)");
inline const QString HintRedo = QStringLiteral("やり直し(Ctrl+Y)");
inline const QString CaptionSaveAs = QStringLiteral("名前を付けて保存(&A)...");
inline const QString HintSaveAs = QStringLiteral("名前を付けて保存(Ctrl+Shift+S)");
inline const QString CaptionExit = QStringLiteral("終了(&X)");
inline const QString HintExit = QStringLiteral("終了(Ctrl+Q)");
inline const QString CaptionRecentFiles = QStringLiteral("最近使ったファイル(&R)");

// %1: the file name as typed, without its folder.
inline const QString MessageMazeNeedsMazName
    = QStringLiteral("「%1」はビットマップファイルの名前です。迷路は拡張子 .maz の名前で保存してください。");
inline const QString MessageBitmapNeedsBmpName
    = QStringLiteral("「%1」は迷路ファイルの名前です。ビットマップは拡張子 .bmp の名前で保存してください。");
inline const QString MessageDropNotAMaze = QStringLiteral("「%1」は迷路ファイル(.maz)ではないので開けません。");
inline const QString MessageDropSeveral = QStringLiteral("ファイルは一度に1つずつドロップしてください。");

} // namespace EditingTexts
