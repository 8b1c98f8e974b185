#include "Setsize.h"
#include "language_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

QSpinBox* field(TFSetSize& dialog, const QString& name)
{
    return dialog.findChild<QSpinBox*>(name);
}

QString focusName()
{
    const QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

// Shows the dialog through AskSize and runs `drive` once it is active.
// Whatever `drive` does, the dialog cannot stay open: if it is still shown
// when `drive` returns, or after five seconds, it is rejected and the test
// fails.
bool askWhile(TFSetSize& dialog, int width, int height, int gridSize,
    const std::function<void()>& drive)
{
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&] {
        timedOut = true;
        dialog.reject();
    });
    watchdog.start(5000);

    bool leftOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowActive(&dialog, 2000))
            drive();
        if (dialog.isVisible()) {
            leftOpen = true;
            dialog.reject();
        }
    });
    const bool accepted = dialog.AskSize(width, height, gridSize);
    watchdog.stop();
    if (timedOut)
        QTest::qFail("the dialog was still open after 5 s", __FILE__, __LINE__);
    else if (leftOpen)
        QTest::qFail("the dialog was still open after the test drove it (or never became active)", __FILE__, __LINE__);
    return accepted;
}

// Focuses `target` as Tab would and replaces its text by typing `text`.
void typeInto(QSpinBox* target, const QString& text)
{
    QVERIFY(target);
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), target->objectName());
    target->selectAll();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

int readField(TFSetSize& dialog, const QString& name)
{
    if (name == QStringLiteral("SEWidth"))
        return dialog.ReadWidth();
    if (name == QStringLiteral("SEHeight"))
        return dialog.ReadHeight();
    return dialog.ReadGridSize();
}

} // namespace

class SetsizeTest : public QObject {
    Q_OBJECT

private slots:
    void formLayout()
    {
        TFSetSize dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("新規作成"));
        QCOMPARE(dialog.size(), QSize(212, 156));
        QCOMPARE(dialog.minimumSize(), QSize(212, 156));
        QCOMPARE(dialog.maximumSize(), QSize(212, 156));

        const auto* panel = dialog.findChild<QFrame*>(QStringLiteral("Panel1"));
        QVERIFY(panel);
        QCOMPARE(panel->geometry(), QRect(0, 0, 209, 121));

