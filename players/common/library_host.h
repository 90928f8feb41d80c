#pragma once
// A player library's link to the program that loaded it: the host module and the
// host's functions. One per loaded library, shared by all its players.

#include "vorlix/players/vorlix_plugin.h"

namespace plugin {

// The host's functions as last bound; every member null until InitDLL binds them.
// Tests of a library's players set the members themselves.
VorlixHost& TheHost();

// Whether the functions that read the game (GetTableField, NextColour, nMove, Game)
// were found: without them a player would call through a null pointer, so none is made.
bool HostBound();

// Binds (again) to the host at `hostPath`; the module bound before is released only
// after the new binding, so the host stays loaded throughout.
void BindHost(const char* hostPath);
// Releases the host module. The entry points stay as they are: another player of this
// library may still be in the game, and the program outlives the library's players.
void ReleaseHost();

} // namespace plugin
