#pragma once
// Session: one session of the gomoku tournament protocol on top of a ConsoleEngine.
//
// The session reads one command line at a time and gives back the lines to answer
// (none for INFO and for the stone lines of a BOARD block). It knows START N,
// RECTSTART W,H, RESTART, INFO, BEGIN, TURN x,y, BOARD ... DONE, TAKEBACK x,y, ABOUT and
// END (commands in any case); anything else is "UNKNOWN ...", a bad command
// "ERROR reason". It checks every point against the board and the stones on it and
// keeps the position as the record of the moves, black first; the engine answers it.
//
// INFO timeout_turn, timeout_match, time_left and max_memory are kept as the limits
// of the next answers (a value that is not a non-negative number is answered with a
// MESSAGE and ignored; max_memory is shown to the engine too, which may refuse it);
// without time_left, the game's time left is timeout_match less the time the answers
// of this game took. INFO rule goes to the engine; game_type, folder and evaluate need
// nothing; every other key is the engine's.
//
// A BOARD block gives the stones of both sides: "x,y,1" the engine's own, "x,y,2"
// the opponent's, each side in the order played. The sides alternate from black, and
// the engine is the side to move: black when both have as many stones. END inside the
// block ends the session there (the block is dropped).

#include "tools/pbrain-protocol/console_engine.h"

#include <functional>
#include <string>
#include <vector>

namespace pbrain {

class Session {
  public:
    // `engine` is not owned and must outlive the session.
    explicit Session(ConsoleEngine& engine) : engine_(engine) {}

    // Handles one line (blanks and a trailing "\r" around it are ignored) and returns
    // the reply lines.
    std::vector<std::string> Handle(const std::string& line);
    // Whether END was received.
    bool Ended() const { return ended_; }
    // The position as the session knows it.
    const std::vector<Point>& Record() const { return record_; }
    const TimeLimits& Limits() const { return limits_; }

    // Called just before the engine is asked for a move (true) and after it answered
    // (false). Returning false from the first call skips the move: nothing is answered.
    std::function<bool(bool thinking)> OnThinking;

  private:
    std::vector<std::string> Start(const std::string& args, bool rectangle);
    std::vector<std::string> Info(const std::string& args);
    std::vector<std::string> Turn(const std::string& args);
    std::vector<std::string> TakeBack(const std::string& args);
    std::vector<std::string> BoardLine(const std::string& line);
    std::vector<std::string> BoardDone();
    std::vector<std::string> Answer();
    bool ParsePoint(const std::string& text, Point& p, std::string& error) const;
    bool Taken(Point p) const;
    std::string PointText(Point p) const;

    ConsoleEngine& engine_;
    bool started_ = false;
    bool ended_ = false;
    int width_ = 0, height_ = 0;
    std::vector<Point> record_;
    TimeLimits limits_;
    // A BOARD block being read: the stones so far and the first problem found.
    bool inBoard_ = false;
    std::vector<std::pair<Point, int>> boardStones_;
    std::string boardError_;
    double spentMs_ = 0; // the engine's answers of this game
};

// Helpers of the protocol's texts, shared by the engines.
std::string Trim(const std::string& s);
std::string Upper(std::string s);
// A whole decimal number, blanks around it allowed.
bool ParseInt(const std::string& text, long long& value);
// "a,b[,c...]" as its numbers.
bool ParseNumbers(const std::string& text, std::vector<long long>& out);
// The time for the next answer in milliseconds (negative: no limit known): the turn
// time, and a share of what is left of the game's time.
long long TurnBudgetMs(const TimeLimits& limits);
// A text on one line: line ends become blanks.
std::string OneLine(std::string text);

} // namespace pbrain
