#include "vorlix/search/melyvaz.h"

#include "platform/events.h"
#include "platform/messages.h"
#include "platform/program_folder.h"
#include "vorlix/eval/linepattern.h"
#include "vorlix/game/gamefile.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"
#include "vorlix/players/jatekos.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <new>
#include <utility>

namespace vorlix {

namespace {

// Value of the empty cells that are no root alternative.
constexpr float kUnlisted = -200.0f;
// A value of this magnitude is a decided line: never expanded or deepened again.
constexpr float kDecided = 125.0f;
// Decided values beyond this lose the player's Tures per level on the way up.
constexpr float kDecidedBackup = 130.0f;
// The player's first alternative below this: the position is lost as far as the
// search can see.
constexpr float kLost = -140.0f;
// Fills between two chances for the window to process its events.
constexpr int kDispatchEvery = 30;

[[noreturn]] void Fail(const char* message, const std::string& detail = {}) {
    throw InternalError("MelyVaz", message, detail);
}

// Puts everything back when a search leaves by an exception: the tree is freed, the
// path's stones are taken back in order (the trial-stone stack stays consistent), and
// whatever a failing evaluator may have left on the board is overwritten by the copy
// taken at the start.
class TSearchGuard {
  public:
    explicit TSearchGuard(std::function<void()> freeTree)
        : freeTree_(std::move(freeTree)), exceptions_(std::uncaught_exceptions()),
          colour_(ColourToMove), moves_(MoveCount), depth_(SearchDepth) {
        std::memcpy(cells_, Tabla, sizeof cells_);
    }
    TSearchGuard(const TSearchGuard&) = delete;
    TSearchGuard& operator=(const TSearchGuard&) = delete;
    ~TSearchGuard() {
        if (std::uncaught_exceptions() == exceptions_) return; // a normal end
        freeTree_();
        try {
            while (SearchDepth > depth_) TakeStone(CellIndex(SearchLine[SearchDepth]));
        } catch (...) {
            // The copy below puts the board right in any case.
        }
        SearchDepth = depth_;
        std::memcpy(Tabla, cells_, sizeof cells_);
        ColourToMove = colour_;
        MoveCount = moves_;
    }

