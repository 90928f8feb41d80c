#include "vorlix/search/internal_players.h"

#include "vorlix/eval/eval_players.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/search/mely_players.h"
#include "vorlix/search/vosk_players.h"

namespace vorlix {

void RegisterInternalPlayers(PlayerFactory& factory, const Settings& settings) {
    factory.PlayersFolder = settings.PlayersFolder;
    // The engines read their pattern tables from the data folder of the settings.
    SetEngineDataFolder(settings.DataFolder);
    // Levels 0 to 2 and DraskHS; the search levels register here as they arrive.
    RegisterEvaluationPlayers(factory);
    RegisterMelyPlayers(factory);
    RegisterVoskPlayers(factory);
}

} // namespace vorlix
