#include "ShapeDialog.h"

#include "ShapePictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The choices above their preview, OK and Cancel below.
void layOut(QDialog* dialog, QFormLayout* form, QWidget* preview)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(preview, 1);
    layout->addWidget(buttons);
}

// The longest side of the preview, in pixels.
constexpr int PreviewSide = 240;

const QColor OutsideColor(0xC0, 0xC0, 0xC0); // as the board's grey ring
const QColor InsideColor(Qt::white);

// The figures in the order of AllShapePresets, then the text.
const char* const PresetTexts[] = {
    QT_TRANSLATE_NOOP("TFShape", "円"),     QT_TRANSLATE_NOOP("TFShape", "ハート"),
    QT_TRANSLATE_NOOP("TFShape", "星"),     QT_TRANSLATE_NOOP("TFShape", "ひし形"),
    QT_TRANSLATE_NOOP("TFShape", "三角形"), QT_TRANSLATE_NOOP("TFShape", "角の丸い四角"),
};
static_assert(std::size(PresetTexts) == std::size(AllShapePresets));
const char* const TextItem = QT_TRANSLATE_NOOP("TFShape", "文字");

const char* const ShapeTitle = QT_TRANSLATE_NOOP("TFShape", "形を選ぶ");
const char* const KindLabel = QT_TRANSLATE_NOOP("TFShape", "形(&S):");
const char* const TextLabel = QT_TRANSLATE_NOOP("TFShape", "文字(&T):");
const char* const RoomLabel = QT_TRANSLATE_NOOP("TFShape", "中央の部屋(&R):");
const char* const RoomNone = QT_TRANSLATE_NOOP("TFShape", "なし");
const char* const RoomSuffix = QT_TRANSLATE_NOOP("TFShape", " マス");

const char* const PictureTitle = QT_TRANSLATE_NOOP("TFShapeFromPicture", "下絵から形を作る");
const char* const ThresholdLabel = QT_TRANSLATE_NOOP("TFShapeFromPicture", "濃さのしきい値(&S):");
const char* const InvertLabel = QT_TRANSLATE_NOOP("TFShapeFromPicture", "白黒を反転する(&I)");

int largestRoom(int width, int height)
{
    return std::max(0, std::min(width, height) - 2);
}

} // namespace

ShapePreview::ShapePreview(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(PreviewSide, PreviewSide);
}

void ShapePreview::setShape(const MazeShape& shape)
{
    shape_ = shape;
    const int w = shape.width();
    const int h = shape.height();
    cells_ = QImage(w + 2, h + 2, QImage::Format_RGB32);
    cells_.fill(OutsideColor);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(cells_.scanLine(y + 1)) + 1;
        for (int x = 0; x < w; ++x)
            if (shape.isInside(x, y))
                row[x] = InsideColor.rgb();
    }
    update();
}

QSize ShapePreview::sizeHint() const
{
    return {PreviewSide, PreviewSide};
}

void ShapePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (cells_.isNull())
        return;
    const double s = std::min(double(width()) / cells_.width(), double(height()) / cells_.height());
    const QSizeF size(s * cells_.width(), s * cells_.height());
    painter.drawImage(QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size), cells_);
}

MazeShape shapeOfChoice(const ShapeChoice& choice, int width, int height, const QFont& font)
{
    if (choice.kind == ShapeChoice::Kind::Preset)
        return presetShape(choice.preset, width, height, choice.centreRoom);
    MazeShape shape = shapepictures::textShape(choice.text, font, width, height);
    shape.leaveOutCentre(choice.centreRoom);
    return shape;
}

TFShape::TFShape(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr(ShapeTitle));
    CBKind = new QComboBox(this);
    CBKind->setObjectName(QStringLiteral("CBKind"));
    for (const char* preset : PresetTexts)
        CBKind->addItem(tr(preset));
    CBKind->addItem(tr(TextItem));
    EText = new QLineEdit(this);
    EText->setObjectName(QStringLiteral("EText"));
    SERoom = new QSpinBox(this);
    SERoom->setObjectName(QStringLiteral("SERoom"));
    SERoom->setSpecialValueText(tr(RoomNone));
    SERoom->setSuffix(tr(RoomSuffix));
    Preview = new ShapePreview(this);
    Preview->setObjectName(QStringLiteral("Preview"));

    auto* form = new QFormLayout;
    form->addRow(tr(KindLabel), CBKind);
    form->addRow(tr(TextLabel), EText);
    form->addRow(tr(RoomLabel), SERoom);
    layOut(this, form, Preview);

    connect(CBKind, &QComboBox::currentIndexChanged, this, &TFShape::refresh);
    connect(EText, &QLineEdit::textChanged, this, &TFShape::refresh);
    connect(SERoom, &QSpinBox::valueChanged, this, &TFShape::refresh);
}

