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
#include <map>
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
    void Offer(Reader& r, Writer& w);

    // One player of the library: its handle and the functions it uses.
    struct Player {
        VorlixHandle handle = 0;
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
    };
    // The player a request names by its number.
    Player& Named(Reader& r);

    int fd_;
    std::map<std::int32_t, Player> players_;
    std::int32_t nextPlayer_ = 1;
};

// The loading sequence: the same order of look-ups and calls as a library has always
// seen, stopping at the first failure.
Server::Player& Server::Named(Reader& r) {
    auto it = players_.find(r.I32());
    if (it == players_.end()) throw wire::MalformedMessage();
    return it->second;
}

void Server::Load(Reader& r, Writer& w) {
    const std::string path = r.Text(kMaxPathLength);
    const std::string name = r.Text(kMaxNameLength);
    const std::int32_t level = r.I32();
    wire::ReadGameState(r);
    r.End();
    auto status = [&](wire::LoadStatus s) { w.U8(static_cast<std::uint8_t>(s)); };
    // Each player loads the library again; the module stays loaded.
    platform::ModuleHandle module = platform::LoadModule(path);
    if (!module) return status(wire::LoadStatus::NotFound);
    auto create = Lookup<VorlixCreatePlayerFn>(module, "CreatePlayer");
    if (!create) return status(wire::LoadStatus::NoCreatePlayer);
    auto initDll = Lookup<VorlixInitDLLFn>(module, "InitDLL");
    if (!initDll) return status(wire::LoadStatus::NoInitDll);
    initDll(HostProgramPath().c_str());
    Player p;
    p.DeletePlayer = Lookup<VorlixDeletePlayerFn>(module, "DeletePlayer");
    if (!p.DeletePlayer) return status(wire::LoadStatus::NoDeletePlayer);
    p.Move = Lookup<VorlixMoveFn>(module, "Move");
    if (!p.Move) return status(wire::LoadStatus::NoMove);
    p.handle = create(name.c_str());
    if (p.handle == 0) return status(wire::LoadStatus::CreateFailed);

    std::uint32_t exports = 0;
    auto find = [&](auto& fn, const char* symbol, std::uint32_t bit) {
        fn = Lookup<std::remove_reference_t<decltype(fn)>>(module, symbol);
        if (fn) exports |= bit;
    };
    find(p.RefreshBoard, "RefreshBoard", wire::kRefreshBoard);
    find(p.ValueArray, "ValueArray", wire::kValueArray);
    find(p.AlNum, "AlNum", wire::kAlNum);
    find(p.AlList, "AlList", wire::kAlList);
    find(p.AlValue, "AlValue", wire::kAlValue);
    VorlixAbilityNumFn abilityNum = nullptr;
    VorlixVersionFn version = nullptr;
    VorlixLevelFn setLevel = nullptr;
    VorlixAcceptDrawFn acceptDraw = nullptr;
    find(abilityNum, "AbilityNum", wire::kAbilityNum);
    find(version, "Version", wire::kVersion);
    find(setLevel, "Level", wire::kLevel);
    find(p.OfferOpen1, "OfferOpen1", wire::kOfferOpen1);
    find(p.OfferOpen2, "OfferOpen2", wire::kOfferOpen2);
    find(p.ChOpening, "ChOpening", wire::kChOpening);
    find(acceptDraw, "AcceptDraw", wire::kAcceptDraw);
    find(p.ExitDLL, "ExitDLL", wire::kExitDLL);
    find(p.AbilityName, "AbilityName", wire::kAbilityName);
    find(p.AbPropNum, "AbPropNum", wire::kAbPropNum);
    find(p.AbPropLine, "AbPropLine", wire::kAbPropLine);
    const std::int32_t id = nextPlayer_++;
    players_[id] = p;

    status(wire::LoadStatus::Ok);
    w.I32(id);
    w.U32(exports);
    w.I32(version ? version(p.handle) : 0);
    if (setLevel) setLevel(p.handle, level);
    w.I32(abilityNum ? abilityNum(p.handle) : 0);
}

void Server::Move(Reader& r, Writer& w) {
    Player& p = Named(r);
    wire::ReadGameState(r);
    const bool boardChanged = r.U8() != 0;
    r.End();
    if (boardChanged && p.RefreshBoard) p.RefreshBoard(p.handle);
    w.U32(p.Move(p.handle));
    const bool alternatives = p.AlNum && p.AlList && p.AlValue;
    w.U8(alternatives);
    if (alternatives) {
        const int n = std::clamp(p.AlNum(p.handle), 0, kCells);
        w.I32(n);
        for (int k = 1; k <= n; ++k) {
            w.U32(p.AlList(p.handle, k));
            w.F64(p.AlValue(p.handle, k));
        }
    }
    w.U8(p.ValueArray != nullptr);
    if (p.ValueArray)
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y) w.F64(p.ValueArray(p.handle, VORLIX_POINT(x, y)));
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
    Player& p = Named(r);
    wire::ReadGameState(r);
    const int a = r.I32();
    r.End();
    const bool exported = p.AbPropNum && p.AbPropLine;
    w.U8(exported);
    if (!exported) return;
    // A runaway count would hang the display: a property printout is a screenful at most.
    const int n = std::clamp(p.AbPropNum(p.handle, a), 0, kMaxPropertyLines);
    w.I32(n);
    for (int j = 1; j <= n; ++j)
        w.Text(CopyLibraryText(p.AbPropLine(p.handle, a, j), kLibraryLineLength));
}

void Server::Offer(Reader& r, Writer& w) {
    Player& p = Named(r);
    wire::ReadGameState(r);
    r.End();
    const bool first = r.MessageType() == Type::OfferOpen1;
    VorlixPointRecord s[3] = {};
    if (first && p.OfferOpen1)
        p.OfferOpen1(p.handle, &s[0], &s[1]);
    else if (!first && p.OfferOpen2)
        p.OfferOpen2(p.handle, &s[0], &s[1], &s[2]);
    else
        throw wire::MalformedMessage();
    for (int i = 0; i < (first ? 2 : 3); ++i) w.I16(s[i].X).I16(s[i].Y);
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
    case Type::OfferOpen2:
        Offer(r, w);
        break;
    case Type::ChOpening: {
        Player& p = Named(r);
        wire::ReadGameState(r);
        r.End();
        if (!p.ChOpening) throw wire::MalformedMessage();
        w.I32(p.ChOpening(p.handle));
        break;
    }
    case Type::AbilityName: {
        Player& p = Named(r);
        wire::ReadGameState(r);
        const int a = r.I32();
        r.End();
        const char* name = p.AbilityName ? p.AbilityName(p.handle, a) : nullptr;
        w.U8(name != nullptr).Text(CopyLibraryText(name, kLibraryNameLength));
        break;
    }
    case Type::AbilityProps:
        AbilityProps(r, w);
        break;
    case Type::Delete: {
        auto it = players_.find(r.I32());
        r.End();
        if (it == players_.end()) throw wire::MalformedMessage();
        const Player p = it->second;
        players_.erase(it); // nothing more is called for this handle
        if (p.DeletePlayer && p.handle != 0) p.DeletePlayer(p.handle);
        if (p.ExitDLL) p.ExitDLL();
        break;
    }
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
