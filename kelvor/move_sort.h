#pragma once
// The move list's sort: a diminishing-increment (Shell) sort, highest value first,
// with the increments h = 3h + 1 (1, 4, 13, 40, ...). Equal values keep the order the
// sort gives them, which the search's move order depends on.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace kelvor {

// Diminishing-increment sort, highest value first, increments h = 3h + 1, of which
// only the first `top` places are wanted. The last pass (h = 1) is an insertion sort,
// which keeps equal values in the order the earlier passes left them: so the first
// `top` places are those of a selection by value that breaks ties by that order, and
// that selection replaces the last pass. `v` keeps the sorted list's first `top` places,
// place for place.
template <class T, class Key> void ShellSortDescendingTop(std::vector<T>& v, size_t top, Key key) {
    int n = static_cast<int>(v.size());
    int h = 1;
    while (h < n / 3) h = 3 * h + 1;
    for (; h > 1; h /= 3)
        for (int i = h; i < n; ++i) {
            T t = v[i];
            int j = i;
            for (; j >= h && key(v[j - h]) < key(t); j -= h) v[j] = v[j - h];
            v[j] = t;
        }
    top = std::min(top, v.size());
    for (size_t i = 0; i < top; ++i) {
        size_t best = i;
        for (size_t j = i + 1; j < v.size(); ++j)
            if (key(v[best]) < key(v[j])) best = j;
        // Shifting keeps the order of the places not yet chosen.
        T t = v[best];
        for (size_t j = best; j > i; --j) v[j] = v[j - 1];
        v[i] = t;
    }
    v.resize(top);
}

} // namespace kelvor
