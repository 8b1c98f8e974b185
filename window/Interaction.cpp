#include "Interaction.h"

#include "Seed.h"
#include "Setsize.h"
#include "Underlay.h"
#include "UnderlayTexts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

QStringList nameFiltersOf(const QString& filter)
{
    // "Maze Files (*.maz)|*.maz|All Files (*.*) |*.*": labels and patterns
    // alternate. Qt reads the patterns from the parentheses of the label, so
    // each entry becomes "label (patterns)".
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; elsewhere it would hide names
        // without a dot.
        if (patterns == QStringLiteral("*.*")) {
            patterns = QStringLiteral("*");
            label.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        }
#endif
        const QString inParentheses = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (!label.endsWith(inParentheses))
            label += QLatin1Char(' ') + inParentheses;
        out << label;
    }
    return out;
}

QtInteraction::QtInteraction(TFSetSize* sizeDialog)
    : sizeDialog_(sizeDialog)
{
}

QtInteraction::~QtInteraction() = default;

namespace {

// The question boxes' own texts, in the interface's language.
QString boxText(const char* source)
{
    return QCoreApplication::translate("Interaction", source);
}

const char* const ButtonYes = QT_TRANSLATE_NOOP("Interaction", "はい(&Y)");
const char* const ButtonNo = QT_TRANSLATE_NOOP("Interaction", "いいえ(&N)");
const char* const ButtonCancel = QT_TRANSLATE_NOOP("Interaction", "キャンセル");
const char* const TitleWarning = QT_TRANSLATE_NOOP("Interaction", "警告");

Interaction::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Interaction::Answer::Yes;
    case QMessageBox::No:
        return Interaction::Answer::No;
    default:
        return Interaction::Answer::Cancel;
    }
}

} // namespace

Interaction::Answer QtInteraction::askYesNoCancel(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, boxText(TitleWarning), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    // The button texts are set here, not left to the locale.
    box.button(QMessageBox::Yes)->setText(boxText(ButtonYes));
    box.button(QMessageBox::No)->setText(boxText(ButtonNo));
    box.button(QMessageBox::Cancel)->setText(boxText(ButtonCancel));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    return answerOf(box.exec());
}

Interaction::Answer QtInteraction::askYesNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(boxText(ButtonYes));
    box.button(QMessageBox::No)->setText(boxText(ButtonNo));
    box.setDefaultButton(QMessageBox::Yes);
    return answerOf(box.exec());
}

bool QtInteraction::askChoice(QWidget* parent, const QString& text, const QString& accept, const QString& reject)
{
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), text, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(accept, QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(reject, QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

namespace {

// Qt's own file dialog (the one used where the desktop offers none) reads a
// typed name with a '"' in it as a list of quoted names: `my"maze.maz` comes
// back as "maze.maz", in whatever folder that means. Only one file is ever
// chosen here, so such a typed name is taken exactly as typed, with the same
// folder, default suffix and question before replacing as Qt's own handling.
// Desktop dialogs hand back the name as typed and pass through untouched.
class ExactNameDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // The name taken as typed, when Qt's reading of it was bypassed.
    std::optional<QString> typed;

    void accept() override
    {
        auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit || !edit->text().contains(QLatin1Char('"'))) {
            QFileDialog::accept();
            return;
        }
        QString text = edit->text();
        if (text.startsWith(QStringLiteral("~/")))
            text = QDir::homePath() + text.mid(1);
        const QFileInfo chosen(directory().absoluteFilePath(text));
        if (chosen.isDir()) {
            setDirectory(chosen.absoluteFilePath());
            edit->clear();
            return;
        }
        QString name = chosen.absoluteFilePath();
        if (!defaultSuffix().isEmpty() && !chosen.fileName().contains(QLatin1Char('.')))
            name += QLatin1Char('.') + defaultSuffix();
        const QFileInfo file(name);
        if (acceptMode() == AcceptSave && file.exists()) {
            QMessageBox replace(QMessageBox::Warning, windowTitle(),
                                QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(file.fileName()),
                                QMessageBox::Yes | QMessageBox::No, this);
            replace.setTextFormat(Qt::PlainText); // a name is never markup
            replace.setDefaultButton(QMessageBox::No);
            if (replace.exec() != QMessageBox::Yes)
                return;
        }
        typed = name;
        QDialog::accept();
    }
};

std::optional<QString> runFileDialog(QWidget* parent, const Interaction::FileDialogSetup& setup,
                                     QFileDialog::AcceptMode mode)
{
    ExactNameDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // The open dialog lets a typed name of a missing file through: the
    // loader reports it like any other file it cannot read.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFiltersOf(setup.filter));
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.folder.isEmpty())
        dialog.setDirectory(setup.folder);
    if (!setup.initialName.isEmpty())
        dialog.selectFile(setup.initialName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (dialog.typed)
        return dialog.typed;
    if (dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtInteraction::askOpenFileName(QWidget* parent, const FileDialogSetup& setup)
{
    return runFileDialog(parent, setup, QFileDialog::AcceptOpen);
}

std::optional<QString> QtInteraction::askSaveFileName(QWidget* parent, const FileDialogSetup& setup)
{
    return runFileDialog(parent, setup, QFileDialog::AcceptSave);
}

void QtInteraction::showMessage(QWidget* parent, MessageKind kind, const QString& text)
{
    const QMessageBox::Icon icon = kind == MessageKind::Warning ? QMessageBox::Warning
        : kind == MessageKind::Error                            ? QMessageBox::Critical
                                                                : QMessageBox::NoIcon;
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    // Messages hold file names and restored texts: shown as they are, never
    // read as markup (an <img> of /dev/zero would be loaded without end).
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<Interaction::NewSize> QtInteraction::askNewSize(QWidget*, int width, int height, int gridSize)
{
    if (!sizeDialog_ || !sizeDialog_->AskSize(width, height, gridSize))
        return std::nullopt;
    // The cell size is read first, then width and height.
    const int grid = sizeDialog_->ReadGridSize();
    const int w = sizeDialog_->ReadWidth();
    const int h = sizeDialog_->ReadHeight();
    return NewSize{w, h, grid};
}

std::optional<std::uint32_t> QtInteraction::askSeed(QWidget* parent, std::uint32_t seed)
{
    TFSeed dialog(parent);
    return dialog.AskSeed(seed);
}

std::optional<int> QtInteraction::askUnderlayStrength(QWidget* parent, int percent)
{
    bool ok = false;
    const int chosen = QInputDialog::getInt(parent, UnderlayTexts::text(UnderlayTexts::StrengthTitle),
                                            UnderlayTexts::text(UnderlayTexts::StrengthLabel), percent,
                                            Underlay::MinStrength, Underlay::MaxStrength, 5, &ok);
    return ok ? std::optional<int>(chosen) : std::nullopt;
}
