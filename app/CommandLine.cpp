#include "CommandLine.h"

#include "CommandOptions.h"
#include "FileNames.h"
#include "Language.h"
#include "PrintTexts.h"
#include "file_kind.h"
#include "maze_batch.h"
#include "maze_board.h"
#include "maze_random.h"
#include "path_check.h"
#include "route_maker.h"
#include "target_lock.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

namespace CommandLine {

namespace {

// Messages, one line each, after "zubelo: ".
const QString Prefix = QStringLiteral("zubelo: ");
const char* const UnknownOption = QT_TRANSLATE_NOOP("CommandLine", "不明なオプションです: %1");
const char* const MissingValue = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 に値を指定してください");
const char* const NoValueWanted = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 は値を取りません");
const char* const BadValue = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 の値が正しくありません: %2");
// %3 ... %4: the values the option takes.
const char* const OutOfRange
    = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 の値が正しくありません: %2 (%3〜%4 の数で指定してください)");
const char* const NoTarget = QT_TRANSLATE_NOOP("CommandLine", "出力ファイルを --export で指定してください");
const char* const UnknownFormat = QT_TRANSLATE_NOOP("CommandLine", "出力ファイルの形式が分かりません (.pdf .svg .png .bmp): %1");
const char* const NoInput = QT_TRANSLATE_NOOP("CommandLine", "迷路ファイル (.maz) を指定してください");
const char* const TooManyInputs = QT_TRANSLATE_NOOP("CommandLine", "迷路ファイルは一つだけ指定してください: %1");
const char* const LoadFailed = QT_TRANSLATE_NOOP("CommandLine", "Failed to open File ");
const char* const BatchOnly = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 は --batch と一緒に使ってください");
const char* const RouteOnly = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 は --random-route と一緒に使ってください");
const char* const SizeAndInput = QT_TRANSLATE_NOOP("CommandLine", "迷路ファイルと --size は一緒に使えません: %1");
const char* const NoOpening = QT_TRANSLATE_NOOP("CommandLine", "この迷路には出入口 %1 がありません");
const char* const NotAnOpening
    = QT_TRANSLATE_NOOP("CommandLine", "出入口 %1 は迷路の外側で迷路に接するマスではありません");
const char* const SameOpening = QT_TRANSLATE_NOOP("CommandLine", "入口と出口が同じマスです");
const char* const NoWay = QT_TRANSLATE_NOOP("CommandLine", "入口から出口まで迷路の中を通る道がありません");
const char* const LengthOutOfReach
    = QT_TRANSLATE_NOOP("CommandLine", "この迷路では答えの道を %1 マスにできません (できた道は %2 マス)");
const char* const UnknownBatchFormat
    = QT_TRANSLATE_NOOP("CommandLine", "出力ファイルの形式が分かりません (.pdf .svg .png .bmp .maz): %1");
const char* const OnlyWith = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 は %2 と一緒に使ってください");
//: %1 mazes (numbered %2) are outside the band %3 after %4 candidates each; not an error.
const char* const NotReached = QT_TRANSLATE_NOOP(
    "CommandLine", "%1 個の迷路 (%2) は %4 個ずつ作っても %3 に届かなかったので、いちばん近いものにしました");
const char* const FigureGoal = QT_TRANSLATE_NOOP("CommandLine", "探す道のり %1 マス");
const char* const RepeatedOption = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 が二度指定されています");
// After "Failed to open File " and the name: why.
const char* const NoSuchFile = QT_TRANSLATE_NOOP("CommandLine", " (ファイルがありません)");
const char* const NotAFile = QT_TRANSLATE_NOOP("CommandLine", " (フォルダーや特殊なファイルで、普通のファイルではありません)");
const char* const NotAMaze = QT_TRANSLATE_NOOP("CommandLine", " (迷路ファイルではないか、壊れています)");
const char* const Unreadable = QT_TRANSLATE_NOOP("CommandLine", " (読み込めません。読み込みの権限を確かめてください)");
const char* const NameNotUtf8 = QT_TRANSLATE_NOOP("CommandLine", " (名前が UTF-8 ではないため、そのままでは開けません)");
// %1: the maze file.
const char* const PathNotOne = QT_TRANSLATE_NOOP(
    "CommandLine", "%1: 道が完成していません。外側から入って外側へ出る、枝分かれも輪もない1本の道が必要です");
// What the window says of a maze file whose maze was never made.
const char* const MazeNotMade = QT_TRANSLATE_NOOP("TFMain", "迷路作成ボタンを押してください。");
// On standard output after a batch, for scripts to read: never translated.
const QString SeedLine = QStringLiteral("seed %1");
const QString MazeLine = QStringLiteral("maze %1 %2 %3");

const char* const HelpUsage = QT_TRANSLATE_NOOP("CommandLine", "使い方:\n"
    "  zubelo [迷路ファイル.maz]\n"
    "  zubelo --export 出力ファイル 迷路ファイル.maz [オプション]\n"
    "  zubelo --batch 数 [--style 種類] [--seed 種] [--difficulty 難しさ [--tries 数]] [--order easy-to-hard]\n"
    "         迷路ファイル.maz --export 出力ファイル [オプション]\n"
    "  zubelo --batch 数 --random-route [--size 幅x高さ | 迷路ファイル.maz] --export 出力ファイル [オプション]\n"
    "\n"
    "--export は迷路ファイルを印刷用に書き出します (画面は使いません)。\n"
    "形式は出力ファイルの拡張子で決まります:\n"
    "  .pdf  問題のページと解答のページ\n"
    "  .svg  迷路とスタート・ゴールだけの図。問題と解答は NAME.svg と NAME-answer.svg\n"
    "  .png  .svg と同じ図を画像で\n"
    "  .bmp  画面と同じビットマップ\n"
    "\n"
    "--batch は迷路ファイルに描かれた道のまわりに迷路を 数 個 (1〜1000) 作って書き出します\n"
    "(できあがった迷路のファイルなら、その答えの道を使います):\n"
    "  .pdf  タイトルに番号 (1, 2 …) の付いた問題のページ、続いてその解答のページ\n"
    "  .svg .png .bmp  番号付きのファイル NAME-001.svg … と NAME-001-answer.svg …\n"
    "  .maz  番号付きの迷路ファイル NAME-001.maz … (解答はファイルの中にあります)\n"
    "--random-route を付けると、迷路ごとに新しい答えの道を作ってから迷路を作ります\n"
    "(迷路ファイルの代わりに --size で大きさだけを指定できます)。\n"
    "書き出したあと、使った乱数の種を標準出力に「seed 種」と一行で書き、続いて迷路ごとに\n"
    "「maze 番号 難しさ 探す道のり」(難しさは easy medium hard) を一行ずつ書きます。\n"
    "\n"
    "オプション:\n");
const char* const HelpHelp = QT_TRANSLATE_NOOP("CommandLine", "  -h, --help                  この説明\n");
const char* const HelpExitCodes = QT_TRANSLATE_NOOP("CommandLine", "\n"
    "終了状態: 0 成功、1 読み込みまたは書き込みの失敗、2 引数の誤り\n");



// The options that start the command line instead of the window.
const char* const ConsoleOptions[] = {"--export", "--batch", "--help", "-h"};

Parsed failed(const QString& message)
{
    return {std::nullopt, message};
}


QString askHelp(Request& r, const QString&, const QString&)
{
    r.help = true;
    return {};
}

const OptionSpec HelpOptions[] = {
    {"--help", false, askHelp, HelpHelp},
    {"-h", false, askHelp, nullptr},
};

// Every option, in the order --help lists them.
std::span<const std::span<const OptionSpec>> optionTables()
{
    static const std::span<const OptionSpec> tables[] = {exportOptions(), bookOptions(), batchOptions(),
                                                         routeOptions(), shapeOptions(), difficultyOptions(),
                                                         HelpOptions};
    return tables;
}

// Why `input` could not be read as a maze file.
const char* loadFailure(const QString& input)
{
    const std::filesystem::path file = FileNames::toPath(input);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return NoSuchFile;
    if (ec)
        return Unreadable; // a folder on the way that may not be entered
    if (status.type() != std::filesystem::file_type::regular)
        return NotAFile;
    return filekind::InputFile(file).isOpen() ? NotAMaze : Unreadable;
}

QString loadFailed(const QString& input, const char* why)
{
    return translated(LoadFailed) + quoted(input) + translated(why);
}

const OptionSpec* findOption(const QString& name)
{
    for (const std::span<const OptionSpec> table : optionTables())
        for (const OptionSpec& option : table)
            if (name == QLatin1String(option.name))
                return &option;
    return nullptr;
}

} // namespace

bool wantsConsole(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        for (const char* option : ConsoleOptions) {
            const std::size_t n = std::strlen(option);
            if (std::strncmp(argv[i], option, n) == 0 && (argv[i][n] == '\0' || argv[i][n] == '='))
                return true;
        }
    }
    return false;
}

