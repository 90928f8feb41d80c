#include "kelvor/pattern_walk.h"

#include <stdexcept>

namespace kelvor {

LineWalk WalkLine(const PatternTables& tables, const BoardGrid& board, int n, int x, int y, int dir,
                  int colour) {
    LineWalk w;
    w.colour = colour;
    int state = 0, mirror = 1;
    for (int step = 0; step < 64; ++step) {
        const int* s = tables.State(state);
        int off = s[0] * mirror;
        int cx = x + off * kDirX[dir], cy = y + off * kDirY[dir];
        int kind = 1;
        if (OnBoard(n, cx, cy)) {
            int v = board[cx][cy];
            if (v == kBlack || v == kWhite) {
                if (w.colour == 0) w.colour = v;
                int& nearest = off > 0 ? w.nearestPlus : w.nearestMinus;
                if (nearest == 0) nearest = v;
                kind = v == w.colour ? 3 : 1;
            } else {
                kind = 2;
            }
        }
        int next = s[kind];
        if (next < 0) {
            next = -next;
            mirror = -mirror;
        }
        if (next >= kRecordBase) {
            if (next - kRecordBase >= kRecordCount) break;
            w.record = next - kRecordBase;
            return w;
        }
        if (next >= kStateCount) break;
        state = next;
    }
    throw std::runtime_error("pattern automaton does not end");
}

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
    return true;
}

} // namespace kelvor
