#pragma once
// GameController: runs one game from its start to the end-of-game question, and the
// review afterwards.
//
// StartGame creates the two players of the pairing, lets the opening procedure place
// the first stones (when the colour-change option is on), then asks the player of
// ColourToMove for its move turn by turn: checks it, records it, tests for five in a
// row and the draw limit, charges the thinking time to the colour that moved and
// refreshes the window. Menu commands that arrive meanwhile (take back, resign, close,
// a new opponent) only set request flags that the loop reads.
//
// Failures never take the program down: an invalid move, and an internal error raised
// by a player's engines, are shown in an error box and end the game as an abort
// (RunMode 9) without the end-of-game question. A player whose creation raises is a
// player that cannot be created: an error box with the reason, and no game.

#include "vorlix/game/board.h"
#include "vorlix/game/game_window.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/settings.h"

#include <functional>
#include <memory>
#include <string>

namespace vorlix {

class TJatekos;

// How the last game ended.
struct GameOutcome {
    enum Kind {
        None,      // no game played yet
        NoPlayers, // a player could not be created
        Five,      // WinnerColour made five or more in a row
        Draw,      // the draw limit was reached
        Stopped,   // resigned, window closed, or ended during the opening
        Aborted,   // an invalid move or an engine error of FaultColour's player
    } kind = None;
    std::uint8_t WinnerColour = 0;
    std::uint8_t FaultColour = 0;
    std::string Message; // the error text of an abort
};

// What the controller reports after each move it accepted or rejected.
struct TurnReport {
    std::uint8_t Colour;
    int Seat;       // 1 the first player, 2 the second
    double Seconds; // thinking time of this move
};

// "m:ss" of a total in days (minutes are not limited: "75:03").
std::string ClockText(double days);

class GameController {
  public:
    // With settings of its own (headless games and tests).
    GameController(GameWindow& window, PlayerFactory& factory);
    // With the program's settings object, shared with the window: what the controller
    // changes (the level set by every player creation) is what the options dialog
    // writes to the initialisation file.
    GameController(GameWindow& window, PlayerFactory& factory, Settings& settings);
    ~GameController();

    // Runs a whole game (New game: false; Return match: true).
    void StartGame(bool returnMatch);
    // Runs a game between the two named players, the first playing black unless the
    // opening exchanges the colours. StartGame uses it after working out the pairing.
    void PlayGame(const std::string& firstName, const std::string& secondName);

    // Requests from the window; each only sets state the turn loop reads.
    void RequestTakeBack();
    void Resign();
    // The window is being closed while a game runs: as Resign.
    void WindowClosing();
    // Exit command or destruction of the window.
    void WindowDestroyed();
    // An opponent chosen in the Opponent menu: `library` empty for an internal player.
    // An internal player replaces the running game's computer at its next turn; a
    // library player takes effect at the next game.
    void OpponentChosen(const std::string& name, const std::string& library);
    // A left click on an empty point of the board view while its edit mode is on.
    void BoardClicked(TPont point);

    // Review of the finished game.
    void ReviewMode(bool on);
    void ReviewFirst();
    void ReviewBack();
    void ReviewForward();

    // The colour-change opening, run by StartGame before the first turn when the option
    // is on. It places five stones (or replays the previous opening in a return match)
    // and may exchange the colours; it returns false when the game must end without the
    // end-of-game question. Until it is installed the game starts on an empty board.
    using OpeningProcedure = std::function<bool(GameController&)>;
    void SetOpeningProcedure(OpeningProcedure procedure) { opening_ = std::move(procedure); }

    // Called with the finished game still on the board, before the end question.
    std::function<void(const GameOutcome&)> OnGameOver;
    // Called after each move a player returned.
    std::function<void(const TurnReport&)> OnTurn;

    // The player of the first and second seat; null outside a game.
    TJatekos* Player(int seat) const { return seat == 1 ? first_.get() : second_.get(); }
    // The player who plays `colour` in the running game.
    TJatekos* PlayerOfColour(std::uint8_t colour) const;
    // Exchanges the pairing (the two names) and sets ColourChanged: the players keep
    // their seats, and the second player now plays black.
    void ExchangePairing();
    const GameOutcome& Outcome() const { return outcome_; }
    GameWindow& Window() { return window_; }

  private:
    Settings ownConfig_; // used when no settings object is shared

  public:
    // ColourChange, MachineStart, DrawAt, folders. Options changed while a game runs
    // take effect at the next game: StartGame reads MachineStart, the opening and the
    // end of the game read the ColourChange the game started with.
    Settings& Config;
    std::string OpponentName = "QwilN4AVK"; // at most 30 characters
    std::string OpponentLibrary;            // empty for an internal player
    bool SavedColourChanged = false;        // from the last game with the opening

    // Controller state, as the windows and the opening procedure read it.
    int RunMode = 8; // 1 running, 2 stop requested, 8 ended normally, 9 aborted
    bool StopRequested = false;
    bool AbortRequest = false;
    bool TakeBackRequest = false;
    bool PlayerChanged = false;
    bool ReturnMatch = false;
    bool Drawn = false;
    double BlackTime = 0.0, WhiteTime = 0.0; // in days
    bool Announced = false;

  private:
    // A player by identifier; null when it cannot be created (an exception raised while
    // creating it is kept in creationError_).
    std::unique_ptr<TJatekos> CreatePlayer(const std::string& id);
    bool CreatePlayers(const std::string& firstName, const std::string& secondName);
    std::string PlayersNotFound() const;
    void ReleasePlayers();
    std::uint8_t IndicatorColour() const;
    // One turn; false when the game must return at once (abort).
    bool Turn(bool& ended);
    bool ReplaceComputer();
    void Abort(std::uint8_t colour, const std::string& text);
    void ChargeClock(std::uint8_t colour, double days);
    void EndOfGame();
    std::string EndQuestion() const;
    static std::string TrimName(const std::string& id);

    GameWindow& window_;
    PlayerFactory& factory_;
    std::unique_ptr<TJatekos> first_, second_;
    std::string firstName_, secondName_;
    OpeningProcedure opening_;
    GameOutcome outcome_;
    std::string creationError_;     // why the last creation failed, when it raised
    bool gameColourChange_ = false; // the colour-change option of the running game
};

} // namespace vorlix
