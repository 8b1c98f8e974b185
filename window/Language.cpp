#include "Language.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace Language {

namespace {

const QString SettingKey = QStringLiteral("ui/language");

struct StoredName {
    Choice choice;
    const char* name;
};
const StoredName StoredNames[] = {
    {Choice::System, "system"},
    {Choice::Japanese, "ja"},
    {Choice::English, "en"},
};

// The translators installed now: the program's own texts and Qt's.
QTranslator* programTexts = nullptr;
QTranslator* qtTexts = nullptr;
Ui shown = Ui::Japanese;

bool isJapaneseOrNone(QLocale::Language language)
{
    return language == QLocale::Japanese || language == QLocale::C || language == QLocale::AnyLanguage;
}

void removeTranslator(QTranslator*& translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

QTranslator* installed(QTranslator* translator, bool loaded)
{
    if (!loaded) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

// English with the system's own conventions where it is English, else with
// its country's where there is such an English (en_DE), else American.
QLocale englishLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::English)
        return system;
    return QLocale(QLocale::English, system.territory());
}

} // namespace

Ui forSystem(QLocale::Language systemLanguage, const QStringList& uiLanguages)
{
    if (systemLanguage == QLocale::C)
        return Ui::Japanese;
    const QLocale::Language first = uiLanguages.isEmpty() ? systemLanguage : QLocale(uiLanguages.constFirst()).language();
    return isJapaneseOrNone(first) ? Ui::Japanese : Ui::English;
}

Ui forSystem()
{
    const QLocale system = QLocale::system();
    return forSystem(system.language(), system.uiLanguages());
}

Ui resolve(Choice choice)
{
    switch (choice) {
    case Choice::Japanese: return Ui::Japanese;
    case Choice::English: return Ui::English;
    case Choice::System: break;
    }
    return forSystem();
}

Choice storedChoice()
{
    const QString name = QSettings().value(SettingKey).toString();
    for (const StoredName& stored : StoredNames)
        if (name == QLatin1String(stored.name))
            return stored.choice;
    return Choice::System;
}

void storeChoice(Choice choice)
{
    for (const StoredName& stored : StoredNames)
        if (stored.choice == choice)
            QSettings().setValue(SettingKey, QString::fromLatin1(stored.name));
}

QFont interfaceFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Source Han Sans JP"), QStringLiteral("VL PGothic"),
                      QStringLiteral("TakaoPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Meiryo"),
                      QStringLiteral("Yu Gothic UI")});
    font.setPixelSize(12);
    return font;
}

QFont desktopFont()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

void apply(Ui language)
{
    removeTranslator(programTexts);
    removeTranslator(qtTexts);
    QCoreApplication* app = QCoreApplication::instance();
    if (language == Ui::Japanese) {
        // Qt's own dialogs and buttons in Japanese too.
        auto* qt = new QTranslator(app);
        qtTexts = installed(qt, qt->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    } else {
        // Qt's own texts are English without a catalogue.
        auto* own = new QTranslator(app);
        programTexts = installed(own, own->load(QStringLiteral(":/i18n/zubelo_en.qm")));
        QLocale::setDefault(englishLocale());
    }
    if (qobject_cast<QApplication*>(app))
        QApplication::setFont(language == Ui::Japanese ? interfaceFont() : desktopFont());
    shown = language;
    // Qt posts LanguageChange to the windows; delivered now, so that whoever
    // switches sees every text switched.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

void applyStored()
{
    apply(resolve(storedChoice()));
}

Ui current()
{
    return shown;
}

} // namespace Language
