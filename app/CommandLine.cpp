#include "CommandLine.h"

#include "CommandOptions.h"
#include "FileNames.h"
#include "Language.h"
#include "maze_batch.h"
#include "maze_board.h"
#include "maze_random.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTextStream>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace CommandLine {

namespace {

// Messages, one line each, after "zubelo: ".
const QString Prefix = QStringLiteral("zubelo: ");
const char* const UnknownOption = QT_TRANSLATE_NOOP("CommandLine", "不明なオプションです: %1");
const char* const MissingValue = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 に値を指定してください");
const char* const NoValueWanted = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 は値を取りません");
const char* const BadValue = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 の値が正しくありません: %2");
const char* const NoTarget = QT_TRANSLATE_NOOP("CommandLine", "出力ファイルを --export で指定してください");
const char* const UnknownFormat = QT_TRANSLATE_NOOP("CommandLine", "出力ファイルの形式が分かりません (.pdf .svg .png .bmp): %1");
const char* const NoInput = QT_TRANSLATE_NOOP("CommandLine", "迷路ファイル (.maz) を指定してください");
const char* const TooManyInputs = QT_TRANSLATE_NOOP("CommandLine", "迷路ファイルは一つだけ指定してください: %1");
const char* const LoadFailed = QT_TRANSLATE_NOOP("CommandLine", "Failed to open File ");
const char* const BatchOnly = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 は --batch と一緒に使ってください");
const char* const UnknownBatchFormat
    = QT_TRANSLATE_NOOP("CommandLine", "出力ファイルの形式が分かりません (.pdf .svg .png .bmp .maz): %1");
// On standard output after a batch, for scripts to read: never translated.
const QString SeedLine = QStringLiteral("seed %1");

const char* const HelpUsage = QT_TRANSLATE_NOOP("CommandLine", "使い方:\n"
    "  zubelo [迷路ファイル.maz]\n"
    "  zubelo --export 出力ファイル 迷路ファイル.maz [オプション]\n"
    "  zubelo --batch 数 [--style 種類] [--seed 種] 迷路ファイル.maz --export 出力ファイル [オプション]\n"
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
    "書き出したあと、使った乱数の種を標準出力に「seed 種」と一行で書きます。\n"
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
    static const std::span<const OptionSpec> tables[] = {exportOptions(), bookOptions(), batchOptions(), HelpOptions};
    return tables;
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
            return failed(translated(UnknownOption).arg(arg));
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
    if (r.target.isEmpty())
        return failed(translated(NoTarget));
    // A maze file is only written as a batch; one maze would be a copy.
    const auto format = ExportEngine::formatOf(r.target);
    if (!format || (*format == ExportEngine::Format::Maz && r.batch == 0))
        return failed(translated(r.batch > 0 ? UnknownBatchFormat : UnknownFormat).arg(r.target));
    r.format = *format;
    if (inputs.isEmpty())
        return failed(translated(NoInput));
    if (inputs.size() > 1)
        return failed(translated(TooManyInputs).arg(inputs.join(QLatin1Char(' '))));
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
    return translated(BadValue).arg(name, value);
}

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int execute(const Request& request, QTextStream& out, QTextStream& err)
{
    RandomSource random;
    MazeBoard board(random);
    if (!board.loadFile(FileNames::toPath(request.input))) {
        err << Prefix << translated(LoadFailed) << request.input << Qt::endl;
        return Failure;
    }
    ExportEngine::Outcome outcome;
    std::uint32_t seed = 0;
    if (request.batch == 0) {
        outcome = ExportEngine::write({&board}, request.settings, request.format, request.target);
    } else {
        seed = request.seed ? *request.seed : QRandomGenerator::system()->generate();
        const MazeBatch batch{request.batch, request.style.value_or(MazeStyle::Standard), seed};
        ExportEngine::Writer writer(request.settings, request.format, request.target,
                                    static_cast<std::size_t>(batch.count), true);
        outcome = ExportEngine::writeBook(board, batch, writer);
    }
    if (!outcome.ok()) {
        err << Prefix << ExportEngine::failureMessage(outcome);
        if (outcome.result == BitmapExport::Result::WriteError)
            err << QStringLiteral(": ") << outcome.file;
        err << Qt::endl;
        return Failure;
    }
    if (request.batch > 0)
        out << SeedLine.arg(seed) << Qt::endl;
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
        err << Prefix << LoadFailed << parsed.request->input << Qt::endl;
        return Failure;
    }
    if (decodedOnly(parsed.request->target)) {
        err << Prefix
            << ExportEngine::failureMessage({BitmapExport::Result::CannotCreate, parsed.request->target}) << Qt::endl;
        return Failure;
    }
    return execute(*parsed.request, out, err);
}

} // namespace CommandLine
