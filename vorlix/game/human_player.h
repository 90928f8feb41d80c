#pragma once
// THumanPlayer: the player at the board ("Ember"). Its Move waits, letting the window
// dispatch its events, until the board view reports a click (through the controller's
// BoardClicked) or a request ends the wait.

#include "vorlix/players/jatekos.h"

namespace vorlix {

class GameController;

class THumanPlayer : public TJatekos {
  public:
    // Without a window to click on, the player gives up every turn at once
    // (AbortRequest), so that it never waits for nothing.
    explicit THumanPlayer(GameController& controller);

    void Move() override;

    // The normal move handler of the board view's move event.
    void Clicked(TPont point);

    bool Moved = false;

  private:
    GameController& controller_;
};

} // namespace vorlix
