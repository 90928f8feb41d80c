#include "kelvor/table_check.h"

#include "kelvor/board.h"
#include "kelvor/pattern_walk.h"

#include <stdexcept>

namespace kelvor {

namespace {

// The records alone: their cell counts must fit the record.
bool RecordsAreSound(const PatternTables& t) {
    for (int r = 0; r < kRecordCount; ++r) {
        const int* rec = t.Record(r);
        const int cells = rec[kKeyCount] + rec[kDefenceCount];
        if (rec[kKeyCount] < 0 || rec[kDefenceCount] < 0 || cells > kRecordCellSlots) return false;
    }
    return true;
}

// Four stones of `colour` on row 7 of a 15 x 15 board, columns 5..9 but for `gap`,
// where the walk starts; the cells at both ends stay empty (no overline).
bool SeesFive(const PatternTables& t, int colour, int gap) {
    BoardGrid board{};
    for (int x = 5; x < 10; ++x)
        if (x != 5 + gap) board[x][7] = colour;
    const LineWalk w = WalkLine(t, board, 15, 5 + gap, 7, 0, colour);
    const int* rec = t.Record(w.record);
    return rec[kBlackKind] == kFive && rec[kWhiteKind] == kFive;
}

} // namespace

std::string TableFault(const PatternTables& t) {
    if (!RecordsAreSound(t)) return "renju.scs is not valid: a record lists too many cells";
    // The records are sound, so what remains of the walk's soundness is the automaton's.
    if (!TablesAreSound(t)) return "renju.tbl is not valid: a walk leaves the tables or never ends";
    try {
        for (int colour : {kBlack, kWhite})
            for (int gap = 0; gap < 5; ++gap)
                if (!SeesFive(t, colour, gap))
                    return "renju.scs is not valid: its records cannot score a five";
    } catch (const std::exception&) {
        return "renju.tbl is not valid: a walk leaves the tables or never ends";
    }
    return {};
}

} // namespace kelvor
