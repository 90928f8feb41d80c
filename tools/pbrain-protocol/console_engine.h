#pragma once
// ConsoleEngine: what an engine offers the protocol session of the gomoku tournament
// protocol. The session parses the commands, checks points and keeps the position;
// the engine says what it plays and answers the position it is given.
//
// Points are zero-based (x the column, y the row). A position is the record of the
// moves in playing order, black first, the colours alternating; the engine is the side
// to move.

#include <optional>
#include <string>
#include <vector>

namespace pbrain {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// The limits of INFO in milliseconds (bytes for max_memory); -1 while not given.
struct TimeLimits {
    long long turnMs = -1;  // timeout_turn: time for one answer
    long long matchMs = -1; // timeout_match: time for the whole game (0: no limit)
    long long leftMs = -1;  // time_left: what is left of the game's time
    long long maxMemory = -1;
};

// The engine's answer to a position: MESSAGE lines first, then a move or an error.
// With neither (the program is ending), nothing is answered.
struct ThinkReply {
    std::vector<std::string> messages; // whole lines ("MESSAGE ...")
    std::optional<Point> move;
    std::string error; // without the "ERROR " prefix
};

class ConsoleEngine {
  public:
    virtual ~ConsoleEngine() = default;

    // The reply to ABOUT: name="...", version="...", ...
    virtual std::string About() const = 0;
    // Why a width x height board is not played, or empty when it is.
    virtual std::string BoardProblem(int width, int height) const = 0;
    // INFO rule: why the rule is not played, or empty when it is taken.
    virtual std::string SetRule(long long rule) = 0;
    // INFO keys the session does not know itself; the reply lines (usually none).
    virtual std::vector<std::string> Info(const std::string& key, const std::string& value) = 0;
    // START, RECTSTART (after BoardProblem accepted the size) and RESTART: a new game
    // begins on a width x height board.
    virtual void NewGame(int width, int height) = 0;
    // Why the engine cannot answer at all now (a setting it cannot play), or empty.
    virtual std::string CannotPlay() const = 0;
    // Why the opponent may not play `p` after `record` (a forbidden move), or empty.
    virtual std::string MoveProblem(const std::vector<Point>& record, Point p) = 0;
    // The engine's move in `record`, within `limits`.
    virtual ThinkReply Think(const std::vector<Point>& record, const TimeLimits& limits) = 0;
};

} // namespace pbrain
