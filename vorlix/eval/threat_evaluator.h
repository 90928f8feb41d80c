#pragma once
// TThreatEvaluator ("FenyR"): the threats of the position for the side to move and for
// its opponent, as a list of cells with a threat kind.
//
// Direct kinds, from a trial stone on the cell:
//   side to move:  199 five, 150 straight four, 60 four, 30 open three
//   opponent:      198 five, 50 straight four (also on the cells that stop it),
//                  15 four and 10 open three (both only in cautious mode)
// A second threat on a listed cell combines with the first (CombineThreats).
//
// The list feeds three users: DraskHS adds weighted values for it into its
// ValueArray (Action), TM1Evaluator corrects its candidate values with it, and the
// check pass of the searching players reads it as the defensive cells.

#include "vorlix/players/kepesseg.h"

#include <cstdint>

namespace vorlix {

enum ThreatKind : std::int32_t {
    kThreatOppThree = 10,
    kThreatOppFour = 15,
    kThreatOppDoubleThree = 25,
    kThreatOwnThree = 30,
    kThreatOppStraightFour = 50,
    kThreatOwnFour = 60,
    kThreatOwnDoubleThree = 100,
    kThreatOwnStraightFour = 150,
    kThreatOppFive = 198,
    kThreatOwnFive = 199,
};

// The kind of a cell that already had kind `a` and gets kind `b` (symmetric).
std::int32_t CombineThreats(std::int32_t a, std::int32_t b);

struct ThreatEntry {
    std::uint8_t X = 0, Y = 0;
    std::int32_t Kind = 0;
};

class TThreatEvaluator : public TKepesseg {
  public:
    explicit TThreatEvaluator(TJatekos* owner);

    // Adds the weighted threats of the list into the owner's ValueArray.
    void Action() override;
    std::string Name() const override { return "FenyR"; }
    void ShowProperties(TTextList& target) const override;

    // Rebuilds the list for ColourToMove and its opponent from Tabla, which it leaves
    // as it found it.
    void EvaluateThreats();
    // Inserts (x, y, kind) or combines it with the cell's entry.
    void AddThreat(int x, int y, std::int32_t kind);
    // The weighted values of the list added into a [X][Y] grid (1-based).
    void AddValues(float (&values)[16][16]) const;

    // The threat list, entries 1..Count.
    std::int32_t Count = 0;
    ThreatEntry List[226];
    bool OppFiveSeen = false;
    std::uint8_t OppFiveX = 0, OppFiveY = 0;

    std::uint8_t Ovatos = 0; // cautious: also the opponent's fours and open threes
    float OwnThree = 0.6f;
    float OwnFour = 0.7f;
    float OppDoubleThree = 5.0f;
    float OppFour = 0.15f;
    float OppThree = 0.1f;
    std::uint8_t AlternativesMode = 1; // kept for the printout; no player changes it
    std::uint8_t AddMode = 1;
    std::uint8_t Sugarzas = 0; // radiation: own threes and fours also lift nearby diagonals
    float NextToThree = 0.07f;
    float TwoFromThree = 0.04f;
    float NextToFour = 0.08f;
    float TwoFromFour = 0.05f;

  private:
    bool ownFive_ = false;
    // Analyses the four lines through the trial stone of `colour` on (x, y); false
    // when the analysis of this trial cell ends early.
    bool AnalyseOwn(int x, int y, std::uint8_t colour);
    bool AnalyseOpponent(int x, int y, std::uint8_t colour, std::uint8_t mover);
    void PostProcess();
};

} // namespace vorlix
