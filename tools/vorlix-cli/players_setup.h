#pragma once
// The player factory of the command-line tools: the players folder of the settings and
// the internal players built into the program.

#include "vorlix/players/player_factory.h"
#include "vorlix/game/settings.h"

namespace cli {

// The settings of vorlix.ini in the program folder.
vorlix::Settings ProgramSettings();

// Gives `factory` the players folder and the internal players.
void SetUpPlayerFactory(vorlix::PlayerFactory& factory);

// Adds to `factory` the identifier `alias`: the internal player `id` with the pattern
// tables of `folder` instead of the data folder's. The engines load their tables when
// a player is made, so two aliases of one player can meet in one game. False when `id`
// is not built in.
bool AddPlayerWithDataFolder(vorlix::PlayerFactory& factory, const std::string& alias,
                             const std::string& id, const std::string& folder);

} // namespace cli
