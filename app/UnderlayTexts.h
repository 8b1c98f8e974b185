#pragma once

#include <QString>

// The interface texts of the underlay: the View menu's items, the strength
// dialog, the image file dialog's filter, the messages about pictures that
// cannot be used, and the note where the see-through window cannot work.
namespace UnderlayTexts {

inline const QString CaptionLoad = QStringLiteral("下絵を読み込む(&I)...");
inline const QString CaptionShow = QStringLiteral("下絵を表示する");
inline const QString HintShow = QStringLiteral("下絵を表示する(Ctrl+I)");
inline const QString CaptionStrength = QStringLiteral("下絵の濃さ...");
inline const QString CaptionRemove = QStringLiteral("下絵を外す");

inline const QString StrengthTitle = QStringLiteral("下絵の濃さ");
inline const QString StrengthLabel = QStringLiteral("濃さ (10〜90%):");

// %1: the patterns of every picture kind the program reads.
inline const QString FilterImages = QStringLiteral("画像ファイル (%1)|%1|すべてのファイル (*.*)|*.*");

// %1: the picture file's name, without its folder.
inline const QString MessageMissing = QStringLiteral("下絵の「%1」が見つかりません。");
inline const QString MessageUnreadable = QStringLiteral("下絵の「%1」を開けません。");
inline const QString MessageNotAnImage = QStringLiteral("「%1」は下絵にできる画像ファイルではありません。");
inline const QString MessageDamaged = QStringLiteral("「%1」は途中で切れているか壊れているため、下絵にできません。");
inline const QString MessageTooLarge = QStringLiteral("「%1」は大きすぎるため下絵にできません(1億ピクセルまで)。");

inline const QString HintNoSeeThrough
    = QStringLiteral("このデスクトップでは透過ウィンドウモードは使えません。下絵を使ってください。");

} // namespace UnderlayTexts
