#pragma once
// The internal players offered in the Opponent menu, and the strength texts of the
// sample library's players.

#include <array>
#include <string>

namespace vorlix {

struct TInternalItem {
    const char* Caption;
    const char* Identifier;
    float Strength;
};

constexpr std::array<TInternalItem, 10> kInternalItems = {{
    {"Level 0", "Turbo", 360},
    {"Level 1", "Rupo", 520},
    {"Level 2", "Zelta", 675},
    {"Level 3", "Ilvar", 890},
    {"Level 4", "Ilvar5U", 1030},
    {"Level 5", "QwilNV", 1185},
    {"Level 6", "QwilN4AVK", 1255},
    {"Level 7", "QwilX_K", 1460},
    {"Level 8", "Vosk7XPM_K", 1645},
    {"Level 9", "Vosk7XLSHO_K", 1875},
}};

// The opponent chosen at start-up: Level 6.
constexpr int kStartItem = 6;

// "%6.1f" of an internal player's strength: " 890.0".
std::string InternalStrengthText(float strength);

// Strength shown for a library player: "-2500" for "Random", "-2300" for "Neighbour",
// "100" for "Eager", "Unknow" for any other name.
std::string LibraryStrengthText(const std::string& name);

} // namespace vorlix
