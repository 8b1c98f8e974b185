#include "ShapeCommands.h"

#include "Document.h"
#include "Interaction.h"
#include "ShapeInteraction.h"
#include "ShapePictures.h"
#include "ShapeTexts.h"
#include "UnderlayCommands.h"
#include "maze_board.h"
#include "maze_shape.h"

#include <QApplication>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString FolderKey = QStringLiteral("shape/folder");

} // namespace

ShapeCommands::ShapeCommands(QWidget* window, Interaction& interaction)
    : window_(window)
    , interaction_(interaction)
    , ownDialogs_(std::make_unique<QtShapeInteraction>())
    , dialogs_(ownDialogs_.get())
{
}

ShapeCommands::~ShapeCommands() = default;

void ShapeCommands::setShapeInteraction(ShapeInteraction* dialogs)
{
    dialogs_ = dialogs ? dialogs : ownDialogs_.get();
}

bool ShapeCommands::apply(Document& document, const MazeShape& offered)
{
    using ShapeTexts::text;
    MazeShape shape = offered;
    if (!shape.isFull() && !shape.isOneRegion()) {
        const MazeShape largest = shape.largestPart();
        if (!largest.isOneRegion()) {
            interaction_.showMessage(window_, Interaction::MessageKind::Warning, text(ShapeTexts::MessageNoShape));
            return false;
        }
        if (!interaction_.askChoice(window_, text(ShapeTexts::QuestionWholeParts), text(ShapeTexts::ButtonKeepLargest),
                                    text(ShapeTexts::ButtonCancel)))
            return false;
        shape = largest;
    }
    const bool cuts = document.checkShape(shape) == Document::ShapeFit::CutsPath;
    if (cuts
        && !interaction_.askChoice(window_, text(ShapeTexts::QuestionErasePath), text(ShapeTexts::ButtonErasePath),
                                   text(ShapeTexts::ButtonCancel)))
        return false;
    return document.applyShape(shape, cuts);
}

bool ShapeCommands::choose(Document& document)
{
    const MazeBoard& board = document.board();
    const std::optional<ShapeChoice> choice
        = dialogs_->askShape(window_, board.getWidth(), board.getHeight(), lastChoice_);
    if (!choice)
        return false;
    lastChoice_ = *choice;
    return apply(document, shapeOfChoice(*choice, board.getWidth(), board.getHeight(), QApplication::font()));
}

bool ShapeCommands::fromPicture(Document& document, const QImage& source)
{
    if (source.isNull())
        return false;
    const MazeBoard& board = document.board();
    const int w = board.getWidth();
    const int h = board.getHeight();
    // Worked out once: every setting of the dialog only compares it.
    const std::vector<std::uint8_t> ink = shapepictures::inkOf(source, w, h);
    const std::optional<InkSetting> setting = dialogs_->askInkSetting(window_, ink, w, h, lastInk_);
    if (!setting)
        return false;
    lastInk_ = *setting;
    return apply(document, shapeFromInk(ink, w, h, setting->threshold, setting->invert));
}

bool ShapeCommands::fromFile(Document& document, const QString& folder)
{
    QSettings stored;
    const QString start = stored.value(FolderKey, folder).toString();
    const std::optional<QString> name
        = interaction_.askOpenFileName(window_, {UnderlayCommands::imageFilter(), {}, {}, start});
    if (!name)
        return false;
    stored.setValue(FolderKey, QFileInfo(*name).absolutePath());
    const MazeBoard& board = document.board();
    MazeShape shape;
    const shapepictures::Failure failure
        = shapepictures::shapeFromFile(*name, board.getWidth(), board.getHeight(), shape);
    if (failure != shapepictures::Failure::None) {
        interaction_.showMessage(window_, Interaction::MessageKind::Warning,
                                 shapepictures::failureText(failure, *name));
        return false;
    }
    return apply(document, shape);
}

bool ShapeCommands::remove(Document& document)
{
    if (!document.board().isShaped())
        return false;
    return apply(document, MazeShape());
}
