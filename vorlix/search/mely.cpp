#include "vorlix/search/mely.h"

#include "platform/events.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"
#include "vorlix/players/jatekos.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace vorlix {

namespace {

constexpr int kDispatchEvery = 100;
constexpr float kFive = 150.0f;     // a five to complete, the colour on move
constexpr float kTwoFives = 149.0f; // two fives to complete that one move cannot stop
constexpr float kDecided = 130.0f;  // beyond this a value is a won or lost line
constexpr float kUnsearched = -150.0f;

std::string Format(const char* label, float value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%.4g", label, static_cast<double>(value));
    return buf;
}

// k * 0.5 rounded half to even, for odd k the even neighbour.
int HalfToEven(int k) {
    const int half = k / 2;
    if (k % 2 == 0) return half;
    return half % 2 == 0 ? half : half + 1;
}

} // namespace

TMely::TMely(TJatekos* player)
    : TKepesseg(player), Generator(std::make_unique<TM1Evaluator>(player)),
      Evaluator(std::make_unique<TE1Evaluator>(player)) {
    Generator->Szorzo = 0.008f;
    Evaluator->Szorzo = 0.006f;
    Generator->LoadTables();
    Evaluator->LoadTables();
}

TMely::~TMely() = default;

void TMely::ShowProperties(TTextList& lines) const {
    lines.clear();
    lines.push_back("Mélység : " + std::to_string(Mely));
    lines.push_back("Max. alternativa : " + std::to_string(MaxAlternativa));
    lines.push_back("Max. széles 1.: " + std::to_string(MaxSzeles1));
    lines.push_back("Max. széles 2.: " + std::to_string(MaxSzeles2));
    lines.push_back("Max. széles 3.: " + std::to_string(MaxSzeles3));
    lines.push_back(Format("Határ : ", Hatar));
    lines.push_back(Format("Alsáv : ", Alsav));
    lines.push_back(Format("Határ lecsenges :", HatarLecsenges));
    lines.push_back("Kiértékelt");
    lines.push_back("  állások :" + std::to_string(AllasSzam));
    lines.push_back("  ágak    :" + std::to_string(AgSzam));
}

float TMely::RootBound() const {
    const int s = MoveCount;
    float factor = 0.2f;
    if (s < 100)
        factor = 1.0f;
    else if (s < 120)
        factor = 0.9f;
    else if (s < 140)
        factor = 0.7f;
    else if (s < 160)
        factor = 0.5f;
    else if (s < 180)
        factor = 0.4f;
    else if (s < 200)
        factor = 0.3f;
    return Hatar * factor;
}

int TMely::AlternativesLimitNow() const {
    const int s = MoveCount;
    int m = 5;
    if (s < 90)
        m = MaxAlternativa;
    else if (s < 115)
        m = std::min(MaxAlternativa, 9);
    else if (s < 130)
        m = std::min(MaxAlternativa, 8);
    else if (s < 140)
        m = 7;
    else if (s < 150)
        m = 6;
    // Until the search has scored a fair number of moves one alternative fewer is kept.
    if (AllasSzam < MaxSzeles1) --m;
    return m;
}

int TMely::Width(int k, bool closing) const {
    int w = 6;
    if (k < 4)
        w = k;
    else if (k == 4)
        w = 3;
    else if (k < 12)
        w = HalfToEven(k);
    if (OneMore && w < k) ++w;
    // A ply that does not close a pair never stops, so it searches one more.
    if (!closing && w < k) ++w;
    return w;
}

bool TMely::Search() {
    if (!Owner) throw InternalError("mely", "Assertion failure", "search without a player");
    if (MaxAlternativa < 2 || MaxAlternativa > kMaxAlternativaCapacity)
        throw InternalError("mely", "Assertion failure",
                            "MaxAlternativa " + std::to_string(MaxAlternativa));
    if (Mely < 1 || Mely > kMaxSearchDepth - SearchDepth)
        throw InternalError("mely", "Assertion failure", "Mely " + std::to_string(Mely));
    AgSzam = 0;
    AllasSzam = 0;
    searcher_ = ColourToMove;
    CandidateList candidates;
    float values[kCells];
    Generator->EvaluateCandidates(&candidates, values);
    if (Generator->FiveCount[kBlack] > 0 || Generator->FiveCount[kWhite] > 0) return false;
    EmptyCount = 0;
    for (int n = 1; n <= kCells; ++n)
        if (Tabla[n] == kEmpty) EmptyCells[EmptyCount++] = n;
    Node(1, RootBound());
    return true;
}

int TMely::Select(const CandidateList& candidates, float* values, float bound,
                  Alternative* alternatives) const {
    float best = -99999.0f;
    for (int j = 0; j < candidates.count; ++j) best = std::max(best, values[j]);
    const int m = AlternativesLimit;
    const int most = std::min(m, candidates.count);
    // A taken candidate is marked so that the widening window cannot take it twice
    // (its value alone would not do: a window wide enough reaches any value).
    bool taken[kCells] = {};
    int k = 0;
    float t = 0.18f;
    while (static_cast<float>(k) * std::sqrt(static_cast<float>(k)) * t < bound && k < most) {
        for (int j = 0; j < candidates.count && k < m; ++j) {
            if (taken[j] || values[j] < best - t) continue;
            taken[j] = true;
            const int cell = candidates.cells[j];
            float bonus = 0.0f;
            for (int c = 0; c < Generator->ChangedCount; ++c)
                if (Generator->Changed[c] == cell) bonus = BestMoveBonus;
            alternatives[k++] = Alternative{cell, values[j], 0.0f, 0.0f, bonus};
        }
        t *= 1.3f;
    }
    return k;
}

