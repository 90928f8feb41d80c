#pragma once
// The library's link to the program that loaded it: the host module and the four
// host functions the players use. One per loaded library, shared by all its players.

#include "vorlix/players/vorlix_plugin.h"

#include <ctime>

namespace demo {

struct Host {
    void* module = nullptr;
    VorlixGetTableFieldFn GetTableField = nullptr;
    VorlixNMoveFn nMove = nullptr;
    VorlixGameFn Game = nullptr;
    VorlixNextColourFn NextColour = nullptr;
};

Host& TheHost();

// Whether all four host functions the players call were found: without them a player
// would call through a null pointer, so none is made.
bool HostBound();

// Binds (again) to the host at `hostPath`; releases the module bound before.
void BindHost(const char* hostPath);
void ReleaseHost();

// Seconds of the clock the random players seed with. Normally the real time; when the
// environment variable VORLIX_PLAYERS_CLOCK holds a number, the first reading gives
// that number and every further reading one second more, so runs can be replayed.
std::time_t ClockSeconds();

} // namespace demo
