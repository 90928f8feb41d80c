#pragma once
// Creating a player from its identifier.
//
// An identifier is, in the order tested: "Ember" (the human), one of the internal
// identifiers (each made by a maker that the search engine registers), or a player of
// the chosen player library. The command-line tools may also name a player of a given
// library directly as "LIBRARY:NAME" (no internal identifier contains ':'); the window
// never does, so a library player whose own name has a ':' is found by that name.

#include "vorlix/players/jatekos.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vorlix {

using PlayerMaker = std::function<std::unique_ptr<TJatekos>()>;

inline constexpr const char* kHumanId = "Ember";

struct InternalPlayer {
    std::string Id;
    PlayerMaker Make; // empty while that player is not built into the program
};

// The internal identifiers in the order they are tested, without makers.
std::vector<InternalPlayer> DefaultInternalPlayers();

class PlayerFactory {
  public:
    PlayerFactory() : Internal(DefaultInternalPlayers()) {}

    // Gives `id` its maker; an identifier not in the table is appended to it.
    void SetInternalPlayer(const std::string& id, PlayerMaker make);
    // Whether `id` (trailing blanks removed) names an internal player, made or not.
    bool IsInternal(const std::string& id) const;

    // The player for `id`, or null (a library failure has been reported then; an
    // internal identifier without a maker gives null silently). `opponentLibrary` is
    // the file name, without suffix, of the library that plain names come from; empty
    // when an internal player is chosen. With LibraryIds on and no library chosen, an
    // identifier with a ':' is read as "LIBRARY:NAME". Every player made gets
    // SetLevel(4). Whatever the makers raise while building a player passes through.
    std::unique_ptr<TJatekos> CreatePlayerByName(const std::string& id,
                                                 const std::string& opponentLibrary) const;

    PlayerMaker MakeHuman;     // set by the game controller
    bool LibraryIds = true;    // "LIBRARY:NAME" accepted (the tools); the window turns it off
    std::string PlayersFolder; // with or without the trailing "/"
    std::vector<InternalPlayer> Internal;
};

// Splits "LIBRARY:NAME"; false when `id` has no ':'.
bool SplitLibraryId(const std::string& id, std::string& library, std::string& name);

} // namespace vorlix
