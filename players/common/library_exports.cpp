// The exports every player library of this suite has in common. Handles are the
// addresses of LibraryPlayer objects; a null handle (a player that was not made) is
// never called.

#include "players/common/library_exports.h"

namespace {
plugin::LibraryPlayer* PlayerOf(VorlixHandle h) {
    return reinterpret_cast<plugin::LibraryPlayer*>(h);
}
} // namespace

VORLIX_EXPORT void InitDLL(const char* hostPath) {
    plugin::BindHost(hostPath);
}

VORLIX_EXPORT void ExitDLL(void) {
    plugin::ReleaseHost();
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

VORLIX_EXPORT void DeletePlayer(VorlixHandle h) {
    delete PlayerOf(h);
}

VORLIX_EXPORT VorlixPoint Move(VorlixHandle h) {
    return h ? PlayerOf(h)->Move() : 0;
}

VORLIX_EXPORT void RefreshBoard(VorlixHandle h) {
    if (h) PlayerOf(h)->RefreshBoard();
}
