// The About dialog (its contents, when it hides, what its link opens) and the
// help loader with the search for the manual, run headless. Everything the
// program asks the desktop to open is caught by URL handlers, so no browser
// ever starts.

#include "Hhelp.h"
#include "language_support.h"
#include "Version.h"
#include "help_location.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <filesystem>

namespace {

std::filesystem::path toPath(const QString& text)
{
    return std::filesystem::path(text.toStdU16String());
}

QString fromPath(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

// A value from the build's CMake cache: what the build was configured with,
// read independently of the program's own generated header.
QString cacheValue(const QString& name)
{
    QFile cache(QString::fromUtf8(TEST_BUILD_DIR "/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString prefix = name + QLatin1Char(':');
    while (!cache.atEnd()) {
        const QString line = QString::fromUtf8(cache.readLine()).chopped(1);
        if (line.startsWith(prefix)) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals >= 0)
                return line.mid(equals + 1);
        }
    }
    return {};
}

// Where this build installs the manual: <prefix>/<data dir>/zubelo/help.
std::filesystem::path installedHelpDir()
{
    QString dataDir = cacheValue(QStringLiteral("CMAKE_INSTALL_DATADIR"));
    if (dataDir.isEmpty())
        dataDir = cacheValue(QStringLiteral("CMAKE_INSTALL_DATAROOTDIR"));
    std::filesystem::path dir = toPath(dataDir);
    if (dir.is_relative())
        dir = toPath(cacheValue(QStringLiteral("CMAKE_INSTALL_PREFIX"))) / dir;
    return (dir / "zubelo" / "help").lexically_normal();
}

int visibleAboutDialogs()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<TFVersion*>(widget) && widget->isVisible() ? 1 : 0;
    return count;
}

bool showAndActivate(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

// Stands in for the desktop: collects every address the program asks it to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class VersionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void showsNameVersionAndContacts();
    void controlsFitInsideTheDialog_data();
    void controlsFitInsideTheDialog();
    void isModelessAndReusedWhenShownAgain();
    void okHides();
    void enterAndEscHideWhateverHasTheFocus_data();
    void enterAndEscHideWhateverHasTheFocus();
    void otherKeysReachTheControls();
    void activatingAnotherWindowHides_data();
    void activatingAnotherWindowHides();
    void ownPopupMenuKeepsItOpen();
    void linkOpensExactlyTheShownAddress();
    void helpPathPrefersTheManualBesideTheProgram();
    void helpOpensTheManualsFirstPage();
    void buildTreeHasTheManual();

private:
    UrlCatcher catcher_;
    const QStringList schemes_ = {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https")};
};

void VersionTest::initTestCase()
{
    for (const QString& scheme : schemes_)
        QDesktopServices::setUrlHandler(scheme, &catcher_, "open");
    QVERIFY2(!cacheValue(QStringLiteral("CMAKE_INSTALL_PREFIX")).isEmpty(),
             "the build's CMakeCache.txt could not be read");
}

void VersionTest::init()
{
    catcher_.urls.clear();
}

void VersionTest::cleanup()
{
    // No test may leave a window behind for the next one.
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->hide();
}

void VersionTest::cleanupTestCase()
{
    for (const QString& scheme : schemes_)
        QDesktopServices::unsetUrlHandler(scheme);
}

void VersionTest::showsNameVersionAndContacts()
{
    TFVersion dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zubelo - About"));
    QCOMPARE(dialog.LbVersion->text(), QStringLiteral("Zubelo - Ver 1.01"));
    QCOMPARE(dialog.Label1->text(), QStringLiteral("Zubelo project"));
    QCOMPARE(dialog.Label2->text(), QStringLiteral("E-MAIL:"));
    // The licence the program is given under, as LICENSE and the package say.
    QCOMPARE(dialog.LbLicense->text(), QStringLiteral("License: GNU GPL v3 or later"));
    QVERIFY(dialog.LbLicense->toolTip().contains(QStringLiteral("GPL-3.0-or-later")));
    // The configured address, which is empty unless the build sets one.
    QCOMPARE(dialog.EdEMAIL->text(), cacheValue(QStringLiteral("ZUBELO_EMAIL")));
    QCOMPARE(dialog.BtOK->text(), QStringLiteral("OK"));

    // Other code finds the controls by name.
    const QList<QPair<QString, QWidget*>> named = {
        {QStringLiteral("LbVersion"), dialog.LbVersion}, {QStringLiteral("Image1"), dialog.Image1},
        {QStringLiteral("Label1"), dialog.Label1},       {QStringLiteral("Label2"), dialog.Label2},
        {QStringLiteral("EdEMAIL"), dialog.EdEMAIL},     {QStringLiteral("LbURL"), dialog.LbURL},
        {QStringLiteral("BtOK"), dialog.BtOK},           {QStringLiteral("LbLicense"), dialog.LbLicense},
    };
    for (const auto& [name, widget] : named) {
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(dialog.findChild<QWidget*>(name), widget);
    }
}

void VersionTest::controlsFitInsideTheDialog_data()
{
    addLanguageRows();
}

void VersionTest::controlsFitInsideTheDialog()
{
    QFETCH(bool, english);
    const ShownIn language(english ? Language::Ui::English : Language::Ui::Japanese);
    TFVersion dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // Fixed size: the user cannot resize it.
    QCOMPARE(dialog.size(), QSize(304, 163));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

    // No control sticks out of the dialog or overlaps another one.
    const QList<QWidget*> controls = {dialog.findChild<QWidget*>(QStringLiteral("Panel1")),
                                      dialog.LbVersion, dialog.Label1, dialog.LbLicense, dialog.Label2,
                                      dialog.EdEMAIL, dialog.LbURL, dialog.BtOK};
    for (QWidget* control : controls) {
        QVERIFY(control);
        QVERIFY2(dialog.rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (QWidget* other : controls) {
            if (other != control)
                QVERIFY2(!control->geometry().intersects(other->geometry()),
                         qPrintable(control->objectName() + QStringLiteral(" / ") + other->objectName()));
        }
    }
    // The icon sits inside its sunken panel.
    QVERIFY(dialog.Image1->parentWidget()->rect().contains(dialog.Image1->geometry()));

    // Every text is shown whole, in whatever font the platform supplies.
    for (QLabel* label : {dialog.LbVersion, dialog.Label1, dialog.LbLicense, dialog.Label2, dialog.LbURL}) {
        const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(textWidth <= label->width(), qPrintable(label->objectName()));
        QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(label->objectName()));
        QVERIFY2(label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height(),
                 qPrintable(label->objectName() + QStringLiteral(" %1x%2 in %3x%4").arg(label->sizeHint().width())
                            .arg(label->sizeHint().height()).arg(label->width()).arg(label->height())));
        QVERIFY2(!english || !hasJapanese(label->text()), qPrintable(label->text()));
    }
    QVERIFY(dialog.BtOK->fontMetrics().horizontalAdvance(dialog.BtOK->text()) + 8 <= dialog.BtOK->width());
    // The frameless field keeps a pixel above and below its line.
    QVERIFY(dialog.EdEMAIL->fontMetrics().height() + 2 <= dialog.EdEMAIL->height());
}

void VersionTest::isModelessAndReusedWhenShownAgain()
{
    QWidget mainWindow;
    TFVersion dialog(&mainWindow);
    QVERIFY(showAndActivate(mainWindow));

    QVERIFY(showAndActivate(dialog));
    QVERIFY(!dialog.isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // It must not vanish on its own right after it came up.
    QTest::qWait(50);
    QVERIFY(dialog.isVisible());

    // Showing it again while it is open gives no second dialog.
    QVERIFY(showAndActivate(dialog));
    QCOMPARE(visibleAboutDialogs(), 1);

    // Hidden and shown again it comes back as it was left.
    dialog.EdEMAIL->setText(QStringLiteral("typed"));
    QTest::mouseClick(dialog.BtOK, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(showAndActivate(dialog));
    QCOMPARE(visibleAboutDialogs(), 1);
    QCOMPARE(dialog.EdEMAIL->text(), QStringLiteral("typed"));
    QCOMPARE(dialog.LbVersion->text(), QStringLiteral("Zubelo - Ver 1.01"));
}

void VersionTest::okHides()
{
    TFVersion dialog;
    QVERIFY(showAndActivate(dialog));
    QTest::mouseClick(dialog.BtOK, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    // Only hidden, never destroyed or closed for good.
    QVERIFY(!dialog.testAttribute(Qt::WA_DeleteOnClose));
}

void VersionTest::enterAndEscHideWhateverHasTheFocus_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");

    const QList<QPair<const char*, int>> keys = {
        {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}, {"Esc", Qt::Key_Escape}};
    const QStringList focusables = {QStringLiteral("EdEMAIL"), QStringLiteral("BtOK")};
    for (const auto& [keyName, key] : keys) {
        for (const QString& focus : focusables)
            QTest::addRow("%s in %s", keyName, qPrintable(focus)) << key << focus;
    }
}

void VersionTest::enterAndEscHideWhateverHasTheFocus()
{
    QFETCH(int, key);
    QFETCH(QString, focus);

    TFVersion dialog;
    QVERIFY(showAndActivate(dialog));
    auto* target = dialog.findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(!dialog.isVisible());
}

void VersionTest::otherKeysReachTheControls()
{
    // The key preview takes Enter and Esc only; typing still goes into the field.
    TFVersion dialog;
    QVERIFY(showAndActivate(dialog));
    dialog.EdEMAIL->clear();
    dialog.EdEMAIL->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), dialog.EdEMAIL);
    QTest::keyClicks(dialog.EdEMAIL, QStringLiteral("ab"));
    QTest::keyClick(dialog.EdEMAIL, Qt::Key_Backspace);
    QTest::keyClick(dialog.EdEMAIL, Qt::Key_Space);
    QCOMPARE(dialog.EdEMAIL->text(), QStringLiteral("a "));
    QVERIFY(dialog.isVisible());
}

void VersionTest::activatingAnotherWindowHides_data()
{
    QTest::addColumn<bool>("ownerWindow");
    QTest::newRow("its owner, the main window") << true;
    QTest::newRow("an unrelated window") << false;
}

void VersionTest::activatingAnotherWindowHides()
{
    QFETCH(bool, ownerWindow);

    QWidget other;
    other.resize(200, 100);
    TFVersion dialog(ownerWindow ? &other : nullptr);
    QVERIFY(showAndActivate(other));
    QVERIFY(showAndActivate(dialog));
    QVERIFY(dialog.isVisible());

    QVERIFY(showAndActivate(other));
    QTRY_VERIFY(!dialog.isVisible());

    // The window system's own notice hides it just the same.
    QVERIFY(showAndActivate(dialog));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&dialog, &deactivate);
    QVERIFY(!dialog.isVisible());
}

void VersionTest::ownPopupMenuKeepsItOpen()
{
    // The e-mail field's context menu (to copy the address) is a window of
    // its own, but the dialog stays the active window and must stay open.
    TFVersion dialog;
    QVERIFY(showAndActivate(dialog));
    const QPoint inside(5, 5);
    QContextMenuEvent request(QContextMenuEvent::Mouse, inside, dialog.EdEMAIL->mapToGlobal(inside));
    QApplication::sendEvent(dialog.EdEMAIL, &request);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    // Let the window system deliver whatever the popup's showing causes.
    QTest::qWait(50);
    QVERIFY(dialog.isVisible());

    QApplication::activePopupWidget()->close();
    QTRY_COMPARE(QApplication::activePopupWidget(), nullptr);
    QTest::qWait(50);
    QVERIFY(dialog.isVisible());
}

void VersionTest::linkOpensExactlyTheShownAddress()
{
    TFVersion dialog;
    QVERIFY(showAndActivate(dialog));

    // Without a configured home page the link is the manual's first page.
    const QString homePage = cacheValue(QStringLiteral("ZUBELO_HOMEPAGE"));
    if (homePage.isEmpty()) {
        const std::filesystem::path manual = helpPathFor(toPath(QCoreApplication::applicationDirPath()));
        QCOMPARE(dialog.address(), QUrl::fromLocalFile(fromPath(manual)).toString());
        QVERIFY(QUrl(dialog.address()).isLocalFile());
        QVERIFY(dialog.address().endsWith(QStringLiteral("/ja/index.html")));
    } else {
        QCOMPARE(dialog.address(), homePage);
    }

    // The label shows the whole address, or a middle-shortened form of it;
    // the tool tip always has all of it.
    QCOMPARE(dialog.LbURL->toolTip(), dialog.address());
    const QString shown = dialog.LbURL->text();
    if (shown != dialog.address()) {
        const qsizetype dots = shown.indexOf(QChar(0x2026));
        QVERIFY2(dots > 0, qPrintable(shown));
        QVERIFY(dialog.address().startsWith(shown.left(dots)));
        QVERIFY(dialog.address().endsWith(shown.mid(dots + 1)));
    }

    // Clicks elsewhere or with the other button open nothing.
    QTest::mouseClick(dialog.Label1, Qt::LeftButton);
    QTest::mouseClick(dialog.LbURL, Qt::RightButton);
    QVERIFY(catcher_.urls.isEmpty());

    QTest::mouseClick(dialog.LbURL, Qt::LeftButton);
    QCOMPARE(catcher_.urls.size(), 1);
    QCOMPARE(catcher_.urls.first().toString(), dialog.address());
    // Opening the address leaves the dialog as it is.
    QVERIFY(dialog.isVisible());

    dialog.LbURLClick();
    QCOMPARE(catcher_.urls.size(), 2);
    QCOMPARE(catcher_.urls.last().toString(), dialog.address());
}

void VersionTest::helpPathPrefersTheManualBesideTheProgram()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    // A folder name with spaces and Japanese, as users' folders often have.
    const QString exeDir = temp.filePath(QStringLiteral("迷路 ツール"));
    QVERIFY(QDir().mkpath(exeDir));
    const std::filesystem::path installed = installedHelpDir() / "ja" / "index.html";

