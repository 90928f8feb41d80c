#include "vorlix/eval/e1_evaluator.h"
#include "vorlix/eval/engine_work.h"

#include "vorlix/eval/linepattern.h"
#include "vorlix/game/internal_error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vorlix {

TE1Evaluator::TE1Evaluator(TJatekos* owner) : TKepesseg(owner) {
    for (int k = 1; k <= 4; ++k) {
        float s = std::sqrt(static_cast<float>(k));
        W[0][k] = W[k][0] = 0.0009f / s;
        W[k][k] = 0.0008f / s;
    }
    W[1][2] = W[2][1] = 0.00035f;
}

TE1Evaluator::~TE1Evaluator() = default;

void TE1Evaluator::LoadTables(const std::string& folder) {
    ReadCodeValueFile(folder + FileNames[0], 1, &CodeValue, nullptr);
    ReadMatrixFile(folder + FileNames[1], &Pair);
    BuildDirectionTable(Pair, &Dir);
}

std::int32_t TE1Evaluator::Halve(std::int32_t sum, const std::int32_t* c) const {
    if (FullValue) return sum;
    int lines = (c[0] > 0) + (c[1] > 0) + (c[2] > 0) + (c[3] > 0);
    // A cell with a pattern in one direction only is worth half, unless it is strong.
    return (lines < 2 && sum < 500) ? sum / 2 : sum;
}

