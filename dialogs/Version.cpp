#include "Version.h"

#include "help_location.h"
#include "shell_open.h"
#include "zubelo_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace {

void setPixelSize(QWidget* widget, int pixels)
{
    // Only the size is set: the family stays the application's UI font.
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry, int pixels)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    setPixelSize(label, pixels);
    return label;
}

// Makes a control at least as tall as a line of its font plus `extra`, and
// a label as tall as its text asks, so that fonts taller than their pixel
// size lose no descenders.
void fitHeight(QWidget* widget, int minimum, int extra = 0)
{
    const auto* label = qobject_cast<QLabel*>(widget);
    const int text = label ? label->sizeHint().height() : 0;
    widget->resize(widget->width(), std::max({minimum, widget->fontMetrics().height() + extra, text}));
}

QString linkAddress()
{
    const QString homePage = QString::fromUtf8(ZUBELO_HOMEPAGE);
    if (!homePage.isEmpty())
        return homePage;
    // Without a home page the link opens the manual's first page.
    const std::filesystem::path exeDir(QCoreApplication::applicationDirPath().toStdU16String());
    const std::filesystem::path manual = helpPathFor(exeDir, manualLanguage());
    return QUrl::fromLocalFile(QString::fromStdU16String(manual.u16string())).toString();
}

} // namespace

TFVersion::TFVersion(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FVersion"));
    setModal(false);
    setFixedSize(304, 163);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 64, 64);

    Image1 = new QLabel(panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 32, 32);
    // An empty picture (resource missing) just leaves the label blank.
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/zubelo.svg")).pixmap(32, 32));

    // The labels reach to the right edge so that a wider UI font still fits.
    LbVersion = makeLabel(this, QStringLiteral("LbVersion"), QString(), QRect(96, 16, 200, 20), 16);
    // The author's name, the same in every language.
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Zubelo project"),
                       QRect(96, 40, 200, 24), 19);
    // Between the author line and the e-mail row, in the UI font's own size.
    LbLicense = makeLabel(this, QStringLiteral("LbLicense"), QString(), QRect(96, 64, 200, 16), 12);
    Label2 = makeLabel(this, QStringLiteral("Label2"), QString(), QRect(16, 80, 70, 18), 16);

    EdEMAIL = new QLineEdit(QString::fromUtf8(ZUBELO_EMAIL), this);
    EdEMAIL->setObjectName(QStringLiteral("EdEMAIL"));
    EdEMAIL->setGeometry(88, 80, 145, 18);
    EdEMAIL->setFrame(false);
    setPixelSize(EdEMAIL, 16);
    // Button-face background: it reads like a label whose text can be copied.
    QPalette editPalette = EdEMAIL->palette();
    editPalette.setColor(QPalette::Base, editPalette.color(QPalette::Window));
    EdEMAIL->setPalette(editPalette);

    LbURL = makeLabel(this, QStringLiteral("LbURL"), QString(), QRect(32, 112, 242, 16), 16);
    QPalette linkPalette = LbURL->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    LbURL->setPalette(linkPalette);
    LbURL->setCursor(Qt::PointingHandCursor);

    BtOK = new QPushButton(this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setGeometry(120, 136, 75, 25);
    BtOK->setDefault(true);
    connect(BtOK, &QPushButton::clicked, this, &QWidget::hide);

    retranslateUi();

    // Key preview: the dialog sees Enter and Esc before any of its controls.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void TFVersion::retranslateUi()
{
    setWindowTitle(tr("Zubelo - About"));
    LbVersion->setText(tr("Zubelo - Ver 1.01"));
    // The licence the program is given under, with its full name in the tool tip.
    LbLicense->setText(tr("License: GNU GPL v3 or later"));
    LbLicense->setToolTip(tr("GNU General Public License, version 3 or later (GPL-3.0-or-later)"));
    Label2->setText(tr("E-MAIL:"));
    BtOK->setText(tr("OK"));
    // Without a home page the link opens the manual, in the language shown.
    address_ = linkAddress();
    LbURL->setToolTip(address_);
    fitToFonts();
}

void TFVersion::fitToFonts()
{
    // A long address (a file URL deep in the file system) is shortened in
    // the middle; the full one stays in the tool tip. The label draws a
    // glyph's overhang beyond its advance, so shorter still until the label
    // has room for all of it.
    for (int room = LbURL->width(); room > 0; room -= 2) {
        LbURL->setText(LbURL->fontMetrics().elidedText(address_, Qt::ElideMiddle, room));
        if (LbURL->sizeHint().width() <= LbURL->width())
            break;
    }
    // The positions are fixed; only the heights follow the fonts.
    fitHeight(LbVersion, 20);
    fitHeight(Label1, 24);
    fitHeight(LbLicense, 16);
    fitHeight(Label2, 18);
    fitHeight(EdEMAIL, 18, 2);
    fitHeight(LbURL, 16);
}

void TFVersion::LbURLClick()
{
    // Where nothing can open it, the user learns what it was: the manual's
    // file, or the address.
    if (openAddress(reinterpret_cast<void*>(winId()), address_.toStdString()))
        return;
    const QUrl url(address_);
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QCoreApplication::translate("TFMain", "Failed to open File ")
                        + (url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : address_),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool TFVersion::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            hide();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (watched == LbURL) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && LbURL->rect().contains(mouse->position().toPoint())) {
                LbURLClick();
                return true;
            }
        }
        break;
    case QEvent::FontChange:
        // The application's font may change after the dialog was made.
        if (watched != this)
            fitToFonts();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool TFVersion::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        hide();
    return QDialog::event(event);
}

void TFVersion::changeEvent(QEvent* event)
{
    // Another window became active: the dialog goes away instead of staying
    // behind it.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        hide();
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}
