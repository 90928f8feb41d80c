#include "vorlix/search/internal_players.h"

namespace vorlix {

void RegisterInternalPlayers(PlayerFactory& factory, const Settings& settings) {
    factory.PlayersFolder = settings.PlayersFolder;
}

} // namespace vorlix
