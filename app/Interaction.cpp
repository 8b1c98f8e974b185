#include "Interaction.h"

#include "Seed.h"
#include "Setsize.h"

#include <QFileDialog>
#include <QGuiApplication>
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

Interaction::Answer QtInteraction::askYesNoCancel(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("Interaction", "警告"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    // The button texts are the program's own, in the interface's language.
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("Interaction", "はい(&Y)"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("Interaction", "いいえ(&N)"));
    box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("Interaction", "キャンセル"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const Interaction::FileDialogSetup& setup,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
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