  private:
    std::function<void()> freeTree_;
    int exceptions_;
    std::uint8_t cells_[kCells + 1];
    std::uint8_t colour_;
    std::int32_t moves_;
    std::int32_t depth_;
};

// Whether a stone of `colour` at `cell` makes a four (one completion cell) in any of
// its four lines.
bool MakesFourFor(int cell, int colour) {
    for (int d = 0; d < 4; ++d)
        if (ClassifyLine(LineCells[cell][d], colour).lineClass == kClassFour) return true;
    return false;
}

float StageFactor(int s, const int* limits, const float* factors, int n) {
    for (int i = 0; i < n; ++i)
        if (s < limits[i]) return factors[i];
    return factors[n];
}

} // namespace

TMelyVaz::TMelyVaz(TJatekos* player)
    : TKepesseg(player), Player(player), Generator(std::make_unique<TM1Evaluator>(player)),
      Evaluator(std::make_unique<TE1Evaluator>(player)), Vct(std::make_unique<TVct>(player)) {
    Generator->Szorzo = 0.008f;
    Evaluator->Szorzo = 0.006f;
    SetNHatvany(1.5f);
}

TMelyVaz::~TMelyVaz() {
    FreeTree();
}

void TMelyVaz::SetNHatvany(float n) {
    nHatvany_ = n;
    for (int k = 1; k <= kPenaltyEntries; ++k) penalty_[k - 1] = std::pow(static_cast<float>(k), n);
}

TNodeRef TMelyVaz::NewNode(TNodeRef parent, int index) {
    TNodeRef ref = 0;
    try {
        ref = Nodes.New();
    } catch (const std::bad_alloc&) {
        ReportFailure("Memoria gond van a foglalaskor.");
        throw;
    }
    TMelyNode& node = Nodes[ref];
    node.Owner = this;
    node.Parent = parent;
    node.Index = index;
    if (parent != 0) {
        const TMelyNode& p = Nodes[parent];
        node.Szint = p.Szint + 1;
        node.Sajat = p.Sajat ? 0 : 1;
    }
    return ref;
}

void TMelyVaz::FreeTree() noexcept {
    Nodes.Clear();
    Root = 0;
}

void TMelyVaz::ReportFailure(const char* boxText) {
    if (!boxShown_) {
        boxShown_ = true;
        std::string text = boxText;
        // Beside the program the file is where users of the program have always found
        // it; anywhere else the box says where.
        const std::string dump = GameDumpFile();
        if (!gameDumped_ && dump != platform::ProgramFolder() + "hiba.txt")
            text += "\rThe game is written to " + dump;
        platform::ShowMessage(platform::MessageKind::Error, text);
    }
    if (!gameDumped_) {
        gameDumped_ = true;
        WriteGameDump();
    }
}

void TMelyVaz::FailWithDump(const char* message, const std::string& detail) {
    if (!gameDumped_) {
        gameDumped_ = true;
        WriteGameDump();
    }
    Fail(message, detail);
}

void TMelyVaz::AddNodes(std::int32_t n) {
    if (n < 0) FailWithDump("NodeSzam overflow !", "threat search nodes " + std::to_string(n));
    NodeSzam += n;
}

std::int32_t TMelyVaz::RunVct(int depth, int threes, int nodes) {
    Vct->MaxDepth = static_cast<std::uint8_t>(depth);
    Vct->ThreeLimit = static_cast<std::uint8_t>(threes);
    Vct->NodeLimit = nodes;
    Player->AlNum = 0;
    Vct->Run();
    return Vct->NodeCount;
}

// --------------------------------------------------------------------------- search

void TMelyVaz::Search() {
    AgSzam = AllasSzam = MintaSzam = Menetszam = NodeSzam = 0;
    boxShown_ = gameDumped_ = false;
    dispatchedAt_ = 0;
    EmptyCount = 0;
    for (int n = 1; n <= kCells; ++n)
        if (Tabla[n] == kEmpty) EmptyCells[EmptyCount++] = n;
    SearchColour = ColourToMove;
    FreeTree();

    const TSearchGuard guard([this] { FreeTree(); });
    // The generator prepares the board: its values go into the player's ValueArray
    // and its counts tell whether a five can be completed. Such a move decides
    // without a search: the own five, or the block of the opponent's only five-cell,
    // is the player's one alternative. The generator's values can rank another cell
    // above either, so they decide only against several opponent fives.
    Generator->Deep = 0;
    Generator->Action();
    if (Generator->FiveCount[kBlack] > 0 || Generator->FiveCount[kWhite] > 0) {
        Player->TakeForcedMove();
        return;
    }
    // With fewer empty cells than the deepest round has plies, a line of the tree can
    // fill the board, where a node would have no alternative to list ("Nincs
    // alternativa !"). So near the end of a drawn-out game the generator's values
    // decide, as for a five.
    if (EmptyCount <= MaxMelyseg + 2) return;
    if (FoNyeresKereses.On) {
        AddNodes(
            RunVct(FoNyeresKereses.Depth, FoNyeresKereses.ThreeLimit, FoNyeresKereses.NodeLimit));
        if (Player->AlNum > 0) return; // a forced win: its first move is the answer
    }
    RoundDepth = 1;
    UsedPostponement = 0;
    Root = NewNode(0, 0);
    CurrentDecay = EFLecsenges;
    TMelyNode& root = Nodes[Root];
    root.Vegallas = NodeCandidates(*this, root.Szint);
    Fill(root, KezdetiEF);

    do {
        Round();
        Run();
    } while (!StopCriterion());

    WriteBack();
    DeleteTree(*this, Root);
    Root = 0;
}

void TMelyVaz::WriteBack() {
    const TMelyNode& root = Nodes[Root];
    if (!root.Sor || root.SorN < 1) Fail("Assertion failure", "empty root list");
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y)
            if (Tabla[CellIndex(x, y)] == kEmpty) Player->ValueArray[x][y] = kUnlisted;
    Player->AlNum = 0;
    for (int k = 1; k <= root.SorN; ++k) {
        const TSorElem& e = root.At(k);
        Player->ValueArray[CellX(e.MezoSzam)][CellY(e.MezoSzam)] = e.Ertek;
    }
}

