#pragma once

#include <QCoreApplication>
#include <QString>

// The interface texts of the underlay: the View menu's items, the strength
// dialog, the image file dialog's filter, the messages about pictures that
// cannot be used, and the note where the see-through window cannot work.
namespace UnderlayTexts {

// The commands' texts, the main window's (translated where it shows them).
inline constexpr const char* CaptionLoad = QT_TRANSLATE_NOOP("TFMain", "下絵を読み込む(&I)...");
inline constexpr const char* CaptionShow = QT_TRANSLATE_NOOP("TFMain", "下絵を表示する");
inline constexpr const char* HintShow = QT_TRANSLATE_NOOP("TFMain", "下絵を表示する(Ctrl+I)");
inline constexpr const char* CaptionStrength = QT_TRANSLATE_NOOP("TFMain", "下絵の濃さ...");
inline constexpr const char* CaptionRemove = QT_TRANSLATE_NOOP("TFMain", "下絵を外す");
inline constexpr const char* HintNoSeeThrough
    = QT_TRANSLATE_NOOP("TFMain", "このデスクトップでは透過ウィンドウモードは使えません。下絵を使ってください。");

// The other texts, in the interface's language through text().
inline constexpr const char* StrengthTitle = QT_TRANSLATE_NOOP("UnderlayTexts", "下絵の濃さ");
inline constexpr const char* StrengthLabel = QT_TRANSLATE_NOOP("UnderlayTexts", "濃さ (10〜90%):");

// %1: the patterns of every picture kind the program reads.
inline constexpr const char* FilterImages
    = QT_TRANSLATE_NOOP("UnderlayTexts", "画像ファイル (%1)|%1|すべてのファイル (*.*)|*.*");

// %1: the picture file's name, without its folder.
inline constexpr const char* MessageMissing = QT_TRANSLATE_NOOP("UnderlayTexts", "下絵の「%1」が見つかりません。");
inline constexpr const char* MessageUnreadable = QT_TRANSLATE_NOOP("UnderlayTexts", "下絵の「%1」を開けません。");
inline constexpr const char* MessageNotAnImage
    = QT_TRANSLATE_NOOP("UnderlayTexts", "「%1」は下絵にできる画像ファイルではありません。");
inline constexpr const char* MessageDamaged
    = QT_TRANSLATE_NOOP("UnderlayTexts", "「%1」は途中で切れているか壊れているため、下絵にできません。");
inline constexpr const char* MessageTooLarge
    = QT_TRANSLATE_NOOP("UnderlayTexts", "「%1」は大きすぎるため下絵にできません(1億ピクセルまで)。");

inline QString text(const char* source)
{
    return QCoreApplication::translate("UnderlayTexts", source);
}

} // namespace UnderlayTexts
