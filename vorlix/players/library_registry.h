#pragma once
// The player libraries of the players folder: listing them for the Opponent menu and
// reading their about texts.
//
// Listing and the about texts run each library in a child process of its own
// (player_host.h), which ends after the answer. A library that does not load, or that
// lacks PlayerName, is left out without a message; one that crashes, exits, throws or
// does not answer within the listing time-out is left out with a line on standard
// error (no box: it would come at every start).

#include <string>
#include <vector>

namespace vorlix {

struct PlayerLibrary {
    std::string FileName; // without folder and without the ".so" suffix
    std::string Caption;  // DllName (at most 12 characters), or FileName when it has none
    std::vector<std::string> Players; // PlayerName 1, 2, ... each at most 12 characters
};

// At most this many players are listed per library, so a library whose PlayerName never
// ends cannot hang the listing.
constexpr int kMaxLibraryPlayers = 64;

// Lists the library at `path`; false when it is not listed (not loadable, no PlayerName).
bool ListPlayerLibrary(const std::string& path, PlayerLibrary& out);

// Every listed library of `folder` ("NAME.so" files), in file-name order.
std::vector<PlayerLibrary> ScanPlayersFolder(const std::string& folder);

// Full path of a library from the players folder and its file name without suffix.
std::string LibraryPath(const std::string& playersFolder, const std::string& fileName);

struct LibraryAbout {
    std::string Author;  // AboutName, "Unknow author." when not exported
    std::string Country; // AboutCountry, empty when not exported
    std::string EMail;   // AboutEMail, empty when not exported
};
// The about texts (at most 50 characters each); false when the library does not load
// (or fails as above, with a line on standard error).
bool ReadLibraryAbout(const std::string& path, LibraryAbout& out);

} // namespace vorlix
