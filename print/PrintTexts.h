#pragma once

#include <QString>

// The texts printed on a maze page, each in one place.
namespace PrintTexts {

inline const QString StartLabel = QStringLiteral("スタート");
inline const QString GoalLabel = QStringLiteral("ゴール");
inline const QString NameLine = QStringLiteral("なまえ：");
// Follows the title on the answer page.
inline const QString AnswerSuffix = QStringLiteral("（解答）");

} // namespace PrintTexts
