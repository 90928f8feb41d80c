#include "vorlix/search/melynode.h"

#include "vorlix/game/board.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/search/melyvaz.h"

#include <cmath>
#include <new>
#include <string>
#include <utility>

namespace vorlix {

namespace {

[[noreturn]] void Fail(const char* message, const std::string& detail = {}) {
    throw InternalError("MelyVaz", message, detail);
}

// Adjacent exchanges until a pass makes none; only strictly out-of-order neighbours
// move, so equal values keep their order.
template <class OutOfOrder> void BubbleSort(TSorElem* list, int n, OutOfOrder outOfOrder) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int j = 0; j + 1 < n; ++j)
            if (outOfOrder(list[j], list[j + 1])) {
                std::swap(list[j], list[j + 1]);
                swapped = true;
            }
    }
}

// Entries SortSor keeps in order: the whole list at own nodes; at opponent nodes the
// leading Szeles, or all of them when every reply is expanded.
int SortedPrefix(const TMelyNode& node) {
    if (node.Sajat) return node.SorN;
    return node.Owner->TeljesVedekezes ? node.SorN : node.Szeles;
}

} // namespace

// ------------------------------------------------------------------------ node pool

TNodeRef TMelyNodePool::New() {
    if (!free_.empty()) {
        TNodeRef ref = free_.back();
        free_.pop_back();
        nodes_[static_cast<size_t>(ref)] = TMelyNode{};
        return ref;
    }
    nodes_.emplace_back();
    return static_cast<TNodeRef>(nodes_.size() - 1);
}

void TMelyNodePool::Free(TNodeRef ref) {
    TMelyNode& node = (*this)[ref];
    node.Sor.reset();
    node.Owner = nullptr;
    free_.push_back(ref);
}

void TMelyNodePool::Clear() {
    nodes_.resize(1);
    free_.clear();
}

// ------------------------------------------------------------------------ selection

int SelectCandidates(std::int32_t* cells, float* values, int count, float bound,
                     const float* penalty) {
    int k = 0;
    float acc = 0.0f;
    while (acc < bound && k < count && k < kMaxSor) {
        ++k;
        // One pass from the end down to position k brings the largest remaining value
        // there; a lower later value never overtakes an equal earlier one.
        for (int j = count - 1; j >= k; --j)
            if (values[j - 1] < values[j]) {
                std::swap(values[j - 1], values[j]);
                std::swap(cells[j - 1], cells[j]);
            }
        // The penalty grows with the distance from the best value and with the number
        // of alternatives already taken.
        acc = (values[0] - values[k - 1]) * penalty[k - 1];
    }
    return k;
}

std::int32_t NodeCandidates(TMelyVaz& owner, int szint) {
    TM1Evaluator& generator = *owner.Generator;
    // The threat adjustment costs time; it pays off only where the remaining depth is
    // large enough for its correction to matter.
    generator.Deep = (owner.MaxMelyseg - szint) > 4 ? 1 : 0;
    generator.EvaluateCandidates(&owner.Candidates, owner.CandidateValues);
    ++owner.MintaSzam;

    // Immediate wins are counted as placements: a cell that completes five in two
    // directions at once is still only one winning move.
    int fives[3] = {};
    for (int i = 0; i < owner.Candidates.count; ++i) {
        const int cell = owner.Candidates.cells[i];
        for (int colour = kBlack; colour <= kWhite; ++colour)
            for (int d = 0; d < 4; ++d)
                if (generator.Code[colour][cell][d] == 1) {
                    ++fives[colour];
                    break;
                }
    }
    std::int32_t value = 0;
    for (int colour : {kWhite, kBlack}) {
        const int other = Opponent(static_cast<std::uint8_t>(colour));
        const std::int32_t sign = colour == owner.SearchColour ? 1 : -1;
        // To move with a five to complete: won now. Two fives the opponent cannot
        // answer with one of its own: won next move.
        if (fives[colour] >= 1 && ColourToMove == colour) value = 155 * sign;
        if (fives[colour] >= 2 && fives[other] == 0) value = 154 * sign;
    }
    return value;
}

// ----------------------------------------------------------------------------- fill