void TMely::Score(Alternative* alternatives, int k) {
    Evaluator->PositionValue(EmptyCells, EmptyCount);
    for (int i = 0; i < k; ++i) {
        Alternative& alt = alternatives[i];
        ++AllasSzam;
        alt.b = Evaluator->MoveValue(alt.cell) + alt.bonus;
        if (Centre) {
            const TPont p = CellPont(alt.cell);
            alt.b += static_cast<float>((7 - std::abs(8 - p.X)) + (7 - std::abs(8 - p.Y))) *
                     CentreWeight;
        }
    }
    // Adjacent exchanges: equal scores keep the generator's order.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < k; ++i)
            if (alternatives[i].b < alternatives[i + 1].b) {
                std::swap(alternatives[i], alternatives[i + 1]);
                swapped = true;
            }
    }
}

float TMely::Deeper(int ply, float bound, Alternative& alternative) {
    PutStone(alternative.cell);
    float v;
    try {
        v = Node(ply + 1, bound);
    } catch (...) {
        TakeStone(alternative.cell);
        throw;
    }
    TakeStone(alternative.cell);
    // A win further away is worth a little less than a nearer one (a loss, a little
    // more), so that the search goes for the quickest win and the longest defence.
    if (v > kDecided)
        v -= Owner->Tures;
    else if (v < -kDecided)
        v += Owner->Tures;
    return v + alternative.bonus;
}

float TMely::Node(int ply, float bound) {
    ++AgSzam;
    if (AgSzam % kDispatchEvery == 0) platform::DispatchPendingEvents();

    CandidateList candidates;
    float values[kCells];
    Generator->EvaluateCandidates(&candidates, values);
    const std::int32_t* fives = Generator->FiveCount;
    if (fives[kWhite] > 0 && ColourToMove == kWhite) return kFive * Sign(kWhite);
    if (fives[kWhite] >= 2 && fives[kBlack] == 0) return kTwoFives * Sign(kWhite);
    if (fives[kBlack] > 0 && ColourToMove == kBlack) return kFive * Sign(kBlack);
    if (fives[kBlack] >= 2 && fives[kWhite] == 0) return kTwoFives * Sign(kBlack);

    const int s = MoveCount;
    Alternative alternatives[kMaxAlternativaCapacity];
    int k = 0;
    if (candidates.count > 0) {
        const float window = AllasSzam > MaxSzeles2 ? bound * 0.9f : bound;
        AlternativesLimit = AlternativesLimitNow();
        k = Select(candidates, values, window, alternatives);
    }
    if (k == 0) {
        if (ply == 1)
            throw InternalError("mely", "Assertion failure", "no alternative at the root");
        return 0.0f;
    }

    const bool own = ply % 2 == 1;
    const bool closing = IsClosing(ply);
    Score(alternatives, k);
    for (int i = 0; i < k; ++i) {
        if (!own) alternatives[i].b = -alternatives[i].b;
        if (closing) alternatives[i].a = alternatives[i].b;
    }

    const float child = HatarLecsenges * bound;
    bool deeper = true;
    if (closing) {
        deeper = ply < Mely && child > 0.5f && AllasSzam <= MaxSzeles3;
        if (ply == Mely - 2 &&
            (AllasSzam > MaxSzeles2 ||
             (static_cast<float>(AllasSzam) > 0.7f * static_cast<float>(MaxSzeles2) && s > 135)))
            deeper = false;
    }
    if (deeper) {
        const int w = Width(k, closing);
        if (!closing) k = w;
        for (int i = 0; i < w; ++i) alternatives[i].a = Deeper(ply, child, alternatives[i]);
        if (closing) {
            // The rest are re-tested against the best of the searched ones: those that
            // scored clearly worse are pushed down, the others lifted by Tures and, when
            // that brings them level with the best, searched as well.
            float reference = alternatives[0].a;
            for (int i = 1; i < w; ++i)
                reference = own ? std::max(reference, alternatives[i].a)
                                : std::min(reference, alternatives[i].a);
            const float tures = Owner->Tures;
            for (int i = w; i < k; ++i) {
                Alternative& alt = alternatives[i];
                CurrentBand = (AllasSzam < MaxSzeles1 && s < 140) ? Alsav : 0.0f;
                if (own) {
                    if (alt.a + CurrentBand < reference) {
                        alt.a = alt.a - tures - 0.001f;
                    } else {
                        alt.a += tures;
                        if (alt.a >= reference) alt.a = Deeper(ply, child, alt);
                    }
                } else {
                    if (alt.a - CurrentBand > reference) {
                        alt.a = alt.a + tures - 0.001f;
                    } else {
                        alt.a -= tures;
                        if (alt.a <= reference) alt.a = Deeper(ply, child, alt);
                    }
                }
            }
        }
    }

    float value = alternatives[0].a;
    for (int i = 1; i < k; ++i)
        if (own ? alternatives[i].a > value : alternatives[i].a < value) value = alternatives[i].a;

    if (ply == 1) {
        for (int n = 1; n <= kCells; ++n)
            if (Tabla[n] == kEmpty) {
                const TPont p = CellPont(n);
                Owner->ValueArray[p.X][p.Y] = kUnsearched;
            }
        Owner->AlNum = 0;
        for (int i = 0; i < k; ++i) {
            const TPont p = CellPont(alternatives[i].cell);
            Owner->ValueArray[p.X][p.Y] = alternatives[i].a;
        }
    }
    return value;
}

} // namespace vorlix