void TMelyVaz::Round() {
    const int s = MoveCount;
    Reductions = 0;
    // Late in the game the board is crowded with decided lines: fewer alternatives per
    // node, and the EF decays faster with the depth.
    CurrentEF = KezdetiEF * (s > 140 ? 0.9f : 1.0f);
    static constexpr int kWidthStages[] = {100, 115, 134, 160};
    static constexpr float kWidthFactors[] = {1.0f, 0.9f, 0.7f, 0.5f, 0.4f};
    CurrentWidth = KifejtSzorzo * StageFactor(s, kWidthStages, kWidthFactors, 4);
    static constexpr int kDecayStages[] = {100, 120, 140, 160};
    static constexpr float kDecayFactors[] = {1.0f, 0.9f, 0.8f, 0.7f, 0.6f};
    CurrentDecay = EFLecsenges * StageFactor(s, kDecayStages, kDecayFactors, 4);
    if (s > 130) TeljesVedekezes = 0;
    RoundDepth += 2;
    if (MelyUt == 1) {
        switch (RoundDepth) {
        case 5:
            CurrentWidth *= 0.9f;
            break;
        case 7:
            CurrentWidth *= 0.8f;
            break;
        case 9:
            CurrentWidth *= 0.7f;
            break;
        case 11:
            CurrentWidth *= 0.6f;
            break;
        default:
            break;
        }
    }
    if (RoundDepth > 3) {
        if (s < 7)
            CurrentWidth *= 0.8f;
        else if (s == 7)
            CurrentWidth *= 0.9f;
    }
}

float TMelyVaz::Run() {
    ++Menetszam;
    return Expand(Root, RoundDepth, CurrentEF);
}

bool TMelyVaz::StopCriterion() const {
    const int s = MoveCount, d = RoundDepth;
    return d >= MaxMelyseg || (s > 110 && d >= 9) || (s > 125 && d >= 7) || (s > 140 && d >= 5) ||
           (s > 165 && d >= 3) || AgSzam >= kFillStop || (s < 9 && d >= 5);
}

// ------------------------------------------------------------------------ expansion

float TMelyVaz::Expand(TNodeRef ref, int depth, float ef) {
    TMelyNode& node = Nodes[ref];
    if (!node.Sor) Fail("Nincs meg a sor !", "Expand");
    if (AgSzam > kFillLimit) FailWithDump("AgSzam overflow !", std::to_string(AgSzam) + " fills");

    // An opening search that runs long narrows itself, at most three times a round.
    if (MoveCount <= 7 && AgSzam >= kFillStop && Reductions < 3) {
        const bool cut = Reductions == 0 || (Reductions == 1 && AgSzam > 80000) ||
                         (Reductions == 2 && AgSzam > 100000);
        if (cut) {
            ++Reductions;
            CurrentWidth *= 0.8f;
        }
    }
    if (node.EF > 0.01f && ef - 0.01f > node.EF) Extend(node, ef / node.EF);
    node.EF = ef;
    const float childEf = CurrentDecay * ef;
    // Fills come in bursts between two expansions; the window gets its turn whenever
    // another 30 have been made since its last one.
    if (AgSzam / kDispatchEvery != dispatchedAt_) {
        dispatchedAt_ = AgSzam / kDispatchEvery;
        platform::DispatchPendingEvents();
    }
    ComputeWidth(node);

    bool postponed = false;
    bool changed = true;
    while (changed) {
        changed = ExpandLeading(ref, childEf);
        if (!changed && KisNyeresKereses && KisMegMely <= depth) changed = SmallWinSearch(node);
        if (!changed && node.Bovitve < 2) changed = WinLossExtension(node);
        if (!changed) changed = Deepen(node, depth, childEf);
        if (!changed && TeljesSzeles && node.Bovitve < 1) changed = FullWidthExtension(node);
        if (!changed && node.Parent == 0 && StopCriterion() &&
            (NegyesHalasztas || VedoNyeresKereses.On))
            changed = RootChecks(node, postponed);
        if (changed) {
            SortSor(node);
            ComputeWidth(node);
        }
    }

    TakeValue(node);
    // A decided line loses a little per level: quicker wins and slower losses are
    // preferred.
    if (node.Ertek > kDecidedBackup)
        node.Ertek -= Player->Tures;
    else if (node.Ertek < -kDecidedBackup)
        node.Ertek += Player->Tures;
    return node.Ertek;
}

