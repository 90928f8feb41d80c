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
}

// A line holds the record of the colour its walk met first and, when `again` is set,
// one of the other colour. With no stone met, the record is read for the side to move.
void CellSums::Add(CellSum& s, const LinePattern& lp, int toMove, int dir, int sign) const {
    const int first = lp.colour ? lp.colour : toMove;
    const int other = Other(toMove);
    for (int k = 0; k < 2; ++k) {
        const int record = k == 0 ? lp.record : lp.again;
        if (record < 0) break;
        const int colour = k == 0 ? first : Other(first);
        const RecordInfo& i = Info(colour, record);
        if (colour == toMove) {
            s.own += sign * i.own;
            s.fives += static_cast<int8_t>(sign * (i.kind == kFive));
            s.strong += static_cast<int8_t>(sign * i.strong);
            const bool t100 = i.threat && (i.kind == kClosedThree || i.kind == kOpenTwo);
            s.threat100 += static_cast<int8_t>(sign * t100);
            s.threat50 += static_cast<int8_t>(sign * (i.threat && !t100));
            s.overline +=
                static_cast<int8_t>(sign * (i.kind == kOverline || i.kind == kDoubleFour));
        } else {
            s.opp += sign * i.opp;
            if (i.strong) s.oppStrong = static_cast<uint8_t>(s.oppStrong + sign * (1 << dir));
        }
    }
    s.unknown += static_cast<int8_t>(sign * (lp.colour == other && lp.again < 0));
}

CellSum CellSums::Of(const LinePattern (&lines)[4], int toMove) const {
    CellSum s;
    for (int dir = 0; dir < 4; ++dir) Add(s, lines[dir], toMove, dir, +1);
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
