#pragma once
// The move list's sort: a diminishing-increment (Shell) sort, highest value first,
// with the increments h = 3h + 1 (1, 4, 13, 40, ...). Equal values keep the order the
// sort gives them, which the search's move order depends on.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace kelvor {

// Diminishing-increment sort, highest value first, increments h = 3h + 1, of which
// only the first `top` places are wanted. The last pass (h = 1) is an insertion sort,
// which keeps equal values in the order the earlier passes left them: so the first
// `top` places are those of a selection by value that breaks ties by that order, and
// that selection (a partial sort) replaces the last pass. `v` keeps the sorted list's first `top`
// places, place for place.
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
    if (top == 0) {
        v.clear();
        return;
    }
    // The insertion pass is stable: it orders by value, and equal values by their place
    // after the earlier passes. A partial sort by the same two keys picks the same
    // first `top` places in n log(top) steps instead of top x n.
    thread_local std::vector<std::pair<int, int>> keys; // value, place
    keys.resize(v.size());
    for (size_t i = 0; i < v.size(); ++i) keys[i] = {key(v[i]), static_cast<int>(i)};
    std::partial_sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(top), keys.end(),
                      [](const std::pair<int, int>& a, const std::pair<int, int>& b) {
                          return a.first != b.first ? a.first > b.first : a.second < b.second;
                      });
    thread_local std::vector<T> chosen;
    chosen.resize(top);
    for (size_t i = 0; i < top; ++i) chosen[i] = v[static_cast<size_t>(keys[i].second)];
    v.swap(chosen);
    v.resize(top);
}

} // namespace kelvor
