#include "vorlix/eval/proximity.h"

#include "vorlix/players/jatekos.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vorlix {

namespace {

std::string Fixed3(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(v));
    return buf;
}

bool Occupied(int x, int y) {
    return OnBoard(x, y) && Tabla[CellIndex(x, y)] != kEmpty;
}

} // namespace

int NearCells(int mode, TPont* points) {
    // 1 = next to a stone, 2 = on the 5 x 5 ring of a stone (and not next to one).
    std::uint8_t mark[kBoardSize + 1][kBoardSize + 1] = {};
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) {
            if (Tabla[CellIndex(x, y)] != kEmpty) continue;
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy) {
                    if (!Occupied(x + dx, y + dy)) continue;
                    bool near = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
                    if (near)
                        mark[x][y] = 1;
                    else if (mode != 0 && mark[x][y] == 0)
                        mark[x][y] = 2;
                }
        }
    int count = 0;
    for (int want = 1; want <= 2; ++want)
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y)
                if (mark[x][y] == want)
                    points[count++] =
                        TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
    return count;
}

TDistanceEvaluator::TDistanceEvaluator(TJatekos* owner) : TKepesseg(owner) {}

void TDistanceEvaluator::AddValues(float (&values)[16][16]) const {
    if (Edge) {
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y) {
                if (Tabla[CellIndex(x, y)] != kEmpty) continue;
                // A cell on two such lines gets both values.
                for (int v : {x, y}) {
                    if (v == 1 || v == kBoardSize) values[x][y] += -0.15f;
                    if (v == 2 || v == kBoardSize - 1) values[x][y] += -0.07f;
                }
            }
    }
    // Grid over -1..17 so that the neighbours of edge stones need no test.
    float grid[kBoardSize + 4][kBoardSize + 4];
    for (auto& col : grid) std::fill(std::begin(col), std::end(col), Base);
    const std::uint8_t own = ColourToMove;
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) {
            std::uint8_t s = Tabla[CellIndex(x, y)];
            if (s == kEmpty) continue;
            float v1 = s == own ? Ertek1S : Ertek1;
            float v2 = s == own ? Ertek2S : Ertek2;
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy) {
                    if (dx == 0 && dy == 0) continue;
                    bool ring1 = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
                    if (!ring1 && !DistanceTwo) continue;
                    float& g = grid[x + dx + 1][y + dy + 1];
                    g = std::max(g, ring1 ? v1 : v2);
                }
        }
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) values[x][y] += grid[x + 1][y + 1];
}

void TDistanceEvaluator::Action() {
    if (Owner) AddValues(Owner->ValueArray);
}

void TDistanceEvaluator::ShowProperties(TTextList& target) const {
    TKepesseg::ShowProperties(target);
    target.push_back("Ertek1:" + Fixed3(Ertek1));
    target.push_back("Ertek1S:" + Fixed3(Ertek1S));
    target.push_back("Ertek2:" + Fixed3(Ertek2));
    target.push_back("Ertek2S:" + Fixed3(Ertek2S));
    if (Spread) target.push_back("Meghívja a TavOs-t is.");
}

TEmptySpaceEvaluator::TEmptySpaceEvaluator(TJatekos* owner) : TDistanceEvaluator(owner) {
    Ertek1 = 3.0f;
    Ertek1S = 3.0f;
}

void TEmptySpaceEvaluator::ComputeValues(float (&values)[16][16]) {
    std::memset(values, 0, sizeof values);
    Current = ShownMoves > MoveThreshold ? LateWeight : EarlyWeight;
    float e[kBoardSize + 2][kBoardSize + 2] = {};
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y)
            e[x][y] = Tabla[CellIndex(x, y)] == kEmpty ? 1.0f : 0.0f;
    for (int pass = 0; pass < Passes; ++pass) {
        float n[kBoardSize + 2][kBoardSize + 2] = {};
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y) {
                if (Tabla[CellIndex(x, y)] != kEmpty) continue;
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy) {
                        if ((dx == 0 && dy == 0) || !OnBoard(x + dx, y + dy)) continue;
                        if (Tabla[CellIndex(x + dx, y + dy)] != kEmpty) continue;
                        float w = (dx == 0 || dy == 0) ? SideWeight : CornerWeight;
                        n[x + dx][y + dy] += e[x][y] * w;
                    }
            }
        std::memcpy(e, n, sizeof e);
    }
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) values[x][y] += Current * e[x][y];
    TPont near[kCells];
    int count = NearCells(0, near);
    for (int i = 0; i < count; ++i) values[near[i].X][near[i].Y] += Ertek1;
}

void TEmptySpaceEvaluator::Action() {
    if (Owner) ComputeValues(Owner->ValueArray);
}

void TEmptySpaceEvaluator::ShowProperties(TTextList& target) const {
    TDistanceEvaluator::ShowProperties(target);
    target.push_back("Ures tér heurisztika súlya:" + Fixed3(Current));
    target.push_back("Iteráció:" + std::to_string(Passes));
    target.push_back("Lapsúly:" + Fixed3(SideWeight));
    target.push_back("Átlósúly:" + Fixed3(CornerWeight));
}

} // namespace vorlix