        const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BtOK"));
        const auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("BtCancel"));
        QVERIFY(ok && ok == dialog.BtOK);
        QVERIFY(cancel && cancel == dialog.BtCancel);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(ok->geometry(), QRect(16, 128, 75, 25));
        QCOMPARE(cancel->geometry(), QRect(120, 128, 75, 25));
    }

    // Each caption is shown whole in its fixed place, in either language
    // and its font.
    void captionsFit_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("captions"); // title, the three rows, OK, Cancel
        QTest::newRow("Japanese") << false
                                  << QStringList{QStringLiteral("新規作成"), QStringLiteral("横幅"), QStringLiteral("縦幅"),
                                                 QStringLiteral("グリッドサイズ"), QStringLiteral("OK"),
                                                 QStringLiteral("Cancel")};
        QTest::newRow("English") << true
                                 << QStringList{QStringLiteral("New Maze"), QStringLiteral("Width"),
                                                QStringLiteral("Height"), QStringLiteral("Grid size"),
                                                QStringLiteral("OK"), QStringLiteral("Cancel")};
    }

    void captionsFit()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, captions);
        const ShownIn language(english ? Language::Ui::English : Language::Ui::Japanese);
        TFSetSize dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QStringList shown{dialog.windowTitle()};
        for (const char* name : {"Panel2", "Panel3", "Panel4"}) {
            const QLabel* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY(label);
            shown << label->text();
            const QSize room = label->contentsRect().size();
            QVERIFY2(label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height(),
                     qPrintable(label->text()));
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= room.width(), qPrintable(label->text()));
        }
        for (const QPushButton* button : {dialog.BtOK, dialog.BtCancel}) {
            shown << button->text();
            QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width());
        }
        QCOMPARE(shown, captions);
        QCOMPARE(dialog.size(), QSize(212, 156));
    }

    void rows_data()
    {
        QTest::addColumn<QString>("labelName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("initial");
        QTest::newRow("width") << QStringLiteral("Panel2") << QStringLiteral("横幅")
                               << QStringLiteral("SEWidth") << 16 << 5 << 100 << 30;
        QTest::newRow("height") << QStringLiteral("Panel3") << QStringLiteral("縦幅")
                                << QStringLiteral("SEHeight") << 48 << 5 << 100 << 30;
        QTest::newRow("grid size") << QStringLiteral("Panel4") << QStringLiteral("グリッドサイズ")
                                   << QStringLiteral("SEGridSize") << 80 << 3 << 20 << 5;
    }

    void rows()
    {
        QFETCH(QString, labelName);
        QFETCH(QString, caption);
        QFETCH(QString, fieldName);
        QFETCH(int, y);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, initial);

        TFSetSize dialog;
        const auto* label = dialog.findChild<QLabel*>(labelName);
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        QCOMPARE(QRect(label->mapTo(&dialog, QPoint(0, 0)), label->size()), QRect(24, y, 81, 25));
        QCOMPARE(label->frameShadow(), QFrame::Sunken);
        QCOMPARE(label->alignment(), Qt::AlignCenter);

        const QSpinBox* spin = field(dialog, fieldName);
        QVERIFY(spin);
        QCOMPARE(QRect(spin->mapTo(&dialog, QPoint(0, 0)), spin->size()), QRect(112, y, 73, 21));
        QCOMPARE(spin->minimum(), minimum);
        QCOMPARE(spin->maximum(), maximum);
        QCOMPARE(spin->text(), QString::number(initial));
    }

    void tabOrder()
    {
        TFSetSize dialog;
        QStringList visited;
        askWhile(dialog, 40, 40, 10, [&] {
            for (int i = 0; i < 5; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited << focusName();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QCOMPARE(visited, (QStringList { QStringLiteral("SEHeight"), QStringLiteral("SEGridSize"),
                              QStringLiteral("BtOK"), QStringLiteral("BtCancel"), QStringLiteral("SEWidth") }));
    }

    void presets_data()
    {
        QTest::addColumn<QList<int>>("asked");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("in range") << QList<int> { 40, 40, 10 } << QList<int> { 40, 40, 10 };
        QTest::newRow("above") << QList<int> { 250, 101, 25 } << QList<int> { 100, 100, 20 };
        QTest::newRow("below") << QList<int> { -3, 0, 2 } << QList<int> { 5, 5, 3 };
        QTest::newRow("limits") << QList<int> { 5, 100, 3 } << QList<int> { 5, 100, 3 };
    }

    void presets()
    {
        QFETCH(QList<int>, asked);
        QFETCH(QList<int>, shown);

        TFSetSize dialog;
        const QList<QSpinBox*> fields { dialog.SEWidth, dialog.SEHeight, dialog.SEGridSize };
        QStringList whileOpen;
        const bool accepted = askWhile(dialog, asked[0], asked[1], asked[2], [&] {
            for (const QSpinBox* spin : fields)
                whileOpen << spin->text();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QVERIFY(!accepted);
        QStringList expected;
        for (int value : shown)
            expected << QString::number(value);
        QCOMPARE(whileOpen, expected);
        // Hidden, the dialog keeps its values for the next use.
        QCOMPARE((QList<int> { dialog.ReadWidth(), dialog.ReadHeight(), dialog.ReadGridSize() }), shown);
    }

    void focusGoesToWidthOnEveryShow()
    {
        TFSetSize dialog;
        askWhile(dialog, 40, 41, 10, [&] {
            QCOMPARE(focusName(), QStringLiteral("SEWidth"));
            QCOMPARE(dialog.SEWidth->findChild<QLineEdit*>()->selectedText(), QStringLiteral("40"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusName(), QStringLiteral("SEGridSize"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });

        const bool accepted = askWhile(dialog, 12, 13, 14, [&] {
            QCOMPARE(focusName(), QStringLiteral("SEWidth"));
            QCOMPARE(dialog.SEWidth->findChild<QLineEdit*>()->selectedText(), QStringLiteral("12"));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
            QCOMPARE(dialog.SEWidth->text(), QStringLiteral("7"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QVERIFY(accepted);
        QCOMPARE(dialog.ReadWidth(), 7);
        QCOMPARE(dialog.ReadHeight(), 13);
        QCOMPARE(dialog.ReadGridSize(), 14);
    }

    void closing_data()
    {
        // key 0 stands for a mouse click on the target.
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Return in SEWidth") << QStringLiteral("SEWidth") << int(Qt::Key_Return) << true;
        QTest::newRow("Return in SEHeight") << QStringLiteral("SEHeight") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter in SEGridSize") << QStringLiteral("SEGridSize") << int(Qt::Key_Enter) << true;
        // The form sees the key first: Enter means OK even on Cancel.
        QTest::newRow("Return on BtCancel") << QStringLiteral("BtCancel") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape in SEWidth") << QStringLiteral("SEWidth") << int(Qt::Key_Escape) << false;
        QTest::newRow("Escape in SEGridSize") << QStringLiteral("SEGridSize") << int(Qt::Key_Escape) << false;
        QTest::newRow("Escape on BtOK") << QStringLiteral("BtOK") << int(Qt::Key_Escape) << false;
        QTest::newRow("click OK") << QStringLiteral("BtOK") << 0 << true;
        QTest::newRow("click Cancel") << QStringLiteral("BtCancel") << 0 << false;
    }

    void closing()
    {
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(bool, accepted);

        TFSetSize dialog;
        const bool result = askWhile(dialog, 40, 40, 10, [&] {
            auto* widget = dialog.findChild<QWidget*>(target);
            QVERIFY(widget);
            if (key == 0) {
                QTest::mouseClick(widget, Qt::LeftButton);
                return;
            }
            widget->setFocus(Qt::TabFocusReason);
            QCOMPARE(focusName(), target);
            const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        });
        QCOMPARE(result, accepted);
    }

    void closeBoxCancels()
    {
        TFSetSize dialog;
        QVERIFY(!askWhile(dialog, 40, 40, 10, [&] { dialog.close(); }));
    }

    void focusLossCorrectsTypedText_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterTab");
        QTest::newRow("height 0") << QStringLiteral("SEHeight") << QStringLiteral("0")
                                  << QStringLiteral("0") << QStringLiteral("5");
        QTest::newRow("height 150") << QStringLiteral("SEHeight") << QStringLiteral("150")
                                    << QStringLiteral("150") << QStringLiteral("100");
        QTest::newRow("grid 25") << QStringLiteral("SEGridSize") << QStringLiteral("25")
                                 << QStringLiteral("25") << QStringLiteral("20");
        QTest::newRow("width -7") << QStringLiteral("SEWidth") << QStringLiteral("-7")
                                  << QStringLiteral("-7") << QStringLiteral("5");
        QTest::newRow("width in range") << QStringLiteral("SEWidth") << QStringLiteral("42")
                                        << QStringLiteral("42") << QStringLiteral("42");
        QTest::newRow("letters refused") << QStringLiteral("SEWidth") << QStringLiteral("4x 2")
                                         << QStringLiteral("42") << QStringLiteral("42");
        QTest::newRow("empty kept") << QStringLiteral("SEGridSize") << QString()
                                    << QString() << QString();
        QTest::newRow("sign kept") << QStringLiteral("SEHeight") << QStringLiteral("-")
                                   << QStringLiteral("-") << QStringLiteral("-");
    }

    void focusLossCorrectsTypedText()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, afterTab);

        TFSetSize dialog;
        QSpinBox* spin = field(dialog, fieldName);
        QString shownWhileTyping;
        askWhile(dialog, 40, 40, 10, [&] {
            typeInto(spin, keys);
            shownWhileTyping = spin->text();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(!spin->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QCOMPARE(shownWhileTyping, typed);
        QCOMPARE(spin->text(), afterTab);
    }

    void readsStayInRange_data()
    {
        // key 0 stands for a mouse click on BtOK.
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("read");
        QTest::newRow("grid 25, Enter") << QStringLiteral("SEGridSize") << QStringLiteral("25") << int(Qt::Key_Return) << 20;
        QTest::newRow("width 0, Enter") << QStringLiteral("SEWidth") << QStringLiteral("0") << int(Qt::Key_Return) << 5;
        QTest::newRow("width -30, Enter") << QStringLiteral("SEWidth") << QStringLiteral("-30") << int(Qt::Key_Return) << 5;
        QTest::newRow("height 1000, keypad Enter") << QStringLiteral("SEHeight") << QStringLiteral("1000") << int(Qt::Key_Enter) << 100;
        QTest::newRow("width 2^32, Enter") << QStringLiteral("SEWidth") << QStringLiteral("4294967296") << int(Qt::Key_Return) << 100;
        QTest::newRow("width beyond int64, Enter") << QStringLiteral("SEWidth") << QStringLiteral("99999999999999999999") << int(Qt::Key_Return) << 100;
        QTest::newRow("height far below, Enter") << QStringLiteral("SEHeight") << QStringLiteral("-99999999999999999999") << int(Qt::Key_Return) << 5;
        QTest::newRow("grid empty, click OK") << QStringLiteral("SEGridSize") << QString() << 0 << 3;
        QTest::newRow("grid empty, Enter") << QStringLiteral("SEGridSize") << QString() << int(Qt::Key_Return) << 3;
        QTest::newRow("height sign only, Enter") << QStringLiteral("SEHeight") << QStringLiteral("+") << int(Qt::Key_Return) << 5;
        QTest::newRow("height in range, click OK") << QStringLiteral("SEHeight") << QStringLiteral("77") << 0 << 77;
    }

    void readsStayInRange()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, keys);
        QFETCH(int, key);
        QFETCH(int, read);

        TFSetSize dialog;
        QSpinBox* spin = field(dialog, fieldName);
        const bool accepted = askWhile(dialog, 40, 41, 10, [&] {
            typeInto(spin, keys);
            if (key == 0) {
                QTest::mouseClick(dialog.BtOK, Qt::LeftButton);
            } else {
                const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
            }
        });
        QVERIFY(accepted);
        QCOMPARE(readField(dialog, fieldName), read);
        QCOMPARE(spin->text(), QString::number(read));
        // The other fields are untouched.
        QCOMPARE(dialog.ReadWidth(), fieldName == QStringLiteral("SEWidth") ? read : 40);
        QCOMPARE(dialog.ReadHeight(), fieldName == QStringLiteral("SEHeight") ? read : 41);
        QCOMPARE(dialog.ReadGridSize(), fieldName == QStringLiteral("SEGridSize") ? read : 10);
    }

    // The main window may read while the typed text is still uncorrected:
    // the read itself keeps the value within the range.
    void readWithoutFocusChange_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("read");
        QTest::newRow("grid 25") << QStringLiteral("SEGridSize") << QStringLiteral("25") << 20;
        QTest::newRow("width 0") << QStringLiteral("SEWidth") << QStringLiteral("0") << 5;
        QTest::newRow("height 4294967296") << QStringLiteral("SEHeight") << QStringLiteral("4294967296") << 100;
        QTest::newRow("grid empty") << QStringLiteral("SEGridSize") << QString() << 3;
        QTest::newRow("width sign only") << QStringLiteral("SEWidth") << QStringLiteral("-") << 5;
    }

    void readWithoutFocusChange()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, keys);
        QFETCH(int, read);

        TFSetSize dialog;
        QSpinBox* spin = field(dialog, fieldName);
        askWhile(dialog, 40, 40, 10, [&] {
            typeInto(spin, keys);
            QCOMPARE(spin->text(), keys);
            QCOMPARE(readField(dialog, fieldName), read);
            QCOMPARE(spin->text(), QString::number(read));
            QVERIFY(spin->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
    }

    // The text must parse back whatever digits the locale would write.
    void asciiDigitsInAnyLocale()
    {
        TFSetSize dialog;
        dialog.setLocale(QLocale(QLocale::Arabic, QLocale::Egypt));
        QVERIFY(!dialog.SEWidth->locale().toString(40).contains(QStringLiteral("40")));
        askWhile(dialog, 40, 41, 12, [&] {
            QCOMPARE(dialog.SEHeight->text(), QStringLiteral("41"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(dialog.ReadWidth(), 41);
        QCOMPARE(dialog.ReadHeight(), 41);
        QCOMPARE(dialog.ReadGridSize(), 12);
    }

    void stepping_data()
    {
        // The dialog is preset to width 100, height 5, grid size 10. A null
        // `keys` leaves the preset; otherwise the text is typed first.
        // key 0 / 1 stand for a click on the up / down arrow button.
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up at maximum") << QStringLiteral("SEWidth") << QString() << int(Qt::Key_Up) << QStringLiteral("100");
        QTest::newRow("down from maximum") << QStringLiteral("SEWidth") << QString() << int(Qt::Key_Down) << QStringLiteral("99");
        QTest::newRow("down at minimum") << QStringLiteral("SEHeight") << QString() << int(Qt::Key_Down) << QStringLiteral("5");
        QTest::newRow("up from minimum") << QStringLiteral("SEHeight") << QString() << int(Qt::Key_Up) << QStringLiteral("6");
        QTest::newRow("up inside") << QStringLiteral("SEGridSize") << QString() << int(Qt::Key_Up) << QStringLiteral("11");
        QTest::newRow("up from typed 150") << QStringLiteral("SEHeight") << QStringLiteral("150") << int(Qt::Key_Up) << QStringLiteral("100");
        QTest::newRow("down from typed 150") << QStringLiteral("SEHeight") << QStringLiteral("150") << int(Qt::Key_Down) << QStringLiteral("100");
        QTest::newRow("up from typed 7") << QStringLiteral("SEWidth") << QStringLiteral("7") << int(Qt::Key_Up) << QStringLiteral("8");
        QTest::newRow("up from empty") << QStringLiteral("SEGridSize") << QStringLiteral("") << int(Qt::Key_Up) << QStringLiteral("4");
        QTest::newRow("up button at maximum") << QStringLiteral("SEWidth") << QString() << 0 << QStringLiteral("100");
        QTest::newRow("down button") << QStringLiteral("SEWidth") << QString() << 1 << QStringLiteral("99");
        QTest::newRow("up button") << QStringLiteral("SEGridSize") << QString() << 0 << QStringLiteral("11");
    }

    void stepping()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, keys);
        QFETCH(int, key);
        QFETCH(QString, shown);

        TFSetSize dialog;
        QSpinBox* spin = field(dialog, fieldName);
        QString afterStep;
        askWhile(dialog, 100, 5, 10, [&] {
            if (!keys.isNull()) {
                typeInto(spin, keys);
            } else {
                spin->setFocus(Qt::TabFocusReason);
            }
            if (key == 0 || key == 1) {
                QStyleOptionSpinBox option;
                option.initFrom(spin);
                option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame
                    | QStyle::SC_SpinBoxEditField;
                option.buttonSymbols = spin->buttonSymbols();
                option.frame = spin->hasFrame();
                const QRect button = spin->style()->subControlRect(QStyle::CC_SpinBox, &option,
                    key == 0 ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, spin);
                QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, button.center());
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            }
            afterStep = spin->text();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QCOMPARE(afterStep, shown);
    }
};

QTEST_MAIN(SetsizeTest)
#include "setsize_test.moc"