    // Nothing beside the program: the installed manual.
    QCOMPARE(fromPath(helpPathFor(toPath(exeDir)).lexically_normal()), fromPath(installed));

    // Only the English page beside it is not enough: the first page is Japanese.
    QVERIFY(QDir().mkpath(exeDir + QStringLiteral("/help/en")));
    QFile english(exeDir + QStringLiteral("/help/en/index.html"));
    QVERIFY(english.open(QIODevice::WriteOnly));
    english.close();
    QCOMPARE(fromPath(helpPathFor(toPath(exeDir)).lexically_normal()), fromPath(installed));

    // An installation unpacked under another root (bin/ and share/ side by
    // side): its own manual.
    const QString unpacked = exeDir + QStringLiteral("/../share/zubelo/help/ja/index.html");
    QVERIFY(QDir().mkpath(exeDir + QStringLiteral("/../share/zubelo/help/ja")));
    QFile unpackedPage(unpacked);
    QVERIFY(unpackedPage.open(QIODevice::WriteOnly));
    unpackedPage.close();
    QCOMPARE(fromPath(helpPathFor(toPath(exeDir))), QDir::cleanPath(unpacked));

    // With the copied manual (the build tree) that copy is used.
    QVERIFY(QDir().mkpath(exeDir + QStringLiteral("/help/ja")));
    const QString besideProgram = exeDir + QStringLiteral("/help/ja/index.html");
    QFile page(besideProgram);
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    QCOMPARE(fromPath(helpPathFor(toPath(exeDir))), QDir::cleanPath(besideProgram));
}

