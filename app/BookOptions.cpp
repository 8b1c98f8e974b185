#include "CommandLine.h"
#include "CommandOptions.h"

#include <algorithm>

// The options of worksheets and books: mazes a page, numbering, page
// numbers, the labels' words or pictures, the name line on answer pages
// and the wall as a share of the cell.

namespace CommandLine {

namespace {

QString perPage(int& into, const std::vector<int>& allowed, const QString& name, const QString& value)
{
    const auto n = wholeNumber(value, 1, 9);
    if (!n || std::find(allowed.begin(), allowed.end(), *n) == allowed.end())
        return badValue(name, value);
    into = *n;
    return {};
}

QString setPerPage(Request& r, const QString& name, const QString& value)
{
    return perPage(r.settings.perPage, perPageChoices(), name, value);
}

QString setAnswersPerPage(Request& r, const QString& name, const QString& value)
{
    return perPage(r.settings.answersPerPage, answersPerPageChoices(), name, value);
}

QString setPageNumbers(Request& r, const QString&, const QString&)
{
    r.settings.pageNumbers = true;
    return {};
}

// --first numbers the first page too, unless --first-page says otherwise.
QString setFirst(Request& r, const QString& name, const QString& value)
{
    const auto n = wholeNumber(value, 0, ExportSettings::MaxFirst);
    if (!n)
        return badValue(name, value);
    r.settings.firstNumber = *n;
    if (!r.firstPageGiven)
        r.settings.firstPage = *n;
    return {};
}

QString setFirstPage(Request& r, const QString& name, const QString& value)
{
    const auto n = wholeNumber(value, 0, ExportSettings::MaxFirst);
    if (!n)
        return badValue(name, value);
    r.settings.firstPage = *n;
    r.firstPageGiven = true;
    return {};
}

QString setStartLabel(Request& r, const QString&, const QString& value)
{
    r.settings.startText = value;
    return {};
}

QString setGoalLabel(Request& r, const QString&, const QString& value)
{
    r.settings.goalText = value;
    return {};
}

QString setLabelPictures(Request& r, const QString&, const QString&)
{
    r.settings.labelKind = LabelKind::Pictures;
    return {};
}

QString setNameLineAnswers(Request& r, const QString&, const QString&)
{
    r.settings.nameLine = true;
    r.settings.nameLineOnAnswers = true;
    return {};
}

QString setWallShare(Request& r, const QString& name, const QString& value)
{
    QString digits = value;
    if (digits.endsWith(QLatin1Char('%')))
        digits.chop(1);
    const auto percent = number(digits);
    if (!percent || *percent <= 0)
        return badValue(name, value);
    // A share out of range is taken as the nearest one allowed.
    r.settings.wallShare = std::clamp(*percent / 100, ExportSettings::MinWallShare, ExportSettings::MaxWallShare);
    return {};
}

const OptionSpec Options[] = {
    {"--per-page", true, setPerPage,
     QT_TRANSLATE_NOOP("CommandLine", "  --per-page 数               問題のページ 1 枚の迷路の数: 1 2 4 6 (既定: 1、.pdf だけ。\n"
                                      "                              .svg と .png はいつも迷路ごとに一つのファイル)\n")},
    {"--answers-per-page", true, setAnswersPerPage,
     QT_TRANSLATE_NOOP("CommandLine", "  --answers-per-page 数       解答のページ 1 枚の迷路の数: 1 2 4 6 9 (既定: 1)\n")},
    {"--page-numbers", false, setPageNumbers,
     QT_TRANSLATE_NOOP("CommandLine", "  --page-numbers              ページの下にページ番号を付ける\n")},
    {"--first", true, setFirst,
     QT_TRANSLATE_NOOP("CommandLine", "  --first 番号                最初の迷路の番号と最初のページ番号 (0〜99999、既定: 1)。\n"
                                      "                              分けて作る本の続きの番号に\n")},
    {"--first-page", true, setFirstPage,
     QT_TRANSLATE_NOOP("CommandLine", "  --first-page 番号           最初のページ番号だけを別に (0〜99999)\n")},
    {"--start-label", true, setStartLabel,
     QT_TRANSLATE_NOOP("CommandLine", "  --start-label 文字列        入口に書く言葉 (既定: スタート)\n")},
    {"--goal-label", true, setGoalLabel,
     QT_TRANSLATE_NOOP("CommandLine", "  --goal-label 文字列         出口に書く言葉 (既定: ゴール)\n")},
    {"--label-pictures", false, setLabelPictures,
     QT_TRANSLATE_NOOP("CommandLine", "  --label-pictures            言葉の代わりに、入口に家、出口に旗の絵\n")},
    {"--name-line-answers", false, setNameLineAnswers,
     QT_TRANSLATE_NOOP("CommandLine", "  --name-line-answers         「なまえ：」の欄を解答のページにも付ける\n")},
    {"--wall-share", true, setWallShare,
     QT_TRANSLATE_NOOP("CommandLine", "  --wall-share 割合           壁の太さをマスの割合で (%、15〜40)。--wall-mm より優先\n")},
};

} // namespace

std::span<const OptionSpec> bookOptions()
{
    return Options;
}

} // namespace CommandLine
