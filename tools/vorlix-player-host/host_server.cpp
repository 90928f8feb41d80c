#include "host_server.h"

#include "platform/messages.h"
#include "platform/module.h"
#include "vorlix/game/board.h"
#include "vorlix/players/dll_jatekos.h"
#include "vorlix/players/library_text.h"
#include "vorlix/players/plugin_wire.h"
#include "vorlix/players/vorlix_plugin.h"

#include <algorithm>
#include <exception>
#include <type_traits>
#include <vector>

namespace vorlix::player_host {

namespace {

using wire::Reader;
using wire::Type;
using wire::Writer;

// The longest path and player name a request may carry.
constexpr std::size_t kMaxPathLength = 4096;
constexpr std::size_t kMaxNameLength = 64;
constexpr int kMaxPropertyLines = 1000;

// Message boxes the library causes (Game out of range) are shown by the program.
class ForwardedBoxes : public platform::MessageBoxes {
  public:
    explicit ForwardedBoxes(int fd) : fd_(fd) {}
    void Show(platform::MessageKind kind, const std::string& text) override {
        Writer w(Type::Box);
        w.U8(static_cast<std::uint8_t>(kind)).Text(text);
        wire::SendFrame(fd_, w);
    }
    // Nothing in the host exports asks a question.
    bool Ask(const std::string& text) override {
        Show(platform::MessageKind::Warning, text);
        return false;
    }

  private:
    int fd_;
};

template <typename Fn> Fn Lookup(platform::ModuleHandle module, const char* name) {
    return reinterpret_cast<Fn>(platform::FindSymbol(module, name));
}

class Server {
  public:
    explicit Server(int fd) : fd_(fd) {}
    // Answers one request. Throws MalformedMessage for a request that does not read as
    // its type says; whatever the library throws passes through.
    void Handle(Reader& r);

  private:
    void Load(Reader& r, Writer& w);
    void Move(Reader& r, Writer& w);
    void List(Reader& r, Writer& w);
    void About(Reader& r, Writer& w);
    void AbilityProps(Reader& r, Writer& w);

