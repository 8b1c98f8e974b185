#include "RouteDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The longest side of the picture, in pixels.
constexpr int PictureSide = 300;

const QColor OutsideColor(0xC0, 0xC0, 0xC0); // as the board's grey ring
const QColor InsideColor(Qt::white);
const QColor StartTint(0xF4, 0xA0, 0xA0);
const QColor GoalTint(0xA0, 0xA8, 0xF4);
const QColor StartColor(0xFF, 0x00, 0x00); // the board's start marker
const QColor GoalColor(0x00, 0x00, 0xFF);  // and its head marker

// The ready pairs in the order of RoutePresets.
const char* const PresetTexts[] = {
    QT_TRANSLATE_NOOP("TFRoute", "左上 → 右下"),
    QT_TRANSLATE_NOOP("TFRoute", "左 → 右"),
    QT_TRANSLATE_NOOP("TFRoute", "上 → 下"),
    QT_TRANSLATE_NOOP("TFRoute", "外 → 中央"),
};
static_assert(std::size(PresetTexts) == std::size(RoutePresets));
const char* const PickedText = QT_TRANSLATE_NOOP("TFRoute", "グリッドで選んだ出入口");

struct LengthItem {
    const char* text;
    int percent; // 0: the spin box's own
};
const LengthItem LengthItems[] = {
    {QT_TRANSLATE_NOOP("TFRoute", "短い"), RouteSettings::ShortPercent},
    {QT_TRANSLATE_NOOP("TFRoute", "普通"), RouteSettings::MediumPercent},
    {QT_TRANSLATE_NOOP("TFRoute", "長い"), RouteSettings::LongPercent},
    {QT_TRANSLATE_NOOP("TFRoute", "割合で指定"), 0},
};

bool isPreset(const RouteSettings& s, const RoutePreset& p)
{
    return s.from.side == p.from && s.to.side == p.to;
}

} // namespace

RouteEndsPicture::RouteEndsPicture(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void RouteEndsPicture::setGrid(const RouteMaker& maker)
{
    width_ = maker.width();
    height_ = maker.height();
    cells_ = QImage(width_ + 2, height_ + 2, QImage::Format_RGB32);
    cells_.fill(OutsideColor);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (maker.isInside(x, y))
                cells_.setPixelColor(x + 1, y + 1, InsideColor);
    openings_ = maker.openings({RouteSide::Outside, {}});
    const std::vector<RouteCell> rooms = maker.openings({RouteSide::Centre, {}});
    openings_.insert(openings_.end(), rooms.begin(), rooms.end());
    starts_.clear();
    goals_.clear();
    paintCells();
    updateGeometry();
}

void RouteEndsPicture::setCandidates(const std::vector<RouteCell>& starts, const std::vector<RouteCell>& goals)
{
    starts_ = starts;
    goals_ = goals;
    paintCells();
}

void RouteEndsPicture::setEnds(std::optional<RouteCell> start, std::optional<RouteCell> goal)
{
    start_ = start;
    goal_ = goal;
    update();
}

void RouteEndsPicture::paintCells()
{
    shown_ = cells_;
    for (const auto& [cells, tint] : {std::pair{&starts_, StartTint}, {&goals_, GoalTint}})
        for (const RouteCell c : *cells)
            shown_.setPixelColor(c.x + 1, c.y + 1, tint);
    update();
}

QSize RouteEndsPicture::sizeHint() const
{
    const int longest = std::max(width_, height_) + 2;
    const double s = double(PictureSide) / longest;
    return {int(std::lround((width_ + 2) * s)), int(std::lround((height_ + 2) * s))};
}

double RouteEndsPicture::scale() const
{
    return std::min(double(width()) / (width_ + 2), double(height()) / (height_ + 2));
}

QPointF RouteEndsPicture::origin() const
{
    const double s = scale();
    return {(width() - s * (width_ + 2)) / 2, (height() - s * (height_ + 2)) / 2};
}

QPoint RouteEndsPicture::centreOf(RouteCell cell) const
{
    const double s = scale();
    const QPointF o = origin();
    return QPointF(o.x() + (cell.x + 1.5) * s, o.y() + (cell.y + 1.5) * s).toPoint();
}

std::optional<RouteCell> RouteEndsPicture::openingAt(QPoint point) const
{
    std::optional<RouteCell> nearest;
    double best = 0;
    for (const RouteCell c : openings_) {
        const QPoint d = centreOf(c) - point;
        const double distance = double(d.x()) * d.x() + double(d.y()) * d.y();
        if (!nearest || distance < best) {
            nearest = c;
            best = distance;
        }
    }
    return nearest;
}

void RouteEndsPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (shown_.isNull())
        return;
    const double s = scale();
    const QPointF o = origin();
    painter.drawImage(QRectF(o.x(), o.y(), s * (width_ + 2), s * (height_ + 2)), shown_);
    painter.setRenderHint(QPainter::Antialiasing);
    // A few openings (a corner's) are marked as dots too, to be seen on a
    // large board; at least a few pixels across, however small a cell is.
    painter.setPen(Qt::NoPen);
    const double dot = std::max(4.5, s * 0.6);
    for (const auto& [cells, color] : {std::pair{&starts_, StartColor}, {&goals_, GoalColor}})
        if (cells->size() <= 8)
            for (const RouteCell c : *cells) {
                QColor faint = color;
                faint.setAlpha(110);
                painter.setBrush(faint);
                painter.drawEllipse(QPointF(centreOf(c)), dot, dot);
            }
    const double radius = std::max(4.0, s * 0.45);
    for (const auto& [end, color] : {std::pair{start_, StartColor}, {goal_, GoalColor}})
        if (end) {
            painter.setPen(QPen(Qt::white, 1.5));
            painter.setBrush(color);
            painter.drawEllipse(QPointF(centreOf(*end)), radius, radius);
        }
}

