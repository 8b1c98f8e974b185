#include "StyleCommands.h"

#include "PrintTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QStyle>

#include <string>

namespace {

const char* const StyleMenuCaption = QT_TRANSLATE_NOOP("MazeStyleMenu", "迷路の種類(&K)");
const QString StyleSettingKey = QStringLiteral("maze/style");

struct StyleItem {
    MazeStyle style;
    const char* name; // the action's object name
    const char* caption;
};

const StyleItem StyleItems[] = {
    {MazeStyle::Standard, "MMStyleStandard", QT_TRANSLATE_NOOP("MazeStyleMenu", "標準")},
    {MazeStyle::LongCorridors, "MMStyleCorridors", QT_TRANSLATE_NOOP("MazeStyleMenu", "長い通路")},
    {MazeStyle::ShortDeadEnds, "MMStyleDeadEnds", QT_TRANSLATE_NOOP("MazeStyleMenu", "短い行き止まり")},
    {MazeStyle::Uniform, "MMStyleUniform", QT_TRANSLATE_NOOP("MazeStyleMenu", "均等")},
};

} // namespace

const char* const SeedCommandCaption = QT_TRANSLATE_NOOP("TFMain", "乱数の種(&S)...");

QString styleCaption(MazeStyle style)
{
    for (const StyleItem& item : StyleItems)
        if (item.style == style)
            return QCoreApplication::translate("MazeStyleMenu", item.caption).remove(QLatin1Char('&'));
    return {};
}

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
    menu_ = mazeMenu->addMenu(QString());
    menu_->setObjectName(QStringLiteral("MMMazeStyle"));
    group_->setExclusive(true);
    const MazeStyle stored = storedMazeStyle();
    for (const StyleItem& item : StyleItems) {
        auto* action = new QAction(window);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        action->setChecked(item.style == stored);
        action->setData(static_cast<int>(item.style));
        group_->addAction(action);
        menu_->addAction(action);
        connect(action, &QAction::triggered, this, [this, style = item.style] {
            storeMazeStyle(style);
            emit styleChosen(style);
        });
    }
    retranslateUi();
}

void MazeStyleMenu::retranslateUi()
{
    menu_->setTitle(tr(StyleMenuCaption));
    const QList<QAction*> actions = group_->actions();
    for (qsizetype i = 0; i < actions.size(); ++i)
        actions[i]->setText(tr(StyleItems[i].caption));
}

MazeStyle MazeStyleMenu::style() const
{
    const QAction* checked = group_->checkedAction();
    return checked ? static_cast<MazeStyle>(checked->data().toInt()) : MazeStyle::Standard;
}

QString mazeSummary(const MazeStats& stats, std::optional<std::uint32_t> seed,
                    const std::optional<MazeDifficulty>& difficulty)
{
    QString text = QCoreApplication::translate("MazeStyleMenu", "答え %1 マス · 行き止まり %2 · 分かれ道 %3")
                       .arg(stats.answerLength)
                       .arg(stats.deadEnds)
                       .arg(stats.decisionPoints);
    if (difficulty)
        text += QStringLiteral(" · ") + PrintTexts::difficulty(*difficulty);
    if (seed)
        text += QCoreApplication::translate("MazeStyleMenu", " · 種 %1").arg(*seed);
    return text;
}

SummaryPanel::SummaryPanel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
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
