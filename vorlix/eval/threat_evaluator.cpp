#include "vorlix/eval/threat_evaluator.h"

#include "vorlix/game/board.h"
#include "vorlix/players/jatekos.h"

#include <cstdio>
#include <utility>

namespace vorlix {

namespace {

constexpr int kDX[4] = {1, 0, 1, 1};
constexpr int kDY[4] = {0, 1, 1, -1};
constexpr int kOff = -1; // off the board: neither own nor empty

int At(int x, int y) {
    return OnBoard(x, y) ? Tabla[CellIndex(x, y)] : kOff;
}

bool NearStone(int x, int y, std::uint8_t colour) {
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy) {
            bool ring1 = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
            bool line2 = (dx == 0 || dy == 0 || dx == dy || dx == -dy);
            if ((dx == 0 && dy == 0) || !(ring1 || line2)) continue;
            if (At(x + dx, y + dy) == colour) return true;
        }
    return false;
}

std::string Fixed2(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", static_cast<double>(v));
    return buf;
}

// One line through a trial stone: the run of own stones through it and what lies
// beyond each end. Forward is +direction.
struct LineWalk {
    int r = 1;            // stones in the run, trial stone included
    int fx, fy, bx, by;   // the cells just after and just before the run
    int fwd = 0, bwd = 0; // stones of the run on each side of the trial stone
};

LineWalk Walk(int x, int y, int d, std::uint8_t colour) {
    LineWalk w;
    int cx = x + kDX[d], cy = y + kDY[d];
    while (At(cx, cy) == colour) cx += kDX[d], cy += kDY[d], ++w.fwd;
    w.fx = cx, w.fy = cy;
    cx = x - kDX[d], cy = y - kDY[d];
    while (At(cx, cy) == colour) cx -= kDX[d], cy -= kDY[d], ++w.bwd;
    w.bx = cx, w.by = cy;
    w.r = 1 + w.fwd + w.bwd;
    return w;
}

// Result of the gap walks for a run of at most three: 2 = a four, 1 = an open three,
// 0 = nothing.
int GapWalks(const LineWalk& w, int d, std::uint8_t colour) {
    bool marked = false;
    if (At(w.fx, w.fy) == kEmpty) {
        int cx = w.fx + kDX[d], cy = w.fy + kDY[d], s = w.r;
        while (At(cx, cy) == colour) cx += kDX[d], cy += kDY[d], ++s;
        if (s >= 4) return 2;
        if (s == 3 && At(cx, cy) == kEmpty && At(w.bx, w.by) == kEmpty) marked = true;
    }
    if (At(w.bx, w.by) == kEmpty) {
        int cx = w.bx - kDX[d], cy = w.by - kDY[d], s = w.r;
        while (At(cx, cy) == colour) cx -= kDX[d], cy -= kDY[d], ++s;
        if (s >= 4) return 2;
        if (marked) return 1;
        if (s == 3 && At(cx, cy) == kEmpty && At(w.fx, w.fy) == kEmpty) return 1;
    }
    return 0;
}

struct Combination {
    std::int32_t hi, lo, result;
};
constexpr Combination kCombinations[] = {
    {10, 10, 25},   {15, 10, 46},   {15, 15, 48},  {30, 15, 31},  {30, 25, 25},  {30, 30, 100},
    {31, 10, 46},   {31, 15, 48},   {31, 30, 100}, {50, 10, 84},  {50, 30, 80},  {50, 31, 80},
    {60, 25, 25},   {60, 30, 110},  {60, 31, 110}, {60, 46, 46},  {60, 48, 48},  {60, 50, 90},
    {60, 60, 120},  {80, 60, 110},  {90, 30, 110}, {90, 31, 110}, {90, 60, 120}, {100, 50, 80},
    {100, 60, 110}, {110, 60, 120},
};

} // namespace

std::int32_t CombineThreats(std::int32_t a, std::int32_t b) {
    std::int32_t hi = a > b ? a : b, lo = a > b ? b : a;
    for (const auto& c : kCombinations)
        if (c.hi == hi && c.lo == lo) return c.result;
    return hi;
}

TThreatEvaluator::TThreatEvaluator(TJatekos* owner) : TKepesseg(owner) {}

