#include "vorlix/players/library_registry.h"

#include "platform/file_search.h"
#include "platform/module.h"
#include "vorlix/players/library_text.h"
#include "vorlix/players/player_host.h"

#include <cstdio>

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
    try {
        PlayerHost host(path);
        wire::Writer w(wire::Type::List);
        w.Text(path).I32(kMaxLibraryPlayers);
        wire::Reader r = host.Call(w, "in its listing", HostTimeouts().ListMs);
        return host.Decode("in its listing", [&] {
            if (!r.U8()) return r.End(), false;
            PlayerLibrary lib;
            lib.FileName = WithoutSuffix(BaseName(path));
            lib.Caption = r.Text(kLibraryNameLength);
            if (lib.Caption.empty()) lib.Caption = lib.FileName;
            const int n = r.I32();
            if (n < 0 || n > kMaxLibraryPlayers) throw wire::MalformedMessage();
            for (int i = 0; i < n; ++i) lib.Players.push_back(r.Text(kLibraryNameLength));
            r.End();
            out = std::move(lib);
            return true;
        });
    } catch (const PlayerHostError& e) {
        // Left out of the menu; a box at every start would be worse than the line here.
        std::fprintf(stderr, "vorlix: %s It is not listed.\n", e.what());
        return false;
    }
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
    try {
        PlayerHost host(path);
        wire::Writer w(wire::Type::About);
        w.Text(path);
        wire::Reader r = host.Call(w, "in its about texts", HostTimeouts().ListMs);
        return host.Decode("in its about texts", [&] {
            if (!r.U8()) return r.End(), false;
            LibraryAbout about;
            const bool hasAuthor = r.U8() != 0;
            about.Author = r.Text(kLibraryLineLength);
            about.Country = r.Text(kLibraryLineLength);
            about.EMail = r.Text(kLibraryLineLength);
            r.End();
            if (!hasAuthor) about.Author = "Unknow author.";
            out = std::move(about);
            return true;
        });
    } catch (const PlayerHostError& e) {
        std::fprintf(stderr, "vorlix: %s\n", e.what());
        return false;
    }
}

} // namespace vorlix