bool TMelyVaz::ExpandLeading(TNodeRef ref, float childEf) {
    TMelyNode& node = Nodes[ref];
    bool changed = false;
    for (int k = 1; k <= node.Szeles; ++k) {
        const TSorElem& e = node.At(k);
        if (std::fabs(e.Ertek) >= kDecided || e.Son != 0) continue;
        const int cell = e.MezoSzam;
        PutStone(cell);
        ExpandAlternative(ref, k, childEf);
        TakeStone(cell);
        changed = true;
    }
    return changed;
}

void TMelyVaz::ExpandAlternative(TNodeRef ref, int k, float childEf) {
    TMelyNode& node = Nodes[ref];
    if (!node.Sor) Fail("Nincs meg a sor !", "ExpandAlternative");
    if (k > node.SorMax) Fail("Sor range check !", "ExpandAlternative " + std::to_string(k));
    try {
        const std::int32_t terminal = NodeCandidates(*this, node.Szint + 1);
        if (terminal != 0) {
            node.At(k).Ertek = static_cast<float>(terminal);
            return;
        }
        const TNodeRef childRef = NewNode(ref, k);
        node.At(k).Son = childRef;
        TMelyNode& child = Nodes[childRef];
        Fill(child, childEf);
        if (!child.Sajat) {
            // The opponent's replies are all looked at one level deep.
            ExpandAll = TeljesVedekezes;
            Expand(childRef, 1, childEf);
        } else {
            TakeValue(child);
        }
        node.At(k).Ertek = child.Ertek;
        node.Melyseg = std::max(node.Melyseg, child.Melyseg + 1);
        node.AllasSzam += child.AllasSzam;
    } catch (...) {
        ReportFailure("Kifejtben van valami hiba !");
        throw;
    }
}

bool TMelyVaz::SmallWinSearch(TMelyNode& node) {
    // Rows beyond the table's last level use its last row.
    const int row = Lecseng ? std::min(node.Szint, kSmallRows) : 1;
    const TKisSor& r = KisTabla[row - 1];
    bool changed = false;
    for (int k = 1; k <= node.Szeles; ++k) {
        if (node.At(k).Allapot != 0) continue;
        const int cell = node.At(k).MezoSzam;
        PutStone(cell);
        const std::uint8_t farFours = Vct->FarFourLimit;
        Vct->FarFourLimit = static_cast<std::uint8_t>(r.FarFourLimit);
        std::int32_t n = 0;
        try {
            n = RunVct(r.Depth, r.ThreeLimit, r.NodeLimit);
        } catch (...) {
            Vct->FarFourLimit = farFours;
            throw;
        }
        Vct->FarFourLimit = farFours;
        AddNodes(n);
        if (Player->AlNum > 0) {
            // The side now to move wins by force: the move is refuted. The cheaper the
            // refutation, the worse the move.
            float value = n < 1 ? -190.0f : -150.0f - 50.0f / std::sqrt(static_cast<float>(n));
            if (node.Szint % 2 == 0) value = -value;
            node.At(k).Ertek = value;
            changed = true;
        }
        TakeStone(cell);
        node.At(k).Allapot = 1;
    }
    Player->AlNum = 0;
    return changed;
}

bool TMelyVaz::WinLossExtension(TMelyNode& node) {
    const float best = node.At(1).Ertek;
    if (node.Sajat ? !(best < -25.0f) : !(best > 25.0f)) return false;
    // A clearly lost (or, for the opponent, won) node may hold a way out among the
    // candidates the EF did not admit.
    const int before = node.SorN;
    Extend(node, 4.0f);
    node.Bovitve = 2;
    return node.SorN > before;
}

