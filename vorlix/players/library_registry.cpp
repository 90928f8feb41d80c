#include "vorlix/players/library_registry.h"

#include "platform/file_search.h"
#include "platform/module.h"
#include "vorlix/players/library_text.h"
#include "vorlix/players/vorlix_plugin.h"

namespace vorlix {

namespace {

std::string WithoutSuffix(const std::string& fileName) {
    const std::string suffix = platform::ModuleSuffix();
    if (fileName.size() >= suffix.size() &&
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) == 0)
        return fileName.substr(0, fileName.size() - suffix.size());
    return fileName;
}

std::string BaseName(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string LibraryPath(const std::string& playersFolder, const std::string& fileName) {
    std::string folder = playersFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + fileName + platform::ModuleSuffix();
}

bool ListPlayerLibrary(const std::string& path, PlayerLibrary& out) {
    platform::ModuleHandle module = platform::LoadModule(path);
    if (!module) return false;
    // The module stays loaded: the program keeps every listed library until it ends.
    auto playerName =
        reinterpret_cast<VorlixPlayerNameFn>(platform::FindSymbol(module, "PlayerName"));
    if (!playerName) return false;
    out = PlayerLibrary{};
    out.FileName = WithoutSuffix(BaseName(path));
    if (auto dllName = reinterpret_cast<VorlixDllNameFn>(platform::FindSymbol(module, "DllName")))
        out.Caption = CopyLibraryText(dllName(), kLibraryNameLength);
    if (out.Caption.empty()) out.Caption = out.FileName;
    for (int i = 1; i <= kMaxLibraryPlayers; ++i) {
        std::string name = CopyLibraryText(playerName(i), kLibraryNameLength);
        if (name.empty()) break;
        out.Players.push_back(name);
    }
    return true;
}

std::vector<PlayerLibrary> ScanPlayersFolder(const std::string& folder) {
    std::vector<PlayerLibrary> libraries;
    std::string f = folder;
    if (!f.empty() && f.back() != '/') f += '/';
    for (const std::string& file :
         platform::FindFiles(f, std::string("*") + platform::ModuleSuffix())) {
        PlayerLibrary lib;
        if (ListPlayerLibrary(f + file, lib)) libraries.push_back(std::move(lib));
    }
    return libraries;
}

bool ReadLibraryAbout(const std::string& path, LibraryAbout& out) {
    platform::ModuleHandle module = platform::LoadModule(path);
    if (!module) return false;
    auto text = [&](const char* name) -> const char* {
        auto fn = reinterpret_cast<VorlixAboutFn>(platform::FindSymbol(module, name));
        return fn ? fn() : nullptr;
    };
    out = LibraryAbout{};
    if (platform::FindSymbol(module, "AboutName"))
        out.Author = CopyLibraryText(text("AboutName"), kLibraryLineLength);
    else
        out.Author = "Unknow author.";
    out.Country = CopyLibraryText(text("AboutCountry"), kLibraryLineLength);
    out.EMail = CopyLibraryText(text("AboutEMail"), kLibraryLineLength);
    return true;
}

} // namespace vorlix
