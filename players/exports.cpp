// The exports of the sample library: listing, about texts, creation and deletion of
// the three players, Move and RefreshBoard. The handle is the player object's address.

#include "players/demo_player.h"
#include "players/eager_player.h"
#include "players/host.h"

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

demo::DemoPlayer* PlayerOf(VorlixHandle h) {
    return reinterpret_cast<demo::DemoPlayer*>(h);
}

} // namespace

VORLIX_EXPORT void InitDLL(const char* hostPath) {
    demo::BindHost(hostPath);
}

VORLIX_EXPORT void ExitDLL(void) {
    demo::ReleaseHost();
}

VORLIX_EXPORT const char* PlayerName(int32_t i) {
    return i >= 1 && i <= 3 ? kNames[i - 1] : nullptr;
}

VORLIX_EXPORT const char* DllName(void) {
    return "Demo Dll";
}

VORLIX_EXPORT const char* AboutName(void) {
    return "The vorlix developers";
}

VORLIX_EXPORT const char* AboutCountry(void) {
    return "Hungary";
}

VORLIX_EXPORT const char* AboutEMail(void) {
    return "players@vorlix.invalid";
}

VORLIX_EXPORT VorlixHandle CreatePlayer(const char* name) {
    // A host that did not give us its functions gets no player (the host reports a
    // player it could not make) rather than one that crashes at its first move.
    if (!name || !demo::HostBound()) return 0;
    demo::DemoPlayer* p = nullptr;
    if (SameIgnoringCase(name, kNames[0]))
        p = new (std::nothrow) demo::NeighbourPlayer;
    else if (SameIgnoringCase(name, kNames[1]))
        p = new (std::nothrow) demo::RandomPlayer;
    else if (SameIgnoringCase(name, kNames[2]))
        p = new (std::nothrow) demo::EagerPlayer;
    return reinterpret_cast<VorlixHandle>(p);
}

VORLIX_EXPORT void DeletePlayer(VorlixHandle h) {
    delete PlayerOf(h);
}

VORLIX_EXPORT VorlixPoint Move(VorlixHandle h) {
    return h ? PlayerOf(h)->Move() : 0;
}

VORLIX_EXPORT void RefreshBoard(VorlixHandle h) {
    if (h) PlayerOf(h)->RefreshBoard();
}
