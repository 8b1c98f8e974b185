#include "LanguageMenu.h"

#include "Language.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {

const char* const MenuCaption = QT_TRANSLATE_NOOP("LanguageMenu", "言語 / Language(&L)");

struct LanguageItem {
    Language::Choice choice;
    const char* name; // the action's object name
    const char* caption;
    bool translated; // the two languages name themselves in their own words
};

const LanguageItem LanguageItems[] = {
    {Language::Choice::Japanese, "MMLanguageJapanese", "日本語(&J)", false},
    {Language::Choice::English, "MMLanguageEnglish", "&English", false},
    {Language::Choice::System, "MMLanguageSystem",
     QT_TRANSLATE_NOOP("LanguageMenu", "システムに合わせる / Follow the system(&S)"), true},
};

} // namespace

LanguageMenu::LanguageMenu(QMenu* viewMenu, QWidget* window)
    : QObject(window)
    , menu_(viewMenu->addMenu(QString()))
    , group_(new QActionGroup(this))
{
    menu_->setObjectName(QStringLiteral("MMLanguage"));
    group_->setExclusive(true);
    const Language::Choice stored = Language::storedChoice();
    for (const LanguageItem& item : LanguageItems) {
        auto* action = new QAction(window);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        action->setChecked(item.choice == stored);
        group_->addAction(action);
        menu_->addAction(action);
        connect(action, &QAction::triggered, this, [choice = item.choice] {
            Language::storeChoice(choice);
            Language::apply(Language::resolve(choice));
        });
    }
    retranslateUi();
}

void LanguageMenu::retranslateUi()
{
    menu_->setTitle(tr(MenuCaption));
    const QList<QAction*> actions = group_->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const LanguageItem& item = LanguageItems[i];
        actions[i]->setText(item.translated ? tr(item.caption) : QString::fromUtf8(item.caption));
    }
}
