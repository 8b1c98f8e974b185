#include "CommandLine.h"
#include "CommandOptions.h"

#include "maze_choice.h"

// The options of choosing and ordering the mazes of a batch by their
// difficulty, and of printing it on the answer pages.

namespace CommandLine {

namespace {

QString setDifficulty(Request& r, const QString& name, const QString& value)
{
    const auto goal = parseDifficultyGoal(value.toStdString());
    if (!goal)
        return badValue(name, value);
    r.difficulty = *goal;
    return {};
}

QString setTries(Request& r, const QString& name, const QString& value)
{
    const auto tries = parseTries(value.toStdString());
    if (!tries)
        return outOfRange(name, value, QStringLiteral("1"), QString::number(DifficultyGoal::MaxTries));
    r.tries = *tries;
    return {};
}

QString setOrder(Request& r, const QString& name, const QString& value)
{
    if (value != QLatin1String("easy-to-hard"))
        return badValue(name, value);
    r.easyToHard = true;
    return {};
}

QString setPrintDifficulty(Request& r, const QString&, const QString&)
{
    r.settings.difficulty = true;
    return {};
}

const OptionSpec Options[] = {
    {"--difficulty", true, setDifficulty,
     QT_TRANSLATE_NOOP("CommandLine", "  --difficulty 難しさ         --batch の迷路を難しさで選ぶ: easy (やさしい) medium (ふつう)\n"
                                      "                              hard (むずかしい) か、探す道のりのマス数 (1〜160000)\n")},
    {"--tries", true, setTries,
     QT_TRANSLATE_NOOP("CommandLine", "  --tries 数                  --difficulty で一つの迷路に作ってみる数 (1〜10000、既定 50)\n")},
    {"--order", true, setOrder,
     QT_TRANSLATE_NOOP("CommandLine", "  --order easy-to-hard        --batch の迷路を、やさしいものからむずかしいものへ並べる\n")},
    {"--print-difficulty", false, setPrintDifficulty,
     QT_TRANSLATE_NOOP("CommandLine", "  --print-difficulty          解答のページに迷路の難しさを書く\n")},
};

} // namespace

std::span<const OptionSpec> difficultyOptions()
{
    return Options;
}

} // namespace CommandLine
