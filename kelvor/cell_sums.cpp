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

// The records come from 16-bit files, so their scores fit the compact fields.
void CellSums::Prepare(const PatternTables& tables, int variant, bool exactFive) {
    for (int colour = kBlack; colour <= kWhite; ++colour) {
        auto& info = info_[colour - 1];
        info.resize(kRecordCount);
        for (int r = 0; r < kRecordCount; ++r) {
            const int* rec = tables.Record(r);
            const int column = ScoreColumn(rec, variant, exactFive, colour);
            RecordInfo& i = info[static_cast<size_t>(r)];
            i.own = static_cast<int16_t>(rec[column]);
            i.opp = static_cast<int16_t>(rec[column + 1]);
            i.kind = static_cast<int8_t>(KindOf(rec, variant, exactFive, colour));
            i.threat = IsThreatKind(i.kind);
            i.strong = IsStrongKind(i.kind);
        }
    }
    for (int toMove = kBlack; toMove <= kWhite; ++toMove) {
        auto& own = ownPart_[toMove - 1];
        auto& opp = oppPart_[toMove - 1];
        own.assign(kRecordCount, CellSum{});
        opp.assign(kRecordCount, CellSum{});
        for (int r = 0; r < kRecordCount; ++r) {
            const RecordInfo& i = Info(toMove, r);
            CellSum& o = own[static_cast<size_t>(r)];
            o.own = i.own;
            const bool t100 = i.threat && (i.kind == kClosedThree || i.kind == kOpenTwo);
            auto count = [&](bool yes, CellSum::Count c) {
                if (yes) o.counts += CellSum::One(c);
            };
            count(i.kind == kFive, CellSum::kFives);
            count(i.strong, CellSum::kStrong);
            count(t100, CellSum::kThreat100);
            count(i.threat && !t100, CellSum::kThreat50);
            count(i.kind == kOverline || i.kind == kDoubleFour, CellSum::kOverline);
            const RecordInfo& j = Info(Other(toMove), r);
            CellSum& p = opp[static_cast<size_t>(r)];
            p.opp = j.opp;
            if (j.strong) p.counts = CellSum::One(CellSum::kOppStrong);
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
