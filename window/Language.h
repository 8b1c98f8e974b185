#pragma once

#include <QFont>
#include <QLocale>
#include <QString>
#include <QStringList>

// The interface language. Japanese is the program's own: its texts are
// written in the sources and need no catalogue. English comes from the
// catalogue compiled into the program (:/i18n/zubelo_en.qm).
namespace Language {

enum class Ui { Japanese, English };
// What the user chose in the View menu; kept in the settings as ui/language.
enum class Choice { System, Japanese, English };

// The language the system asks for: English when the first language the
// desktop lists is a real language other than Japanese; Japanese for
// Japanese and for the C/POSIX locale, whatever LANGUAGE says then (as
// gettext does).
Ui forSystem(QLocale::Language systemLanguage, const QStringList& uiLanguages);
Ui forSystem();
Ui resolve(Choice choice);

// The stored choice: System when none, or an unknown one, is stored.
Choice storedChoice();
void storeChoice(Choice choice);

// Puts the program into `language`: its own texts and Qt's, the default
// locale (dates and numbers of the file dialogs) and, in a QApplication, the
// interface font. Every widget gets its LanguageChange before this returns.
void apply(Ui language);
// apply() of the stored choice.
void applyStored();
Ui current();

// The Japanese interface font: MS PGothic where it exists, else IPAPGothic
// or another Japanese font, 12 pixels high.
QFont interfaceFont();
// The desktop's normal interface font, which English texts are shown in.
QFont desktopFont();

} // namespace Language