std::int32_t TE1Evaluator::FullCellValue(int cell, int colour) const {
    std::int32_t c[4], sum = 0;
    for (int d = 0; d < 4; ++d) {
        LineResult r = ClassifyLine(LineCells[cell][d], colour);
        c[d] = r.lineClass;
        sum += CodeValue[r.lineCode];
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            if (c[a] > 0) sum += Pair[c[a]][c[b]];
    return Halve(sum, c);
}

void TE1Evaluator::CacheCell(int cell, int colour) {
    for (int d = 0; d < 4; ++d) {
        LineResult r = ClassifyLine(LineCells[cell][d], colour);
        Cache->Class[colour][cell][d] = r.lineClass;
        Cache->Code[colour][cell][d] = r.lineCode;
    }
}

std::int32_t TE1Evaluator::CachedCellValue(int cell, int colour) const {
    const std::int32_t* c = Cache->Class[colour][cell];
    const std::int32_t* k = Cache->Code[colour][cell];
    std::int32_t sum = Dir[c[0]][c[1]][c[2]][c[3]] + CodeValue[k[0]] + CodeValue[k[1]] +
                       CodeValue[k[2]] + CodeValue[k[3]];
    return Halve(sum, c);
}

float TE1Evaluator::PositionValue(const std::int32_t* cells, int count) {
    if (!Cache) {
        Cache = std::make_unique<E1Cache>();
        CacheOwned = 1;
    }
    Cache->Marker = -1.0f;
    std::fill(std::begin(Cache->Listed), std::end(Cache->Listed), std::uint8_t{0});
    const int own = ColourToMove, opp = Opponent(ColourToMove);
    double sOwn = 0, sOpp = 0;
    for (int i = 0; i < count; ++i) {
        int n = cells[i];
        if (n < 1 || n > kCells)
            throw InternalError("E1", "Assertion failure", "cell " + std::to_string(n));
        if (Tabla[n] != kEmpty) continue;
        Cache->Listed[n] = 1;
        for (int colour = 1; colour <= 2; ++colour) {
            CacheCell(n, colour);
            Cache->Value[colour][n] = CachedCellValue(n, colour);
        }
        sOwn += Cache->Value[own][n];
        sOpp += Cache->Value[opp][n];
    }
    Cache->PositionValue = static_cast<float>((OwnWeight * sOwn - sOpp) * Szorzo);
    return Cache->PositionValue;
}

void TE1Evaluator::Save(int cell, int dir, bool colour1, bool colour2) {
    if (undoTop_ >= static_cast<int>(std::size(undo_)))
        throw InternalError("E1", "Assertion failure", "E1 undo stack full");
    Undo& u = undo_[undoTop_++];
    u.cell = static_cast<std::int16_t>(cell);
    u.dir = static_cast<std::int16_t>(dir);
    for (int c = 1; c <= 2; ++c) {
        bool save = c == 1 ? colour1 : colour2;
        u.cls[c] = save ? Cache->Class[c][cell][dir] : -1;
        u.code[c] = Cache->Code[c][cell][dir];
        u.value[c] = Cache->Value[c][cell];
    }
}

void TE1Evaluator::RestoreTo(int top) {
    while (undoTop_ > top) {
        const Undo& u = undo_[--undoTop_];
        for (int c = 1; c <= 2; ++c) {
            if (u.cls[c] < 0) continue;
            Cache->Class[c][u.cell][u.dir] = u.cls[c];
            Cache->Code[c][u.cell][u.dir] = u.code[c];
            Cache->Value[c][u.cell] = u.value[c];
        }
    }
}

void TE1Evaluator::Refresh(int centre, int k, std::int32_t* dk, int l, std::int32_t* dl) {
    for (int d = 0; d < 4; ++d)
        for (int off = 3; off <= 11; ++off) {
            int n = LineCells[centre][d][off];
            if (n == 0 || Tabla[n] != kEmpty) continue;
            Save(n, d, k == 1 || l == 1, k == 2 || l == 2);
            for (int colour : {k, l}) {
                if (colour == 0) continue;
                LineResult r = ClassifyLine(LineCells[n][d], colour);
                Cache->Class[colour][n][d] = r.lineClass;
                Cache->Code[colour][n][d] = r.lineCode;
                std::int32_t v = CachedCellValue(n, colour);
                *(colour == k ? dk : dl) += v - Cache->Value[colour][n];
                Cache->Value[colour][n] = v;
            }
        }
}

float TE1Evaluator::MoveValue(int cell) {
    ++Work().MoveValues;
    if (!Cache) throw InternalError("E1", "Assertion failure", "MoveValue before PositionValue");
    if (cell < 1 || cell > kCells || Tabla[cell] != kEmpty)
        throw InternalError("E1", "Assertion failure", "MoveValue on cell " + std::to_string(cell));
    const int k = ColourToMove, l = Opponent(ColourToMove);
    const int base = undoTop_;
    Tabla[cell] = static_cast<std::uint8_t>(k);
    std::int32_t dK = -Cache->Value[k][cell], dL = -Cache->Value[l][cell];
    Refresh(cell, k, &dK, l, &dL);
#ifndef NDEBUG
    std::string why;
    if (!CheckCache(&why)) throw InternalError("E1", "Assertion failure", why);
#endif
    // The opponent's answers: the mover's best cells, ties to the earlier cell.
    std::int32_t* kept = Cache->Work;
    const int replies = ReplyCount < 0 ? 0 : (ReplyCount > kCells ? kCells : ReplyCount);
    int nKept = 0;
    for (int n = 1; n <= kCells; ++n) {
        if (Tabla[n] != kEmpty) continue;
        std::int32_t v = Cache->Value[k][n];
        int pos = nKept;
        while (pos > 0 && Cache->Value[k][kept[pos - 1]] < v) --pos;
        if (pos >= replies) continue;
        int last = nKept < replies ? nKept : replies - 1;
        for (int i = last; i > pos; --i) kept[i] = kept[i - 1];
        kept[pos] = n;
        if (nKept < replies) ++nKept;
    }
    while (nKept > 0 && Cache->Value[k][kept[nKept - 1]] < Cache->Value[k][kept[0]] - ReplyWidth)
        --nKept;
    std::int32_t result = dK;
    for (int i = 0; i < nKept; ++i) {
        int r = kept[i];
        const int top = undoTop_;
        Tabla[r] = static_cast<std::uint8_t>(l);
        std::int32_t dReply = dK - Cache->Value[k][r];
        Refresh(r, k, &dReply, 0, nullptr);
        if (i == 0 || dReply < result) result = dReply;
        Tabla[r] = kEmpty;
        RestoreTo(top);
    }
    Tabla[cell] = kEmpty;
    RestoreTo(base);
    return static_cast<float>((OwnWeight * result - dL) * Szorzo) + Cache->PositionValue;
}

float TE1Evaluator::SecondScore(int cell) {
    ++Work().MoveValues;
    if (cell < 1 || cell > kCells || Tabla[cell] != kEmpty)
        throw InternalError("E1", "Assertion failure",
                            "SecondScore on cell " + std::to_string(cell));
    const int k = ColourToMove, l = Opponent(ColourToMove);
    static std::int32_t A[kCells + 1], C[kCells + 1];
    Tabla[cell] = static_cast<std::uint8_t>(k);
    double best = -9999.0;
    int follow = 0;
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) {
            int c = CellIndex(x, y);
            if (Tabla[c] != kEmpty) continue;
            A[c] = FullCellValue(c, l);
            std::int32_t b = FullCellValue(c, k);
            if (b > best) best = b, follow = c;
        }
    FollowUp = follow;
    for (int c = 1; c <= kCells; ++c) C[c] = 0;
    if (follow) {
        Tabla[follow] = static_cast<std::uint8_t>(l);
        for (int c = 1; c <= kCells; ++c) C[c] = Tabla[c] == kEmpty ? FullCellValue(c, k) : 0;
        Tabla[follow] = kEmpty;
    }
    double s1 = 0, s2 = 0;
    for (int c = 1; c <= kCells; ++c) {
        if (Tabla[c] != kEmpty) continue;
        const int cx = CellX(c), cy = CellY(c);
        double sa = 0, sc = 0;
        for (int x = cx - 4; x <= cx + 4; ++x)
            for (int y = cy - 4; y <= cy + 4; ++y) {
                if (!OnBoard(x, y)) continue;
                int n = CellIndex(x, y);
                if (Tabla[n] != kEmpty) continue;
                float w = W[std::abs(x - cx)][std::abs(y - cy)];
                if (w <= 0) continue;
                // The products are 32-bit integers, the sums floating point.
                sa += w * static_cast<std::int32_t>(static_cast<std::uint32_t>(A[n]) *
                                                    static_cast<std::uint32_t>(A[c]));
                sc += w * static_cast<std::int32_t>(static_cast<std::uint32_t>(C[n]) *
                                                    static_cast<std::uint32_t>(C[c]));
            }
        s1 += (A[c] + sa) / 2;
        s2 += (C[c] + sc) / 2;
    }
    Tabla[cell] = kEmpty;
    return static_cast<float>(-(OwnWeight * s1 - s2) * Szorzo);
}

