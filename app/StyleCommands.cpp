#include "StyleCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QStyle>

#include <string>

namespace {

const QString StyleMenuCaption = QStringLiteral("迷路の種類(&K)");
const QString StyleSettingKey = QStringLiteral("maze/style");
const QString SummaryText = QStringLiteral("答え %1 マス · 行き止まり %2 · 分かれ道 %3");
const QString SummarySeedText = QStringLiteral(" · 種 %1");

struct StyleItem {
    MazeStyle style;
    const char* name; // the action's object name
    QString caption;
};

const StyleItem StyleItems[] = {
    {MazeStyle::Standard, "MMStyleStandard", QStringLiteral("標準")},
    {MazeStyle::LongCorridors, "MMStyleCorridors", QStringLiteral("長い通路")},
    {MazeStyle::ShortDeadEnds, "MMStyleDeadEnds", QStringLiteral("短い行き止まり")},
    {MazeStyle::Uniform, "MMStyleUniform", QStringLiteral("均等")},
};

} // namespace

const QString SeedCommandCaption = QStringLiteral("乱数の種(&S)...");

MazeStyle storedMazeStyle()
{
    const QString name = QSettings().value(StyleSettingKey).toString();
    return styleFromName(name.toStdString()).value_or(MazeStyle::Standard);
}

void storeMazeStyle(MazeStyle style)
{
    QSettings().setValue(StyleSettingKey, QString::fromUtf8(std::string(styleName(style))));
}

MazeStyleMenu::MazeStyleMenu(QMenu* mazeMenu, QWidget* window)
    : QObject(window)
    , group_(new QActionGroup(this))
{
    QMenu* menu = mazeMenu->addMenu(StyleMenuCaption);
    menu->setObjectName(QStringLiteral("MMMazeStyle"));
    group_->setExclusive(true);
    const MazeStyle stored = storedMazeStyle();
    for (const StyleItem& item : StyleItems) {
        auto* action = new QAction(item.caption, window);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        action->setChecked(item.style == stored);
        action->setData(static_cast<int>(item.style));
        group_->addAction(action);
        menu->addAction(action);
        connect(action, &QAction::triggered, this, [this, style = item.style] {
            storeMazeStyle(style);
            emit styleChosen(style);
        });
    }
}

MazeStyle MazeStyleMenu::style() const
{
    const QAction* checked = group_->checkedAction();
    return checked ? static_cast<MazeStyle>(checked->data().toInt()) : MazeStyle::Standard;
}

QString mazeSummary(const MazeStats& stats, std::optional<std::uint32_t> seed)
{
    QString text = SummaryText.arg(stats.answerLength).arg(stats.deadEnds).arg(stats.decisionPoints);
    if (seed)
        text += SummarySeedText.arg(*seed);
    return text;
}

SummaryPanel::SummaryPanel(QWidget* parent)
    : QLabel(parent)
{
    setMinimumWidth(1);
}

void SummaryPanel::showSummary(const QString& text)
{
    setText(text);
    setToolTip(text);
}

void SummaryPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shown,
                          foregroundRole());
}
