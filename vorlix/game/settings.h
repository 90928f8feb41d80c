#pragma once
// The settings of the initialisation file "vorlix.ini" in the program folder, and
// the start-up check of the data folder.

#include "platform/program_folder.h"

#include <cstdint>
#include <string>

namespace vorlix {

struct Settings {
    // [Paths]: folder prefixes; relative values get the program folder in front.
    std::string DataFolder;    // "Data": opening book and pattern tables
    std::string BoardFolder;   // "Board"
    std::string GameFolder;    // "Game": first folder of the Save game dialog
    std::string ConfigFolder;  // "Config"
    std::string OutputFolder;  // read as "Kronika", written as "Output"
    std::string TestBedFolder; // "TestBed"
    std::string PlayersFolder; // "Players": the player libraries

    // [Files]
    std::string AutoFluxus; // read, never written

    // [Options]
    std::uint8_t ColourChange = 0; // 0 none, 1 after the 5th move; only the low byte is kept
    bool RandomOpening = true;
    std::int32_t Level = 3;
    bool LearningMode = false;
    bool LearnOpening = true;
    bool MachineStart = true; // the computer is the first player
    std::int32_t DrawAt = 223;

    // [Parameters]
    float IdoLimit = 0.3f; // read, never written
};

// The longest folder value a setting holds: a path as long as the system allows. Reading
// cuts longer values; writing refuses them.
inline constexpr size_t kMaxFolderLength = 4095;

// The draw limit a DrawAt value stands for: above 225 the board's size, 0 or less the
// default 223.
std::int32_t DrawLimitOf(std::int32_t value);

inline constexpr const char* kSettingsFileName = "vorlix.ini";
inline constexpr const char* kBookFileName = "kezd.dat";

// The defaults of a missing file, with the folders under `programFolder`.
Settings DefaultSettings(const std::string& programFolder);

// Where the settings are written: "vorlix.ini" in the program folder when it is writable,
// else in the user's configuration folder (platform::UserFolder).
std::string SettingsFile(const std::string& programFolder);

// Reads SettingsFile, or the program folder's "vorlix.ini" while the user has none. A
// missing file or key gives its default, a value that is not a number too; nothing is
// reported. A relative games folder lies under the user's data folder.
Settings ReadSettings(const std::string& programFolder);
Settings ReadSettingsText(const std::string& iniText, const std::string& programFolder);

// Writes every key but AutoFluxus and IdoLimit to SettingsFile, in the file's order,
// keeping the other lines of the file read. The file is replaced atomically. False (with the
// reason in `error`) when it cannot be written, or when a folder value is longer than
// kMaxFolderLength (then nothing is written).
bool WriteSettings(const Settings& settings, const std::string& programFolder,
                   std::string* error = nullptr);

// The opening book must be in the data folder.
bool CheckInstallation(const Settings& settings);

// The warning shown when CheckInstallation fails; the program ends after it.
extern const char* const kInstallationMessage;

// Applies the relative-folder rule to one stored folder value: a relative value lies
// under the folder of the program's files of kind `part` (the program folder itself
// for a build folder, see platform::FilesFolder).
std::string ResolveFolder(const std::string& value, const std::string& programFolder,
                          platform::ProgramFiles part = platform::ProgramFiles::Data);

} // namespace vorlix
