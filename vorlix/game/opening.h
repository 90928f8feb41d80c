#pragma once
// OpeningRules: the colour-change opening ("after 5th move"), which the controller runs
// before the first turn of a game.
//
// A new game: the five stones come from the book's random opening ("Random opening",
// or a player that cannot offer), or from the players' offers: the first player's
// OfferOpen1 (black, white), the second player's OfferOpen2 (black, white, black).
// Then the first player's ChOpening decides; true takes white and exchanges the
// pairing. The opening is remembered as a book record and symmetry for the return
// match.
//
// A return match replays the remembered five stones instead, without a colour choice;
// the controller has already given each side the other colour.

#include "vorlix/game/board.h"

#include <array>

namespace vorlix {

class GameController;
class OpeningBook;

class OpeningRules {
  public:
    explicit OpeningRules(OpeningBook& book) : book_(book) {}

    // The controller's opening procedure; false when the game must end without the
    // end-of-game question.
    bool Run(GameController& controller);

    // From the last game that ran the procedure.
    int SavedOpening = -1; // book record of its five stones, -1 when the book lacks them
    int SavedSymmetry = 0; // maps that record onto the stones
    // The five stones themselves: a return match replays them when the book lacks them.
    std::array<TPont, 5> SavedStones{};
    bool HaveSavedOpening = false;

  private:
    bool Procedure(GameController& controller);
    void ReplayOpening(GameController& controller);

    OpeningBook& book_;
};

// Installs `rules` as the controller's opening procedure (both must outlive the games).
void InstallOpeningRules(GameController& controller, OpeningRules& rules);

} // namespace vorlix
