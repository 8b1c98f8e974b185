#include "Export.h"

#include "MazePrint.h"
#include "PageLayout.h"
#include "PrintTexts.h"
#include "SheetLayout.h"

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

const char* const LabelKindItems[] = {
    QT_TRANSLATE_NOOP("TFExport", "言葉"),
    QT_TRANSLATE_NOOP("TFExport", "家と旗の絵"),
};

constexpr int PreviewWidth = 300;
constexpr int PreviewHeight = 380;

QComboBox* numberBox(QWidget* parent, const std::vector<int>& choices)
{
    auto* box = new QComboBox(parent);
    for (const int n : choices)
        box->addItem(QString::number(n), n);
    return box;
}

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
    CkNameLineAnswers = new QCheckBox(this);
    CkLabels = new QCheckBox(this);
    CkDifficulty = new QCheckBox(this);
    CBLabelKind = new QComboBox(this);
    for (const char* item : LabelKindItems)
        CBLabelKind->addItem(tr(item));
    EdStartText = new QLineEdit(this);
    EdGoalText = new QLineEdit(this);
    SEWall = new QDoubleSpinBox(this);
    SEWall->setRange(ExportSettings::MinWallMm, ExportSettings::MaxWallMm);
    SEWall->setSingleStep(0.05);
    SEWall->setDecimals(2);
    CkWallAuto = new QCheckBox(this);
    CkWallShare = new QCheckBox(this);
    SEWallShare = new QSpinBox(this);
    SEWallShare->setRange(qRound(ExportSettings::MinWallShare * 100), qRound(ExportSettings::MaxWallShare * 100));
    CBPaper = new QComboBox(this);
    for (const PaperChoice& paper : paperChoices())
        CBPaper->addItem(QLatin1String(paper.name));
    // Any other size is typed in: 152x229mm, 6x9in.
    CBPaper->setEditable(true);
    CBPaper->setInsertPolicy(QComboBox::NoInsert);
    CkLandscape = new QCheckBox(this);
    SEMargin = new QDoubleSpinBox(this);
    SEMargin->setRange(0, ExportSettings::MaxMarginMm);
    SEMargin->setDecimals(1);
    CBPerPage = numberBox(this, perPageChoices());
    CBAnswersPerPage = numberBox(this, answersPerPageChoices());
    CkPageNumbers = new QCheckBox(this);
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
        {CBFormat, "CBFormat"},       {CBPages, "CBPages"},         {EdTitle, "EdTitle"},
        {CkNameLine, "CkNameLine"},   {CkNameLineAnswers, "CkNameLineAnswers"}, {CkLabels, "CkLabels"},
        {CBLabelKind, "CBLabelKind"}, {EdStartText, "EdStartText"}, {EdGoalText, "EdGoalText"},
        {CkDifficulty, "CkDifficulty"},
        {SEWall, "SEWall"},           {CkWallAuto, "CkWallAuto"},   {CkWallShare, "CkWallShare"},
        {SEWallShare, "SEWallShare"}, {CBPaper, "CBPaper"},         {CkLandscape, "CkLandscape"},
        {SEMargin, "SEMargin"},       {CBPerPage, "CBPerPage"},     {CBAnswersPerPage, "CBAnswersPerPage"},
        {CkPageNumbers, "CkPageNumbers"}, {SEDpi, "SEDpi"},         {LbCellSize, "LbCellSize"},
        {Preview, "Preview"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));

    // Each row's label, with the control its access key goes to.
    auto* form = new QFormLayout;
    auto addRow = [this, form](const char* text, QWidget* buddy, auto* field) {
        auto* label = new QLabel(this);
        label->setBuddy(buddy);
        rows_.push_back({label, text});
        form->addRow(label, field);
        return label;
    };
    auto line = [](std::initializer_list<QWidget*> widgets, QWidget* stretch) {
        auto* row = new QHBoxLayout;
        for (QWidget* w : widgets)
            row->addWidget(w, w == stretch ? 1 : 0);
        return row;
    };
    formatLabel_ = addRow(QT_TR_NOOP("形式(&F):"), CBFormat, CBFormat);
    addRow(QT_TR_NOOP("ページ(&G):"), CBPages, CBPages);
    addRow(QT_TR_NOOP("タイトル(&T):"), EdTitle, EdTitle);
    form->addRow(QString(), line({CkNameLine, CkNameLineAnswers}, CkNameLineAnswers));
    form->addRow(QString(), CkLabels);
    addRow(QT_TR_NOOP("目印(&J):"), CBLabelKind, line({CBLabelKind, EdStartText, EdGoalText}, nullptr));
    form->addRow(QString(), CkDifficulty);
    addRow(QT_TR_NOOP("壁の太さ(&W):"), SEWall, line({SEWall, CkWallAuto, CkWallShare, SEWallShare}, SEWall));
    addRow(QT_TR_NOOP("用紙(&P):"), CBPaper, line({CBPaper, CkLandscape}, CBPaper));
    addRow(QT_TR_NOOP("余白(&M):"), SEMargin, SEMargin);
    answersLabel_ = new QLabel(this);
    answersLabel_->setBuddy(CBAnswersPerPage);
    addRow(QT_TR_NOOP("1 ページの迷路(&U):"), CBPerPage,
           line({CBPerPage, answersLabel_, CBAnswersPerPage, CkPageNumbers}, CkPageNumbers));
    dpiLabel_ = addRow(QT_TR_NOOP("解像度(&R):"), SEDpi, SEDpi);
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
    for (QComboBox* box : {CBFormat, CBPages, CBPaper, CBLabelKind, CBPerPage, CBAnswersPerPage})
        connect(box, &QComboBox::currentIndexChanged, this, &TFExport::settingsChanged);
    connect(CBPaper, &QComboBox::editTextChanged, this, &TFExport::settingsChanged);
    for (QCheckBox* box : {CkNameLine, CkNameLineAnswers, CkLabels, CkDifficulty, CkWallAuto, CkWallShare, CkLandscape, CkPageNumbers})
        connect(box, &QCheckBox::toggled, this, &TFExport::settingsChanged);
    for (QDoubleSpinBox* box : {SEWall, SEMargin})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TFExport::settingsChanged);
    for (QSpinBox* box : {SEDpi, SEWallShare})
        connect(box, &QSpinBox::valueChanged, this, &TFExport::settingsChanged);
    for (QLineEdit* edit : {EdTitle, EdStartText, EdGoalText})
        connect(edit, &QLineEdit::textChanged, this, &TFExport::settingsChanged);
}

