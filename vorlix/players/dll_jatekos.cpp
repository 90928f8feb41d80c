#include "vorlix/players/dll_jatekos.h"

#include "platform/messages.h"
#include "vorlix/game/coords.h"
#include "vorlix/players/dll_kepesseg.h"
#include "vorlix/players/host_exports.h"
#include "vorlix/players/library_text.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <unistd.h>

namespace vorlix {

namespace {

void LoadError(const char* text) {
    platform::ShowMessage(platform::MessageKind::Error, text);
}

template <typename Fn> Fn Lookup(platform::ModuleHandle module, const char* name) {
    return reinterpret_cast<Fn>(platform::FindSymbol(module, name));
}

// X and Y are the low bytes of the two 16-bit halves.
TPont Unpack(VorlixPoint p) {
    return TPont{static_cast<std::uint8_t>(p & 0xFFu),
                 static_cast<std::uint8_t>((p >> 16) & 0xFFu)};
}

constexpr int kMaxAbilities = 1000;

bool EmptyCell(int x, int y) {
    return OnBoard(x, y) && Tabla[CellIndex(x, y)] == kEmpty;
}

} // namespace

std::string HostProgramPath() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    return std::string(buf, static_cast<size_t>(n)).substr(0, kHostPathLength);
}

std::string VersionTextOf(std::uint32_t version) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (i) text += '.';
        text += std::to_string((version >> (8 * i)) & 0xFFu);
    }
    return text.substr(0, kVersionTextLength);
}

