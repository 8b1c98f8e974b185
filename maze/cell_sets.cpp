#include "cell_sets.h"

void CellSets::reset(int width, int height)
{
    if (fresh_ && height_ == height && label_.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    height_ = height;
    fresh_ = true;
    const auto cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    label_.resize(cells);
    next_.assign(cells, -1);
    last_.resize(cells);
    size_.assign(cells, 1);
    smallest_.resize(cells);
    std::size_t t = 0;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y, ++t) {
            label_[t] = static_cast<std::int32_t>(t);
            last_[t] = static_cast<std::int32_t>(t);
            smallest_[t] = y * width + x;
        }
    }
}
