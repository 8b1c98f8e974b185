#include "BookMaker.h"

#include "MazePrint.h"
#include "PrintTexts.h"
#include "SheetLayout.h"
#include "maze_batch.h"
#include "maze_board.h"
#include "maze_outline.h"
#include "maze_random.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTimer>

#include <sstream>

namespace {

constexpr int PreviewWidth = 300;
constexpr int PreviewHeight = 380;

// The style names of the Maze menu, in its words.
const char* const StyleNames[] = {
    QT_TRANSLATE_NOOP("MazeStyleMenu", "標準"),
    QT_TRANSLATE_NOOP("MazeStyleMenu", "長い通路"),
    QT_TRANSLATE_NOOP("MazeStyleMenu", "短い行き止まり"),
    QT_TRANSLATE_NOOP("MazeStyleMenu", "均等"),
};

const char* const PagesItems[] = {
    QT_TRANSLATE_NOOP("TFExport", "問題と解答"),
    QT_TRANSLATE_NOOP("TFExport", "問題のみ"),
    QT_TRANSLATE_NOOP("TFExport", "解答のみ"),
};

QComboBox* numberBox(QWidget* parent, const std::vector<int>& choices)
{
    auto* box = new QComboBox(parent);
    for (const int n : choices)
        box->addItem(QString::number(n), n);
    return box;
}

} // namespace

MazeBatch BookChoices::batch(int n) const
{
    MazeBatch b{n, style, seed};
    if (grade)
        b.difficulty = DifficultyGoal{grade, 0, DifficultyGoal::DefaultTries};
    b.easyToHard = easyToHard;
    return b;
}

void BookChoices::prepare(MazeBoard& board) const
{
    if (newRoutes && width > 0 && height > 0 && (width != board.getWidth() || height != board.getHeight()))
        (void)board.resize(width, height);
}

