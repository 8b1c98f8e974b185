// The interface in English and back: the switch in the View menu during a
// session, what the program starts in (the system's language or the stored
// choice, for the window and the command line alike), access keys, the font,
// and the manual in the language shown.

#include "Application.h"
#include "Export.h"
#include "Language.h"
#include "Seed.h"
#include "Setsize.h"
#include "Version.h"
#include "maze_outline.h"
#include "language_support.h"
#include "print_support.h"
#include "window_harness.h"

#include <QDir>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QPushButton>
#include <QStatusBar>

#include <map>

using namespace print_support;

namespace {

// Every text the window shows: title, prompt, figures, each menu's title,
// each command's caption and tool tip (the recent files are file names).
QStringList windowTexts(const TFMain& window)
{
    QStringList texts{window.windowTitle(), window.statusText(), window.summaryText()};
    for (const QMenu* menu : window.findChildren<QMenu*>())
        texts << menu->objectName() + QStringLiteral(": ") + menu->title();
    for (const QAction* action : window.findChildren<QAction*>()) {
        if (action->text().isEmpty() || action->objectName().startsWith(QStringLiteral("MMRecent")))
            continue;
        texts << action->objectName() + QStringLiteral(": ") + action->text() + QStringLiteral(" | ")
                + action->toolTip();
    }
    return texts;
}

// The language submenu and its items name each language in its own words.
bool isBilingual(const QString& text)
{
    return text.startsWith(QStringLiteral("MMLanguage")) || text.contains(QStringLiteral("言語 / "));
}

// The access key of a menu text ("&File", "保存(&S)"), or none.
QChar accessKey(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// "File1: F (ファイル(&F), 新規作成(&N))" for each key given twice among `actions`.
QStringList clashes(const QString& where, const QList<QAction*>& actions)
{
    std::map<QChar, QStringList> byKey;
    for (const QAction* action : actions)
        if (const QChar key = accessKey(action->text()); !key.isNull())
            byKey[key] << action->text();
    QStringList out;
    for (const auto& [key, texts] : byKey)
        if (texts.size() > 1)
            out << where + QStringLiteral(": ") + key + QStringLiteral(" (") + texts.join(QStringLiteral(", "))
                    + QLatin1Char(')');
    return out;
}

// Every text a dialog shows: its title, labels, buttons, boxes and their items.
QStringList dialogTexts(const QWidget& dialog)
{
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QComboBox* box : dialog.findChildren<QComboBox*>())
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
    for (const QLineEdit* field : dialog.findChildren<QLineEdit*>())
        texts << field->placeholderText();
    for (const QAbstractSpinBox* field : dialog.findChildren<QAbstractSpinBox*>())
        texts << field->text();
    return texts;
}

// Runs the program with only LANG set for its language and `stored` (if
// any) as the stored choice, in settings of its own.
Run runInLanguage(const QString& lang, const QString& stored, const QStringList& args)
{
    QTemporaryDir config;
    if (!stored.isEmpty()) {
        QDir(config.path()).mkpath(QStringLiteral("Zubelo"));
        QFile file(config.filePath(QStringLiteral("Zubelo/Zubelo.conf")));
        if (!file.open(QIODevice::WriteOnly) || file.write("[ui]\nlanguage=" + stored.toUtf8() + "\n") < 0)
            return {};
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ZUBELO_EXE), args);
    Run r;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.status = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void systemLanguageRule_data();
    void systemLanguageRule();
    void startsInTheSystemsLanguageOrTheChosenOne_data();
    void startsInTheSystemsLanguageOrTheChosenOne();
    void sessionSwitchesToEnglishAndBack();
    void menusHaveOneItemPerAccessKey_data();
    void menusHaveOneItemPerAccessKey();
    void choiceIsKeptAndOffersEachLanguageInItsOwnWords();
    void openDialogsFollowTheSwitch();
    void manualFollowsTheLanguage();
};

void LanguageTest::cleanup()
{
    Language::apply(Language::Ui::Japanese);
    QSettings().clear();
}

