#include "Seed.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <limits>

TFSeed::TFSeed(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FSeed"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    LbSeed = new QLabel(this);
    LbSeed->setObjectName(QStringLiteral("LbSeed"));
    EdSeed = new QLineEdit(this);
    EdSeed->setObjectName(QStringLiteral("EdSeed"));
    // Up to ten digits; ReadSeed refuses what is beyond 32 bits.
    EdSeed->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), EdSeed));
    EdSeed->setMinimumWidth(110);
    LbSeed->setBuddy(EdSeed);
    LbNote = new QLabel(this);
    LbNote->setObjectName(QStringLiteral("LbNote"));

    BtOK = new QPushButton(this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    BtCancel = new QPushButton(this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    // OK only while the field holds a number the source can take.
    connect(EdSeed, &QLineEdit::textChanged, this, [this] { BtOK->setEnabled(ReadSeed().has_value()); });

    auto* field = new QHBoxLayout;
    field->addWidget(LbSeed);
    field->addWidget(EdSeed, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtOK);
    buttons->addWidget(BtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addWidget(LbNote);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    retranslateUi();
}

void TFSeed::retranslateUi()
{
    setWindowTitle(tr("乱数の種"));
    LbSeed->setText(tr("乱数の種(&S):"));
    LbNote->setText(tr("同じ道、同じ迷路の種類、同じ種からは同じ迷路ができます。\n"
                       "種は 0 ～ 4294967295 の数です。"));
    BtOK->setText(tr("OK"));
    BtCancel->setText(tr("キャンセル"));
}

void TFSeed::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void TFSeed::ShowSeed(std::uint32_t seed)
{
    EdSeed->setText(QString::number(seed));
    EdSeed->selectAll();
    EdSeed->setFocus(Qt::OtherFocusReason);
}

std::optional<std::uint32_t> TFSeed::ReadSeed() const
{
    bool ok = false;
    const qulonglong value = EdSeed->text().toULongLong(&ok);
    if (!ok || value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<std::uint32_t> TFSeed::AskSeed(std::uint32_t seed)
{
    ShowSeed(seed);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return ReadSeed();
}
