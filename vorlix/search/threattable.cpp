#include "vorlix/search/threattable.h"

#include "vorlix/eval/linepattern.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"

#include <bit>

namespace vorlix {

int TCellSet::Count() const {
    return std::popcount(w_[0]) + std::popcount(w_[1]) + std::popcount(w_[2]) +
           std::popcount(w_[3]);
}

int TCellSet::Next(int cell) const {
    int from = cell + 1;
    if (from > kCells) return 0;
    int word = from >> 6;
    std::uint64_t bits = w_[word] & (~std::uint64_t{0} << (from & 63));
    for (;;) {
        if (bits) return word * 64 + std::countr_zero(bits);
        if (++word == 4) return 0;
        bits = w_[word];
    }
}

TCellSet TCellSet::Minus(const TCellSet& other) const {
    TCellSet r;
    for (int i = 0; i < 4; ++i) r.w_[i] = w_[i] & ~other.w_[i];
    return r;
}

namespace {
TNeighbourTable BuildNeighbourTable() {
    TNeighbourTable t;
    for (int cell = 1; cell <= kCells; ++cell) {
        for (int d = 0; d < 4; ++d) {
            TNeighbourLine& line = t.Lines[cell][d];
            for (int k = 1; k <= 4; ++k) {
                for (int side : {-1, 1}) {
                    int n = LineCells[cell][d][7 + side * k];
                    if (n == 0) continue;
                    line.Cells[line.Count++] = static_cast<std::uint8_t>(n);
                    t.Near[cell].Add(n);
                }
            }
        }
    }
    return t;
}
} // namespace

const TNeighbourTable& NeighbourTable() {
    // LineCells is filled before main; the first caller runs after that.
    static const TNeighbourTable table = BuildNeighbourTable();
    return table;
}

bool TThreatTable::ComputeLine(int cell, int dir) {
    std::uint8_t code = kThreatNone, completion = 0;
    std::uint8_t state = Tabla[cell];
    // The cell itself is never read by the classifier; an opponent stone there simply
    // means this colour can make nothing through it.
    if (state == kEmpty || state == colour_) {
        code = ClassifyThreat(LineCells[cell][dir], colour_);
        if (code == kThreatFour) completion = LineCells[cell][dir][7 + ThreatKey1];
    }
    const bool changed = code != code_[cell][dir] || completion != completion_[cell][dir];
    code_[cell][dir] = code;
    completion_[cell][dir] = completion;
    return changed;
}

void TThreatTable::Summarise(int cell) {
    const std::uint8_t* c = code_[cell];
    const std::uint8_t state = Tabla[cell];
    std::uint8_t summary = kThreatNone, threeDir = 0, threeMask = 0;
    bool five = false;
    for (int d = 0; d < 4; ++d)
        threeMask |= static_cast<std::uint8_t>((c[d] == kThreatOpenThree) << d);
    if (state == kEmpty) {
        const int fours = (c[0] == kThreatFour) + (c[1] == kThreatFour) + (c[2] == kThreatFour) +
                          (c[3] == kThreatFour);
        auto any = [c](std::uint8_t code) {
            return c[0] == code || c[1] == code || c[2] == code || c[3] == code;
        };
        summary = any(kThreatFive)                     ? kThreatFive
                  : any(kThreatOpenFour) || fours >= 2 ? kThreatOpenFour
                  : fours == 1                         ? kThreatFour
                  : threeMask                          ? kThreatOpenThree
                                                       : kThreatNone;
        if (summary == kThreatOpenThree)
            threeDir = static_cast<std::uint8_t>(std::countr_zero(threeMask));
        threeMask = 0;
    } else if (state == colour_) {
        five = c[0] == kThreatFive || c[1] == kThreatFive || c[2] == kThreatFive ||
               c[3] == kThreatFive;
    } else {
        threeMask = 0;
    }
    summary_[cell] = summary;
    threeDirection_[cell] = threeDir;
    threeMask_[cell] = threeMask;
    fourCells_.Set(cell, summary == kThreatOpenFour || summary == kThreatFour);
    threeCells_.Set(cell, summary == kThreatOpenThree);
    threeStones_.Set(cell, threeMask != 0);
    fiveStones_.Set(cell, five);
}

void TThreatTable::Compute() {
    undoTop_ = 0;
    frames_ = 0;
    for (int cell = 1; cell <= kCells; ++cell) {
        for (int d = 0; d < 4; ++d) ComputeLine(cell, d);
        Summarise(cell);
    }
}

void TThreatTable::CellChanged(int cell) {
    const TNeighbourTable& nb = NeighbourTable();
    for (int d = 0; d < 4; ++d) {
        ComputeLine(cell, d);
        const TNeighbourLine& line = nb.Lines[cell][d];
        for (int i = 0; i < line.Count; ++i) {
            const int n = line.Cells[i];
            // Only this line of n read the changed cell; n's own state is the same.
            if (ComputeLine(n, d)) Summarise(n);
        }
    }
    Summarise(cell);
}

void TThreatTable::Push(int cell) {
    if (frames_ == kCells)
        throw InternalError("threattable", "Assertion failure", "too many stones");
    frameStart_[frames_] = static_cast<std::uint16_t>(undoTop_);
    frameCell_[frames_++] = static_cast<std::uint8_t>(cell);
    auto remember = [this](int c, int d) {
        undo_[undoTop_++] = TUndo{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d),
                                  code_[c][d], completion_[c][d]};
    };
    const TNeighbourTable& nb = NeighbourTable();
    for (int d = 0; d < 4; ++d) {
        remember(cell, d);
        ComputeLine(cell, d);
        const TNeighbourLine& line = nb.Lines[cell][d];
        for (int i = 0; i < line.Count; ++i) {
            const int n = line.Cells[i];
            const TUndo old{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(d), code_[n][d],
                            completion_[n][d]};
            if (ComputeLine(n, d)) {
                undo_[undoTop_++] = old;
                Summarise(n);
            }
        }
    }
    Summarise(cell);
}