void RouteEndsPicture::mousePressEvent(QMouseEvent* event)
{
    if (const std::optional<RouteCell> cell = openingAt(event->position().toPoint()))
        emit openingPressed(*cell);
}

TFRoute::TFRoute(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FRoute"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    Picture = new RouteEndsPicture(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    connect(Picture, &RouteEndsPicture::openingPressed, this, &TFRoute::PickOpening);
    LbHint = new QLabel(this);
    LbHint->setObjectName(QStringLiteral("LbHint"));
    LbHint->setAlignment(Qt::AlignCenter);

    LbEnds = new QLabel(this);
    CBEnds = new QComboBox(this);
    CBEnds->setObjectName(QStringLiteral("CBEnds"));
    LbEnds->setBuddy(CBEnds);
    connect(CBEnds, &QComboBox::activated, this, [this] { endsChanged(); });

    LbLength = new QLabel(this);
    CBLength = new QComboBox(this);
    CBLength->setObjectName(QStringLiteral("CBLength"));
    LbLength->setBuddy(CBLength);
    for (std::size_t i = 0; i < std::size(LengthItems); ++i)
        CBLength->addItem(QString());
    SELength = new QSpinBox(this);
    SELength->setObjectName(QStringLiteral("SELength"));
    SELength->setRange(RouteSettings::MinPercent, RouteSettings::MaxPercent);
    SELength->setSuffix(QStringLiteral(" %"));
    // A named length sets the spin box; the last item leaves it to the user.
    connect(CBLength, &QComboBox::activated, this, [this](int i) {
        if (const int percent = LengthItems[i].percent)
            SELength->setValue(percent);
        else
            SELength->setFocus(Qt::OtherFocusReason);
    });
    connect(SELength, &QSpinBox::valueChanged, this, [this] { lengthChanged(); });
    LbTarget = new QLabel(this);
    LbTarget->setObjectName(QStringLiteral("LbTarget"));

    LbTwist = new QLabel(this);
    SLTwist = new QSlider(Qt::Horizontal, this);
    SLTwist->setObjectName(QStringLiteral("SLTwist"));
    SLTwist->setRange(RouteSettings::MinTwist, RouteSettings::MaxTwist);
    SLTwist->setSingleStep(5);
    SLTwist->setPageStep(10);
    SLTwist->setTickInterval(10);
    SLTwist->setTickPosition(QSlider::TicksBelow);
    LbTwist->setBuddy(SLTwist);
    LbStraight = new QLabel(this);
    LbWinding = new QLabel(this);

    BtOK = new QPushButton(this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    BtCancel = new QPushButton(this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(LbEnds, 0, 0);
    fields->addWidget(CBEnds, 0, 1, 1, 3);
    fields->addWidget(LbLength, 1, 0);
    fields->addWidget(CBLength, 1, 1, 1, 2);
    fields->addWidget(SELength, 1, 3);
    fields->addWidget(LbTarget, 2, 1, 1, 3);
    fields->addWidget(LbTwist, 3, 0);
    fields->addWidget(LbStraight, 3, 1);
    fields->addWidget(SLTwist, 3, 2);
    fields->addWidget(LbWinding, 3, 3);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtOK);
    buttons->addWidget(BtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture, 0, Qt::AlignHCenter);
    layout->addWidget(LbHint);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    retranslateUi();
}

void TFRoute::retranslateUi()
{
    setWindowTitle(tr("答えの道を自動で作る"));
    LbEnds->setText(tr("出入口(&E):"));
    LbLength->setText(tr("長さ(&L):"));
    LbTwist->setText(tr("曲がり方(&T):"));
    LbStraight->setText(tr("まっすぐ"));
    LbWinding->setText(tr("くねくね"));
    for (int i = 0; i < CBLength->count(); ++i)
        CBLength->setItemText(i, tr(LengthItems[i].text));
    fillEnds();
    lengthChanged();
    BtOK->setText(tr("OK"));
    BtCancel->setText(tr("キャンセル"));
}

void TFRoute::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

// The ready pairs the board has, then the picked ends; the one shown stays.
void TFRoute::fillEnds()
{
    const int shown = CBEnds->count() > 0 ? presetIndex() : 0;
    CBEnds->clear();
    for (int i = 0; i < int(std::size(RoutePresets)); ++i)
        if (RoutePresets[i].to != RouteSide::Centre || (maker_ && maker_->hasCentre()))
            CBEnds->addItem(tr(PresetTexts[i]), i);
    CBEnds->addItem(tr(PickedText), -1);
    CBEnds->setCurrentIndex(std::max(0, CBEnds->findData(shown)));
    endsChanged();
}

int TFRoute::presetIndex() const
{
    return CBEnds->currentData().toInt();
}

void TFRoute::endsChanged()
{
    const int preset = presetIndex();
    const bool picked = preset < 0;
    if (maker_ && !picked)
        Picture->setCandidates(maker_->openings({RoutePresets[preset].from, {}}),
                               maker_->openings({RoutePresets[preset].to, {}}));
    else
        Picture->setCandidates({}, {});
    Picture->setEnds(picked ? start_ : std::nullopt, picked ? goal_ : std::nullopt);
    LbHint->setText(!picked    ? tr("グリッドをクリックすると入口と出口を選べます。")
                    : !start_  ? tr("入口をクリックしてください。")
                    : pickGoal_ ? tr("出口をクリックしてください。")
                                : tr("クリックすると入口から選び直します。"));
    BtOK->setEnabled(!picked || (start_ && goal_));
}

// The length's name follows the spin box: the named length of its value, or
// the last item.
void TFRoute::lengthChanged()
{
    const int percent = SELength->value();
    int item = int(std::size(LengthItems)) - 1;
    for (int i = 0; i < item; ++i)
        if (LengthItems[i].percent == percent)
            item = i;
    CBLength->setCurrentIndex(item);
    if (!maker_)
        return;
    LbTarget->setText(tr("約 %1 マス (迷路の %2 マスの %3 %)")
                          .arg(maker_->targetLength(percent))
                          .arg(maker_->insideCount())
                          .arg(percent));
}

void TFRoute::PickOpening(RouteCell cell)
{
    if (!maker_ || !maker_->isOpening(cell))
        return;
    if (!pickGoal_ || presetIndex() >= 0) {
        start_ = cell;
        goal_.reset();
        pickGoal_ = true;
    } else if (cell != start_) {
        goal_ = cell;
        pickGoal_ = false;
    }
    CBEnds->setCurrentIndex(CBEnds->findData(-1));
    endsChanged();
}

void TFRoute::ShowRoute(const RouteMaker& maker, const RouteSettings& settings)
{
    maker_ = &maker;
    Picture->setGrid(maker);
    const bool chosen = settings.from.side == RouteSide::Chosen && settings.to.side == RouteSide::Chosen
        && maker.isOpening(settings.from.cell) && maker.isOpening(settings.to.cell);
    start_ = chosen ? std::optional(settings.from.cell) : std::nullopt;
    goal_ = chosen ? std::optional(settings.to.cell) : std::nullopt;
    pickGoal_ = false;
    int preset = chosen ? -1 : 0;
    for (int i = 0; i < int(std::size(RoutePresets)); ++i)
        if (isPreset(settings, RoutePresets[i]))
            preset = i;
    CBEnds->clear();
    fillEnds();
    CBEnds->setCurrentIndex(std::max(0, CBEnds->findData(preset)));
    endsChanged();
    SELength->setValue(std::clamp(settings.lengthPercent, RouteSettings::MinPercent, RouteSettings::MaxPercent));
    lengthChanged();
    SLTwist->setValue(settings.twist);
}

RouteSettings TFRoute::ReadRoute() const
{
    RouteSettings s;
    const int preset = presetIndex();
    if (preset >= 0) {
        s.from = {RoutePresets[preset].from, {}};
        s.to = {RoutePresets[preset].to, {}};
    } else {
        s.from = {RouteSide::Chosen, start_.value_or(RouteCell{})};
        s.to = {RouteSide::Chosen, goal_.value_or(RouteCell{})};
    }
    s.lengthPercent = SELength->value();
    s.twist = SLTwist->value();
    return s;
}

std::optional<RouteSettings> TFRoute::AskRoute(const RouteMaker& maker, const RouteSettings& settings)
{
    ShowRoute(maker, settings);
    CBEnds->setFocus(Qt::OtherFocusReason);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return ReadRoute();
}
