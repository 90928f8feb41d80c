// The exports of gomocup.so: every engine of gomocup.txt (the file beside the library)
// is a player. The handle is the BridgePlayer's address.

#include "bridge_player.h"
#include "engine_list.h"

#include "vorlix/players/vorlix_plugin.h"

#include <cstdio>
#include <dlfcn.h>
#include <new>

namespace {

constexpr const char* kListFile = "gomocup.txt";

struct Library {
    VorlixHost host{};
    void* hostModule = nullptr;
    gomocup::EngineList list;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

// The folder of this library, with a trailing "/": the engine list lies beside it.
std::string LibraryFolder() {
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&TheLibrary), &info) || !info.dli_fname) return "./";
    const std::string path = info.dli_fname;
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// Reads the list again, so that an edited file is seen without restarting the host.
const gomocup::EngineList& ReadList() {
    Library& lib = TheLibrary();
    lib.list = gomocup::ReadEngineList(LibraryFolder() + kListFile);
    for (const std::string& p : lib.list.Problems)
        std::fprintf(stderr, "gomocup: %s: %s\n", kListFile, p.c_str());
    return lib.list;
}

gomocup::BridgePlayer* PlayerOf(VorlixHandle h) {
    return reinterpret_cast<gomocup::BridgePlayer*>(h);
}

} // namespace

VORLIX_EXPORT void InitDLL(const char* hostPath) {
    Library& lib = TheLibrary();
    VorlixHost host;
    void* module = VorlixBindHost(hostPath, &host);
    // The previous binding is dropped only now, so that the host stays loaded throughout.
    if (lib.hostModule) ::dlclose(lib.hostModule);
    lib.hostModule = module;
    lib.host = host;
}

VORLIX_EXPORT void ExitDLL(void) {
    // The entry points stay: another player of this library may still be in the game.
    Library& lib = TheLibrary();
    if (lib.hostModule) ::dlclose(lib.hostModule);
    lib.hostModule = nullptr;
}

VORLIX_EXPORT const char* PlayerName(int32_t i) {
    const gomocup::EngineList& list = i == 1 ? ReadList() : TheLibrary().list;
    if (i < 1 || static_cast<size_t>(i) > list.Engines.size()) return nullptr;
    return list.Engines[static_cast<size_t>(i) - 1].Name.c_str();
}

VORLIX_EXPORT const char* DllName(void) {
    return "Gomocup";
}

VORLIX_EXPORT const char* AboutName(void) {
    return "The vorlix developers";
}

VORLIX_EXPORT const char* AboutCountry(void) {
    return "Hungary";
}

VORLIX_EXPORT const char* AboutEMail(void) {
    return "players@vorlix.invalid";
}

VORLIX_EXPORT VorlixHandle CreatePlayer(const char* name) {
    if (!name) return 0;
    // Without the host's board the engine could only be told a wrong position.
    const VorlixHost& host = TheLibrary().host;
    if (!host.nMove || !host.Game || !host.NextColour) {
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
    auto* p = new (std::nothrow) gomocup::BridgePlayer(*entry, LibraryFolder(), TheLibrary().host);
    if (p && !p->Start()) {
        delete p;
        p = nullptr;
    }
    return reinterpret_cast<VorlixHandle>(p);
}

VORLIX_EXPORT void DeletePlayer(VorlixHandle h) {
    delete PlayerOf(h);
}

VORLIX_EXPORT VorlixPoint Move(VorlixHandle h) {
    return h ? PlayerOf(h)->Move() : 0;
}

VORLIX_EXPORT void RefreshBoard(VorlixHandle h) {
    if (h) PlayerOf(h)->RefreshBoard();
}
