// The exports of gomocup.so: every engine of gomocup.txt (the file beside the library)
// is a player (library_exports.cpp gives the exports all libraries share).

#include "bridge_player.h"
#include "engine_list.h"

#include "players/common/library_exports.h"

#include <cstdio>
#include <dlfcn.h>
#include <new>

namespace {

constexpr const char* kListFile = "gomocup.txt";

gomocup::EngineList& TheList() {
    static gomocup::EngineList list;
    return list;
}

// The folder of this library, with a trailing "/": the engine list lies beside it.
std::string LibraryFolder() {
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&TheList), &info) || !info.dli_fname) return "./";
    const std::string path = info.dli_fname;
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// Reads the list again, so that an edited file is seen without restarting the host.
const gomocup::EngineList& ReadList() {
    gomocup::EngineList& list = TheList();
    list = gomocup::ReadEngineList(LibraryFolder() + kListFile);
    for (const std::string& p : list.Problems)
        std::fprintf(stderr, "gomocup: %s: %s\n", kListFile, p.c_str());
    return list;
}

} // namespace

VORLIX_EXPORT const char* PlayerName(int32_t i) {
    const gomocup::EngineList& list = i == 1 ? ReadList() : TheList();
    if (i < 1 || static_cast<size_t>(i) > list.Engines.size()) return nullptr;
    return list.Engines[static_cast<size_t>(i) - 1].Name.c_str();
}

VORLIX_EXPORT const char* DllName(void) {
    return "Gomocup";
}

VORLIX_EXPORT VorlixHandle CreatePlayer(const char* name) {
    if (!name) return 0;
    // Without the host's board the engine could only be told a wrong position.
    if (!plugin::HostBound()) {
        std::fprintf(stderr, "gomocup: the host's functions were not found: no player\n");
        return 0;
    }
    const gomocup::EngineList& list = ReadList();
    const gomocup::EngineEntry* entry = gomocup::FindEngine(list, name);
    if (!entry) {
        std::fprintf(stderr, "gomocup: no engine %s in %s%s\n", name, LibraryFolder().c_str(),
                     kListFile);
        return 0;
    }
    auto* p = new (std::nothrow) gomocup::BridgePlayer(*entry, LibraryFolder(), plugin::TheHost());
    if (p && !p->Start()) {
        delete p;
        p = nullptr;
    }
    return plugin::HandleOf(p);
}
