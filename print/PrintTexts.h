#pragma once

#include <QString>

// The texts printed on a maze page, each in one place.
namespace PrintTexts {

inline const QString StartLabel = QStringLiteral("スタート");
inline const QString GoalLabel = QStringLiteral("ゴール");
inline const QString NameLine = QStringLiteral("なまえ：");
// Follows the title on the answer page.
inline const QString AnswerSuffix = QStringLiteral("（解答）");
// The title of one maze of a book: the title, then the maze's number.
inline const QString NumberedTitle = QStringLiteral("%1 %2");

} // namespace PrintTexts
