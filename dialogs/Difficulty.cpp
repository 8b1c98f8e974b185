#include "Difficulty.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFDifficulty::TFDifficulty(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FDifficulty"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    auto* group = new QButtonGroup(this);
    const std::pair<QRadioButton**, const char*> radios[] = {
        {&RBEasy, "RBEasy"}, {&RBMedium, "RBMedium"}, {&RBHard, "RBHard"}, {&RBFigure, "RBFigure"}};
    for (const auto& [radio, name] : radios) {
        *radio = new QRadioButton(this);
        (*radio)->setObjectName(QLatin1String(name));
        group->addButton(*radio);
    }
    SEFigure = new QSpinBox(this);
    SEFigure->setObjectName(QStringLiteral("SEFigure"));
    SEFigure->setRange(1, DifficultyGoal::MaxFigure);
    SEFigure->setSingleStep(10);
    SETries = new QSpinBox(this);
    SETries->setObjectName(QStringLiteral("SETries"));
    SETries->setRange(1, DifficultyGoal::MaxTries);
    LbTries = new QLabel(this);
    LbTries->setBuddy(SETries);
    LbNote = new QLabel(this);
    LbNote->setObjectName(QStringLiteral("LbNote"));
    LbNote->setWordWrap(true);
    // The figure's field counts only while it is chosen.
    connect(RBFigure, &QRadioButton::toggled, SEFigure, &QSpinBox::setEnabled);

    BtOK = new QPushButton(this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    BtCancel = new QPushButton(this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* choices = new QGridLayout;
    choices->addWidget(RBEasy, 0, 0, 1, 2);
    choices->addWidget(RBMedium, 1, 0, 1, 2);
    choices->addWidget(RBHard, 2, 0, 1, 2);
    choices->addWidget(RBFigure, 3, 0);
    choices->addWidget(SEFigure, 3, 1);
    choices->addWidget(LbTries, 4, 0);
    choices->addWidget(SETries, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtOK);
    buttons->addWidget(BtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(LbNote);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ShowGoal(DifficultyGoal{DifficultyGrade::Medium}, QString());
}

void TFDifficulty::retranslateUi()
{
    setWindowTitle(tr("難しさを選んで作る"));
    RBEasy->setText(tr("やさしい(&E)　探す道のり %1 マス未満").arg(EasyBelow));
    RBMedium->setText(tr("ふつう(&M)　%1〜%2 マス").arg(EasyBelow).arg(HardFrom - 1));
    RBHard->setText(tr("むずかしい(&H)　%1 マス以上").arg(HardFrom));
    RBFigure->setText(tr("探す道のりを指定(&F):"));
    SEFigure->setSuffix(tr(" マス"));
    LbTries->setText(tr("作る迷路の数(&N):"));
    SETries->setSuffix(tr(" 個まで"));
    LbNote->setText(tr("今の道のまわりに「%1」の迷路を作り、ねらいの範囲に入ったもの、"
                       "なければいちばん近いものを残します。")
                        .arg(style_));
    BtOK->setText(tr("作る(&O)"));
    BtCancel->setText(tr("キャンセル"));
}

void TFDifficulty::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void TFDifficulty::ShowGoal(const DifficultyGoal& goal, const QString& style)
{
    style_ = style;
    QRadioButton* chosen = RBFigure;
    if (goal.grade)
        chosen = *goal.grade == DifficultyGrade::Easy ? RBEasy : *goal.grade == DifficultyGrade::Medium ? RBMedium : RBHard;
    chosen->setChecked(true);
    // The cursor keys move the choice.
    chosen->setFocus(Qt::OtherFocusReason);
    SEFigure->setEnabled(chosen == RBFigure);
    SEFigure->setValue(goal.figure > 0 ? goal.figure : EasyBelow + (HardFrom - EasyBelow) / 2);
    SETries->setValue(goal.tries);
    retranslateUi();
}

DifficultyGoal TFDifficulty::ReadGoal() const
{
    DifficultyGoal goal;
    if (RBEasy->isChecked())
        goal.grade = DifficultyGrade::Easy;
    else if (RBMedium->isChecked())
        goal.grade = DifficultyGrade::Medium;
    else if (RBHard->isChecked())
        goal.grade = DifficultyGrade::Hard;
    // The figure is kept with a grade too, for the next time.
    goal.figure = SEFigure->value();
    goal.tries = SETries->value();
    return goal;
}

std::optional<DifficultyGoal> TFDifficulty::AskGoal(const DifficultyGoal& goal, const QString& style)
{
    ShowGoal(goal, style);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return ReadGoal();
}
