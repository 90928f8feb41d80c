#pragma once
// THumanPlayer: the player at the board ("Ember"). Its Move waits, letting the window
// dispatch its events, until the board view reports a click (through the controller's
// BoardClicked) or a request ends the wait.
//
// In the colour-change opening it places stones by clicks: two (black, white) in the
// 3-by-3 square G7..I9 for OfferOpen1, three (black, white, black) in the 5-by-5 square
// F6..J10 for OfferOpen2, where the third must make the five stones connectable by one
// more stone. Clicks outside the square place nothing; Take back lifts the last stone
// placed. ChOpening asks "Would you like to be black ?" in the message panel.

#include "vorlix/players/jatekos.h"

namespace vorlix {

class GameController;

class THumanPlayer : public TJatekos {
  public:
    // Without a window to click on, the player gives up every turn at once
    // (AbortRequest), so that it never waits for nothing.
    explicit THumanPlayer(GameController& controller);

    void Move() override;
    void OfferOpen1() override;
    void OfferOpen2() override;
    bool ChOpening() override;

    // A click on an empty point of the board view: a move, or an opening stone while
    // the player places them.
    void Clicked(TPont point);

    bool Moved = false;
    // Opening stones placed in the current step (0..3) and their points.
    int Placed = 0;
    TPont PlacedStones[3] = {};

  private:
    // Waits for `count` stones in the square lo..hi; records them when all are placed.
    void PlaceOpeningStones(int count, int lo, int hi, const std::vector<std::string>& lines);
    void OpeningClick(TPont point);
    void LiftLastStone();

    GameController& controller_;
    // While placing opening stones: how many and where; 0 for normal moves.
    int want_ = 0;
    int lo_ = 0, hi_ = 0;
};

} // namespace vorlix
