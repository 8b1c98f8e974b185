#include "CommandLine.h"
#include "CommandOptions.h"

#include "maze_batch.h"

// The options of --batch: how many mazes, their style and the seed.

namespace CommandLine {

namespace {

QString setBatch(Request& r, const QString& name, const QString& value)
{
    const auto count = parseBatchCount(value.toStdString());
    if (!count)
        return badValue(name, value);
    r.batch = *count;
    return {};
}

QString setStyle(Request& r, const QString& name, const QString& value)
{
    const auto style = styleFromName(value.toStdString());
    if (!style)
        return badValue(name, value);
    r.style = *style;
    return {};
}

QString setSeed(Request& r, const QString& name, const QString& value)
{
    const auto seed = parseSeed(value.toStdString());
    if (!seed)
        return badValue(name, value);
    r.seed = *seed;
    return {};
}

const OptionSpec Options[] = {
    {"--batch", true, setBatch,
     QT_TRANSLATE_NOOP("CommandLine", "  --batch 数                  迷路を 数 個作って番号付きで書き出す (1〜1000)\n")},
    {"--style", true, setStyle,
     QT_TRANSLATE_NOOP("CommandLine", "  --style 種類                --batch の迷路の種類: standard (標準、既定) corridors (長い通路)\n"
                                      "                              deadends (短い行き止まり) uniform (均等)\n")},
    {"--seed", true, setSeed,
     QT_TRANSLATE_NOOP("CommandLine", "  --seed 種                   --batch の乱数の種 (0〜4294967295、既定: 実行のたびに新しい種)\n")},
};

} // namespace

std::span<const OptionSpec> batchOptions()
{
    return Options;
}

} // namespace CommandLine
