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

} // namespace PrintTexts
