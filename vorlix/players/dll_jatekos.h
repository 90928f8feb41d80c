#pragma once
// TDllJatekos: a player of a player library, driven through the library's exports
// (see vorlix_plugin.h for the protocol).
//
// The library runs in a child process (PlayerHost, player_host.h), shared by the
// players of that library that exist at the same time; the library sees the same calls in
// the same order as if it were loaded here, and the host functions it calls answer
// from the game state sent with every call.
//
// Construction starts the child and creates the library's player:
//   load -> find CreatePlayer, InitDLL -> InitDLL(host path) -> find DeletePlayer,
//   Move -> CreatePlayer(name) -> find the optional functions -> Version -> Level(10)
//   -> AbilityNum and one TDllKepesseg per ability.
// A failure shows its error box (".dll not found.", "CreatePlayer function not found.",
// "InitDll function not found.", "DeletePlayer function not found.", "Move function not
// found.", "Error in CreatePlayer.", or a message naming the library when it crashed,
// ended or hung while loading) and leaves Loaded() false; such an object calls nothing
// more in the library, also not when destroyed.
//
// A library that crashes, exits, throws or does not answer within the time-out in Move
// or an opening step raises PlayerHostError, which names the library; the child is
// gone then, and the game controller ends the game as an abort. Abilities of such a
// player show as the base ability, and its destruction calls nothing.
//
// Whatever the library returns, the program stays sound:
// - AlNum is clamped to 0..225; alternatives off the board or on an occupied cell are
//   left out;
// - offered opening stones off the board, on an occupied cell or on one cell twice are
//   refused with an error box, and the base player's offer is placed instead;
// - values that do not fit a single-precision float are clamped (NaN reads as 0);
// - a move off the board is handed on: the controller rejects it.

#include "vorlix/players/jatekos.h"
#include "vorlix/players/kepesseg.h"
#include "vorlix/players/player_host.h"
#include "vorlix/players/vorlix_plugin.h"

#include <memory>
#include <vector>

namespace vorlix {

class TDllKepesseg;

class TDllJatekos : public TJatekos {
  public:
    // `libraryPath` is the full path of the shared object; `name` the player's name as
    // listed (cut to 12 characters and trailing blanks removed before CreatePlayer).
    TDllJatekos(const std::string& libraryPath, const std::string& name);
    // DeletePlayer (when the player was created), the abilities in list order, ExitDLL.
    ~TDllJatekos() override;

    // RefreshBoard when BoardChanged (which is cleared), Move, then the alternatives and
    // the values when the library gives them.
    void Move() override;
    bool CanOfferOpening() override;
    void OfferOpen1() override;
    void OfferOpen2() override;
    bool ChOpening() override;

    // False when loading failed (the library module field is empty).
    bool Loaded() const { return loaded_; }
    // The child that runs the library; null when loading failed.
    PlayerHost* Host() const { return host_.get(); }

    // For TDllKepesseg: the library's name of ability `a`, false when the library does
    // not name it; the property lines of ability `a`, false when it has none to give.
    // A library that fails here is reported on standard error and treated as one
    // without the function.
    bool AbilityName(int a, std::string& name);
    bool AbilityProperties(int a, TTextList& lines);

  private:
    bool Load(const std::string& libraryPath, const std::string& name);
    void ReadMove(wire::Reader& r);
    bool Has(std::uint32_t exportBit) const { return (exports_ & exportBit) != 0; }
    // Places the offered stones with the given colours; false (with an error box and
    // nothing placed) when one of them is not an empty cell of the board.
    bool PlaceOffered(const VorlixPointRecord* stones, const std::uint8_t* colours, int count);
    // Asks the library for `count` (2 or 3) opening stones; false without a child.
    bool Offer(VorlixPointRecord* stones, int count);

    std::shared_ptr<PlayerHost> host_; // shared by the players of one library
    std::int32_t player_ = 0;          // this player's number in the child
    bool loaded_ = false;
    std::uint32_t exports_ = 0; // wire::Export bits of the optional functions
    std::vector<std::unique_ptr<TDllKepesseg>> abilities_;
};

// The program's own path as handed to InitDLL (at most 255 characters).
std::string HostProgramPath();

// The version text of a version number: its four bytes, least significant first, in
// decimal joined by ".", cut to 10 characters ("1.2.3.4").
std::string VersionTextOf(std::uint32_t version);

// A library value as a single-precision float: NaN gives 0, and values beyond the
// float range are clamped to it.
float LibraryValue(double v);

} // namespace vorlix
