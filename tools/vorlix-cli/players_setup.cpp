#include "players_setup.h"

#include "platform/program_folder.h"
#include "vorlix/search/internal_players.h"

namespace cli {

vorlix::Settings ProgramSettings() {
    return vorlix::ReadSettings(platform::ProgramFolder());
}

void SetUpPlayerFactory(vorlix::PlayerFactory& factory) {
    vorlix::RegisterInternalPlayers(factory, ProgramSettings());
}

} // namespace cli
