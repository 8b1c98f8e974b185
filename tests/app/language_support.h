#pragma once

// The program's texts and font in one language, in a test program that does
// not set up the program's language itself, for as long as a ShownIn lives:
// Japanese in the program's Japanese font, or English from the catalogue in
// the desktop's font, as the program shows them. Put back after.

#include "Application.h"
#include "Language.h"

#include <QApplication>
#include <QFont>
#include <QTest>
#include <QTranslator>

struct ShownIn {
    QTranslator translator;
    QFont font = QApplication::font();
    bool english;

    explicit ShownIn(Language::Ui language)
        : english(language == Language::Ui::English)
    {
        if (english && translator.load(QStringLiteral(":/i18n/zubelo_en.qm")))
            QCoreApplication::installTranslator(&translator);
        QApplication::setFont(english ? Language::desktopFont() : ZubeloApplication::interfaceFont());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
    ~ShownIn()
    {
        QCoreApplication::removeTranslator(&translator);
        QApplication::setFont(font);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
    ShownIn(const ShownIn&) = delete;
    ShownIn& operator=(const ShownIn&) = delete;
};

// Whether a text has Japanese in it: kana, kanji or full-width forms.
inline bool hasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// The rows of a test run once in each language: a bool column "english".
inline void addLanguageRows()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("Japanese") << false;
    QTest::newRow("English") << true;
}