void TFExport::retranslateUi()
{
    setWindowTitle(printing_ ? tr("印刷") : tr("エクスポート"));
    for (const Row& row : rows_)
        row.label->setText(tr(row.text));
    for (int i = 0; i < CBPages->count(); ++i)
        CBPages->setItemText(i, tr(PagesItems[i]));
    for (int i = 0; i < CBLabelKind->count(); ++i)
        CBLabelKind->setItemText(i, tr(LabelKindItems[i]));
    EdTitle->setPlaceholderText(tr("なし"));
    EdTitle->setToolTip(tr("%n は迷路の番号、%% は % になります (「めいろ %n」→ めいろ 1)"));
    EdStartText->setPlaceholderText(PrintTexts::startLabel());
    EdGoalText->setPlaceholderText(PrintTexts::goalLabel());
    CBPaper->setToolTip(tr("ほかの大きさは幅x高さで: 152x229mm、6x9in"));
    CkNameLine->setText(tr("「なまえ：」の欄を付ける(&N)"));
    CkNameLineAnswers->setText(tr("解答のページにも(&O)"));
    CkLabels->setText(tr("スタートとゴールを書く(&S)"));
    CkDifficulty->setText(tr("解答のページに難しさを書く(&D)"));
    CkWallAuto->setText(tr("自動(&A)"));
    CkWallShare->setText(tr("マスの割合で(&H)"));
    CkLandscape->setText(tr("横向き(&L)"));
    answersLabel_->setText(tr("解答(&K):"));
    CkPageNumbers->setText(tr("ページ番号(&Q)"));
    SEWall->setSuffix(tr(" mm"));
    SEWallShare->setSuffix(tr(" %"));
    SEMargin->setSuffix(tr(" mm"));
    SEDpi->setSuffix(tr(" dpi"));
    BtOK->setText(printing_ ? tr("印刷(&I)...") : tr("エクスポート(&E)..."));
}

