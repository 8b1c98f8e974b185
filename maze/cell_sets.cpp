#include "cell_sets.h"

void CellSets::reset(int width, int height)
{
    const auto cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (fresh_ && parent_.size() == cells)
        return;
    fresh_ = true;
    parent_.resize(cells);
    // Eight at a time, which the compiler keeps in vector registers.
    std::int32_t* parent = parent_.data();
    const auto n = static_cast<std::int32_t>(cells);
    std::int32_t block[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        for (int j = 0; j < 8; ++j)
            parent[i + j] = block[j];
        for (int j = 0; j < 8; ++j)
            block[j] += 8;
    }
    for (; i < n; ++i)
        parent[i] = i;
}