bool TMelyVaz::Deepen(TMelyNode& node, int depth, float childEf) {
    bool changed = false;
    for (int k = 1; k <= node.Szeles; ++k) {
        const TSorElem& e = node.At(k);
        if (std::fabs(e.Ertek) >= kDecided || e.Son == 0) continue;
        const TNodeRef childRef = e.Son;
        TMelyNode& child = Nodes[childRef];
        if (child.Melyseg >= depth - 1) continue;
        const int cell = e.MezoSzam;
        PutStone(cell);
        const std::int32_t before = child.AllasSzam;
        const float value = Expand(childRef, child.Melyseg + 2, childEf);
        node.At(k).Ertek = value;
        node.Melyseg = std::max(node.Melyseg, child.Melyseg + 1);
        node.AllasSzam += child.AllasSzam - before;
        TakeStone(cell);
        changed = true;
    }
    return changed;
}

bool TMelyVaz::FullWidthExtension(TMelyNode& node) {
    int quiet = 0;
    for (int k = 1; k <= node.SorN; ++k)
        if (std::fabs(node.At(k).Ertek) < 10.0f) ++quiet;
    const int t = node.Szeles > 2 ? 2 : 1;
    // The node became sharp (narrower, or fewer quiet alternatives, than at first) but
    // is not yet decided for the side to move.
    const bool sharper = node.Szeles < node.KezdoSzeles - t || quiet < node.KisErtekSzam - t;
    const float best = node.At(1).Ertek;
    const bool open = node.Sajat ? best < 10.0f : best > -10.0f;
    if (!sharper || !open) return false;
    const int before = node.SorN;
    Extend(node, node.Parent == 0 ? 2.5f : 1.8f);
    node.Bovitve = 1;
    return node.SorN > before;
}

// ---------------------------------------------------------------- final root checks

bool TMelyVaz::RootChecks(TMelyNode& root, bool& postponed) {
    if (Choose(root)) return true;
    if (ChosenIndex < 1 || ChosenIndex > root.SorMax)
        FailWithDump("SonN hiba !", "chosen alternative " + std::to_string(ChosenIndex));
    if (NegyesHalasztas && !postponed && ChosenFirstValue >= kLost) {
        postponed = true;
        if (PostponeFours(root)) return true;
    }
    if (VedoNyeresKereses.On && ChosenFirstValue >= kLost) return AvoidLoss(root);
    return false;
}

bool TMelyVaz::Choose(TMelyNode& root) {
    WriteBack();
    Player->CollectBest();
    const int chosen = Player->ChooseAlternative();
    ChosenFirstValue = Player->AlNum >= 1 ? Player->AlValue[1] : kUnlisted;
    const bool lost = Player->AlNum >= 1 && ChosenFirstValue < kLost;
    if (lost) {
        // Every move the search knows loses: look wider before accepting that.
        const int before = root.SorN;
        Extend(root, 15.0f);
        if (root.SorN > before) return true;
    }
    if (chosen < 1 || chosen > Player->AlNum)
        Fail("SorN negativ !", "choice " + std::to_string(chosen));
    const int cell = CellIndex(Player->AlList[chosen]);
    ChosenIndex = 0;
    for (int k = 1; k <= root.SorN && ChosenIndex == 0; ++k)
        if (root.At(k).MezoSzam == cell) ChosenIndex = k;
    if (ChosenIndex == 0) {
        // In a lost position the unlisted cells (-200) may tie with the listed ones;
        // nothing more is checked then, so the best listed alternative stands for it.
        if (!lost) Fail("A listan kivulrol valasztott !", "cell " + std::to_string(cell));
        ChosenIndex = 1;
    }
    if (ChosenIndex < 1) Fail("SorN negativ !", std::to_string(ChosenIndex));
    return false;
}

