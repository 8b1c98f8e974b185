#pragma once

#include "maze_difficulty.h"

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

// A difficulty grade as people read it.
inline QString gradeText(DifficultyGrade grade)
{
    switch (grade) {
    case DifficultyGrade::Easy: return QCoreApplication::translate("PrintTexts", "やさしい");
    case DifficultyGrade::Medium: return QCoreApplication::translate("PrintTexts", "ふつう");
    case DifficultyGrade::Hard: break;
    }
    return QCoreApplication::translate("PrintTexts", "むずかしい");
}

// How hard a maze is, as the answer page and the figures panel say it.
inline QString difficulty(const MazeDifficulty& d)
{
    //: %1 is the grade (easy, medium, hard), %2 the figure: the cells a searcher can expect to walk.
    return QCoreApplication::translate("PrintTexts", "難しさ %1（探す道のり %2 マス）")
        .arg(gradeText(d.grade))
        .arg(d.figure);
}

// The numbers of the mazes on a page: "5", or "5〜8".
inline QString numberRange(int first, int last)
{
    if (first == last)
        return QString::number(first);
    //: The numbers of the mazes on one answer page, from %1 to %2.
    return QCoreApplication::translate("PrintTexts", "%1〜%2").arg(first).arg(last);
}

// The title of an answer page of several mazes, which says which mazes it
// holds: `numbers` as numberRange gives them.
inline QString answerPageTitle(const QString& title, const QString& numbers)
{
    if (title.isEmpty())
        //: The title of an answer page of several mazes; %1: their numbers.
        return QCoreApplication::translate("PrintTexts", "（解答 %1）").arg(numbers);
    //: The title of an answer page of several mazes; %1: the title, %2: their numbers.
    return QCoreApplication::translate("PrintTexts", "%1（解答 %2）").arg(title, numbers);
}

} // namespace PrintTexts
