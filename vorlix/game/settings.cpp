#include "vorlix/game/settings.h"

#include "platform/atomic_file.h"
#include "platform/profile.h"
#include "platform/program_folder.h"

#include <charconv>

namespace vorlix {

const char* const kInstallationMessage =
    "This program contanis subdirectories !\r"
    "Please unpack the vorlix archive again with its folders (pkunzip -d vorlix),\r"
    "or with an unpacking tool that keeps folders.";

namespace {

// The longest text value a setting holds; longer values are cut.
constexpr size_t kMaxValueLength = 255;

struct FolderKey {
    const char* key;
    const char* def;
    std::string Settings::*field;
    platform::ProgramFiles part = platform::ProgramFiles::Data; // where a relative value lies
    bool userData = false; // written by the program: relative to the user's data folder
};

// In the order of the file. The output folder is read as "Kronika" and written as "Output".
const FolderKey kFolders[] = {
    {"Data", "data/", &Settings::DataFolder},
    {"Board", "data/allas/", &Settings::BoardFolder},
    {"Game", "data/parti", &Settings::GameFolder, platform::ProgramFiles::Data, true},
    {"Config", "cfg/", &Settings::ConfigFolder},
    {"Kronika", "Kronika/", &Settings::OutputFolder},
    {"TestBed", "TestBed/", &Settings::TestBedFolder},
    {"Players", "Players/", &Settings::PlayersFolder, platform::ProgramFiles::Libraries},
};

float ParseIdoLimit(const std::string& text, float def) {
    std::string t = text.substr(0, 10);
    float v = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return ec == std::errc() && ptr != t.data() ? v : def;
}

// Saved games go where the user may write: the program folder of a build, the user's
// data folder for an installed program.
std::string ResolveUserFolder(const std::string& value, const std::string& programFolder) {
    std::string v = platform::NormaliseSeparators(value);
    return platform::IsAbsoluteFolder(v)
               ? v
               : platform::UserFolder(programFolder, platform::UserFiles::Data) + v;
}

Settings ReadFrom(const platform::ProfileFile& ini, const std::string& programFolder) {
    Settings s;
    for (const auto& f : kFolders) {
        const std::string value = ini.GetString("Paths", f.key, f.def, kMaxFolderLength);
        s.*f.field = f.userData ? ResolveUserFolder(value, programFolder)
                                : ResolveFolder(value, programFolder, f.part);
    }
    s.AutoFluxus = ini.GetString("Files", "AutoFluxus", "", kMaxValueLength);
    s.ColourChange = static_cast<std::uint8_t>(ini.GetInt("Options", "Colour change", 0) & 0xFF);
    s.RandomOpening = ini.GetInt("Options", "Random opening", 1) != 0;
    s.Level = ini.GetInt("Options", "Level", 3);
    s.LearningMode = ini.GetInt("Options", "LearningMode", 0) != 0;
    s.LearnOpening = ini.GetInt("Options", "LearnOpening", 1) != 0;
    s.MachineStart = ini.GetInt("Options", "MachineStart", 1) != 0;
    s.DrawAt = DrawLimitOf(ini.GetInt("Options", "DrawAt", 223));
    s.IdoLimit = ParseIdoLimit(ini.GetString("Parameters", "IdoLimit", "0.3"), 0.3f);
    return s;
}

} // namespace

std::int32_t DrawLimitOf(std::int32_t value) {
    // A limit beyond the board's 225 cells means "never before the board is full"; a limit
    // of 0 or less would draw every game after its first move and is taken for a slip.
    if (value > 225) return 225;
    if (value < 1) return 223;
    return value;
}

std::string ResolveFolder(const std::string& value, const std::string& programFolder,
                          platform::ProgramFiles part) {
    std::string v = platform::NormaliseSeparators(value);
    return platform::IsAbsoluteFolder(v) ? v : platform::FilesFolder(programFolder, part) + v;
}

Settings DefaultSettings(const std::string& programFolder) {
    return ReadFrom(platform::ProfileFile{}, programFolder);
}

Settings ReadSettingsText(const std::string& iniText, const std::string& programFolder) {
    platform::ProfileFile ini;
    ini.Parse(iniText);
    return ReadFrom(ini, programFolder);
}

std::string SettingsFile(const std::string& programFolder) {
    return platform::UserFolder(programFolder, platform::UserFiles::Settings) + kSettingsFileName;
}

Settings ReadSettings(const std::string& programFolder) {
    // The user's own file first; the program folder's file gives the defaults until the
    // user saves settings of their own.
    const std::string own = SettingsFile(programFolder);
    platform::ProfileFile ini;
    ini.Load(platform::FileExists(own) ? own : programFolder + kSettingsFileName);
    return ReadFrom(ini, programFolder);
}

bool WriteSettings(const Settings& s, const std::string& programFolder, std::string* error) {
    // A folder value longer than reading gives back would come back cut, and the cut folder
    // is not the user's: refuse to write it.
    for (const auto& f : kFolders)
        if ((s.*f.field).size() > kMaxFolderLength) {
            if (error)
                *error = "The folder value \"" + std::string(f.key) + "\" is longer than " +
                         std::to_string(kMaxFolderLength) + " characters.";
            return false;
        }
    const std::string path = SettingsFile(programFolder);
    platform::ProfileFile ini;
    ini.Load(platform::FileExists(path) ? path : programFolder + kSettingsFileName);
    for (const auto& f : kFolders)
        ini.SetString("Paths", f.field == &Settings::OutputFolder ? "Output" : f.key, s.*f.field);
    ini.SetInt("Options", "Colour change", s.ColourChange);
    ini.SetInt("Options", "Random opening", s.RandomOpening ? 1 : 0);
    ini.SetInt("Options", "Level", s.Level);
    ini.SetInt("Options", "LearningMode", s.LearningMode ? 1 : 0);
    ini.SetInt("Options", "LearnOpening", s.LearnOpening ? 1 : 0);
    ini.SetInt("Options", "MachineStart", s.MachineStart ? 1 : 0);
    ini.SetInt("Options", "DrawAt", s.DrawAt);
    return ini.Save(path, error);
}

bool CheckInstallation(const Settings& settings) {
    return platform::FileExists(settings.DataFolder + kBookFileName);
}

} // namespace vorlix