TFBookMaker::TFBookMaker(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FBookMaker"));
    SECount = new QSpinBox(this);
    SECount->setRange(1, MazeBatch::MaxCount);
    CBSource = new QComboBox(this);
    CBSource->addItem(QString());
    CBSource->addItem(QString());
    SEWidth = new QSpinBox(this);
    SEHeight = new QSpinBox(this);
    for (QSpinBox* side : {SEWidth, SEHeight})
        side->setRange(BoardSize::MinBoardSide, MazeBoard::MaxSide);
    timesLabel_ = new QLabel(QStringLiteral("×"), this);
    CBDifficulty = new QComboBox(this);
    for (int i = 0; i < 4; ++i)
        CBDifficulty->addItem(QString());
    CkEasyToHard = new QCheckBox(this);
    CBStyle = new QComboBox(this);
    for (int i = 0; i < static_cast<int>(std::size(StyleNames)); ++i)
        CBStyle->addItem(QString());
    BtOtherMazes = new QPushButton(this);
    CBPerPage = numberBox(this, perPageChoices());
    CBAnswersPerPage = numberBox(this, answersPerPageChoices());
    CBPages = new QComboBox(this);
    for (int i = 0; i < 3; ++i)
        CBPages->addItem(QString());
    EdTitle = new QLineEdit(this);
    SEFirst = new QSpinBox(this);
    SEFirst->setRange(0, ExportSettings::MaxFirst);
    CkPageNumbers = new QCheckBox(this);
    SEFirstPage = new QSpinBox(this);
    SEFirstPage->setRange(0, ExportSettings::MaxFirst);
    CBPaper = new QComboBox(this);
    for (const PaperChoice& paper : paperChoices())
        CBPaper->addItem(QLatin1String(paper.name));
    CBPaper->setEditable(true);
    CBPaper->setInsertPolicy(QComboBox::NoInsert);
    CkLandscape = new QCheckBox(this);
    LbPages = new QLabel(this);
    Preview = new QLabel(this);
    Preview->setFixedSize(PreviewWidth + 8, PreviewHeight + 8);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setStyleSheet(QStringLiteral("QLabel { background: #808080; }"));

    const std::pair<QWidget*, const char*> names[] = {
        {SECount, "SECount"},       {CBSource, "CBSource"},     {CBStyle, "CBStyle"},
        {SEWidth, "SEWidth"},       {SEHeight, "SEHeight"},     {CBDifficulty, "CBDifficulty"},
        {CkEasyToHard, "CkEasyToHard"},
        {BtOtherMazes, "BtOtherMazes"}, {CBPerPage, "CBPerPage"}, {CBAnswersPerPage, "CBAnswersPerPage"},
        {CBPages, "CBPages"},       {EdTitle, "EdTitle"},       {SEFirst, "SEFirst"},
        {CkPageNumbers, "CkPageNumbers"}, {SEFirstPage, "SEFirstPage"}, {CBPaper, "CBPaper"},
        {CkLandscape, "CkLandscape"}, {LbPages, "LbPages"},     {Preview, "Preview"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));

    auto* form = new QFormLayout;
    auto addRow = [this, form](const char* text, QWidget* buddy, auto* field) {
        auto* label = new QLabel(this);
        label->setBuddy(buddy);
        rows_.push_back({label, text});
        form->addRow(label, field);
    };
    auto line = [](std::initializer_list<QWidget*> widgets, QWidget* stretch) {
        auto* row = new QHBoxLayout;
        for (QWidget* w : widgets)
            row->addWidget(w, w == stretch ? 1 : 0);
        return row;
    };
    answersLabel_ = new QLabel(this);
    answersLabel_->setBuddy(CBAnswersPerPage);
    firstPageLabel_ = new QLabel(this);
    firstPageLabel_->setBuddy(SEFirstPage);
    addRow(QT_TR_NOOP("迷路の数(&C):"), SECount, SECount);
    addRow(QT_TR_NOOP("作り方(&O):"), CBSource, CBSource);
    QHBoxLayout* size = line({SEWidth, timesLabel_, SEHeight}, nullptr);
    size->addStretch(1);
    addRow(QT_TR_NOOP("大きさ(&Z):"), SEWidth, size);
    addRow(QT_TR_NOOP("難しさ(&D):"), CBDifficulty, line({CBDifficulty, CkEasyToHard}, CBDifficulty));
    addRow(QT_TR_NOOP("迷路の種類(&K):"), CBStyle, line({CBStyle, BtOtherMazes}, CBStyle));
    addRow(QT_TR_NOOP("1 ページの迷路(&U):"), CBPerPage,
           line({CBPerPage, answersLabel_, CBAnswersPerPage}, CBAnswersPerPage));
    addRow(QT_TR_NOOP("ページ(&G):"), CBPages, CBPages);
    addRow(QT_TR_NOOP("タイトル(&T):"), EdTitle, EdTitle);
    addRow(QT_TR_NOOP("最初の番号(&N):"), SEFirst, SEFirst);
    form->addRow(QString(), line({CkPageNumbers, firstPageLabel_, SEFirstPage}, nullptr));
    addRow(QT_TR_NOOP("用紙(&P):"), CBPaper, line({CBPaper, CkLandscape}, CBPaper));
    form->addRow(LbPages);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    BtWritePdf = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    BtPrint = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    BtWritePdf->setObjectName(QStringLiteral("BtWritePdf"));
    BtPrint->setObjectName(QStringLiteral("BtPrint"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BtCancel"));
    BtWritePdf->setDefault(true);
    connect(BtWritePdf, &QPushButton::clicked, this, [this] { output_ = Output::Pdf; accept(); });
    connect(BtPrint, &QPushButton::clicked, this, [this] { output_ = Output::Print; accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 1);
    columns->addWidget(Preview, 0, Qt::AlignTop);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(buttons);

    // Soon after a change, and once for a burst of them (typing a title).
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(20);
    connect(previewTimer_, &QTimer::timeout, this, &TFBookMaker::refreshPreview);

    retranslateUi();
    setChoices(BookChoices{});
    connect(BtOtherMazes, &QPushButton::clicked, this, [this] {
        seed_ = QRandomGenerator::global()->generate();
        changed();
    });
    for (QComboBox* box : {CBSource, CBStyle, CBDifficulty, CBPerPage, CBAnswersPerPage, CBPages, CBPaper})
        connect(box, &QComboBox::currentIndexChanged, this, &TFBookMaker::changed);
    connect(CBPaper, &QComboBox::editTextChanged, this, &TFBookMaker::changed);
    for (QSpinBox* box : {SECount, SEWidth, SEHeight, SEFirst, SEFirstPage})
        connect(box, &QSpinBox::valueChanged, this, &TFBookMaker::changed);
    for (QCheckBox* box : {CkEasyToHard, CkPageNumbers, CkLandscape})
        connect(box, &QCheckBox::toggled, this, &TFBookMaker::changed);
    connect(EdTitle, &QLineEdit::textChanged, this, &TFBookMaker::changed);
}

TFBookMaker::~TFBookMaker() = default;

void TFBookMaker::retranslateUi()
{
    setWindowTitle(tr("ワークシート・本を作る"));
    for (const Row& row : rows_)
        row.label->setText(tr(row.text));
    CBSource->setItemText(0, tr("描いた道のまわりに"));
    CBSource->setItemText(1, tr("迷路ごとに新しい答えの道で"));
    CBDifficulty->setItemText(0, tr("選ばない"));
    for (const DifficultyGrade g : {DifficultyGrade::Easy, DifficultyGrade::Medium, DifficultyGrade::Hard})
        CBDifficulty->setItemText(static_cast<int>(g) + 1, PrintTexts::gradeText(g));
    CkEasyToHard->setText(tr("やさしい順に並べる(&E)"));
    for (int i = 0; i < CBStyle->count(); ++i)
        // The menu's words without its access keys.
        CBStyle->setItemText(i, QCoreApplication::translate("MazeStyleMenu", StyleNames[i]).remove(QLatin1Char('&')));
    for (int i = 0; i < CBPages->count(); ++i)
        CBPages->setItemText(i, QCoreApplication::translate("TFExport", PagesItems[i]));
    BtOtherMazes->setText(tr("別の迷路に(&R)"));
    answersLabel_->setText(tr("解答(&J):"));
    CkPageNumbers->setText(tr("ページ番号(&Q)"));
    firstPageLabel_->setText(tr("最初のページ(&F):"));
    CkLandscape->setText(tr("横向き(&L)"));
    EdTitle->setPlaceholderText(tr("番号だけ"));
    EdTitle->setToolTip(tr("%n は迷路の番号、%% は % になります (「めいろ %n」→ めいろ 1)"));
    CBPaper->setToolTip(tr("ほかの大きさは幅x高さで: 152x229mm、6x9in"));
    BtWritePdf->setText(tr("PDF に書き出す(&W)..."));
    BtPrint->setText(tr("印刷(&I)..."));
}

void TFBookMaker::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        changed();
    }
    QDialog::changeEvent(event);
}

std::optional<TFBookMaker::Request> TFBookMaker::AskBook(const MazeBoard& board, const BookChoices& choices)
{
    setMaze(board);
    setChoices(choices);
    refreshPreview();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Request{this->choices(), output_};
}

void TFBookMaker::setMaze(const MazeBoard& board)
{
    maze_ = board.toFileBytes();
    boardWidth_ = board.getWidth();
    boardHeight_ = board.getHeight();
    changed();
}

void TFBookMaker::setChoices(const BookChoices& raw)
{
    BookChoices c = raw;
    c.settings = raw.settings.clamped();
    preset_ = c;
    seed_ = c.seed;
    const ExportSettings& s = c.settings;
    const QSignalBlocker blockers[] = {
        QSignalBlocker(SECount),   QSignalBlocker(CBStyle),       QSignalBlocker(CBPerPage),
        QSignalBlocker(CBAnswersPerPage), QSignalBlocker(CBPages), QSignalBlocker(EdTitle),
        QSignalBlocker(SEFirst),   QSignalBlocker(CkPageNumbers), QSignalBlocker(SEFirstPage),
        QSignalBlocker(CBPaper),   QSignalBlocker(CkLandscape),   QSignalBlocker(CBSource),
        QSignalBlocker(SEWidth),   QSignalBlocker(SEHeight),      QSignalBlocker(CBDifficulty),
        QSignalBlocker(CkEasyToHard)};
    SECount->setValue(c.count);
    CBSource->setCurrentIndex(c.newRoutes ? 1 : 0);
    SEWidth->setValue(c.width > 0 ? c.width : boardWidth_);
    SEHeight->setValue(c.height > 0 ? c.height : boardHeight_);
    CBDifficulty->setCurrentIndex(c.grade ? static_cast<int>(*c.grade) + 1 : 0);
    CkEasyToHard->setChecked(c.easyToHard);
    CBStyle->setCurrentIndex(static_cast<int>(c.style));
    CBPerPage->setCurrentIndex(CBPerPage->findData(s.perPage));
    CBAnswersPerPage->setCurrentIndex(CBAnswersPerPage->findData(s.answersPerPage));
    CBPages->setCurrentIndex(static_cast<int>(s.pages));
    EdTitle->setText(s.title);
    SEFirst->setValue(s.firstNumber);
    CkPageNumbers->setChecked(s.pageNumbers);
    SEFirstPage->setValue(s.firstPage);
    CBPaper->setCurrentText(paperName(s.paper));
    CkLandscape->setChecked(s.landscape);
    changed();
}

BookChoices TFBookMaker::choices() const
{
    BookChoices c = preset_;
    c.count = SECount->value();
    c.style = static_cast<MazeStyle>(CBStyle->currentIndex());
    c.seed = seed_;
    c.newRoutes = CBSource->currentIndex() == 1;
    // The board's own size is no size of its own: the board, its shape too.
    const bool ownSize = SEWidth->value() == boardWidth_ && SEHeight->value() == boardHeight_;
    c.width = c.newRoutes && !ownSize ? SEWidth->value() : 0;
    c.height = c.newRoutes && !ownSize ? SEHeight->value() : 0;
    c.grade = CBDifficulty->currentIndex() > 0 ? std::optional(static_cast<DifficultyGrade>(CBDifficulty->currentIndex() - 1))
                                               : std::nullopt;
    c.easyToHard = CkEasyToHard->isChecked();
    ExportSettings& s = c.settings;
    s.format = PictureFormat::Pdf;
    s.perPage = CBPerPage->currentData().toInt();
    s.answersPerPage = CBAnswersPerPage->currentData().toInt();
    s.pages = static_cast<PageSet>(CBPages->currentIndex());
    s.title = EdTitle->text();
    s.firstNumber = SEFirst->value();
    s.pageNumbers = CkPageNumbers->isChecked();
    s.firstPage = SEFirstPage->value();
    s.paper = paperByName(CBPaper->currentText()).value_or(preset_.settings.paper);
    s.landscape = CkLandscape->isChecked();
    return c;
}

int TFBookMaker::pageCount() const
{
    ExportSettings s = choices().settings;
    s.numbered = true;
    return static_cast<int>(sheetPages(static_cast<std::size_t>(SECount->value()), s).size());
}

void TFBookMaker::changed()
{
    SEFirstPage->setEnabled(CkPageNumbers->isChecked());
    for (QWidget* side : std::initializer_list<QWidget*>{SEWidth, SEHeight, timesLabel_})
        side->setEnabled(CBSource->currentIndex() == 1);
    const bool paperKnown = paperByName(CBPaper->currentText()).has_value();
    BtWritePdf->setEnabled(paperKnown);
    BtPrint->setEnabled(paperKnown);
    LbPages->setText(paperKnown ? tr("%1 ページになります。").arg(pageCount())
                                : tr("用紙の大きさが分かりません。A4 や 152x229mm、6x9in のように書いてください。"));
    if (paperKnown)
        previewTimer_->start();
}

void TFBookMaker::refreshPreview()
{
    previewTimer_->stop();
    const BookChoices c = choices();
    ExportSettings s = c.settings;
    s.numbered = true;
    const std::vector<SheetPage> pages = sheetPages(static_cast<std::size_t>(c.count), s);
    if (!paperByName(CBPaper->currentText()) || maze_.empty() || pages.empty())
        return;
    // The first page's mazes, made as the book will make them.
    RandomSource random;
    MazeBoard board(random);
    std::istringstream in(std::string(maze_.begin(), maze_.end()));
    if (!board.readFrom(in))
        return;
    c.prepare(board);
    const SheetPage& first = pages.front();
    std::vector<MazeOutline> outlines;
    // From easy to hard, the first page's mazes are the easiest of all.
    const int made = c.easyToHard ? c.count : static_cast<int>(first.count);
    BatchRoutes routes{c.route, {}};
    makeMazeBatch(
        board, c.batch(made),
        [&](const BookMaze& maze) {
            outlines.push_back(outlineOf(board));
            return maze.index < static_cast<int>(first.count);
        },
        c.newRoutes ? &routes : nullptr);
    if (outlines.empty()) {
        Preview->clear();
        return;
    }
    std::vector<const MazeOutline*> own;
    for (const MazeOutline& o : outlines)
        own.push_back(&o);
    Preview->setPixmap(QPixmap::fromImage(MazePrint::previewPage(own, s, first, QSize(PreviewWidth, PreviewHeight))));
}
