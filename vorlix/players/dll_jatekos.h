#pragma once
// TDllJatekos: a player of a player library, driven through the library's exports
// (see vorlix_plugin.h for the protocol).
//
// Construction loads the library by its full path and creates the library's player:
//   load -> find CreatePlayer, InitDLL -> InitDLL(program path) -> find DeletePlayer,
//   Move -> CreatePlayer(name) -> find the optional functions -> Version -> Level(10)
//   -> AbilityNum and one TDllKepesseg per ability.
// A failure shows its error box (".dll not found.", "CreatePlayer function not found.",
// "InitDll function not found.", "DeletePlayer function not found.", "Move function not
// found.", "Error in CreatePlayer.") and leaves Loaded() false; such an object calls
// nothing more in the library, also not when destroyed.
//
// A library is never unloaded: each creation loads it once more.
//
// Whatever the library returns, the program stays sound:
// - AlNum is clamped to 0..225; alternatives off the board or on an occupied cell are
//   left out;
// - offered opening stones off the board, on an occupied cell or on one cell twice are
//   refused with an error box, and the base player's offer is placed instead;
// - values that do not fit a single-precision float are clamped (NaN reads as 0);
// - a move off the board is handed on: the controller rejects it.

#include "platform/module.h"
#include "vorlix/players/jatekos.h"
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
    bool Loaded() const { return module_ != nullptr; }
    VorlixHandle Handle() const { return handle_; }

  private:
    bool Load(const std::string& libraryPath, const std::string& name);
    void ReadAlternatives();
    void ReadValues();
    // Places the offered stones with the given colours; false (with an error box and
    // nothing placed) when one of them is not an empty cell of the board.
    bool PlaceOffered(const VorlixPointRecord* stones, const std::uint8_t* colours, int count);

    platform::ModuleHandle module_ = nullptr;
    VorlixHandle handle_ = 0;
    std::vector<std::unique_ptr<TDllKepesseg>> abilities_;

    // The library's functions; null when not exported.
    struct Entries {
        VorlixCreatePlayerFn CreatePlayer = nullptr;
        VorlixDeletePlayerFn DeletePlayer = nullptr;
        VorlixMoveFn Move = nullptr;
        VorlixRefreshBoardFn RefreshBoard = nullptr;
        VorlixValueArrayFn ValueArray = nullptr;
        VorlixAlNumFn AlNum = nullptr;
        VorlixAlListFn AlList = nullptr;
        VorlixAlValueFn AlValue = nullptr;
        VorlixAbilityNumFn AbilityNum = nullptr;
        VorlixVersionFn Version = nullptr;
        VorlixLevelFn Level = nullptr;
        VorlixOfferOpen1Fn OfferOpen1 = nullptr;
        VorlixOfferOpen2Fn OfferOpen2 = nullptr;
        VorlixChOpeningFn ChOpening = nullptr;
        VorlixAcceptDrawFn AcceptDraw = nullptr;
        VorlixExitDLLFn ExitDLL = nullptr;
    } lib_;
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