Parsed parse(const QStringList& arguments)
{
    Request r;
    QStringList inputs;
    QSet<QString> given;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            inputs << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = arg;
        QString value;
        const qsizetype equals = arg.startsWith(QLatin1String("--")) ? arg.indexOf(QLatin1Char('=')) : -1;
        if (equals > 0) {
            name = arg.left(equals);
            value = arg.mid(equals + 1);
        }
        const OptionSpec* option = findOption(name);
        if (!option)
            return failed(translated(UnknownOption).arg(quoted(arg)));
        // A second value would silently replace the first.
        const QString once = name == QLatin1String("-h") ? QStringLiteral("--help") : name;
        if (given.contains(once))
            return failed(translated(RepeatedOption).arg(name));
        given.insert(once);
        if (option->takesValue && equals < 0) {
            if (++i >= arguments.size())
                return failed(translated(MissingValue).arg(name));
            value = arguments[i];
        } else if (!option->takesValue && equals > 0) {
            return failed(translated(NoValueWanted).arg(name));
        }
        if (const QString error = option->apply(r, name, value); !error.isEmpty())
            return failed(error);
    }
    if (r.help)
        return {r, {}};
    if (r.batch == 0 && (r.style || r.seed))
        return failed(translated(BatchOnly).arg(r.style ? QStringLiteral("--style") : QStringLiteral("--seed")));
    if (r.batch == 0 && (r.difficulty || r.tries || r.easyToHard))
        return failed(translated(BatchOnly).arg(r.difficulty ? QStringLiteral("--difficulty")
                                                : r.tries    ? QStringLiteral("--tries")
                                                             : QStringLiteral("--order")));
    if (r.tries && !r.difficulty)
        return failed(translated(OnlyWith).arg(QStringLiteral("--tries"), QStringLiteral("--difficulty")));
    if (!r.randomRoute && (!r.routeOption.isEmpty() || r.size))
        return failed(translated(RouteOnly).arg(r.size ? QStringLiteral("--size") : r.routeOption));
    if (r.batch == 0 && r.randomRoute)
        return failed(translated(BatchOnly).arg(QStringLiteral("--random-route")));
    if (r.batch == 0 && !r.shapeOption.isEmpty())
        return failed(translated(BatchOnly).arg(r.shapeOption));
    if (const QString problem = shapeRequestProblem(r); !problem.isEmpty())
        return failed(problem);
    if (r.target.isEmpty())
        return failed(translated(NoTarget));
    // A maze file is only written as a batch; one maze would be a copy.
    const auto format = ExportEngine::formatOf(r.target);
    if (!format || (*format == ExportEngine::Format::Maz && r.batch == 0))
        return failed(translated(r.batch > 0 ? UnknownBatchFormat : UnknownFormat).arg(quoted(r.target)));
    r.format = *format;
    if (r.size) {
        if (!inputs.isEmpty())
            return failed(translated(SizeAndInput).arg(inputs.join(QLatin1Char(' '))));
        return {r, {}};
    }
    if (inputs.isEmpty())
        return failed(translated(NoInput));
    if (inputs.size() > 1)
        return failed(translated(TooManyInputs).arg(quoted(inputs.join(QLatin1Char(' ')))));
    r.input = inputs.front();
    return {r, {}};
}

