#include "players_setup.h"

#include "platform/program_folder.h"
#include "vorlix/eval/eval_players.h"
#include "vorlix/eval/pattern_tables.h"

namespace cli {

vorlix::Settings ProgramSettings() {
    return vorlix::ReadSettings(platform::ProgramFolder());
}

void SetUpPlayerFactory(vorlix::PlayerFactory& factory) {
    const vorlix::Settings settings = ProgramSettings();
    factory.PlayersFolder = settings.PlayersFolder;
    // The engines read their pattern tables from the data folder of the settings.
    vorlix::SetEngineDataFolder(settings.DataFolder);
    // Internal players register their makers here as the engines provide them.
    vorlix::RegisterEvaluationPlayers(factory);
}

} // namespace cli
