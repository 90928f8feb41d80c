// The sample library's own exports: the listing and the creation of its three players
// (library_exports.cpp gives the rest).

#include "players/demo_player.h"
#include "players/eager_player.h"

#include <cctype>
#include <new>

namespace {

const char* const kNames[] = {"Neighbour", "Random", "Eager"};

bool SameIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

} // namespace

VORLIX_EXPORT const char* PlayerName(int32_t i) {
    return i >= 1 && i <= 3 ? kNames[i - 1] : nullptr;
}

VORLIX_EXPORT const char* DllName(void) {
    return "Demo Dll";
}

VORLIX_EXPORT VorlixHandle CreatePlayer(const char* name) {
    // A host that did not give us its functions gets no player (the host reports a
    // player it could not make) rather than one that crashes at its first move.
    if (!name || !plugin::HostBound()) return 0;
    demo::DemoPlayer* p = nullptr;
    if (SameIgnoringCase(name, kNames[0]))
        p = new (std::nothrow) demo::NeighbourPlayer;
    else if (SameIgnoringCase(name, kNames[1]))
        p = new (std::nothrow) demo::RandomPlayer;
    else if (SameIgnoringCase(name, kNames[2]))
        p = new (std::nothrow) demo::EagerPlayer;
    return plugin::HandleOf(p);
}
