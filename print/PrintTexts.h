#pragma once

#include <QCoreApplication>
#include <QString>

// The texts printed on a maze page, each in one place, in the interface's
// language.
namespace PrintTexts {

inline QString startLabel()
{
    return QCoreApplication::translate("PrintTexts", "スタート");
}

inline QString goalLabel()
{
    return QCoreApplication::translate("PrintTexts", "ゴール");
}

inline QString nameLine()
{
    return QCoreApplication::translate("PrintTexts", "なまえ：");
}

// The answer page's title: the puzzle's title marked as the answer, or the
// mark alone.
inline QString answerTitle(const QString& title)
{
    if (title.isEmpty())
        return QCoreApplication::translate("PrintTexts", "（解答）");
    //: The answer page's title; %1 is the puzzle page's title.
    return QCoreApplication::translate("PrintTexts", "%1（解答）").arg(title);
}

// The title of one maze of a book: the title, then the maze's number.
inline QString numberedTitle(const QString& title, const QString& number)
{
    //: A numbered page title in a book of mazes; %1 is the title, %2 the number.
    return QCoreApplication::translate("PrintTexts", "%1 %2").arg(title, number);
}

} // namespace PrintTexts