void Fill(TMelyNode& node, float bound) {
    TMelyVaz& owner = *node.Owner;
    if (node.AllasHatar0 > node.SorMax)
        Fail("AllasHatar0 hiba !", "AllasHatar0 " + std::to_string(node.AllasHatar0) +
                                       " > SorMax " + std::to_string(node.SorMax));
    ++owner.AgSzam;
    if (node.AllasHatar0 == 0) {
        node.AllasSzam = 0;
        node.Melyseg = 1;
    }
    const int k = SelectCandidates(owner.Candidates.cells, owner.CandidateValues,
                                   owner.Candidates.count, bound, owner.PenaltyTable());
    if (k == 0) Fail("Nincs alternativa !", "bound " + std::to_string(bound));
    if (k <= node.AllasHatar0) return; // nothing new admitted

    if (node.Sor) {
        Grow(node, k - node.SorMax);
    } else {
        try {
            node.Sor.reset(new TSorElem[static_cast<size_t>(k)]);
        } catch (const std::bad_alloc&) {
            owner.ReportFailure("Memoria gond van a foglalaskor.");
            throw;
        }
    }
    node.SorMax = k;
    for (int j = node.AllasHatar0 + 1; j <= k; ++j) {
        TSorElem& e = node.At(j);
        e = TSorElem{};
        e.MezoSzam = static_cast<std::int16_t>(owner.Candidates.cells[j - 1]);
        e.Nyers = owner.CandidateValues[j - 1];
    }
    node.ElsoNyers = node.At(1).Nyers;
    node.SorN = node.SorMax;

    TE1Evaluator& evaluator = *owner.Evaluator;
    if (!owner.MasikErtekelo) evaluator.PositionValue(owner.EmptyCells, owner.EmptyCount);
    for (int j = node.AllasHatar0 + 1; j <= k; ++j) {
        TSorElem& e = node.At(j);
        ++owner.AllasSzam;
        ++node.AllasSzam;
        const float score = owner.MasikErtekelo ? evaluator.SecondScore(e.MezoSzam)
                                                : evaluator.MoveValue(e.MezoSzam);
        // The evaluator speaks for the side to move; the tree for the searching side.
        // An opponent's alternative gets its value only when it is expanded.
        if (node.Sajat) {
            e.Becsles = score;
            e.Ertek = score;
        } else {
            e.Becsles = -score;
        }
    }
    // Own nodes: best for us first; opponent nodes: the opponent's best reply first.
    if (node.Sajat)
        BubbleSort(node.Sor.get(), node.SorN,
                   [](const TSorElem& a, const TSorElem& b) { return a.Becsles < b.Becsles; });
    else
        BubbleSort(node.Sor.get(), node.SorN,
                   [](const TSorElem& a, const TSorElem& b) { return a.Becsles > b.Becsles; });
    CheckNode(node);
}

void Extend(TMelyNode& node, float factor) {
    TMelyVaz& owner = *node.Owner;
    if (!node.Sor) Fail("Nincs sor !", "Extend");
    if (node.SorMax >= kCells) Fail("SorMax rossz !", std::to_string(node.SorMax));
    if (node.SorN > node.SorMax) Fail("AllasHatar hiba !", std::to_string(node.SorN));
    node.AllasHatar0 = node.SorN;
    node.Vegallas = NodeCandidates(owner, node.Szint);
    if (node.AllasHatar0 > node.SorMax) Fail("AllasHatar0 hiba !", "Extend");
    // The same position gives the same candidates in the same order, so the entries
    // already listed are exactly the first AllasHatar0 of the new selection.
    Fill(node, factor * node.EF);
    if (node.AllasHatar0 != node.SorN) owner.ExpandAll = 1;
}

void Grow(TMelyNode& node, int n) {
    if (n < 0) Fail("Sor range check !", "Grow by " + std::to_string(n));
    const int size = node.SorMax + n;
    try {
        std::unique_ptr<TSorElem[]> list(new TSorElem[static_cast<size_t>(size)]);
        for (int k = 0; k < node.SorMax; ++k) list[k] = node.Sor[k];
        node.Sor = std::move(list);
    } catch (const std::bad_alloc&) {
        node.Owner->ReportFailure("Memoria gond van a sor noveleseker.");
        throw;
    }
    node.SorMax = size;
}

// -------------------------------------------------------------------- width and value

void ComputeWidth(TMelyNode& node) {
    TMelyVaz& owner = *node.Owner;
    if (owner.ExpandAll) {
        node.Szeles = node.SorMax;
        owner.ExpandAll = 0;
        return;
    }
    const float limit = node.EF * owner.CurrentWidth;
    node.Szeles = 1;
    float acc = 0.0f;
    while (acc < limit && node.Szeles < node.SorN) {
        ++node.Szeles;
        if (node.Szeles > node.SorMax) Fail("Sor range check !", "Szeles");
        const int k = node.Szeles;
        acc = std::fabs(node.At(1).Ertek - node.At(k).Ertek) * owner.P(k);
    }
    // An alternative far beyond the limit is not worth its expansion.
    if (acc > 2.0f * limit) --node.Szeles;
    if (node.KezdoSzeles < 0) {
        if (node.SorN > node.SorMax) Fail("Sor range check !", "KisErtekSzam");
        node.KezdoSzeles = node.Szeles;
        node.KisErtekSzam = 0;
        for (int k = 1; k <= node.SorN; ++k)
            if (std::fabs(node.At(k).Ertek) < 10.0f) ++node.KisErtekSzam;
    }
    CheckNode(node);
}

