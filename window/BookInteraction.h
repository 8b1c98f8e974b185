#pragma once

#include "BookMaker.h"

#include <cstddef>
#include <memory>
#include <optional>

class MazeBoard;
class QWidget;

// The modal parts of making a book: the book maker dialog and the progress
// of a long book, which can be cancelled. The program shows the real ones
// (QtBookInteraction); tests answer by script, so that none waits on them.
class BookInteraction {
public:
    virtual ~BookInteraction() = default;

    // The book maker for `board`'s path, preset with `current`; nothing on Cancel.
    virtual std::optional<TFBookMaker::Request> askBook(QWidget* parent, const MazeBoard& board,
                                                        const BookChoices& current) = 0;

    // How far a book has come; step() is false once the user cancelled.
    class Progress {
    public:
        virtual ~Progress() = default;
        virtual bool step(std::size_t done, std::size_t total) = 0;
    };
    virtual std::unique_ptr<Progress> startProgress(QWidget* parent) = 0;
};

class QtBookInteraction : public BookInteraction {
public:
    std::optional<TFBookMaker::Request> askBook(QWidget* parent, const MazeBoard& board,
                                                const BookChoices& current) override;
    // A progress dialog that shows itself only when the book takes a while.
    std::unique_ptr<Progress> startProgress(QWidget* parent) override;
};
