#pragma once
// MoveTimes: how long each internal player's moves took in the current game, for the
// level ladder.
//
// The measure forgets: it starts afresh with every game, so that one slow move (a
// machine under load, a hard position) steps a level down for the rest of its game at
// most, never for the games after it.

#include <map>
#include <string>

namespace pbrain {

class MoveTimes {
  public:
    // Forgets every measure: a new game begins.
    void NewGame() { slowestMs_.clear(); }
    void Add(const std::string& id, double ms);
    // The slowest move of each identifier in this game (identifiers without a move are
    // missing).
    const std::map<std::string, double>& Slowest() const { return slowestMs_; }

  private:
    std::map<std::string, double> slowestMs_;
};

} // namespace pbrain
