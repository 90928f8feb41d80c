#include "players/common/library_host.h"

#include <dlfcn.h>

namespace plugin {

namespace {
void*& HostModule() {
    static void* module = nullptr;
    return module;
}
} // namespace

VorlixHost& TheHost() {
    static VorlixHost host{};
    return host;
}

bool HostBound() {
    const VorlixHost& h = TheHost();
    return h.GetTableField && h.NextColour && h.nMove && h.Game;
}

void BindHost(const char* hostPath) {
    VorlixHost bound;
    void* module = VorlixBindHost(hostPath, &bound);
    if (HostModule()) ::dlclose(HostModule());
    HostModule() = module;
    TheHost() = bound;
}

void ReleaseHost() {
    if (HostModule()) ::dlclose(HostModule());
    HostModule() = nullptr;
}

} // namespace plugin
