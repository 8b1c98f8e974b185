#include "ExportSettings.h"

#include "PrintTexts.h"

#include <QSettings>

#include <algorithm>

QPageLayout ExportSettings::pageLayout() const
{
    return QPageLayout(QPageSize(paper), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

std::vector<PageKind> ExportSettings::pageKinds() const
{
    switch (pages) {
    case PageSet::Puzzle: return {PageKind::Puzzle};
    case PageSet::Answer: return {PageKind::Answer};
    case PageSet::Both: break;
    }
    return {PageKind::Puzzle, PageKind::Answer};
}

ExportSettings ExportSettings::clamped() const
{
    ExportSettings out = *this;
    if (!(out.wallMm > 0)) // automatic, and NaN with it
        out.wallMm = 0;
    else
        out.wallMm = std::clamp(out.wallMm, MinWallMm, MaxWallMm);
    out.marginMm = out.marginMm >= 0 ? std::min(out.marginMm, MaxMarginMm) : 0;
    out.dpi = std::clamp(out.dpi, MinDpi, MaxDpi);
    if (!paperByName(paperName(out.paper)))
        out.paper = QPageSize::A4;
    return out;
}

ExportSettings ExportSettings::forMaze(std::size_t index) const
{
    ExportSettings one = *this;
    if (numbered) {
        const QString number = QString::number(index + 1);
        one.title = title.isEmpty() ? number : PrintTexts::numberedTitle(title, number);
        one.numbered = false;
    }
    return one;
}

const std::vector<PaperChoice>& paperChoices()
{
    static const std::vector<PaperChoice> choices = {
        {"A4", QPageSize::A4}, {"A3", QPageSize::A3},         {"B5", QPageSize::JisB5},
        {"B4", QPageSize::JisB4}, {"Letter", QPageSize::Letter}, {"Legal", QPageSize::Legal},
    };
    return choices;
}

std::optional<QPageSize::PageSizeId> paperByName(const QString& name)
{
    for (const PaperChoice& c : paperChoices())
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.id;
    return std::nullopt;
}

QString paperName(QPageSize::PageSizeId id)
{
    for (const PaperChoice& c : paperChoices())
        if (c.id == id)
            return QLatin1String(c.name);
    return {};
}

namespace {

const char* const PageSetNames[] = {"both", "puzzle", "answer"};
const char* const FormatNames[] = {"pdf", "svg", "png"};

} // namespace

std::optional<PageSet> pageSetByName(const QString& name)
{
    for (int i = 0; i < 3; ++i)
        if (name == QLatin1String(PageSetNames[i]))
            return static_cast<PageSet>(i);
    return std::nullopt;
}

QString pageSetName(PageSet pages)
{
    return QLatin1String(PageSetNames[static_cast<int>(pages)]);
}

ExportSettings readExportSettings(QSettings& s)
{
    ExportSettings out;
    s.beginGroup(QStringLiteral("export"));
    out.title = s.value(QStringLiteral("title"), out.title).toString();
    out.nameLine = s.value(QStringLiteral("nameLine"), out.nameLine).toBool();
    out.labels = s.value(QStringLiteral("labels"), out.labels).toBool();
    out.difficulty = s.value(QStringLiteral("difficulty"), out.difficulty).toBool();
    out.wallMm = s.value(QStringLiteral("wallMm"), out.wallMm).toDouble();
    out.paper = paperByName(s.value(QStringLiteral("paper")).toString()).value_or(out.paper);
    out.landscape = s.value(QStringLiteral("landscape"), out.landscape).toBool();
    out.marginMm = s.value(QStringLiteral("marginMm"), out.marginMm).toDouble();
    out.pages = pageSetByName(s.value(QStringLiteral("pages")).toString()).value_or(out.pages);
    out.dpi = s.value(QStringLiteral("dpi"), out.dpi).toInt();
    const QString format = s.value(QStringLiteral("format")).toString();
    for (int i = 0; i < 3; ++i)
        if (format == QLatin1String(FormatNames[i]))
            out.format = static_cast<PictureFormat>(i);
    s.endGroup();
    return out.clamped();
}

void writeExportSettings(QSettings& s, const ExportSettings& values)
{
    const ExportSettings v = values.clamped();
    s.beginGroup(QStringLiteral("export"));
    s.setValue(QStringLiteral("title"), v.title);
    s.setValue(QStringLiteral("nameLine"), v.nameLine);
    s.setValue(QStringLiteral("labels"), v.labels);
    s.setValue(QStringLiteral("difficulty"), v.difficulty);
    s.setValue(QStringLiteral("wallMm"), v.wallMm);
    s.setValue(QStringLiteral("paper"), paperName(v.paper));
    s.setValue(QStringLiteral("landscape"), v.landscape);
    s.setValue(QStringLiteral("marginMm"), v.marginMm);
    s.setValue(QStringLiteral("pages"), pageSetName(v.pages));
    s.setValue(QStringLiteral("dpi"), v.dpi);
    s.setValue(QStringLiteral("format"), QLatin1String(FormatNames[static_cast<int>(v.format)]));
    s.endGroup();
}
