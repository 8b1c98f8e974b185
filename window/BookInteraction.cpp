#include "BookInteraction.h"

#include <QCoreApplication>
#include <QProgressDialog>

std::optional<TFBookMaker::Request> QtBookInteraction::askBook(QWidget* parent, const MazeBoard& board,
                                                               const BookChoices& current)
{
    TFBookMaker dialog(parent);
    return dialog.AskBook(board, current);
}

namespace {

class DialogProgress : public BookInteraction::Progress {
public:
    explicit DialogProgress(QWidget* parent)
        : dialog_(QCoreApplication::translate("BookCommands", "迷路を作っています..."),
                  QCoreApplication::translate("BookCommands", "中止"), 0, 1, parent)
    {
        dialog_.setObjectName(QStringLiteral("FBookProgress"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(400);
        dialog_.setAutoReset(false);
    }

    // A modal progress dialog handles the events, a click on Cancel among
    // them, whenever its value moves.
    bool step(std::size_t done, std::size_t total) override
    {
        dialog_.setMaximum(static_cast<int>(total));
        dialog_.setValue(static_cast<int>(done));
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

} // namespace

std::unique_ptr<BookInteraction::Progress> QtBookInteraction::startProgress(QWidget* parent)
{
    return std::make_unique<DialogProgress>(parent);
}