void TFExport::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        settingsChanged();
    }
    QDialog::changeEvent(event);
}

void TFExport::setPrinting(bool printing)
{
    printing_ = printing;
    for (QWidget* w : std::initializer_list<QWidget*>{CBFormat, formatLabel_, SEDpi, dpiLabel_})
        w->setVisible(!printing);
    retranslateUi();
    settingsChanged();
}

std::optional<ExportSettings> TFExport::ask(const MazeOutline& maze, const ExportSettings& settings, bool printing)
{
    setPrinting(printing);
    setMaze(maze);
    setSettings(settings);
    refreshPreview();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return this->settings();
}

std::optional<ExportSettings> TFExport::AskExport(const MazeOutline& maze, const ExportSettings& settings)
{
    return ask(maze, settings, false);
}

std::optional<ExportSettings> TFExport::AskPrint(const MazeOutline& maze, const ExportSettings& settings)
{
    return ask(maze, settings, true);
}

void TFExport::setMaze(const MazeOutline& maze)
{
    maze_ = maze;
    settingsChanged();
}

void TFExport::setSettings(const ExportSettings& raw)
{
    const ExportSettings s = raw.clamped();
    preset_ = s;
    const QSignalBlocker blockers[] = {
        QSignalBlocker(CBFormat),    QSignalBlocker(CBPages),     QSignalBlocker(EdTitle),
        QSignalBlocker(CkNameLine),  QSignalBlocker(CkNameLineAnswers), QSignalBlocker(CkLabels),
        QSignalBlocker(CBLabelKind), QSignalBlocker(EdStartText), QSignalBlocker(EdGoalText),
        QSignalBlocker(CkDifficulty),
        QSignalBlocker(SEWall),      QSignalBlocker(CkWallAuto),  QSignalBlocker(CkWallShare),
        QSignalBlocker(SEWallShare), QSignalBlocker(CBPaper),     QSignalBlocker(CkLandscape),
        QSignalBlocker(SEMargin),    QSignalBlocker(CBPerPage),   QSignalBlocker(CBAnswersPerPage),
        QSignalBlocker(CkPageNumbers), QSignalBlocker(SEDpi)};
    CBFormat->setCurrentIndex(static_cast<int>(s.format));
    CBPages->setCurrentIndex(static_cast<int>(s.pages));
    EdTitle->setText(s.title);
    CkNameLine->setChecked(s.nameLine);
    CkNameLineAnswers->setChecked(s.nameLineOnAnswers);
    CkLabels->setChecked(s.labels);
    CkDifficulty->setChecked(s.difficulty);
    CBLabelKind->setCurrentIndex(static_cast<int>(s.labelKind));
    EdStartText->setText(s.startText);
    EdGoalText->setText(s.goalText);
    CkWallAuto->setChecked(s.wallMm <= 0);
    SEWall->setValue(s.wallMm > 0 ? s.wallMm : 0.5);
    CkWallShare->setChecked(s.wallShare > 0);
    SEWallShare->setValue(qRound((s.wallShare > 0 ? s.wallShare : 0.25) * 100));
    CBPaper->setCurrentText(paperName(s.paper));
    CkLandscape->setChecked(s.landscape);
    SEMargin->setValue(s.marginMm);
    CBPerPage->setCurrentIndex(CBPerPage->findData(s.perPage));
    CBAnswersPerPage->setCurrentIndex(CBAnswersPerPage->findData(s.answersPerPage));
    CkPageNumbers->setChecked(s.pageNumbers);
    SEDpi->setValue(s.dpi);
    settingsChanged();
}

