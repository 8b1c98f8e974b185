#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// The disjoint sets of cells that maze generation joins. Each cell names its
// set's label directly (quick-find), so telling whether two cells are already
// connected is two loads with no chain to follow; a join relabels the smaller
// set. Each set also keeps its smallest cell index (y * W + x), which is the
// root the generator reports.
//
// Cells are kept in column-major order, slot x * H + y: the order in which the
// generator's passes sweep, so their lookups walk memory forwards.
class CellSets {
public:
    // One set per cell; nothing to do when no join happened since the last
    // reset of the same size.
    void reset(int width, int height);

    int slot(int x, int y) const { return x * height_ + y; }
    int label(int slot) const { return label_[static_cast<std::size_t>(slot)]; }
    // The smallest cell index of the set that holds this slot.
    int root(int slot) const { return smallest_[static_cast<std::size_t>(label(slot))]; }

    // The label of every slot, for sweeps that look up many in a row. The
    // pointer stays valid until the next reset().
    const std::int32_t* labels() const { return label_.data(); }

    // Joins the sets with labels a and b (a != b).
    void joinLabels(int a, int b)
    {
        fresh_ = false;
        if (size_[at(a)] < size_[at(b)])
            std::swap(a, b);
        // A set's label is the first slot of its member list.
        for (int t = b; t != -1; t = next_[at(t)])
            label_[at(t)] = a;
        next_[at(last_[at(a)])] = b;
        last_[at(a)] = last_[at(b)];
        size_[at(a)] += size_[at(b)];
        if (smallest_[at(b)] < smallest_[at(a)])
            smallest_[at(a)] = smallest_[at(b)];
    }

private:
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }

    int height_ = 0;
    bool fresh_ = false;
    std::vector<std::int32_t> label_;    // per slot: label of its set
    std::vector<std::int32_t> next_;     // per slot: next member of its set, -1 at the end
    std::vector<std::int32_t> last_;     // per label: last member
    std::vector<std::int32_t> size_;     // per label: number of members
    std::vector<std::int32_t> smallest_; // per label: smallest cell index y * W + x
};