bool TE1Evaluator::CheckCache(std::string* why) const {
    if (!Cache) return true;
    for (int n = 1; n <= kCells; ++n) {
        if (Tabla[n] != kEmpty || !Cache->Listed[n]) continue;
        for (int colour = 1; colour <= 2; ++colour) {
            for (int d = 0; d < 4; ++d) {
                LineResult r = ClassifyLine(LineCells[n][d], colour);
                if (r.lineClass != Cache->Class[colour][n][d] ||
                    r.lineCode != Cache->Code[colour][n][d]) {
                    if (why)
                        *why = "E1 cache: cell " + std::to_string(n) + " colour " +
                               std::to_string(colour) + " direction " + std::to_string(d) +
                               " holds code " + std::to_string(Cache->Code[colour][n][d]) +
                               ", board gives " + std::to_string(r.lineCode);
                    return false;
                }
            }
            // The classes and codes match the board, so the cached formula on them is
            // the fresh value.
            if (CachedCellValue(n, colour) != Cache->Value[colour][n]) {
                if (why)
                    *why = "E1 cache: cell " + std::to_string(n) + " colour " +
                           std::to_string(colour) + " holds value " +
                           std::to_string(Cache->Value[colour][n]) + ", tables give " +
                           std::to_string(CachedCellValue(n, colour));
                return false;
            }
        }
    }
    return true;
}

void TE1Evaluator::ShowProperties(TTextList& target) const {
    TKepesseg::ShowProperties(target);
    char buf[48];
    std::snprintf(buf, sizeof buf, "Szorzó:%.4g", static_cast<double>(Szorzo));
    target.push_back(buf);
}

} // namespace vorlix
