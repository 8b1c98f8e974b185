#include "CommandLine.h"
#include "CommandOptions.h"

#include <cmath>

// The options of --export: the output file, the pages, the paper and what is
// printed on it.

namespace CommandLine {

namespace {

QString setTarget(Request& r, const QString&, const QString& value)
{
    r.target = value;
    return {};
}

QString setPages(Request& r, const QString& name, const QString& value)
{
    const auto pages = pageSetByName(value);
    if (!pages)
        return badValue(name, value);
    r.settings.pages = *pages;
    return {};
}

QString setPaper(Request& r, const QString& name, const QString& value)
{
    const auto paper = paperByName(value);
    if (!paper)
        return badValue(name, value);
    r.settings.paper = *paper;
    return {};
}

QString setLandscape(Request& r, const QString&, const QString&)
{
    r.settings.landscape = true;
    return {};
}

QString setTitle(Request& r, const QString&, const QString& value)
{
    r.settings.title = value;
    return {};
}

QString setNameLine(Request& r, const QString&, const QString&)
{
    r.settings.nameLine = true;
    return {};
}

QString setNoLabels(Request& r, const QString&, const QString&)
{
    r.settings.labels = false;
    return {};
}

// A number within least ... most, read as every numeric option is; the
// message with the range otherwise.
QString inRange(double& into, const QString& name, const QString& value, double least, double most)
{
    const auto n = number(value);
    if (!n || *n < least || *n > most)
        return outOfRange(name, value, QString::number(least), QString::number(most));
    into = *n;
    return {};
}

QString setWallMm(Request& r, const QString& name, const QString& value)
{
    return inRange(r.settings.wallMm, name, value, ExportSettings::MinWallMm, ExportSettings::MaxWallMm);
}

QString setMarginMm(Request& r, const QString& name, const QString& value)
{
    return inRange(r.settings.marginMm, name, value, 0.0, ExportSettings::MaxMarginMm);
}

QString setDpi(Request& r, const QString& name, const QString& value)
{
    double dpi = 0;
    const QString error = inRange(dpi, name, value, ExportSettings::MinDpi, ExportSettings::MaxDpi);
    if (!error.isEmpty() || dpi != std::floor(dpi))
        return outOfRange(name, value, QString::number(ExportSettings::MinDpi), QString::number(ExportSettings::MaxDpi));
    r.settings.dpi = int(dpi);
    return {};
}

const OptionSpec Options[] = {
    {"--export", true, setTarget, nullptr},
    {"--pages", true, setPages,
     QT_TRANSLATE_NOOP("CommandLine", "  --pages both|puzzle|answer  書き出すページ (既定: both = 問題と解答)\n")},
    {"--page-size", true, setPaper,
     QT_TRANSLATE_NOOP("CommandLine", "  --page-size 用紙            A4 A3 B5 B4 Letter Legal A5 B6 (既定: A4、B は JIS)、\n"
                                      "                              本の判型 5x8in 5.5x8.5in 6x9in 8.5x11in、\n"
                                      "                              または 幅x高さ を mm か in で (152x229mm、6x9in)\n")},
    {"--landscape", false, setLandscape, QT_TRANSLATE_NOOP("CommandLine", "  --landscape                 横向き\n")},
    {"--title", true, setTitle,
     QT_TRANSLATE_NOOP("CommandLine", "  --title 文字列              タイトル (解答のページでは後ろに「（解答）」)。\n"
                                      "                              %n は迷路の番号、%% は % (「めいろ %n」→ めいろ 1 …)\n")},
    {"--name-line", false, setNameLine,
     QT_TRANSLATE_NOOP("CommandLine", "  --name-line                 「なまえ：」の欄を付ける\n")},
    {"--no-labels", false, setNoLabels,
     QT_TRANSLATE_NOOP("CommandLine", "  --no-labels                 スタートとゴールを書かない\n")},
    {"--wall-mm", true, setWallMm,
     QT_TRANSLATE_NOOP("CommandLine", "  --wall-mm 太さ              壁の太さ (mm、0.1〜3、既定: マスの 8 分の 1)\n")},
    {"--margin-mm", true, setMarginMm,
     QT_TRANSLATE_NOOP("CommandLine", "  --margin-mm 幅              用紙の余白 (mm、0〜50、既定: 15)\n")},
    {"--dpi", true, setDpi,
     QT_TRANSLATE_NOOP("CommandLine", "  --dpi 解像度                PNG の解像度 (72〜600、既定: 300)\n")},
};

} // namespace

std::span<const OptionSpec> exportOptions()
{
    return Options;
}

} // namespace CommandLine
