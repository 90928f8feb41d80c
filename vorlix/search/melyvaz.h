#pragma once
// TMelyVaz ("Mélység Ös"): the best-first deepening search of the strongest internal
// players.
//
// For one move it builds the tree of melynode.h in rounds of growing depth (3, 5,
// 7, ... plies), expands at every node only the leading alternatives its expansion
// factor (EF) admits, backs the values up by minimax, refutes alternatives with
// threat searches (TVct), and writes the value of every root alternative into the
// owning player's ValueArray; the player's CollectBest and ChooseAlternative pick
// the move from there.
//
// Search():
//   before: the game position on Tabla, the searching side to move (ColourToMove).
//   after, one of:
//   - a five can be completed by either side: no tree is built; ValueArray holds
//     what it held plus the candidate generator's values (its preparation step),
//     and the player's alternatives hold the forced move (TJatekos::TakeForcedMove:
//     the own five, else the block of the opponent's only five-cell) when there is one;
//   - the main win search (FoNyeresKereses) found a win: the player's alternatives
//     hold its first move, ValueArray is as TVct left it;
//   - otherwise ValueArray is -200 at every empty cell except the root alternatives,
//     which hold their backed-up values, and AlNum is 0.
//   Tabla, ColourToMove, MoveCount and the trial stones are as before, also when a
//   check fails (the exception then leaves with the tree freed).
// The counters stay readable until the next search; ShowProperties prints them.
//
// Failed checks raise InternalError (unit "MelyVaz") with the program's messages;
// "AgSzam overflow !", "NodeSzam overflow !" and "SonN hiba !" write the game to
// "hiba.txt" in the program folder first. Heap failures and failures inside the
// expansion of an alternative show an error box and write "hiba.txt" before they
// are raised again (once per search).
//
// Parameters are plain fields set by the players' constructors; the exponent of the
// width penalty goes through SetNHatvany so that its table follows it.

#include "vorlix/eval/candidates.h"
#include "vorlix/eval/e1_evaluator.h"
#include "vorlix/eval/m1_evaluator.h"
#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"
#include "vorlix/search/melynode.h"
#include "vorlix/search/vct.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorlix {

class TJatekos;

// Switch and settings of a threat search the deep search runs.
struct TNyeresKereses {
    std::uint8_t On = 0;
    std::int32_t Depth = 8;
    std::int32_t ThreeLimit = 4;
    std::int32_t NodeLimit = 4500;
};

// One row of the small win search table.
struct TKisSor {
    std::int32_t Depth = 5;
    std::int32_t ThreeLimit = 2;
    std::int32_t NodeLimit = 450;
    std::int32_t FarFourLimit = 0;
};

class TMelyVaz : public TKepesseg {
  public:
    static constexpr int kPenaltyEntries = 81;
    static constexpr int kSmallRows = 6;
    // Fills that end the rounds, and fills that are a runaway search.
    static constexpr int kFillStop = 50001;
    static constexpr int kFillLimit = 180000;

    // Makes the generator (multiplier 0.008), the move evaluator (0.006) and the threat
    // search; the owner loads the generator's and evaluator's tables.
    explicit TMelyVaz(TJatekos* player);
    // Frees a remaining tree, then the owned engines.
    ~TMelyVaz() override;

    // 2. The search.
    void Action() override { Search(); }
    // 4.
    std::string Name() const override { return "Mélység Ös"; }
    // 5. Clears `lines`, then the parameter lines and the counters of the last search.
    void ShowProperties(TTextList& lines) const override;

    void Search();

    // The exponent of the width penalty; setting it recomputes P(k) = k ^ n.
    float NHatvany() const { return nHatvany_; }
    void SetNHatvany(float n);
    // P(k), k = 1..81.
    float P(int k) const { return penalty_[k - 1]; }
    const float* PenaltyTable() const { return penalty_; }

    // The round machinery, public for tests and tools. Round sets the parameters of the
    // next round and raises its depth; StopCriterion is asked after every round.
    void Round();
    float Run();
    bool StopCriterion() const;

    TMelyNode& Node(TNodeRef ref) { return Nodes[ref]; }
    // A fresh node; the root when parent is 0.
    TNodeRef NewNode(TNodeRef parent, int index);

