#include "Export.h"

#include "MazePrint.h"
#include "PageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

const QString Caption = QStringLiteral("エクスポート");
const QString FormatLabel = QStringLiteral("形式(&F):");
const QString PagesLabel = QStringLiteral("ページ(&G):");
const QString PagesBoth = QStringLiteral("問題と解答");
const QString PagesPuzzle = QStringLiteral("問題のみ");
const QString PagesAnswer = QStringLiteral("解答のみ");
const QString TitleLabel = QStringLiteral("タイトル(&T):");
const QString TitlePlaceholder = QStringLiteral("なし");
const QString NameLineBox = QStringLiteral("「なまえ：」の欄を付ける(&N)");
const QString LabelsBox = QStringLiteral("スタートとゴールを書く(&S)");
const QString WallLabel = QStringLiteral("壁の太さ(&W):");
const QString WallAutoBox = QStringLiteral("自動(&A)");
const QString PaperLabel = QStringLiteral("用紙(&P):");
const QString LandscapeBox = QStringLiteral("横向き(&L)");
const QString MarginLabel = QStringLiteral("余白(&M):");
const QString DpiLabel = QStringLiteral("解像度(&R):");
const QString CellSize = QStringLiteral("マスの大きさ: %1 mm");
const QString SmallCellWarning = QStringLiteral("マスが %1 mm になり、2 mm より小さくなります。");
const QString Millimetres = QStringLiteral(" mm");
const QString Dpi = QStringLiteral(" dpi");
const QString OkButton = QStringLiteral("エクスポート(&E)...");

constexpr int PreviewWidth = 300;
constexpr int PreviewHeight = 380;

} // namespace

TFExport::TFExport(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Caption);
    setObjectName(QStringLiteral("FExport"));

    CBFormat = new QComboBox(this);
    CBFormat->addItems({QStringLiteral("PDF"), QStringLiteral("SVG"), QStringLiteral("PNG")});
    CBPages = new QComboBox(this);
    CBPages->addItems({PagesBoth, PagesPuzzle, PagesAnswer});
    EdTitle = new QLineEdit(this);
    EdTitle->setPlaceholderText(TitlePlaceholder);
    CkNameLine = new QCheckBox(NameLineBox, this);
    CkLabels = new QCheckBox(LabelsBox, this);
    SEWall = new QDoubleSpinBox(this);
    SEWall->setRange(ExportSettings::MinWallMm, ExportSettings::MaxWallMm);
    SEWall->setSingleStep(0.05);
    SEWall->setDecimals(2);
    SEWall->setSuffix(Millimetres);
    CkWallAuto = new QCheckBox(WallAutoBox, this);
    CBPaper = new QComboBox(this);
    for (const PaperChoice& paper : paperChoices())
        CBPaper->addItem(QLatin1String(paper.name));
    CkLandscape = new QCheckBox(LandscapeBox, this);
    SEMargin = new QDoubleSpinBox(this);
    SEMargin->setRange(0, ExportSettings::MaxMarginMm);
    SEMargin->setDecimals(1);
    SEMargin->setSuffix(Millimetres);
    SEDpi = new QSpinBox(this);
    SEDpi->setRange(ExportSettings::MinDpi, ExportSettings::MaxDpi);
    SEDpi->setSingleStep(50);
    SEDpi->setSuffix(Dpi);
    LbCellSize = new QLabel(this);
    LbCellSize->setWordWrap(true);
    Preview = new QLabel(this);
    Preview->setFixedSize(PreviewWidth + 8, PreviewHeight + 8);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setStyleSheet(QStringLiteral("QLabel { background: #808080; }"));

    const std::pair<QWidget*, const char*> names[] = {
        {CBFormat, "CBFormat"}, {CBPages, "CBPages"},       {EdTitle, "EdTitle"},   {CkNameLine, "CkNameLine"},
        {CkLabels, "CkLabels"}, {SEWall, "SEWall"},         {CkWallAuto, "CkWallAuto"}, {CBPaper, "CBPaper"},
        {CkLandscape, "CkLandscape"}, {SEMargin, "SEMargin"}, {SEDpi, "SEDpi"},   {LbCellSize, "LbCellSize"},
        {Preview, "Preview"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));

    auto* form = new QFormLayout;
    form->addRow(FormatLabel, CBFormat);
    form->addRow(PagesLabel, CBPages);
    form->addRow(TitleLabel, EdTitle);
    form->addRow(QString(), CkNameLine);
    form->addRow(QString(), CkLabels);
    auto* wall = new QHBoxLayout;
    wall->addWidget(SEWall, 1);
    wall->addWidget(CkWallAuto);
    form->addRow(WallLabel, wall);
    auto* paper = new QHBoxLayout;
    paper->addWidget(CBPaper, 1);
    paper->addWidget(CkLandscape);
    form->addRow(PaperLabel, paper);
    form->addRow(MarginLabel, SEMargin);
    form->addRow(DpiLabel, SEDpi);
    form->addRow(LbCellSize);
    // Rows of a widget get their label's buddy from the form; these two hold layouts.
    if (auto* l = qobject_cast<QLabel*>(form->labelForField(wall)))
        l->setBuddy(SEWall);
    if (auto* l = qobject_cast<QLabel*>(form->labelForField(paper)))
        l->setBuddy(CBPaper);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(OkButton);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BtOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BtCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 1);
    columns->addWidget(Preview, 0, Qt::AlignTop);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(buttons);

    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(80);
    connect(previewTimer_, &QTimer::timeout, this, &TFExport::refreshPreview);

    setSettings(ExportSettings{});
    for (QComboBox* box : {CBFormat, CBPages, CBPaper})
        connect(box, &QComboBox::currentIndexChanged, this, &TFExport::settingsChanged);
    for (QCheckBox* box : {CkNameLine, CkLabels, CkWallAuto, CkLandscape})
        connect(box, &QCheckBox::toggled, this, &TFExport::settingsChanged);
    for (QDoubleSpinBox* box : {SEWall, SEMargin})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TFExport::settingsChanged);
    connect(SEDpi, &QSpinBox::valueChanged, this, &TFExport::settingsChanged);
    connect(EdTitle, &QLineEdit::textChanged, this, &TFExport::settingsChanged);
}

