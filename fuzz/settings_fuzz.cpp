// Fuzz target: the settings file. Any bytes must read as settings without a crash,
// every value must stay within its field, and writing a profile back and reading it
// again must give the same settings.

#include "platform/profile.h"
#include "vorlix/game/settings.h"

#include "fuzz_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using fuzzing::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string folder = "/prog/";
    vorlix::Settings s = vorlix::ReadSettingsText(text, folder);
    for (const std::string* f : {&s.DataFolder, &s.BoardFolder, &s.GameFolder, &s.ConfigFolder,
                                 &s.OutputFolder, &s.TestBedFolder, &s.PlayersFolder})
        // The value itself is cut; a relative one gets a folder (at most a path) in front.
        Check(f->size() <= vorlix::kMaxFolderLength + 4096, "folder length");
    Check(s.AutoFluxus.size() <= 255, "text length");
    Check(s.DrawAt >= 1 && s.DrawAt <= 225, "draw limit within the board");

    // The profile text is stable after one round.
    platform::ProfileFile ini;
    ini.Parse(text);
    ini.SetString("Options", "Level", std::to_string(s.Level));
    const std::string once = ini.Text();
    platform::ProfileFile again;
    again.Parse(once);
    Check(again.Text() == once, "stable text");
    Check(again.GetInt("Options", "Level", -12345) == s.Level, "written level");
    return 0;
}
