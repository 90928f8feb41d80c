#pragma once
// Brain: pbrain-vorlix's engine of the gomoku tournament protocol: the session's
// positions played by an internal player on the game model.
//
// Only the 15 x 15 board and rule 0 (five or more in a row) are played; our own key
// INFO player ID chooses the internal player. Replies that the protocol leaves to the
// engine's judgement (a move it had to put right) are MESSAGE lines before the answer.
//
// The brain owns the process-wide game model while it runs: before each answer the
// model is set to the session's position, and the engine's move is recorded there.

#include "tools/pbrain-protocol/session.h"
#include "tools/pbrain-vorlix/move_times.h"

#include "vorlix/players/player_factory.h"
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

class Brain : public ConsoleEngine {
  public:
    // `factory` must already know the internal players; it is not owned.
    Brain(vorlix::PlayerFactory& factory, std::string playerId);
    ~Brain() override;

    // The protocol session over this engine.
    Session& Protocol() { return session_; }
    // Handles one line of the protocol (see Session).
    std::vector<std::string> Handle(const std::string& line) { return session_.Handle(line); }
    bool Ended() const { return session_.Ended(); }
    const std::string& PlayerId() const { return playerId_; }
    // The identifier that played the last answer (the ladder may step down).
    const std::string& LastPlayed() const { return lastPlayed_; }

    // The clock that times the moves, in milliseconds (a steady clock unless replaced).
    std::function<double()> ClockMs;

    // ConsoleEngine
    std::string About() const override;
    std::string BoardProblem(int width, int height) const override;
    std::string SetRule(long long rule) override;
    std::vector<std::string> Info(const std::string& key, const std::string& value) override;
    void NewGame(int width, int height) override;
    std::string CannotPlay() const override;
    std::string MoveProblem(const std::vector<Point>&, Point) override { return {}; }
    ThinkReply Think(const std::vector<Point>& record, const TimeLimits& limits) override;

  private:
    struct Seat {
        std::unique_ptr<vorlix::TJatekos> player;
        std::vector<vorlix::TPont> seen; // the record just after this player's last move
    };

    vorlix::PlayerFactory& factory_;
    std::string playerId_;
    long long rule_ = 0;
    std::map<std::string, Seat> seats_;
    MoveTimes times_;
    std::string lastPlayed_;
    Session session_{*this};
};

} // namespace pbrain