void LanguageTest::systemLanguageRule_data()
{
    QTest::addColumn<int>("system");
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<bool>("english");
    const auto row = [](const char* name, QLocale::Language system, const QStringList& ui, bool english) {
        QTest::newRow(name) << int(system) << ui << english;
    };
    row("Japanese", QLocale::Japanese, {QStringLiteral("ja-JP"), QStringLiteral("ja")}, false);
    row("English", QLocale::English, {QStringLiteral("en-GB")}, true);
    row("German", QLocale::German, {QStringLiteral("de-DE"), QStringLiteral("de")}, true);
    row("C", QLocale::C, {QStringLiteral("C")}, false);
    // As gettext: under the C locale LANGUAGE is not looked at.
    row("C with LANGUAGE=de", QLocale::C, {QStringLiteral("de")}, false);
    // The first language the desktop lists decides.
    row("Japanese first", QLocale::French, {QStringLiteral("ja"), QStringLiteral("fr")}, false);
    row("English before Japanese", QLocale::Japanese, {QStringLiteral("en-US"), QStringLiteral("ja-JP")}, true);
    row("no list", QLocale::Dutch, {}, true);
    row("no real language", QLocale::German, {QStringLiteral("xx-unknown")}, false);
}

void LanguageTest::systemLanguageRule()
{
    QFETCH(int, system);
    QFETCH(QStringList, uiLanguages);
    QFETCH(bool, english);
    QCOMPARE(Language::forSystem(QLocale::Language(system), uiLanguages) == Language::Ui::English, english);
}

void LanguageTest::startsInTheSystemsLanguageOrTheChosenOne_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("english");
    QTest::newRow("ja_JP") << QStringLiteral("ja_JP.UTF-8") << QString() << false;
    QTest::newRow("en_US") << QStringLiteral("en_US.UTF-8") << QString() << true;
    QTest::newRow("de_DE") << QStringLiteral("de_DE.UTF-8") << QString() << true;
    QTest::newRow("C") << QStringLiteral("C") << QString() << false;
    QTest::newRow("en_US, system stored") << QStringLiteral("en_US.UTF-8") << QStringLiteral("system") << true;
    QTest::newRow("en_US, Japanese chosen") << QStringLiteral("en_US.UTF-8") << QStringLiteral("ja") << false;
    QTest::newRow("C, English chosen") << QStringLiteral("C") << QStringLiteral("en") << true;
}

