#include "vorlix/eval/eval_players.h"

#include "platform/messages.h"
#include "vorlix/eval/candidates.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/random.h"

#include <algorithm>
#include <cmath>

namespace vorlix {

// ---------------------------------------------------------------------------- Turbo

TTurbo::TTurbo() {
    Name = "Turbo";
}

void TTurbo::Reset() {
    std::fill(&Count[0][0][0], &Count[0][0][0] + sizeof Count, std::uint8_t{0});
    std::fill(&Score[0][0], &Score[0][0] + (kCells + 1) * 3, 0);
    LiveWindows = 1144;
    Five = 0;
}

void TTurbo::AddStone(int x, int y, int k) {
    const int l = 3 - k;
    for (int d = 0; d < 4; ++d) {
        const int dx = kDirX[d], dy = kDirY[d];
        for (int j = 0; j < 5; ++j) {
            int sx = x - j * dx, sy = y - j * dy;
            if (!OnBoard(sx, sy) || !OnBoard(sx + 4 * dx, sy + 4 * dy)) continue;
            std::uint8_t* c = Count[d][CellIndex(sx, sy)];
            const int ck = ++c[k];
            if (ck == 1) --LiveWindows;
            if (ck == 5) Five = 1;
            for (int i = 0; i < 5; ++i) {
                int cell = CellIndex(sx + i * dx, sy + i * dy);
                if (c[l] == 0)
                    Score[cell][k] += W(ck) - W(ck - 1);
                else if (ck == 1)
                    Score[cell][l] -= W(c[l]); // the window is dead for l
            }
        }
    }
}

TPont TTurbo::ChooseMove() {
    const int k = ColourToMove, l = 3 - k;
    for (int i = 0; i < 4; ++i) TopValue[i] = -2147483647, TopX[i] = TopY[i] = 0;
    TPont move{8, 8};
    if (Tabla[kCentre] == kEmpty) TopValue[0] = 4, TopX[0] = 8, TopY[0] = 8;
    const std::int32_t a = P[0];
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) {
            int n = CellIndex(x, y);
            if (Tabla[n] != kEmpty) continue;
            std::int32_t v = RuntimeRandom(noise_) + (Score[n][k] * (a + 16)) / 16 + Score[n][l];
            int at = 4;
            while (at > 0 && v > TopValue[at - 1]) --at;
            if (at >= 4) continue;
            for (int i = 3; i > at; --i)
                TopValue[i] = TopValue[i - 1], TopX[i] = TopX[i - 1], TopY[i] = TopY[i - 1];
            TopValue[at] = v, TopX[at] = x, TopY[at] = y;
            if (at == 0) move = TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
        }
    bestValue_ = TopValue[0];
    return move;
}

TPont TTurbo::SecondStone() const {
    const TPont g7{7, 7}, g8{7, 8};
    // The one stone may stand on either cell: then the other one is the answer.
    if (Tabla[CellIndex(g7)] != kEmpty) return g8;
    if (Tabla[CellIndex(g8)] != kEmpty) return g7;
    return RandomReal() < 0.5 ? g7 : g8;
}

void TTurbo::Evaluate() {
    noise_ = ShownMoves > NoiseThreshold ? RLate : REarly;
    if (BoardChanged) {
        Reset();
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y)
                if (std::uint8_t s = Tabla[CellIndex(x, y)]; s != kEmpty) AddStone(x, y, s);
        Applied = MoveCount;
    } else {
        for (; Applied < MoveCount; ++Applied) {
            TPont m = GameRecord[Applied + 1];
            AddStone(m.X, m.Y, (Applied + 1) % 2 == 1 ? kBlack : kWhite);
        }
    }
    TPont move{8, 8};
    bestValue_ = 0;
    int stones = 0;
    for (int n = 1; n <= kCells; ++n) stones += Tabla[n] != kEmpty;
    if (stones == 0)
        move = TPont{8, 8};
    else if (stones == 1 && SecondMove)
        move = SecondStone();
    else
        move = ChooseMove();
    AddStone(move.X, move.Y, ColourToMove);
    ++Applied;
    AlNum = 0;
    AddAlternative(move.X, move.Y, static_cast<float>(bestValue_));
}

void TTurbo::ShowProperties(TTextList& target) {
    TJatekos::ShowProperties(target);
    target.push_back("Legjobb lépések :");
    for (int i = 0; i < 4; ++i)
        target.push_back("  " + std::to_string(i + 1) + ". :" + std::to_string(TopX[i]) + "," +
                         std::to_string(TopY[i]) + "  " + std::to_string(TopValue[i]));
}

// ----------------------------------------------------------------------------- Rupo

TRupo::TRupo()
    : Distance(std::make_unique<TDistanceEvaluator>(this)),
      M1(std::make_unique<TM1Evaluator>(this)) {
    Name = "Rupo";
    Distance->DistanceTwo = 1;
    Distance->Ertek1 = Distance->Ertek1S = 1.0f;
    Tures = 0.35f;
    Kepessegek.Add(Distance.get());
    Kepessegek.Add(M1.get());
    M1->LoadTables();
}