ExportSettings TFExport::settings() const
{
    ExportSettings s = preset_;
    s.format = static_cast<PictureFormat>(CBFormat->currentIndex());
    s.pages = static_cast<PageSet>(CBPages->currentIndex());
    s.title = EdTitle->text();
    s.nameLine = CkNameLine->isChecked();
    s.nameLineOnAnswers = CkNameLineAnswers->isChecked();
    s.labels = CkLabels->isChecked();
    s.difficulty = CkDifficulty->isChecked();
    s.labelKind = static_cast<LabelKind>(CBLabelKind->currentIndex());
    s.startText = EdStartText->text();
    s.goalText = EdGoalText->text();
    s.wallMm = CkWallAuto->isChecked() ? 0 : SEWall->value();
    s.wallShare = CkWallShare->isChecked() ? SEWallShare->value() / 100.0 : 0;
    // A size typed wrong keeps the paper the dialog came with.
    s.paper = paperByName(CBPaper->currentText()).value_or(preset_.paper);
    s.landscape = CkLandscape->isChecked();
    s.marginMm = SEMargin->value();
    s.perPage = CBPerPage->currentData().toInt();
    s.answersPerPage = CBAnswersPerPage->currentData().toInt();
    s.pageNumbers = CkPageNumbers->isChecked();
    s.dpi = SEDpi->value();
    return s;
}

bool TFExport::pages() const
{
    return printing_ || CBFormat->currentIndex() == static_cast<int>(PictureFormat::Pdf);
}

double TFExport::cellMm() const
{
    ExportSettings s = settings();
    if (!pages())
        return MazePrint::pictureLayout(maze_, s).cellMm;
    // Every maze of a page shares its place's size; the first page is the
    // fullest.
    return smallestCellMm(layoutSheet({&maze_}, s, sheetPages(1, s).front(), s.pageMm()));
}

void TFExport::settingsChanged()
{
    const bool page = pages();
    // A picture has no title, no name line, no page arrangement and no
    // resolution but a PNG's.
    for (QWidget* w : std::initializer_list<QWidget*>{EdTitle, CkNameLine, CBPerPage, CBAnswersPerPage, CkPageNumbers})
        w->setEnabled(page);
    CkNameLineAnswers->setEnabled(page && CkNameLine->isChecked());
    // Only an answer page of a PDF says how hard the maze is.
    CkDifficulty->setEnabled(page && CBPages->currentIndex() != static_cast<int>(PageSet::Puzzle));
    SEDpi->setEnabled(!printing_ && CBFormat->currentIndex() == static_cast<int>(PictureFormat::Png));
    const bool words = CBLabelKind->currentIndex() == static_cast<int>(LabelKind::Words);
    CBLabelKind->setEnabled(CkLabels->isChecked());
    EdStartText->setEnabled(CkLabels->isChecked() && words);
    EdGoalText->setEnabled(CkLabels->isChecked() && words);
    CkWallAuto->setEnabled(!CkWallShare->isChecked());
    SEWall->setEnabled(!CkWallAuto->isChecked() && !CkWallShare->isChecked());
    SEWallShare->setEnabled(CkWallShare->isChecked());

    const bool paperKnown = paperByName(CBPaper->currentText()).has_value();
    BtOK->setEnabled(paperKnown);
    if (!paperKnown) {
        LbCellSize->setText(tr("用紙の大きさが分かりません。A4 や 152x229mm、6x9in のように書いてください。"));
        LbCellSize->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
        return;
    }
    const double cell = cellMm();
    if (CkWallAuto->isChecked() || CkWallShare->isChecked()) {
        // Shows what "automatic" or the share comes to for this maze on this paper.
        const QSignalBlocker quiet(SEWall);
        const ExportSettings s = settings();
        SEWall->setValue(wallThickness(0, cell, s.wallShare));
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
    ExportSettings s = settings();
    if (printing_)
        s.format = PictureFormat::Pdf;
    const QImage page = MazePrint::previewFirstPage(maze_, s, QSize(PreviewWidth, PreviewHeight));
    Preview->setPixmap(QPixmap::fromImage(page));
}
