#include "players_setup.h"

#include "platform/program_folder.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/search/internal_players.h"

namespace cli {

vorlix::Settings ProgramSettings() {
    return vorlix::ReadSettings(platform::ProgramFolder());
}

void SetUpPlayerFactory(vorlix::PlayerFactory& factory) {
    vorlix::RegisterInternalPlayers(factory, ProgramSettings());
}

bool AddPlayerWithDataFolder(vorlix::PlayerFactory& factory, const std::string& alias,
                             const std::string& id, const std::string& folder) {
    vorlix::PlayerMaker make;
    for (const auto& entry : factory.Internal)
        if (entry.Id == id) make = entry.Make;
    if (!make) return false;
    factory.SetInternalPlayer(alias, [make, folder] {
        // Restored however the maker ends: a table that cannot be read throws.
        struct Restore {
            std::string previous = vorlix::EngineDataFolder();
            ~Restore() { vorlix::SetEngineDataFolder(previous); }
        } restore;
        vorlix::SetEngineDataFolder(folder);
        return make();
    });
    return true;
}

} // namespace cli
