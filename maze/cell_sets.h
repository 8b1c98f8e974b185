#pragma once

#include <cstdint>
#include <vector>

// The disjoint sets of cells that maze generation joins: a union-find forest
// over the cell indices y * W + x, in one array of parents. A root is its
// own parent, and a join hangs the root with the larger index under the
// root with the smaller, so the root of every set is its smallest cell
// index. Finding a root points the cell straight at it, so nearly every
// cell's parent is its root or one step below it.
class CellSets {
public:
    // The parents for a tight loop, by a plain pointer that stays in a
    // register: valid until the next reset().
    struct Forest {
        std::int32_t* parent;

        // Up to the grandparent without a branch to mispredict; a cell
        // further down is rare.
        int find(int cell) const
        {
            const int up = parent[cell];
            const int root = parent[up];
            if (parent[root] != root) [[unlikely]]
                return findFar(cell, root);
            parent[cell] = root;
            return root;
        }
        // Joins the sets of the roots a and b (a != b); returns the new root.
        int join(int a, int b) const
        {
            if (a < b) {
                parent[b] = a;
                return a;
            }
            parent[a] = b;
            return b;
        }

    private:
        // The root beyond `up`; every cell on the way then points to it.
        int findFar(int cell, int up) const
        {
            int root = up;
            while (parent[root] != root)
                root = parent[root];
            while (parent[cell] != root) {
                const int next = parent[cell];
                parent[cell] = root;
                cell = next;
            }
            return root;
        }
    };

    // One set per cell; nothing to do when nothing was joined since the
    // last reset of the same size. The array is kept when its size is.
    void reset(int width, int height);

    // For sweeps that may join: the sets are no longer fresh.
    Forest forest()
    {
        fresh_ = false;
        return {parent_.data()};
    }
    // The root of the cell's set, changing nothing.
    int root(int cell) const
    {
        while (parent_[at(cell)] != cell)
            cell = parent_[at(cell)];
        return cell;
    }

private:
    static std::size_t at(int i) { return static_cast<std::size_t>(i); }

    bool fresh_ = false;
    std::vector<std::int32_t> parent_;
};
