#pragma once
// The players of the sample library: DemoPlayer, the common base, and the two trivial
// random players, NeighbourPlayer and RandomPlayer.

#include "vorlix/players/vorlix_plugin.h"

#include <cstdint>

namespace demo {

class DemoPlayer {
  public:
    // The player's move for the colour to move, as a packed point.
    virtual VorlixPoint Move() = 0;
    // Takes in the host's whole position after an opening or a take-back.
    virtual void RefreshBoard() = 0;
    virtual ~DemoPlayer() = default;

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
