#include "Setsize.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace {

// Far outside every field's range, yet far from overflowing when stepped.
constexpr qint64 kSaturated = 1'000'000'000'000;

// The number a field's text stands for: an optional sign followed by at least
// one decimal digit, nothing else. Digit strings too long for an int saturate
// instead of failing, so a huge typed number still means "above the maximum".
std::optional<qint64> parseNumber(const QString& text)
{
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 number = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = std::min<qint64>(number * 10 + (c - u'0'), kSaturated);
    }
    return negative ? -number : number;
}

// A spin field that lets the user type any integer, in range or not, and
// corrects it only when the focus leaves: a value outside the range becomes
// the nearest limit, while empty or sign-only text is left for the reader.
// The plain QSpinBox refuses keystrokes that lead above the maximum (typing
// "25" into a 3…20 field) and puts back the previous value on focus loss.
class SizeField final : public QSpinBox {
public:
    SizeField(QWidget* parent, const QString& name, int minimum, int maximum, int value)
        : QSpinBox(parent)
    {
        setObjectName(name);
        setRange(minimum, maximum);
        setValue(value);
    }

    int clampToRange(qint64 number) const
    {
        return static_cast<int>(std::clamp<qint64>(number, minimum(), maximum()));
    }

    // Up and down start from the typed text, not from the last accepted
    // value, so stepping from "150" in a 5…100 field lands on 100.
    void stepBy(int steps) override
    {
        const qint64 base = parseNumber(text()).value_or(minimum());
        setValue(clampToRange(base + steps));
        if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this, nullptr))
            selectAll();
    }

protected:
    // Every integer text is acceptable while typing (valueFromText clamps it,
    // and focus loss writes the clamped value back); text that may still
    // become an integer is intermediate; anything else cannot be typed.
    QValidator::State validate(QString& input, int&) const override
    {
        if (parseNumber(input))
            return QValidator::Acceptable;
        const bool signOnly = input.size() == 1 && (input.front() == u'+' || input.front() == u'-');
        return input.isEmpty() || signOnly ? QValidator::Intermediate : QValidator::Invalid;
    }

    int valueFromText(const QString& text) const override
    {
        const std::optional<qint64> number = parseNumber(text);
        return number ? clampToRange(*number) : minimum();
    }

    // Always ASCII digits, whatever the locale, so that the text parses back.
    QString textFromValue(int value) const override { return QString::number(value); }

    // Typed text is never rewritten behind the user's back.
    void fixup(QString&) const override { }

    StepEnabled stepEnabled() const override
    {
        if (isReadOnly())
            return StepNone;
        const std::optional<qint64> number = parseNumber(text());
        if (!number)
            return StepUpEnabled | StepDownEnabled;
        StepEnabled enabled = StepNone;
        if (clampToRange(*number + 1) != *number)
            enabled |= StepUpEnabled;
        if (clampToRange(*number - 1) != *number)
            enabled |= StepDownEnabled;
        return enabled;
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        keepingUnparsableText([&] { QSpinBox::focusOutEvent(event); });
    }

    // QAbstractSpinBox also puts back the previous value when hidden; the
    // dialog hides before the main window reads the fields.
    void hideEvent(QHideEvent* event) override
    {
        keepingUnparsableText([&] { QSpinBox::hideEvent(event); });
    }

private:
    // QAbstractSpinBox replaces text that is not a complete number with the
    // previous value when it loses the focus or is hidden. Empty or sign-only
    // text is kept instead: reading the field turns it into the minimum.
    template <typename Handler>
    void keepingUnparsableText(Handler&& handler)
    {
        const QString typed = text();
        handler();
        if (!parseNumber(typed) && text() != typed)
            lineEdit()->setText(typed);
    }
};

QLabel* makeCaptionPanel(QWidget* parent, const QString& name, int y)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setGeometry(24, y, 81, 25);
    return panel;
}

// The field's text as a number within its range: a non-integer text reads as
// the minimum. The field then shows the value delivered.
int readField(QSpinBox* field)
{
    const std::optional<qint64> number = parseNumber(field->text());
    const int value = number
        ? static_cast<int>(std::clamp<qint64>(*number, field->minimum(), field->maximum()))
        : field->minimum();
    field->setValue(value);
    return value;
}

} // namespace

TFSetSize::TFSetSize(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FSetSize"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(212, 156);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 0, 209, 121);

    Panel2 = makeCaptionPanel(Panel1, QStringLiteral("Panel2"), 16);
    SEWidth = new SizeField(Panel1, QStringLiteral("SEWidth"), 5, 100, 30);
    SEWidth->setGeometry(112, 16, 73, 21);

    Panel3 = makeCaptionPanel(Panel1, QStringLiteral("Panel3"), 48);
    SEHeight = new SizeField(Panel1, QStringLiteral("SEHeight"), 5, 100, 30);
    SEHeight->setGeometry(112, 48, 73, 21);

    Panel4 = makeCaptionPanel(Panel1, QStringLiteral("Panel4"), 80);
    SEGridSize = new SizeField(Panel1, QStringLiteral("SEGridSize"), 3, 20, 5);
    SEGridSize->setGeometry(112, 80, 73, 21);

    BtOK = new QPushButton(this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setGeometry(16, 128, 75, 25);
    BtOK->setDefault(true);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);

    BtCancel = new QPushButton(this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    BtCancel->setGeometry(120, 128, 75, 25);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(SEWidth, SEHeight);
    setTabOrder(SEHeight, SEGridSize);
    setTabOrder(SEGridSize, BtOK);
    setTabOrder(BtOK, BtCancel);

    for (QWidget* control : { static_cast<QWidget*>(SEWidth), static_cast<QWidget*>(SEHeight),
             static_cast<QWidget*>(SEGridSize), static_cast<QWidget*>(BtOK),
             static_cast<QWidget*>(BtCancel) })
        control->installEventFilter(this);
    retranslateUi();
}

void TFSetSize::retranslateUi()
{
    setWindowTitle(tr("新規作成"));
    Panel2->setText(tr("横幅"));
    Panel3->setText(tr("縦幅"));
    Panel4->setText(tr("グリッドサイズ"));
    BtOK->setText(tr("OK"));
    BtCancel->setText(tr("Cancel"));
}

void TFSetSize::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

bool TFSetSize::AskSize(int width, int height, int gridSize)
{
    // QSpinBox::setValue clamps to the range and rewrites the text even when
    // the value is unchanged, which clears anything left from the last use.
    SEWidth->setValue(width);
    SEHeight->setValue(height);
    SEGridSize->setValue(gridSize);
    return exec() == QDialog::Accepted;
}

int TFSetSize::ReadWidth()
{
    return readField(SEWidth);
}

int TFSetSize::ReadHeight()
{
    return readField(SEHeight);
}

int TFSetSize::ReadGridSize()
{
    return readField(SEGridSize);
}

void TFSetSize::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only when the program shows the dialog, not when the window system
    // restores it from being minimised.
    if (event->spontaneous())
        return;
    SEWidth->setFocus(Qt::OtherFocusReason);
    SEWidth->selectAll();
}

bool TFSetSize::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            BtOK->click();
            return true;
        case Qt::Key_Escape:
            BtCancel->click();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
