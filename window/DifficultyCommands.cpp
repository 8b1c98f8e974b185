#include "DifficultyCommands.h"

#include "DifficultyInteraction.h"
#include "Document.h"
#include "PrintTexts.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QSettings>
#include <QWidget>

#include <algorithm>
#include <string>

namespace {

const char* const Working = QT_TRANSLATE_NOOP("DifficultyCommands", "迷路を作っています...");
const char* const Stop = QT_TRANSLATE_NOOP("DifficultyCommands", "止める");
const char* const NoWayThrough
    = QT_TRANSLATE_NOOP("DifficultyCommands", "入口から出口までの道がないので、難しさを測れませんでした");
//: %1 is how many mazes were made, %2 the kept maze's difficulty.
const char* const Found = QT_TRANSLATE_NOOP("DifficultyCommands", "%1 個目で見つかりました: %2");
//: %1 is how many mazes were made, %2 how many cells the kept maze's figure lies from the goal, %3 its difficulty.
const char* const Nearest
    = QT_TRANSLATE_NOOP("DifficultyCommands", "%1 個のうちいちばん近い迷路です（ねらいとの差 %2 マス）: %3");
//: %1 is how many mazes were made before the user stopped, %2 how far the kept maze lies from the goal, %3 its difficulty.
const char* const Stopped = QT_TRANSLATE_NOOP(
    "DifficultyCommands", "%1 個で止めました。いちばん近い迷路です（ねらいとの差 %2 マス）: %3");

QString text(const char* source)
{
    return QCoreApplication::translate("DifficultyCommands", source);
}

DifficultyGoal storedGoal()
{
    QSettings s;
    DifficultyGoal goal{DifficultyGrade::Medium};
    const QString grade = s.value(QStringLiteral("difficulty/grade")).toString();
    goal.grade = grade == QLatin1String("figure") ? std::nullopt : gradeFromName(grade.toStdString());
    if (!goal.grade && grade != QLatin1String("figure"))
        goal.grade = DifficultyGrade::Medium;
    goal.figure = std::clamp(s.value(QStringLiteral("difficulty/figure"), 200).toInt(), 1, DifficultyGoal::MaxFigure);
    goal.tries = std::clamp(s.value(QStringLiteral("difficulty/tries"), DifficultyGoal::DefaultTries).toInt(), 1,
                            DifficultyGoal::MaxTries);
    return goal;
}

void storeGoal(const DifficultyGoal& goal)
{
    QSettings s;
    s.setValue(QStringLiteral("difficulty/grade"),
               goal.grade ? QString::fromLatin1(std::string(gradeName(*goal.grade)).c_str()) : QStringLiteral("figure"));
    s.setValue(QStringLiteral("difficulty/figure"), goal.figure);
    s.setValue(QStringLiteral("difficulty/tries"), goal.tries);
}

} // namespace

DifficultyCommands::DifficultyCommands(QWidget* window)
    : window_(window)
    , ownDialogs_(std::make_unique<QtDifficultyInteraction>())
    , dialogs_(ownDialogs_.get())
{
}

DifficultyCommands::~DifficultyCommands() = default;

void DifficultyCommands::setInteraction(DifficultyInteraction* dialogs)
{
    dialogs_ = dialogs ? dialogs : ownDialogs_.get();
}

std::optional<QString> DifficultyCommands::chooseAndMake(Document& document, const QString& style)
{
    const std::optional<DifficultyGoal> goal = dialogs_->askDifficulty(window_, storedGoal(), style);
    if (!goal)
        return std::nullopt;
    storeGoal(*goal);
    // Shown only when the tries take a while; the window waits meanwhile.
    QProgressDialog progress(text(Working), text(Stop), 0, goal->tries, window_);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    bool stopped = false;
    const ChosenMaze chosen = document.makeChosenMaze(*goal, [&](int tries) {
        progress.setValue(tries);
        stopped = progress.wasCanceled();
        return !stopped;
    });
    progress.reset();
    return report(chosen, *goal, stopped);
}

QString DifficultyCommands::report(const ChosenMaze& chosen, const DifficultyGoal& goal, bool stopped)
{
    if (!chosen.difficulty)
        return text(NoWayThrough);
    const QString shown = PrintTexts::difficulty(*chosen.difficulty);
    if (chosen.reached)
        return text(Found).arg(chosen.tries).arg(shown);
    const int distance = distanceFromGoal(chosen.difficulty->figure, goal);
    return text(stopped ? Stopped : Nearest)
        .arg(chosen.tries)
        .arg(distance)
        .arg(shown);
}
