#pragma once
// TM1Evaluator ("Minta"): values an empty cell for the side to move from both
// colours' line patterns through it, with the tables of M1Ertek.dat (code values),
// M1Sajat.dat and M1Ellen.dat (pair matrices, folded into four-direction tables) and
// M1Vegyes.dat (own class against opponent class).
//
// Its candidate list evaluation is the candidate generator of the searches: the
// candidates of GenerateCandidates with their values, and per colour the number of
// candidate lines in which one more stone makes five or a straight four. With the deep
// flag set it corrects the values when the opponent threatens a straight four.

#include "vorlix/eval/candidates.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/eval/threat_evaluator.h"
#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorlix {

class TM1Evaluator : public TKepesseg {
  public:
    explicit TM1Evaluator(TJatekos* owner);
    ~TM1Evaluator() override;

    // Adds the candidate values into the owner's ValueArray (threat adjustment on the
    // owner's values when the deep flag is set).
    void Action() override;
    std::string Name() const override { return "Minta"; }
    void ShowProperties(TTextList& target) const override;

    // Reads the four M1 files from `folder` (with trailing "/"); throws
    // PatternTableError.
    void LoadTables(const std::string& folder);
    void LoadTables() { LoadTables(EngineDataFolder()); }

    // Classifies the cell's four lines for both colours, stores classes and codes and
    // counts fives and straight fours.
    void ClassifyCell(int cell);
    // Value of the classified cell for ColourToMove; a sum of exactly 0 gives -500.
    std::int32_t CellValue(int cell) const;

    // The candidate generator: GenerateCandidates(1), each value CellValue x multiplier,
    // then (deep flag) the threat adjustment.
    void EvaluateCandidates(CandidateList* cells, float* values);

    std::unique_ptr<TThreatEvaluator> Threats;
    float Szorzo = 0.01f;   // multiplier
    std::uint8_t Flag1 = 0; // read by nothing here
    std::uint8_t Deep = 0;  // enables the threat adjustment
    std::string FileNames[4] = {"M1Ertek.dat", "M1Sajat.dat", "M1Ellen.dat", "M1Vegyes.dat"};
    CodeValues OwnCode{}, OppCode{};
    PairMatrix OwnPair{}, OppPair{}, Mixed{};
    DirectionTable OwnDir{}, OppDir{};
    // [colour 1..2]: candidate lines that make five (code 1) or a straight four (code 2).
    std::int32_t FiveCount[3] = {}, StraightFourCount[3] = {};
    // [colour 1..2][cell 1..225][direction]
    std::int32_t Class[3][kCells + 1][4] = {}, Code[3][kCells + 1][4] = {};
    // Cells the threat adjustment lowered.
    std::uint8_t Changed[28] = {};
    std::int32_t ChangedCount = 0;

  private:
    // `valueOf(cell)` returns the value to adjust, or null when the cell has none.
    template <class ValueOf> void ThreatAdjust(ValueOf valueOf);
    bool AdjustmentApplies() const;
};

} // namespace vorlix
