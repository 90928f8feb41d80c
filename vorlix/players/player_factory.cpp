#include "vorlix/players/player_factory.h"

#include "vorlix/game/coords.h"
#include "vorlix/players/dll_jatekos.h"
#include "vorlix/players/library_registry.h"

namespace vorlix {

std::vector<InternalPlayer> DefaultInternalPlayers() {
    static const char* const kIds[] = {
        "DraskHS", "Turbo",   "Rupo",       "Zelta",     "Ilvar2",      "Ilvar",
        "Ilvar5U", "Ilvar7C", "QwilV",      "QwilNV",    "QwilN4AVK",   "QwilX_K",
        "Qwil1X7", "Vosk7W",  "Vosk7XPM_K", "Vosk7XLHO", "Vosk7XLSHO_K"};
    std::vector<InternalPlayer> table;
    for (const char* id : kIds) table.push_back({id, {}});
    return table;
}

void PlayerFactory::SetInternalPlayer(const std::string& id, PlayerMaker make) {
    for (auto& entry : Internal)
        if (entry.Id == id) {
            entry.Make = std::move(make);
            return;
        }
    Internal.push_back({id, std::move(make)});
}

bool PlayerFactory::IsInternal(const std::string& id) const {
    const std::string name = TrimRight(id);
    for (const auto& entry : Internal)
        if (entry.Id == name) return true;
    return false;
}

bool SplitLibraryId(const std::string& id, std::string& library, std::string& name) {
    auto colon = id.find(':');
    if (colon == std::string::npos) return false;
    library = id.substr(0, colon);
    name = id.substr(colon + 1);
    return true;
}

std::unique_ptr<TJatekos>
PlayerFactory::CreatePlayerByName(const std::string& id, const std::string& opponentLibrary) const {
    const std::string name = TrimRight(id);
    std::unique_ptr<TJatekos> player;
    bool matched = false;
    if (name == kHumanId) {
        matched = true;
        if (MakeHuman) player = MakeHuman();
    }
    for (const auto& entry : Internal) {
        if (matched) break;
        if (entry.Id == name) {
            matched = true;
            if (entry.Make) player = entry.Make();
        }
    }
    std::string library = opponentLibrary, playerName = name;
    // A name from a chosen library is taken as it stands, ':' and all.
    if (!matched && LibraryIds && opponentLibrary.empty() &&
        SplitLibraryId(name, library, playerName))
        playerName = TrimRight(playerName);
    if (!matched && !library.empty()) {
        auto dll = std::make_unique<TDllJatekos>(LibraryPath(PlayersFolder, library), playerName);
        if (dll->Loaded()) player = std::move(dll);
    }
    if (player) player->SetLevel(4);
    return player;
}

} // namespace vorlix
