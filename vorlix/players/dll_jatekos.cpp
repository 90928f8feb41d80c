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
#include <cstdio>
#include <iterator>
#include <unistd.h>

namespace vorlix {

namespace {

void LoadError(const char* text) {
    platform::ShowMessage(platform::MessageKind::Error, text);
}

// X and Y are the low bytes of the two 16-bit halves.
TPont Unpack(VorlixPoint p) {
    return TPont{static_cast<std::uint8_t>(p & 0xFFu),
                 static_cast<std::uint8_t>((p >> 16) & 0xFFu)};
}

constexpr int kMaxAbilities = 1000;
constexpr int kMaxPropertyLines = 1000;

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
    // The libraries run in the player host, which exports the host functions; the
    // programs keep exporting them as before.
    KeepHostExports();
    loaded_ = Load(libraryPath, name);
    if (!loaded_) {
        host_.reset();
        exports_ = 0;
    }
}

bool TDllJatekos::Load(const std::string& libraryPath, const std::string& name) {
    Name = TrimRight(name.substr(0, kLibraryNameLength));
    std::int32_t version = 0, abilities = 0;
    try {
        host_ = LibraryHost(libraryPath);
        wire::Writer w(wire::Type::Load);
        w.Text(libraryPath).Text(Name).I32(Level);
        wire::WriteGameState(w);
        wire::Reader r = host_->Call(w, "while loading", HostTimeouts().CallMs);
        const bool loaded = host_->Decode("while loading", [&] {
            const auto status = static_cast<wire::LoadStatus>(r.U8());
            static const char* const kMessages[] = {"",
                                                    ".dll not found.",
                                                    "CreatePlayer function not found.",
                                                    "InitDll function not found.",
                                                    "DeletePlayer function not found.",
                                                    "Move function not found.",
                                                    "Error in CreatePlayer."};
            if (status != wire::LoadStatus::Ok) {
                r.End();
                if (static_cast<std::size_t>(status) >= std::size(kMessages))
                    host_->Malformed("while loading");
                return LoadError(kMessages[static_cast<std::size_t>(status)]), false;
            }
            player_ = r.I32();
            exports_ = r.U32();
            version = r.I32();
            abilities = r.I32();
            r.End();
            return true;
        });
        if (!loaded) return false;
    } catch (const PlayerHostError& e) {
        return LoadError(e.what()), false;
    }
    if (Has(wire::kVersion)) {
        auto v = static_cast<std::uint32_t>(version);
        for (int i = 0; i < 4; ++i) Version[i] = static_cast<std::uint8_t>(v >> (8 * i));
        VersionText = VersionTextOf(v);
    }
    if (Has(wire::kAbilityNum)) {
        // A player has a handful of abilities; a runaway count is not taken literally.
        const int m = std::min(abilities, kMaxAbilities);
        for (int a = 1; a <= m; ++a) {
            abilities_.push_back(std::make_unique<TDllKepesseg>(this, a));
            Kepessegek.Add(abilities_.back().get());
        }
    }
    return true;
}

TDllJatekos::~TDllJatekos() {
    Kepessegek.Clear();
    for (auto& ability : abilities_) ability.reset(); // in list order
    abilities_.clear();
    if (!loaded_ || !host_ || !host_->Running()) return; // nothing of the library may be called
    try {
        // DeletePlayer, then ExitDLL: the abilities between them never call the library.
        wire::Writer w(wire::Type::Delete);
        w.I32(player_);
        host_->Call(w, "in DeletePlayer", HostTimeouts().ListMs);
    } catch (const PlayerHostError& e) {
        std::fprintf(stderr, "vorlix: %s\n", e.what());
    }
}

void TDllJatekos::Move() {
    wire::Writer w(wire::Type::Move);
    w.I32(player_);
    wire::WriteGameState(w);
    w.U8(BoardChanged && Has(wire::kRefreshBoard));
    BoardChanged = false;
    if (!host_) throw PlayerHostError("The player library was not loaded.");
    wire::Reader r = host_->Call(w, "in Move", HostTimeouts().CallMs, true);
    host_->Decode("in Move", [&] { ReadMove(r); });
}

void TDllJatekos::ReadMove(wire::Reader& r) {
    ChosenMove = Unpack(r.U32());
    if (r.U8()) {
        const int n = r.I32();
        if (n < 0 || n > kCells) throw wire::MalformedMessage();
        AlNum = 0;
        for (int k = 1; k <= n; ++k) {
            TPont p = Unpack(r.U32());
            float v = LibraryValue(r.F64());
            if (EmptyCell(p.X, p.Y)) AddAlternative(p.X, p.Y, v);
        }
    } else {
        AlNum = 1;
        AlList[1] = ChosenMove;
        AlValue[1] = 10.0f;
    }
    if (r.U8())
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y) ValueArray[x][y] = LibraryValue(r.F64());
    r.End();
}