float LibraryValue(double v) {
    if (std::isnan(v)) return 0.0f;
    return static_cast<float>(
        std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

TDllJatekos::TDllJatekos(const std::string& libraryPath, const std::string& name) {
    KeepHostExports();
    if (!Load(libraryPath, name)) {
        module_ = nullptr;
        handle_ = 0;
        return;
    }
    if (lib_.Version) {
        auto v = static_cast<std::uint32_t>(lib_.Version(handle_));
        for (int i = 0; i < 4; ++i) Version[i] = static_cast<std::uint8_t>(v >> (8 * i));
        VersionText = VersionTextOf(v);
    }
    if (lib_.Level) lib_.Level(handle_, Level);
    if (lib_.AbilityNum) {
        // A player has a handful of abilities; a runaway count is not taken literally.
        const int m = std::min(lib_.AbilityNum(handle_), kMaxAbilities);
        for (int a = 1; a <= m; ++a) {
            abilities_.push_back(std::make_unique<TDllKepesseg>(this, handle_, a, module_));
            Kepessegek.Add(abilities_.back().get());
        }
    }
}

bool TDllJatekos::Load(const std::string& libraryPath, const std::string& name) {
    module_ = platform::LoadModule(libraryPath);
    if (!module_) return LoadError(".dll not found."), false;
    lib_.CreatePlayer = Lookup<VorlixCreatePlayerFn>(module_, "CreatePlayer");
    if (!lib_.CreatePlayer) return LoadError("CreatePlayer function not found."), false;
    auto initDll = Lookup<VorlixInitDLLFn>(module_, "InitDLL");
    if (!initDll) return LoadError("InitDll function not found."), false;
    initDll(HostProgramPath().c_str());
    lib_.DeletePlayer = Lookup<VorlixDeletePlayerFn>(module_, "DeletePlayer");
    if (!lib_.DeletePlayer) return LoadError("DeletePlayer function not found."), false;
    lib_.Move = Lookup<VorlixMoveFn>(module_, "Move");
    if (!lib_.Move) return LoadError("Move function not found."), false;

    Name = TrimRight(name.substr(0, kLibraryNameLength));
    handle_ = lib_.CreatePlayer(Name.c_str());
    if (handle_ == 0) return LoadError("Error in CreatePlayer."), false;

    lib_.RefreshBoard = Lookup<VorlixRefreshBoardFn>(module_, "RefreshBoard");
    lib_.ValueArray = Lookup<VorlixValueArrayFn>(module_, "ValueArray");
    lib_.AlNum = Lookup<VorlixAlNumFn>(module_, "AlNum");
    lib_.AlList = Lookup<VorlixAlListFn>(module_, "AlList");
    lib_.AlValue = Lookup<VorlixAlValueFn>(module_, "AlValue");
    lib_.AbilityNum = Lookup<VorlixAbilityNumFn>(module_, "AbilityNum");
    lib_.Version = Lookup<VorlixVersionFn>(module_, "Version");
    lib_.Level = Lookup<VorlixLevelFn>(module_, "Level");
    lib_.OfferOpen1 = Lookup<VorlixOfferOpen1Fn>(module_, "OfferOpen1");
    lib_.OfferOpen2 = Lookup<VorlixOfferOpen2Fn>(module_, "OfferOpen2");
    lib_.ChOpening = Lookup<VorlixChOpeningFn>(module_, "ChOpening");
    lib_.AcceptDraw = Lookup<VorlixAcceptDrawFn>(module_, "AcceptDraw");
    lib_.ExitDLL = Lookup<VorlixExitDLLFn>(module_, "ExitDLL");
    return true;
}

TDllJatekos::~TDllJatekos() {
    if (!module_) return; // loading failed: nothing of the library may be called
    if (lib_.DeletePlayer && handle_ != 0) lib_.DeletePlayer(handle_);
    Kepessegek.Clear();
    for (auto& ability : abilities_) ability.reset(); // in list order
    abilities_.clear();
    if (lib_.ExitDLL) lib_.ExitDLL();
}

void TDllJatekos::Move() {
    if (BoardChanged && lib_.RefreshBoard) lib_.RefreshBoard(handle_);
    BoardChanged = false;
    ChosenMove = Unpack(lib_.Move(handle_));
    if (lib_.AlNum && lib_.AlList && lib_.AlValue) {
        ReadAlternatives();
    } else {
        AlNum = 1;
        AlList[1] = ChosenMove;
        AlValue[1] = 10.0f;
    }
    if (lib_.ValueArray) ReadValues();
}

void TDllJatekos::ReadAlternatives() {
    const int n = std::clamp(lib_.AlNum(handle_), 0, kCells);
    AlNum = 0;
    for (int k = 1; k <= n; ++k) {
        TPont p = Unpack(lib_.AlList(handle_, k));
        float v = LibraryValue(lib_.AlValue(handle_, k));
        if (EmptyCell(p.X, p.Y)) AddAlternative(p.X, p.Y, v);
    }
}

void TDllJatekos::ReadValues() {
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y)
            ValueArray[x][y] = LibraryValue(lib_.ValueArray(handle_, VORLIX_POINT(x, y)));
}

bool TDllJatekos::CanOfferOpening() {
    return lib_.OfferOpen1 && lib_.OfferOpen2 && lib_.ChOpening;
}

bool TDllJatekos::PlaceOffered(const VorlixPointRecord* stones, const std::uint8_t* colours,
                               int count) {
    for (int i = 0; i < count; ++i) {
        bool ok = EmptyCell(stones[i].X, stones[i].Y);
        for (int j = 0; j < i && ok; ++j)
            ok = stones[j].X != stones[i].X || stones[j].Y != stones[i].Y;
        if (!ok) {
            platform::ShowMessage(platform::MessageKind::Error,
                                  "Invalid opening stone !\r" + std::to_string(stones[i].X) + "," +
                                      std::to_string(stones[i].Y));
            return false;
        }
    }
    for (int i = 0; i < count; ++i) RecordMove(stones[i].X, stones[i].Y, colours[i]);
    return true;
}

void TDllJatekos::OfferOpen1() {
    VorlixPointRecord s[2] = {};
    static constexpr std::uint8_t kColours[2] = {kBlack, kWhite};
    if (lib_.OfferOpen1) {
        lib_.OfferOpen1(handle_, &s[0], &s[1]);
        if (PlaceOffered(s, kColours, 2)) return;
    }
    TJatekos::OfferOpen1();
}

void TDllJatekos::OfferOpen2() {
    VorlixPointRecord s[3] = {};
    static constexpr std::uint8_t kColours[3] = {kBlack, kWhite, kBlack};
    if (lib_.OfferOpen2) {
        lib_.OfferOpen2(handle_, &s[0], &s[1], &s[2]);
        if (PlaceOffered(s, kColours, 3)) return;
    }
    TJatekos::OfferOpen2();
}

bool TDllJatekos::ChOpening() {
    if (!lib_.ChOpening) return TJatekos::ChOpening();
    return (lib_.ChOpening(handle_) & 0xFF) != 0;
}

} // namespace vorlix
