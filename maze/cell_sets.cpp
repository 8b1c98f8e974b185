#include "cell_sets.h"

#include <numeric>

void CellSets::reset(int width, int height)
{
    const auto cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (fresh_ && parent_.size() == cells)
        return;
    fresh_ = true;
    parent_.resize(cells);
    std::iota(parent_.begin(), parent_.end(), 0);
}
