#pragma once
// The internal players built on the fixed-width deep search TMely (levels 3 to 7):
//
//   Ilvar family: TMely alone.
//     Ilvar (Level 3) depth 3; Ilvar2 depth 2; Ilvar5U (Level 4) depth 5 and
//     Ilvar7C depth 7, both with the scored-move thresholds lifted.
//   Qwil family: the threat-sequence search TVct first (a forced win is played at
//   once), then TMely, then a check of the chosen move: a move after which the
//   opponent has a forced win is refused and another one chosen.
//     QwilNV (Level 5) depth 3; QwilN4AVK (Level 6) depth 4 with a third check pass
//     over the defensive cells; QwilX_K (Level 7) depth 6 after the opening tree;
//     Qwil1X7 depth 7 with a deeper third pass; QwilV: TVct, then Zelta's evaluation.
//
// Each player owns its engines and lists them among its abilities (TMely with its
// candidate generator and move evaluator). Construction loads the pattern tables from
// EngineDataFolder() and throws PatternTableError when one cannot be read.
//
// When the position holds a cell that completes five for either side no search runs:
// the player completes its own five, or stops the opponent's when it has exactly one
// (TJatekos::TakeForcedMove); only against several opponent fives the candidate
// generator's values decide.

#include "vorlix/eval/eval_players.h"
#include "vorlix/eval/opening_tree.h"
#include "vorlix/players/jatekos.h"
#include "vorlix/search/mely.h"
#include "vorlix/search/vct.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorlix {

class TIlvar : public TJatekos {
  public:
    TIlvar();
    ~TIlvar() override;
    void Evaluate() override;
    // Level := s; Hatar := 1.8 s + 1.4.
    void SetLevel(int level) override;

    std::unique_ptr<TMely> Search;

  protected:
    // The move when a five is on the board: the forced move, else the generator's
    // candidate values in ValueArray.
    void EvaluateByGenerator();
};

class TIlvar2 : public TIlvar {
  public:
    TIlvar2();
};

class TIlvar5U : public TIlvar {
  public:
    TIlvar5U();
};

class TIlvar7C : public TIlvar {
  public:
    TIlvar7C();
    // Hatar := 1.8 s + 5.0.
    void SetLevel(int level) override;
};

// TVct settings for one use: depth, open threes, nodes.
struct TVctSettings {
    std::uint8_t Depth = 0;
    std::uint8_t Threes = 0;
    std::int32_t Nodes = 0;
};

class TQwilNV : public TIlvar {
  public:
    TQwilNV();
    ~TQwilNV() override;
    void Evaluate() override;
    // The check of the chosen move (nothing when Evaluate met an immediate win).
    void AfterChoice() override;

    std::unique_ptr<TVct> Vct;
    std::uint8_t ImmediateWin = 0;
    std::uint8_t CheckDepth = 9; // TVct settings of the check
    std::uint8_t CheckThrees = 4;
    std::int32_t CheckNodes = 4000;
    std::uint8_t CheckFlag = 0;   // third pass over the defensive cells
    std::uint8_t SecondCheck = 0; // the third pass uses the settings below
    TVctSettings Second{13, 6, 25000};
};

class TQwilN4AVK : public TQwilNV {
  public:
    TQwilN4AVK();
    // Hatar := 1.8 s + 3.2.
    void SetLevel(int level) override;
};

// The common settings of QwilX_K and Qwil1X7 (not an identifier of its own).
class TQwilX : public TQwilNV {
  public:
    TQwilX();
    // Hatar := 1.8 s + 3.7; HatarLecsenges := 0.76.
    void SetLevel(int level) override;
};

class TQwilX_K : public TQwilX {
  public:
    TQwilX_K();
    ~TQwilX_K() override;
    // The opening tree first; only when it offers nothing the Qwil evaluation.
    void Evaluate() override;

    std::unique_ptr<TOpeningTree> Companion;
};

class TQwil1X7 : public TQwilX {
  public:
    TQwil1X7();
    // Hatar := 1.8 s + 5.5; HatarLecsenges := 0.78.
    void SetLevel(int level) override;
};

class TQwilV : public TZelta {
  public:
    TQwilV();
    ~TQwilV() override;
    // TVct; when it finds no forced win, Zelta's evaluation.
    void Evaluate() override;
    // The check of the chosen move with two passes.
    void AfterChoice() override;

    std::unique_ptr<TVct> Vct;
    std::uint8_t CheckDepth = 7;
    std::uint8_t CheckThrees = 4;
    std::int32_t CheckNodes = 2500;
};

// The player for an identifier ("Ilvar", "Ilvar2", "Ilvar5U", "Ilvar7C", "QwilV",
// "QwilNV", "QwilN4AVK", "QwilX_K", "Qwil1X7"; exact and case-sensitive), or null for
// any other name. Throws PatternTableError.
std::unique_ptr<TJatekos> CreateMelyPlayer(const std::string& id);

class PlayerFactory;

// Gives `factory` the makers of the nine players. A player whose tables cannot be
// read is not made: the maker shows the table error and returns null.
void RegisterMelyPlayers(PlayerFactory& factory);

} // namespace vorlix
