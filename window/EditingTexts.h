#pragma once

#include <QtGlobal>

// The interface texts of editing: the Edit menu, Save As, Exit, recent files,
// and the messages about file names and dropped files. Texts of the main
// window, translated where they are shown (TFMain::tr).
namespace EditingTexts {

inline constexpr const char* MenuEdit = QT_TRANSLATE_NOOP("TFMain", "編集(&E)");
inline constexpr const char* CaptionUndo = QT_TRANSLATE_NOOP("TFMain", "元に戻す(&U)");
inline constexpr const char* HintUndo = QT_TRANSLATE_NOOP("TFMain", "元に戻す(Ctrl+Z)");
inline constexpr const char* CaptionRedo = QT_TRANSLATE_NOOP("TFMain", "やり直し(&R)");
inline constexpr const char* HintRedo = QT_TRANSLATE_NOOP("TFMain", "やり直し(Ctrl+Y)");
inline constexpr const char* CaptionSaveAs = QT_TRANSLATE_NOOP("TFMain", "名前を付けて保存(&A)...");
inline constexpr const char* HintSaveAs = QT_TRANSLATE_NOOP("TFMain", "名前を付けて保存(Ctrl+Shift+S)");
inline constexpr const char* CaptionExit = QT_TRANSLATE_NOOP("TFMain", "終了(&X)");
inline constexpr const char* HintExit = QT_TRANSLATE_NOOP("TFMain", "終了(Ctrl+Q)");
inline constexpr const char* CaptionRecentFiles = QT_TRANSLATE_NOOP("TFMain", "最近使ったファイル(&R)");

// %1: the file name as typed, without its folder.
inline constexpr const char* MessageMazeNeedsMazName = QT_TRANSLATE_NOOP(
    "TFMain", "「%1」はビットマップファイルの名前です。迷路は拡張子 .maz の名前で保存してください。");
inline constexpr const char* MessageBitmapNeedsBmpName = QT_TRANSLATE_NOOP(
    "TFMain", "「%1」は迷路ファイルの名前です。ビットマップは拡張子 .bmp の名前で保存してください。");
inline constexpr const char* MessageDropNotAMaze
    = QT_TRANSLATE_NOOP("TFMain", "「%1」は迷路ファイル(.maz)ではないので開けません。");
inline constexpr const char* MessageDropSeveral
    = QT_TRANSLATE_NOOP("TFMain", "ファイルは一度に1つずつドロップしてください。");

} // namespace EditingTexts