void VersionTest::helpOpensTheManualsFirstPage()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString exeDir = temp.filePath(QStringLiteral("迷路 ツール"));
    QVERIFY(QDir().mkpath(exeDir + QStringLiteral("/help/ja")));
    const QString manual = exeDir + QStringLiteral("/help/ja/index.html");
    QFile page(manual);
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();

    // Loading needs nothing here and must not greet the user with a message.
    LoadHelp();
    QCoreApplication::processEvents();
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));

    ShowHelp(nullptr, helpPathFor(toPath(exeDir)));
    QCOMPARE(catcher_.urls.size(), 1);
    QVERIFY(catcher_.urls.first().isLocalFile());
    QCOMPARE(catcher_.urls.first().toLocalFile(), QDir::cleanPath(manual));

    // The program's own call: the manual for the built executable.
    ShowHelp(nullptr, helpPathFor(toPath(QString::fromUtf8(TEST_BUILD_DIR "/app"))));
    QCOMPARE(catcher_.urls.size(), 2);
    QVERIFY(catcher_.urls.last().isLocalFile());
    QVERIFY(catcher_.urls.last().path().endsWith(QStringLiteral("/help/ja/index.html")));

    FreeHelp();
    // Released help may be loaded again (the main window may be opened anew).
    LoadHelp();
    FreeHelp();
}

void VersionTest::buildTreeHasTheManual()
{
    const QString manual = QString::fromUtf8(TEST_BUILD_DIR "/app/help/ja/index.html");
    QVERIFY2(QFile::exists(manual), "the build copies the manual next to the program");

    QCOMPARE(fromPath(helpPathFor(toPath(QString::fromUtf8(TEST_BUILD_DIR "/app")))), QDir::cleanPath(manual));
    QVERIFY(QFile::exists(QString::fromUtf8(TEST_BUILD_DIR "/app/help/en/index.html")));

    QFile page(manual);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    QVERIFY(html.contains("<html lang=\"ja\""));

    ShowHelp(nullptr, helpPathFor(toPath(QString::fromUtf8(TEST_BUILD_DIR "/app"))));
    QCOMPARE(catcher_.urls.size(), 1);
    QCOMPARE(catcher_.urls.first().toLocalFile(), QDir::cleanPath(manual));
}

QTEST_MAIN(VersionTest)
#include "version_test.moc"