void TThreatTable::Pop() {
    if (frames_ == 0) throw InternalError("threattable", "Assertion failure", "nothing to pop");
    --frames_;
    const int start = frameStart_[frames_];
    const int cell = frameCell_[frames_];
    while (undoTop_ > start) {
        const TUndo& u = undo_[--undoTop_];
        code_[u.cell][u.dir] = u.code;
        completion_[u.cell][u.dir] = u.completion;
        // A neighbour has one entry per frame; the cell itself is summarised once below.
        if (u.cell != cell) Summarise(u.cell);
    }
    Summarise(cell);
}

int TThreatTable::FourDirection(int cell) const {
    for (int d = 0; d < 4; ++d)
        if (code_[cell][d] == kThreatFour) return d;
    return 0;
}

bool TThreatTable::FirstExistingThree(int& stone, int& dir) const {
    stone = threeStones_.First();
    if (stone == 0) return false;
    dir = std::countr_zero(static_cast<unsigned>(threeMask_[stone]));
    return true;
}

std::string TThreatTable::Differences(const TThreatTable& other) const {
    auto at = [](const char* what, int cell) {
        return std::string(what) + " at " + TrimRight(CellText(cell));
    };
    for (int cell = 1; cell <= kCells; ++cell) {
        for (int d = 0; d < 4; ++d) {
            if (code_[cell][d] != other.code_[cell][d]) return at("code", cell);
            if (completion_[cell][d] != other.completion_[cell][d]) return at("completion", cell);
        }
        if (summary_[cell] != other.summary_[cell]) return at("summary", cell);
        if (threeDirection_[cell] != other.threeDirection_[cell])
            return at("three direction", cell);
        if (threeMask_[cell] != other.threeMask_[cell]) return at("three stone", cell);
    }
    if (!(fourCells_ == other.fourCells_)) return "four-cells";
    if (!(threeCells_ == other.threeCells_)) return "three-cells";
    if (!(threeStones_ == other.threeStones_)) return "existing threes";
    if (!(fiveStones_ == other.fiveStones_)) return "fives";
    return {};
}

} // namespace vorlix
