#include "vorlix/game/human_player.h"

#include "vorlix/game/controller.h"

namespace vorlix {

THumanPlayer::THumanPlayer(GameController& controller) : controller_(controller) {
    IsHuman = true;
    Name = kHumanId;
    controller_.AbortRequest = !controller_.Window().Alive();
}

void THumanPlayer::Move() {
    GameWindow& w = controller_.Window();
    w.SetBusyCursor(false);
    Moved = false;
    while (!Moved && !controller_.AbortRequest && !controller_.TakeBackRequest &&
           !controller_.StopRequested)
        w.WaitForEvents();
}

void THumanPlayer::Clicked(TPont point) {
    ChosenMove = point;
    Moved = true;
}

} // namespace vorlix
