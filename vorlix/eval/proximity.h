#pragma once
// The proximity evaluators: they value cells by their surroundings rather than by
// line patterns, and add into the owning player's ValueArray.
//
// TDistanceEvaluator ("Táv.közel"): every cell starts from a base value and each stone
// lifts its neighbours (optionally the 5 x 5 ring too) to at least a value that depends
// on whose stone it is; optionally the outer two rows and columns are lowered.
//
// TEmptySpaceEvaluator ("üres tér,közel"): spreads weights through the empty cells for
// a number of passes, so cells with much free space around them score higher, and
// gives a bonus to the empty cells next to a stone.

#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"

#include <cstdint>

namespace vorlix {

// The empty cells next to a stone in the square sense, X-major: mode 0 the eight
// neighbours, modes 1 and 2 also the sixteen cells of the 5 x 5 ring, after all the
// distance-one cells. Returns the count written to `points` (room for 225).
int NearCells(int mode, TPont* points);

class TDistanceEvaluator : public TKepesseg {
  public:
    explicit TDistanceEvaluator(TJatekos* owner);

    void Action() override;
    std::string Name() const override { return "Táv.közel"; }
    void ShowProperties(TTextList& target) const override;

    // The action's values added into a [X][Y] grid (1-based).
    void AddValues(float (&values)[16][16]) const;

    // The spreading fields belong to a variant that no player switches on; they are
    // kept and printed only.
    float Scale = 0.1f;
    float OwnFactor = 1.0f;
    std::uint8_t SpreadMode = 2;
    std::uint8_t SpreadRadius = 3;
    std::uint8_t Edge = 0; // lower the two outermost rows and columns
    float Ertek1 = 2.0f;   // next to an opponent stone
    float Ertek1S = 2.0f;  // next to an own stone
    float Ertek2 = 0.0f;   // two steps from an opponent stone
    float Ertek2S = 0.0f;  // two steps from an own stone
    float Base = -20.0f;   // starting value of every cell
    std::uint8_t DistanceTwo = 0;
    std::uint8_t Spread = 0;
};

class TEmptySpaceEvaluator : public TDistanceEvaluator {
  public:
    explicit TEmptySpaceEvaluator(TJatekos* owner);

    void Action() override;
    std::string Name() const override { return "üres tér,közel"; }
    void ShowProperties(TTextList& target) const override;

    // Resets `values` to 0 and adds the free-space weights and the neighbour bonus.
    void ComputeValues(float (&values)[16][16]);

    float Current = 0.0f; // weight of the last action
    std::int32_t Passes = 4;
    float SideWeight = 0.15f;
    float CornerWeight = 0.13f;
    float EarlyWeight = 0.05f;
    float LateWeight = 0.2f;
    std::int32_t MoveThreshold = 15;
    std::uint8_t Flag = 1;
};

} // namespace vorlix
