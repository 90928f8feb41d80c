#pragma once
// The move list's sort: a diminishing-increment (Shell) sort, highest value first,
// with the increments h = 3h + 1 (1, 4, 13, 40, ...). Equal values keep the order the
// sort gives them, which the search's move order depends on.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvor {

// Diminishing-increment sort of `values`, highest first, increments h = 3h + 1, of
// which only the first `top` places are wanted: `order` receives, place for place, the
// indexes into `values` of the elements the whole sort puts there (at most 511 values).
//
// A pass with increment h is an insertion sort of each chain of places equal modulo h,
// and an insertion sort that moves an element only past smaller ones is stable: after
// the pass each chain holds its values highest first, equal values in their earlier
// order. An element's place in its chain is then the number of larger elements in the
// chain plus the equal ones before it, so the elements of at least some value V fill
// the first places of their chains whatever the smaller ones do. With V the top-th
// largest value, the sort is followed for those elements alone: a few dozen instead of
// every candidate of the ply.
inline void ShellSortTop(const std::vector<int>& values, size_t top, std::vector<int>& order) {
    order.clear();
    const int n = static_cast<int>(values.size());
    top = std::min(top, values.size());
    if (top == 0) return;
    // The top-th largest value: the largest `top` values met so far, highest first.
    // Most values are small and pass by with one comparison.
    thread_local std::vector<int> best;
    best.resize(top);
    size_t held = 0;
    for (const int value : values) {
        if (held == top) {
            if (value <= best[top - 1]) continue;
            --held;
        }
        size_t i = held++;
        for (; i > 0 && best[i - 1] < value; --i) best[i] = best[i - 1];
        best[i] = value;
    }
    const int least = best[top - 1];
    // An element is one word, ordered as a pass orders it: chain, value highest first,
    // place; below them the element's index, which rides along.
    constexpr int kPlace = 9, kValue = 18, kChain = 50;
    constexpr uint64_t kNine = 511;
    thread_local std::vector<uint64_t> kept;
    kept.clear();
    for (int i = 0; i < n; ++i) {
        const int value = values[static_cast<size_t>(i)];
        if (value < least) continue;
        const uint32_t descending = ~(static_cast<uint32_t>(value) ^ 0x80000000u);
        kept.push_back(uint64_t{descending} << kValue | uint64_t(i) << kPlace | uint64_t(i));
    }
    if (kept.size() == 1) { // a single largest value: no order to follow
        order.push_back(static_cast<int>(kept[0] & kNine));
        return;
    }
    int h = 1;
    while (h < n / 3) h = 3 * h + 1;
    for (; h >= 1; h /= 3) {
        // place mod h without a division: with m = ceil(2^20 / h) the quotient
        // (place x m) >> 20 is exact for places below 512 and h below 2048.
        const uint64_t m = ((uint64_t{1} << 20) + static_cast<uint64_t>(h) - 1) / h;
        for (uint64_t& e : kept) {
            const uint64_t place = (e >> kPlace) & kNine;
            const uint64_t chain = place - ((place * m) >> 20) * static_cast<uint64_t>(h);
            e = (e & ~(kNine << kChain)) | chain << kChain;
        }
        std::sort(kept.begin(), kept.end());
        uint64_t chain = ~uint64_t{0}, rank = 0;
        for (uint64_t& e : kept) {
            rank = e >> kChain == chain ? rank + 1 : 0;
            chain = e >> kChain;
            e = (e & ~(kNine << kPlace)) | (chain + static_cast<uint64_t>(h) * rank) << kPlace;
        }
    }
    // The last pass (h = 1) left them in place order, from place 0.
    for (size_t i = 0; i < top; ++i) order.push_back(static_cast<int>(kept[i] & kNine));
}

} // namespace kelvor
