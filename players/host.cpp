#include "players/host.h"

#include <cstdlib>
#include <dlfcn.h>

namespace demo {

Host& TheHost() {
    static Host host;
    return host;
}

bool HostBound() {
    const Host& h = TheHost();
    return h.GetTableField && h.nMove && h.Game && h.NextColour;
}

void BindHost(const char* hostPath) {
    Host& h = TheHost();
    VorlixHost all;
    void* module = VorlixBindHost(hostPath, &all);
    // The previous binding is dropped only now, so that the host stays loaded throughout.
    if (h.module) ::dlclose(h.module);
    h.module = module;
    h.GetTableField = all.GetTableField;
    h.nMove = all.nMove;
    h.Game = all.Game;
    h.NextColour = all.NextColour;
}

void ReleaseHost() {
    // The entry points stay as they are: another player of this library may still be in
    // the game, and the program outlives the library's players.
    Host& h = TheHost();
    if (h.module) ::dlclose(h.module);
    h.module = nullptr;
}

std::time_t ClockSeconds() {
    static const char* fixed = std::getenv("VORLIX_PLAYERS_CLOCK");
    static long long next = fixed ? std::atoll(fixed) : 0;
    if (!fixed) return std::time(nullptr);
    return static_cast<std::time_t>(next++);
}

} // namespace demo
