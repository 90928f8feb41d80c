#include "kelvor/pattern_walk.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace kelvor {

namespace {

// The most steps a walk can take from `state` before reaching a record, whatever it
// reads; kMaxWalkSteps + 1 when a reachable cycle or a longer path exists. `depth` holds
// the answers found so far (-1 unknown, -2 on the current path).
int LongestWalk(const PatternTables& t, int state, std::vector<int>& depth) {
    if (depth[static_cast<size_t>(state)] == -2) return kMaxWalkSteps + 1; // a cycle
    if (depth[static_cast<size_t>(state)] >= 0) return depth[static_cast<size_t>(state)];
    depth[static_cast<size_t>(state)] = -2;
    int longest = 1;
    for (int k = 1; k < 4 && longest <= kMaxWalkSteps; ++k) {
        const int next = t.State(state)[k] < 0 ? -t.State(state)[k] : t.State(state)[k];
        if (next < kRecordBase) longest = std::max(longest, 1 + LongestWalk(t, next, depth));
    }
    depth[static_cast<size_t>(state)] = std::min(longest, kMaxWalkSteps + 1);
    return depth[static_cast<size_t>(state)];
}

} // namespace

bool TablesAreSound(const PatternTables& t) {
    for (int s = 0; s < kStateCount; ++s) {
        const int* st = t.State(s);
        if (st[0] < -10 || st[0] > 10) return false;
        for (int k = 1; k < 4; ++k) {
            int next = st[k] < 0 ? -st[k] : st[k];
            if (next >= kRecordBase ? next - kRecordBase >= kRecordCount : next >= kStateCount)
                return false;
        }
    }
    for (int r = 0; r < kRecordCount; ++r) {
        const int* rec = t.Record(r);
        if (rec[kKeyCount] < 0 || rec[kDefenceCount] < 0 ||
            rec[kKeyCount] + rec[kDefenceCount] > kRecordCellSlots)
            return false;
        for (int i = 0; i < rec[kKeyCount] + rec[kDefenceCount]; ++i)
            if (rec[kFirstCell + i] < -10 || rec[kFirstCell + i] > 10) return false;
    }
    // Every walk must reach a record: a cycle or an overlong path among the states
    // reachable from the start would make the walk throw in the middle of a search.
    std::vector<int> depth(kStateCount, -1);
    return LongestWalk(t, 0, depth) <= kMaxWalkSteps;
}

} // namespace kelvor
