#include "CommandTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

void CommandTexts::add(QAction* action, const char* caption, const char* hint)
{
    commands_.push_back({action, caption, hint});
    show(commands_.back());
}

void CommandTexts::setHint(const QAction* action, const char* hint)
{
    for (Command& command : commands_) {
        if (command.action == action) {
            command.hint = hint;
            show(command);
        }
    }
}

void CommandTexts::addMenu(QMenu* menu, const char* title)
{
    menus_.push_back({menu, title});
    show(menus_.back());
}

void CommandTexts::retranslate() const
{
    for (const Command& command : commands_)
        show(command);
    for (const Menu& menu : menus_)
        show(menu);
}

void CommandTexts::show(const Command& command) const
{
    const QString caption = QCoreApplication::translate(context_, command.caption);
    command.action->setText(caption);
    command.action->setToolTip(command.hint ? QCoreApplication::translate(context_, command.hint)
                                            : QString(caption).remove(QLatin1Char('&')));
}

void CommandTexts::show(const Menu& menu) const
{
    menu.menu->setTitle(QCoreApplication::translate(context_, menu.title));
}
