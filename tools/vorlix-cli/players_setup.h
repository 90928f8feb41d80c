#pragma once
// The player factory of the command-line tools: the players folder of the settings and
// the internal players built into the program.

#include "vorlix/game/player_factory.h"
#include "vorlix/game/settings.h"

namespace cli {

// The settings of vorlix.ini in the program folder.
vorlix::Settings ProgramSettings();

// Gives `factory` the players folder and the internal players.
void SetUpPlayerFactory(vorlix::PlayerFactory& factory);

} // namespace cli