// The command line follows the same rule as the window, so the program's
// help, its messages and the labels it prints show which language it chose.
void LanguageTest::startsInTheSystemsLanguageOrTheChosenOne()
{
    QFETCH(QString, lang);
    QFETCH(QString, stored);
    QFETCH(bool, english);

    const Run help = runInLanguage(lang, stored, {QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QCOMPARE(help.out.section(QLatin1Char('\n'), 0, 0), english ? QStringLiteral("Usage:") : QStringLiteral("使い方:"));
    QCOMPARE(hasJapanese(help.out), !english);

    QTemporaryDir dir;
    const std::unique_ptr<TestMaze> maze = makeMaze(8, 6, 3);
    const QString maz = dir.filePath(QStringLiteral("m.maz"));
    QVERIFY(maze->board->saveFile(std::filesystem::path(maz.toStdU16String())));
    const QString svg = dir.filePath(QStringLiteral("m.svg"));
    const Run exported = runInLanguage(lang, stored, {QStringLiteral("--export"), svg, maz});
    QCOMPARE(exported.status, 0);
    QFile picture(svg);
    QVERIFY(picture.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(picture.readAll());
    QCOMPARE(text.contains(QStringLiteral(">Start<")), english);
    QCOMPARE(text.contains(QStringLiteral(">スタート<")), !english);

    const Run wrong = runInLanguage(lang, stored, {QStringLiteral("--export"), svg});
    QCOMPARE(wrong.status, 2);
    QCOMPARE(hasJapanese(wrong.err), !english);
}

// A session of drawing, completing, making and showing the answer, switched
// to English and back at each step: each text of the window is English, and
// back in Japanese every text is what it was before.
void LanguageTest::sessionSwitchesToEnglishAndBack()
{
    WindowHarness h;
    TFMain& w = *h.window;
    QAction* english = h.action("MMLanguageEnglish");
    QAction* japanese = h.action("MMLanguageJapanese");
    QVERIFY(english && japanese);
    const QFont japaneseFont = QApplication::font();

    const auto switchAndBack = [&](const char* stage) {
        const QStringList before = windowTexts(w);
        english->trigger();
        QCOMPARE(Language::current(), Language::Ui::English);
        const QStringList shown = windowTexts(w);
        QCOMPARE(shown.size(), before.size());
        for (const QString& text : shown)
            QVERIFY2(isBilingual(text) || !hasJapanese(text), qPrintable(QString::fromLatin1(stage) + QLatin1Char(' ') + text));
        QCOMPARE(QApplication::font(), Language::desktopFont());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        QCOMPARE(QLocale().language(), QLocale::English);
        // The window, fitted to the picture, is fitted again for the
        // other font: no scroll bars.
        QTRY_COMPARE(w.menuBar()->height(), w.menuBar()->sizeHint().height());
        QCoreApplication::processEvents();
        const QScrollArea* area = w.findChild<QScrollArea*>();
        QVERIFY(area && !area->horizontalScrollBar()->isVisible() && !area->verticalScrollBar()->isVisible());
        japanese->trigger();
        QCOMPARE(windowTexts(w), before);
        QCOMPARE(QApplication::font(), japaneseFont);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
        QCOMPARE(QLocale().language(), QLocale::Japanese);
    };

    switchAndBack("start");
    h.pressKeys("RRR");
    QCOMPARE(w.statusText(), QStringLiteral("外側(灰色の部分)まで線を伸ばしてください。"));
    switchAndBack("drawing");

    // On in English: the prompts come in English, those of steps drawn in
    // Japanese and undone or redone in English too.
    english->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Zubelo * Untitled"));
    QCOMPARE(w.statusText(), QStringLiteral("Take the path on to the grey border."));
    QCOMPARE(h.action("MMMakeMaze")->toolTip(), QStringLiteral("Make Maze (F5)"));
    h.action("MMUndo")->trigger();
    h.action("MMUndo")->trigger();
    h.action("MMUndo")->trigger();
    QCOMPARE(w.statusText(), QStringLiteral("Choose the start on the grey border"));
    h.action("MMRedo")->trigger();
    QCOMPARE(w.statusText(), QStringLiteral("Take the path on to the grey border."));
    h.press(Qt::Key_Right, 40);
    QCOMPARE(w.statusText(), QStringLiteral("Press Make Maze (F5)."));
    japanese->trigger();
    QCOMPARE(w.statusText(), QStringLiteral("迷路作成ボタンを押してください。"));
    switchAndBack("complete");

    h.action("MMMakeMaze")->trigger();
    QVERIFY(w.summaryText().startsWith(QStringLiteral("答え ")));
    switchAndBack("made");
    h.action("MMDrawAnswer")->trigger();
    switchAndBack("answer hidden");

    // The figures of a maze made in Japanese come back in English by undo and redo.
    english->trigger();
    QVERIFY(w.summaryText().startsWith(QStringLiteral("Answer ")));
    h.action("MMUndo")->trigger();
    QVERIFY(w.summaryText().isEmpty());
    h.action("MMRedo")->trigger();
    QVERIFY2(w.summaryText().startsWith(QStringLiteral("Answer ")), qPrintable(w.summaryText()));
    QVERIFY(h.script.unexpected.empty());
}

void LanguageTest::menusHaveOneItemPerAccessKey_data()
{
    addLanguageRows();
}

void LanguageTest::menusHaveOneItemPerAccessKey()
{
    QFETCH(bool, english);
    WindowHarness h;
    Language::apply(english ? Language::Ui::English : Language::Ui::Japanese);
    QMenuBar* bar = h.window->menuBar();
    QStringList found = clashes(QStringLiteral("menu bar"), bar->actions());
    int items = 0;
    for (const QMenu* menu : h.window->findChildren<QMenu*>()) {
        found << clashes(menu->objectName(), menu->actions());
        items += int(menu->actions().size());
        // In English every item has a key of its own.
        for (const QAction* action : menu->actions())
            QVERIFY2(!english || action->isSeparator() || !accessKey(action->text()).isNull(),
                     qPrintable(action->text()));
    }
    QVERIFY(items > 25);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

void LanguageTest::choiceIsKeptAndOffersEachLanguageInItsOwnWords()
{
    WindowHarness h;
    QAction* system = h.action("MMLanguageSystem");
    QAction* english = h.action("MMLanguageEnglish");
    QAction* japanese = h.action("MMLanguageJapanese");
    QVERIFY(system && english && japanese);
    // Nothing stored: the system's language, which the tests run as C.
    QVERIFY(system->isChecked());
    QCOMPARE(Language::current(), Language::Ui::Japanese);

    english->trigger();
    QVERIFY(english->isChecked() && !system->isChecked());
    QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("en"));
    QCOMPARE(english->text(), QStringLiteral("&English"));
    QCOMPARE(japanese->text(), QStringLiteral("日本語(&J)"));
    QVERIFY(system->text().contains(QStringLiteral("システムに合わせる"))
            && system->text().contains(QStringLiteral("ystem")));

    system->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("system"));
    QCOMPARE(Language::current(), Language::Ui::Japanese);
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Zubelo - 新規ファイル"));

    // A new window (the next start) shows the stored choice checked.
    QSettings().setValue(QStringLiteral("ui/language"), QStringLiteral("en"));
    TFMain next(&h.script);
    QVERIFY(next.findChild<QAction*>(QStringLiteral("MMLanguageEnglish"))->isChecked());
}

// Dialogs open while the language changes show every text in the new one,
// and the same texts as before once back.
void LanguageTest::openDialogsFollowTheSwitch()
{
    TFSetSize size;
    TFVersion about;
    TFSeed seed;
    TFExport exportDialog;
    exportDialog.setMaze(outlineOf(*makeMaze(8, 6, 3)->board));
    const QList<QWidget*> dialogs{&size, &about, &seed, &exportDialog};
    for (QWidget* dialog : dialogs)
        dialog->show();
    QList<QStringList> before;
    for (const QWidget* dialog : dialogs)
        before << dialogTexts(*dialog);

    Language::apply(Language::Ui::English);
    for (const QWidget* dialog : dialogs) {
        const QStringList texts = dialogTexts(*dialog);
        QVERIFY2(!hasJapanese(texts.join(QLatin1Char('|'))), qPrintable(texts.join(QLatin1Char('|'))));
    }
    QCOMPARE(exportDialog.findChild<QPushButton*>(QStringLiteral("BtOK"))->text(), QStringLiteral("&Export…"));

    Language::apply(Language::Ui::Japanese);
    for (qsizetype i = 0; i < dialogs.size(); ++i)
        QCOMPARE(dialogTexts(*dialogs[i]), before[i]);
}

// F1 and the About dialog's link (while it leads to the manual) open the
// manual in the language shown.
void LanguageTest::manualFollowsTheLanguage()
{
    WindowHarness h;
    TFVersion about(h.window.get());
    h.window->attachDialogs(nullptr, &about);
    for (const bool english : {true, false}) {
        Language::apply(english ? Language::Ui::English : Language::Ui::Japanese);
        const QString page = english ? QStringLiteral("en/index.html") : QStringLiteral("ja/index.html");
        const QString help = QString::fromStdU16String(h.window->helpPath().u16string());
        QVERIFY2(help.endsWith(page), qPrintable(help));
        // The build puts both manuals beside the program.
        QVERIFY(QFile::exists(QStringLiteral(TEST_BUILD_DIR "/app/help/") + page));
        if (about.address().startsWith(QStringLiteral("file:")))
            QVERIFY2(about.address().endsWith(page), qPrintable(about.address()));
        QVERIFY(!hasJapanese(about.windowTitle() + about.BtOK->text()));
    }
}

int main(int argc, char** argv)
{
    ZubeloApplication app(argc, argv);
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
