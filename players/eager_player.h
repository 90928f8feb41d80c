#pragma once
// EagerPlayer: keeps its own model of the board and values every empty cell for both
// colours by rays, chains of stones seen along each of the 8 directions.
//
// For colour c, direction k and cell Q, Rays[c][k][Q] is the value that reaches Q along
// direction k from c's stones behind it: each stone adds StoneWeight and multiplies by
// ChainFactor, each empty cell multiplies by GapFactor, an opponent stone or the edge
// starts the chain from BlockWeight (negative), and a stone reaches at most 6 cells.
// The value of an empty cell for c is
//     Total[c][Q] = sum over the 4 axes of f(Rays[c][k][Q] + Rays[c][k+4][Q]),
//     f(v) = v^1.25 for v >= 0, 0 below,
// kept up to date incrementally as stones are placed. The move is the best own cell
// unless the best opponent cell is strictly better (attack wins ties), first in scan
// order (X outer, Y inner) among equals.
//
//   . . x x X . .   <- X placed: the rays of x grow along the axis through it

#include "players/demo_player.h"

namespace demo {

class EagerPlayer : public DemoPlayer {
  public:
    EagerPlayer() { Initialise(); }

    VorlixPoint Move() override;
    // Rebuilds the whole model from the host's board.
    void RefreshBoard() override;

    // Places a stone of colour Turn at 0-based (x, y); a point off the board only blocks
    // the other colour's rays (that is how the edge is built).
    void Place(int x, int y);
    // Recomputes every Total of an empty cell from the rays; false when one differs
    // from the incremental value by more than `tolerance` (relative).
    bool CheckTotals(double tolerance = 1e-9) const;

    static double Shape(double v);

    std::uint8_t Turn = 1;
    // [colour - 1][layer][X-1][Y-1]; layers 0..7 are the rays, layer 8 the totals.
    double Rays[2][9][15][15];
    double StoneWeight = 1000.0;
    double BlockWeight = -900.0;
    double ChainFactor = 1.3;
    double GapFactor = 0.12;
    double Reach = 7.0;
    bool Rebuilt = false;

    std::uint8_t Cell(int x, int y) const { return Board[x][y]; }

  private:
    static constexpr int kTotal = 8;
    void Initialise();
    void AxisUpdate(int c, int x, int y, int k, double r);
};

} // namespace demo