void TFShape::ShowShape(int width, int height, const ShapeChoice& current)
{
    width_ = width;
    height_ = height;
    const QSignalBlocker blockKind(CBKind);
    const QSignalBlocker blockText(EText);
    const QSignalBlocker blockRoom(SERoom);
    const auto preset = std::find(std::begin(AllShapePresets), std::end(AllShapePresets), current.preset);
    CBKind->setCurrentIndex(current.kind == ShapeChoice::Kind::Text ? int(std::size(AllShapePresets))
                                                                    : int(preset - std::begin(AllShapePresets)));
    EText->setText(current.text);
    SERoom->setRange(0, largestRoom(width, height));
    SERoom->setValue(current.centreRoom);
    refresh();
}

ShapeChoice TFShape::choice() const
{
    ShapeChoice c;
    const int index = CBKind->currentIndex();
    if (index >= 0 && index < int(std::size(AllShapePresets))) {
        c.preset = AllShapePresets[index];
    } else {
        c.kind = ShapeChoice::Kind::Text;
    }
    c.text = EText->text();
    c.centreRoom = SERoom->value();
    return c;
}

void TFShape::refresh()
{
    const ShapeChoice c = choice();
    EText->setEnabled(c.kind == ShapeChoice::Kind::Text);
    Preview->setShape(shapeOfChoice(c, width_, height_, font()));
}

std::optional<ShapeChoice> TFShape::AskShape(int width, int height, const ShapeChoice& current)
{
    ShowShape(width, height, current);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return choice();
}

TFShapeFromPicture::TFShapeFromPicture(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr(PictureTitle));
    TBThreshold = new QSlider(Qt::Horizontal, this);
    TBThreshold->setObjectName(QStringLiteral("TBThreshold"));
    TBThreshold->setRange(1, 255);
    LThreshold = new QLabel(this);
    LThreshold->setObjectName(QStringLiteral("LThreshold"));
    LThreshold->setMinimumWidth(LThreshold->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    CBInvert = new QCheckBox(tr(InvertLabel), this);
    CBInvert->setObjectName(QStringLiteral("CBInvert"));
    Preview = new ShapePreview(this);
    Preview->setObjectName(QStringLiteral("Preview"));

    auto* threshold = new QHBoxLayout;
    threshold->addWidget(TBThreshold, 1);
    threshold->addWidget(LThreshold);
    auto* form = new QFormLayout;
    form->addRow(tr(ThresholdLabel), threshold);
    form->addRow(QString(), CBInvert);
    layOut(this, form, Preview);

    connect(TBThreshold, &QSlider::valueChanged, this, &TFShapeFromPicture::refresh);
    connect(CBInvert, &QCheckBox::toggled, this, &TFShapeFromPicture::refresh);
}

void TFShapeFromPicture::ShowSetting(const std::vector<std::uint8_t>& ink, int width, int height,
                                     const InkSetting& current)
{
    ink_ = ink;
    width_ = width;
    height_ = height;
    const QSignalBlocker blockThreshold(TBThreshold);
    const QSignalBlocker blockInvert(CBInvert);
    TBThreshold->setValue(current.threshold);
    CBInvert->setChecked(current.invert);
    refresh();
}

InkSetting TFShapeFromPicture::setting() const
{
    return {TBThreshold->value(), CBInvert->isChecked()};
}

void TFShapeFromPicture::refresh()
{
    const InkSetting s = setting();
    LThreshold->setNum(s.threshold);
    Preview->setShape(shapeFromInk(ink_, width_, height_, s.threshold, s.invert));
}

std::optional<InkSetting> TFShapeFromPicture::AskSetting(const std::vector<std::uint8_t>& ink, int width, int height,
                                                         const InkSetting& current)
{
    ShowSetting(ink, width, height, current);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return setting();
}
