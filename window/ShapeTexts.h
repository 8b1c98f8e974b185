#pragma once

#include <QCoreApplication>
#include <QString>

// The interface texts of the maze's shape: the Maze menu's items, the
// questions and notes of the shape mode and of the shape commands.
namespace ShapeTexts {

// The commands' texts, the main window's (translated where it shows them).
inline constexpr const char* CaptionShapeMode = QT_TRANSLATE_NOOP("TFMain", "形を編集する(&H)");
inline constexpr const char* HintShapeMode
    = QT_TRANSLATE_NOOP("TFMain", "形を編集する(左ドラッグで外す、右ドラッグで戻す)");
inline constexpr const char* MenuShape = QT_TRANSLATE_NOOP("TFMain", "形(&P)");
inline constexpr const char* CaptionChoose = QT_TRANSLATE_NOOP("TFMain", "形を選ぶ(&C)...");
inline constexpr const char* CaptionFromUnderlay = QT_TRANSLATE_NOOP("TFMain", "下絵から形を作る(&U)...");
inline constexpr const char* CaptionFromFile = QT_TRANSLATE_NOOP("TFMain", "画像ファイルから形を作る(&F)...");
inline constexpr const char* CaptionRemove = QT_TRANSLATE_NOOP("TFMain", "形を外す(&R)");

// The other texts, in the interface's language through text().
inline constexpr const char* NoteOnPath = QT_TRANSLATE_NOOP("ShapeTexts", "道が通るマスは外せません。");
inline constexpr const char* QuestionParts = QT_TRANSLATE_NOOP(
    "ShapeTexts", "形がいくつかの部分に分かれました。赤いマスは大きい部分から離れています。");
inline constexpr const char* QuestionWholeParts
    = QT_TRANSLATE_NOOP("ShapeTexts", "この形はいくつかの部分に分かれています。大きい部分だけを形にしますか?");
inline constexpr const char* QuestionTooSmall
    = QT_TRANSLATE_NOOP("ShapeTexts", "この形では迷路を作れません(つながったマスが4つ以上必要です)。");
inline constexpr const char* ButtonKeepLargest = QT_TRANSLATE_NOOP("ShapeTexts", "大きい部分だけ残す");
inline constexpr const char* ButtonGoBack = QT_TRANSLATE_NOOP("ShapeTexts", "元に戻す");
inline constexpr const char* MessageLargestCutsPath
    = QT_TRANSLATE_NOOP("ShapeTexts", "大きい部分だけでは道が切れてしまうため、元に戻しました。");
inline constexpr const char* QuestionErasePath
    = QT_TRANSLATE_NOOP("ShapeTexts", "この形にすると描いた道が切れてしまいます。道を消して形を変えますか?");
inline constexpr const char* ButtonErasePath = QT_TRANSLATE_NOOP("ShapeTexts", "道を消して変える");
inline constexpr const char* ButtonCancel = QT_TRANSLATE_NOOP("ShapeTexts", "キャンセル");
inline constexpr const char* MessageNoShape
    = QT_TRANSLATE_NOOP("ShapeTexts", "この盤の大きさではその形を作れません。");

inline QString text(const char* source)
{
    return QCoreApplication::translate("ShapeTexts", source);
}

} // namespace ShapeTexts