TRupo::~TRupo() = default;

// The distance evaluator is listed among the abilities but does not act.
void TRupo::Evaluate() {
    M1->Action();
}

// ---------------------------------------------------------------------------- Zelta

TZelta::TZelta()
    : M1(std::make_unique<TM1Evaluator>(this)), E1(std::make_unique<TE1Evaluator>(this)) {
    Name = "Zelta";
    M1->Szorzo = 0.008f;
    E1->Szorzo = 0.006f;
    Tures = 0.35f;
    Kepessegek.Add(M1.get());
    Kepessegek.Add(E1.get());
    M1->LoadTables();
    E1->LoadTables();
}

TZelta::~TZelta() = default;

int TZelta::Select(std::int32_t* c, float* v, int n, float bound) {
    // 1-based as the selection is usually told: position k of the list is c[k - 1].
    int k = 0;
    float gap = 0.0f;
    while (static_cast<float>(k) * std::sqrt(static_cast<float>(k)) * gap < bound && k < n) {
        ++k;
        for (int j = n - 1; j >= k; --j)
            if (v[j - 1] < v[j]) {
                std::swap(v[j - 1], v[j]);
                std::swap(c[j - 1], c[j]);
            }
        gap = v[0] - v[k - 1];
    }
    return k;
}

void TZelta::Evaluate() {
    CandidateList cells;
    static float values[kCells];
    M1->EvaluateCandidates(&cells, values);
    if (M1->FiveCount[1] > 0 || M1->FiveCount[2] > 0) {
        // The pattern values may rank another cell above the five: the forced move
        // first, the values only against several opponent fives.
        FillValues(0.0f);
        if (!TakeForcedMove()) M1->Action();
        return;
    }
    const int k = Select(cells.cells, values, cells.count, Bound);
    if (AllCells) {
        std::int32_t empty[kCells];
        int count = 0;
        for (int n = 1; n <= kCells; ++n)
            if (Tabla[n] == kEmpty) empty[count++] = n;
        E1->PositionValue(empty, count);
    } else {
        E1->PositionValue(cells.cells, cells.count);
    }
    float moveValue[kCells];
    float lowest = 0.0f;
    for (int j = 0; j < k; ++j) {
        moveValue[j] = E1->MoveValue(cells.cells[j]);
        lowest = j == 0 ? moveValue[j] : std::min(lowest, moveValue[j]);
    }
    // Cells outside the selection sit at -30, below the selected ones. Should a selected
    // move be valued below that, the floor goes lower still: an unselected cell must
    // never win over every move the evaluation looked at.
    float floor = -30.0f;
    if (k > 0 && lowest - Tures - 1.0f < floor) floor = lowest - Tures - 1.0f;
    FillValues(floor);
    for (int j = 0; j < k; ++j) {
        int n = cells.cells[j];
        ValueArray[CellX(n)][CellY(n)] += moveValue[j] - floor;
    }
}

// -------------------------------------------------------------------------- DraskHS

TDraskHS::TDraskHS()
    : Distance(std::make_unique<TDistanceEvaluator>(this)),
      Threats(std::make_unique<TThreatEvaluator>(this)) {
    Name = "DraskHS";
    Distance->DistanceTwo = 1;
    Distance->Edge = 1;
    Distance->Ertek1S = 1.95f;
    Threats->AlternativesMode = 0;
    Threats->Ovatos = 1;
    Threats->Sugarzas = 1;
    Threats->OppDoubleThree = 6.0f;
    Threats->OppFour = 0.08f;
    Threats->OppThree = 0.4f;
    Tures = 0.35f;
    Kepessegek.Add(Distance.get());
    Kepessegek.Add(Threats.get());
}

TDraskHS::~TDraskHS() = default;

void TDraskHS::Evaluate() {
    Distance->Action();
    Threats->EvaluateThreats();
    Threats->Action();
}

std::unique_ptr<TJatekos> CreateEvaluationPlayer(const std::string& id) {
    if (id == "DraskHS") return std::make_unique<TDraskHS>();
    if (id == "Turbo") return std::make_unique<TTurbo>();
    if (id == "Rupo") return std::make_unique<TRupo>();
    if (id == "Zelta") return std::make_unique<TZelta>();
    return nullptr;
}

void RegisterEvaluationPlayers(PlayerFactory& factory) {
    for (const char* id : {"DraskHS", "Turbo", "Rupo", "Zelta"}) {
        factory.SetInternalPlayer(id, [name = std::string(id)]() -> std::unique_ptr<TJatekos> {
            try {
                return CreateEvaluationPlayer(name);
            } catch (const PatternTableError& e) {
                platform::ShowMessage(platform::MessageKind::Error, e.what());
                return nullptr;
            }
        });
    }
}

} // namespace vorlix
