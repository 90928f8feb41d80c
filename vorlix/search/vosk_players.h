#pragma once
// The Vosk players: the internal levels that choose their move with the best-first
// deepening search TMelyVaz.
//
//   Vosk7W         the search with the engine's defaults (depth 7, full defence)
//   Vosk7XPM_K     "Level 8": the win searches, deeper schedule, opening-tree finder
//   Vosk7XLHO      graded small win searches, postponed fours, full-width extension
//   Vosk7XLSHO_K   "Level 9": as Vosk7XLHO with the second move scoring and the finder
//
// Each constructor runs the one of the player it builds on and then sets its own
// values, so a player's parameters read as a chain of small steps. Construction loads
// the pattern tables from EngineDataFolder() and throws PatternTableError when one is
// missing or invalid.
//
// SetLevel(s) sets the search's KezdetiEF: 1.8 s + 1.4 for Vosk7W, 1.8 s + 8.0 for the
// others (15.2 at the level 4 that every created player gets).

#include "vorlix/eval/opening_tree.h"
#include "vorlix/players/jatekos.h"
#include "vorlix/search/melyvaz.h"

#include <memory>
#include <string>

namespace vorlix {

class PlayerFactory;

// Depth 7 with every reply of the opponent expanded; engine defaults otherwise.
class TVosk7W : public TJatekos {
  public:
    TVosk7W();
    ~TVosk7W() override;

    void Evaluate() override;
    void SetLevel(int level) override;

    std::unique_ptr<TMelyVaz> Search;
};

// + the main win search, the loss avoidance and the small win search.
class TVosk7X : public TVosk7W {
  public:
    TVosk7X();
    void SetLevel(int level) override;
};

// + wider expansion and bigger threat-search budgets.
class TVosk7XP : public TVosk7X {
  public:
    TVosk7XP();
};

// + the deeper rounds' narrowing schedule.
class TVosk7XPM : public TVosk7XP {
  public:
    TVosk7XPM();
};

// + the opening-tree move finder, asked before the search.
class TVosk7XPM_K : public TVosk7XPM {
  public:
    TVosk7XPM_K();
    ~TVosk7XPM_K() override;
    void Evaluate() override;

    std::unique_ptr<TOpeningTree> Companion;
};

// From TVosk7XPM: small win searches from round depth 4, graded by level.
class TVosk7XL : public TVosk7XPM {
  public:
    TVosk7XL();
};

// + postponed fours and the full-width extension.
class TVosk7XLHO : public TVosk7XL {
  public:
    TVosk7XLHO();
};

// + the second move scoring, and the opening-tree move finder.
class TVosk7XLSHO_K : public TVosk7XLHO {
  public:
    TVosk7XLSHO_K();
    ~TVosk7XLSHO_K() override;
    void Evaluate() override;

    std::unique_ptr<TOpeningTree> Companion;
};

// The Vosk player for an identifier ("Vosk7W", "Vosk7XPM_K", "Vosk7XLHO",
// "Vosk7XLSHO_K"; exact and case-sensitive), or null for any other name.
std::unique_ptr<TJatekos> CreateVoskPlayer(const std::string& id);

// Gives `factory` the makers of the four Vosk players. A player whose pattern tables
// cannot be read is not made: its maker reports the error in an error box and returns
// null.
void RegisterVoskPlayers(PlayerFactory& factory);

} // namespace vorlix