    int fd_;
    platform::ModuleHandle module_ = nullptr;
    VorlixHandle handle_ = 0;
    std::uint32_t exports_ = 0;
    struct {
        VorlixDeletePlayerFn DeletePlayer = nullptr;
        VorlixMoveFn Move = nullptr;
        VorlixRefreshBoardFn RefreshBoard = nullptr;
        VorlixValueArrayFn ValueArray = nullptr;
        VorlixAlNumFn AlNum = nullptr;
        VorlixAlListFn AlList = nullptr;
        VorlixAlValueFn AlValue = nullptr;
        VorlixOfferOpen1Fn OfferOpen1 = nullptr;
        VorlixOfferOpen2Fn OfferOpen2 = nullptr;
        VorlixChOpeningFn ChOpening = nullptr;
        VorlixExitDLLFn ExitDLL = nullptr;
        VorlixAbilityNameFn AbilityName = nullptr;
        VorlixAbPropNumFn AbPropNum = nullptr;
        VorlixAbPropLineFn AbPropLine = nullptr;
    } lib_;
};

// The loading sequence: the same order of look-ups and calls as a library has always
// seen, stopping at the first failure.
void Server::Load(Reader& r, Writer& w) {
    const std::string path = r.Text(kMaxPathLength);
    const std::string name = r.Text(kMaxNameLength);
    const std::int32_t level = r.I32();
    wire::ReadGameState(r);
    r.End();
    auto status = [&](wire::LoadStatus s) { w.U8(static_cast<std::uint8_t>(s)); };
    module_ = platform::LoadModule(path);
    if (!module_) return status(wire::LoadStatus::NotFound);
    auto create = Lookup<VorlixCreatePlayerFn>(module_, "CreatePlayer");
    if (!create) return status(wire::LoadStatus::NoCreatePlayer);
    auto initDll = Lookup<VorlixInitDLLFn>(module_, "InitDLL");
    if (!initDll) return status(wire::LoadStatus::NoInitDll);
    initDll(HostProgramPath().c_str());
    lib_.DeletePlayer = Lookup<VorlixDeletePlayerFn>(module_, "DeletePlayer");
    if (!lib_.DeletePlayer) return status(wire::LoadStatus::NoDeletePlayer);
    lib_.Move = Lookup<VorlixMoveFn>(module_, "Move");
    if (!lib_.Move) return status(wire::LoadStatus::NoMove);
    handle_ = create(name.c_str());
    if (handle_ == 0) return status(wire::LoadStatus::CreateFailed);

    auto find = [&](auto& fn, const char* symbol, std::uint32_t bit) {
        fn = Lookup<std::remove_reference_t<decltype(fn)>>(module_, symbol);
        if (fn) exports_ |= bit;
    };
    find(lib_.RefreshBoard, "RefreshBoard", wire::kRefreshBoard);
    find(lib_.ValueArray, "ValueArray", wire::kValueArray);
    find(lib_.AlNum, "AlNum", wire::kAlNum);
    find(lib_.AlList, "AlList", wire::kAlList);
    find(lib_.AlValue, "AlValue", wire::kAlValue);
    VorlixAbilityNumFn abilityNum = nullptr;
    VorlixVersionFn version = nullptr;
    VorlixLevelFn setLevel = nullptr;
    VorlixAcceptDrawFn acceptDraw = nullptr;
    find(abilityNum, "AbilityNum", wire::kAbilityNum);
    find(version, "Version", wire::kVersion);
    find(setLevel, "Level", wire::kLevel);
    find(lib_.OfferOpen1, "OfferOpen1", wire::kOfferOpen1);
    find(lib_.OfferOpen2, "OfferOpen2", wire::kOfferOpen2);
    find(lib_.ChOpening, "ChOpening", wire::kChOpening);
    find(acceptDraw, "AcceptDraw", wire::kAcceptDraw);
    find(lib_.ExitDLL, "ExitDLL", wire::kExitDLL);
    find(lib_.AbilityName, "AbilityName", wire::kAbilityName);
    find(lib_.AbPropNum, "AbPropNum", wire::kAbPropNum);
    find(lib_.AbPropLine, "AbPropLine", wire::kAbPropLine);

    status(wire::LoadStatus::Ok);
    w.U32(exports_);
    w.I32(version ? version(handle_) : 0);
    if (setLevel) setLevel(handle_, level);
    w.I32(abilityNum ? abilityNum(handle_) : 0);
}

void Server::Move(Reader& r, Writer& w) {
    wire::ReadGameState(r);
    const bool boardChanged = r.U8() != 0;
    r.End();
    if (!lib_.Move) throw wire::MalformedMessage();
    if (boardChanged && lib_.RefreshBoard) lib_.RefreshBoard(handle_);
    w.U32(lib_.Move(handle_));
    const bool alternatives = lib_.AlNum && lib_.AlList && lib_.AlValue;
    w.U8(alternatives);
    if (alternatives) {
        const int n = std::clamp(lib_.AlNum(handle_), 0, kCells);
        w.I32(n);
        for (int k = 1; k <= n; ++k) {
            w.U32(lib_.AlList(handle_, k));
            w.F64(lib_.AlValue(handle_, k));
        }
    }
    w.U8(lib_.ValueArray != nullptr);
    if (lib_.ValueArray)
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y)
                w.F64(lib_.ValueArray(handle_, VORLIX_POINT(x, y)));
}

void Server::List(Reader& r, Writer& w) {
    const std::string path = r.Text(kMaxPathLength);
    const int most = r.I32();
    r.End();
    platform::ModuleHandle module = platform::LoadModule(path);
    auto playerName = module ? Lookup<VorlixPlayerNameFn>(module, "PlayerName") : nullptr;
    w.U8(playerName != nullptr);
    if (!playerName) return;
    auto dllName = Lookup<VorlixDllNameFn>(module, "DllName");
    w.Text(dllName ? CopyLibraryText(dllName(), kLibraryNameLength) : std::string());
    std::vector<std::string> names;
    for (int i = 1; i <= most; ++i) {
        std::string name = CopyLibraryText(playerName(i), kLibraryNameLength);
        if (name.empty()) break;
        names.push_back(name);
    }
    w.I32(static_cast<std::int32_t>(names.size()));
    for (const auto& n : names) w.Text(n);
}

void Server::About(Reader& r, Writer& w) {
    const std::string path = r.Text(kMaxPathLength);
    r.End();
    platform::ModuleHandle module = platform::LoadModule(path);
    w.U8(module != nullptr);
    if (!module) return;
    auto text = [&](const char* name) {
        auto fn = Lookup<VorlixAboutFn>(module, name);
        return CopyLibraryText(fn ? fn() : nullptr, kLibraryLineLength);
    };
    w.U8(platform::FindSymbol(module, "AboutName") != nullptr);
    w.Text(text("AboutName")).Text(text("AboutCountry")).Text(text("AboutEMail"));
}

void Server::AbilityProps(Reader& r, Writer& w) {
    wire::ReadGameState(r);
    const int a = r.I32();
    r.End();
    const bool exported = lib_.AbPropNum && lib_.AbPropLine;
    w.U8(exported);
    if (!exported) return;
    // A runaway count would hang the display: a property printout is a screenful at most.
    const int n = std::clamp(lib_.AbPropNum(handle_, a), 0, kMaxPropertyLines);
    w.I32(n);
    for (int j = 1; j <= n; ++j)
        w.Text(CopyLibraryText(lib_.AbPropLine(handle_, a, j), kLibraryLineLength));
}

void Server::Handle(Reader& r) {
    Writer w(Type::Reply);
    switch (r.MessageType()) {
    case Type::Load:
        Load(r, w);
        break;
    case Type::Move:
        Move(r, w);
        break;
    case Type::OfferOpen1:
    case Type::OfferOpen2: {
        wire::ReadGameState(r);
        r.End();
        VorlixPointRecord s[3] = {};
        if (r.MessageType() == Type::OfferOpen1 && lib_.OfferOpen1)
            lib_.OfferOpen1(handle_, &s[0], &s[1]);
        else if (r.MessageType() == Type::OfferOpen2 && lib_.OfferOpen2)
            lib_.OfferOpen2(handle_, &s[0], &s[1], &s[2]);
        else
            throw wire::MalformedMessage();
        const int count = r.MessageType() == Type::OfferOpen1 ? 2 : 3;
        for (int i = 0; i < count; ++i) w.I16(s[i].X).I16(s[i].Y);
        break;
    }
    case Type::ChOpening:
        wire::ReadGameState(r);
        r.End();
        if (!lib_.ChOpening) throw wire::MalformedMessage();
        w.I32(lib_.ChOpening(handle_));
        break;
    case Type::AbilityName: {
        wire::ReadGameState(r);
        const int a = r.I32();
        r.End();
        const char* name = lib_.AbilityName ? lib_.AbilityName(handle_, a) : nullptr;
        w.U8(name != nullptr).Text(CopyLibraryText(name, kLibraryNameLength));
        break;
    }
    case Type::AbilityProps:
        AbilityProps(r, w);
        break;
    case Type::Delete:
        r.End();
        if (lib_.DeletePlayer && handle_ != 0) lib_.DeletePlayer(handle_);
        if (lib_.ExitDLL) lib_.ExitDLL();
        lib_ = {};
        handle_ = 0;
        break;
    case Type::List:
        List(r, w);
        break;
    case Type::About:
        About(r, w);
        break;
    case Type::Ping:
        wire::ReadGameState(r);
        r.End();
        break;
    default:
        throw wire::MalformedMessage();
    }
    wire::SendFrame(fd_, w);
}

} // namespace

int Serve(int fd) {
    ForwardedBoxes boxes(fd);
    platform::SetMessageBoxes(&boxes);
    Server server(fd);
    for (;;) {
        std::string body;
        switch (wire::ReceiveFrame(fd, body)) {
        case wire::IoResult::Ok:
            break;
        case wire::IoResult::Closed:
            return 0;
        default:
            return 3;
        }
        try {
            Reader request(std::move(body));
            server.Handle(request);
        } catch (const wire::MalformedMessage&) {
            return 3;
        } catch (const std::exception& e) {
            wire::SendFrame(fd, Writer(Type::Failed).Text(CopyLibraryText(e.what(), 200)));
            return 4;
        } catch (...) {
            wire::SendFrame(fd, Writer(Type::Failed).Text("an exception of an unknown type"));
            return 4;
        }
    }
}

} // namespace vorlix::player_host