bool TMelyVaz::PostponeFours(TMelyNode& root) {
    for (int k = 1; k <= root.Szeles; ++k) {
        MakesFour[k] = MakesFourFor(root.At(k).MezoSzam, SearchColour) ? 1 : 0;
        FourDone[k] = 0;
    }
    const int c = ChosenIndex;
    if (!(c < root.Szeles && MakesFour[c] && !FourDone[c])) return false;
    const TSorElem& chosen = root.At(c);
    // The width of the four's own reply list says how far down an opponent's answer
    // still counts as one he would play.
    if (chosen.Son == 0) return false;
    const int w = Nodes[chosen.Son].Szeles;
    bool qualified = false;
    for (int j = 1; j <= root.Szeles; ++j) {
        if (j == c || MakesFour[j] || FourDone[j]) continue;
        // j keeps the four for later unless the opponent's likely answers to j take
        // its cell away.
        bool keeps = false;
        if (const TNodeRef son = root.At(j).Son; son != 0) {
            const TMelyNode& reply = Nodes[son];
            keeps = true;
            for (int i = 1; i <= std::min(w, reply.SorN); ++i)
                if (reply.At(i).MezoSzam == chosen.MezoSzam) keeps = false;
        }
        if (keeps)
            qualified = true;
        else
            FourDone[j] = 1;
    }
    if (!qualified) return false;
    FourDone[c] = 1;
    UsedPostponement = 1;
    root.At(c).Ertek -= 1.1f;
    return true;
}

bool TMelyVaz::AvoidLoss(TMelyNode& root) {
    TSorElem& chosen = root.At(ChosenIndex);
    const int cell = chosen.MezoSzam;
    PutStone(cell);
    const std::int32_t n =
        RunVct(VedoNyeresKereses.Depth, VedoNyeresKereses.ThreeLimit, VedoNyeresKereses.NodeLimit);
    const bool refuted = Player->AlNum > 0;
    Player->AlNum = 0;
    if (refuted) chosen.Ertek = -150.0f;
    AddNodes(n);
    chosen.Allapot = 2;
    TakeStone(cell);
    return refuted;
}

// ---------------------------------------------------------------------- printout

void TMelyVaz::ShowProperties(TTextList& lines) const {
    lines.clear();
    char buf[96];
    auto line = [&](const char* format, auto... values) {
        std::snprintf(buf, sizeof buf, format, values...);
        lines.push_back(buf);
    };
    line("Kezdeti EF : %.4g", static_cast<double>(KezdetiEF));
    line("EFLecsenges : %.4g", static_cast<double>(EFLecsenges));
    line("KifejtSzorzo : %.4g", static_cast<double>(KifejtSzorzo));
    line("NHatvány : %.3g", static_cast<double>(nHatvany_));
    lines.push_back("Nem Ilvar stilusu.");
    if (TeljesVedekezes) lines.push_back("Teljes védekezés.");
    if (MelyUt) line("MelyUt:%d", static_cast<int>(MelyUt));
    if (FoNyeresKereses.On)
        line("Fö nyeréskeresés:%3d,%3d,%5d", FoNyeresKereses.Depth, FoNyeresKereses.ThreeLimit,
             FoNyeresKereses.NodeLimit);
    if (VedoNyeresKereses.On)
        line("Védö nyerésker. :%3d,%3d,%5d", VedoNyeresKereses.Depth, VedoNyeresKereses.ThreeLimit,
             VedoNyeresKereses.NodeLimit);
    if (KisNyeresKereses) {
        line("Kis nyerésker.  :%3d,%3d,%5d%s", KisTabla[0].Depth, KisTabla[0].ThreeLimit,
             KisTabla[0].NodeLimit, Lecseng ? " Lecseng" : "");
        line("  KisMegMely:%d", KisMegMely);
    }
    if (NegyesHalasztas)
        lines.push_back(UsedPostponement ? "4es halasztas. (használta)" : "4es halasztas.");
    lines.push_back("------------------");
    line("Menetszám :%d", Menetszam);
    lines.push_back("Kiértékelt");
    line("  állások :%d", AllasSzam);
    line("  minták  :%d", MintaSzam);
    line("  ágak    :%d", AgSzam);
    line("Node szám :%d", NodeSzam);
}

} // namespace vorlix
