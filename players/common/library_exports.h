#pragma once
// What the player libraries of this suite share: the base of their players and the
// exports that are the same in every library.
//
// library_exports.cpp defines InitDLL and ExitDLL (binding the host), the about texts,
// DeletePlayer, Move and RefreshBoard. A library linked with it defines only what makes
// it itself: PlayerName, DllName and CreatePlayer, whose handle is the address of a
// LibraryPlayer made with new.

#include "players/common/library_host.h"

namespace plugin {

class LibraryPlayer {
  public:
    virtual ~LibraryPlayer() = default;
    // The player's move for the colour to move, as a packed point.
    virtual VorlixPoint Move() = 0;
    // Takes in the host's whole position after an opening or a take-back.
    virtual void RefreshBoard() = 0;
};

// The handle CreatePlayer returns for `player` (0 for none).
inline VorlixHandle HandleOf(LibraryPlayer* player) {
    return reinterpret_cast<VorlixHandle>(player);
}

} // namespace plugin
