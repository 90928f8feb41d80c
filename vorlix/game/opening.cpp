#include "vorlix/game/opening.h"

#include "vorlix/eval/openingbook.h"
#include "vorlix/game/controller.h"
#include "vorlix/players/jatekos.h"

namespace vorlix {

namespace {

constexpr std::uint8_t kColours[5] = {kBlack, kWhite, kBlack, kWhite, kBlack};

TPont LastMove() {
    return MoveCount > 0 ? GameRecord[MoveCount] : TPont{};
}

void SetBoardChanged(GameController& c) {
    for (int seat : {1, 2})
        if (TJatekos* p = c.Player(seat)) p->BoardChanged = true;
}

} // namespace

void InstallOpeningRules(GameController& controller, OpeningRules& rules) {
    controller.SetOpeningProcedure([&rules](GameController& c) { return rules.Run(c); });
}

bool OpeningRules::Run(GameController& c) {
    // The options dialog may have changed the settings since the last game.
    book_.ColourChange = c.Config.ColourChange;
    book_.LearningMode = c.Config.LearningMode;
    Opening().RandomOpening = c.Config.RandomOpening;
    ColourToMove = kBlack;
    MoverColour = kBlack;
    if (c.ReturnMatch && HaveSavedOpening) {
        ReplayOpening(c);
        return c.Player(1) && c.Player(2);
    }
    return Procedure(c);
}

bool OpeningRules::Procedure(GameController& c) {
    TJatekos* first = c.Player(1);
    TJatekos* second = c.Player(2);
    if (!first || !second) return false;
    GameWindow& w = c.Window();

    if (c.Config.RandomOpening) {
        book_.PlaceBookOpening();
    } else if (first->CanOfferOpening() && second->CanOfferOpening()) {
        first->OfferOpen1();
        if (c.StopRequested) return false;
        second->OfferOpen2();
    } else {
        book_.PlaceBookOpening();
        const std::string& name = first->CanOfferOpening() ? SecondPlayerName : FirstPlayerName;
        w.ShowWarning(name.substr(0, 10) + "\r can not offer an opening !");
    }
    // A player whose steps left no complete opening (and was not stopped) gets the
    // random opening, so that play never starts from a half-made one.
    if (MoveCount != 5 && !c.StopRequested && !c.AbortRequest) {
        ClearBoard();
        MoveCount = 0;
        book_.PlaceBookOpening();
    }
    if (first->IsHuman || second->IsHuman) {
        w.RefreshBoard(LastMove());
        w.RefreshInfo();
    }

    if (!c.Player(1)) return false;
    // The first player decides while it still holds black: the procedure began with
    // black to move and the players' steps may have left either colour behind.
    ColourToMove = kBlack;
    MoverColour = kBlack;
    const bool takeWhite = first->ChOpening();
    if (!c.Player(1)) return false;
    // Play goes on with white's sixth move.
    ColourToMove = kWhite;
    if (takeWhite) {
        if (!first->IsHuman) {
            w.ShowPanelMessage({"The program have choosen white !"});
            c.Announced = true;
        }
        c.ExchangePairing();
    } else if (!first->IsHuman) {
        w.ShowPanelMessage({"The program have choosen black !"});
    }
    SetBoardChanged(c);

    SavedOpening = book_.FindBookRecord();
    SavedSymmetry = book_.Symmetry;
    c.SavedColourChanged = ColourChanged;
    HaveSavedOpening = MoveCount == 5;
    for (int k = 0; k < 5; ++k) SavedStones[static_cast<size_t>(k)] = GameRecord[k + 1];
    return true;
}

void OpeningRules::ReplayOpening(GameController& c) {
    TPont stones[5];
    if (SavedOpening >= 1 && SavedOpening <= book_.Count()) {
        const std::array<int, 5> cells = book_.DecodeRecord(SavedOpening);
        for (int k = 0; k < 5; ++k)
            stones[k] = InverseSymmetry(CellPont(cells[static_cast<size_t>(k)]), SavedSymmetry);
    } else {
        // Not a book opening: the stones as they were played.
        for (int k = 0; k < 5; ++k) stones[k] = SavedStones[static_cast<size_t>(k)];
    }
    for (int k = 0; k < 5; ++k) RecordMove(stones[k].X, stones[k].Y, kColours[k]);
    ColourToMove = kWhite;
    SetBoardChanged(c);
    c.Window().RefreshBoard(LastMove());
    c.Window().RefreshInfo();
}

} // namespace vorlix
