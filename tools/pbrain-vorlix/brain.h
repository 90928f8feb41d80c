#pragma once
// Brain: one session of the gomoku tournament protocol, turned into the game model and
// an internal player.
//
// The session reads one command line at a time and gives back the lines to answer
// (none for INFO and for the stone lines of a BOARD block). Coordinates are zero-based
// "x,y" with x the column; the game model's point is (x + 1, y + 1). Only the 15 x 15
// board and rule 0 (five or more in a row) are played; anything else is answered with
// "ERROR reason". Replies that the protocol leaves to the engine's judgement (a move it
// had to put right, an INFO value it ignored) are "MESSAGE" lines before the answer.
//
// The session owns the process-wide game model while it runs: the board holds the
// position the manager gave, and the engine's own moves are recorded there as well.

#include "vorlix/game/player_factory.h"
#include "vorlix/players/jatekos.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pbrain {

inline constexpr const char* kDefaultPlayer = "Vosk7XLSHO_K";

// Why an identifier cannot be played, or empty when it can.
std::string PlayerProblem(const vorlix::PlayerFactory& factory, const std::string& id);

class Brain {
  public:
    // `factory` must already know the internal players; it is not owned.
    Brain(vorlix::PlayerFactory& factory, std::string playerId);
    ~Brain();

    // Handles one line (a trailing "\r" is ignored) and returns the reply lines.
    std::vector<std::string> Handle(const std::string& line);
    // Whether END was received.
    bool Ended() const { return ended_; }
    const std::string& PlayerId() const { return playerId_; }

    // Called just before a search starts (true) and after it ends (false). Returning
    // false from the first call skips the search: nothing is answered.
    std::function<bool(bool thinking)> OnThinking;

  private:
    struct Seat {
        std::unique_ptr<vorlix::TJatekos> player;
        std::vector<vorlix::TPont> seen; // the record just after this player's last move
    };

    std::vector<std::string> Start(const std::string& args, bool rectangle);
    std::vector<std::string> Info(const std::string& args);
    std::vector<std::string> Turn(const std::string& args);
    std::vector<std::string> TakeBack(const std::string& args);
    std::vector<std::string> BoardLine(const std::string& line);
    std::vector<std::string> BoardDone();
    std::vector<std::string> Think();
    std::string CannotPlay() const;
    long long BudgetMs() const;
    void NewGame();

    vorlix::PlayerFactory& factory_;
    std::string playerId_;
    bool started_ = false;
    bool ended_ = false;
    int rule_ = 0;
    // Time limits from INFO, in milliseconds; -1 while not given.
    long long timeoutTurn_ = -1, timeoutMatch_ = -1, timeLeft_ = -1;
    std::string folder_;
    // A BOARD block being read: the stones so far and the first problem found.
    bool inBoard_ = false;
    std::vector<std::pair<vorlix::TPont, int>> boardStones_;
    std::string boardError_;
    std::map<std::string, Seat> seats_;
    std::map<std::string, double> slowestMs_;
};

} // namespace pbrain
