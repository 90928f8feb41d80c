#include "players_setup.h"

#include "platform/program_folder.h"

namespace cli {

vorlix::Settings ProgramSettings() {
    return vorlix::ReadSettings(platform::ProgramFolder());
}

void SetUpPlayerFactory(vorlix::PlayerFactory& factory) {
    factory.PlayersFolder = ProgramSettings().PlayersFolder;
    // Internal players register their makers here as the search engine provides them.
}

} // namespace cli
