#include "CommandLine.h"
#include "CommandOptions.h"

#include "ShapePictures.h"
#include "maze_board.h"
#include "path_editor.h"
#include "shape_presets.h"

#include <QGuiApplication>
#include <QTextStream>


// The options of shapes: --shape (a ready-made shape or a picture file),
// --shape-text (the letters of a word), how a picture is read
// (--shape-threshold, --shape-invert) and --centre-room, all applied to the
// board before --batch makes its mazes.

namespace CommandLine {

namespace {

const char* const TwoShapes = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 と %2 は一緒に使えません");
const char* const PictureOnly
    = QT_TRANSLATE_NOOP("CommandLine", "オプション %1 は --shape に画像ファイルを指定したときに使ってください");
const char* const NotOneRegion = QT_TRANSLATE_NOOP(
    "CommandLine", "この形は迷路にできません: 内側のマスがつながった一つの形 (4 マス以上) になっていません");
// %1: the maze file.
const char* const CutsPath = QT_TRANSLATE_NOOP(
    "CommandLine", "%1: この形は描いた道を切ってしまいます (道を作り直すなら --random-route を使ってください)");

void shapeOption(Request& r, const QString& name)
{
    if (r.shapeOption.isEmpty())
        r.shapeOption = name;
}

QString setShape(Request& r, const QString& name, const QString& value)
{
    if (value.isEmpty())
        return badValue(name, value);
    r.shape = value;
    shapeOption(r, name);
    return {};
}

QString setShapeText(Request& r, const QString& name, const QString& value)
{
    if (value.simplified().isEmpty())
        return badValue(name, value);
    r.shapeText = value;
    shapeOption(r, name);
    return {};
}

QString setThreshold(Request& r, const QString& name, const QString& value)
{
    const auto n = wholeNumber(value, 1, 255);
    if (!n)
        return outOfRange(name, value, QStringLiteral("1"), QStringLiteral("255"));
    r.shapeThreshold = *n;
    shapeOption(r, name);
    return {};
}

QString setInvert(Request& r, const QString& name, const QString&)
{
    r.shapeInvert = true;
    shapeOption(r, name);
    return {};
}

QString setCentreRoom(Request& r, const QString& name, const QString& value)
{
    const auto n = wholeNumber(value, 1, MazeBoard::MaxSide);
    if (!n)
        return outOfRange(name, value, QStringLiteral("1"), QString::number(MazeBoard::MaxSide));
    r.centreRoom = *n;
    shapeOption(r, name);
    return {};
}

const OptionSpec Options[] = {
    {"--shape", true, setShape,
     QT_TRANSLATE_NOOP("CommandLine", "  --shape 形                  --batch の前に迷路をその形にする: circle (円) heart (ハート)\n"
                                      "                              star (星) diamond (ひし形) triangle (三角形) rounded (角の丸い四角)\n"
                                      "                              または画像ファイル (黒いところが迷路、白いところが外)\n")},
    {"--shape-text", true, setShapeText,
     QT_TRANSLATE_NOOP("CommandLine", "  --shape-text 文字           その文字の形にする (離れた文字は細い道でつなぐ)\n")},
    {"--shape-threshold", true, setThreshold,
     QT_TRANSLATE_NOOP("CommandLine", "  --shape-threshold 数        画像の形で、迷路にするマスの濃さ 1〜255 (既定 128)\n")},
    {"--shape-invert", false, setInvert,
     QT_TRANSLATE_NOOP("CommandLine", "  --shape-invert              画像の形で、白いところを迷路にする\n")},
    {"--centre-room", true, setCentreRoom,
     QT_TRANSLATE_NOOP("CommandLine", "  --centre-room 数            迷路の真ん中に 数x数 マスの部屋を空ける (--to centre でゴールに)\n")},
};

} // namespace

std::span<const OptionSpec> shapeOptions()
{
    return Options;
}

QString shapeRequestProblem(const Request& r)
{
    if (r.shapeOption.isEmpty())
        return {};
    if (!r.shape.isEmpty() && !r.shapeText.isEmpty())
        return translated(TwoShapes).arg(QStringLiteral("--shape"), QStringLiteral("--shape-text"));
    const bool picture = !r.shape.isEmpty() && !presetFromName(r.shape.toStdString());
    if (!picture && (r.shapeThreshold || r.shapeInvert))
        return translated(PictureOnly).arg(r.shapeThreshold ? QStringLiteral("--shape-threshold")
                                                            : QStringLiteral("--shape-invert"));
    return {};
}

int shapeBoard(const Request& r, MazeBoard& board, QTextStream& err)
{
    if (r.shapeOption.isEmpty())
        return Success;
    const int W = board.getWidth();
    const int H = board.getHeight();
    MazeShape shape = board.isShaped() ? board.shape() : MazeShape(W, H);
    if (!r.shapeText.isEmpty()) {
        shape = shapepictures::textShape(r.shapeText, QGuiApplication::font(), W, H);
    } else if (const auto preset = presetFromName(r.shape.toStdString())) {
        shape = presetShape(*preset, W, H);
    } else if (!r.shape.isEmpty()) {
        const auto failure = shapepictures::shapeFromFile(
            r.shape, W, H, shape, r.shapeThreshold.value_or(shapepictures::DefaultThreshold), r.shapeInvert);
        if (failure != shapepictures::Failure::None) {
            err << QStringLiteral("zubelo: ") << shapepictures::failureText(failure, r.shape) << Qt::endl;
            return Failure;
        }
    }
    shape.leaveOutCentre(r.centreRoom);
    if (!shape.isOneRegion()) {
        err << QStringLiteral("zubelo: ") << translated(NotOneRegion) << Qt::endl;
        return UsageError;
    }
    PathEditor editor(board);
    if (!editor.fitsShape(shape)) {
        // A route of its own for every maze replaces the drawn path anyway.
        if (!r.randomRoute) {
            err << QStringLiteral("zubelo: ") << translated(CutsPath).arg(quoted(r.input)) << Qt::endl;
            return UsageError;
        }
        editor.makeRoomFor(shape);
    }
    (void)board.setShape(std::move(shape));
    return Success;
}

} // namespace CommandLine
