#pragma once
// TMely ("Mélység"): the fixed-width deep search of the middle levels.
//
// One recursive routine, no tree: at every ply it takes the candidate moves of the
// position (TM1Evaluator's candidate generator), keeps those inside a value window
// that widens until enough are in, scores them with the move evaluator (TE1Evaluator),
// searches the best few of them one ply deeper (the width rule) and backs the values
// up by minimax. A decaying bound and three thresholds on the number of scored moves
// (MaxSzeles1..3) stop the recursion; Mely is the depth in plies.
//
// Search():
//   before: the position is on Tabla, ColourToMove is the searching side, the owner's
//           ValueArray has been cleared by the caller.
//   after:  returns true and the owner's ValueArray holds -150 at every empty cell
//           except the root alternatives, which hold their backed-up values, and AlNum
//           is 0. Returns false, writing nothing, when the position holds a cell that
//           completes five for either colour. Tabla, ColourToMove, MoveCount and the
//           trial-stone stack are as before (the search only uses PutStone/TakeStone).
//   A root without an alternative (a full board) raises InternalError
//   "Assertion failure".
//
// Values are from the searching side's point of view; 150 and 149 are won positions
// (a five to complete now, or two fives the opponent cannot both stop), and each ply
// between a win and the root takes the owner's Tures off it, so that sooner wins count
// more. The owning player (TKepesseg::Owner) must not be null.
//
// The search keeps the window alive: every 100 calls of the recursion it lets the
// platform dispatch pending events.

#include "vorlix/eval/e1_evaluator.h"
#include "vorlix/eval/m1_evaluator.h"
#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorlix {

class TMely : public TKepesseg {
  public:
    // Room of the per-node alternative array; MaxAlternativa must lie in
    // 2..kMaxAlternativaCapacity (checked by every search).
    static constexpr int kMaxAlternativaCapacity = 32;

    // Makes the generator (multiplier 0.008) and the evaluator (0.006) and loads their
    // pattern tables from EngineDataFolder(); throws PatternTableError.
    explicit TMely(TJatekos* player);
    ~TMely() override;

    // 2. Runs Search.
    void Action() override { Search(); }
    // 4. "Mélység".
    std::string Name() const override { return "Mélység"; }
    // 5. The settings and the counts of the last search.
    void ShowProperties(TTextList& lines) const override;

    bool Search();

    // The bound of the selection window at the root for MoveCount stones.
    float RootBound() const;
    // Most alternatives a node takes now (from MoveCount and AllasSzam).
    int AlternativesLimitNow() const;
    // How many of k sorted alternatives a node searches one ply deeper.
    int Width(int k, bool closing) const;
    // Plies with the parity of Mely close a pair of moves; only they may stop.
    bool IsClosing(int ply) const { return (ply - Mely) % 2 == 0; }

    // Fields in the program's order; the owning player is TKepesseg::Owner.
    std::unique_ptr<TM1Evaluator> Generator;
    std::unique_ptr<TE1Evaluator> Evaluator;
    float Hatar = 8.6f;            // bound of the selection window at the root
    float Alsav = 0.1f;            // lower band when re-testing the remaining alternatives
    float CurrentBand = 0.0f;      // Alsav or 0, per re-tested alternative
    std::int32_t AgSzam = 0;       // calls of the recursion in the last search
    std::int32_t AllasSzam = 0;    // moves scored by the evaluator in the last search
    float HatarLecsenges = 0.8f;   // factor of the bound at each ply
    std::int32_t Mely = 3;         // depth in plies
    std::int32_t MaxSzeles1 = 450; // AllasSzam thresholds
    std::int32_t MaxSzeles2 = 950;
    std::int32_t MaxSzeles3 = 1500;
    std::int32_t MaxAlternativa = 18; // most alternatives per node early in the game
    std::int32_t AlternativesLimit = 0;
    std::uint8_t OneMore = 0;             // one more alternative searched at every node
    std::int32_t EmptyCells[kCells] = {}; // empty cells at the start of the search, ascending
    std::int32_t EmptyCount = 0;
    std::uint8_t Centre = 0; // centre bonus on the evaluator's scores
    float CentreWeight = 0.03f;
    float BestMoveBonus = 0.8f; // for cells the generator's threat adjustment changed

  private:
    struct Alternative {
        std::int32_t cell;
        float value; // generator value
        float a;     // backed-up value
        float b;     // evaluator score
        float bonus;
    };

    float Node(int ply, float bound);
    int Select(const CandidateList& candidates, float* values, float bound,
               Alternative* alternatives) const;
    void Score(Alternative* alternatives, int k);
    float Deeper(int ply, float bound, Alternative& alternative);
    float Sign(int colour) const { return colour == searcher_ ? 1.0f : -1.0f; }

    std::uint8_t searcher_ = 0; // the searching side's colour
};

} // namespace vorlix