std::optional<ExportSettings> TFExport::AskExport(const MazeOutline& maze, const ExportSettings& settings)
{
    setMaze(maze);
    setSettings(settings);
    refreshPreview();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return this->settings();
}

void TFExport::setMaze(const MazeOutline& maze)
{
    maze_ = maze;
    settingsChanged();
}

void TFExport::setSettings(const ExportSettings& raw)
{
    const ExportSettings s = raw.clamped();
    const QSignalBlocker blockers[] = {QSignalBlocker(CBFormat), QSignalBlocker(CBPages), QSignalBlocker(EdTitle),
        QSignalBlocker(CkNameLine), QSignalBlocker(CkLabels), QSignalBlocker(SEWall), QSignalBlocker(CkWallAuto),
        QSignalBlocker(CBPaper), QSignalBlocker(CkLandscape), QSignalBlocker(SEMargin), QSignalBlocker(SEDpi)};
    CBFormat->setCurrentIndex(static_cast<int>(s.format));
    CBPages->setCurrentIndex(static_cast<int>(s.pages));
    EdTitle->setText(s.title);
    CkNameLine->setChecked(s.nameLine);
    CkLabels->setChecked(s.labels);
    CkWallAuto->setChecked(s.wallMm <= 0);
    SEWall->setValue(s.wallMm > 0 ? s.wallMm : 0.5);
    CBPaper->setCurrentText(paperName(s.paper));
    CkLandscape->setChecked(s.landscape);
    SEMargin->setValue(s.marginMm);
    SEDpi->setValue(s.dpi);
    settingsChanged();
}

ExportSettings TFExport::settings() const
{
    ExportSettings s;
    s.format = static_cast<PictureFormat>(CBFormat->currentIndex());
    s.pages = static_cast<PageSet>(CBPages->currentIndex());
    s.title = EdTitle->text();
    s.nameLine = CkNameLine->isChecked();
    s.labels = CkLabels->isChecked();
    s.wallMm = CkWallAuto->isChecked() ? 0 : SEWall->value();
    s.paper = paperByName(CBPaper->currentText()).value_or(QPageSize::A4);
    s.landscape = CkLandscape->isChecked();
    s.marginMm = SEMargin->value();
    s.dpi = SEDpi->value();
    return s;
}

double TFExport::cellMm() const
{
    const ExportSettings s = settings();
    if (s.format != PictureFormat::Pdf)
        return MazePrint::pictureLayout(maze_, s).cellMm;
    return layoutPage(maze_, s, s.pageLayout().fullRect(QPageLayout::Millimeter).size()).cellMm;
}

void TFExport::settingsChanged()
{
    const bool page = CBFormat->currentIndex() == static_cast<int>(PictureFormat::Pdf);
    // A picture has no title, no name line and no resolution but a PNG's.
    EdTitle->setEnabled(page);
    CkNameLine->setEnabled(page);
    SEDpi->setEnabled(CBFormat->currentIndex() == static_cast<int>(PictureFormat::Png));
    SEWall->setEnabled(!CkWallAuto->isChecked());

    const double cell = cellMm();
    if (CkWallAuto->isChecked()) {
        // Shows what "automatic" comes to for this maze on this paper.
        const QSignalBlocker quiet(SEWall);
        SEWall->setValue(wallThickness(0, cell));
    }
    const QString size = QLocale::c().toString(cell, 'f', 1);
    const bool small = cell < SmallCellMm;
    LbCellSize->setText(small ? SmallCellWarning.arg(size) : CellSize.arg(size));
    LbCellSize->setStyleSheet(small ? QStringLiteral("QLabel { color: #b00000; font-weight: bold; }") : QString());
    previewTimer_->start();
}

void TFExport::refreshPreview()
{
    previewTimer_->stop();
    const QImage page = MazePrint::previewFirstPage(maze_, settings(), QSize(PreviewWidth, PreviewHeight));
    Preview->setPixmap(QPixmap::fromImage(page));
}
