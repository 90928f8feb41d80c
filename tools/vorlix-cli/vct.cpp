// vct: the threat-sequence search on a position typed as a list of moves.

#include "commands.h"
#include "position.h"

#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/players/jatekos.h"
#include "vorlix/search/vct.h"

#include <cstdio>
#include <limits>
#include <memory>

namespace cli {

namespace {

// A whole number in [lo, hi]; false for anything else.
bool ParseNumber(const std::string& s, long lo, long hi, long& value) {
    if (s.empty() || s.size() > 10) return false;
    long v = 0;
    for (char ch : s) {
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
    }
    if (v < lo || v > hi) return false;
    value = v;
    return true;
}

} // namespace

int Vct(const Args& args) {
    const Command& me = *FindCommand("vct");
    std::string moves;
    long depth = -1, nodes = -1, threes = -1, farFours = -1;
    bool twoPhase = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--two-phase") {
            twoPhase = true;
        } else if (a == "--moves" && hasValue) {
            moves = args[++i];
        } else if (a == "--depth" && hasValue) {
            if (!ParseNumber(args[++i], 1, 255, depth)) return UsageError(me);
        } else if (a == "--nodes" && hasValue) {
            if (!ParseNumber(args[++i], 1, std::numeric_limits<std::int32_t>::max() / 2, nodes))
                return UsageError(me);
        } else if (a == "--threes" && hasValue) {
            if (!ParseNumber(args[++i], 0, 255, threes)) return UsageError(me);
        } else if (a == "--far-fours" && hasValue) {
            if (!ParseNumber(args[++i], 0, 255, farFours)) return UsageError(me);
        } else {
            return UsageError(me);
        }
    }
    std::string error;
    if (!SetUpPosition(moves, &error)) {
        std::fprintf(stderr, "vorlix-cli vct: %s\n", error.c_str());
        return UsageError(me);
    }

    vorlix::TJatekos player;
    auto vct = std::make_unique<vorlix::TVct>(&player);
    if (depth >= 0) vct->MaxDepth = static_cast<std::uint8_t>(depth);
    if (nodes >= 0) vct->NodeLimit = static_cast<std::int32_t>(nodes);
    if (threes >= 0) vct->ThreeLimit = static_cast<std::uint8_t>(threes);
    if (farFours >= 0) vct->FarFourLimit = static_cast<std::uint8_t>(farFours);
    vct->TwoPhase = twoPhase ? 1 : 0;
    vct->Run();

    std::printf("to move: %s\n", vorlix::ColourToMove == vorlix::kBlack ? "black" : "white");
    if (vct->Result != 0) {
        std::printf("win: %s\n", vorlix::TrimRight(vorlix::CellText(vct->Result)).c_str());
        std::string line;
        for (int k = 1; k <= vct->WinLineLength; ++k)
            line += (k > 1 ? " " : "") + vorlix::TrimRight(vorlix::CellText(vct->WinLine[k]));
        std::printf("line: %s\n", line.c_str());
    } else {
        std::printf("win: none\n");
    }
    std::printf("nodes: %d\ndepth: %d\n", vct->NodeCount, vct->DepthReached);
    return 0;
}

} // namespace cli
