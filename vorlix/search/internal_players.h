#pragma once
// The internal players built into the program, registered with a player factory. The
// windows and the command-line tools call this once at start-up.

#include "vorlix/players/player_factory.h"
#include "vorlix/game/settings.h"

namespace vorlix {

// Gives `factory` the makers of every internal identifier that the program has, and
// points the engines at the data folder of `settings`.
void RegisterInternalPlayers(PlayerFactory& factory, const Settings& settings);

} // namespace vorlix
