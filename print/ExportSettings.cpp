#include "ExportSettings.h"

#include "PrintTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <cmath>

QPageLayout ExportSettings::pageLayout() const
{
    return QPageLayout(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

QSizeF ExportSettings::pageMm() const
{
    return pageLayout().fullRect(QPageLayout::Millimeter).size();
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

namespace {

int nearestChoice(int wanted, const std::vector<int>& choices)
{
    for (const int c : choices)
        if (c >= wanted)
            return c;
    return choices.back();
}

bool paperInRange(const QPageSize& paper)
{
    if (!paper.isValid())
        return false;
    const QSizeF mm = paper.size(QPageSize::Millimeter);
    const auto fits = [](double side) { return side >= ExportSettings::MinPaperMm - 1e-6 && side <= ExportSettings::MaxPaperMm + 1e-6; };
    return fits(mm.width()) && fits(mm.height());
}

} // namespace

ExportSettings ExportSettings::clamped() const
{
    ExportSettings out = *this;
    if (!(out.wallMm > 0)) // automatic, and NaN with it
        out.wallMm = 0;
    else
        out.wallMm = std::clamp(out.wallMm, MinWallMm, MaxWallMm);
    out.wallShare = out.wallShare > 0 ? std::clamp(out.wallShare, MinWallShare, MaxWallShare) : 0;
    out.marginMm = out.marginMm >= 0 ? std::min(out.marginMm, MaxMarginMm) : 0;
    out.dpi = std::clamp(out.dpi, MinDpi, MaxDpi);
    if (!paperInRange(out.paper))
        out.paper = QPageSize(QPageSize::A4);
    out.perPage = nearestChoice(out.perPage, perPageChoices());
    out.answersPerPage = nearestChoice(out.answersPerPage, answersPerPageChoices());
    out.firstNumber = std::clamp(out.firstNumber, 0, MaxFirst);
    out.firstPage = std::clamp(out.firstPage, 0, MaxFirst);
    return out;
}

int ExportSettings::slotsPerPage(PageKind kind) const
{
    const ExportSettings s = clamped();
    return kind == PageKind::Puzzle ? s.perPage : s.answersPerPage;
}

bool ExportSettings::showsNumbers() const
{
    const bool puzzles = pages != PageSet::Answer && slotsPerPage(PageKind::Puzzle) > 1;
    const bool answers = pages != PageSet::Puzzle && slotsPerPage(PageKind::Answer) > 1;
    return numbered || puzzles || answers || isTitleTemplate(title);
}

int ExportSettings::numberOf(std::size_t index) const
{
    return std::clamp(firstNumber, 0, MaxFirst) + static_cast<int>(index);
}

ExportSettings ExportSettings::forMaze(std::size_t index) const
{
    ExportSettings one = *this;
    const int n = numberOf(index);
    one.title = expandTitle(title, n);
    // Without "%n" a maze that shows its number has it after the title.
    if (!isTitleTemplate(title) && showsNumbers())
        one.title = title.isEmpty() ? QString::number(n) : PrintTexts::numberedTitle(one.title, QString::number(n));
    one.numbered = false;
    return one;
}

const std::vector<int>& perPageChoices()
{
    static const std::vector<int> choices{1, 2, 4, 6};
    return choices;
}

const std::vector<int>& answersPerPageChoices()
{
    static const std::vector<int> choices{1, 2, 4, 6, 9};
    return choices;
}

QString expandTitle(const QString& title, const QString& number)
{
    QString out;
    out.reserve(title.size());
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        const QChar next = i + 1 < title.size() ? title[i + 1] : QChar();
        if (c == QLatin1Char('%') && next == QLatin1Char('n')) {
            out += number;
            ++i;
        } else if (c == QLatin1Char('%') && next == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString expandTitle(const QString& title, int number)
{
    return expandTitle(title, QString::number(number));
}

bool isTitleTemplate(const QString& title)
{
    for (qsizetype i = 0; i + 1 < title.size(); ++i) {
        if (title[i] != QLatin1Char('%'))
            continue;
        if (title[i + 1] == QLatin1Char('n'))
            return true;
        if (title[i + 1] == QLatin1Char('%'))
            ++i;
    }
    return false;
}

const std::vector<PaperChoice>& paperChoices()
{
    static const std::vector<PaperChoice> choices = {
        {"A4", QPageSize(QPageSize::A4)},
        {"A3", QPageSize(QPageSize::A3)},
        {"B5", QPageSize(QPageSize::JisB5)},
        {"B4", QPageSize(QPageSize::JisB4)},
        {"Letter", QPageSize(QPageSize::Letter)},
        {"Legal", QPageSize(QPageSize::Legal)},
        {"A5", QPageSize(QPageSize::A5)},
        {"B6", QPageSize(QPageSize::JisB6)},
        {"5x8in", QPageSize(QSizeF(5, 8), QPageSize::Inch)},
        {"5.5x8.5in", QPageSize(QSizeF(5.5, 8.5), QPageSize::Inch)},
        {"6x9in", QPageSize(QSizeF(6, 9), QPageSize::Inch)},
    };
    return choices;
}

std::optional<QPageSize> paperByName(const QString& name)
{
    for (const PaperChoice& c : paperChoices())
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.size;
    static const QRegularExpression custom(
        QStringLiteral("^\\s*(\\d{1,5}(?:\\.\\d{1,3})?)\\s*[x\u00d7]\\s*(\\d{1,5}(?:\\.\\d{1,3})?)\\s*(mm|in)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = custom.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    const double a = m.captured(1).toDouble();
    const double b = m.captured(2).toDouble();
    const bool inches = m.captured(3).compare(QLatin1String("in"), Qt::CaseInsensitive) == 0;
    const QPageSize paper(QSizeF(std::min(a, b), std::max(a, b)), inches ? QPageSize::Inch : QPageSize::Millimeter);
    if (!paperInRange(paper))
        return std::nullopt;
    return paper;
}

QString paperName(const QPageSize& paper)
{
    for (const PaperChoice& c : paperChoices())
        if (c.size.isEquivalentTo(paper))
            return QLatin1String(c.name);
    if (!paper.isValid())
        return {};
    const bool inches = paper.definitionUnits() == QPageSize::Inch;
    const QSizeF size = paper.size(inches ? QPageSize::Inch : QPageSize::Millimeter);
    const auto number = [](double v) { return QString::number(std::round(v * 1000) / 1000, 'g', 8); };
    return number(size.width()) + QLatin1Char('x') + number(size.height())
           + (inches ? QLatin1String("in") : QLatin1String("mm"));
}

QPageSize::PageSizeId defaultPaper(const QLocale& locale)
{
    // The countries that print on Letter, as the common locale data lists them.
    static const QLocale::Territory letter[] = {
        QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,     QLocale::Philippines,
        QLocale::PuertoRico,   QLocale::Chile,      QLocale::Colombia,   QLocale::CostaRica,
        QLocale::Guatemala,    QLocale::Nicaragua,  QLocale::Panama,     QLocale::ElSalvador,
        QLocale::Venezuela,    QLocale::Belize,
    };
    return std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter)
               ? QPageSize::Letter
               : QPageSize::A4;
}

namespace {

const char* const PageSetNames[] = {"both", "puzzle", "answer"};
const char* const FormatNames[] = {"pdf", "svg", "png"};
const char* const MarkNames[] = {"words", "pictures"};

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
    return readExportSettings(s, QLocale::system());
}

ExportSettings readExportSettings(QSettings& s, const QLocale& locale)
{
    ExportSettings out;
    out.paper = QPageSize(defaultPaper(locale));
    s.beginGroup(QStringLiteral("export"));
    out.difficulty = s.value(QStringLiteral("difficulty"), out.difficulty).toBool();
    out.wallMm = s.value(QStringLiteral("wallMm"), out.wallMm).toDouble();
    out.wallShare = s.value(QStringLiteral("wallShare"), out.wallShare).toDouble();
    out.paper = paperByName(s.value(QStringLiteral("paper")).toString()).value_or(out.paper);
    out.landscape = s.value(QStringLiteral("landscape"), out.landscape).toBool();
    out.marginMm = s.value(QStringLiteral("marginMm"), out.marginMm).toDouble();
    out.pages = pageSetByName(s.value(QStringLiteral("pages")).toString()).value_or(out.pages);
    out.perPage = s.value(QStringLiteral("perPage"), out.perPage).toInt();
    out.answersPerPage = s.value(QStringLiteral("answersPerPage"), out.answersPerPage).toInt();
    out.pageNumbers = s.value(QStringLiteral("pageNumbers"), out.pageNumbers).toBool();
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
    s.setValue(QStringLiteral("difficulty"), v.difficulty);
    // A title and name line remembered here by an earlier version would be
    // carried into every maze: they go.
    for (const char* old : {"title", "nameLine", "labels"})
        s.remove(QLatin1String(old));
    s.setValue(QStringLiteral("wallMm"), v.wallMm);
    s.setValue(QStringLiteral("wallShare"), v.wallShare);
    s.setValue(QStringLiteral("paper"), paperName(v.paper));
    s.setValue(QStringLiteral("landscape"), v.landscape);
    s.setValue(QStringLiteral("marginMm"), v.marginMm);
    s.setValue(QStringLiteral("pages"), pageSetName(v.pages));
    s.setValue(QStringLiteral("perPage"), v.perPage);
    s.setValue(QStringLiteral("answersPerPage"), v.answersPerPage);
    s.setValue(QStringLiteral("pageNumbers"), v.pageNumbers);
    s.setValue(QStringLiteral("dpi"), v.dpi);
    s.setValue(QStringLiteral("format"), QLatin1String(FormatNames[static_cast<int>(v.format)]));
    s.endGroup();
}

void takeMazeChoices(ExportSettings& into, const ExportSettings& from)
{
    into.title = from.title;
    into.nameLine = from.nameLine;
    into.nameLineOnAnswers = from.nameLineOnAnswers;
    into.labels = from.labels;
    into.labelKind = from.labelKind;
    into.startText = from.startText;
    into.goalText = from.goalText;
}

namespace {

// A digest of the path, as the underlay of a maze is kept: letters and
// digits only, the same length for every path, no two paths alike.
QString mazeGroup(const QString& mazeFile)
{
    const QString path = QDir::cleanPath(QFileInfo(mazeFile).absoluteFilePath());
    return QStringLiteral("export/m")
           + QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex());
}

const QString MazeKey = QStringLiteral("maze");

} // namespace

bool readMazeChoices(QSettings& s, const QString& mazeFile, ExportSettings& into)
{
    if (mazeFile.isEmpty())
        return false;
    s.beginGroup(mazeGroup(mazeFile));
    const bool found = s.value(MazeKey).toString() == QDir::cleanPath(QFileInfo(mazeFile).absoluteFilePath());
    if (found) {
        ExportSettings c;
        c.title = s.value(QStringLiteral("title")).toString();
        c.nameLine = s.value(QStringLiteral("nameLine"), c.nameLine).toBool();
        c.nameLineOnAnswers = s.value(QStringLiteral("nameLineOnAnswers"), c.nameLineOnAnswers).toBool();
        c.labels = s.value(QStringLiteral("labels"), c.labels).toBool();
        c.labelKind = s.value(QStringLiteral("marks")).toString() == QLatin1String(MarkNames[1]) ? LabelKind::Pictures
                                                                                              : LabelKind::Words;
        c.startText = s.value(QStringLiteral("startText")).toString();
        c.goalText = s.value(QStringLiteral("goalText")).toString();
        takeMazeChoices(into, c);
    }
    s.endGroup();
    return found;
}

void writeMazeChoices(QSettings& s, const QString& mazeFile, const ExportSettings& v)
{
    if (mazeFile.isEmpty())
        return;
    s.remove(mazeGroup(mazeFile));
    ExportSettings fresh = v;
    takeMazeChoices(fresh, ExportSettings{});
    if (fresh == v)
        return;
    s.beginGroup(mazeGroup(mazeFile));
    s.setValue(MazeKey, QDir::cleanPath(QFileInfo(mazeFile).absoluteFilePath()));
    s.setValue(QStringLiteral("title"), v.title);
    s.setValue(QStringLiteral("nameLine"), v.nameLine);
    s.setValue(QStringLiteral("nameLineOnAnswers"), v.nameLineOnAnswers);
    s.setValue(QStringLiteral("labels"), v.labels);
    s.setValue(QStringLiteral("marks"), QLatin1String(MarkNames[static_cast<int>(v.labelKind)]));
    s.setValue(QStringLiteral("startText"), v.startText);
    s.setValue(QStringLiteral("goalText"), v.goalText);
    s.endGroup();
}