bool TDllJatekos::AbilityName(int a, std::string& name) {
    if (!Has(wire::kAbilityName) || !host_ || !host_->Running()) return false;
    try {
        wire::Writer w(wire::Type::AbilityName);
        w.I32(player_);
        wire::WriteGameState(w);
        w.I32(a);
        wire::Reader r = host_->Call(w, "in AbilityName", HostTimeouts().ListMs);
        return host_->Decode("in AbilityName", [&] {
            const bool named = r.U8() != 0;
            name = r.Text(kLibraryNameLength);
            r.End();
            return named;
        });
    } catch (const PlayerHostError& e) {
        std::fprintf(stderr, "vorlix: %s\n", e.what());
        return false;
    }
}

bool TDllJatekos::AbilityProperties(int a, TTextList& lines) {
    if (!Has(wire::kAbPropNum) || !Has(wire::kAbPropLine) || !host_ || !host_->Running())
        return false;
    try {
        wire::Writer w(wire::Type::AbilityProps);
        w.I32(player_);
        wire::WriteGameState(w);
        w.I32(a);
        wire::Reader r = host_->Call(w, "in AbPropLine", HostTimeouts().ListMs);
        return host_->Decode("in AbPropLine", [&] {
            if (!r.U8()) return r.End(), false;
            const int n = r.I32();
            if (n < 0 || n > kMaxPropertyLines) throw wire::MalformedMessage();
            for (int j = 1; j <= n; ++j) lines.push_back(r.Text(kLibraryLineLength));
            r.End();
            return true;
        });
    } catch (const PlayerHostError& e) {
        std::fprintf(stderr, "vorlix: %s\n", e.what());
        return false;
    }
}

bool TDllJatekos::CanOfferOpening() {
    return Has(wire::kOfferOpen1) && Has(wire::kOfferOpen2) && Has(wire::kChOpening);
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

bool TDllJatekos::Offer(VorlixPointRecord* stones, int count) {
    if (!host_) return false;
    const bool first = count == 2;
    const char* what = first ? "in OfferOpen1" : "in OfferOpen2";
    wire::Writer w(first ? wire::Type::OfferOpen1 : wire::Type::OfferOpen2);
    w.I32(player_);
    wire::WriteGameState(w);
    wire::Reader r = host_->Call(w, what, HostTimeouts().CallMs, true);
    host_->Decode(what, [&] {
        for (int i = 0; i < count; ++i) {
            stones[i].X = r.I16();
            stones[i].Y = r.I16();
        }
        r.End();
    });
    return true;
}

void TDllJatekos::OfferOpen1() {
    VorlixPointRecord s[2] = {};
    static constexpr std::uint8_t kColours[2] = {kBlack, kWhite};
    if (Has(wire::kOfferOpen1) && Offer(s, 2) && PlaceOffered(s, kColours, 2)) return;
    TJatekos::OfferOpen1();
}

void TDllJatekos::OfferOpen2() {
    VorlixPointRecord s[3] = {};
    static constexpr std::uint8_t kColours[3] = {kBlack, kWhite, kBlack};
    if (Has(wire::kOfferOpen2) && Offer(s, 3) && PlaceOffered(s, kColours, 3)) return;
    TJatekos::OfferOpen2();
}

bool TDllJatekos::ChOpening() {
    if (!Has(wire::kChOpening) || !host_) return TJatekos::ChOpening();
    wire::Writer w(wire::Type::ChOpening);
    w.I32(player_);
    wire::WriteGameState(w);
    wire::Reader r = host_->Call(w, "in ChOpening", HostTimeouts().CallMs, true);
    std::int32_t answer = 0;
    host_->Decode("in ChOpening", [&] {
        answer = r.I32();
        r.End();
    });
    return (answer & 0xFF) != 0;
}

} // namespace vorlix