    // Failure reports of the search and its store. The error box and "hiba.txt" are
    // written once per search, by the first report.
    void ReportFailure(const char* boxText);
    // Writes "hiba.txt" (once per search) and throws InternalError with `message`.
    [[noreturn]] void FailWithDump(const char* message, const std::string& detail);

    // Fields in the program's order.
    TJatekos* Player;
    std::unique_ptr<TM1Evaluator> Generator;
    std::unique_ptr<TE1Evaluator> Evaluator;
    std::unique_ptr<TVct> Vct;
    TNodeRef Root = 0;
    float KezdetiEF = 8.6f;
    float EFLecsenges = 0.8f;
    float CurrentDecay = 0.0f; // EFLecsenges for the game stage
    float CurrentEF = 0.0f;    // KezdetiEF for the game stage
    float KifejtSzorzo = 0.75f;
    float CurrentWidth = 0.0f;   // KifejtSzorzo for the game stage and round
    std::int32_t Reductions = 0; // width cuts of this round in the opening, at most 3
    std::uint8_t TeljesVedekezes = 0;
    std::uint8_t ExpandAll = 0; // one-shot: the next ComputeWidth takes the whole list
    std::uint8_t MelyUt = 0;
    std::int32_t AgSzam = 0, AllasSzam = 0, MintaSzam = 0, Menetszam = 0;
    std::int32_t MaxMelyseg = 3;
    std::int32_t RoundDepth = 0;
    std::int32_t EmptyCells[kCells] = {}; // ascending
    std::int32_t EmptyCount = 0;
    std::uint8_t TeljesSzeles = 0;
    TNyeresKereses FoNyeresKereses;
    TNyeresKereses VedoNyeresKereses;
    std::uint8_t KisNyeresKereses = 0;
    std::uint8_t Lecseng = 0;
    TKisSor KisTabla[kSmallRows]; // rows 1..6 as [0..5]
    std::int32_t KisMegMely = 6;
    std::uint8_t MasikErtekelo = 0;
    std::int32_t NodeSzam = 0;
    std::uint8_t NegyesHalasztas = 0;
    std::uint8_t MakesFour[kMaxSor + 1] = {}; // [k]: root alternative k makes a four
    std::uint8_t FourDone[kMaxSor + 1] = {};
    std::uint8_t UsedPostponement = 0;

    // Search state beyond the program's fields.
    std::uint8_t SearchColour = 0;      // the colour the search plays for
    std::int32_t ChosenIndex = 0;       // root alternative of the last Choose
    float ChosenFirstValue = 0.0f;      // value of the player's first alternative at Choose
    CandidateList Candidates;           // the last generation's cells ...
    float CandidateValues[kCells] = {}; // ... and values
    TMelyNodePool Nodes;

  private:
    // The passes of an expansion; each returns whether it changed the node's list.
    float Expand(TNodeRef ref, int depth, float ef);
    void ExpandAlternative(TNodeRef ref, int k, float childEf);
    bool ExpandLeading(TNodeRef ref, float childEf);
    bool SmallWinSearch(TMelyNode& node);
    bool WinLossExtension(TMelyNode& node);
    bool Deepen(TMelyNode& node, int depth, float childEf);
    bool FullWidthExtension(TMelyNode& node);
    bool RootChecks(TMelyNode& root, bool& postponed);
    bool Choose(TMelyNode& root);
    bool PostponeFours(TMelyNode& root);
    bool AvoidLoss(TMelyNode& root);
    void WriteBack();
    // Runs the threat search for the side to move and returns its node count.
    std::int32_t RunVct(int depth, int threes, int nodes);
    void AddNodes(std::int32_t n);
    void FreeTree() noexcept;

    float nHatvany_ = 1.5f;
    float penalty_[kPenaltyEntries] = {};
    bool boxShown_ = false;         // the error box of this search is shown
    bool gameDumped_ = false;       // "hiba.txt" of this search is written
    std::int32_t dispatchedAt_ = 0; // AgSzam / 30 at the last event dispatch
};

} // namespace vorlix
