#include "Export.h"

#include "MazePrint.h"
#include "PageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

const char* const PagesItems[] = {
    QT_TRANSLATE_NOOP("TFExport", "問題と解答"),
    QT_TRANSLATE_NOOP("TFExport", "問題のみ"),
    QT_TRANSLATE_NOOP("TFExport", "解答のみ"),
};

constexpr int PreviewWidth = 300;
constexpr int PreviewHeight = 380;

} // namespace

TFExport::TFExport(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FExport"));

    CBFormat = new QComboBox(this);
    CBFormat->addItems({QStringLiteral("PDF"), QStringLiteral("SVG"), QStringLiteral("PNG")});
    CBPages = new QComboBox(this);
    for (const char* item : PagesItems)
        CBPages->addItem(tr(item));
    EdTitle = new QLineEdit(this);
    CkNameLine = new QCheckBox(this);
    CkLabels = new QCheckBox(this);
    CkDifficulty = new QCheckBox(this);
    SEWall = new QDoubleSpinBox(this);
    SEWall->setRange(ExportSettings::MinWallMm, ExportSettings::MaxWallMm);
    SEWall->setSingleStep(0.05);
    SEWall->setDecimals(2);
    CkWallAuto = new QCheckBox(this);
    CBPaper = new QComboBox(this);
    for (const PaperChoice& paper : paperChoices())
        CBPaper->addItem(QLatin1String(paper.name));
    CkLandscape = new QCheckBox(this);
    SEMargin = new QDoubleSpinBox(this);
    SEMargin->setRange(0, ExportSettings::MaxMarginMm);
    SEMargin->setDecimals(1);
    SEDpi = new QSpinBox(this);
    SEDpi->setRange(ExportSettings::MinDpi, ExportSettings::MaxDpi);
    SEDpi->setSingleStep(50);
    LbCellSize = new QLabel(this);
    LbCellSize->setWordWrap(true);
    Preview = new QLabel(this);
    Preview->setFixedSize(PreviewWidth + 8, PreviewHeight + 8);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setStyleSheet(QStringLiteral("QLabel { background: #808080; }"));

    const std::pair<QWidget*, const char*> names[] = {
        {CBFormat, "CBFormat"}, {CBPages, "CBPages"},       {EdTitle, "EdTitle"},   {CkNameLine, "CkNameLine"},
        {CkLabels, "CkLabels"}, {CkDifficulty, "CkDifficulty"}, {SEWall, "SEWall"},         {CkWallAuto, "CkWallAuto"}, {CBPaper, "CBPaper"},
        {CkLandscape, "CkLandscape"}, {SEMargin, "SEMargin"}, {SEDpi, "SEDpi"},   {LbCellSize, "LbCellSize"},
        {Preview, "Preview"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));

    // Each row's label, with the control its access key goes to.
    auto* form = new QFormLayout;
    auto addRow = [this, form](QWidget* buddy, auto* field) {
        auto* label = new QLabel(this);
        label->setBuddy(buddy);
        rowLabels_.push_back(label);
        form->addRow(label, field);
    };
    addRow(CBFormat, CBFormat);
    addRow(CBPages, CBPages);
    addRow(EdTitle, EdTitle);
    form->addRow(QString(), CkNameLine);
    form->addRow(QString(), CkLabels);
    form->addRow(QString(), CkDifficulty);
    auto* wall = new QHBoxLayout;
    wall->addWidget(SEWall, 1);
    wall->addWidget(CkWallAuto);
    addRow(SEWall, wall);
    auto* paper = new QHBoxLayout;
    paper->addWidget(CBPaper, 1);
    paper->addWidget(CkLandscape);
    addRow(CBPaper, paper);
    addRow(SEMargin, SEMargin);
    addRow(SEDpi, SEDpi);
    form->addRow(LbCellSize);

    // The export button is the dialog's own, not the standard OK, whose text
    // the button box would put back when the language changes.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    BtOK = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    BtOK->setObjectName(QStringLiteral("BtOK"));
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

    retranslateUi();
    setSettings(ExportSettings{});
    for (QComboBox* box : {CBFormat, CBPages, CBPaper})
        connect(box, &QComboBox::currentIndexChanged, this, &TFExport::settingsChanged);
    for (QCheckBox* box : {CkNameLine, CkLabels, CkDifficulty, CkWallAuto, CkLandscape})
        connect(box, &QCheckBox::toggled, this, &TFExport::settingsChanged);
    for (QDoubleSpinBox* box : {SEWall, SEMargin})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TFExport::settingsChanged);
    connect(SEDpi, &QSpinBox::valueChanged, this, &TFExport::settingsChanged);
    connect(EdTitle, &QLineEdit::textChanged, this, &TFExport::settingsChanged);
}

