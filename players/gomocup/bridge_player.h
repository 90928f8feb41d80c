#pragma once
// BridgePlayer: one player of gomocup.so, a console engine of the gomoku tournament
// protocol driven from the host's game.
//
// Start runs the engine, sends "START 15" and waits for "OK", then tells it the rule
// (0: five or more), that its opponent is a program, its turn time (INFO timeout_turn,
// with a margin below the entry's time-out: EngineTimeMs), the game clock when the
// entry has one (timeout_match, time_left), and the INFO lines of its entry. Each Move gives the
// engine the host's position: "BEGIN" on an empty board, "TURN x,y" when the opponent's one move is
// all that happened since the engine's last answer, "BOARD ... DONE" otherwise and whenever the
// host asked for a refresh. The answer "x,y" (zero-based, x the column) becomes the packed point (x
// + 1, y + 1).
//
// Every answer is awaited at most the entry's time-out, and with a game clock at most
// what is left of it (the engine is told time_left before each move). MESSAGE and
// DEBUG lines go to the entry's log wherever they arrive; an ERROR (or UNKNOWN) while
// INFO lines are unanswered is the engine refusing one of them: it is reported
// (standard error and the log) and the game goes on. An engine that does not answer in
// time, exits, or answers something else than a point is stopped, the reason goes to
// standard error, and Move returns 0 (a point off the board) now and at every later
// call: the host ends the game as an abort, with this player at fault.

#include "engine_list.h"
#include "engine_process.h"

#include "players/common/library_exports.h"

#include <string>
#include <vector>

namespace gomocup {

class BridgePlayer : public plugin::LibraryPlayer {
  public:
    // `folder` is the folder of the engine list (with a trailing "/"); `host` the host's
    // functions, used inside Move.
    BridgePlayer(EngineEntry entry, std::string folder, const VorlixHost& host);

    // Runs the engine and opens the game; false (the reason on standard error) when the
    // engine cannot be started or does not accept the game.
    bool Start();
    VorlixPoint Move() override;
    void RefreshBoard() override { refresh_ = true; }
    // Whether an error has ended this player's engine.
    bool Failed() const { return failed_; }
    // The reason of the failure, as written to standard error.
    const std::string& Failure() const { return failure_; }

  private:
    std::vector<VorlixPoint> HostRecord() const;
    std::vector<std::string> PositionCommands(const std::vector<VorlixPoint>& record) const;
    // The answer to `asked` within `seconds` (`clock`: the game clock sets that limit);
    // false after a failure was reported.
    bool Answer(const std::string& asked, std::string& line, double seconds, bool clock);
    // Handles a line that is no answer (MESSAGE, DEBUG, the refusal of an INFO line);
    // false for any other line.
    bool Aside(const std::string& line);
    // Reads what the engine said without waiting.
    void Drain();
    bool SendInfo(const std::string& info);
    bool Fail(const std::string& why);
    void Log(const std::string& text) const;
    // Standard error and the log.
    void Report(const std::string& text) const;

    EngineEntry entry_;
    std::string folder_;
    VorlixHost host_;
    EngineProcess engine_;
    std::vector<VorlixPoint> known_; // the record as the engine knows it
    bool refresh_ = false;
    int pendingInfo_ = 0;     // INFO lines sent since the engine's last answer
    std::string refusal_;     // the ERROR taken for a refused INFO line since then
    double spentSeconds_ = 0; // the engine's answers in this game
    bool failed_ = false;
    std::string failure_;
};

} // namespace gomocup
