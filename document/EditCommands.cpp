#include "EditCommands.h"

#include "maze_board.h"

std::size_t EditEntry::bytes() const
{
    // A prompt of other words is shared with the status bar, but one replaced
    // there lives on here: counted as if each were a copy.
    return sizeof(EditEntry) + edit.bytes() - sizeof(BoardEdit)
        + std::size_t(before.otherPrompt.capacity() + after.otherPrompt.capacity()) * sizeof(QChar);
}

BoardEditCommand::BoardEditCommand(EditTarget& target, std::shared_ptr<EditEntry> entry, std::size_t& byteCount)
    : target_(target)
    , entry_(std::move(entry))
    , byteCount_(byteCount)
    , bytes_(bytesFor(*entry_))
{
    byteCount_ += bytes_;
}

std::size_t BoardEditCommand::bytesFor(const EditEntry& entry)
{
    // The command itself, its private part and the shared pointer's block.
    return entry.bytes() + sizeof(BoardEditCommand) + 128;
}

BoardEditCommand::~BoardEditCommand()
{
    byteCount_ -= bytes_;
}

void BoardEditCommand::undo()
{
    step(true);
}

void BoardEditCommand::redo()
{
    step(false);
}

void BoardEditCommand::step(bool back)
{
    if (skip_) {
        skip_ = false;
        return;
    }
    if (back)
        entry_->edit.undo(target_.editedBoard());
    else
        entry_->edit.redo(target_.editedBoard());
    target_.showEdit(entry_->edit, back ? entry_->before : entry_->after);
}
