#include "vorlix/players/jatekos.h"

#include "platform/messages.h"
#include "vorlix/game/random.h"
#include "vorlix/players/forced_move.h"

#include <algorithm>
#include <utility>

namespace vorlix {

namespace {

// The opening stones of the base OfferOpen1, one pair per draw 0..11: black, white.
struct OpeningPair {
    TPont black, white;
};
constexpr OpeningPair kFirstStones[12] = {
    {{8, 8}, {8, 7}}, {{8, 8}, {9, 7}}, {{8, 7}, {9, 7}}, {{8, 7}, {8, 8}},
    {{8, 7}, {9, 8}}, {{8, 7}, {8, 9}}, {{8, 7}, {9, 9}}, {{9, 7}, {8, 8}},
    {{9, 7}, {9, 8}}, {{9, 7}, {7, 9}}, {{9, 7}, {8, 9}}, {{9, 7}, {9, 9}},
};

constexpr float kNoBest = -999999.0f;

} // namespace

OpeningSupport& Opening() {
    static OpeningSupport support;
    return support;
}

TJatekos::~TJatekos() {
    Kepessegek.Clear();
}

void TJatekos::Move() {
    if (ShownMoves == 0) {
        ChosenMove = TPont{8, 8};
        return;
    }
    bool forced = false;
    if (!BoardChanged && ShownMoves == 1) {
        // The answer to the first stone needs no evaluation: H7 or I7, whichever of them
        // is empty (the one stone may stand on one of them).
        AlNum = 0;
        for (TPont p : {TPont{8, 7}, TPont{9, 7}})
            if (Tabla[CellIndex(p)] == kEmpty) AddAlternative(p.X, p.Y, 20.0f);
        Chosen = -1;
    } else {
        AlNum = 0;
        Chosen = -1;
        FillValues(0.0f);
        // A five to complete or to stop is the move; no evaluation may outrank it, and
        // no later check may revise it.
        forced = TakeForcedMove();
        if (forced) {
            Chosen = 1;
        } else {
            Evaluate();
            CollectBest();
        }
    }
    if (Chosen == -1) Chosen = ChooseAlternative();
    // A choice outside the alternatives (none at all on a full board) is no move; it is
    // reported below like any move off the board instead of reading past the list.
    ChosenMove = (Chosen >= 1 && Chosen <= std::min(AlNum, kCells)) ? AlList[Chosen] : TPont{};
    if (!forced) AfterChoice();
    if (!OnBoard(ChosenMove.X, ChosenMove.Y)) {
        platform::ShowMessage(platform::MessageKind::Error,
                              "A tábla mellé fog lépni !\r" + std::to_string(MoveCount) + ". " +
                                  std::to_string(ChosenMove.X) + "," +
                                  std::to_string(ChosenMove.Y) +
                                  "\rAlternativa szám:" + std::to_string(AlNum));
    }
}

bool TJatekos::CanOfferOpening() {
    return true;
}

void TJatekos::OfferOpen1() {
    const OpeningPair& p = kFirstStones[RuntimeRandom(12)];
    RecordMove(p.black.X, p.black.Y, kBlack);
    RecordMove(p.white.X, p.white.Y, kWhite);
}

void TJatekos::OfferOpen2() {
    if (Opening().FitOpening) Opening().FitOpening();
}

bool TJatekos::ChOpening() {
    const OpeningSupport& o = Opening();
    if (o.RandomOpening) {
        double u1 = RuntimeRandomReal();
        double u2 = RandomReal();
        return u1 + u2 >= 1.0;
    }
    if (!o.FindBookRecord || !o.RecordScore) return false;
    int record = o.FindBookRecord();
    // An opening the book lacks has no score to judge by: keep black.
    if (record < 0) return false;
    return o.RecordScore(record) / 10000.0 < 0.5;
}

void TJatekos::Evaluate() {}

void TJatekos::CollectBest() {
    if (AlNum > 0) return; // Evaluate chose the alternatives itself
    float best = kNoBest;
    if (!TobbJelolt) {
        TPont at{};
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y)
                if (Tabla[CellIndex(x, y)] == kEmpty && ValueArray[x][y] > best) {
                    best = ValueArray[x][y];
                    at = TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
                }
        if (at.X != 0) AddAlternative(at.X, at.Y, best);
        return;
    }
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y)
            if (Tabla[CellIndex(x, y)] == kEmpty) best = std::max(best, ValueArray[x][y]);
    const float floor = best - Tures;
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y)
            if (Tabla[CellIndex(x, y)] == kEmpty && ValueArray[x][y] >= floor)
                AddAlternative(x, y, ValueArray[x][y]);
}

int TJatekos::ChooseAlternative() {
    if (AlNum == 1) return 1;
    const int n = std::min(AlNum, kCells);
    // Every weight is shifted so that the lowest alternative keeps exactly MinSuly:
    // the worst candidate stays possible, and negative values cause no harm.
    float lowest = 999999.0f;
    for (int k = 1; k <= n; ++k) lowest = std::min(lowest, AlValue[k]);
    const float shift = MinSuly - lowest;
    double total = 0.0;
    for (int k = 1; k <= n; ++k) total += AlValue[k];
    total += static_cast<double>(AlNum) * shift;
    double r = RandomReal() * total;
    for (int k = 1; k < n; ++k) {
        r -= static_cast<double>(AlValue[k]) + shift;
        if (r < 0.0) return k;
    }
    return AlNum;
}

void TJatekos::AfterChoice() {}

void TJatekos::SetLevel(int level) {
    Level = level;
}

void TJatekos::DebugAction(int) {}

void TJatekos::Spare() {}

void TJatekos::ShowProperties(TTextList& target) {
    target.clear();
}

void TJatekos::SortAlternatives() {
    const int n = std::min(AlNum, kCells);
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int k = 1; k < n; ++k)
            if (AlValue[k] < AlValue[k + 1]) {
                std::swap(AlValue[k], AlValue[k + 1]);
                std::swap(AlList[k], AlList[k + 1]);
                swapped = true;
            }
    }
}

bool TJatekos::TakeForcedMove() {
    const ForcedMove f = FindForcedMove();
    if (f.kind == ForcedKind::None) return false;
    const float value = f.kind == ForcedKind::OwnFive ? kForcedFiveValue : kForcedBlockValue;
    AlNum = 0;
    AddAlternative(f.move.X, f.move.Y, value);
    ValueArray[f.move.X][f.move.Y] = value;
    return true;
}

void TJatekos::FillValues(float v) {
    for (auto& column : ValueArray)
        for (float& cell : column) cell = v;
}

void TJatekos::AddAlternative(int x, int y, float value) {
    if (AlNum >= kCells) return;
    ++AlNum;
    AlList[AlNum] = TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
    AlValue[AlNum] = value;
}

} // namespace vorlix