void TFExport::retranslateUi()
{
    setWindowTitle(tr("エクスポート"));
    const char* const rowTexts[] = {
        QT_TR_NOOP("形式(&F):"),      QT_TR_NOOP("ページ(&G):"), QT_TR_NOOP("タイトル(&T):"), QT_TR_NOOP("壁の太さ(&W):"),
        QT_TR_NOOP("用紙(&P):"),      QT_TR_NOOP("余白(&M):"),   QT_TR_NOOP("解像度(&R):"),
    };
    for (std::size_t i = 0; i < rowLabels_.size(); ++i)
        rowLabels_[i]->setText(tr(rowTexts[i]));
    for (int i = 0; i < CBPages->count(); ++i)
        CBPages->setItemText(i, tr(PagesItems[i]));
    EdTitle->setPlaceholderText(tr("なし"));
    CkNameLine->setText(tr("「なまえ：」の欄を付ける(&N)"));
    CkLabels->setText(tr("スタートとゴールを書く(&S)"));
    CkDifficulty->setText(tr("解答のページに難しさを書く(&D)"));
    CkWallAuto->setText(tr("自動(&A)"));
    CkLandscape->setText(tr("横向き(&L)"));
    SEWall->setSuffix(tr(" mm"));
    SEMargin->setSuffix(tr(" mm"));
    SEDpi->setSuffix(tr(" dpi"));
    BtOK->setText(tr("エクスポート(&E)..."));
}

void TFExport::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        settingsChanged();
    }
    QDialog::changeEvent(event);
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
        QSignalBlocker(CkNameLine), QSignalBlocker(CkLabels), QSignalBlocker(CkDifficulty), QSignalBlocker(SEWall), QSignalBlocker(CkWallAuto),
        QSignalBlocker(CBPaper), QSignalBlocker(CkLandscape), QSignalBlocker(SEMargin), QSignalBlocker(SEDpi)};
    CBFormat->setCurrentIndex(static_cast<int>(s.format));
    CBPages->setCurrentIndex(static_cast<int>(s.pages));
    EdTitle->setText(s.title);
    CkNameLine->setChecked(s.nameLine);
    CkLabels->setChecked(s.labels);
    CkDifficulty->setChecked(s.difficulty);
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
    s.difficulty = CkDifficulty->isChecked();
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
    // Only an answer page of a PDF says how hard the maze is.
    CkDifficulty->setEnabled(page && CBPages->currentIndex() != static_cast<int>(PageSet::Puzzle));
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
    LbCellSize->setText(small ? tr("マスが %1 mm になり、2 mm より小さくなります。").arg(size)
                              : tr("マスの大きさ: %1 mm").arg(size));
    LbCellSize->setStyleSheet(small ? QStringLiteral("QLabel { color: #b00000; font-weight: bold; }") : QString());
    previewTimer_->start();
}

void TFExport::refreshPreview()
{
    previewTimer_->stop();
    const QImage page = MazePrint::previewFirstPage(maze_, settings(), QSize(PreviewWidth, PreviewHeight));
    Preview->setPixmap(QPixmap::fromImage(page));
}
