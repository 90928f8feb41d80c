#include "vorlix/game/human_player.h"

#include "vorlix/eval/openingbook.h"
#include "vorlix/game/controller.h"

namespace vorlix {

namespace {
const char* const kInvalidOpening = "Invalid opening !\rStones should be connectable by one move !";
}

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
    if (want_ > 0) {
        OpeningClick(point);
        return;
    }
    ChosenMove = point;
    Moved = true;
}

void THumanPlayer::OfferOpen1() {
    PlaceOpeningStones(
        2, 7, 9, {"Take one black and one white stone", "into the centre rectangle (3 by 3) !"});
}

void THumanPlayer::OfferOpen2() {
    PlaceOpeningStones(3, 6, 10, {"Take 3 stones into the centre", "rectangle (5 by 5) !"});
}

void THumanPlayer::PlaceOpeningStones(int count, int lo, int hi,
                                      const std::vector<std::string>& lines) {
    GameWindow& w = controller_.Window();
    w.RefreshBoard(MoveCount > 0 ? GameRecord[MoveCount] : TPont{});
    w.ShowPanelMessage(lines);
    Placed = 0;
    want_ = count;
    lo_ = lo;
    hi_ = hi;
    w.SetEditColour(kBlack);
    w.SetBusyCursor(false);
    Moved = false;
    ChosenMove = TPont{};
    // Take back lifts a placed stone; the game enables the command only after the
    // opening, so it is offered here while stones are being placed.
    w.EnableCommand(GameCommand::TakeBack, true);
    while (Placed < want_ && !controller_.AbortRequest) {
        if (controller_.TakeBackRequest) {
            // With nothing placed there is nothing to take back; a request left standing
            // would take back two opening stones at the first turn.
            if (Placed > 0) LiftLastStone();
            controller_.TakeBackRequest = false;
            continue;
        }
        w.WaitForEvents();
    }
    w.EnableCommand(GameCommand::TakeBack, false);
    const bool done = Placed == want_;
    want_ = 0;
    if (!done) {
        // Given up: the stones placed so far never became moves of the game.
        while (Placed > 0) LiftLastStone();
        return;
    }
    for (int k = 0; k < Placed; ++k) {
        const TPont p = PlacedStones[k];
        RecordMove(p.X, p.Y, k % 2 == 0 ? kBlack : kWhite);
    }
    w.RefreshBoard(GameRecord[MoveCount]);
}

void THumanPlayer::LiftLastStone() {
    GameWindow& w = controller_.Window();
    --Placed;
    Tabla[CellIndex(PlacedStones[Placed])] = kEmpty;
    w.SetEditColour(static_cast<std::uint8_t>(Placed % 2 + 1));
    w.RefreshBoard(MoveCount > 0 ? GameRecord[MoveCount] : TPont{});
}

void THumanPlayer::OpeningClick(TPont p) {
    GameWindow& w = controller_.Window();
    const bool inside = p.X >= lo_ && p.X <= hi_ && p.Y >= lo_ && p.Y <= hi_;
    if (!inside || Placed >= want_ || Tabla[CellIndex(p)] != kEmpty) {
        // The view drew the clicked stone; redrawing from the board removes it.
        w.RefreshBoard(MoveCount > 0 ? GameRecord[MoveCount] : TPont{});
        return;
    }
    Tabla[CellIndex(p)] = static_cast<std::uint8_t>(Placed % 2 + 1);
    PlacedStones[Placed++] = p;
    w.SetEditColour(static_cast<std::uint8_t>(Placed % 2 + 1));
    if (want_ == 3 && Placed == 3 && !OpeningIsCompact()) {
        LiftLastStone();
        w.ShowWarning(kInvalidOpening);
        return;
    }
    w.RefreshBoard(MoveCount > 0 ? GameRecord[MoveCount] : TPont{});
}

bool THumanPlayer::ChOpening() {
    GameWindow& w = controller_.Window();
    w.ShowPanelQuestion({"Would you like to be black ?"});
    w.SetEditMode(false);
    while (w.PanelAnswer() == 0 && !controller_.StopRequested) w.WaitForEvents();
    w.SetEditMode(true);
    w.ShowPanelMessage({});
    // Anything but Yes takes white, which exchanges the colours.
    return w.PanelAnswer() != 1;
}

} // namespace vorlix
