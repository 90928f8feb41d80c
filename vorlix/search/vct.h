#pragma once
// TVct: the threat-sequence (win) search.
//
// Decides whether the side to move, the attacker, can force five by a sequence of
// threats the defender must answer (fours, and open threes within ThreeLimit), and
// which move starts it. The internal players run it before thinking, to find their
// own forced win, and after putting a candidate stone down, to see whether the
// opponent then has one.
//
// Run():
//   before: the position is on Tabla, ColourToMove is the attacker, the owner's AlNum
//           is 0 (the caller set it).
//   after:  Result is the first move of a forced win, or 0. With a win the owner has
//           exactly one alternative, Result with value 150, and ValueArray at that
//           cell is 150; without one the owner's alternatives and values are left
//           alone. NodeCount is the number of stones the last iteration placed;
//           DepthReached its depth. Tabla[1..225] and ColourToMove are as before,
//           also when the run ends by an exception; the trial-stone stack is not used.
// Running out of nodes is not an error: the run reports no win.
//
// Callers set MaxDepth, NodeLimit, ThreeLimit and FarFourLimit directly before a run;
// the settings persist between runs. The owner may be null (tools, benchmarks): then
// only Result and WinLine tell the answer.
//
// The search is an ability of its owner: Action runs it, ShowProperties prints
// "Max.mélység : ", "Mélység : " and "NodesSzam : " lines.

#include "vorlix/game/board.h"
#include "vorlix/players/kepesseg.h"
#include "vorlix/search/threattable.h"

#include <cstdint>
#include <string>

namespace vorlix {

class TVct : public TKepesseg {
  public:
    // Plies of one line: MaxDepth is a byte.
    static constexpr int kMaxPly = 255;

    explicit TVct(TJatekos* player);

    // 2. Runs the search (see above).
    void Action() override { Run(); }
    // 4. "VCT".
    std::string Name() const override { return "VCT"; }
    // 5. Clears `lines` and adds the depth setting, the depth reached and the nodes.
    void ShowProperties(TTextList& lines) const override;

    void Run();

    // The threat table of colour 1 or 2 as the last run left it (the position of its
    // Prepare).
    const TThreatTable& Threats(int colour) const { return tables_[colour]; }

    // Fields in the program's order; the owning player is TKepesseg::Owner.
    std::uint8_t Attacker = 0;
    std::uint8_t Defender = 0;
    std::uint8_t Result = 0;                // first move of the win, 0 if none
    std::uint8_t WinLine[kMaxPly + 1] = {}; // attacker moves by ply; [1] is the first move
    std::int32_t WinLineLength = 0;         // entries of WinLine in use
    std::uint8_t Line[kMaxPly + 1] = {};    // attacker moves of the line being searched
    std::uint8_t AlreadyFive[3] = {};       // [colour]: that colour already has five
    std::int32_t NodeCount = 0;             // stones placed by the last iteration
    std::int32_t DepthReached = 0;          // depth of the last iteration
    std::uint8_t Enabled = 0;               // Prepare found a search worth running
    std::uint8_t ForcedReply = 0;           // defender's block of the attacker's four
    std::uint8_t ForcedMove = 0;            // attacker's block of the defender's four
    std::uint8_t MoreThreats = 0;           // an iteration stopped for depth with threats left
    std::uint8_t MaxDepth = 7;              // deepest iteration
    std::int32_t NodeLimit = 4000;          // node budget of one iteration
    std::uint8_t FullPhase = 1;             // the defender may answer with counter-fours
    std::uint8_t TwoPhase = 0;              // run a cheaper phase first
    std::uint8_t ThreeLimit = 5;            // open threes one sequence may use
    std::uint8_t FarFourLimit = 1;          // fours away from the last attacker move

  private:
    void RunPhase();
    // 0 when a search must decide, else the colour that wins (or has won) without one;
    // sets Enabled, ForcedMove and, for the attacker, WinLine[1].
    int Prepare();
    bool Attack(int ply, int depth, int last, int farFours, int threes, int forced);
    bool Defend(int ply, int depth, int move, int reply, int farFours, int threes);
    bool PlayAttacker(int ply, int depth, int cell, int reply, int farFours, int threes);
    bool Answer(int ply, int depth, int cell, int last, int farFours, int threes);
    bool ProvedBy(int ply, int cell);
    bool IsFourThree(int cell) const;
    void Place(int cell, std::uint8_t colour);
    void Remove(int cell);
    void CheckTables() const;
    void UndoPlaced();

    TThreatTable tables_[3]; // [1] black, [2] white; [0] unused
#ifndef NDEBUG
    static constexpr unsigned kCheckEvery = 16;
    mutable TThreatTable scratch_;
    mutable unsigned checkCounter_ = 0;
#endif
    std::uint8_t placed_[kCells + 1] = {}; // stones of the search now on Tabla
    int placedCount_ = 0;
};

} // namespace vorlix
