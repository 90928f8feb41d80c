#include "vorlix/game/controller.h"

#include "vorlix/game/human_player.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"
#include "vorlix/players/jatekos.h"

#include <chrono>
#include <cmath>

namespace vorlix {

namespace {

constexpr double kSecondsPerDay = 24.0 * 3600.0;

double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string Num(int v) {
    return std::to_string(v);
}

// An engine that failed in the middle of an analysis leaves its trial stones behind;
// they are lifted so that neither the board nor the next game's analyses inherit them.
void LiftTrialStones() {
    while (SearchDepth > 0) {
        const int cell = CellIndex(SearchLine[SearchDepth]);
        if (cell >= 1 && cell <= kCells) Tabla[cell] = kEmpty;
        --SearchDepth;
    }
}

const char* const kReviewQuestion = "Would you like to review the game ?";

} // namespace

std::string ClockText(double days) {
    long long s = std::llround(days * kSecondsPerDay);
    if (s < 0) s = 0;
    std::string text = std::to_string(s / 60) + ":";
    if (s % 60 < 10) text += "0";
    return text + std::to_string(s % 60);
}

GameController::GameController(GameWindow& window, PlayerFactory& factory)
    : GameController(window, factory, ownConfig_) {}

GameController::GameController(GameWindow& window, PlayerFactory& factory, Settings& settings)
    : Config(settings), window_(window), factory_(factory) {
    factory_.MakeHuman = [this] { return std::make_unique<THumanPlayer>(*this); };
}

GameController::~GameController() {
    ReleasePlayers();
    factory_.MakeHuman = nullptr;
}

TJatekos* GameController::PlayerOfColour(std::uint8_t colour) const {
    bool firstPlays = (colour == kBlack) != ColourChanged;
    return firstPlays ? first_.get() : second_.get();
}

void GameController::ExchangePairing() {
    std::swap(firstName_, secondName_);
    ColourChanged = true;
}

std::unique_ptr<TJatekos> GameController::CreatePlayer(const std::string& id) {
    std::unique_ptr<TJatekos> player;
    try {
        player = factory_.CreatePlayerByName(id, OpponentLibrary);
    } catch (const std::exception& e) {
        // A player whose engines cannot be set up (a damaged table, a library that
        // throws) is a player that cannot be created; the game is not played, the
        // program goes on.
        player.reset();
        if (creationError_.empty()) creationError_ = e.what();
    }
    // The configured level is overwritten by every creation.
    Config.Level = 4;
    return player;
}

std::string GameController::PlayersNotFound() const {
    std::string text = "Players not found.\r" + firstName_ + "\r" + secondName_;
    if (!creationError_.empty()) text += "\r" + creationError_;
    return text;
}

bool GameController::CreatePlayers(const std::string& firstName, const std::string& secondName) {
    ReleasePlayers();
    creationError_.clear();
    first_ = CreatePlayer(firstName);
    if (first_) second_ = CreatePlayer(secondName);
    if (!first_ || !second_) {
        ReleasePlayers();
        return false;
    }
    FirstPlayerName = first_->Name.empty() ? TrimName(firstName) : first_->Name;
    SecondPlayerName = second_->Name.empty() ? TrimName(secondName) : second_->Name;
    return true;
}

std::string GameController::TrimName(const std::string& id) {
    std::string name = id;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name.substr(0, 12);
}

void GameController::ReleasePlayers() {
    first_.reset();
    second_.reset();
}

std::uint8_t GameController::IndicatorColour() const {
    bool secondHuman = second_ && second_->IsHuman;
    return secondHuman != ColourChanged ? kBlack : kWhite;
}

void GameController::StartGame(bool returnMatch) {
    ReturnMatch = returnMatch;
    std::string first = OpponentName, second = kHumanId;
    // Normally the computer is the first player and plays black.
    if (!Config.MachineStart) std::swap(first, second);
    if (ReturnMatch && !SavedColourChanged) std::swap(first, second);
    ColourChanged = false;
    // The controller is never entered twice: New game stays disabled until the game ends.
    window_.EnableCommand(GameCommand::NewGame, false);
    window_.EnableCommand(GameCommand::ReturnMatch, false);
    PlayGame(first, second);
    window_.EnableCommand(GameCommand::NewGame, true);
}

void GameController::PlayGame(const std::string& firstName, const std::string& secondName) {
    outcome_ = GameOutcome{};
    BlackTime = WhiteTime = 0.0;
    window_.ShowReviewButtons(false);
    ReviewMode(false);
    window_.ShowStoneIndicator(false, kBlack);
    window_.SetEditMode(true);
    window_.SetEditColour(kWhite);

    RunMode = 1;
    StopRequested = TakeBackRequest = AbortRequest = false;
    Announced = false;
    ColourChanged = false;
    firstName_ = firstName;
    secondName_ = secondName;

    if (!CreatePlayers(firstName_, secondName_)) {
        if (creationError_.empty())
            window_.ShowWarning(PlayersNotFound());
        else
            window_.ShowError(PlayersNotFound());
        RunMode = 9;
        outcome_.kind = GameOutcome::NoPlayers;
        return;
    }
    PlayerChanged = false;
    window_.SetClockLabel(kBlack, "0");
    window_.SetClockLabel(kWhite, "0");

    ClearBoard();
    Drawn = false;
    ColourChanged = false;
    MoveCount = 0;
    ShownMoves = 0;

    gameColourChange_ = Config.ColourChange == 1;
    if (gameColourChange_ && opening_) {
        // The colour-change opening (five stones, maybe an exchange of colours). A stop
        // during the first offer ends the game at once; a later one lets the procedure
        // run to its end, and the game then ends like any resigned game.
        bool goOn = false;
        try {
            goOn = opening_(*this);
        } catch (const std::exception& e) {
            LiftTrialStones();
            Abort(0, e.what());
            ReleasePlayers();
            return;
        }
        if (!goOn || !first_ || !second_) {
            outcome_.kind = GameOutcome::Stopped;
            RunMode = 8;
            window_.SetEditMode(false);
            ReleasePlayers();
            window_.SetBusyCursor(false);
            return;
        }
    }

    window_.ShowStoneIndicator(true, IndicatorColour());
    window_.DispatchPendingEvents();
    window_.EnableCommand(GameCommand::TakeBack, true);
    window_.EnableCommand(GameCommand::Resign, true);
    if (!first_->TakeBackOk || !second_->TakeBackOk)
        window_.EnableCommand(GameCommand::TakeBack, false);
    window_.RefreshBoard(MoveCount > 0 ? GameRecord[MoveCount] : TPont{});
    window_.RefreshInfo();

    // A stop that came during the opening ends the game before anyone moves.
    bool ended = false;
    while (!ended && !StopRequested)
        if (!Turn(ended)) return;
    EndOfGame();
}

bool GameController::ReplaceComputer() {
    std::unique_ptr<TJatekos>& seat = first_->IsHuman ? second_ : first_;
    std::string& seatName = first_->IsHuman ? secondName_ : firstName_;
    seat.reset();
    creationError_.clear();
    seat = CreatePlayer(OpponentName);
    PlayerChanged = false;
    if (!seat) return false;
    // The newcomer has seen none of the moves so far: a library player must be told
    // the position before its first move, an internal one must not take it for new.
    seat->BoardChanged = true;
    seatName = OpponentName;
    (&seat == &first_ ? FirstPlayerName : SecondPlayerName) =
        seat->Name.empty() ? TrimName(OpponentName) : seat->Name;
    return true;
}

void GameController::Abort(std::uint8_t colour, const std::string& text) {
    window_.SetBusyCursor(false);
    window_.ShowError(text);
    RunMode = 9;
    outcome_.kind = GameOutcome::Aborted;
    outcome_.FaultColour = colour;
    outcome_.Message = text;
}

void GameController::ChargeClock(std::uint8_t colour, double days) {
    double& total = colour == kBlack ? BlackTime : WhiteTime;
    total += days;
    window_.SetClockLabel(colour, ClockText(total));
}

bool GameController::Turn(bool& ended) {
    if (PlayerChanged && !ReplaceComputer()) {
        // The chosen opponent cannot be created: there is nobody to play this seat.
        Abort(0, PlayersNotFound());
        return false;
    }
    ColourToMove = static_cast<std::uint8_t>(MoveCount % 2 + 1);
    MoverColour = ColourToMove;
    MoverOpponent = Opponent(ColourToMove);
    for (auto& column : ValueGrid)
        for (float& v : column) v = -1.0f;
    window_.SetBusyCursor(true);

    const std::uint8_t colour = ColourToMove;
    TJatekos* mover = PlayerOfColour(colour);
    const double t0 = NowSeconds();
    try {
        mover->Move();
    } catch (const InternalError& e) {
        LiftTrialStones();
        std::string text = e.Message();
        if (!e.Detail().empty()) text += "\r" + e.Unit() + ": " + e.Detail();
        Abort(colour, text);
        return false;
    } catch (const std::exception& e) {
        LiftTrialStones();
        Abort(colour, e.what());
        return false;
    }
    double dt = NowSeconds() - t0;
    if (dt < 0.0) dt = 0.0;
    if (OnTurn) OnTurn(TurnReport{colour, mover == first_.get() ? 1 : 2, dt});

    if (MoveCount == 0 && !(ChosenMove == TPont{8, 8})) {
        ChosenMove = TPont{8, 8};
        window_.ShowWarning("Fisrt move should be at H8 !");
        window_.RefreshInfo();
    }
    if (!Announced) window_.ShowPanelMessage({});
    Announced = false;
    ChargeClock(colour, dt / kSecondsPerDay);

    if (AbortRequest) {
        ended = true;
    } else if (TakeBackRequest) {
        if (first_) first_->BoardChanged = true;
        if (second_) second_->BoardChanged = true;
        if (MoveCount > 2) {
            for (int i = MoveCount - 1; i <= MoveCount; ++i)
                Tabla[CellIndex(GameRecord[i])] = kEmpty;
            MoveCount -= 2;
            ShownMoves = MoveCount;
            window_.RefreshInfo();
        }
        TakeBackRequest = false;
    } else {
        const TPont m = ChosenMove;
        if (!OnBoard(m.X, m.Y)) {
            Abort(colour, "Invalid move !\r" + Num(MoveCount) + ". " + Num(m.X) + "," + Num(m.Y));
            return false;
        }
        if (Tabla[CellIndex(m)] != kEmpty) {
            window_.RefreshInfo();
            Abort(colour, "Invalid move !\r" + Num(m.X) + "," + Num(m.Y));
            return false;
        }
        RecordMove(m.X, m.Y, colour);
        if (FiveInRow(colour)) ended = true;
        // A full board is a draw whatever the limit says: nobody has a move left.
        if (MoveCount >= Config.DrawAt || MoveCount >= kCells) {
            Drawn = true;
            ended = true;
        }
    }
    window_.RefreshBoard(MoveCount > 0 ? GameRecord[MoveCount] : TPont{});
    window_.RefreshInfo();
    window_.DispatchPendingEvents();
    return true;
}

std::string GameController::EndQuestion() const {
    if (StopRequested || AbortRequest) return kReviewQuestion;
    // The draw limit names no winner: the last mover has not won anything.
    if (Drawn && !FiveInRow(ColourToMove))
        return std::string("Draw !\rThe draw limit was reached.\r") + kReviewQuestion;
    if (ColourToMove == IndicatorColour())
        return "Game over !\r" + OpponentName + " won !\r" + kReviewQuestion;
    return std::string("Congratulation !\rYou won !\r") + kReviewQuestion;
}

void GameController::EndOfGame() {
    if (StopRequested || AbortRequest) {
        outcome_.kind = GameOutcome::Stopped;
    } else if (FiveInRow(ColourToMove)) {
        outcome_.kind = GameOutcome::Five;
        outcome_.WinnerColour = ColourToMove;
    } else {
        outcome_.kind = GameOutcome::Draw;
    }
    if (OnGameOver) OnGameOver(outcome_);
    bool review = window_.AskQuestion(EndQuestion());
    window_.EnableCommand(GameCommand::TakeBack, false);
    window_.EnableCommand(GameCommand::Resign, false);
    if (gameColourChange_ && !ReturnMatch) window_.EnableCommand(GameCommand::ReturnMatch, true);
    RunMode = 8;
    window_.SetEditMode(false);
    if (review) {
        ReviewMode(true);
    } else {
        ClearBoard();
        MoveCount = 0;
        ShownMoves = 0;
        window_.RefreshBoard(TPont{});
    }
    ReleasePlayers();
    window_.SetBusyCursor(false);
}

void GameController::RequestTakeBack() {
    TakeBackRequest = true;
}

void GameController::Resign() {
    RunMode = 2;
    StopRequested = true;
    AbortRequest = true;
    window_.EnableCommand(GameCommand::Resign, false);
    window_.EnableCommand(GameCommand::TakeBack, false);
}

void GameController::WindowClosing() {
    if (RunMode != 8) Resign();
}

void GameController::WindowDestroyed() {
    StopRequested = true;
}

void GameController::OpponentChosen(const std::string& name, const std::string& library) {
    OpponentName = name.substr(0, 30);
    OpponentLibrary = library;
    if (RunMode == 1 && library.empty()) PlayerChanged = true;
}

void GameController::BoardClicked(TPont point) {
    for (TJatekos* p : {first_.get(), second_.get()})
        if (p && p->IsHuman) static_cast<THumanPlayer*>(p)->Clicked(point);
}

void GameController::ReviewMode(bool on) {
    window_.ShowReviewButtons(on);
    window_.EnableCommand(GameCommand::SaveGame, on);
    ReviewFirst();
}

void GameController::ReviewFirst() {
    ClearBoard();
    ShownMoves = 0;
    window_.RefreshBoard(TPont{});
    ReviewForward();
}

void GameController::ReviewForward() {
    if (MoveCount <= ShownMoves) return;
    ++ShownMoves;
    const TPont m = GameRecord[ShownMoves];
    Tabla[CellIndex(m)] = ShownMoves % 2 ? kBlack : kWhite;
    window_.RefreshBoard(m);
}

void GameController::ReviewBack() {
    if (ShownMoves <= 0) return;
    Tabla[CellIndex(GameRecord[ShownMoves])] = kEmpty;
    --ShownMoves;
    window_.RefreshBoard(ShownMoves > 0 ? GameRecord[ShownMoves] : TPont{});
}

} // namespace vorlix
