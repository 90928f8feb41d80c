#pragma once
// The internal players that choose their move by evaluation alone, without a search:
//   Turbo   (Level 0)  counts stones in every window of five cells
//   Rupo    (Level 1)  the pattern values of TM1Evaluator
//   Zelta   (Level 2)  TM1Evaluator preselects, TE1Evaluator values the best moves
//   DraskHS            proximity values plus the weighted threat list
// Each fills ValueArray in Evaluate; the base Move collects and chooses.
//
// Construction loads the pattern tables from EngineDataFolder() and throws
// PatternTableError when a table is missing or invalid.

#include "vorlix/eval/e1_evaluator.h"
#include "vorlix/eval/m1_evaluator.h"
#include "vorlix/eval/proximity.h"
#include "vorlix/eval/threat_evaluator.h"
#include "vorlix/players/jatekos.h"

#include <memory>
#include <string>

namespace vorlix {

class TTurbo : public TJatekos {
  public:
    TTurbo();

    void Evaluate() override;
    void ShowProperties(TTextList& target) override;

    void Reset();
    void AddStone(int x, int y, int colour);
    // The best empty cell for ColourToMove (with noise); fills the top list.
    TPont ChooseMove();

    std::int32_t P[8] = {4, 0, 0, 4, 20, 100, 500, 500}; // A, -, window values W[0..5]
    std::uint8_t Colour = 0;
    std::int32_t LiveWindows = 1144;
    std::uint8_t Five = 0;
    // [direction][window start cell][colour 1..2]: stones in the window.
    std::uint8_t Count[4][kCells + 1][3] = {};
    // [cell][colour 1..2]
    std::int32_t Score[kCells + 1][3] = {};
    std::int32_t REarly = 4, RLate = 4, NoiseThreshold = 10;
    std::int32_t TopValue[4] = {};
    std::int32_t TopX[4] = {}, TopY[4] = {};
    std::int32_t Applied = 0;
    std::uint8_t SecondMove = 1;

  private:
    // The answer to a single stone: G7 or G8 at random, the empty one of them when the
    // stone stands on the other.
    TPont SecondStone() const;
    std::int32_t noise_ = 4;
    std::int32_t bestValue_ = 0;
    std::int32_t W(int k) const { return P[2 + k]; }
};

class TRupo : public TJatekos {
  public:
    TRupo();
    ~TRupo() override;
    void Evaluate() override;

    std::unique_ptr<TDistanceEvaluator> Distance;
    std::unique_ptr<TM1Evaluator> M1;
};

class TZelta : public TJatekos {
  public:
    TZelta();
    ~TZelta() override;
    void Evaluate() override;

    // The candidates kept by the selection, best first (for tools and tests): cells and
    // their M1 values; k of them.
    static int Select(std::int32_t* cells, float* values, int count, float bound);

    std::unique_ptr<TM1Evaluator> M1;
    std::unique_ptr<TE1Evaluator> E1;
    float Bound = 8.4f; // selection bound
    std::uint8_t Flag1 = 0;
    std::uint8_t AllCells = 1; // prepare the move evaluator with every empty cell
};

class TDraskHS : public TJatekos {
  public:
    TDraskHS();
    ~TDraskHS() override;
    void Evaluate() override;

    std::unique_ptr<TDistanceEvaluator> Distance;
    std::unique_ptr<TThreatEvaluator> Threats;
};

class PlayerFactory;

// The evaluation player for an identifier ("Turbo", "Rupo", "Zelta", "DraskHS"; exact
// and case-sensitive), or null for any other name.
std::unique_ptr<TJatekos> CreateEvaluationPlayer(const std::string& id);

// Gives `factory` the makers of the four evaluation players. A player whose pattern
// tables cannot be read is not made: its maker reports the table error in an error box
// and returns null, which the controller treats as a player that failed to load.
void RegisterEvaluationPlayers(PlayerFactory& factory);

} // namespace vorlix
