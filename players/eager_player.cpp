#include "players/eager_player.h"

#include "players/common/library_host.h"

#include <cassert>
#include <cmath>
#include <cstring>

namespace demo {

namespace {
// Directions 0..7; k and (k + 4) mod 8 are opposite.
constexpr int kDX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDY[8] = {1, 1, 0, -1, -1, -1, 0, 1};

bool Inside(int x, int y) {
    return x >= 0 && x < 15 && y >= 0 && y < 15;
}
std::uint8_t Other(std::uint8_t colour) {
    return colour == 1 ? 2 : 1;
}
} // namespace

double EagerPlayer::Shape(double v) {
    return v >= 0.0 ? v * std::sqrt(std::sqrt(v)) : 0.0;
}

void EagerPlayer::Initialise() {
    std::memset(Board, 0, sizeof Board);
    std::memset(Rays, 0, sizeof Rays);
    Turn = 0;
    Rebuilt = false;
    StoneWeight = 1000.0;
    BlockWeight = -900.0;
    ChainFactor = 1.3;
    GapFactor = 0.12;
    Reach = 7.0;
    // The edge acts as a stone of the other colour: first for the rays of colour 2,
    // then for those of colour 1.
    for (std::uint8_t t = 1; t <= 2; ++t) {
        Turn = t;
        for (int x = -1; x <= 15; ++x)
            for (int y = -1; y <= 15; ++y)
                if (!Inside(x, y)) Place(x, y);
    }
    Turn = 1;
}

void EagerPlayer::AxisUpdate(int c, int x, int y, int k, double r) {
    const int opposite = (k + 4) % 8;
    double& total = Rays[c][kTotal][x][y];
    total -= Shape(Rays[c][k][x][y] + Rays[c][opposite][x][y]);
    total += Shape(r + Rays[c][opposite][x][y]);
}

void EagerPlayer::Place(int px, int py) {
    const std::uint8_t t = Turn, o = Other(t);
    const int ti = t - 1, oi = o - 1;
    const bool onBoard = Inside(px, py);
    if (onBoard) {
        // Own chains through the new stone.
        for (int k = 0; k < 8; ++k) {
            double v = Rays[ti][k][px][py] + StoneWeight;
            Rays[ti][k][px][py] = v;
            double run = v * ChainFactor;
            for (int s = 1; s < Reach; ++s) {
                int x = px + s * kDX[k], y = py + s * kDY[k];
                if (!Inside(x, y)) break;
                if (Board[x][y] == 0) {
                    AxisUpdate(ti, x, y, k, run);
                    Rays[ti][k][x][y] = run;
                    run *= GapFactor;
                } else if (Board[x][y] == t) {
                    run += StoneWeight;
                    Rays[ti][k][x][y] = run;
                    run *= ChainFactor;
                } else {
                    break;
                }
            }
        }
    }
    // The other colour's chains that the stone (or the edge) now blocks.
    for (int k = 0; k < 8; ++k) {
        double run = ChainFactor * BlockWeight;
        for (int s = 1; s < Reach; ++s) {
            int x = px + s * kDX[k], y = py + s * kDY[k];
            if (!Inside(x, y)) break;
            if (Board[x][y] == 0) {
                AxisUpdate(oi, x, y, k, run);
                Rays[oi][k][x][y] = run;
                run *= GapFactor;
            } else if (Board[x][y] == t) {
                break;
            } else {
                run += StoneWeight;
                Rays[oi][k][x][y] = run;
                run *= ChainFactor;
            }
        }
    }
    if (onBoard) {
        Board[px][py] = t;
        Turn = Other(t);
    }
    assert(CheckTotals(1e-6)); // debug builds: the incremental totals match a recount
}

bool EagerPlayer::CheckTotals(double tolerance) const {
    for (int c = 0; c < 2; ++c)
        for (int x = 0; x < 15; ++x)
            for (int y = 0; y < 15; ++y) {
                if (Board[x][y] != 0) continue;
                double sum = 0.0;
                for (int k = 0; k < 4; ++k) sum += Shape(Rays[c][k][x][y] + Rays[c][k + 4][x][y]);
                double have = Rays[c][kTotal][x][y];
                if (std::fabs(sum - have) > tolerance * (1.0 + std::fabs(sum))) return false;
            }
    return true;
}

void EagerPlayer::RefreshBoard() {
    Initialise();
    const VorlixHost& h = plugin::TheHost();
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y) {
            int c = h.GetTableField(VORLIX_POINT(x, y));
            if (c == 1 || c == 2) {
                Turn = static_cast<std::uint8_t>(c);
                Place(x - 1, y - 1);
                Rebuilt = true;
            }
        }
    Turn = static_cast<std::uint8_t>(h.NextColour());
}

VorlixPoint EagerPlayer::Move() {
    const VorlixHost& h = plugin::TheHost();
    if (!Rebuilt) {
        int n = h.nMove();
        if (n > 0) {
            VorlixPoint m = h.Game(n);
            int x = VORLIX_POINT_X(m), y = VORLIX_POINT_Y(m);
            int c = h.GetTableField(m);
            // Only a real stone on a cell the model still shows empty is taken in: the
            // model never counts a stone twice or gets a colour other than 1 and 2.
            if ((c == 1 || c == 2) && Inside(x - 1, y - 1) && Board[x - 1][y - 1] == 0) {
                Turn = static_cast<std::uint8_t>(c);
                Place(x - 1, y - 1);
            }
        } else {
            Turn = 1;
            Place(7, 7);
            return VORLIX_POINT(8, 8);
        }
    }
    Rebuilt = false;
    const std::uint8_t own = Turn == 2 ? 2 : 1, other = Other(own);
    double bestOwn = -1000000.0, bestOther = -1000000.0;
    int ownX = -1, ownY = -1, otherX = -1, otherY = -1;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y) {
            if (Board[x][y] != 0) continue;
            if (Rays[own - 1][kTotal][x][y] > bestOwn) {
                bestOwn = Rays[own - 1][kTotal][x][y];
                ownX = x, ownY = y;
            }
            if (Rays[other - 1][kTotal][x][y] > bestOther) {
                bestOther = Rays[other - 1][kTotal][x][y];
                otherX = x, otherY = y;
            }
        }
    if (ownX < 0) return 0; // no empty cell in the model: no move
    int mx = ownX, my = ownY;
    if (bestOwn < bestOther) mx = otherX, my = otherY;
    Turn = own;
    Place(mx, my);
    return VORLIX_POINT(mx + 1, my + 1);
}

} // namespace demo
