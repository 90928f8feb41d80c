#pragma once
// The move list's sort: a diminishing-increment (Shell) sort, highest value first,
// with the increments h = 3h + 1 (1, 4, 13, 40, ...). Equal values keep the order the
// sort gives them, which the search's move order depends on.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace kelvor {

// Diminishing-increment sort, highest value first, increments h = 3h + 1, of which
// only the first `top` places are wanted: `v` keeps the sorted list's first `top`
// places, place for place.
//
// A pass with increment h is an insertion sort of each chain of places equal modulo h,
// and an insertion sort that moves an element only past smaller ones is stable: after
// the pass each chain holds its values highest first, equal values in their earlier
// order. An element's place in its chain is then the number of larger elements in the
// chain plus the equal ones before it, so the elements of at least some value V fill
// the first places of their chains whatever the smaller ones do. With V the top-th
// largest value, the sort is followed for those elements alone: a few dozen instead of
// every candidate of the ply.
template <class T, class Key> void ShellSortDescendingTop(std::vector<T>& v, size_t top, Key key) {
    const int n = static_cast<int>(v.size());
    top = std::min(top, v.size());
    if (top == 0) {
        v.clear();
        return;
    }
    thread_local std::vector<int> values;
    values.resize(v.size());
    for (size_t i = 0; i < v.size(); ++i) values[i] = key(v[i]);
    int least = *std::min_element(values.begin(), values.end());
    if (top < v.size()) {
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(top - 1),
                         values.end(), std::greater<int>());
        least = values[top - 1];
    }
    struct Entry {
        int value, place, item, chain;
    };
    thread_local std::vector<Entry> kept;
    kept.clear();
    for (int i = 0; i < n; ++i)
        if (key(v[static_cast<size_t>(i)]) >= least)
            kept.push_back(Entry{key(v[static_cast<size_t>(i)]), i, i, 0});
    int h = 1;
    while (h < n / 3) h = 3 * h + 1;
    for (; h >= 1; h /= 3) {
        // Chain by chain, highest value first, equal values in their places' order.
        for (Entry& e : kept) e.chain = e.place % h;
        std::sort(kept.begin(), kept.end(), [](const Entry& a, const Entry& b) {
            if (a.chain != b.chain) return a.chain < b.chain;
            return a.value != b.value ? a.value > b.value : a.place < b.place;
        });
        for (size_t i = 0, rank = 0; i < kept.size(); ++i) {
            rank = i > 0 && kept[i].chain == kept[i - 1].chain ? rank + 1 : 0;
            kept[i].place = kept[i].chain + h * static_cast<int>(rank);
        }
    }
    // The last pass (h = 1) left them in place order, from place 0.
    thread_local std::vector<T> chosen;
    chosen.resize(top);
    for (size_t i = 0; i < top; ++i) chosen[i] = v[static_cast<size_t>(kept[i].item)];
    v.swap(chosen);
}

} // namespace kelvor
