#include "EditHistory.h"

#include <algorithm>
#include <memory>
#include <vector>

EditHistory::EditHistory(EditTarget& target)
    : target_(target)
{
}

EditHistory::~EditHistory() = default;

void EditHistory::push(BoardEdit edit, const ViewState& before, const ViewState& after)
{
    auto entry = std::make_shared<EditEntry>(EditEntry{std::move(edit), before, after});
    stack_.push(new BoardEditCommand(target_, std::move(entry), bytes_));
    dropOldest();
}

bool EditHistory::undo()
{
    if (!stack_.canUndo())
        return false;
    stack_.undo();
    return true;
}

bool EditHistory::redo()
{
    if (!stack_.canRedo())
        return false;
    stack_.redo();
    return true;
}

void EditHistory::clear()
{
    stack_.clear();
}

void EditHistory::setByteLimit(std::size_t limit)
{
    limit_ = limit;
    dropOldest();
}

// QUndoStack cannot let go of its oldest commands, and its own limit counts
// commands, not bytes. So the entries are taken out and the stack is built
// again without the oldest ones, down to nine tenths of the limit: one pass
// over the commands each time another tenth has been added, not on every
// edit once the limit is reached. The newest edit always stays.
void EditHistory::dropOldest()
{
    const int count = stack_.count();
    if (bytes_ <= limit_ || count <= 1)
        return;
    const std::size_t target = limit_ - limit_ / 10;
    std::vector<std::shared_ptr<EditEntry>> entries;
    entries.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        entries.push_back(static_cast<const BoardEditCommand*>(stack_.command(i))->entry());
    const int index = stack_.index();
    const int clean = stack_.cleanIndex();

    std::size_t kept = bytes_;
    int first = 0;
    // Only edits behind the present state go, and never the newest.
    while (first < std::min(index, count - 1) && kept > target) {
        kept -= BoardEditCommand::bytesFor(*entries[std::size_t(first)]);
        ++first;
    }
    if (first == 0)
        return;

    stack_.clear();
    // A saved state among the dropped edits can no longer be reached.
    if (clean < first)
        stack_.resetClean();
    for (int i = first; i < count; ++i) {
        if (i == clean)
            stack_.setClean();
        stack_.push(new BoardEditCommand(target_, std::move(entries[std::size_t(i)]), bytes_));
    }
    if (clean == count)
        stack_.setClean();
    // Edits that stood undone go back to undone, without touching the board.
    const int newIndex = index - first;
    for (int i = newIndex; i < stack_.count(); ++i)
        static_cast<BoardEditCommand*>(const_cast<QUndoCommand*>(stack_.command(i)))->skipNext();
    stack_.setIndex(newIndex);
}
