#include "kelvor/cell_sums.h"

namespace kelvor {

namespace {

bool IsThreatKind(int k) {
    return k == kTwo || k == kOpenTwo || k == kClosedThree || k == kOne || k == kOpenOne;
}
bool IsStrongKind(int k) {
    return k == kThree || k == kFour || k == kDoubleFour;
}

} // namespace

int KindOf(const int* rec, int variant, bool exactFive, int colour) {
    const bool exact = variant == 0 ? colour == kBlack : exactFive;
    return rec[exact ? kBlackKind : kWhiteKind];
}

int ScoreColumn(const int* rec, int variant, bool exactFive, int colour) {
    if (variant == 0) return colour == kWhite ? kWhiteOwn : kBlackOwn;
    if (exactFive && rec[kBlackKind] != rec[kWhiteKind]) return kBlackOwn;
    return kWhiteOwn;
}

void CellSums::Prepare(const PatternTables& tables, int variant, bool exactFive) {
    for (int toMove = kBlack; toMove <= kWhite; ++toMove) {
        auto& own = ownPart_[toMove - 1];
        auto& opp = oppPart_[toMove - 1];
        own.assign(kRecordCount, CellSum{});
        opp.assign(kRecordCount, CellSum{});
        for (int r = 0; r < kRecordCount; ++r) {
            const int* rec = tables.Record(r);
            // As an own record: the side to move's reading of it.
            const int kind = KindOf(rec, variant, exactFive, toMove);
            CellSum& o = own[static_cast<size_t>(r)];
            o.own = rec[ScoreColumn(rec, variant, exactFive, toMove)];
            const bool threat = IsThreatKind(kind);
            const bool t100 = threat && (kind == kClosedThree || kind == kOpenTwo);
            auto count = [&](bool yes, CellSum::Count c) {
                if (yes) o.counts += CellSum::One(c);
            };
            count(kind == kFive, CellSum::kFives);
            count(IsStrongKind(kind), CellSum::kStrong);
            count(t100, CellSum::kThreat100);
            count(threat && !t100, CellSum::kThreat50);
            count(kind == kOverline || kind == kDoubleFour, CellSum::kOverline);
            // As the opponent's: the opponent's reading, its score against the side to move.
            const int other = Other(toMove);
            CellSum& p = opp[static_cast<size_t>(r)];
            p.opp = rec[ScoreColumn(rec, variant, exactFive, other) + 1];
            if (IsStrongKind(KindOf(rec, variant, exactFive, other)))
                p.counts = CellSum::One(CellSum::kOppStrong);
        }
    }
}

CellSum CellSums::Of(const LinePattern (&lines)[4], int toMove) const {
    CellSum s;
    for (int dir = 0; dir < 4; ++dir) s.Add(Part(lines[dir], toMove, dir));
    return s;
}

void CellSums::Rebuild(const LinePatterns& lines, const BoardGrid& board, int n) {
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (IsFree(board[x][y])) {
                const LinePattern lp[4] = {lines.At(x, y, 0), lines.At(x, y, 1), lines.At(x, y, 2),
                                           lines.At(x, y, 3)};
                for (int c = 0; c < 2; ++c) sums_[c][x * kMaxSize + y] = Of(lp, c + 1);
            }
}

std::string CellSums::Mismatch(const LinePatterns& lines, const BoardGrid& board, int n) const {
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (IsFree(board[x][y])) {
                const LinePattern lp[4] = {lines.At(x, y, 0), lines.At(x, y, 1), lines.At(x, y, 2),
                                           lines.At(x, y, 3)};
                for (int c = 0; c < 2; ++c)
                    if (!(sums_[c][x * kMaxSize + y] == Of(lp, c + 1)))
                        return CellText(x, y) + " for colour " + std::to_string(c + 1);
            }
    return {};
}

} // namespace kelvor