void TThreatEvaluator::AddThreat(int x, int y, std::int32_t kind) {
    auto ux = static_cast<std::uint8_t>(x), uy = static_cast<std::uint8_t>(y);
    if (kind == kThreatOwnFive || kind == kThreatOppFive) {
        if (kind == kThreatOppFive) {
            OppFiveSeen = true;
            OppFiveX = ux, OppFiveY = uy;
        }
        Count = 1;
        List[1] = {ux, uy, kind};
        return;
    }
    for (int i = 1; i <= Count; ++i)
        if (List[i].X == ux && List[i].Y == uy) {
            List[i].Kind = CombineThreats(List[i].Kind, kind);
            return;
        }
    if (Count >= kCells) return; // one entry per cell at most, so this never happens
    List[++Count] = {ux, uy, kind};
}

bool TThreatEvaluator::AnalyseOwn(int x, int y, std::uint8_t colour) {
    for (int d = 0; d < 4; ++d) {
        LineWalk w = Walk(x, y, d, colour);
        if (w.r >= 5) {
            AddThreat(x, y, kThreatOwnFive);
            ownFive_ = true;
            return false;
        }
        if (w.r == 4) {
            int e = (At(w.fx, w.fy) == kEmpty) + (At(w.bx, w.by) == kEmpty);
            if (e == 2) AddThreat(x, y, kThreatOwnStraightFour);
            if (e == 1) AddThreat(x, y, kThreatOwnFour);
            continue;
        }
        int g = GapWalks(w, d, colour);
        if (g == 2) AddThreat(x, y, kThreatOwnFour);
        if (g == 1) AddThreat(x, y, kThreatOwnThree);
    }
    return true;
}

bool TThreatEvaluator::AnalyseOpponent(int x, int y, std::uint8_t colour, std::uint8_t mover) {
    for (int d = 0; d < 4; ++d) {
        LineWalk w = Walk(x, y, d, colour);
        if (w.r >= 5) {
            AddThreat(x, y, kThreatOppFive);
            return false;
        }
        if (w.r == 4) {
            int f = At(w.fx, w.fy), b = At(w.bx, w.by);
            if (f == kEmpty && b == kEmpty) {
                AddThreat(x, y, kThreatOppStraightFour);
                if (w.fwd > 0 && w.bwd > 0) {
                    AddThreat(w.fx, w.fy, kThreatOppStraightFour);
                    AddThreat(w.bx, w.by, kThreatOppStraightFour);
                } else {
                    // The trial stone is an end stone: P next to it, R at the far end,
                    // Q one step beyond R.
                    bool trialFirst = w.bwd == 0;
                    int px = trialFirst ? w.bx : w.fx, py = trialFirst ? w.by : w.fy;
                    int rx = trialFirst ? w.fx : w.bx, ry = trialFirst ? w.fy : w.by;
                    int sx = trialFirst ? kDX[d] : -kDX[d], sy = trialFirst ? kDY[d] : -kDY[d];
                    int q = At(rx + sx, ry + sy);
                    if (q == kOff || q == mover) {
                        AddThreat(px, py, kThreatOppStraightFour);
                        AddThreat(rx, ry, kThreatOppStraightFour);
                    }
                }
                return false;
            }
            bool oneStone = (f == kEmpty && b > 0) || (b == kEmpty && f > 0);
            if (oneStone && Ovatos) AddThreat(x, y, kThreatOppFour);
            continue;
        }
        if (!Ovatos) continue;
        int g = GapWalks(w, d, colour);
        if (g == 2) AddThreat(x, y, kThreatOppFour);
        if (g == 1) AddThreat(x, y, kThreatOppThree);
    }
    return true;
}

void TThreatEvaluator::EvaluateThreats() {
    Count = 0;
    OppFiveSeen = false;
    ownFive_ = false;
    const std::uint8_t own = ColourToMove, opp = Opponent(own);
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) {
            int n = CellIndex(x, y);
            if (Tabla[n] != kEmpty || !NearStone(x, y, opp)) continue;
            Tabla[n] = opp;
            AnalyseOpponent(x, y, opp, own);
            Tabla[n] = kEmpty;
        }
    for (int x = 1; x <= kBoardSize && !ownFive_; ++x)
        for (int y = 1; y <= kBoardSize && !ownFive_; ++y) {
            int n = CellIndex(x, y);
            if (Tabla[n] != kEmpty || !NearStone(x, y, own)) continue;
            Tabla[n] = own;
            AnalyseOwn(x, y, own);
            Tabla[n] = kEmpty;
        }
    PostProcess();
}

