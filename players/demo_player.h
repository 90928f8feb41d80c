#pragma once
// The players of the sample library: DemoPlayer, the common base, and the two trivial
// random players, NeighbourPlayer and RandomPlayer.

#include "players/common/library_exports.h"

#include <cstdint>

namespace demo {

class DemoPlayer : public plugin::LibraryPlayer {
  protected:
    std::uint8_t Board[15][15] = {}; // [X-1][Y-1]: 0 empty, 1, 2
};

// Draws cells at random until the host shows one empty.
class RandomPlayer : public DemoPlayer {
  public:
    VorlixPoint Move() override;
    void RefreshBoard() override {}
};

// Plays next to the last move when it can, otherwise like RandomPlayer.
class NeighbourPlayer : public DemoPlayer {
  public:
    VorlixPoint Move() override;
    void RefreshBoard() override {}
};

} // namespace demo
