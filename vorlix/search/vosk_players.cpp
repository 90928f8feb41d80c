#include "vorlix/search/vosk_players.h"

#include "platform/messages.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/players/player_factory.h"

namespace vorlix {

// --------------------------------------------------------------------------- Vosk7W

TVosk7W::TVosk7W() : Search(std::make_unique<TMelyVaz>(this)) {
    Name = "Vosk7W";
    Tures = 0.35f;
    Search->MaxMelyseg = 7;
    Search->TeljesVedekezes = 1;
    Kepessegek.Add(Search.get());
    Kepessegek.Add(Search->Generator.get());
    Kepessegek.Add(Search->Evaluator.get());
    Search->Generator->LoadTables();
    Search->Evaluator->LoadTables();
}

TVosk7W::~TVosk7W() = default;

void TVosk7W::Evaluate() {
    Search->Search();
}

void TVosk7W::SetLevel(int level) {
    TJatekos::SetLevel(level);
    Search->KezdetiEF = 1.8f * static_cast<float>(level) + 1.4f;
}

// ------------------------------------------------------------------ the chain steps

TVosk7X::TVosk7X() {
    Search->FoNyeresKereses.On = 1;
    Search->VedoNyeresKereses.On = 1;
    Search->KisNyeresKereses = 1;
}

void TVosk7X::SetLevel(int level) {
    TJatekos::SetLevel(level);
    Search->KezdetiEF = 1.8f * static_cast<float>(level) + 8.0f;
}

TVosk7XP::TVosk7XP() {
    Search->KifejtSzorzo = 0.8f;
    Search->FoNyeresKereses.Depth = 15;
    Search->FoNyeresKereses.ThreeLimit = 6;
    Search->FoNyeresKereses.NodeLimit = 100000;
    Search->VedoNyeresKereses.Depth = 15;
    Search->VedoNyeresKereses.ThreeLimit = 6;
    Search->VedoNyeresKereses.NodeLimit = 100000;
    Search->KisTabla[0].Depth = 9;
    Search->KisTabla[0].ThreeLimit = 4;
    Search->KisTabla[0].NodeLimit = 5000;
}

TVosk7XPM::TVosk7XPM() {
    Search->MelyUt = 1;
}

TVosk7XPM_K::TVosk7XPM_K() : Companion(std::make_unique<TOpeningTree>(this)) {
    Name = "Vosk7XPM_K";
    Kepessegek.Add(Companion.get());
}

TVosk7XPM_K::~TVosk7XPM_K() = default;

void TVosk7XPM_K::Evaluate() {
    Companion->Action();
    if (AlNum == 0) Search->Search();
}

TVosk7XL::TVosk7XL() {
    Search->KisMegMely = 4;
    Search->Lecseng = 1;
    static constexpr TKisSor kRows[TMelyVaz::kSmallRows] = {
        {10, 5, 8000, 0}, {9, 4, 5500, 0}, {9, 3, 2800, 0},
        {8, 3, 1400, 0},  {6, 3, 700, 0},  {5, 2, 350, 0},
    };
    for (int r = 0; r < TMelyVaz::kSmallRows; ++r) {
        // The far-four limit of a row stays the engine's.
        Search->KisTabla[r].Depth = kRows[r].Depth;
        Search->KisTabla[r].ThreeLimit = kRows[r].ThreeLimit;
        Search->KisTabla[r].NodeLimit = kRows[r].NodeLimit;
    }
}

TVosk7XLHO::TVosk7XLHO() {
    Name = "Vosk7XLHO";
    Search->NegyesHalasztas = 1;
    Search->TeljesSzeles = 1;
}

TVosk7XLSHO_K::TVosk7XLSHO_K() : Companion(std::make_unique<TOpeningTree>(this)) {
    Name = "Vosk7XLSHO_K";
    Search->MasikErtekelo = 1;
    Search->NegyesHalasztas = 1;
    Search->TeljesSzeles = 1;
    Kepessegek.Add(Companion.get());
}

TVosk7XLSHO_K::~TVosk7XLSHO_K() = default;

void TVosk7XLSHO_K::Evaluate() {
    Companion->Action();
    if (AlNum == 0) Search->Search();
}

// ------------------------------------------------------------------------ registry

std::unique_ptr<TJatekos> CreateVoskPlayer(const std::string& id) {
    if (id == "Vosk7W") return std::make_unique<TVosk7W>();
    if (id == "Vosk7XPM_K") return std::make_unique<TVosk7XPM_K>();
    if (id == "Vosk7XLHO") return std::make_unique<TVosk7XLHO>();
    if (id == "Vosk7XLSHO_K") return std::make_unique<TVosk7XLSHO_K>();
    return nullptr;
}

void RegisterVoskPlayers(PlayerFactory& factory) {
    for (const char* id : {"Vosk7W", "Vosk7XPM_K", "Vosk7XLHO", "Vosk7XLSHO_K"}) {
        factory.SetInternalPlayer(id, [name = std::string(id)]() -> std::unique_ptr<TJatekos> {
            try {
                return CreateVoskPlayer(name);
            } catch (const PatternTableError& e) {
                platform::ShowMessage(platform::MessageKind::Error, e.what());
                return nullptr;
            }
        });
    }
}

} // namespace vorlix
