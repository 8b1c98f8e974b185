#include "UnderlayCommands.h"

#include "Interaction.h"
#include "UnderlayTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSettings>

namespace {

const QString FolderKey = QStringLiteral("underlay/folder");
const QString MazeKey = QStringLiteral("maze");
const QString ImageKey = QStringLiteral("image");
const QString StrengthKey = QStringLiteral("strength");

QString absolute(const QString& file)
{
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
}

} // namespace

// "画像ファイル (*.bmp *.gif ...)|*.bmp *.gif ...|すべてのファイル (*.*)|*.*"
QString UnderlayCommands::imageFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        if (!format.toLower().startsWith("svg")) // drawings are not taken (Underlay.cpp)
            patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    patterns.removeDuplicates();
    return UnderlayTexts::text(UnderlayTexts::FilterImages).arg(patterns.join(QLatin1Char(' ')));
}

namespace {

const char* messageSource(Underlay::Failure failure)
{
    switch (failure) {
    case Underlay::Failure::Missing: return UnderlayTexts::MessageMissing;
    case Underlay::Failure::Unreadable: return UnderlayTexts::MessageUnreadable;
    case Underlay::Failure::Damaged: return UnderlayTexts::MessageDamaged;
    case Underlay::Failure::TooLarge: return UnderlayTexts::MessageTooLarge;
    case Underlay::Failure::NotAnImage:
    case Underlay::Failure::None: break;
    }
    return UnderlayTexts::MessageNotAnImage;
}

QString messageFor(Underlay::Failure failure)
{
    return UnderlayTexts::text(messageSource(failure));
}

} // namespace

UnderlayCommands::UnderlayCommands(QWidget* window, Interaction& interaction)
    : window_(window)
    , interaction_(interaction)
{
}

QString UnderlayCommands::settingsGroup(const QString& mazeFile)
{
    // A digest of the path: letters and digits only, the same length for
    // every path (a registry key's name is limited), and no two paths alike.
    const QByteArray digest = QCryptographicHash::hash(absolute(mazeFile).toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("underlay/m") + QString::fromLatin1(digest.toHex());
}

bool UnderlayCommands::choose(const QString& mazeFile)
{
    const std::optional<QString> name = interaction_.askOpenFileName(
        window_, {imageFilter(), {}, {}, QSettings().value(FolderKey).toString()});
    if (!name)
        return false;
    QSettings().setValue(FolderKey, QFileInfo(*name).absolutePath());
    return take(*name, mazeFile);
}

bool UnderlayCommands::take(const QString& imageFile, const QString& mazeFile)
{
    const Underlay::Failure failure = underlay_.load(imageFile);
    if (failure != Underlay::Failure::None) {
        interaction_.showMessage(window_, Interaction::MessageKind::Warning,
                                 messageFor(failure).arg(QFileInfo(imageFile).fileName()));
        return false;
    }
    remember(mazeFile);
    return true;
}

bool UnderlayCommands::askStrength(const QString& mazeFile)
{
    const std::optional<int> strength = interaction_.askUnderlayStrength(window_, underlay_.strength());
    if (!strength)
        return false;
    underlay_.setStrength(*strength);
    remember(mazeFile);
    return true;
}

void UnderlayCommands::remove(const QString& mazeFile)
{
    underlay_.clear();
    remember(mazeFile);
}

void UnderlayCommands::mazeOpened(const QString& mazeFile)
{
    underlay_.clear();
    QSettings settings;
    settings.beginGroup(settingsGroup(mazeFile));
    if (settings.value(MazeKey).toString() != absolute(mazeFile))
        return;
    const QString image = settings.value(ImageKey).toString();
    if (!image.isEmpty() && underlay_.load(image) == Underlay::Failure::None)
        underlay_.setStrength(settings.value(StrengthKey, Underlay::DefaultStrength).toInt());
}

void UnderlayCommands::mazeSaved(const QString& mazeFile)
{
    remember(mazeFile);
}

void UnderlayCommands::remember(const QString& mazeFile) const
{
    if (mazeFile.isEmpty())
        return;
    QSettings settings;
    settings.remove(settingsGroup(mazeFile));
    if (!underlay_.isLoaded())
        return;
    settings.beginGroup(settingsGroup(mazeFile));
    settings.setValue(MazeKey, absolute(mazeFile));
    settings.setValue(ImageKey, underlay_.file());
    settings.setValue(StrengthKey, underlay_.strength());
}