QString helpText()
{
    QString text = translated(HelpUsage);
    for (const std::span<const OptionSpec> table : optionTables())
        for (const OptionSpec& option : table)
            if (option.help)
                text += translated(option.help);
    return text + translated(HelpExitCodes);
}

QString translated(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

QString badValue(const QString& name, const QString& value)
{
    return translated(BadValue).arg(name, quoted(value));
}

QString outOfRange(const QString& name, const QString& value, const QString& least, const QString& most)
{
    return translated(OutOfRange).arg(name, quoted(value), least, most);
}

QString quoted(const QString& name)
{
    // A name is shown as it is unless it would break the line, or hide in
    // it: then in quotes, with such characters written out.
    bool plain = true;
    for (const QChar c : name)
        plain = plain && c.category() != QChar::Other_Control;
    if (plain)
        return name;
    QString out = QStringLiteral("\"");
    for (const QChar c : name) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

std::optional<double> number(const QString& text)
{
    // Digits, with one decimal point among them: no sign, blank, exponent
    // or other way of writing, so every number is read alike.
    static const QRegularExpression plain(QStringLiteral("\\A(?:[0-9]+(?:\\.[0-9]+)?|\\.[0-9]+)\\z"));
    if (!plain.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> wholeNumber(const QString& text, int least, int most)
{
    const auto n = number(text);
    if (!n || *n != std::floor(*n) || *n < least || *n > most)
        return std::nullopt;
    return int(*n);
}

namespace {

// Why the batch's routes cannot be made on this board, or empty: the first
// route tried from the batch's seed, which is also the first maze's.
QString routeProblem(const MazeBoard& board, const RouteSettings& settings, std::uint32_t seed)
{
    RouteMaker maker(board);
    RandomSource probe = RandomSource::fromState(seed);
    const Route route = maker.make(settings, probe);
    auto name = [](const RouteEnd& end) {
        if (end.side == RouteSide::Chosen)
            return QStringLiteral("%1,%2").arg(end.cell.x).arg(end.cell.y);
        return QString::fromLatin1(routeSideName(end.side).data(), qsizetype(routeSideName(end.side).size()));
    };
    const RouteEnd& missing = maker.openings(settings.from).empty() ? settings.from : settings.to;
    switch (route.problem) {
    case RouteProblem::NoOpening: return translated(NoOpening).arg(name(missing));
    case RouteProblem::NotAnOpening: return translated(NotAnOpening).arg(name(missing));
    case RouteProblem::SameOpening: return translated(SameOpening);
    case RouteProblem::NoWay: return translated(NoWay);
    case RouteProblem::None: break;
    }
    return route.withinBand() ? QString() : translated(LengthOutOfReach).arg(route.target).arg(route.length);
}

} // namespace

int execute(const Request& request, QTextStream& out, QTextStream& err)
{
    RandomSource random;
    MazeBoard board(random);
    if (request.size) {
        (void)board.resize(request.size->width, request.size->height);
    } else if (!board.loadFile(FileNames::toPath(request.input))) {
        err << Prefix << loadFailed(request.input, loadFailure(request.input)) << Qt::endl;
        return Failure;
    }
    if (const int code = shapeBoard(request, board, err); code != Success)
        return code;
    // A batch makes its mazes around the file's path, which must be one
    // (unless every maze gets a route of its own); a single export prints
    // the maze the file holds, which must be made.
    if (request.batch > 0 && !request.randomRoute && pathShape(board) != PathShape::OnePath) {
        err << Prefix << translated(PathNotOne).arg(quoted(request.input)) << Qt::endl;
        return UsageError;
    }
    if (request.batch == 0 && !hasMaze(board)) {
        err << Prefix << quoted(request.input) << QStringLiteral(": ")
            << QCoreApplication::translate("TFMain", MazeNotMade) << Qt::endl;
        return Failure;
    }
    ExportEngine::Outcome outcome;
    std::uint32_t seed = 0;
    QStringList mazeLines;
    QStringList missed;
    QString notReached;
    if (request.batch == 0) {
        outcome = ExportEngine::write({&board}, request.settings, request.format, request.target);
    } else {
        seed = request.seed ? *request.seed : QRandomGenerator::system()->generate();
        MazeBatch batch{request.batch, request.style.value_or(MazeStyle::Standard), seed};
        batch.easyToHard = request.easyToHard;
        if (request.difficulty) {
            batch.difficulty = *request.difficulty;
            batch.difficulty->tries = request.tries.value_or(DifficultyGoal::DefaultTries);
        }
        std::optional<BatchRoutes> routes;
        if (request.randomRoute) {
            // A wrong pair of ends or a length out of reach is found before
            // anything is written.
            if (const QString problem = routeProblem(board, request.route, seed); !problem.isEmpty()) {
                err << Prefix << problem << Qt::endl;
                return UsageError;
            }
            routes = BatchRoutes{request.route, {}};
        }
        ExportEngine::Writer writer(request.settings, request.format, request.target,
                                    static_cast<std::size_t>(batch.count), true);
        outcome = ExportEngine::writeBook(
            board, batch, writer, {},
            [&](const BookMaze& maze) {
                const auto& d = maze.difficulty;
                mazeLines << MazeLine.arg(maze.index)
                                 .arg(d ? QLatin1String(gradeName(d->grade).data()) : QLatin1String("none"))
                                 .arg(d ? d->figure : 0);
                if (!maze.reached)
                    missed << QString::number(maze.index);
            },
            routes ? &*routes : nullptr);
        if (batch.difficulty && !missed.isEmpty()) {
            const DifficultyGoal& goal = *batch.difficulty;
            notReached = translated(NotReached)
                             .arg(missed.size())
                             .arg(missed.join(QStringLiteral(", ")))
                             .arg(goal.grade ? PrintTexts::gradeText(*goal.grade)
                                             : translated(FigureGoal).arg(goal.figure))
                             .arg(goal.tries);
        }
    }
    if (!outcome.ok()) {
        outcome.file = quoted(outcome.file);
        err << Prefix << ExportEngine::failureMessage(outcome);
        if (outcome.result == BitmapExport::Result::WriteError)
            err << QStringLiteral(": ") << outcome.file;
        err << Qt::endl;
        return Failure;
    }
    if (request.batch > 0) {
        out << SeedLine.arg(seed) << Qt::endl;
        for (const QString& line : mazeLines)
            out << line << Qt::endl;
    }
    if (!notReached.isEmpty())
        err << Prefix << notReached << Qt::endl;
    return Success;
}

int run(int argc, char** argv)
{
    // Read before Qt sees them: a platform plugin takes options of its own
    // out of the list (xcb would take --title as its window title).
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // No display is needed to write files.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries this program's one-line messages, not Qt's
    // remarks on the environment (no XDG_RUNTIME_DIR on a server, ...).
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            QTextStream(stderr) << message << Qt::endl;
    });
    int appArgc = 1;
    char* appArgv[] = {argv[0], nullptr};
    QGuiApplication app(appArgc, appArgv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zubelo"));
    QGuiApplication::setApplicationName(QStringLiteral("Zubelo"));
    // Messages, the help and the printed labels in the language the window
    // would show.
    Language::applyStored();

    QTextStream out(stdout);
    QTextStream err(stderr);
    const Parsed parsed = parse(arguments);
    if (!parsed.request) {
        err << Prefix << parsed.error << Qt::endl;
        return UsageError;
    }
    if (parsed.request->help) {
        out << helpText();
        return Success;
    }
    // A name whose bytes are not UTF-8 would, decoded, name another file: it
    // is refused as a file that cannot be read, or made.
    const auto decodedOnly = [&](const QString& name) {
        for (int i = 1; i < argc; ++i)
            if (!FileNames::isFaithful(argv[i])
                && (arguments[i] == name || arguments[i].endsWith(QLatin1Char('=') + name)))
                return true;
        return false;
    };
    if (decodedOnly(parsed.request->input)) {
        err << Prefix << loadFailed(parsed.request->input, NameNotUtf8) << Qt::endl;
        return Failure;
    }
    if (decodedOnly(parsed.request->target)) {
        err << Prefix
            << ExportEngine::failureMessage({BitmapExport::Result::CannotCreate, quoted(parsed.request->target)})
            << Qt::endl;
        return Failure;
    }
    // SIGTERM, SIGHUP or SIGINT while files are written: the hidden files
    // not yet in place go with the program (the targets stay as they were).
    atomicfile::removeTemporariesOnTermination();
    return execute(*parsed.request, out, err);
}

} // namespace CommandLine