void SortSor(TMelyNode& node) {
    const int m = SortedPrefix(node);
    if (m > node.SorMax) Fail("Sor range check !", "SortSor " + std::to_string(m));
    if (node.Sajat)
        BubbleSort(node.Sor.get(), m,
                   [](const TSorElem& a, const TSorElem& b) { return a.Ertek < b.Ertek; });
    else
        BubbleSort(node.Sor.get(), m,
                   [](const TSorElem& a, const TSorElem& b) { return a.Ertek > b.Ertek; });
    CheckNode(node, true);
}

void TakeValue(TMelyNode& node) {
    if (!node.Sor) Fail("Nincs sor !", "TakeValue");
    if (node.SorMax < 1) Fail("Sor range check !", "TakeValue");
    node.Ertek = node.At(1).Ertek;
    node.Kiertekelt = 1;
}

// ------------------------------------------------------------------------- deletion

namespace {

void DeleteSubtree(TMelyVaz& owner, TNodeRef ref) {
    TMelyNode& node = owner.Nodes[ref];
    if (node.SorMax >= 1 && !node.Sor) Fail("Nincs meg a sor !", "DeleteTree");
    for (int k = 1; k <= node.SorMax; ++k)
        if (TNodeRef son = node.At(k).Son; son != 0) {
            DeleteSubtree(owner, son);
            node.At(k).Son = 0;
        }
    owner.Nodes.Free(ref);
}

} // namespace

void DeleteTree(TMelyVaz& owner, TNodeRef ref) {
    try {
        DeleteSubtree(owner, ref);
    } catch (const std::bad_alloc&) {
        owner.ReportFailure("Memoria gond van a FaTorles-kor.");
        throw;
    }
}

// --------------------------------------------------------------------------- checks

void CheckNode([[maybe_unused]] const TMelyNode& node, [[maybe_unused]] bool sorted) {
#ifndef NDEBUG
    auto fail = [&](const std::string& what) {
        Fail("Assertion failure", "node at level " + std::to_string(node.Szint) + ": " + what);
    };
    if (!(0 <= node.AllasHatar0 && node.AllasHatar0 <= node.SorN && node.SorN <= node.SorMax &&
          node.SorMax <= kMaxSor))
        fail("AllasHatar0 " + std::to_string(node.AllasHatar0) + ", SorN " +
             std::to_string(node.SorN) + ", SorMax " + std::to_string(node.SorMax));
    if (node.Szeles < 0 || node.Szeles > node.SorMax) fail("Szeles " + std::to_string(node.Szeles));
    if (node.SorMax >= 1 && !node.Sor) fail("no list");
    const TMelyVaz& owner = *node.Owner;
    if (node.Parent == 0) {
        if (node.Szint != 1 || node.Sajat != 1) fail("root not at level 1 for the searching side");
    } else {
        const TMelyNode& parent = owner.Nodes[node.Parent];
        if (node.Szint != parent.Szint + 1 || node.Sajat == parent.Sajat)
            fail("level or side does not follow the parent");
    }
    bool seen[kCells + 1] = {};
    for (int k = 1; k <= node.SorN; ++k) {
        const TSorElem& e = node.At(k);
        if (e.MezoSzam < 1 || e.MezoSzam > kCells) fail("cell " + std::to_string(e.MezoSzam));
        if (seen[e.MezoSzam]) fail("cell " + std::to_string(e.MezoSzam) + " listed twice");
        seen[e.MezoSzam] = true;
        if (Tabla[e.MezoSzam] != kEmpty) fail("cell " + std::to_string(e.MezoSzam) + " occupied");
        if (e.Son != 0 && owner.Nodes[e.Son].Szint != node.Szint + 1) fail("child level");
    }
    if (sorted) {
        const int m = SortedPrefix(node);
        for (int k = 1; k < m; ++k) {
            const float a = node.At(k).Ertek, b = node.At(k + 1).Ertek;
            if (node.Sajat ? a < b : a > b) fail("list out of order at " + std::to_string(k));
        }
    }
#endif
}

} // namespace vorlix
