#include "vorlix/eval/candidates.h"

#include "vorlix/game/board.h"

#include <cstring>

namespace vorlix {

void GenerateCandidates(int mode, CandidateList* out) {
    enum : std::uint8_t { kNone = 0, kTwo = 1, kOne = 2 };
    std::uint8_t mark[kCells + 1];
    std::memset(mark, kNone, sizeof mark);
    // Distance two first, so that distance one overrides it. Off-board entries of
    // LineCells are 0 and land harmlessly on mark[0].
    if (mode == kCandidatesBoth || mode == kCandidatesSecond) {
        for (int n = 1; n <= kCells; ++n) {
            if (Tabla[n] == kEmpty) continue;
            for (int d = 0; d < 4; ++d) {
                mark[LineCells[n][d][5]] = kTwo;
                mark[LineCells[n][d][9]] = kTwo;
            }
        }
    }
    for (int n = 1; n <= kCells; ++n) {
        if (Tabla[n] == kEmpty) continue;
        for (int d = 0; d < 4; ++d) {
            mark[LineCells[n][d][6]] = kOne;
            mark[LineCells[n][d][8]] = kOne;
        }
    }
    out->count = 0;
    if (mode == kCandidatesNear || mode == kCandidatesBoth)
        for (int n = 1; n <= kCells; ++n)
            if (mark[n] == kOne && Tabla[n] == kEmpty) out->cells[out->count++] = n;
    if (mode == kCandidatesBoth || mode == kCandidatesSecond)
        for (int n = 1; n <= kCells; ++n)
            if (mark[n] == kTwo && Tabla[n] == kEmpty) out->cells[out->count++] = n;
}

} // namespace vorlix
