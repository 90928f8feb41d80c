#include "players/demo_player.h"

#include "players/clock.h"
#include "players/common/library_host.h"

#include <cstdlib>

namespace demo {

namespace {
bool HostEmpty(int x, int y) {
    return plugin::TheHost().GetTableField(VORLIX_POINT(x, y)) == 0;
}
} // namespace

VorlixPoint RandomPlayer::Move() {
    std::srand(static_cast<unsigned>(ClockSeconds()));
    // The draws below would never end on a full board; there is no move then (0).
    bool anyEmpty = false;
    for (int x = 1; x <= 15 && !anyEmpty; ++x)
        for (int y = 1; y <= 15 && !anyEmpty; ++y) anyEmpty = HostEmpty(x, y);
    if (!anyEmpty) return 0;
    for (;;) {
        int x = std::rand() % 15 + 1;
        int y = std::rand() % 15 + 1;
        if (HostEmpty(x, y)) return VORLIX_POINT(x, y);
    }
}

VorlixPoint NeighbourPlayer::Move() {
    const VorlixHost& h = plugin::TheHost();
    int n = h.nMove();
    VorlixPoint last = n > 0 ? h.Game(n) : VORLIX_POINT(8, 8);
    const int bx = VORLIX_POINT_X(last), by = VORLIX_POINT_Y(last);
    std::srand(static_cast<unsigned>(ClockSeconds()));
    for (int i = 0; i < 1000; ++i) {
        int x = bx + std::rand() % 3 - 1;
        int y = by + std::rand() % 3 - 1;
        if (x >= 1 && x <= 15 && y >= 1 && y <= 15 && HostEmpty(x, y)) return VORLIX_POINT(x, y);
    }
    return RandomPlayer().Move();
}

} // namespace demo