void TThreatEvaluator::PostProcess() {
    if (Count == 1 && List[1].Kind == kThreatOwnFive) return;
    if (OppFiveSeen) {
        Count = 1;
        List[1] = {OppFiveX, OppFiveY, kThreatOppFive};
        return;
    }
    for (int i = 1; i <= Count; ++i)
        if (List[i].Kind == kThreatOwnStraightFour) {
            List[1] = List[i];
            Count = 1;
            return;
        }
    bool defend = false;
    for (int i = 1; i <= Count; ++i) {
        std::int32_t k = List[i].Kind;
        if (k == 46 || k == 48 || k == 50 || k == 80 || k == 84 || k == 86 || k == 90)
            defend = true;
    }
    if (defend) {
        // The opponent's threat comes first: our own (double) threes would be too slow.
        int kept = 0;
        for (int i = 1; i <= Count; ++i)
            if (List[i].Kind != kThreatOwnThree && List[i].Kind != kThreatOwnDoubleThree)
                List[++kept] = List[i];
        Count = kept;
    }
    // Exchange sort, largest kind first; equal kinds keep their order.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 1; i < Count; ++i)
            if (List[i].Kind < List[i + 1].Kind) {
                std::swap(List[i], List[i + 1]);
                swapped = true;
            }
    }
}

void TThreatEvaluator::AddValues(float (&values)[16][16]) const {
    auto add = [&](int x, int y, float v) {
        if (OnBoard(x, y)) values[x][y] += v;
    };
    auto radiate = [&](int x, int y, float near, float far) {
        for (int sx = -1; sx <= 1; sx += 2)
            for (int sy = -1; sy <= 1; sy += 2) {
                add(x + sx, y + sy, near);
                add(x + 2 * sx, y + 2 * sy, far);
            }
    };
    for (int i = 1; i <= Count; ++i) {
        int x = List[i].X, y = List[i].Y;
        std::int32_t k = List[i].Kind;
        if (k == kThreatOppThree)
            add(x, y, OppThree);
        else if (k == kThreatOppFour)
            add(x, y, OppFour);
        else if (k == kThreatOppDoubleThree)
            add(x, y, OppDoubleThree);
        else if (k == kThreatOwnThree) {
            add(x, y, OwnThree);
            if (Sugarzas) radiate(x, y, NextToThree, TwoFromThree);
        } else if (k == kThreatOwnFour) {
            add(x, y, OwnFour);
            if (Sugarzas) radiate(x, y, NextToFour, TwoFromFour);
        } else if (k == 46 || k == 48 || k == 50 || k >= 80)
            add(x, y, static_cast<float>(k) * 100.0f);
    }
}

void TThreatEvaluator::Action() {
    if (Owner) AddValues(Owner->ValueArray);
}

void TThreatEvaluator::ShowProperties(TTextList& target) const {
    TKepesseg::ShowProperties(target);
    target.push_back("Fenyegetések értéke:");
    target.push_back("saját 3-as : " + Fixed2(OwnThree));
    target.push_back("saját 4-es : " + Fixed2(OwnFour));
    target.push_back("ellenfél dupa 3-as : " + Fixed2(OppDoubleThree));
    target.push_back("ellenfél 3-as : " + Fixed2(OppThree));
    target.push_back("ellenfél 4-es : " + Fixed2(OppFour));
    if (Ovatos) target.push_back("Ovatos");
    if (Sugarzas) {
        target.push_back("Sugárzási paraméterek:");
        target.push_back("3-as mellett : " + Fixed2(NextToThree));
        target.push_back("3-astól 2-re : " + Fixed2(TwoFromThree));
        target.push_back("4-as mellett : " + Fixed2(NextToFour));
        target.push_back("4-astöl 2-re : " + Fixed2(TwoFromFour));
    }
}

} // namespace vorlix
